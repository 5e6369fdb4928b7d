# The headless host for Windows: the host library and the runner, built as
# orbiter.exe with mingw-w64's g++ (toolchain/host-x64.cmake, host-x86.cmake) so that a
# module's imports from the simulator's executable resolve to it. Modules are
# built with the simulator's ABI (MSVC), the host with g++'s (Itanium); the
# ABI bridge (abi/) exports the SDK under the MSVC names and carries the
# calls whose conventions differ. Included by the top-level CMakeLists.txt
# in place of cmake/VesselModule.cmake; the plug-ins are not built here.

set(VH_WINDOWS_DIR ${CMAKE_CURRENT_LIST_DIR}/..)
set(VH_WINDOWS_HOST_DIR ${CMAKE_CURRENT_LIST_DIR})
include(${VH_WINDOWS_DIR}/toolchain/msvc-options.cmake)

set(VH_BUILD_TESTS OFF)
set(VH_BUILD_BENCH OFF)
set(VH_BUILD_FUZZ OFF)

# The host library goes into the executable, which exports it.
set(VH_HOST_LIBRARY_TYPE STATIC)
# <windows.h> would otherwise define min and max as macros. The C library's
# own printf family: the same digits as on Linux for the same numbers. The
# SDK is neither imported nor exported under its own names: the whole
# program is the host, and it exports the SDK under the modules' names only.
add_compile_definitions(NOMINMAX __USE_MINGW_ANSI_STDIO=1 OAPIFUNC=)
# The 32-bit orbiter.exe stands in for the 2016 host, whose DLLs are the
# 32-bit ones shipped; it exports the SDK under that edition's names.
set(VH_HOST_EDITION_DEFINES)
if(VH_WINDOWS_ARCH STREQUAL "x86")
  set(VH_HOST_EDITION_DEFINES -DORBITER_EDITION_2016)
  add_compile_definitions(ORBITER_EDITION_2016)
endif()
add_link_options(-static)

# The two header-only libraries the runner uses, from Debian's packages: a
# folder of their own so that nothing else of /usr/include is seen.
set(third_party ${CMAKE_BINARY_DIR}/third-party-include)
file(MAKE_DIRECTORY ${third_party})
foreach(dir nlohmann CLI)
  if(NOT EXISTS /usr/include/${dir})
    message(FATAL_ERROR "/usr/include/${dir} is missing: scripts/setup-deps installs it")
  endif()
  if(NOT EXISTS ${third_party}/${dir})
    file(CREATE_LINK /usr/include/${dir} ${third_party}/${dir} SYMBOLIC)
  endif()
endforeach()
add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
target_include_directories(nlohmann_json::nlohmann_json SYSTEM INTERFACE ${third_party})
add_library(CLI11::CLI11 INTERFACE IMPORTED)
target_include_directories(CLI11::CLI11 SYSTEM INTERFACE ${third_party})

# Platform sources in place of the Linux ones.
set(VH_HOST_PLATFORM_SOURCES ${VH_WINDOWS_HOST_DIR}/SharedLibrary.cpp ${VH_WINDOWS_HOST_DIR}/ModuleHeap.cpp
  ${VH_WINDOWS_HOST_DIR}/abi/SketchpadView.cpp)
set(VH_HOST_PLATFORM_INCLUDES ${VH_WINDOWS_HOST_DIR}/abi)
set(VH_RUNNER_PLATFORM_SOURCES ${VH_WINDOWS_HOST_DIR}/RunnerPlatform.cpp)

# vh_windows_host_executable(TARGET): the runner becomes orbiter.exe in
# bin/ beside the modules' build (build-win64/bin when this build is
# build-win64/host), exporting the SDK through the ABI bridge.
function(vh_windows_host_executable target)
  set(def ${CMAKE_BINARY_DIR}/abi/orbiter-exports.def)
  set(bridge ${CMAKE_BINARY_DIR}/abi/AbiBridge.cpp)
  file(GLOB sdk_headers ${CMAKE_SOURCE_DIR}/sdk/include/*.h)
  set(sdk_includes ${VH_HOST_EDITION_DEFINES} -I${CMAKE_SOURCE_DIR}/sdk/include -I${CMAKE_SOURCE_DIR}/host/include)
  add_custom_command(OUTPUT ${def} ${bridge}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/abi
    COMMAND ${VH_WINDOWS_HOST_DIR}/abi/make-abi-bridge --def ${def} --cpp ${bridge}
      --msvc clang++ --target=${VH_MSVC_TARGET} -std=c++17 ${VH_WINDOWS_COMPILE_OPTIONS} ${sdk_includes}
      --itanium clang++ --target=${VH_MINGW_TRIPLE} -std=c++17 -DNOMINMAX -DOAPIFUNC=
        -nostdinc++ -nostdlibinc ${VH_MINGW_INCLUDES} ${sdk_includes}
    DEPENDS ${VH_WINDOWS_HOST_DIR}/abi/make-abi-bridge ${sdk_headers}
      ${CMAKE_SOURCE_DIR}/host/include/vhost/ModuleInterface.h
    COMMENT "ABI bridge: the SDK under the module's names"
    VERBATIM)
  target_sources(${target} PRIVATE ${bridge})
  target_include_directories(${target} PRIVATE ${VH_WINDOWS_HOST_DIR}/abi)
  # The whole host library: the modules call functions nothing in the
  # executable calls.
  target_link_options(${target} PRIVATE ${def} -Wl,--whole-archive $<TARGET_FILE:vhost> -Wl,--no-whole-archive)
  set_target_properties(${target} PROPERTIES
    OUTPUT_NAME orbiter
    RUNTIME_OUTPUT_DIRECTORY ${VH_HOST_OUTPUT_DIR}
    LINK_DEPENDS ${def})
endfunction()

set(VH_HOST_OUTPUT_DIR ${CMAKE_BINARY_DIR}/../bin CACHE PATH "Where orbiter.exe goes")
