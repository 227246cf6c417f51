#include "import/import_command.h"

#include <cstdlib>
#include <new>

#include "frame/frame_state.h"
#include "frame/module_statics.h"
#include "import/a3d_binding.h"
#include "import/host_handover.h"
#include "platform/acrobat/host_operations.h"
#include "platform/mfc/file_dialog.h"
#include "platform/opennurbs/opennurbs.h"
#include "platform/ostrel/tvl_ostrel.h"

namespace {

// The storage of HostNames, whose entries InitHostNames and DestroyHostNames build and destroy
// rather than the compiler's handling of static objects.
union HostNamesStorage {
  constexpr HostNamesStorage() : unbuilt() {}
  ~HostNamesStorage() {}
  char unbuilt;
  HostNameTable table;
};
HostNamesStorage hostNamesStorage;

// Runs InitHostNames at the place among the module's static objects that HostNames has.
struct HostNamesAtLoad {
  HostNamesAtLoad() { InitHostNames(); }
};
KV_MODULE_STATIC(KV_ORDER_HOST_NAMES) HostNamesAtLoad hostNamesAtLoad;

const char kNoMeshMessage[] =
    "SKP file does not contain mesh data.\n\nNote: Components in SKP files will need to be "
    "exploded in SketchUp to expose their mesh data.";

}  // namespace

HostNameTable& HostNames = hostNamesStorage.table;

// Registered right after the build, so that the runtime's exit list destroys the names in
// their place among the module's static objects, before those built earlier.
void InitHostNames() {
  new (&hostNamesStorage.table) HostNameTable();  // entry 0, then entry 1
  std::atexit(DestroyHostNames);
}

void DestroyHostNames() {
  hostNamesStorage.table.~HostNameTable();  // entry 1, then entry 0
}

int CheckHostVersion(int requiredIndex) {
  if (GetHostIndex() == requiredIndex)
    return 1;
  CString message;
  message.Format("This plug-in is designed to work with %s only",
                 static_cast<const char*>(HostNames[requiredIndex]));
  HostAlert(message);
  return 0;
}

int CheckImportAllowed() {
  return CheckHostVersion(1);
}

int RunImportCommand() {
  if (!CheckImportAllowed())
    return 0;
  return ImportSkpModel();
}

int ImportSkpModel() {
  CFileDialog dialog(TRUE, "skp", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                     "SketchUp SKP Files (*.skp)|*.skp||", nullptr, 0);
  if (dialog.DoModal() == IDCANCEL)
    return 0;

  ON_ClassArray<ON_Mesh> meshes;
  if (!TVLOstrel::SKPToMesh(dialog.GetPathName(), meshes)) {
    CString error = TVLOstrel::GetError();
    HostAlert(error);
    return 0;
  }
  if (meshes.Count() == 0) {
    HostAlert(kNoMeshMessage);
    return 0;
  }
  if (ImportMeshesIntoHost(meshes))
    return 1;
  CString error = GetLastErrorText();
  HostAlert(error);
  return 0;
}
