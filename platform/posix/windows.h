// The Windows calls that the system makes, for the native (Linux) build: the same names,
// types and meanings as on Windows, over dlopen, dladdr and the C library. The win32 build
// includes the real <windows.h> instead; this directory is on the include path only natively.
#pragma once

#include <cstddef>
#include <cstdint>

#ifdef _WIN32
#error "the native stand-in for the Windows API is not for the win32 build"
#endif

using BOOL = int;
using DWORD = uint32_t;
using WORD = uint16_t;
using UINT = unsigned int;
using INT = int;
using LONG = int32_t;
using INT_PTR = intptr_t;
using UINT_PTR = uintptr_t;
using LPARAM = intptr_t;
using WPARAM = uintptr_t;
using LPCSTR = const char*;
using LPSTR = char*;
using HANDLE = void*;
using FARPROC = void (*)();

struct HINSTANCE__;
using HINSTANCE = HINSTANCE__*;
using HMODULE = HINSTANCE;
struct HWND__;
using HWND = HWND__*;
struct HBITMAP__;
using HBITMAP = HBITMAP__*;
using HGDIOBJ = void*;

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif
#define WINAPI
#define MAX_PATH 260
#define _MAX_PATH 260
#define _MAX_DRIVE 3
#define _MAX_DIR 256
#define _MAX_FNAME 256
#define _MAX_EXT 256
#define LOAD_WITH_ALTERED_SEARCH_PATH 0x00000008
#define ERROR_SUCCESS 0
#define ERROR_FILE_NOT_FOUND 2
#define ERROR_INVALID_HANDLE 6
#define ERROR_INSUFFICIENT_BUFFER 122
#define ERROR_MOD_NOT_FOUND 126
#define ERROR_PROC_NOT_FOUND 127
#define ERROR_BAD_EXE_FORMAT 193
#define WM_COMMAND 0x0111
#define SW_SHOW 5
#define IDOK 1
#define IDCANCEL 2
#define SE_ERR_FNF 2
#define SE_ERR_NOASSOC 31
#define MAKEINTRESOURCEA(id) \
  (reinterpret_cast<LPCSTR>(static_cast<uintptr_t>(static_cast<WORD>(id))))
#define IS_INTRESOURCE(p) ((reinterpret_cast<uintptr_t>(p) >> 16) == 0)
#define OFN_OVERWRITEPROMPT 0x00000002
#define OFN_HIDEREADONLY 0x00000004
#define OFN_NOCHANGEDIR 0x00000008
#define OFN_EXPLORER 0x00080000
#define OFN_FILEMUSTEXIST 0x00001000
#define OFN_PATHMUSTEXIST 0x00000800

// Modules. A name with a directory ('/' or '\\') is opened as given. A name without one is
// first matched against the loaded modules (as Windows does), then searched: the directory
// of the program, the current directory, then each directory of PATH. A file name without
// an extension gets ".dll"; a trailing dot keeps it without one. Null on failure.
HMODULE LoadLibraryA(LPCSTR fileName);
HMODULE LoadLibraryExA(LPCSTR fileName, HANDLE file, DWORD flags);
BOOL FreeLibrary(HMODULE module);
FARPROC GetProcAddress(HMODULE module, LPCSTR name);
// The loaded module whose file name (without directory) is the name, ignoring case; a null
// name is the program. The handle does not add a reference. Null when not loaded.
HMODULE GetModuleHandleA(LPCSTR moduleName);
// The full path of a module (null: the program). Truncates to size - 1 characters and
// answers size when the buffer is too small, as Windows XP does; 0 on failure.
DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size);
// The last error of the calling thread, as set by the calls of this layer. Each module
// links its own copy of this layer, so it is the error of that module's calls.
DWORD GetLastError();
void SetLastError(DWORD error);

// Resources: a bitmap resource of a module (null instance: the program), by integer id
// (MAKEINTRESOURCEA). The handle owns a copy of the device-independent bitmap, so it stays
// valid after the module unloads; DeleteObject frees it. Null when the module has none.
HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name);
BOOL DeleteObject(HGDIOBJ object);

