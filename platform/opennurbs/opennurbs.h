// The mesh toolkit subset shared by the plug-in and the mesh reader.
#pragma once

#include "platform/opennurbs/on_array.h"
#include "platform/opennurbs/on_mesh.h"
#include "platform/opennurbs/on_mesh_face.h"
#include "platform/opennurbs/on_point.h"
