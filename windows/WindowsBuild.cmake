# The Windows build of the vessel modules (toolchain files x86.cmake and
# x64.cmake): each plug-in becomes <module>.dll in Modules/, linked with
#  - the modules' small runtime (windows/runtime): start-up, operator new and
#    delete, and a DllMain for a module without one;
#  - an import library for the host executable, made just before the link
#    from the C++ names the module uses (windows/host-import-lib);
#  - the universal C runtime's and kernel32's import libraries;
# and nothing else, exporting only its entry points. Included by the
# top-level CMakeLists.txt in place of cmake/VesselModule.cmake.

# Which host the headers bind to. Our headers follow the current host unless
# the 2016 edition is chosen; the 2016 host is 32-bit only.
if(VH_WINDOWS_ARCH STREQUAL "x86")
  set(default_edition 2016)
else()
  set(default_edition current)
endif()
set(VH_ORBITER_EDITION ${default_edition} CACHE STRING "Host edition our SDK headers bind to: 2016 or current")
set_property(CACHE VH_ORBITER_EDITION PROPERTY STRINGS 2016 current)
if(NOT VH_ORBITER_EDITION MATCHES "^(2016|current)$")
  message(FATAL_ERROR "VH_ORBITER_EDITION is 2016 or current")
endif()
if(VH_ORBITER_EDITION STREQUAL "2016" AND NOT VH_WINDOWS_ARCH STREQUAL "x86")
  message(FATAL_ERROR "the 2016 host is 32-bit only: VH_ORBITER_EDITION=2016 needs the x86 toolchain")
endif()

# The host's test module (tests/fixtures) and the ABI seam probe
# (windows/checks/seams) in test-modules/, for flying the Windows host under
# wine (scripts/test-windows). Not part of what users get.
option(VH_BUILD_TEST_MODULES "Also build the test modules, in test-modules/" OFF)

# A real SDK include folder to build against instead of ours (its Orbitersdk.h
# and the rest); empty for ours.
set(VH_REAL_SDK "" CACHE PATH "The simulator's SDK include folder to build against instead of sdk/include")

set(VH_WINDOWS_DIR ${CMAKE_CURRENT_LIST_DIR})
add_compile_options(${VH_WINDOWS_COMPILE_OPTIONS})
add_link_options(${VH_WINDOWS_LINK_OPTIONS})

# The tests, benchmarks and fuzz targets run on the host's side, on Linux.
set(VH_BUILD_TESTS OFF)
set(VH_BUILD_BENCH OFF)
set(VH_BUILD_FUZZ OFF)

# No manifest in a module: it needs no side-by-side assemblies.
string(REPLACE "/MANIFEST:EMBED" "/MANIFEST:NO" CMAKE_CXX_CREATE_SHARED_MODULE "${CMAKE_CXX_CREATE_SHARED_MODULE}")

# The runtime.
add_library(module_runtime STATIC
  ${VH_WINDOWS_DIR}/runtime/Startup.cpp
  ${VH_WINDOWS_DIR}/runtime/Memory.cpp
  ${VH_WINDOWS_DIR}/runtime/DefaultDllMain.cpp)

# System import libraries: mingw-w64's for the universal C runtime and
# kernel32, ours for the math functions mingw-w64's leaves out.
if(VH_WINDOWS_ARCH STREQUAL "x86")
  set(VH_DLLTOOL_MACHINE i386)
else()
  set(VH_DLLTOOL_MACHINE i386:x86-64)
endif()
set(VH_UCRT_MATH_LIB ${CMAKE_BINARY_DIR}/ucrt-math.lib)
add_custom_command(OUTPUT ${VH_UCRT_MATH_LIB}
  COMMAND llvm-dlltool -m ${VH_DLLTOOL_MACHINE} -d ${VH_WINDOWS_DIR}/runtime/ucrt-math.def -l ${VH_UCRT_MATH_LIB}
  DEPENDS ${VH_WINDOWS_DIR}/runtime/ucrt-math.def
  VERBATIM)
add_custom_target(ucrt_math_lib DEPENDS ${VH_UCRT_MATH_LIB})
set(VH_SYSTEM_LIBS ${VH_UCRT_MATH_LIB} ${VH_MINGW_ROOT}/lib/libucrt.a ${VH_MINGW_ROOT}/lib/libkernel32.a)

# add_vessel_module(NAME SOURCES... [EXPORTS sym...]): NAME.dll in Modules/,
# exporting ovcInit, ovcExit and the EXPORTS given, and nothing else.
function(add_vessel_module name)
  cmake_parse_arguments(VM "" "" "SOURCES;EXPORTS" ${ARGN})
  add_library(${name} MODULE ${VM_SOURCES})
  target_link_libraries(${name} PRIVATE host_sdk vessel_common)
  set_target_properties(${name} PROPERTIES PREFIX "" LIBRARY_OUTPUT_DIRECTORY ${VH_MODULE_DIR})
  # The link is set up once the plug-in's directory has named everything
  # the module links (the arguments are put in now, not when the call runs).
  cmake_language(EVAL CODE "cmake_language(DEFER CALL vh_finish_windows_module ${name} ovcInit ovcExit ${VM_EXPORTS})")
