// Marks what a module exports and what another module imports from it.
#pragma once

#if defined(_WIN32)
#define KV_DLL_EXPORT __declspec(dllexport)
#define KV_DLL_IMPORT __declspec(dllimport)
#else
#define KV_DLL_EXPORT __attribute__((visibility("default")))
#define KV_DLL_IMPORT __attribute__((visibility("default")))
#endif
