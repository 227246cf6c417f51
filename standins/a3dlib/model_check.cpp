// The rules a model must meet to be written, which the loader applies to what it read.
#include "standins/a3dlib/model_file.h"

namespace a3dstore {
namespace {

constexpr size_t kMaxCount = 0xFFFFFFFFu;

bool BaseValid(const Base& base) {
  if ((base.flags & ~kKnownFlags) != 0) {
    return false;
  }
  if (!base.name) {
    return true;
  }
  // 0xFFFFFFFF is the length that marks an unnamed entity.
  return base.name->size() < kMaxCount && base.name->find('\0') == std::string::npos;
}

// Every entry of the list names a row of a table with `rows` rows.
bool AllIn(const std::vector<uint32_t>& list, size_t rows) {
  if (list.size() > kMaxCount) {
    return false;
  }
  for (uint32_t ref : list) {
    if (ref >= rows) {
      return false;
    }
  }
  return true;
}

bool InOrNone(uint32_t ref, size_t rows) {
  return ref == kNoRef || ref < rows;
}

bool TessellationValid(const Tessellation& tess) {
  if (!BaseValid(tess.base) || tess.coords.size() > kMaxCount || tess.normals.size() > kMaxCount ||
      tess.indices.size() > kMaxCount || tess.faces.size() > kMaxCount) {
    return false;
  }
  for (const Face& face : tess.faces) {
    if (face.sizes.size() > kMaxCount) {
      return false;
    }
  }
  return true;
}

LoadStatus CheckOccurrences(const Model& model) {
  const size_t occurrences = model.occurrences.size();
  for (const Occurrence& occ : model.occurrences) {
    if (!BaseValid(occ.base)) {
      return LoadStatus::kBadValue;
    }
    if (!AllIn(occ.children, occurrences) || !InOrNone(occ.part, model.parts.size()) ||
        !InOrNone(occ.firstLinked, occurrences) || !InOrNone(occ.secondLinked, occurrences)) {
      return LoadStatus::kBadReference;
    }
  }
  return LoadStatus::kOk;
}

LoadStatus CheckParts(const Model& model) {
  for (const PartDefinition& part : model.parts) {
    if (!BaseValid(part.base)) {
      return LoadStatus::kBadValue;
    }
    if (!AllIn(part.items, model.items.size())) {
      return LoadStatus::kBadReference;
    }
  }
  return LoadStatus::kOk;
}

LoadStatus CheckItems(const Model& model) {
  for (const RepItem& item : model.items) {
    const bool kindKnown = item.kind == ItemKind::kPolyBrep || item.kind == ItemKind::kOther;
    if (!BaseValid(item.base) || !kindKnown) {
      return LoadStatus::kBadValue;
    }
    if (!InOrNone(item.tessellation, model.tessellations.size())) {
      return LoadStatus::kBadReference;
    }
  }
  return LoadStatus::kOk;
}

}  // namespace

LoadStatus CheckModel(const Model& model) {
  if (!BaseValid(model.file.base)) {
    return LoadStatus::kBadValue;
  }
  if (model.occurrences.size() > kMaxCount || model.parts.size() > kMaxCount ||
      model.items.size() > kMaxCount || model.tessellations.size() > kMaxCount) {
    return LoadStatus::kCountTooLarge;
  }
  if (!AllIn(model.file.occurrences, model.occurrences.size())) {
    return LoadStatus::kBadReference;
  }
  LoadStatus status = CheckOccurrences(model);
  if (status == LoadStatus::kOk) {
    status = CheckParts(model);
  }
  if (status == LoadStatus::kOk) {
    status = CheckItems(model);
  }
  for (size_t i = 0; status == LoadStatus::kOk && i < model.tessellations.size(); ++i) {
    if (!TessellationValid(model.tessellations[i])) {
      status = LoadStatus::kBadValue;
    }
  }
  return status;
}

const char* LoadStatusName(LoadStatus status) {
  switch (status) {
    case LoadStatus::kOk:
      return "ok";
    case LoadStatus::kNullArgument:
      return "null argument";
    case LoadStatus::kUnreadable:
      return "unreadable";
    case LoadStatus::kBadMagic:
      return "bad magic";
    case LoadStatus::kUnsupportedVersion:
      return "unsupported version";
    case LoadStatus::kTruncated:
      return "truncated";
    case LoadStatus::kBadSection:
      return "bad section";
    case LoadStatus::kCountTooLarge:
      return "count too large";
    case LoadStatus::kBadReference:
      return "bad reference";
    case LoadStatus::kBadValue:
      return "bad value";
    case LoadStatus::kTrailingData:
      return "trailing data";
    case LoadStatus::kNoMemory:
      return "no memory";
  }
  return "unknown";
}

}  // namespace a3dstore
