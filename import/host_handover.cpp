#include "import/host_handover.h"

#include <io.h>

#include "import/a3d_binding.h"
#include "import/prc_writer.h"
#include "import/temp_path.h"
#include "platform/acrobat/host_operations.h"

// note: an object the host did not give (null) is never handed back to it; the steps that
// would need it are left out. A document the host did not open is a failure: the user would
// otherwise be left with nothing and no word.
int OpenPrcInHost(CString& path) {
  HostAtom pathKind = HostAtomFromString("Cstring");
  HostFileSys fileSys = HostFileSysFromPath(pathKind, path);
  if (!fileSys)
    return 0;
  HostPathName pathName = HostPathNameFromPath(fileSys, pathKind, path, nullptr);
  if (!pathName)
    return 0;
  HostViewDoc document = nullptr;
  HostText title = HostTextNew();
  if (title) {
    HostTextSetText(title, "Model");
    document = HostOpenDocFromFile(pathName, fileSys, title);
  }
  HostReleasePathName(fileSys, pathName);
  if (title)
    HostTextDestroy(title);
  return document ? 1 : 0;
}

int ImportMeshesIntoHost(ON_ClassArray<ON_Mesh>& meshes) {
  CString path;
  if (!FormatTemporaryPrcPath(&path)) {
    SetLastErrorText("Unable to create PRC file [The temp variable is not set]");
    return 0;
  }
  if (!WriteMeshesAsPrc(meshes, path))
    return 0;
  int opened = OpenPrcInHost(path);
  _unlink(path);
  if (!opened) {
    SetLastErrorText("Unable to open the PRC file in the host");
    return 0;
  }
  return 1;
}
