// The common dialogs live in windows.h on the native build.
#pragma once
#include <windows.h>
