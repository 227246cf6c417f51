// Marks what a module exports and what another module imports from it.
#pragma once

#if defined(_WIN32)
#define KV_DLL_EXPORT __declspec(dllexport)
#define KV_DLL_IMPORT __declspec(dllimport)
#else
#define KV_DLL_EXPORT __attribute__((visibility("default")))
#define KV_DLL_IMPORT __attribute__((visibility("default")))
#endif

// The calling convention of the procedures one module calls in another (the C convention on
// 32-bit Windows, stated rather than left to the compiler's default).
#if defined(_WIN32) && !defined(_WIN64)
#define KV_CDECL __cdecl
#else
#define KV_CDECL
#endif
