#include "standins/a3dlib/tess_presentation.h"

#include <algorithm>
#include <cstdint>

namespace a3dstore {
namespace {

constexpr uint64_t kWrittenPerTriangle = 4;
constexpr uint64_t kPresentedPerTriangle = 6;

uint64_t TriangleCount(const Face& face) {
  uint64_t triangles = 0;
  for (uint32_t size : face.sizes) {
    triangles += size;
  }
  return triangles;
}

// The written entries [first, end) that a face contributes, or, for a face of kind 0x20,
// the triangles whose four entries are all present (end = first + 4 * triangles).
struct Span {
  uint64_t first;
  uint64_t end;
  bool expand;
};

Span SpanOf(const Face& face, uint64_t indexCount, const std::vector<uint32_t>& starts) {
  const uint64_t first = std::min<uint64_t>(face.firstIndex, indexCount);
  if (face.triangleKind == kA3dFaceTrianglesOneNormal) {
    const uint64_t whole = (indexCount - first) / kWrittenPerTriangle;
    const uint64_t triangles = std::min(TriangleCount(face), whole);
    return {first, first + triangles * kWrittenPerTriangle, true};
  }
  const auto next = std::upper_bound(starts.begin(), starts.end(), face.firstIndex);
  const uint64_t end = next == starts.end() ? indexCount : std::min<uint64_t>(*next, indexCount);
  return {first, std::max(first, end), false};
}

uint64_t PresentedSize(const Span& span) {
  const uint64_t written = span.end - span.first;
  return span.expand ? written / kWrittenPerTriangle * kPresentedPerTriangle : written;
}

void Emit(const std::vector<uint32_t>& indices, const Span& span, std::vector<uint32_t>* out) {
  if (!span.expand) {
    out->insert(out->end(), indices.begin() + span.first, indices.begin() + span.end);
    return;
  }
  for (uint64_t at = span.first; at < span.end; at += kWrittenPerTriangle) {
    const uint32_t normal = indices[at];
    for (uint64_t corner = 1; corner <= 3; ++corner) {
      out->push_back(normal);
      out->push_back(indices[at + corner]);
    }
  }
}

}  // namespace

uint64_t PresentationLimit(uint64_t indexCount) {
  const uint64_t tiled =
      indexCount / kWrittenPerTriangle * kPresentedPerTriangle + indexCount % kWrittenPerTriangle;
  const uint64_t addressable = std::min<uint64_t>(0xFFFFFFFFu, PTRDIFF_MAX / sizeof(uint32_t));
  return std::min(std::max(tiled, kOverlapAllowance), addressable);
}

bool PresentIndices(const Tessellation& tess, PresentedIndices* out) {
  std::vector<uint32_t> starts;
  starts.reserve(tess.faces.size());
  for (const Face& face : tess.faces) {
    starts.push_back(face.firstIndex);
  }
  std::sort(starts.begin(), starts.end());
  std::vector<Span> spans;
  spans.reserve(tess.faces.size());
  const uint64_t limit = PresentationLimit(tess.indices.size());
  uint64_t total = 0;
  for (const Face& face : tess.faces) {
    spans.push_back(SpanOf(face, tess.indices.size(), starts));
    total += PresentedSize(spans.back());
    if (total > limit) {
      return false;
    }
  }
  PresentedIndices presented;
  presented.entries.reserve(total);
  for (const Span& span : spans) {
    presented.firstIndices.push_back(uint32_t(presented.entries.size()));
    Emit(tess.indices, span, &presented.entries);
  }
  *out = std::move(presented);
  return true;
}

}  // namespace a3dstore
