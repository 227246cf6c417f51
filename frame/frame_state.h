// The plug-in frame: the module's entry point, its set-up with the host and the state it
// records for the rest of the plug-in.
#pragma once

#include <windows.h>

#include <csetjmp>
#include <cstdint>

#include "platform/acrobat/host_abi.h"
#include "platform/acrobat/host_operations.h"
#include "platform/acrobat/host_tables.h"

// Module state, written only by the entry point and the set-up; zero until then.
extern uint32_t ExtensionId;      // from the set-up record; names our callbacks, menus, items
extern HINSTANCE ModuleInstance;  // our own module, for the tool-button bitmap
extern HWND HostWindow;           // recorded, never used

// Exported entry point: records the handles, agrees on the handshake version and hands back
// the set-up procedure.
extern "C" HOST_EXPORT HostBool HOSTCALL PlugInMain(uint32_t hostHandshakeVersion,
                                                    uint32_t* handshakeVersion,
                                                    SetupProc* setupProc,
                                                    HostWindowsData* windowsData);

// The set-up procedure: obtains the thirteen host tables and leaves the handshake callback.
HostBool HOSTCALL ImportHostTables(uint32_t handshakeVersion, SdkSetupData* setupData);

// Asks for one table at a required version, with the fallback versions; stores the table and
// the granted version (0 when refused) and answers true when a version was granted.
HostBool RequestHostTable(const char* name, uint32_t requiredVersion, uint32_t* grantedVersion,
                          HostFunctionTable* table);

// The handshake procedure: names the extension and supplies the four extension callbacks.
HostBool HOSTCALL AnswerHandshake(uint32_t handshakeVersion, HandshakeData* data);

HostBool HOSTCALL ExportTables();
HostBool HOSTCALL ImportReplaceAndRegister();
HostBool HOSTCALL InitPlugIn();
HostBool HOSTCALL UnloadPlugIn();

// The atom of the extension's name, asked of the host on every call.
HostAtom GetExtensionNameAtom();

// 1 when the host application's major version is 9, else 0; asked anew on every call.
int GetHostIndex();

// Long-jumps to the environment with the value 1. Nothing installs it.
[[noreturn]] void RestoreFrame(std::jmp_buf environment);

// A callback made by the host from one of our procedures.
template <typename Proc>
inline HostCallback MakeHostCallback(Proc proc) {
  return HostMakeCallback(ExtensionId, reinterpret_cast<HostProc>(proc));
}