// The shell: opens a file (or a URL such as "https://...") with the system's opener,
// xdg-open, started detached. Answers a value above 32 on success, SE_ERR_FNF when the file
// does not exist, SE_ERR_NOASSOC when nothing can open it (or for a verb other than "open").
// Prints one line to standard error saying what it did.
HINSTANCE ShellExecuteA(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory,
                        INT showCommand);

// Message box (prints to standard error on this build).
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
#define MB_OK 0x00000000

// The common file-open dialog. On this build it is a prompt on the terminal: the filter's
// first description is shown ("Open [Desc]: "), one line is read from standard input, and an
// empty line (or the end of input) is Cancel. The line goes to lpstrFile as typed (bounded by
// nMaxFile: a longer one is Cancel), with nFileOffset, nFileExtension and lpstrFileTitle.
struct OPENFILENAMEA {
  DWORD lStructSize;
  HWND hwndOwner;
  HINSTANCE hInstance;
  LPCSTR lpstrFilter;  // pairs of NUL-terminated description and pattern, ended by a NUL
  LPSTR lpstrCustomFilter;
  DWORD nMaxCustFilter;
  DWORD nFilterIndex;
  LPSTR lpstrFile;  // in: initial name; out: the chosen full path
  DWORD nMaxFile;
  LPSTR lpstrFileTitle;
  DWORD nMaxFileTitle;
  LPCSTR lpstrInitialDir;
  LPCSTR lpstrTitle;
  DWORD Flags;
  WORD nFileOffset;
  WORD nFileExtension;
  LPCSTR lpstrDefExt;
  intptr_t lCustData;
  void* lpfnHook;
  LPCSTR lpTemplateName;
  void* pvReserved;
  DWORD dwReserved;
  DWORD FlagsEx;
};
using LPOPENFILENAMEA = OPENFILENAMEA*;
BOOL GetOpenFileNameA(LPOPENFILENAMEA ofn);
BOOL GetSaveFileNameA(LPOPENFILENAMEA ofn);

// The C runtime calls of Windows that Linux spells otherwise. _splitpath takes '\\' and '/'
// as separators; each part may be null and is cut to its _MAX_ size.
void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext);
int _unlink(const char* path);

// Native-build support, not part of the Windows API ------------------------------------

// A module records its resources at load time (the bitmap's bytes embedded in it); the
// anchor is any address inside that module. The record is kept by the copy of this layer
// that the call reaches, i.e. the embedding module's own: it goes away with that module.
// LoadBitmapA asked from another module for a module's bitmap finds it through the
// embedding module's exported lookup (a program exports none: its bitmaps are found from
// the program itself). The bytes must live as long as the record.
void KvRegisterBitmapResource(const void* moduleAnchor, int id, const unsigned char* dib,
                              size_t size);
void KvUnregisterBitmapResource(const void* moduleAnchor, int id);
// A static object of the embedding module that registers a bitmap for its own lifetime:
// `static const KvBitmapResource logo(101, kLogoDib, sizeof kLogoDib);`. Its address is the
// anchor, so it must have static storage (an object on the stack is not in any module).
struct KvBitmapResource {
  KvBitmapResource(int id, const unsigned char* dib, size_t size) : id_(id) {
    KvRegisterBitmapResource(this, id, dib, size);
  }
  ~KvBitmapResource() { KvUnregisterBitmapResource(this, id_); }
  KvBitmapResource(const KvBitmapResource&) = delete;
  KvBitmapResource& operator=(const KvBitmapResource&) = delete;

 private:
  int id_;
};
// The device-independent bitmap behind a handle from LoadBitmapA (null for another value).
const unsigned char* KvBitmapBits(HBITMAP bitmap, size_t* size);
// Whether the handle is a bitmap that this copy of the layer made and has not deleted since.
// It never reads the handle, so a deleted one may be asked about; a bitmap made by another
// module's copy answers FALSE.
BOOL KvBitmapLive(HBITMAP bitmap);
// Replaces the shell for tests (null: the real behaviour again): the hook receives every
// argument of ShellExecuteA and answers the result. It is set in the caller's copy of this
// layer.
using KvShellExecuteHook = intptr_t (*)(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters,
                                        LPCSTR directory, INT showCommand);
void KvSetShellExecuteHook(KvShellExecuteHook hook);
