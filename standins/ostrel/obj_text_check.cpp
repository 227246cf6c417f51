#include "standins/ostrel/obj_text_check.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

namespace {

// The parser's separators within a line.
bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

size_t SkipBlanks(std::string_view line, size_t at) {
  while (at < line.size() && IsBlank(line[at]))
    ++at;
  return at;
}

// Bytes that no text holds: tab, LF, vertical tab, form feed and CR (9 to 13) are white space
// and line ends, and bytes from 0x80 on are left to the text's encoding. Branch-free, so that
// the compiler can test many bytes at once; it does so only when what is gathered is a byte,
// not a bool.
bool HasControlByte(const char* bytes, size_t count) {
  unsigned char found = 0;
  for (size_t i = 0; i < count; ++i) {
    const unsigned char c = static_cast<unsigned char>(bytes[i]);
    found |= static_cast<unsigned char>((c < 9) | (static_cast<unsigned char>(c - 14) < 0x20 - 14));
  }
  return found != 0;
}

// A plain decimal, [sign] digits [. digits], with at most 38 digits before the point: always
// a finite number that a float holds, so its form is all there is to check.
bool IsPlainDecimal(std::string_view token) {
  size_t at = token.size() > 1 && (token[0] == '+' || token[0] == '-') ? 1 : 0;
  const size_t start = at;
  while (at < token.size() && token[at] >= '0' && token[at] <= '9')
    ++at;
  const size_t integerDigits = at - start;
  size_t fractionDigits = 0;
  if (at < token.size() && token[at] == '.') {
    const size_t fraction = ++at;
    while (at < token.size() && token[at] >= '0' && token[at] <= '9')
      ++at;
    fractionDigits = at - fraction;
  }
  return at == token.size() && integerDigits + fractionDigits > 0 && integerDigits <= 38;
}

// A coordinate that the parser reads as written: a decimal number, finite, that a float holds.
// A value just past the largest float still rounds to it; one too small for a float becomes
// the nearest float, 0 or a denormal, which is no misreading.
bool IsCoordinate(std::string_view token) {
  if (IsPlainDecimal(token))
    return true;
  if (token.size() > 1 && token[0] == '+' && token[1] != '-')
    token.remove_prefix(1);
  const char* end = token.data() + token.size();
  double value = 0;
  const std::from_chars_result result = std::from_chars(token.data(), end, value);
  if (result.ec != std::errc() || result.ptr != end || !std::isfinite(value))
    return false;
  if (std::fabs(value) <= FLT_MAX)
    return true;
  float rounded = 0;
  return std::from_chars(token.data(), end, rounded).ec == std::errc();
}

// A vertex line is "v" and its coordinates, as the parser finds it: after leading blanks, and
// followed by a blank or nothing. A "#" ends what is read of it.
ObjTextFault CheckLine(std::string_view line) {
  size_t at = SkipBlanks(line, 0);
  if (at == line.size() || line[at] != 'v' || (at + 1 < line.size() && !IsBlank(line[at + 1])))
    return ObjTextFault::kNone;
  int coordinates = 0;
  for (at = SkipBlanks(line, at + 1); at < line.size() && line[at] != '#';
       at = SkipBlanks(line, at)) {
    const size_t start = at;
    while (at < line.size() && !IsBlank(line[at]))
      ++at;
    if (!IsCoordinate(line.substr(start, at - start)))
      return ObjTextFault::kInvalidNumber;
    ++coordinates;
  }
  return coordinates < 3 ? ObjTextFault::kMissingCoordinate : ObjTextFault::kNone;
}

// The end of the line that starts at `at`: its first CR or LF, or `end`.
const char* LineEnd(const char* at, const char* end) {
  const char* lineFeed = static_cast<const char*>(std::memchr(at, '\n', end - at));
  const char* stop = lineFeed ? lineFeed : end;
  const char* carriageReturn = static_cast<const char*>(std::memchr(at, '\r', stop - at));
  return carriageReturn ? carriageReturn : stop;
}

// The UTF-8 byte order mark that some editors put first: not part of the first line, and
// the parser would take it for the start of the first line's keyword.
constexpr char kUtf8Mark[] = "\xEF\xBB\xBF";
constexpr size_t kUtf8MarkLength = sizeof(kUtf8Mark) - 1;

// What is read and checked at a time.
constexpr size_t kBlockSize = 1 << 16;

}  // namespace

