// CString::Format: measured, then formatted into a block of exactly that size.
#include <cstdio>

#include "cstring.h"
#include "cstring_data.h"

void CString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  FormatV(format, args);
  va_end(args);
}

void CString::FormatV(const char* format, va_list args) {
  if (format == nullptr) {
    Empty();
    return;
  }
  va_list measure;
  va_copy(measure, args);
  const int length = vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (length <= 0) {
    Empty();
    return;
  }
  // A new block: the arguments may point into this string's characters.
  char* data = kv_mfc::AllocateStringData(length);
  if (data == nullptr) {
    Empty();
    return;
  }
  const int written = vsnprintf(data, static_cast<size_t>(length) + 1, format, args);
  kv_mfc::HeaderOf(data)->length = written == length ? length : 0;
  data[kv_mfc::HeaderOf(data)->length] = '\0';
  kv_mfc::FreeStringData(m_pszData);
  m_pszData = data;
}
