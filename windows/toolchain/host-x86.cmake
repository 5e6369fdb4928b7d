# The headless host for 32-bit Windows (orbiter.exe for the 2016 host's DLLs,
# windows/host): mingw-w64's g++ with POSIX threads, linked statically.
# SSE2 arithmetic rounds every double as the 64-bit builds do (the x87 unit's
# wider registers would not), so a flight gives the same numbers as on
# Linux. A module compiled for the simulator may call in with the stack
# aligned to 4 bytes only: each function realigns where it needs more.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)
set(VH_WINDOWS_ARCH x86)
set(VH_WINDOWS_HOST ON)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse -mincoming-stack-boundary=2")
set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
