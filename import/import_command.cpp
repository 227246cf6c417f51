#include "import/import_command.h"

#include "frame/frame_state.h"
#include "frame/module_statics.h"
#include "import/a3d_binding.h"
#include "import/host_handover.h"
#include "platform/acrobat/host_operations.h"
#include "platform/mfc/file_dialog.h"
#include "platform/opennurbs/opennurbs.h"
#include "platform/ostrel/tvl_ostrel.h"

KV_MODULE_STATIC(KV_ORDER_HOST_NAMES) HostNameTable HostNames;

namespace {

const char kNoMeshMessage[] =
    "SKP file does not contain mesh data.\n\nNote: Components in SKP files will need to be "
    "exploded in SketchUp to expose their mesh data.";

}  // namespace

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
