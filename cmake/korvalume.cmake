# Shared build settings of the two builds.

# Every program and module lands in bin/; the 3D library's builds go to folders of their own so
# that a test chooses by the search path which one, if any, is found.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)

if(WIN32)
  # Each module is one file, like the real ones: the compiler's runtime is linked in. The C
  # runtime stays the system's msvcrt.dll, so every module allocates from one heap.
  set(KV_STATIC_RUNTIME -static)
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
