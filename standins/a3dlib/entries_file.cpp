// Loading, writing and deleting model files.
#include "standins/a3dlib/a3d_export.h"
#include "standins/a3dlib/entry_support.h"
#include "standins/a3dlib/library_log.h"
#include "standins/a3dlib/model_file.h"
#include "standins/a3dlib/tree_walk.h"

using namespace a3dlib;

namespace {

A3dStatus Load(const char* path, A3dEntity* model, a3dstore::LoadStatus* loaded) {
  if (!path) {
    return kErrNullArgument;
  }
  a3dstore::Model tree;
  *loaded = a3dstore::LoadModelFile(std::string(path), &tree);
  switch (*loaded) {
    case a3dstore::LoadStatus::kOk:
      break;
    case a3dstore::LoadStatus::kUnreadable:
      return kErrFileOpen;
    case a3dstore::LoadStatus::kNoMemory:
      return kErrNoMemory;
    default:
      return kErrFileFormat;
  }
  uint32_t id = a3dstore::kNoRef;
  KV_A3D_TRY(ImportModel(std::move(tree), &id));
  *model = HandleOf(id);
  return kA3dSuccess;
}

a3dstore::WriteParams ParamsOf(const WriteParamsBlock& block) {
  a3dstore::WriteParams params;
  params.option04 = block.option04;
  params.option08 = block.option08;
  params.option0A = block.option0A;
  params.option0C = block.option0C;
  params.option10 = block.option10;
  return params;
}

// The tree is written from the entities' own arrays (lent, not copied): a large model is
// not held twice.
A3dStatus Write(A3dEntity handle, const WriteParamsBlock* params, const char* path,
                size_t* occurrences, size_t* tessellations) {
  KV_A3D_TRY(CheckBlock(params));
  if (!path) {
    return kErrNullArgument;
  }
  a3dstore::ModelFileEntry* file = nullptr;
  KV_A3D_TRY(Lookup(handle, &file));
  LentTree lent;
  KV_A3D_TRY(lent.Lend(IdOf(handle)));
  a3dstore::Model& tree = lent.tree();
  tree.file.writeParams = ParamsOf(*params);
  *occurrences = tree.occurrences.size();
  *tessellations = tree.tessellations.size();
  return a3dstore::WriteModelFile(tree, std::string(path)) ? kA3dSuccess : kErrFileWrite;
}

A3dStatus Delete(A3dEntity handle, size_t* deleted) {
  a3dstore::ModelFileEntry* file = nullptr;
  KV_A3D_TRY(Lookup(handle, &file));
  *deleted = DeleteModel(IdOf(handle));
  return kA3dSuccess;
}

}  // namespace

// The read parameters are opaque here and may be null: they are not read.
KV_A3D_ENTRY(A3DAsmModelFileLoadFromFile)
(const char* path, const void* readParams, A3dEntity* model) {
  a3dstore::LoadStatus loaded = a3dstore::LoadStatus::kOk;
  A3dStatus status = kErrNullArgument;
  if (model) {
    *model = nullptr;
    status = IfReady([&] { return Load(path, model, &loaded); });
  }
  // The loader's reason, when it refused the file.
  const char* reason = loaded == a3dstore::LoadStatus::kOk ? "" : a3dstore::LoadStatusName(loaded);
  LogLine("A3DAsmModelFileLoadFromFile path=\"%.400s\" -> %d%s%s%s #%u", path ? path : "", status,
          *reason ? " (" : "", reason, *reason ? ")" : "", model ? LogId(*model) : 0u);
  return status;
}
KV_A3D_CHECKED(A3DAsmModelFileLoadFromFile);

KV_A3D_ENTRY(A3DAsmModelFileWriteToFile)
(A3dEntity model, const WriteParamsBlock* params, const char* path) {
  size_t occurrences = 0;
  size_t tessellations = 0;
  const A3dStatus status = IfReadyAndNotForced(
      __func__, [&] { return Write(model, params, path, &occurrences, &tessellations); });
  LogLine("A3DAsmModelFileWriteToFile #%u path=\"%.400s\" -> %d occurrences=%u tessellations=%u",
          LogId(model), path ? path : "", status, unsigned(occurrences), unsigned(tessellations));
  return status;
}
KV_A3D_CHECKED(A3DAsmModelFileWriteToFile);

KV_A3D_ENTRY(A3DAsmModelFileDelete)(A3dEntity model) {
  size_t deleted = 0;
  const A3dStatus status = IfReady([&] { return Delete(model, &deleted); });
  LogLine("A3DAsmModelFileDelete #%u -> %d deleted=%u live=%u", LogId(model), status,
          unsigned(deleted), unsigned(State().entities.size()));
  return status;
}
KV_A3D_CHECKED(A3DAsmModelFileDelete);
