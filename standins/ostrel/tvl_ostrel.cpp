// The SKP reading library stand-in. The SketchUp format is closed, so this reader takes
// Wavefront OBJ text and refuses real SketchUp models with a clear text.
#include "platform/ostrel/tvl_ostrel.h"

#include <cstdio>
#include <cstdlib>
#include <new>
#include <stdexcept>
#include <string>

#include "standins/ostrel/obj_meshes.h"
#include "standins/ostrel/obj_text_check.h"

namespace {

CString& LastError() {
  static CString error;
  return error;
}

int Fail(const char* format, const char* path, const char* detail = "") {
  LastError().Format(format, path, detail);
  return 0;
}

// A test scenario: KV_OSTREL_RESULT is the answer given once the file has been read; 0 makes
// the call fail after filling the array, with the text of KV_OSTREL_ERROR (default empty).
int ScenarioResult() {
  const char* result = std::getenv("KV_OSTREL_RESULT");
  if (!result)
    return 1;
  int value = std::atoi(result);
  if (value == 0) {
    const char* error = std::getenv("KV_OSTREL_ERROR");
    LastError() = error ? error : "";
  }
  return value;
}

const char kNotObjText[] = "Unable to read %s as Wavefront OBJ text: %s";

std::string LineFault(const char* fault, size_t line) {
  return std::string(fault) + " on line " + std::to_string(line) + " of the file";
}

// The refusal of a file that the parser would misread.
int FailCheck(const ObjTextCheck& check, const char* path) {
  switch (check.fault) {
    case ObjTextFault::kNone:
      break;
    case ObjTextFault::kUnreadable:
      return Fail("Unable to open the file %s", path);
    case ObjTextFault::kEmpty:
      return Fail("Unable to read %s: the file is empty", path);
    case ObjTextFault::kNotText:
      return Fail(
          "Unable to read %s: it is not text, and this reader takes Wavefront OBJ text only", path);
    case ObjTextFault::kInvalidNumber:
      return Fail(kNotObjText, path, LineFault("invalid number", check.line).c_str());
    case ObjTextFault::kMissingCoordinate:
      return Fail(kNotObjText, path, LineFault("fewer than three coordinates", check.line).c_str());
  }
  return 0;
}

// For tests: with KV_OSTREL_LOG set, each call appends one line to the file it names.
void LogCall(const char* line) {
  const char* log = std::getenv("KV_OSTREL_LOG");
  std::FILE* file = log && *log ? std::fopen(log, "a") : nullptr;
  if (!file)
    return;
  std::fputs(line, file);
  std::fputc('\n', file);
  std::fclose(file);
}

int ReadModel(const CString& path, ON_ClassArray<ON_Mesh>& meshes) {
  CheckedObjText text(static_cast<const char*>(path));
  if (IsSketchUpModel(text.Head())) {
    return Fail(
        "Unable to read %s: it is a SketchUp model, and this reader takes Wavefront OBJ "
        "text only",
        path);
  }
  std::string error;
  const bool read = ReadObjMeshes(text, meshes, &error);
  const ObjTextCheck check = text.Finish();
  if (check.fault != ObjTextFault::kNone)
    return FailCheck(check, path);
  if (!read)
    return Fail(kNotObjText, path, error.c_str());
  return ScenarioResult();
}

// The parse holds the file's content in standard containers, which throw when memory runs out
// (a file of tens of millions of faces in a 32-bit process): that is a failure with its text,
// and what the read had built is released by the unwinding. No exception leaves this library.
int ReadModelInMemory(const CString& path, ON_ClassArray<ON_Mesh>& meshes) {
  try {
    return ReadModel(path, meshes);
  } catch (const std::bad_alloc&) {
  } catch (const std::length_error&) {
  }
  return Fail("Unable to read %s: the model is larger than memory allows", path);
}

}  // namespace

int KV_CDECL TVLOstrel::SKPToMesh(CString path, ON_ClassArray<ON_Mesh>& meshes) {
  const int result = ReadModelInMemory(path, meshes);
  char line[32];
  std::snprintf(line, sizeof line, "SKPToMesh -> %d", result);
  LogCall(line);
  return result;
}

CString KV_CDECL TVLOstrel::GetError() {
  LogCall("GetError");
  return LastError();
}
