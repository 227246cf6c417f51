// _unlink lives in windows.h on the native build.
#pragma once
#include <windows.h>
