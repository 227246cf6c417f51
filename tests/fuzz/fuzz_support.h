// What the fuzz targets share: a scratch directory of the process's own, the environment the
// plug-in and the stand-ins read, the 3D library kept loaded, its counts of live entities and
// attached blocks, and the checks every target makes of meshes it is given.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/opennurbs/opennurbs.h"

namespace kvfuzz {

// A fresh directory for this process, made at the first call and kept until it exits, so
// that parallel fuzzing processes never share a file.
const std::string& ScratchDir();
std::string ScratchFile(const std::string& name);

// "temp" names the scratch directory, the full build of the 3D library comes first on the
// search path and none of the stand-ins' scenario variables is set.
void PrepareEnvironment();

// Loads the 3D library once and keeps that reference for the life of the process. The
// plug-in loads and frees the library itself; with this reference the free never unmaps it,
// which matters because libFuzzer reads the module's coverage counters after every input.
// False (with a message on stderr) when it cannot be loaded.
bool HoldA3dLibrary();

// Terminates the library and fails unless it holds no entity and no attached block; `who`
// names the code that must have released them.
void CheckLibraryBalanced(const char* who);

// True when every face of every mesh refers only to vertices of its own mesh.
bool FaceIndicesInRange(const ON_ClassArray<ON_Mesh>& meshes);

// Reports a broken invariant and aborts, so that libFuzzer keeps the input as a crash.
[[noreturn]] void Fail(const char* what);

}  // namespace kvfuzz
