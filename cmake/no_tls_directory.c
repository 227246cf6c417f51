/* Linked into every product module of the win32 build (kv_module in korvalume.cmake).
 *
 * MinGW-w64's DLL start-up calls the C runtime's thread-local-storage initialiser through the
 * pointer __dyn_tls_init_callback. The runtime object that defines that pointer also defines
 * _tls_used, and with it the linker gives the module a TLS directory whose callbacks run on
 * every thread of the host's process. Our modules use no static TLS (this compiler emulates
 * thread-local variables with TlsAlloc), and Windows XP gives a DLL loaded at run time no
 * static TLS slot anyway. Defining the pointer here, empty, keeps that object out of the link:
 * the start-up code skips the call and the module has no TLS directory.
 *
 * The one thing the callbacks did for us: free, when a thread ends, the small block the C++
 * runtime makes per thread the first time an exception passes through it. The plug-in throws
 * none. Code that needed real static TLS would pull the runtime's object back in and fail to
 * link here on a duplicate definition, rather than load with a broken TLS.
 */
#include <windows.h>

const PIMAGE_TLS_CALLBACK __dyn_tls_init_callback = NULL;
