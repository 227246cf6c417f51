// The names of the hosts, indexed by the host index: 0 for every host but version 9.
#pragma once

#include "platform/mfc/cstring.h"

struct HostNameTable {
  // entry 0 is built first; as members, entry 1 is destroyed first
  CString names[2] = {CString("Acrobat ????"), CString("Acrobat 9")};

  const CString& operator[](int index) const { return names[index == 1 ? 1 : 0]; }
};
