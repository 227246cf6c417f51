// CString: MFC's narrow string. One pointer to the characters; their length and capacity
// live in a header just before them, in the same block. Everything that allocates or frees
// is in the module, with malloc and free, so any module may free a string another made.
// Out-of-range positions and counts are clamped; an allocation failure leaves the string
// empty. To format a CString with %s, pass GetString(): a class object cannot go through
// "..." as its pointer.
#pragma once

#include <cstdarg>
#include <cstring>

#include "kv_mfc_api.h"

class KV_MFC_API CString {
 public:
  CString();
  CString(const char* text);              // null: empty
  CString(const char* text, int length);  // stops early at a NUL
  explicit CString(char ch, int repeat = 1);
  CString(const CString& other);
  CString(CString&& other) noexcept;
  ~CString();

  CString& operator=(const CString& other);
  CString& operator=(CString&& other) noexcept;
  CString& operator=(const char* text);

  int GetLength() const;
  bool IsEmpty() const;
  void Empty();
  operator const char*() const { return m_pszData; }
  const char* GetString() const { return m_pszData; }
  // '\0' for a position outside the string.
  char GetAt(int index) const;
  char operator[](int index) const { return GetAt(index); }
  void SetAt(int index, char ch);  // ignored outside the string

  int Compare(const char* text) const;
  int CompareNoCase(const char* text) const;
  // The position of the first match at or after start, -1 when none.
  int Find(char ch, int start = 0) const;
  int Find(const char* text, int start = 0) const;
  int ReverseFind(char ch) const;
  CString Left(int count) const;
  CString Right(int count) const;
  CString Mid(int first) const;
  CString Mid(int first, int count) const;
  CString& MakeUpper();
  CString& MakeLower();

  CString& operator+=(const CString& text);
  CString& operator+=(const char* text);
  CString& operator+=(char ch);

  // Any length: the result is measured first, then formatted into a block of that size.
  void Format(const char* format, ...) KV_MFC_PRINTF(2, 3);
  void FormatV(const char* format, va_list args);

  // Room for at least minLength characters and their NUL, the contents kept; null when it
  // cannot be had. ReleaseBuffer sets the length (-1: up to the first NUL).
  char* GetBuffer(int minLength);
  void ReleaseBuffer(int newLength = -1);

 private:
  void Assign(const char* text, int length);
  void Append(const char* text, int length);

  char* m_pszData;
};

KV_MFC_API CString operator+(const CString& left, const CString& right);
KV_MFC_API CString operator+(const CString& left, const char* right);
KV_MFC_API CString operator+(const char* left, const CString& right);
KV_MFC_API CString operator+(const CString& left, char right);
KV_MFC_API CString operator+(char left, const CString& right);

// A null const char* compares as the empty string.
inline bool operator==(const CString& left, const CString& right) {
  return strcmp(left.GetString(), right.GetString()) == 0;
}
inline bool operator==(const CString& left, const char* right) {
  return left.Compare(right) == 0;
}
inline bool operator==(const char* left, const CString& right) {
  return right.Compare(left) == 0;
}
inline bool operator!=(const CString& left, const CString& right) {
  return !(left == right);
}
inline bool operator!=(const CString& left, const char* right) {
  return !(left == right);
}
inline bool operator!=(const char* left, const CString& right) {
  return !(left == right);
}