endfunction()

# A module's version resource (windows/version): the project's version, the
# module's name and what it is, compiled by llvm-rc and linked in.
include(${VH_WINDOWS_DIR}/version/descriptions.cmake)
function(vh_version_resource name)
  set(VH_RC_MODULE ${name})
  set(VH_RC_EDITION ${VH_ORBITER_EDITION})
  if(DEFINED VH_MODULE_DESCRIPTION_${name})
    set(VH_RC_DESCRIPTION "${VH_MODULE_DESCRIPTION_${name}}")
  else()
    set(VH_RC_DESCRIPTION "${VH_MODULE_DESCRIPTION_DEFAULT}")
  endif()
  set(rc ${CMAKE_BINARY_DIR}/version/${name}.rc)
  set(res ${CMAKE_BINARY_DIR}/version/${name}.res)
  configure_file(${VH_WINDOWS_DIR}/version/module.rc.in ${rc} @ONLY)
  # File names go relative: llvm-rc takes an absolute path that starts like
  # one of its options (/c..., /d..., /i..., /l..., /u...) for that option.
  add_custom_command(OUTPUT ${res}
    COMMAND llvm-rc -nologo -I ${VH_MINGW_ROOT}/include -FO ${name}.res ${name}.rc
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/version
    DEPENDS ${rc}
    VERBATIM)
  add_custom_target(${name}_version DEPENDS ${res})
  add_dependencies(${name} ${name}_version)
  target_link_options(${name} PRIVATE "LINKER:${res}")
  set_property(TARGET ${name} APPEND PROPERTY LINK_DEPENDS ${res})
endfunction()

# A module's host import library from its objects and static libraries, its
# link, and the check of its exports.
function(vh_finish_windows_module name)
  set(exports ${ARGN})
  set(inputs $<TARGET_OBJECTS:${name}> $<TARGET_FILE:module_runtime>)
  get_target_property(linked ${name} LINK_LIBRARIES)
  foreach(lib IN LISTS linked)
    if(TARGET ${lib})
      get_target_property(type ${lib} TYPE)
      if(type STREQUAL "STATIC_LIBRARY")
        list(APPEND inputs $<TARGET_FILE:${lib}>)
      endif()
    endif()
  endforeach()
  set(hostlib ${CMAKE_BINARY_DIR}/host-imports/${name}-orbiter.lib)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/host-imports)
  add_custom_command(TARGET ${name} PRE_LINK
    COMMAND ${VH_WINDOWS_DIR}/host-import-lib ${VH_WINDOWS_ARCH} ${hostlib} ${inputs}
    COMMAND_EXPAND_LISTS VERBATIM)
  add_custom_command(TARGET ${name} POST_BUILD
    COMMAND ${VH_WINDOWS_DIR}/check-module-exports $<TARGET_FILE:${name}> ${exports}
    COMMAND_EXPAND_LISTS VERBATIM)
  target_link_libraries(${name} PRIVATE module_runtime)
  add_dependencies(${name} ucrt_math_lib)
  vh_version_resource(${name})
  target_link_options(${name} PRIVATE "LINKER:${hostlib}")
  foreach(lib IN LISTS VH_SYSTEM_LIBS)
    target_link_options(${name} PRIVATE "LINKER:${lib}")
  endforeach()
  if(VH_WINDOWS_ARCH STREQUAL "x86")
    # The import libraries' objects carry no safe exception handler table.
    target_link_options(${name} PRIVATE "LINKER:/safeseh:no")
  endif()
endfunction()

# The SDK the modules build against.
function(vh_windows_sdk)
  if(VH_REAL_SDK)
    if(NOT EXISTS ${VH_REAL_SDK}/Orbitersdk.h)
      message(FATAL_ERROR "VH_REAL_SDK=${VH_REAL_SDK} holds no Orbitersdk.h")
    endif()
    # The headers include the scripting library's header as lua\lua.h or
    # lua/lua.h, from a folder named Lua: a folder of our own maps the name.
    set(map ${CMAKE_BINARY_DIR}/real-sdk-map)
    file(MAKE_DIRECTORY ${map})
    if(NOT EXISTS ${VH_REAL_SDK}/lua AND EXISTS ${VH_REAL_SDK}/Lua)
      file(CREATE_LINK ${VH_REAL_SDK}/Lua ${map}/lua SYMBOLIC)
    endif()
    target_include_directories(host_sdk SYSTEM INTERFACE ${VH_REAL_SDK} ${map})
    target_compile_options(host_sdk INTERFACE "SHELL:-include ${VH_WINDOWS_DIR}/real-sdk/Prelude.h")
  else()
    target_include_directories(host_sdk INTERFACE ${CMAKE_SOURCE_DIR}/sdk/include)
    if(VH_ORBITER_EDITION STREQUAL "2016")
      target_compile_definitions(host_sdk INTERFACE ORBITER_EDITION_2016)
    endif()
  endif()
endfunction()
