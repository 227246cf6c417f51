#include "object_chain.h"

#include <new>

CObject::CObject() {}
CObject::~CObject() {}
void CObject::Serialize(CArchive&) {}
void CObject::AssertValid() const {}
void CObject::Dump(CDumpContext&) const {}
void* CObject::operator new(size_t size) {
  return ::operator new(size);
}
void CObject::operator delete(void* block) {
  ::operator delete(block);
}

CCmdTarget::CCmdTarget() {}
CCmdTarget::~CCmdTarget() {}

CWnd::CWnd() : m_hWnd(nullptr) {}
CWnd::~CWnd() {}

CWinThread::CWinThread() : m_pMainWnd(nullptr) {}
CWinThread::~CWinThread() {}
BOOL CWinThread::InitInstance() {
  return TRUE;
}
int CWinThread::ExitInstance() {
  return 0;
}
