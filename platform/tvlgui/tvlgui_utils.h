// The interface of the maker's GUI library "TVLGUI80.dll", which the plug-in imports at load
// time: the About box. Both sides of the boundary are compiled from this header.
#pragma once

#include <windows.h>

#include "platform/mfc/cstring.h"
#include "platform/module_api.h"

#ifdef KV_BUILDING_TVLGUI
#define TVLGUI_API KV_DLL_EXPORT
#else
#define TVLGUI_API KV_DLL_IMPORT
#endif

class TVLGUI_API TVLGUIUtils {
 public:
  // Shows the About box with the title; keeps no reference to the title after it returns.
  static void KV_CDECL About(const CString& title, HWND* parent);
};
