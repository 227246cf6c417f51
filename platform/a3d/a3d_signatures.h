// Signatures of the 27 entry points that the plug-in calls, written once: the plug-in calls
// through these types and the stand-in library's exports are checked against them.
#pragma once

#include "a3d_blocks.h"
#include "a3d_entry_list.h"

#if defined(_WIN32) && !defined(_WIN64)
#define A3DCALL __cdecl
#else
#define A3DCALL
#endif

// A bound entry point; its real signature is fixed by its name.
using A3dProc = void(A3DCALL*)();

// X(name, (parameters))
#define KV_A3D_CALLED_LIST(X)                                                                    \
  X(A3DDllGetVersion, (int32_t * major, int32_t * minor))                                        \
  X(A3DDllInitialize, (int32_t major, int32_t minor))                                            \
  X(A3DDllTerminate, ())                                                                         \
  X(A3DEntityGetType, (A3dEntity entity, int32_t * type))                                        \
  X(A3DTessBaseGet, (A3dEntity tess, TessBaseBlock * block))                                     \
  X(A3DTessBaseSet, (A3dEntity tess, const TessBaseBlock* block))                                \
  X(A3DTess3DGet, (A3dEntity tess, Tess3DBlock * block))                                         \
  X(A3DTess3DCreate, (const Tess3DBlock* block, A3dEntity* tess))                                \
  X(A3DMiscCascadedAttributesCreate, (A3dEntity * attributes))                                   \
  X(A3DMiscCascadedAttributesDelete, (A3dEntity attributes))                                     \
  X(A3DMiscCascadedAttributesGet, (A3dEntity attributes, CascadedAttributesBlock * block))       \
  X(A3DMiscCascadedAttributesPush, (A3dEntity attributes, A3dEntity entity, A3dEntity father))   \
  X(A3DMiscCascadedAttributesPushTessFace, (A3dEntity attributes, void* value1, void* value2,    \
                                            void* value3, uint32_t value4, uint32_t value5))     \
  X(A3DAsmModelFileLoadFromFile, (const char* path, const void* readParams, A3dEntity* model))   \
  X(A3DAsmModelFileWriteToFile,                                                                  \
    (A3dEntity model, const WriteParamsBlock* params, const char* path))                         \
  X(A3DAsmModelFileGet, (A3dEntity model, ModelFileBlock * block))                               \
  X(A3DAsmModelFileCreate, (const ModelFileBlock* block, A3dEntity* model))                      \
  X(A3DAsmModelFileDelete, (A3dEntity model))                                                    \
  X(A3DAsmProductOccurrenceGet, (A3dEntity occurrence, ProductOccurrenceBlock * block))          \
  X(A3DAsmProductOccurrenceCreate, (const ProductOccurrenceBlock* block, A3dEntity* occurrence)) \
  X(A3DAsmPartDefinitionGet, (A3dEntity part, PartDefinitionBlock * block))                      \
  X(A3DAsmPartDefinitionCreate, (const PartDefinitionBlock* block, A3dEntity* part))             \
  X(A3DRiRepresentationItemGet, (A3dEntity item, RepItemBlock * block))                          \
  X(A3DRiRepresentationItemSet, (A3dEntity item, const RepItemBlock* block))                     \
  X(A3DRiPolyBrepModelCreate, (const PolyBrepBlock* block, A3dEntity* item))                     \
  X(A3DRootBaseGet, (A3dEntity entity, RootBaseBlock * block))                                   \
  X(A3DRootBaseSet, (A3dEntity entity, const RootBaseBlock* block))

// The procedure type of each called entry: <name>Fn.
#define KV_A3D_FN_TYPE(name, params) using name##Fn = A3dStatus(A3DCALL*) params;
KV_A3D_CALLED_LIST(KV_A3D_FN_TYPE)
#undef KV_A3D_FN_TYPE
