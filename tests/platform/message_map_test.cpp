// Message maps: a lookup walks from a class's map through its bases to CCmdTarget's root.
#include <gtest/gtest.h>

#include "platform/mfc/object_chain.h"

namespace {

constexpr UINT kProbeCommand = 1234;
constexpr UINT kRangeFirst = 2000;
constexpr UINT kRangeLast = 2009;

class CProbeApp : public CWinApp {
 public:
  CProbeApp() : CWinApp("probe") {}
  int calls = 0;
  afx_msg void OnProbe() { ++calls; }
  DECLARE_MESSAGE_MAP()
};

// A class that adds nothing of its own: its empty map leads to its base's.
class CEmptyMap : public CProbeApp {
  DECLARE_MESSAGE_MAP()
};

TEST(MessageMap, EachClassLinksToItsBase) {
  CEmptyMap target;
  const AFX_MSGMAP* map = target.GetMessageMap();
  EXPECT_EQ(map, CEmptyMap::GetThisMessageMap());
  ASSERT_NE(map->pfnGetBaseMap, nullptr);
  EXPECT_EQ(map->pfnGetBaseMap(), CProbeApp::GetThisMessageMap());
  EXPECT_EQ(CProbeApp::GetThisMessageMap()->pfnGetBaseMap(), CWinApp::GetThisMessageMap());
  EXPECT_EQ(CWinApp::GetThisMessageMap()->pfnGetBaseMap(), CCmdTarget::GetThisMessageMap());
  EXPECT_EQ(CCmdTarget::GetThisMessageMap()->pfnGetBaseMap, nullptr);
  EXPECT_EQ(map->lpEntries[0].nSig, static_cast<UINT_PTR>(AfxSig_end));
}

TEST(MessageMap, LookupWalksToTheMapThatHandles) {
  CEmptyMap target;
  const AFX_MSGMAP* map = target.GetMessageMap();
  const AFX_MSGMAP* foundIn = nullptr;

  const AFX_MSGMAP_ENTRY* own = KvFindMessageEntry(map, WM_COMMAND, kProbeCommand, &foundIn);
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(foundIn, CProbeApp::GetThisMessageMap());
  (target.*own->pfn)();
  EXPECT_EQ(target.calls, 1);

  foundIn = nullptr;
  EXPECT_NE(KvFindMessageEntry(map, WM_COMMAND, kRangeLast, &foundIn), nullptr);
  EXPECT_EQ(foundIn, CProbeApp::GetThisMessageMap());

  const AFX_MSGMAP_ENTRY* base = KvFindMessageEntry(map, WM_COMMAND, ID_APP_EXIT, &foundIn);
  ASSERT_NE(base, nullptr);
  EXPECT_EQ(foundIn, CWinApp::GetThisMessageMap());
  EXPECT_EQ(base->nID, static_cast<UINT>(ID_APP_EXIT));

  foundIn = CWinApp::GetThisMessageMap();
  EXPECT_EQ(KvFindMessageEntry(map, WM_COMMAND, kRangeLast + 1, &foundIn), nullptr);
  EXPECT_EQ(KvFindMessageEntry(map, WM_COMMAND + 1, kProbeCommand, nullptr), nullptr);
  EXPECT_EQ(foundIn, CWinApp::GetThisMessageMap()) << "untouched when nothing is found";
  EXPECT_EQ(KvFindMessageEntry(nullptr, WM_COMMAND, kProbeCommand, nullptr), nullptr);
}

const AFX_MSGMAP* SelfMap();
const AFX_MSGMAP_ENTRY selfEntries[] = {{0, 0, 0, 0, AfxSig_end, nullptr}};
const AFX_MSGMAP selfMap = {&SelfMap, &selfEntries[0]};
const AFX_MSGMAP* SelfMap() {
  return &selfMap;
}

TEST(MessageMap, AMapThatIsItsOwnBaseEndsTheWalk) {
  EXPECT_EQ(KvFindMessageEntry(&selfMap, WM_COMMAND, 1, nullptr), nullptr);
}

// clang-format off
BEGIN_MESSAGE_MAP(CProbeApp, CWinApp)
  ON_COMMAND(kProbeCommand, OnProbe)
  {WM_COMMAND, 0, kRangeFirst, kRangeLast, AfxSigCmd_v, static_cast<AFX_PMSG>(&ThisClass::OnProbe)},
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CEmptyMap, CProbeApp)
END_MESSAGE_MAP()
// clang-format on

}  // namespace
