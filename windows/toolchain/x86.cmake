# Vessel modules for 32-bit Windows (the 2016 host, and the current one's
# 32-bit edition).
set(VH_WINDOWS_ARCH x86)
include(${CMAKE_CURRENT_LIST_DIR}/windows-msvc.cmake)
