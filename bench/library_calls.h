// The 3D library's share of a conversion, made as the writer makes it: load and initialise the
// library, build the model tree around the three arrays, write it, delete it, terminate and
// unload. Its time is what the writer's whole path spends outside the plug-in's own code.
#pragma once

#include <cstdint>

#include "platform/mfc/cstring.h"

// False when the library cannot be loaded or initialised, or the write fails.
bool RunLibraryCalls(double* coords, double* normals, uint32_t* indices, uint32_t triangles,
                     const CString& path);
