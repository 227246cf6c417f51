#include "import/prc_stream_reader.h"

#include <io.h>

#include <cstdio>
#include <optional>

#include "import/a3d_binding.h"
#include "import/prc_tree_walk.h"
#include "import/temp_path.h"
#include "platform/acrobat/host_operations.h"

namespace {

constexpr uint32_t kCopyBufferSize = 1024;
constexpr int32_t kDecodedContent = 2;

// The "3DD" stream of an annotation when it is a valid 3D annotation holding PRC data.
bool FindPrcStream(HostAnnot annotation, HostCosObj* stream) {
  if (!HostAnnotIsValid(annotation))
    return false;
  if (HostAnnotGetSubtype(annotation) != HostAtomFromString("3D"))
    return false;
  HostCosObj dictionary = HostAnnotGetCosDict(annotation);
  HostCosObj entry = HostCosDictGet(dictionary, HostAtomFromString("3DD"));
  if (HostCosObjType(entry) != kHostCosStream)
    return false;
  HostCosObj subtype = HostCosDictGet(entry, HostAtomFromString("Subtype"));
  if (HostCosNameValue(subtype) != HostAtomFromString("PRC"))
    return false;
  *stream = entry;
  return true;
}

// The PRC streams of one page, each copied, loaded and walked; 0 at the first failure, which
// ends the page.
int ScanPage(HostPage page, CString& path, ON_ClassArray<ON_Mesh>& meshes,
             ON_SimpleArray<double>& units, CStringArray& names) {
  for (int32_t j = 0; j < HostPageAnnotCount(page); ++j) {
    HostCosObj stream;
    if (!FindPrcStream(HostPageGetAnnot(page, j), &stream))
      continue;
    if (!DumpPrcStream(stream, path))
      return 0;
    if (!LoadPrcModel(path, meshes, units, names))
      return 0;
  }
  return 1;
}

// Copies the host stream into the file until a read comes back short.
bool CopyHostStream(HostStream hostStream, std::FILE* file) {
  char buffer[kCopyBufferSize];
  int32_t n = 0;
  do {
    n = HostStreamRead(buffer, 1, kCopyBufferSize, hostStream);
    if (n < 0 || static_cast<uint32_t>(n) > kCopyBufferSize)
      return false;
    std::fwrite(buffer, 1, static_cast<size_t>(n), file);
  } while (static_cast<uint32_t>(n) == kCopyBufferSize);
  return true;
}

}  // namespace

int DumpPrcStream(HostCosObj stream, CString& path) {
  std::FILE* file = path.IsEmpty() ? nullptr : std::fopen(path, "wb");
  if (!file) {
    SetLastErrorText("Unable to create PRC file");
    return 0;
  }
  HostStream hostStream = HostCosStreamOpen(stream, kDecodedContent);
  bool copied = hostStream && CopyHostStream(hostStream, file);
  if (hostStream)
    HostStreamClose(hostStream);
  std::fclose(file);
  if (!copied) {
    SetLastErrorText("Unable to create PRC file [The stream cannot be read]");
    return 0;
  }
  return 1;
}

int LoadPrcModel(CString& path, ON_ClassArray<ON_Mesh>& meshes, ON_SimpleArray<double>& units,
                 CStringArray& names) {
  A3dEntity model = nullptr;
  if (A3dCall(A3DAsmModelFileLoadFromFile)(path, nullptr, &model) != kA3dSuccess || !model) {
    SetLastErrorText("Unable to load model file");
    return 0;
  }
  int result = WalkModelFile(model, meshes, units, names);
  A3dCall(A3DAsmModelFileDelete)(model);
  return result;
}

int ScanPrcAnnotations(HostViewDoc& viewDoc, ON_ClassArray<ON_Mesh>& meshes,
                       ON_SimpleArray<double>& units, CStringArray& names) {
  HostPdDoc document = HostViewDocGetPdDoc(viewDoc);
  CString path;
  // note: without a "temp" variable there is no path; every copy then fails
  FormatTemporaryPrcPath(&path);
  meshes.Destroy();

  int result = 1;
  for (int32_t i = 0; i < HostDocPageCount(document); ++i) {
    HostPage page = HostDocAcquirePage(document, i);
    if (page && !ScanPage(page, path, meshes, units, names))
      result = 0;
  }
  if (!path.IsEmpty())
    _unlink(path);
  return result;
}

int ReadDocumentPrc(HostViewDoc& viewDoc, ON_ClassArray<ON_Mesh>& meshes) {
  // Declared before the library so that they are destroyed, the names first, after the library
  // has been terminated and unloaded; made only once the library is ready.
  std::optional<ON_SimpleArray<double>> units;
  std::optional<CStringArray> names;
  // every entry point the reader calls, so that none is called when one is missing
  A3dLibrarySession library(
      {A3dEntry::A3DAsmModelFileLoadFromFile, A3dEntry::A3DAsmModelFileDelete,
       A3dEntry::A3DAsmModelFileGet, A3dEntry::A3DAsmProductOccurrenceGet,
       A3dEntry::A3DAsmPartDefinitionGet, A3dEntry::A3DRiRepresentationItemGet,
       A3dEntry::A3DTessBaseGet, A3dEntry::A3DTess3DGet, A3dEntry::A3DEntityGetType,
       A3dEntry::A3DRootBaseGet, A3dEntry::A3DMiscCascadedAttributesCreate,
       A3dEntry::A3DMiscCascadedAttributesPush, A3dEntry::A3DMiscCascadedAttributesGet,
       A3dEntry::A3DMiscCascadedAttributesDelete, A3dEntry::A3DDllTerminate});
  if (!library.Ready())
    return 0;
  units.emplace();
  names.emplace();
  return ScanPrcAnnotations(viewDoc, meshes, *units, *names);
}
