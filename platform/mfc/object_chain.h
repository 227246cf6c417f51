// The class chain the plug-in builds on: CObject, CCmdTarget, CWinThread, CWinApp, and CWnd
// as the type of a parent window.
#pragma once

#include <windows.h>

#include <cstddef>

#include "kv_mfc_api.h"
#include "message_map.h"

class CArchive;
class CDumpContext;

// The first virtuals, in MFC's order: destructor, Serialize, AssertValid, Dump.
class KV_MFC_API CObject {
 public:
  virtual ~CObject();
  virtual void Serialize(CArchive& archive);
  virtual void AssertValid() const;
  virtual void Dump(CDumpContext& context) const;

  static void* operator new(size_t size);
  static void* operator new(size_t, void* place) { return place; }
  static void operator delete(void* block);
  static void operator delete(void*, void*) {}

  CObject(const CObject&) = delete;
  CObject& operator=(const CObject&) = delete;

 protected:
  CObject();
};

// The root of the message maps (its base map is null).
class KV_MFC_API CCmdTarget : public CObject {
 public:
  CCmdTarget();
  ~CCmdTarget() override;
  static const AFX_MSGMAP* GetThisMessageMap();
  virtual const AFX_MSGMAP* GetMessageMap() const;
};

class KV_MFC_API CWnd : public CCmdTarget {
 public:
  CWnd();
  ~CWnd() override;
  HWND GetSafeHwnd() const { return m_hWnd; }

  HWND m_hWnd;
};

class KV_MFC_API CWinThread : public CCmdTarget {
 public:
  CWinThread();
  ~CWinThread() override;
  virtual BOOL InitInstance();  // TRUE
  virtual int ExitInstance();   // 0

  CWnd* m_pMainWnd;
};

// The application object. The first one constructed in the process is the one AfxGetApp
// answers, until it is destroyed.
class KV_MFC_API CWinApp : public CWinThread {
 public:
  // A null name takes the program's file name without its extension.
  explicit CWinApp(const char* appName = nullptr);
  ~CWinApp() override;
  BOOL InitInstance() override;
  int ExitInstance() override;

  const char* m_pszAppName;  // owned: a copy of the name

  afx_msg void OnAppExit();  // ID_APP_EXIT; there is no main window to close
  DECLARE_MESSAGE_MAP()
};

KV_MFC_API CWinApp* AfxGetApp();
// Process-wide counts of CWinApp constructions and destructions, for tests.
KV_MFC_API int KvMfcAppsConstructed();
KV_MFC_API int KvMfcAppsDestroyed();