bool ObjLineChecker::Take(const char* text, size_t length) {
  const char* end = text + length;
  const char* at = text;
  if (afterCarriageReturn_ && at < end && *at == '\n')
    ++at;  // the LF of a CR LF that the blocks split
  afterCarriageReturn_ = false;
  while (at < end) {
    const char* stop = LineEnd(at, end);
    if (stop == end) {
      partial_.append(at, end);
      return true;
    }
    if (!partial_.empty()) {
      partial_.append(at, stop);
      if (!Check(partial_))
        return false;
      partial_.clear();
    } else if (!Check(std::string_view(at, stop - at))) {
      return false;
    }
    if (*stop == '\r' && stop + 1 < end && stop[1] == '\n')
      ++stop;
    afterCarriageReturn_ = *stop == '\r' && stop + 1 == end;
    at = stop + 1;
  }
  return true;
}

void ObjLineChecker::Finish() {
  if (!partial_.empty())
    Check(partial_);
}

bool ObjLineChecker::Check(std::string_view line) {
  const ObjTextFault fault = CheckLine(line);
  if (fault != ObjTextFault::kNone) {
    result_ = ObjTextCheck{fault, line_};
    return false;
  }
  ++line_;
  return true;
}

// The first block is read at once, for Head(), and checked when the parser first reads.
CheckedObjText::CheckedObjText(const std::string& path)
    : file_(std::fopen(path.c_str(), "rb"), &std::fclose), block_(new char[kBlockSize]) {
  if (!file_) {
    ended_ = true;
    check_ = ObjTextCheck{ObjTextFault::kUnreadable, 0};
    return;
  }
  headLength_ = std::fread(block_.get(), 1, kBlockSize, file_.get());
  headPending_ = true;
}

std::string_view CheckedObjText::Head() const {
  return std::string_view(block_.get(), headPending_ ? headLength_ : 0);
}

CheckedObjText::int_type CheckedObjText::underflow() {
  while (gptr() == egptr()) {
    if (!NextBlock())
      return traits_type::eof();
  }
  return traits_type::to_int_type(*gptr());
}

ObjTextCheck CheckedObjText::Finish() {
  setg(nullptr, nullptr, nullptr);
  while (NextBlock()) {
  }
  return check_;
}

// Reads the next block (the first one the constructor read), checks it and makes it what the
// parser reads next. False at the end of the text: the end of the file, or a fault.
bool CheckedObjText::NextBlock() {
  if (ended_)
    return false;
  const size_t count =
      headPending_ ? headLength_ : std::fread(block_.get(), 1, kBlockSize, file_.get());
  headPending_ = false;
  if (count == 0) {
    End();
    return false;
  }
  char* text = block_.get();
  size_t length = count;
  if (total_ == 0 && length >= kUtf8MarkLength &&
      std::memcmp(text, kUtf8Mark, kUtf8MarkLength) == 0) {
    text += kUtf8MarkLength;
    length -= kUtf8MarkLength;
  }
  total_ += count;
  if (HasControlByte(text, length))
    return Stop(ObjTextCheck{ObjTextFault::kNotText, 0});
  if (!lines_.Take(text, length))
    return Stop(lines_.result());
  setg(text, text, text + length);
  return true;
}

// Nothing of the block with the fault reaches the parser.
bool CheckedObjText::Stop(ObjTextCheck check) {
  ended_ = true;
  check_ = check;
  return false;
}

void CheckedObjText::End() {
  ended_ = true;
  // A directory opens as a file on Linux, but cannot be read.
  if (std::ferror(file_.get())) {
    check_ = ObjTextCheck{ObjTextFault::kUnreadable, 0};
  } else if (total_ == 0) {
    check_ = ObjTextCheck{ObjTextFault::kEmpty, 0};
  } else {
    lines_.Finish();
    check_ = lines_.result();
  }
}
