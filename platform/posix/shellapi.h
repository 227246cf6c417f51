// The Windows shell calls live in windows.h on the native build.
#pragma once
#include <windows.h>
