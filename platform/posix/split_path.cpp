// The C runtime's _splitpath and _unlink of Windows.
#include <unistd.h>
#include <windows.h>

#include <cerrno>
#include <cstring>

namespace {

bool IsSeparator(char c) {
  return c == '\\' || c == '/';
}

// Copies [begin, end) into out, cut to capacity - 1 characters as the runtime does.
void CopyPart(const char* begin, const char* end, char* out, size_t capacity) {
  if (out == nullptr) {
    return;
  }
  size_t length = static_cast<size_t>(end - begin);
  if (length > capacity - 1) {
    length = capacity - 1;
  }
  memcpy(out, begin, length);
  out[length] = '\0';
}

}  // namespace

void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext) {
  const char* p = path != nullptr ? path : "";
  const char* end = p + strlen(p);
  const char* rest = p;
  if (p[0] != '\0' && p[1] == ':') {
    rest = p + 2;
  }
  CopyPart(p, rest, drive, _MAX_DRIVE);
  const char* name = rest;
  for (const char* c = rest; c < end; ++c) {
    if (IsSeparator(*c)) {
      name = c + 1;
    }
  }
  CopyPart(rest, name, dir, _MAX_DIR);
  const char* dot = end;
  for (const char* c = name; c < end; ++c) {
    if (*c == '.') {
      dot = c;
    }
  }
  CopyPart(name, dot, fname, _MAX_FNAME);
  CopyPart(dot, end, ext, _MAX_EXT);
}

int _unlink(const char* path) {
  if (path == nullptr) {
    errno = EINVAL;
    return -1;
  }
  return unlink(path);
}
