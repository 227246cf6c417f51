// The interface of the maker's SKP reading library "Ostrel80.dll", which the plug-in imports at
// load time. Both sides of the boundary are compiled from this header.
#pragma once

#include "platform/mfc/cstring.h"
#include "platform/module_api.h"
#include "platform/opennurbs/opennurbs.h"

#ifdef KV_BUILDING_OSTREL
#define OSTREL_API KV_DLL_EXPORT
#else
#define OSTREL_API KV_DLL_IMPORT
#endif

class OSTREL_API TVLOstrel {
 public:
  // Reads the file at the path into meshes appended to the array. Nonzero on success (the
  // array may then hold no mesh); 0 on failure, with a text for the user from GetError.
  static int KV_CDECL SKPToMesh(CString path, ON_ClassArray<ON_Mesh>& meshes);
  // The text of the last failed SKPToMesh.
  static CString KV_CDECL GetError();
};
