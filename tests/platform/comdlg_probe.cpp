// comdlg_probe [open|save]: shows the file dialog through the class library and prints the
// outcome, for the check that runs it under wine with the stand-in comdlg32.dll.
#include <cstdio>
#include <cstring>

#include "platform/mfc/file_dialog.h"

int main(int argc, char** argv) {
  const BOOL open = argc < 2 || strcmp(argv[1], "save") != 0;
  CFileDialog dialog(open, "skp", nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                     "SketchUp SKP Files (*.skp)|*.skp||");
  const INT_PTR result = dialog.DoModal();
  printf("\nresult=%s path=[%s] name=[%s]\n", result == IDOK ? "IDOK" : "IDCANCEL",
         dialog.GetPathName().GetString(), dialog.GetFileName().GetString());
  return 0;
}
