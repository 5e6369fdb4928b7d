# Vessel modules for 64-bit Windows (the current host).
set(VH_WINDOWS_ARCH x64)
include(${CMAKE_CURRENT_LIST_DIR}/windows-msvc.cmake)
