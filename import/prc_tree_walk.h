// The PRC reader's lower layer: a loaded model file's tree walked down to its 3D
// tessellations, each turned into one mesh with its model file's unit and a name.
#pragma once

#include "platform/a3d/a3d_blocks.h"
#include "platform/mfc/cstring.h"
#include "platform/mfc/cstring_array.h"
#include "platform/opennurbs/opennurbs.h"

// The last non-empty entity name read by the walk; never restored, never cleared.
extern CString EntityName;
// The unit of the model file being walked.
extern double ModelUnit;

// Each walk answers 1 on success and 0 at the first failure, with the message in
// LastErrorText. Meshes, units and names are appended in step; nothing is removed.
int WalkModelFile(A3dEntity modelFile, ON_ClassArray<ON_Mesh>& meshes,
                  ON_SimpleArray<double>& units, CStringArray& names);
int WalkOccurrence(A3dEntity occurrence, A3dEntity fatherAttributes, ON_ClassArray<ON_Mesh>& meshes,
                   ON_SimpleArray<double>& units, CStringArray& names);
int WalkPart(A3dEntity part, A3dEntity fatherAttributes, ON_ClassArray<ON_Mesh>& meshes,
             ON_SimpleArray<double>& units, CStringArray& names);
int WalkRepItem(A3dEntity item, A3dEntity fatherAttributes, ON_ClassArray<ON_Mesh>& meshes,
                ON_SimpleArray<double>& units, CStringArray& names);
int ConvertTessToMesh(A3dEntity tess, ON_ClassArray<ON_Mesh>& meshes, ON_SimpleArray<double>& units,
                      CStringArray& names);

// 1 with the entity's name, or 0 with the name empty.
int GetEntityName(A3dEntity entity, CString& name);
// Appends the name as a mesh name: "Object" when empty, only the text after the last
// backslash when it holds one. Always 1.
int AddMeshName(CStringArray& names, const CString& name);

// Creates an entity's cascaded attributes on its father's and reads their block.
int PushAttributes(A3dEntity entity, A3dEntity fatherAttributes, A3dEntity* attributes,
                   CascadedAttributesBlock* block);
int PushTessFaceAttributes(void* value1, void* value2, void* value3, uint32_t value4,
                           uint32_t value5, A3dEntity* attributes, CascadedAttributesBlock* block);

// How deep product occurrences may nest, and how many a model file may hold in all (shared
// occurrences counted each time they are reached), before the walk refuses the file.
constexpr int kMaxOccurrenceDepth = 256;
constexpr int kMaxOccurrenceVisits = 1 << 20;
