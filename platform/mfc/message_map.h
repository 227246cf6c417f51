// Message maps: each command-target class has a table of the messages it handles and a
// link to its base class's table; a lookup walks from the class to CCmdTarget's root.
#pragma once

#include <windows.h>

#include "kv_mfc_api.h"

class CCmdTarget;

using AFX_PMSG = void (CCmdTarget::*)();

// The kind of handler of an entry; AfxSig_end marks the end of a table.
enum : UINT_PTR { AfxSig_end = 0, AfxSigCmd_v = 12 };

struct AFX_MSGMAP_ENTRY {
  UINT nMessage;  // e.g. WM_COMMAND
  UINT nCode;     // the notification code (0 for a command)
  UINT nID;       // first id handled
  UINT nLastID;   // last id handled (nID for a single one)
  UINT_PTR nSig;  // the handler's kind; AfxSig_end ends the table
  AFX_PMSG pfn;
};

struct AFX_MSGMAP {
  const AFX_MSGMAP* (*pfnGetBaseMap)();  // null for the root
  const AFX_MSGMAP_ENTRY* lpEntries;
};

#define ID_APP_EXIT 0xE141

// The entry that handles (message, id), searching map and then each base map; null when
// none does. foundIn (may be null) receives the map holding the entry.
KV_MFC_API const AFX_MSGMAP_ENTRY* KvFindMessageEntry(const AFX_MSGMAP* map, UINT message, UINT id,
                                                      const AFX_MSGMAP** foundIn);

#define afx_msg

// In a class derived from CCmdTarget. Leaves the class at public access.
#define DECLARE_MESSAGE_MAP()                   \
 public:                                        \
  static const AFX_MSGMAP* GetThisMessageMap(); \
  const AFX_MSGMAP* GetMessageMap() const override;

// clang-format off
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                        \
  const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); }   \
  const AFX_MSGMAP* theClass::GetThisMessageMap() {                                   \
    using ThisClass [[maybe_unused]] = theClass;                                      \
    using TheBaseClass = baseClass;                                                   \
    static const AFX_MSGMAP_ENTRY messageEntries[] = {

#define END_MESSAGE_MAP()                                                             \
      {0, 0, 0, 0, AfxSig_end, nullptr}};                                             \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap,           \
                                          &messageEntries[0]};                        \
    return &messageMap;                                                               \
  }

#define ON_COMMAND(id, memberFxn)                                                     \
  {WM_COMMAND, 0, static_cast<UINT>(id), static_cast<UINT>(id), AfxSigCmd_v,         \
   static_cast<AFX_PMSG>(&ThisClass::memberFxn)},
// clang-format on
