// What the class library module exports.
#pragma once

#if defined(_WIN32)
#if defined(KV_MFC_BUILDING)
#define KV_MFC_API __declspec(dllexport)
#else
#define KV_MFC_API __declspec(dllimport)
#endif
// Formatting goes through the C99 vsnprintf of the MinGW runtime, not msvcrt's.
#define KV_MFC_PRINTF(format_index, first_arg) \
  __attribute__((format(gnu_printf, format_index, first_arg)))
#else
#define KV_MFC_API __attribute__((visibility("default")))
#define KV_MFC_PRINTF(format_index, first_arg) \
  __attribute__((format(printf, format_index, first_arg)))
#endif
