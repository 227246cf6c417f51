# Shared build settings of the two builds.
#
# The win32 build is two build trees, because its product modules and its test programs need
# the cross compiler's two thread models:
#   build/win32             the product tree (toolchain-i686-w64-mingw32.cmake, win32 model):
#                           the modules of KV_PRODUCT_MODULES, stripped, and the programs of
#                           KV_PRODUCT_PROGRAMS
#   build/win32/tests-posix the test programs' tree (toolchain-i686-w64-mingw32-posix.cmake),
#                           configured and built by the product tree when tests are on, with
#                           KV_SHIPPED_TREE naming the product tree: it builds the libraries the
#                           tests link and the test programs, and takes those modules and
#                           programs from the product tree as imported targets of the same
#                           names. Its ctest runs as part of the product tree's.
# Both write to the product tree's bin/, so the tests load the product modules, beside them.
# The native build is one tree.

# The modules the product tree builds for the host's process: the plug-in, the modules it
# imports, and the stand-ins of the 3D library and of the system's file dialog (README says
# which are shipped); and the programs that start them: the stand-in host and the launcher for
# runs under wine. The test programs' tree imports them all, and tests/imports checks the
# modules' imports. Only the win32 build reads the two lists.
set(KV_PRODUCT_MODULES kv_mfc Korvalume Ostrel80 TVLGUI80 A3DLIB A3DLIB_partial kv_comdlg)
set(KV_PRODUCT_PROGRAMS korvalume-host run-with-env)

# Every program and module lands in bin/; the 3D library's builds go to folders of their own so
# that a test chooses by the search path which one, if any, is found.
if(KV_SHIPPED_TREE)
  set(KV_BIN_DIR ${KV_SHIPPED_TREE}/bin)
else()
  set(KV_BIN_DIR ${CMAKE_BINARY_DIR}/bin)
endif()
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${KV_BIN_DIR})
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${KV_BIN_DIR})
set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)

if(WIN32)
  # A tree keeps the compiler it was first configured with, whatever the toolchain file says now.
  if(KV_MINGW_THREADS AND NOT CMAKE_CXX_COMPILER MATCHES "-${KV_MINGW_THREADS}$")
    message(FATAL_ERROR "${CMAKE_BINARY_DIR} was configured with ${CMAKE_CXX_COMPILER}, but "
                        "this tree needs the ${KV_MINGW_THREADS} thread model: delete the "
                        "folder and configure it again.")
  endif()
  # Each module is one file, like the real ones: the compiler's runtime is linked in. The C
  # runtime stays the system's msvcrt.dll, so every module allocates from one heap. The posix
  # model's test programs link its thread library (winpthread) in too.
  if(KV_MINGW_THREADS STREQUAL "win32")
    set(KV_STATIC_RUNTIME -static-libgcc -static-libstdc++)
  else()
    set(KV_STATIC_RUNTIME -static)
  endif()
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0501)
else()
  add_compile_options($<$<CXX_COMPILER_ID:GNU>:-fno-gnu-unique>)  # lets dlclose really unload a module
endif()

add_compile_options(-Wall -Wextra -Wno-unused-parameter)

if(KV_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# A module of the system: a DLL on win32, a shared object with the same file name on native.
function(kv_module target file_name)
  get_filename_component(base "${file_name}" NAME_WE)
  get_filename_component(ext "${file_name}" EXT)
  set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME "${base}" SUFFIX "${ext}"
                                             IMPORT_PREFIX "" IMPORT_SUFFIX ".lib")
  if(WIN32)
    target_link_options(${target} PRIVATE ${KV_STATIC_RUNTIME} -Wl,--enable-stdcall-fixup)
    if(KV_MINGW_THREADS STREQUAL "win32")
      # A product module: stripped, and without the TLS directory the C runtime's start-up
      # would give it (no_tls_directory.c says why).
      target_link_options(${target} PRIVATE -s)
      target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/cmake/no_tls_directory.c)
    endif()
  else()
    set_target_properties(${target} PROPERTIES NO_SONAME OFF)
    target_link_options(${target} PRIVATE "-Wl,-soname,${file_name}" -Wl,-z,defs)
    set_target_properties(${target} PROPERTIES BUILD_RPATH "\$ORIGIN" INSTALL_RPATH "\$ORIGIN")
  endif()
endfunction()

function(kv_program target)
  if(WIN32)
    target_link_options(${target} PRIVATE ${KV_STATIC_RUNTIME})
  else()
    set_target_properties(${target} PROPERTIES BUILD_RPATH "\$ORIGIN")
  endif()
endfunction()
