// Wavefront OBJ text into meshes: one mesh per object or group that has faces.
#pragma once

#include <string>

#include "platform/opennurbs/opennurbs.h"

// False with a text for the user when the file cannot be read or holds invalid data.
bool ReadObjMeshes(const std::string& path, ON_ClassArray<ON_Mesh>& meshes, std::string* error);

// True when the file is a real SketchUp model (it starts with the UTF-16 text
// "SketchUp Model"), which this reader does not take.
bool IsSketchUpModel(const std::string& path);
