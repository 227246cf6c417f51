// A first look at a file before it is parsed as OBJ text. The parser takes whatever it is given:
// it skips lines it does not know, reads a coordinate it cannot read as 0 and one past the
// float range as infinity. What it would read wrongly is refused here, with the line it is on.
#pragma once

#include <cstddef>
#include <string>

enum class ObjTextFault {
  kNone,
  kUnreadable,         // the file cannot be opened or read (a directory, say)
  kEmpty,              // the file has no byte at all
  kNotText,            // a control character that no text holds: a binary file
  kInvalidNumber,      // a vertex coordinate that is no finite number a float holds
  kMissingCoordinate,  // a vertex line of fewer than three coordinates
};

struct ObjTextCheck {
  ObjTextFault fault = ObjTextFault::kNone;
  size_t line = 0;  // the line of a fault in a vertex line, counted from 1
};

ObjTextCheck CheckObjText(const std::string& path);

// The UTF-8 byte order mark that some editors put first: not part of the first line.
constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";
constexpr size_t kUtf8MarkLength = sizeof(kUtf8Mark) - 1;
