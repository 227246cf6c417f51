// The names that the partial build of the library (A3DLIB_partial) leaves out of its exports:
// three the plug-in calls and two it only binds.
#pragma once

#define KV_A3D_PARTIAL_OMITTED_LIST(X) \
  X(A3DAsmModelFileWriteToFile)        \
  X(A3DRootBaseSet)                    \
  X(A3DTess3DGet)                      \
  X(A3DCrvNurbsGet)                    \
  X(A3DTopoMultipleVertexCreate)
