// Model trees for the reader to walk, built row by row in the stand-in library's tables.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "standins/a3dlib/model_file.h"

namespace readertest {

using a3dstore::kNoRef;
using a3dstore::Model;
using a3dstore::Tessellation;
using Name = std::optional<std::string>;

// A tessellation whose index entries reach the reader exactly as given: a face of a kind
// other than 0x20 has its entries handed over unchanged.
inline Tessellation Presented(std::vector<double> coords, std::vector<uint32_t> entries) {
  Tessellation tess;
  tess.coords = std::move(coords);
  tess.indices = std::move(entries);
  tess.faces.push_back({0, 0, {}});
  return tess;
}

// One triangle with its corners at (x,0,0), (x+1,0,0), (x,1,0), written as the plug-in's
// writer writes it.
inline Tessellation Triangle(double x) {
  Tessellation tess;
  tess.coords = {x, 0, 0, x + 1, 0, 0, x, 1, 0};
  tess.normals = {0, 0, 1};
  tess.indices = {0, 0, 3, 6};
  tess.faces.push_back({kA3dFaceTrianglesOneNormal, 0, {1}});
  return tess;
}

inline uint32_t AddTess(Model& model, Tessellation tess) {
  model.tessellations.push_back(std::move(tess));
  return uint32_t(model.tessellations.size() - 1);
}

// A representation item holding the tessellation row (kNoRef: none).
inline uint32_t AddItem(Model& model, uint32_t tess) {
  a3dstore::RepItem item;
  item.tessellation = tess;
  model.items.push_back(item);
  return uint32_t(model.items.size() - 1);
}

inline uint32_t AddPart(Model& model, Name name, std::vector<uint32_t> items) {
  a3dstore::PartDefinition part;
  part.base.name = std::move(name);
  part.items = std::move(items);
  model.parts.push_back(std::move(part));
  return uint32_t(model.parts.size() - 1);
}

// A part with one item of one triangle at x.
inline uint32_t AddTrianglePart(Model& model, Name name, double x = 0) {
  return AddPart(model, std::move(name), {AddItem(model, AddTess(model, Triangle(x)))});
}

inline uint32_t AddOccurrence(Model& model, Name name, uint32_t part = kNoRef,
                              std::vector<uint32_t> children = {}) {
  a3dstore::Occurrence occurrence;
  occurrence.base.name = std::move(name);
  occurrence.part = part;
  occurrence.children = std::move(children);
  model.occurrences.push_back(std::move(occurrence));
  return uint32_t(model.occurrences.size() - 1);
}

// An occurrence named `name` whose unnamed part holds one triangle: its mesh carries the
// occurrence's name.
inline uint32_t AddLeaf(Model& model, const std::string& name, double x = 0) {
  return AddOccurrence(model, name, AddTrianglePart(model, std::nullopt, x));
}

// A model file of one root occurrence whose part is the tessellation.
inline Model SingleTess(Tessellation tess, Name occurrenceName = std::nullopt) {
  Model model;
  const uint32_t part =
      AddPart(model, std::nullopt, {AddItem(model, AddTess(model, std::move(tess)))});
  model.file.occurrences = {AddOccurrence(model, std::move(occurrenceName), part)};
  return model;
}

inline std::vector<uint8_t> Bytes(const Model& model) {
  std::vector<uint8_t> bytes;
  a3dstore::WriteModelFile(model, &bytes);
  return bytes;
}

}  // namespace readertest
