// Parameter blocks exchanged with the 3D library. Every block is zero-filled and carries its
// size in bytes in its first field. Pointers and handles are 32 bits wide on the product's
// target, where each offset below is pinned; fields named reserved are neither read nor written.
#pragma once

#include <cstddef>
#include <cstdint>

// An entity of the library: an opaque handle.
struct A3dEntityRec;
using A3dEntity = A3dEntityRec*;

// A library result: 0 is success.
using A3dStatus = int32_t;
constexpr A3dStatus kA3dSuccess = 0;

// Type code of a 3D tessellation.
constexpr int32_t kA3dTypeTess3D = 172;

// Kind of a tessellation face whose triangles carry one normal each: four index entries a
// triangle, the normal's position followed by its three corners' positions.
constexpr uint16_t kA3dFaceTrianglesOneNormal = 0x20;

struct TessFaceBlock {  // 60 bytes
  uint16_t size;
  uint16_t reserved02;
  uint32_t reserved04[5];
  uint16_t triangleKind;  // 0x18
  uint16_t reserved1A;
  uint32_t firstIndex;  // 0x1C: the face's first entry in the index array
  uint32_t sizeCount;   // 0x20: entries in the sizes array
  uint32_t* sizes;      // 0x24: the face's number of triangles
  uint32_t reserved28[5];
};

struct Tess3DBlock {  // 64 bytes
  uint16_t size;
  uint16_t reserved02;
  uint32_t reserved04;
  uint32_t normalCount;  // 0x08: 64-bit floats in the normal array
  double* normals;       // 0x0C
  uint32_t reserved10;
  void* reserved14;
  uint32_t indexCount;   // 0x18: entries in the index array
  uint32_t* indices;     // 0x1C
  uint32_t faceCount;    // 0x20: tessellation faces
  TessFaceBlock* faces;  // 0x24
  uint32_t reserved28[6];
};

struct TessBaseBlock {  // 12 bytes
  uint16_t size;
  uint16_t reserved02;
  uint32_t coordCount;  // 0x04: 64-bit floats in the coordinate array, x, y, z per point
  double* coords;       // 0x08
};

struct PolyBrepBlock {  // 4 bytes
  uint16_t size;
  uint16_t closed;  // 0x02: the model is marked closed
};

struct RepItemBlock {  // 12 bytes
  uint16_t size;
  uint16_t reserved02;
  A3dEntity tessellation;  // 0x04
  uint32_t reserved08;
};

struct PartDefinitionBlock {  // 104 bytes
  uint16_t size;
  uint16_t reserved02;
  uint32_t reserved04[19];
  uint32_t repItemCount;  // 0x50
  A3dEntity* repItems;    // 0x54
  uint32_t reserved58[4];
};

struct ProductOccurrenceBlock {  // 76 bytes
  uint16_t size;
  uint16_t reserved02;
  uint32_t childCount;       // 0x04
  A3dEntity* children;       // 0x08
  A3dEntity partDefinition;  // 0x0C
  A3dEntity firstLinked;     // 0x10
  A3dEntity secondLinked;    // 0x14
  uint32_t reserved18[13];
};

struct RootBaseBlock {  // 16 bytes
  uint16_t size;
  uint16_t reserved02;
  uint32_t reserved04;
  uint32_t reserved08;
  const char* name;  // 0x0C: zero-terminated narrow string; null is an empty name
};

struct ModelFileBlock {  // 24 bytes
  uint16_t size;
  uint16_t reserved02;
  uint32_t reserved04;
  double unit;               // 0x08
  uint32_t occurrenceCount;  // 0x10
  A3dEntity* occurrences;    // 0x14
};

struct WriteParamsBlock {  // 20 bytes
  uint16_t size;
  uint16_t reserved02;
  uint32_t option04;
  uint16_t option08;
  uint16_t option0A;
  uint32_t option0C;
  uint32_t option10;
};

struct CascadedAttributesBlock {  // 64 bytes
  uint16_t size;
  uint16_t reserved02;
  uint32_t reserved04[15];
};

#if defined(_WIN32) && !defined(_WIN64)
#define KV_PIN(block, field, offset) \
  static_assert(offsetof(block, field) == (offset), #block "." #field)
static_assert(sizeof(TessFaceBlock) == 60, "tessellation-face block");
KV_PIN(TessFaceBlock, triangleKind, 0x18);
KV_PIN(TessFaceBlock, firstIndex, 0x1C);
KV_PIN(TessFaceBlock, sizeCount, 0x20);
KV_PIN(TessFaceBlock, sizes, 0x24);
static_assert(sizeof(Tess3DBlock) == 64, "3D tessellation block");
KV_PIN(Tess3DBlock, normalCount, 0x08);
KV_PIN(Tess3DBlock, normals, 0x0C);
KV_PIN(Tess3DBlock, indexCount, 0x18);
KV_PIN(Tess3DBlock, indices, 0x1C);
KV_PIN(Tess3DBlock, faceCount, 0x20);
KV_PIN(Tess3DBlock, faces, 0x24);
static_assert(sizeof(TessBaseBlock) == 12, "tessellation-base block");
KV_PIN(TessBaseBlock, coordCount, 0x04);
KV_PIN(TessBaseBlock, coords, 0x08);
static_assert(sizeof(PolyBrepBlock) == 4, "poly-B-rep block");
KV_PIN(PolyBrepBlock, closed, 0x02);
static_assert(sizeof(RepItemBlock) == 12, "representation-item block");
KV_PIN(RepItemBlock, tessellation, 0x04);
static_assert(sizeof(PartDefinitionBlock) == 104, "part-definition block");
KV_PIN(PartDefinitionBlock, repItemCount, 0x50);
KV_PIN(PartDefinitionBlock, repItems, 0x54);
static_assert(sizeof(ProductOccurrenceBlock) == 76, "product-occurrence block");
KV_PIN(ProductOccurrenceBlock, childCount, 0x04);
KV_PIN(ProductOccurrenceBlock, children, 0x08);
KV_PIN(ProductOccurrenceBlock, partDefinition, 0x0C);
KV_PIN(ProductOccurrenceBlock, firstLinked, 0x10);
KV_PIN(ProductOccurrenceBlock, secondLinked, 0x14);
static_assert(sizeof(RootBaseBlock) == 16, "root-base block");
KV_PIN(RootBaseBlock, name, 0x0C);
static_assert(sizeof(ModelFileBlock) == 24, "model-file block");
KV_PIN(ModelFileBlock, unit, 0x08);
KV_PIN(ModelFileBlock, occurrenceCount, 0x10);
KV_PIN(ModelFileBlock, occurrences, 0x14);
static_assert(sizeof(WriteParamsBlock) == 20, "write-parameter block");
KV_PIN(WriteParamsBlock, option04, 0x04);
KV_PIN(WriteParamsBlock, option08, 0x08);
KV_PIN(WriteParamsBlock, option0A, 0x0A);
KV_PIN(WriteParamsBlock, option0C, 0x0C);
KV_PIN(WriteParamsBlock, option10, 0x10);
static_assert(sizeof(CascadedAttributesBlock) == 64, "cascaded-attributes block");
#undef KV_PIN
#endif
