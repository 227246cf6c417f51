// The tool button's icon: bitmap resource 102 of our own module.
#pragma once

#include <windows.h>

constexpr int kToolIconResource = 102;

// Null when the bitmap cannot be loaded.
HBITMAP LoadToolIcon();
