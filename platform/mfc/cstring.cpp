// CString's storage: construction, assignment, appending and the raw buffer.
#include "cstring.h"

#include <cstddef>
#include <cstdlib>
#include <utility>

#include "cstring_data.h"

namespace kv_mfc {

namespace {

struct EmptyString {
  StringHeader header;
  char nul;
};
static_assert(offsetof(EmptyString, nul) == sizeof(StringHeader),
              "the empty string's characters follow its header");
EmptyString emptyString = {{0, 0}, '\0'};

}  // namespace

char* EmptyStringData() {
  return &emptyString.nul;
}

char* AllocateStringData(int capacity) {
  if (capacity < 1 || capacity > kMaxStringCapacity) {
    return nullptr;
  }
  void* block = malloc(sizeof(StringHeader) + static_cast<size_t>(capacity) + 1);
  if (block == nullptr) {
    return nullptr;
  }
  StringHeader* header = static_cast<StringHeader*>(block);
  header->length = 0;
  header->capacity = capacity;
  char* data = reinterpret_cast<char*>(header + 1);
  data[0] = '\0';
  return data;
}

void FreeStringData(char* data) {
  if (data != nullptr && data != EmptyStringData()) {
    free(HeaderOf(data));
  }
}

}  // namespace kv_mfc

using kv_mfc::HeaderOf;

static_assert(sizeof(CString) == sizeof(char*), "a CString is one pointer to its characters");

namespace {

int ClampedLength(const char* text) {
  if (text == nullptr) {
    return 0;
  }
  const size_t length = strlen(text);
  return length > static_cast<size_t>(kv_mfc::kMaxStringCapacity) ? kv_mfc::kMaxStringCapacity
                                                                  : static_cast<int>(length);
}

}  // namespace

CString::CString() : m_pszData(kv_mfc::EmptyStringData()) {}

CString::CString(const char* text) : m_pszData(kv_mfc::EmptyStringData()) {
  Assign(text, ClampedLength(text));
}

CString::CString(const char* text, int length) : m_pszData(kv_mfc::EmptyStringData()) {
  Assign(text, text == nullptr || length < 0 ? 0 : static_cast<int>(strnlen(text, length)));
}

CString::CString(char ch, int repeat) : m_pszData(kv_mfc::EmptyStringData()) {
  if (repeat <= 0 || ch == '\0') {
    return;
  }
  char* data = kv_mfc::AllocateStringData(repeat);
  if (data != nullptr) {
    memset(data, ch, static_cast<size_t>(repeat));
    data[repeat] = '\0';
    HeaderOf(data)->length = repeat;
    m_pszData = data;
  }
}

CString::CString(const CString& other) : m_pszData(kv_mfc::EmptyStringData()) {
  Assign(other.m_pszData, other.GetLength());
}

CString::CString(CString&& other) noexcept : m_pszData(other.m_pszData) {
  other.m_pszData = kv_mfc::EmptyStringData();
}

CString::~CString() {
  kv_mfc::FreeStringData(m_pszData);
}

CString& CString::operator=(const CString& other) {
  if (this != &other) {
    Assign(other.m_pszData, other.GetLength());
  }
  return *this;
}

CString& CString::operator=(CString&& other) noexcept {
  std::swap(m_pszData, other.m_pszData);
  return *this;
}

CString& CString::operator=(const char* text) {
  Assign(text, ClampedLength(text));
  return *this;
}

int CString::GetLength() const {
  return HeaderOf(m_pszData)->length;
}

bool CString::IsEmpty() const {
  return GetLength() == 0;
}

void CString::Empty() {
  kv_mfc::FreeStringData(m_pszData);
  m_pszData = kv_mfc::EmptyStringData();
}

char CString::GetAt(int index) const {
  return index >= 0 && index < GetLength() ? m_pszData[index] : '\0';
}

