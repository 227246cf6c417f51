#include "cstring_array.h"

#include <cstdint>
#include <cstdlib>
#include <new>
#include <utility>

namespace {

constexpr INT_PTR kMaxElements = static_cast<INT_PTR>(INTPTR_MAX / sizeof(CString) / 2);

const CString& NoString() {
  static const CString empty;
  return empty;
}

}  // namespace

CStringArray::CStringArray() : m_pData(nullptr), m_nSize(0), m_nMaxSize(0) {}

CStringArray::~CStringArray() {
  RemoveAll();
}

// Elements move into a new block one by one; a CString move cannot fail.
bool CStringArray::SetSize(INT_PTR size) {
  if (size < 0 || size > kMaxElements) {
    return false;
  }
  if (size > m_nMaxSize) {
    INT_PTR capacity = m_nMaxSize < 4 ? 4 : m_nMaxSize + m_nMaxSize / 2;
    capacity = capacity < size ? size : capacity > kMaxElements ? kMaxElements : capacity;
    CString* block = static_cast<CString*>(malloc(static_cast<size_t>(capacity) * sizeof(CString)));
    if (block == nullptr) {
      return false;
    }
    for (INT_PTR i = 0; i < m_nSize; ++i) {
      new (&block[i]) CString(std::move(m_pData[i]));
      m_pData[i].~CString();
    }
    free(m_pData);
    m_pData = block;
    m_nMaxSize = capacity;
  }
  for (INT_PTR i = m_nSize; i < size; ++i) {
    new (&m_pData[i]) CString();
  }
  for (INT_PTR i = size; i < m_nSize; ++i) {
    m_pData[i].~CString();
  }
  m_nSize = size;
  return true;
}

INT_PTR CStringArray::Add(const char* text) {
  // Copied before the array moves: text may be one of this array's own strings.
  CString copy(text);
  const INT_PTR index = m_nSize;
  if (!SetSize(index + 1)) {
    return -1;
  }
  m_pData[index] = std::move(copy);
  return index;
}

INT_PTR CStringArray::Add(const CString& text) {
  return Add(text.GetString());
}

const CString& CStringArray::GetAt(INT_PTR index) const {
  return index >= 0 && index < m_nSize ? m_pData[index] : NoString();
}

void CStringArray::SetAt(INT_PTR index, const char* text) {
  if (index >= 0 && index < m_nSize) {
    m_pData[index] = text;
  }
}

void CStringArray::SetAtGrow(INT_PTR index, const char* text) {
  if (index < 0) {
    return;
  }
  CString copy(text);
  if (index >= m_nSize && !SetSize(index + 1)) {
    return;
  }
  m_pData[index] = std::move(copy);
}

CString& CStringArray::operator[](INT_PTR index) {
  if (index >= 0 && index < m_nSize) {
    return m_pData[index];
  }
  static CString scratch;
  scratch.Empty();
  return scratch;
}

void CStringArray::RemoveAll() {
  for (INT_PTR i = 0; i < m_nSize; ++i) {
    m_pData[i].~CString();
  }
  free(m_pData);
  m_pData = nullptr;
  m_nSize = 0;
  m_nMaxSize = 0;
}
