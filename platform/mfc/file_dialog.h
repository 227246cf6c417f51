// CFileDialog: the common Open / Save dialog. DoModal asks GetOpenFileNameA or
// GetSaveFileNameA: the system's dialog on win32 (under wine, the stand-in comdlg32.dll when
// it is chosen), the terminal prompt of the native build.
#pragma once

#include <windows.h>
// After windows.h: the dialog's record is in commdlg.h on the win32 build.
#include <commdlg.h>

#include <optional>
#include <string>

#include "cstring.h"
#include "kv_mfc_api.h"
#include "object_chain.h"

class KV_MFC_API CFileDialog : public CWnd {
 public:
  // The filter is MFC's: "Description|*.ext|...||", bars between the strings. dwSize, when
  // not 0, is the record size to announce (an older, shorter OPENFILENAMEA).
  explicit CFileDialog(BOOL bOpenFileDialog, const char* lpszDefExt = nullptr,
                       const char* lpszFileName = nullptr,
                       DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       const char* lpszFilter = nullptr, CWnd* pParentWnd = nullptr,
                       DWORD dwSize = 0);
  ~CFileDialog() override;

  virtual INT_PTR DoModal();  // IDOK or IDCANCEL
  CString GetPathName() const;
  CString GetFileName() const;

  OPENFILENAMEA m_ofn;

 private:
  static constexpr DWORD kFileNameSize = 1024;  // more than MAX_PATH

  BOOL m_bOpenFileDialog;
  char* m_pszFilter;  // the dialog's list: NUL-separated strings ended by a double NUL
  CString m_strDefExt;
  char m_szFileName[kFileNameSize];
  char m_szFileTitle[MAX_PATH];
};

// For tests in the same process: while enabled, DoModal shows nothing and answers path
// (null: Cancel) as if it had been chosen. Off unless a test turns it on.
KV_MFC_API void KvSetFileDialogAnswerForTesting(const char* path, bool enabled);

// What the last DoModal was asked with (whether the answer came from the hook or not).
struct KvFileDialogRecord {
  int calls = 0;  // DoModal calls so far in the process
  bool open = false;
  std::string filter;  // the dialog's list, with its NULs, up to and with the double NUL
  std::string defaultExtension;
  std::string fileName;  // lpstrFile when DoModal began
  DWORD flags = 0;
};
KV_MFC_API KvFileDialogRecord KvLastFileDialog();
KV_MFC_API std::string KvLastFileDialogFilter();

// What the last CFileDialog was constructed with, as its caller gave it: a null string is
// kept apart from an empty one, and the flags are those given, before the dialog adds its own.
struct KvFileDialogArguments {
  int constructed = 0;  // dialogs constructed so far in the process
  BOOL open = FALSE;
  std::optional<std::string> defaultExtension;
  std::optional<std::string> fileName;
  DWORD flags = 0;
  std::optional<std::string> filter;
  const CWnd* parent = nullptr;
  DWORD size = 0;
};
KV_MFC_API KvFileDialogArguments KvLastFileDialogArguments();
