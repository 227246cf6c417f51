#include "file_dialog.h"

#include <cstdlib>
#include <cstring>

#include "platform/posix/file_prompt.h"

namespace {

// MFC's filter with bars turned into the dialog's NUL-separated list, ended by a double
// NUL even when the bars at the end are missing. Null for no filter or no memory.
char* DialogFilter(const char* filter) {
  if (filter == nullptr || filter[0] == '\0') {
    return nullptr;
  }
  const size_t length = strlen(filter);
  char* list = static_cast<char*>(calloc(length + 2, 1));
  if (list == nullptr) {
    return nullptr;
  }
  for (size_t i = 0; i < length; ++i) {
    list[i] = filter[i] == '|' ? '\0' : filter[i];
  }
  return list;
}

// The length of a NUL-separated list up to and with its double NUL.
size_t ListLength(const char* list) {
  size_t i = 0;
  while (list[i] != '\0' || list[i + 1] != '\0') {
    ++i;
  }
  return i + 2;
}

struct TestAnswer {
  bool enabled = false;
  bool cancel = true;
  std::string path;
};

TestAnswer& Answer() {
  static TestAnswer answer;
  return answer;
}

KvFileDialogRecord& Record() {
  static KvFileDialogRecord record;
  return record;
}

void Remember(const OPENFILENAMEA& ofn, bool open) {
  KvFileDialogRecord& record = Record();
  ++record.calls;
  record.open = open;
  record.filter = ofn.lpstrFilter != nullptr
                      ? std::string(ofn.lpstrFilter, ListLength(ofn.lpstrFilter))
                      : std::string();
  record.defaultExtension = ofn.lpstrDefExt != nullptr ? ofn.lpstrDefExt : "";
  record.fileName = ofn.lpstrFile != nullptr ? ofn.lpstrFile : "";
  record.flags = ofn.Flags;
}

KvFileDialogArguments& Arguments() {
  static KvFileDialogArguments arguments;
  return arguments;
}

std::optional<std::string> Given(const char* text) {
  return text != nullptr ? std::optional<std::string>(text) : std::nullopt;
}

}  // namespace

CFileDialog::CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt, const char* lpszFileName,
                         DWORD dwFlags, const char* lpszFilter, CWnd* pParentWnd, DWORD dwSize)
    : m_bOpenFileDialog(bOpenFileDialog),
      m_pszFilter(DialogFilter(lpszFilter)),
      m_strDefExt(lpszDefExt) {
  KvFileDialogArguments& arguments = Arguments();
  ++arguments.constructed;
  arguments.open = bOpenFileDialog;
  arguments.defaultExtension = Given(lpszDefExt);
  arguments.fileName = Given(lpszFileName);
  arguments.flags = dwFlags;
  arguments.filter = Given(lpszFilter);
  arguments.parent = pParentWnd;
  arguments.size = dwSize;
  memset(&m_ofn, 0, sizeof m_ofn);
  memset(m_szFileName, 0, sizeof m_szFileName);
  memset(m_szFileTitle, 0, sizeof m_szFileTitle);
  if (lpszFileName != nullptr) {
    strncpy(m_szFileName, lpszFileName, sizeof m_szFileName - 1);
  }
  m_ofn.lStructSize = dwSize != 0 && dwSize < sizeof m_ofn ? dwSize : sizeof m_ofn;
  m_ofn.hwndOwner = pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr;
  m_ofn.lpstrFilter = m_pszFilter;
  m_ofn.nFilterIndex = m_pszFilter != nullptr ? 1 : 0;
  m_ofn.lpstrFile = m_szFileName;
  m_ofn.nMaxFile = sizeof m_szFileName;
  m_ofn.lpstrFileTitle = m_szFileTitle;
  m_ofn.nMaxFileTitle = sizeof m_szFileTitle;
  m_ofn.lpstrDefExt = lpszDefExt != nullptr ? m_strDefExt.GetString() : nullptr;
  m_ofn.Flags = dwFlags | OFN_EXPLORER;
}

CFileDialog::~CFileDialog() {
  free(m_pszFilter);
}

INT_PTR CFileDialog::DoModal() {
  Remember(m_ofn, m_bOpenFileDialog != FALSE);
  const TestAnswer& answer = Answer();
  if (answer.enabled) {
    return !answer.cancel && kv_prompt::StoreAnswer(&m_ofn, answer.path) ? IDOK : IDCANCEL;
  }
  const BOOL chosen = m_bOpenFileDialog ? GetOpenFileNameA(&m_ofn) : GetSaveFileNameA(&m_ofn);
  return chosen ? IDOK : IDCANCEL;
}

// The name in lpstrFile, read no further than nMaxFile.
static int FileNameLength(const OPENFILENAMEA& ofn) {
  return ofn.lpstrFile != nullptr ? static_cast<int>(strnlen(ofn.lpstrFile, ofn.nMaxFile)) : 0;
}

CString CFileDialog::GetPathName() const {
  return CString(m_ofn.lpstrFile, FileNameLength(m_ofn));
}

CString CFileDialog::GetFileName() const {
  const int length = FileNameLength(m_ofn);
  if (m_ofn.nFileOffset > length) {
    return CString();
  }
  return CString(m_ofn.lpstrFile + m_ofn.nFileOffset, length - m_ofn.nFileOffset);
}

void KvSetFileDialogAnswerForTesting(const char* path, bool enabled) {
  TestAnswer& answer = Answer();
  answer.enabled = enabled;
  answer.cancel = path == nullptr;
  answer.path = path != nullptr ? path : "";
}

KvFileDialogRecord KvLastFileDialog() {
  return Record();
}

std::string KvLastFileDialogFilter() {
  return Record().filter;
}

KvFileDialogArguments KvLastFileDialogArguments() {
  return Arguments();
}
