// The result codes and entity type codes that the stand-in 3D library answers.
#pragma once

#include <cstdint>

#include "platform/a3d/a3d_blocks.h"

namespace a3dlib {

constexpr A3dStatus kErrNotImplemented = -100;  // an entry point this library only exports
constexpr A3dStatus kErrNotInitialized = -101;  // called before a successful A3DDllInitialize
constexpr A3dStatus kErrNullArgument = -102;    // a null block, output or path, or a count
                                                // whose array is null
constexpr A3dStatus kErrBadBlockSize = -103;    // a block whose size field is not its sizeof
constexpr A3dStatus kErrInvalidEntity = -104;   // a null or unknown handle
constexpr A3dStatus kErrWrongType = -105;       // a handle of another kind of entity
constexpr A3dStatus kErrForcedFailure = -106;   // the entity carries the test flag for the call,
                                                // or KV_A3D_FAIL_CALL names the call
constexpr A3dStatus kErrNotAttached = -107;     // a release of a block that holds nothing
constexpr A3dStatus kErrNoMemory = -108;
constexpr A3dStatus kErrTooLarge = -109;    // an array or a name beyond the library's limits
constexpr A3dStatus kErrFileOpen = -110;    // the file cannot be opened or read
constexpr A3dStatus kErrFileFormat = -111;  // the file is not a well-formed model file
constexpr A3dStatus kErrFileWrite = -112;   // the file cannot be written

// A3DEntityGetType: kA3dTypeTess3D (172) for a 3D tessellation, the stored code for a
// tessellation of another type, and these for the other kinds.
constexpr int32_t kTypeModelFile = 301;
constexpr int32_t kTypeProductOccurrence = 302;
constexpr int32_t kTypePartDefinition = 303;
constexpr int32_t kTypeRiPolyBrepModel = 304;
constexpr int32_t kTypeRiOther = 305;
constexpr int32_t kTypeCascadedAttributes = 306;

// The largest array a create call copies, in elements, and the longest name, in bytes. A
// 32-bit process has 2 GB for everything: there an array stops at 16M elements (128 MB of
// doubles); a 64-bit build takes 64M (the coordinates of some 7 million triangles).
constexpr uint32_t kMaxArrayCount = uint32_t(1) << (sizeof(void*) >= 8 ? 26 : 24);
constexpr uint32_t kMaxNameBytes = uint32_t(1) << 20;

}  // namespace a3dlib
