// How the document target's bytes decide a document and the host's scenario. Read from the
// front; bytes past the end read as 0, so every input is some document:
//
//   u16  the host's stream read limit (0: none)
//   u8   a fault: 0 none, n the operation kFaultOperations[(n - 1) % count]
//   u8   which call of that operation fails (0 counts as 1)
//   u8   pages, mod 5
//   per page: u8 annotations, mod 5
//   per annotation: u8 shape, u8 content, then what the content needs
//
// Shape bits: 0 the annotation is valid; 1-2 its subtype "3D", "3d", "Link", ""; 3-4 its
// "3DD" entry a stream, a dictionary, a name, missing; 5-6 the "Subtype" of that entry the
// name PRC, the name U3D, missing, a stream; 7 the dictionary's own "Subtype" left out.
// Content c (n models): c < n the model file c; c < 2n the model file c - n with one byte
// changed (u16 position, modulo its size, and u8 mask, 0 meaning 0xFF); otherwise a u16
// length and that many raw bytes (fewer when the input ends).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "standins/host/document_model.h"
#include "standins/host/scenario.h"

namespace kvfuzz {

// The host operations the reader calls that can be made to fail.
extern const char* const kFaultOperations[];
extern const size_t kFaultOperationCount;

struct DocumentInput {
  standin::Scenario scenario;
  standin::DocumentModel document;
};

DocumentInput DecodeDocumentInput(const uint8_t* data, size_t size,
                                  const std::vector<std::vector<uint8_t>>& modelFiles);

}  // namespace kvfuzz
