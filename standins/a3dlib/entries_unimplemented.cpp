// The entry points the plug-in binds but never calls. They take no parameters: callers use
// cdecl, where the caller removes what it pushed, so any arguments are harmless.
#include "standins/a3dlib/a3d_export.h"
#include "standins/a3dlib/a3dlib_codes.h"
#include "standins/a3dlib/library_log.h"

namespace {

A3dStatus NotImplemented(const char* name) {
  a3dlib::LogLine("%s -> %d (not implemented)", name, a3dlib::kErrNotImplemented);
  return a3dlib::kErrNotImplemented;
}

}  // namespace

// KV_A3D_UNCALLED_<called><omitted>: a definition only for a name not called and not omitted.
#define KV_A3D_UNCALLED_00(name)  \
  KV_A3D_ENTRY(name)() {          \
    return NotImplemented(#name); \
  }
#define KV_A3D_UNCALLED_01(name)
#define KV_A3D_UNCALLED_10(name)
#define KV_A3D_UNCALLED_11(name)
#define KV_A3D_UNCALLED(name, called) \
  KV_A3D_CAT(KV_A3D_CAT(KV_A3D_UNCALLED_, called), KV_A3D_OMITTED(name))(name)

KV_A3D_ENTRY_LIST(KV_A3D_UNCALLED)
