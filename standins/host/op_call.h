// One host call as the procedures see it: counted, logged, and failed when the scenario's fault
// plan aims at it. A procedure opens an OpCall first and answers through it.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

#include "standins/host/host_state.h"
#include "standins/host/operations.h"

namespace standin {

class OpCall {
 public:
  OpCall(OpId id, std::string arguments);
  HostState& state() { return state_; }
  uint32_t Number() const { return state_.log[record_].number; }
  // The fault plan chose this call; the procedure answers its failure value and does nothing.
  bool Failed() const { return failed_; }
  template <typename T>
  T Answer(T value, const std::string& shown) {
    SetResult(shown);
    return value;
  }
  void Done() { SetResult("(none)"); }
  void Note(const std::string& note);

 private:
  void SetResult(const std::string& shown);
  HostState& state_;
  size_t record_;
  bool failed_ = false;
};

// Argument formatting for the log.
std::string Args(std::initializer_list<std::string> parts);
std::string Quote(const char* text);
std::string ShowAtom(const HostState& state, HostAtom atom);
std::string Hex32(uint32_t value);
std::string ShowInt(int64_t value);
std::string ShowBool(HostBool value);
std::string ShowPointer(const void* pointer);
std::string ShowTable(const HostState& state, HostFunctionTable table);
std::string ShowCos(HostCosObj object);
std::string ShowAnnot(HostAnnot annot);

// The string a procedure reads from a C string argument (null reads as empty).
inline std::string TextOf(const char* text) {
  return text ? std::string(text) : std::string();
}

}  // namespace standin
