// The index entries of a tessellation as A3DTess3DGet hands them to a reader. The file keeps
// what the writer gave: for a face of kind 0x20, four entries a triangle (the normal's
// position, then the three corners' positions). A reader is given six entries a triangle
// instead, each corner's normal position followed by its point position:
//   written  n a b c   ->   presented  n a n b n c
// so entries 1, 3 and 5 of each six are the corners. Faces are laid out one after another in
// face order and each face's first index is moved to where its entries now start. The entries
// of a face of another kind are copied unchanged: from its first index up to the next larger
// first index of any face, or to the end of the array. A triangle whose four written entries
// do not all lie inside the index array, and every later triangle of that face, is left out,
// while the face's sizes stay as written: a reader sees the face claim more than is there.
#pragma once

#include <cstdint>
#include <vector>

#include "standins/a3dlib/model.h"

namespace a3dstore {

// Faces whose entries do not overlap present at most six entries for every four written. Faces
// that overlap, which only a hostile file has, may present more, up to this allowance: a small
// file must not make a reader's call take gigabytes.
constexpr uint64_t kOverlapAllowance = uint64_t(1) << 26;

// The most entries a tessellation of `indexCount` written entries may present: what faces that
// do not overlap can give, at least kOverlapAllowance, and never more than the 32-bit count of
// the block that hands them over or one block of this process holds. No well-formed
// tessellation that fits in memory meets it.
uint64_t PresentationLimit(uint64_t indexCount);

struct PresentedIndices {
  std::vector<uint32_t> entries;
  std::vector<uint32_t> firstIndices;  // one per face, into entries
};

// False (out untouched) when the presentation would exceed PresentationLimit.
bool PresentIndices(const Tessellation& tess, PresentedIndices* out);

}  // namespace a3dstore
