// The temporary PRC file shared by the import's hand-over and the PRC reader.
#pragma once

#include "platform/mfc/cstring.h"

// "%s\TVLTemp.prc" with the value of the "temp" environment variable, used unchanged. False,
// with the path left empty, when the variable is not set.
bool FormatTemporaryPrcPath(CString* path);
