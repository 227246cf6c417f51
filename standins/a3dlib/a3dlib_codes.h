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
constexpr A3dStatus kErrNoMemory = -108;        // memory ran out: the call changed nothing
constexpr A3dStatus kErrTooLarge = -109;        // a count whose bytes this process cannot address,
                                                // more than a file or a block can say, or no
                                                // entity id left
constexpr A3dStatus kErrFileOpen = -110;        // the file cannot be opened or read
constexpr A3dStatus kErrFileFormat = -111;      // the file is not a well-formed model file
constexpr A3dStatus kErrFileWrite = -112;       // the file cannot be written

// A3DEntityGetType: kA3dTypeTess3D (172) for a 3D tessellation, the stored code for a
// tessellation of another type, and these for the other kinds.
constexpr int32_t kTypeModelFile = 301;
constexpr int32_t kTypeProductOccurrence = 302;
constexpr int32_t kTypePartDefinition = 303;
constexpr int32_t kTypeRiPolyBrepModel = 304;
constexpr int32_t kTypeRiOther = 305;
constexpr int32_t kTypeCascadedAttributes = 306;

}  // namespace a3dlib
