#include "standins/host/model_summary.h"

#include "standins/a3dlib/model_file.h"
#include "standins/host/op_call.h"

namespace standin {
namespace {

using a3dstore::Face;
using a3dstore::Tessellation;

// Entries of one triangle of a face of kind 0x20: the normal's position, then three corners'.
constexpr uint64_t kEntriesPerTriangle = 4;

std::string Counted(uint64_t count, const char* noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

// A point or a normal at `position` takes three values from there on.
bool Covers(size_t values, uint32_t position) {
  return uint64_t(position) + 3 <= values;
}

// The first fault of one triangle's entries, or empty.
std::string TriangleFault(const Tessellation& tess, const uint32_t* entries) {
  if (!Covers(tess.normals.size(), entries[0])) {
    return "normal index " + std::to_string(entries[0]) + " beyond " +
           Counted(tess.normals.size(), "normal coordinate");
  }
  for (int corner = 1; corner <= 3; ++corner) {
    if (!Covers(tess.coords.size(), entries[corner])) {
      return "index " + std::to_string(entries[corner]) + " beyond " +
             Counted(tess.coords.size(), "coordinate");
    }
  }
  return std::string();
}

// The first fault of a face, or empty, as the rest of "face F: ..." or "face F, triangle T:
// ..."; adds its triangles to *triangles.
std::string FaceFault(const Tessellation& tess, const Face& face, uint64_t* triangles) {
  uint64_t claimed = 0;
  for (uint32_t size : face.sizes) {
    claimed += size;
  }
  if (claimed == 0) {
    return std::string();
  }
  if (face.triangleKind != kA3dFaceTrianglesOneNormal) {
    return ": triangle kind " + Hex32(face.triangleKind) + ", which no viewer here draws";
  }
  const size_t entries = tess.indices.size();
  const uint64_t held =
      face.firstIndex <= entries ? (entries - face.firstIndex) / kEntriesPerTriangle : 0;
  if (claimed > held) {
    return ": claims " + Counted(claimed, "triangle") + ", the index array holds " +
           std::to_string(held) + " from entry " + std::to_string(face.firstIndex);
  }
  for (uint64_t t = 0; t < claimed; ++t) {
    std::string fault =
        TriangleFault(tess, &tess.indices[face.firstIndex + kEntriesPerTriangle * t]);
    if (!fault.empty()) {
      return ", triangle " + std::to_string(t) + ": " + fault;
    }
  }
  *triangles += claimed;
  return std::string();
}

// The first fault a viewer drawing the model's 3D tessellations would meet, or empty; counts
// the triangles drawn and the tessellations of other kinds, which are not drawn.
std::string ModelFault(const a3dstore::Model& model, uint64_t* triangles, uint64_t* others) {
  for (size_t t = 0; t < model.tessellations.size(); ++t) {
    const Tessellation& tess = model.tessellations[t];
    if (tess.type != kA3dTypeTess3D) {
      ++*others;
      continue;
    }
    for (size_t f = 0; f < tess.faces.size(); ++f) {
      std::string fault = FaceFault(tess, tess.faces[f], triangles);
      if (!fault.empty()) {
        return "tessellation " + std::to_string(t) + ", face " + std::to_string(f) + fault;
      }
    }
  }
  return std::string();
}

std::string Describe(const a3dstore::Model& model) {
  uint64_t triangles = 0;
  uint64_t others = 0;
  std::string fault = ModelFault(model, &triangles, &others);
  if (!fault.empty()) {
    return "model damaged: " + fault;
  }
  const std::string name = model.file.base.name.value_or(std::string());
  std::string text = "model: " + Counted(triangles, "triangle") + " in " +
                     Counted(model.tessellations.size() - others, "tessellation") + ", " +
                     Counted(model.occurrences.size(), "occurrence") +
                     (model.file.base.name ? ", named " + Quote(name.c_str()) : ", unnamed");
  if (others != 0) {
    text += ", " + Counted(others, "tessellation") + " of another kind not drawn";
  }
  return text + (triangles == 0 ? "; nothing to draw"
                                : "; coordinates cover every index, normals cover theirs");
}

}  // namespace

std::string DescribeModelFile(const std::vector<uint8_t>& bytes) {
  // The whole model, arrays and all: the check reads every index. The loader answers a model
  // that does not fit in memory as a status, never as an exception.
  a3dstore::Model model;
  a3dstore::LoadStatus status = a3dstore::LoadModelFile(bytes.data(), bytes.size(), &model);
  if (status == a3dstore::LoadStatus::kNoMemory) {
    return "model not checked: it does not fit in memory";
  }
  if (status != a3dstore::LoadStatus::kOk) {
    return std::string("not a model file this host can read (") + a3dstore::LoadStatusName(status) +
           ")";
  }
  return Describe(model);
}

}  // namespace standin
