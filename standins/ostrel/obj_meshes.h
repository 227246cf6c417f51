// Wavefront OBJ text into meshes: one mesh per object or group that has faces.
#pragma once

#include <string>
#include <string_view>

#include "platform/opennurbs/opennurbs.h"
#include "standins/ostrel/obj_text_check.h"

// Parses the text and appends its meshes to the array. False when the text has a fault
// (text.Finish() names it; the array is left as it was) or holds invalid data (*error, a text
// for the user, says what).
bool ReadObjMeshes(CheckedObjText& text, ON_ClassArray<ON_Mesh>& meshes, std::string* error);

// True when the file whose first bytes these are is a real SketchUp model (it starts with the
// UTF-16 text "SketchUp Model"), which this reader does not take.
bool IsSketchUpModel(std::string_view head);
