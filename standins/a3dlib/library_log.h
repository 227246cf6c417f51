// The library's environment and its call log. Both are read at each call, so a test can
// change a variable between calls without reloading the library.
#pragma once

#include <string>

namespace a3dlib {

// The value of an environment variable; false when it is not set.
bool EnvValue(const char* name, std::string* value);

// Appends one line (a newline is added) to the file named by KV_A3D_LOG, if it is set.
// Lines longer than the log's buffer are cut.
void LogLine(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

}  // namespace a3dlib
