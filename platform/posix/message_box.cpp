#include <windows.h>

#include <cstdio>

int MessageBoxA(HWND, LPCSTR text, LPCSTR caption, UINT) {
  // Windows shows "Error" when the caption is null.
  fprintf(stderr, "%s: %s\n", caption != nullptr ? caption : "Error", text != nullptr ? text : "");
  fflush(stderr);
  return IDOK;
}
