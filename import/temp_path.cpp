#include "import/temp_path.h"

#include <cstdlib>

bool FormatTemporaryPrcPath(CString* path) {
  const char* directory = std::getenv("temp");
  if (!directory) {
    path->Empty();
    return false;
  }
  path->Format("%s\\TVLTemp.prc", directory);
  return true;
}
