// OBJ text as the parser reads it, checked on its way. The parser takes whatever it is given:
// it skips lines it does not know, reads a coordinate it cannot read as 0 and one past the
// float range as infinity. What it would read wrongly is refused here, with the line it is on.
// The file is opened and read once: the parser reads it through this buffer a block at a time,
// and each block is checked before the parser sees it. A fault ends the text there, so the
// parse ends early, and what it gave is to be discarded.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <streambuf>
#include <string>
#include <string_view>

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

// Splits the text into lines as the parser does (LF, CR LF or a lone CR ends one) and checks
// each, keeping the start of a line whose end the next block holds.
class ObjLineChecker {
 public:
  // False once a line has a fault; result() then names it.
  bool Take(const char* text, size_t length);
  // The last line, when no line end closes it.
  void Finish();
  ObjTextCheck result() const { return result_; }

 private:
  bool Check(std::string_view line);

  std::string partial_;
  size_t line_ = 1;
  bool afterCarriageReturn_ = false;
  ObjTextCheck result_;
};

class CheckedObjText : public std::streambuf {
 public:
  explicit CheckedObjText(const std::string& path);

  // The file's first bytes as they are, before any check: what tells a file of another kind.
  // Valid until the text is read.
  std::string_view Head() const;

  // The check of the whole file. Whatever the parser left unread is read and checked first, so
  // that the answer never depends on where the parse stopped.
  ObjTextCheck Finish();

 protected:
  int_type underflow() override;

 private:
  bool NextBlock();
  bool Stop(ObjTextCheck check);
  void End();

  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file_;
  std::unique_ptr<char[]> block_;
  size_t headLength_ = 0;     // the first block, read when the file is opened
  bool headPending_ = false;  // ... and not yet checked
  uint64_t total_ = 0;        // a file may pass 4 GiB, where a 32-bit size_t would wrap to "empty"
  ObjLineChecker lines_;
  bool ended_ = false;
  ObjTextCheck check_;
};
