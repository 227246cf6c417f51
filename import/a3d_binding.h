// Loading, binding, version-testing and unloading the 3D library, and the last-error text.
#pragma once

#include <windows.h>

#include <initializer_list>

#include "platform/a3d/a3d_signatures.h"
#include "platform/mfc/cstring.h"

// The library's 199 entry points, bound by name at every load; null where the library lacks
// the name. After an unload the entries keep their old addresses until the next binding.
extern A3dProc A3dEntryTable[kA3dEntryCount];

// The message of the last recorded failure; empty until the first, never cleared.
extern CString LastErrorText;

CString GetLastErrorText();
void SetLastErrorText(const CString& text);

// Null when the library cannot be loaded (the message is then in LastErrorText).
HMODULE LoadA3dLibrary();
void BindA3dEntryPoints(HMODULE module);
// 1 when the library is ready for use; 0 after storing the failure's message.
int InitA3dLibrary();
void TerminateA3dLibrary();
void FreeA3dLibrary(HMODULE module);

// True when every entry is bound; otherwise stores a message naming the first missing one.
bool RequireA3dEntries(std::initializer_list<A3dEntry> entries);

// One whole cycle of the library as its users run it: loaded and bound, version-tested and
// initialised, with every entry its user calls bound; terminated and unloaded when it ends.
// Not ready, with nothing left loaded and the message in LastErrorText, when a step fails;
// after a failed version test or initialisation the library is unloaded without terminating.
class A3dLibrarySession {
 public:
  explicit A3dLibrarySession(std::initializer_list<A3dEntry> required);
  ~A3dLibrarySession();
  A3dLibrarySession(const A3dLibrarySession&) = delete;
  A3dLibrarySession& operator=(const A3dLibrarySession&) = delete;

  bool Ready() const { return module_ != nullptr; }

 private:
  HMODULE module_;
};

// A status for a call of an entry point that the library does not export: it is not called.
constexpr A3dStatus kA3dEntryMissing = -100000;

template <A3dEntry kEntry, typename Fn, typename... Args>
inline A3dStatus InvokeA3dEntry(Args... args) {
  Fn entry = reinterpret_cast<Fn>(A3dEntryTable[static_cast<int>(kEntry)]);
  return entry ? entry(args...) : kA3dEntryMissing;
}

// A call through the entry table by the entry's name, e.g. A3dCall(A3DTess3DCreate)(&b, &h).
#define A3dCall(name) InvokeA3dEntry<A3dEntry::name, name##Fn>
