# Cross-building the vessel modules on Linux as Windows DLLs with the
# simulator's ABI: clang targeting MSVC (its name mangling, class layout,
# calling conventions and virtual tables), mingw-w64's C and C++ headers,
# lld-link, and import libraries for the system DLLs from mingw-w64.
# Included by x86.cmake and x64.cmake, which set VH_WINDOWS_ARCH.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_CXX_COMPILER clang++)
# The compiler checks build a static library; linking a test program would
# need a C runtime's start-up code, which the modules do without.
set(CMAKE_TRY_COMPILE_TARGET_TYPE STATIC_LIBRARY)

include(${CMAKE_CURRENT_LIST_DIR}/msvc-options.cmake)
set(CMAKE_SYSTEM_PROCESSOR ${VH_WINDOWS_PROCESSOR})
set(CMAKE_CXX_COMPILER_TARGET ${VH_MSVC_TARGET})

# No default libraries: each module names exactly what it links (its
# runtime, the host's and the system's import libraries). Unused code goes;
# the same objects link to the same bytes.
set(VH_WINDOWS_LINK_OPTIONS LINKER:/nodefaultlib LINKER:/opt:ref LINKER:/opt:icf LINKER:/Brepro)
set(CMAKE_CXX_STANDARD_LIBRARIES "" CACHE STRING "" FORCE)
