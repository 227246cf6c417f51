// CString's searching, comparing and cutting. Positions and counts outside the string are
// clamped to it.
#include <strings.h>

#include <cctype>

#include "cstring.h"

namespace {

int Clamp(int value, int low, int high) {
  return value < low ? low : value > high ? high : value;
}

}  // namespace

int CString::Compare(const char* text) const {
  return strcmp(m_pszData, text != nullptr ? text : "");
}

int CString::CompareNoCase(const char* text) const {
  return strcasecmp(m_pszData, text != nullptr ? text : "");
}

int CString::Find(char ch, int start) const {
  const int length = GetLength();
  start = start < 0 ? 0 : start;
  if (start >= length || ch == '\0') {
    return -1;
  }
  const void* found = memchr(m_pszData + start, ch, static_cast<size_t>(length - start));
  return found != nullptr ? static_cast<int>(static_cast<const char*>(found) - m_pszData) : -1;
}

int CString::Find(const char* text, int start) const {
  const int length = GetLength();
  start = start < 0 ? 0 : start;
  if (text == nullptr || start > length) {
    return -1;
  }
  const char* found = strstr(m_pszData + start, text);
  return found != nullptr ? static_cast<int>(found - m_pszData) : -1;
}

int CString::ReverseFind(char ch) const {
  if (ch == '\0') {
    return -1;
  }
  const char* found = strrchr(m_pszData, ch);
  return found != nullptr ? static_cast<int>(found - m_pszData) : -1;
}

CString CString::Left(int count) const {
  return CString(m_pszData, Clamp(count, 0, GetLength()));
}

CString CString::Right(int count) const {
  const int length = GetLength();
  const int take = Clamp(count, 0, length);
  return CString(m_pszData + (length - take), take);
}

CString CString::Mid(int first) const {
  const int length = GetLength();
  const int from = Clamp(first, 0, length);
  return CString(m_pszData + from, length - from);
}

CString CString::Mid(int first, int count) const {
  const int length = GetLength();
  const int from = Clamp(first, 0, length);
  return CString(m_pszData + from, Clamp(count, 0, length - from));
}

CString& CString::MakeUpper() {
  for (char* c = m_pszData; *c != '\0'; ++c) {
    *c = static_cast<char>(toupper(static_cast<unsigned char>(*c)));
  }
  return *this;
}

CString& CString::MakeLower() {
  for (char* c = m_pszData; *c != '\0'; ++c) {
    *c = static_cast<char>(tolower(static_cast<unsigned char>(*c)));
  }
  return *this;
}
