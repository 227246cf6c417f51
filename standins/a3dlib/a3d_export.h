// How the library's entry points are defined and exported: undecorated C names with the
// library's calling convention, checked against their <name>Fn types.
#pragma once

#include <type_traits>

#include "platform/a3d/a3d_signatures.h"
#include "standins/a3dlib/partial_build.h"

#if defined(_WIN32)
#define KV_A3D_EXPORT __declspec(dllexport)
#else
#define KV_A3D_EXPORT __attribute__((visibility("default")))
#endif

#define KV_A3D_CAT_(a, b) a##b
#define KV_A3D_CAT(a, b) KV_A3D_CAT_(a, b)

// KV_A3D_OMITTED(name) is 1 for a name this build leaves out, else 0: an omitted name has a
// macro KV_A3D_OMIT_<name> that expands to "~, 1", which moves the 1 into second place.
#define KV_A3D_SECOND_(a, b, ...) b
#define KV_A3D_PROBE_(...) KV_A3D_SECOND_(__VA_ARGS__, 0, 0)
#define KV_A3D_OMITTED(name) KV_A3D_PROBE_(KV_A3D_OMIT_##name)

#ifdef KV_A3DLIB_PARTIAL
#define KV_A3D_OMIT_A3DAsmModelFileWriteToFile ~, 1
#define KV_A3D_OMIT_A3DRootBaseSet ~, 1
#define KV_A3D_OMIT_A3DTess3DGet ~, 1
#define KV_A3D_OMIT_A3DCrvNurbsGet ~, 1
#define KV_A3D_OMIT_A3DTopoMultipleVertexCreate ~, 1
#define KV_A3D_CHECK_OMITTED(name) \
  static_assert(KV_A3D_OMITTED(name) == 1, #name " is left out of the partial build");
KV_A3D_PARTIAL_OMITTED_LIST(KV_A3D_CHECK_OMITTED)
#undef KV_A3D_CHECK_OMITTED
#endif

#define KV_A3D_EXPORT_IF_0 KV_A3D_EXPORT
#define KV_A3D_EXPORT_IF_1

// The head of an entry point's definition: KV_A3D_ENTRY(name)(parameters) { ... }. An omitted
// name is still defined, but not exported.
#define KV_A3D_ENTRY(name) \
  extern "C" KV_A3D_CAT(KV_A3D_EXPORT_IF_, KV_A3D_OMITTED(name)) A3dStatus A3DCALL name

// Placed after a definition: the compiler checks it against the type the plug-in calls.
#define KV_A3D_CHECKED(name)                                    \
  static_assert(std::is_same<decltype(&name), name##Fn>::value, \
                #name " has the signature the plug-in calls")
