// CStringArray: a growable array of CString that copies what it is given. A position
// outside the array reads as the empty string and is ignored by SetAt.
#pragma once

#include <windows.h>

#include "cstring.h"
#include "kv_mfc_api.h"

class KV_MFC_API CStringArray {
 public:
  CStringArray();
  ~CStringArray();
  CStringArray(const CStringArray&) = delete;
  CStringArray& operator=(const CStringArray&) = delete;

  INT_PTR GetSize() const { return m_nSize; }
  INT_PTR GetCount() const { return m_nSize; }
  INT_PTR GetUpperBound() const { return m_nSize - 1; }
  bool IsEmpty() const { return m_nSize == 0; }

  // The new element's index; -1 when there was no room for it.
  INT_PTR Add(const char* text);
  INT_PTR Add(const CString& text);
  const CString& GetAt(INT_PTR index) const;
  void SetAt(INT_PTR index, const char* text);
  // Grows the array to reach index (the new elements empty) and sets the element.
  void SetAtGrow(INT_PTR index, const char* text);
  const CString& operator[](INT_PTR index) const { return GetAt(index); }
  // Outside the array: a scratch string whose writes are dropped.
  CString& operator[](INT_PTR index);
  void RemoveAll();

 private:
  bool SetSize(INT_PTR size);

  CString* m_pData;
  INT_PTR m_nSize;
  INT_PTR m_nMaxSize;
};