void CString::SetAt(int index, char ch) {
  if (index >= 0 && index < GetLength() && ch != '\0') {
    m_pszData[index] = ch;
  }
}

// text may point into this string's own characters.
void CString::Assign(const char* text, int length) {
  if (length <= 0) {
    Empty();
    return;
  }
  if (length <= HeaderOf(m_pszData)->capacity) {
    memmove(m_pszData, text, static_cast<size_t>(length));
  } else {
    char* data = kv_mfc::AllocateStringData(length);
    if (data == nullptr) {
      Empty();
      return;
    }
    memcpy(data, text, static_cast<size_t>(length));
    kv_mfc::FreeStringData(m_pszData);
    m_pszData = data;
  }
  m_pszData[length] = '\0';
  HeaderOf(m_pszData)->length = length;
}

// text may point into this string's own characters (s += s).
void CString::Append(const char* text, int length) {
  const int old = GetLength();
  if (length <= 0) {
    return;
  }
  if (length > kv_mfc::kMaxStringCapacity - old) {
    Empty();
    return;
  }
  const int total = old + length;
  const int capacity = HeaderOf(m_pszData)->capacity;
  if (total <= capacity) {
    memmove(m_pszData + old, text, static_cast<size_t>(length));
  } else {
    // Geometric growth keeps a run of appends linear.
    const int grown =
        capacity > kv_mfc::kMaxStringCapacity / 2 ? kv_mfc::kMaxStringCapacity : capacity * 2;
    char* data = kv_mfc::AllocateStringData(total > grown ? total : grown);
    if (data == nullptr) {
      Empty();
      return;
    }
    memcpy(data, m_pszData, static_cast<size_t>(old));
    memcpy(data + old, text, static_cast<size_t>(length));
    kv_mfc::FreeStringData(m_pszData);
    m_pszData = data;
  }
  m_pszData[total] = '\0';
  HeaderOf(m_pszData)->length = total;
}

CString& CString::operator+=(const CString& text) {
  Append(text.m_pszData, text.GetLength());
  return *this;
}

CString& CString::operator+=(const char* text) {
  Append(text, ClampedLength(text));
  return *this;
}

CString& CString::operator+=(char ch) {
  if (ch != '\0') {
    Append(&ch, 1);
  }
  return *this;
}

char* CString::GetBuffer(int minLength) {
  const int length = GetLength();
  const int wanted = minLength > length ? minLength : length;
  const int capacity = HeaderOf(m_pszData)->capacity;
  // The shared empty string is never handed out for writing.
  if (capacity > 0 && wanted <= capacity) {
    return m_pszData;
  }
  char* data = kv_mfc::AllocateStringData(wanted > 0 ? wanted : 1);
  if (data == nullptr) {
    return nullptr;
  }
  memcpy(data, m_pszData, static_cast<size_t>(length) + 1);
  HeaderOf(data)->length = length;
  kv_mfc::FreeStringData(m_pszData);
  m_pszData = data;
  return m_pszData;
}

void CString::ReleaseBuffer(int newLength) {
  const int capacity = HeaderOf(m_pszData)->capacity;
  if (capacity == 0) {
    return;  // the shared empty string: nothing was written
  }
  if (newLength < 0 || newLength > capacity) {
    newLength = static_cast<int>(strnlen(m_pszData, static_cast<size_t>(capacity)));
  }
  m_pszData[newLength] = '\0';
  HeaderOf(m_pszData)->length = newLength;
}

CString operator+(const CString& left, const CString& right) {
  CString result(left);
  result += right;
  return result;
}

CString operator+(const CString& left, const char* right) {
  CString result(left);
  result += right;
  return result;
}

CString operator+(const char* left, const CString& right) {
  CString result(left);
  result += right;
  return result;
}

CString operator+(const CString& left, char right) {
  CString result(left);
  result += right;
  return result;
}

CString operator+(char left, const CString& right) {
  CString result(left);
  result += right;
  return result;
}
