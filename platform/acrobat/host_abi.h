// The binary interface between the host application and a plug-in module: calling convention,
// scalar and handle types, and the records exchanged at the handshake. Layouts are the host's;
// on the 32-bit Windows target every offset below is pinned.
#pragma once

#include <cstddef>
#include <cstdint>

// Every procedure that crosses the host boundary, in either direction, uses the C convention.
#if defined(_WIN32) && !defined(_WIN64)
#define HOSTCALL __cdecl
#else
#define HOSTCALL
#endif

// The module's exports: on Windows the module's .def file names them (undecorated); elsewhere
// they are the only symbols with default visibility.
#if defined(_WIN32)
#define HOST_EXPORT
#else
#define HOST_EXPORT __attribute__((visibility("default")))
#endif

// A 16-bit truth value: the host reads 16 bits of the result register. 1 is true, 0 false.
using HostBool = uint16_t;
constexpr HostBool kHostTrue = 1;
constexpr HostBool kHostFalse = 0;

// An atom: the host's 16-bit number for a string.
using HostAtom = uint16_t;

// A procedure in a host function table; its real signature is fixed by its selector.
using HostProc = void(HOSTCALL*)();

// A host function table: an array of procedures addressed by selector. Selector s lies at
// byte offset sizeof(HostProc) * s.
using HostFunctionTable = HostProc*;

// An opaque value made by the host from a plug-in procedure (Core 8). The host calls the
// procedure through it; it is never the procedure's own address.
struct HostCallbackRec;
using HostCallback = HostCallbackRec*;

// Opaque host objects, all pointer-sized handles.
#define KV_HOST_HANDLE(name) \
  struct name##Rec;          \
  using name = name##Rec*
KV_HOST_HANDLE(HostMenubar);
KV_HOST_HANDLE(HostMenu);
KV_HOST_HANDLE(HostMenuItem);
KV_HOST_HANDLE(HostToolBar);
KV_HOST_HANDLE(HostToolButton);
KV_HOST_HANDLE(HostFileSys);
KV_HOST_HANDLE(HostPathName);
KV_HOST_HANDLE(HostText);
KV_HOST_HANDLE(HostViewDoc);
KV_HOST_HANDLE(HostPdDoc);
KV_HOST_HANDLE(HostPage);
KV_HOST_HANDLE(HostStream);
#undef KV_HOST_HANDLE

// 8-byte values passed and returned by value (two 32-bit words; EDX:EAX on 32-bit Windows).
struct HostAnnot {
  uint32_t a;
  uint32_t b;
};
struct HostCosObj {
  uint32_t a;
  uint32_t b;
};

// Cos type code of a stream object.
constexpr int32_t kHostCosStream = 8;

// Procedures of the plug-in that the host calls.
struct SdkSetupData;
struct HandshakeData;
using SetupProc = HostBool(HOSTCALL*)(uint32_t handshakeVersion, SdkSetupData* setupData);
using HandshakeProc = HostBool(HOSTCALL*)(uint32_t handshakeVersion, HandshakeData* data);
using ExtensionProc = HostBool(HOSTCALL*)();
using ExecuteProc = void(HOSTCALL*)(void* clientData);
using ComputeEnabledProc = HostBool(HOSTCALL*)(void* clientData);

// The fourth argument of the module's entry point (read only).
struct HostWindowsData {
  void* hostWindow;      // the host's main window
  void* moduleInstance;  // the plug-in's own module handle
};

// The second argument of the set-up procedure.
struct SdkSetupData {
  uint32_t handshakeVersion;
  uint32_t extensionId;
  HostFunctionTable coreTable;
  HostCallback handshakeCallback;  // written by a successful set-up, and only then
};

// The second argument of the handshake procedure.
struct HandshakeData {
  uint32_t handshakeVersion;
  uint16_t hostField;
  HostAtom extensionName;
  HostCallback exportTables;
  HostCallback importReplaceAndRegister;
  HostCallback init;
  HostCallback unload;
};

// The module's only export.
using PlugInMainProc = HostBool(HOSTCALL*)(uint32_t hostHandshakeVersion,
                                           uint32_t* handshakeVersion, SetupProc* setupProc,
                                           HostWindowsData* windowsData);

constexpr uint32_t kHandshakeVersion = 0x20000;

#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(HostProc) == 4, "selectors address 32-bit slots");
static_assert(sizeof(HostAnnot) == 8 && sizeof(HostCosObj) == 8, "8-byte host values");
static_assert(offsetof(HostWindowsData, hostWindow) == 0, "windows record");
static_assert(offsetof(HostWindowsData, moduleInstance) == 4, "windows record");
static_assert(sizeof(HostWindowsData) == 8, "windows record");
static_assert(offsetof(SdkSetupData, handshakeVersion) == 0, "set-up record");
static_assert(offsetof(SdkSetupData, extensionId) == 4, "set-up record");
static_assert(offsetof(SdkSetupData, coreTable) == 8, "set-up record");
static_assert(offsetof(SdkSetupData, handshakeCallback) == 12, "set-up record");
static_assert(sizeof(SdkSetupData) == 16, "set-up record");
static_assert(offsetof(HandshakeData, handshakeVersion) == 0, "handshake record");
static_assert(offsetof(HandshakeData, hostField) == 4, "handshake record");
static_assert(offsetof(HandshakeData, extensionName) == 6, "handshake record");
static_assert(offsetof(HandshakeData, exportTables) == 8, "handshake record");
static_assert(offsetof(HandshakeData, importReplaceAndRegister) == 12, "handshake record");
static_assert(offsetof(HandshakeData, init) == 16, "handshake record");
static_assert(offsetof(HandshakeData, unload) == 20, "handshake record");
static_assert(sizeof(HandshakeData) == 24, "handshake record");
#endif
