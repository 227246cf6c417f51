// Every host operation that the plug-in calls, written once: name, table, selector, signature.
// The list generates the plug-in's typed calls (below) and the stand-in host's slots.
#pragma once

#include "host_abi.h"
#include "host_tables.h"

// X(name, table, selector, result, (parameters), (arguments))
#define KV_HOST_OPERATION_LIST(X)                                                                  \
  /* atoms, callbacks, tables */                                                                   \
  X(HostAtomFromString, Core, 5, HostAtom, (const char* text), (text))                             \
  X(HostMakeCallback, Core, 8, HostCallback, (uint32_t extensionId, HostProc proc),                \
    (extensionId, proc))                                                                           \
  X(HostGetTable, Core, 10, HostFunctionTable, (HostAtom name, uint32_t version), (name, version)) \
  X(HostTableVersion, AcroSupport, 103, uint32_t, (HostFunctionTable table), (table))              \
  /* memory */                                                                                     \
  X(HostMemoryAlloc, AcroSupport, 1, void*, (uint32_t size), (size))                               \
  X(HostMemoryFree, AcroSupport, 3, void, (void* block), (block))                                  \
  /* file systems and path names */                                                                \
  X(HostFileSysFromPath, AcroSupport, 123, HostFileSys, (HostAtom pathKind, const char* path),     \
    (pathKind, path))                                                                              \
  X(HostPathNameFromPath, AcroSupport, 52, HostPathName,                                           \
    (HostFileSys fileSys, HostAtom pathKind, const char* path, void* reserved),                    \
    (fileSys, pathKind, path, reserved))                                                           \
  X(HostReleasePathName, AcroSupport, 25, void, (HostFileSys fileSys, HostPathName path),          \
    (fileSys, path))                                                                               \
  /* text objects */                                                                               \
  X(HostTextNew, ASExtra, 3, HostText, (), ())                                                     \
  X(HostTextSetText, ASExtra, 19, void, (HostText text, const char* value), (text, value))         \
  X(HostTextDestroy, ASExtra, 12, void, (HostText text), (text))                                   \
  /* documents, alerts, application */                                                             \
  X(HostOpenDocFromFile, AcroView, 485, HostViewDoc,                                               \
    (HostPathName path, HostFileSys fileSys, HostText title), (path, fileSys, title))              \
  X(HostAlert, AcroView, 5, void, (const char* message), (message))                                \
  X(HostGetAppVersion, AcroView, 7, void, (int16_t * major, int16_t * minor), (major, minor))      \
  /* menus and menu items */                                                                       \
  X(HostGetMenubar, AcroView, 16, HostMenubar, (), ())                                             \
  X(HostAcquireMenuByName, AcroView, 71, HostMenu, (HostMenubar menubar, const char* name),        \
    (menubar, name))                                                                               \
  X(HostNewMenu, AcroView, 78, HostMenu,                                                           \
    (const char* title, const char* name, uint32_t extensionId), (title, name, extensionId))       \
  X(HostReleaseMenu, AcroView, 80, void, (HostMenu menu), (menu))                                  \
  X(HostAddMenuToMenubar, AcroView, 77, void, (HostMenubar menubar, HostMenu menu, int32_t index), \
    (menubar, menu, index))                                                                        \
  X(HostNewMenuItem, AcroView, 90, HostMenuItem,                                                   \
    (const char* title, const char* name, HostMenu submenu, HostBool longMenusOnly,                \
     int32_t shortcut, int32_t flags, void* icon, uint32_t extensionId),                           \
    (title, name, submenu, longMenusOnly, shortcut, flags, icon, extensionId))                     \
  X(HostAddMenuItem, AcroView, 89, void, (HostMenu menu, HostMenuItem item, int32_t index),        \
    (menu, item, index))                                                                           \
  X(HostSetItemExecuteProc, AcroView, 99, void,                                                    \
    (HostMenuItem item, HostCallback proc, void* clientData), (item, proc, clientData))            \
  X(HostSetItemComputeEnabledProc, AcroView, 100, void,                                            \
    (HostMenuItem item, HostCallback proc, void* clientData), (item, proc, clientData))            \
  /* tool bar and tool buttons */                                                                  \
  X(HostGetToolBar, AcroView, 17, HostToolBar, (), ())                                             \
  X(HostGetButtonByName, AcroView, 163, HostToolButton, (HostToolBar toolBar, HostAtom name),      \
    (toolBar, name))                                                                               \
  X(HostNewToolButton, AcroView, 169, HostToolButton,                                              \
    (HostAtom name, void* icon, HostBool longOnly, HostBool separator),                            \
    (name, icon, longOnly, separator))                                                             \
  X(HostAddToolButton, AcroView, 165, void,                                                        \
    (HostToolBar toolBar, HostToolButton button, HostBool before, HostToolButton anchor),          \
    (toolBar, button, before, anchor))                                                             \
  X(HostSetButtonExecuteProc, AcroView, 175, void,                                                 \
    (HostToolButton button, HostCallback proc, void* clientData), (button, proc, clientData))      \
  X(HostSetButtonComputeEnabledProc, AcroView, 176, void,                                          \
    (HostToolButton button, HostCallback proc, void* clientData), (button, proc, clientData))      \
  X(HostSetButtonHelpText, AcroView, 214, void, (HostToolButton button, const char* text),         \
    (button, text))                                                                                \
  /* reading a document's 3D annotations */                                                        \
  X(HostViewDocGetPdDoc, AcroView, 48, HostPdDoc, (HostViewDoc viewDoc), (viewDoc))                \
  X(HostDocPageCount, PDModel, 83, int32_t, (HostPdDoc doc), (doc))                                \
  X(HostDocAcquirePage, PDModel, 84, HostPage, (HostPdDoc doc, int32_t index), (doc, index))       \
  X(HostPageAnnotCount, PDModel, 157, int32_t, (HostPage page), (page))                            \
  X(HostPageGetAnnot, PDModel, 152, HostAnnot, (HostPage page, int32_t index), (page, index))      \
  X(HostAnnotIsValid, PDModel, 15, HostBool, (HostAnnot annot), (annot))                           \
  X(HostAnnotGetSubtype, PDModel, 16, HostAtom, (HostAnnot annot), (annot))                        \
  X(HostAnnotGetCosDict, PDModel, 26, HostCosObj, (HostAnnot annot), (annot))                      \
  X(HostCosDictGet, Cos, 21, HostCosObj, (HostCosObj dict, HostAtom key), (dict, key))             \
  X(HostCosObjType, Cos, 2, int32_t, (HostCosObj obj), (obj))                                      \
  X(HostCosNameValue, Cos, 19, HostAtom, (HostCosObj obj), (obj))                                  \
  X(HostCosStreamOpen, Cos, 32, HostStream, (HostCosObj stream, int32_t flags), (stream, flags))   \
  X(HostStreamRead, AcroSupport, 43, int32_t,                                                      \
    (void* buffer, uint32_t itemSize, uint32_t count, HostStream stream),                          \
    (buffer, itemSize, count, stream))                                                             \
  X(HostStreamClose, AcroSupport, 45, void, (HostStream stream), (stream))

// The procedure type of each operation: <name>Fn.
#define KV_HOST_OP_TYPE(name, table, selector, result, params, args) \
  using name##Fn = result(HOSTCALL*) params;
KV_HOST_OPERATION_LIST(KV_HOST_OP_TYPE)
#undef KV_HOST_OP_TYPE

// The procedure at a selector of an obtained table, or null when the table is missing.
template <typename Fn>
inline Fn HostProcAt(HostTableId table, int selector) {
  HostFunctionTable procs = HostTables[table].table;
  return procs ? reinterpret_cast<Fn>(procs[selector]) : nullptr;
}

template <typename T>
inline T HostZero() {
  return T();
}

// One typed call per operation. A missing table or slot answers a zero value instead of
// calling through a null pointer.
#define KV_HOST_OP_CALL(name, table, selector, result, params, args)        \
  inline result name params {                                               \
    name##Fn hostProc = HostProcAt<name##Fn>(HostTableId::table, selector); \
    return hostProc ? hostProc args : HostZero<result>();                   \
  }
KV_HOST_OPERATION_LIST(KV_HOST_OP_CALL)
#undef KV_HOST_OP_CALL
