# The win32 product tree's tests (the layout is in korvalume.cmake): the test programs are built
# with the posix thread model in build/win32/tests-posix, which this tree configures and builds
# once its own modules are built, and whose tests its ctest runs. That nested build takes its
# parallel job count from CMAKE_BUILD_PARALLEL_LEVEL, as any `cmake --build` does.

# What the test programs' tree imports: each product module and program, the file this tree
# built and what its users link with it (targets of the same names there).
set(imports "")
foreach(module ${KV_PRODUCT_MODULES})
  string(APPEND imports
    "add_library(${module} SHARED IMPORTED GLOBAL)\n"
    "set_target_properties(${module} PROPERTIES\n"
    "  IMPORTED_LOCATION \"$<TARGET_FILE:${module}>\"\n"
    "  IMPORTED_IMPLIB \"$<TARGET_LINKER_FILE:${module}>\"\n"
    "  INTERFACE_INCLUDE_DIRECTORIES \"$<REMOVE_DUPLICATES:"
    "$<TARGET_PROPERTY:${module},INTERFACE_INCLUDE_DIRECTORIES>>\"\n"
    "  INTERFACE_LINK_LIBRARIES \"$<TARGET_PROPERTY:${module},INTERFACE_LINK_LIBRARIES>\")\n")
endforeach()
foreach(program ${KV_PRODUCT_PROGRAMS})
  string(APPEND imports
    "add_executable(${program} IMPORTED GLOBAL)\n"
    "set_target_properties(${program} PROPERTIES\n"
    "  IMPORTED_LOCATION \"$<TARGET_FILE:${program}>\")\n")
endforeach()
file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/product_modules.cmake CONTENT "${imports}")

include(ExternalProject)
ExternalProject_Add(kv_test_programs
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${CMAKE_BINARY_DIR}/tests-posix
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/toolchain-i686-w64-mingw32-posix.cmake
    -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
    -DKV_SHIPPED_TREE=${CMAKE_BINARY_DIR}
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON
  DEPENDS ${KV_PRODUCT_MODULES} ${KV_PRODUCT_PROGRAMS})

set(forward ${CMAKE_BINARY_DIR}/tests-posix.ctest)
file(WRITE ${forward} "subdirs(\"${CMAKE_BINARY_DIR}/tests-posix\")\n")
set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${forward})
