#include "frame/tool_icon.h"

#include "frame/frame_state.h"

HBITMAP LoadToolIcon() {
  return LoadBitmapA(ModuleInstance, MAKEINTRESOURCEA(kToolIconResource));
}
