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

if(VH_WINDOWS_ARCH STREQUAL "x86")
  set(CMAKE_SYSTEM_PROCESSOR x86)
  set(VH_MINGW_TRIPLE i686-w64-mingw32)
  set(CMAKE_CXX_COMPILER_TARGET i686-pc-windows-msvc)
  set(arch_define -D_X86_=1)
elseif(VH_WINDOWS_ARCH STREQUAL "x64")
  set(CMAKE_SYSTEM_PROCESSOR AMD64)
  set(VH_MINGW_TRIPLE x86_64-w64-mingw32)
  set(CMAKE_CXX_COMPILER_TARGET x86_64-pc-windows-msvc)
  # The C++ library's configuration expects the compiler to name its 128-bit
  # integer type, as GCC does.
  set(arch_define -D_AMD64_=1 -D__GLIBCXX_TYPE_INT_N_0=__int128 -D__GLIBCXX_BITSIZE_INT_N_0=128)
else()
  message(FATAL_ERROR "VH_WINDOWS_ARCH is x86 or x64")
endif()

set(VH_MINGW_ROOT /usr/${VH_MINGW_TRIPLE})
set(mingw_cxx /usr/lib/gcc/${VH_MINGW_TRIPLE}/12-posix/include/c++)
foreach(dir ${VH_MINGW_ROOT}/include ${mingw_cxx})
  if(NOT IS_DIRECTORY ${dir})
    message(FATAL_ERROR "${dir} is missing: scripts/setup-deps installs the mingw-w64 packages")
  endif()
endforeach()

# The compile and link options, applied by windows/WindowsBuild.cmake to
# every target (and so picked up again whenever this file changes).
# -fgnuc-version lets the mingw headers take their GCC paths; _UCRT picks the
# universal C runtime (a part of Windows) over the old msvcrt, and
# __CRT__NO_INLINE keeps the C headers' inline helpers (which the MSVC mode
# would emit in every object) out; the C++ library is used for its headers
# only. No exceptions and no RTTI: nothing in the modules needs them, and
# they would need the compiler's runtime. Function-local statics are not
# guarded for threads: the host calls every module on its one simulation
# thread.
set(VH_WINDOWS_COMPILE_OPTIONS
  -fgnuc-version=12.2 ${arch_define} -D_UCRT -D__CRT__NO_INLINE -D_GLIBCXX_OS_DEFINES -DNOMINMAX
  -D__USE_MINGW_ANSI_STDIO=0
  -fms-compatibility -fms-extensions -fno-rtti -fno-exceptions -fno-threadsafe-statics
  -ffunction-sections -fdata-sections
  -nostdinc++ -nostdlibinc
  -isystem${mingw_cxx} -isystem${mingw_cxx}/${VH_MINGW_TRIPLE} -isystem${VH_MINGW_ROOT}/include)
# No default libraries: each module names exactly what it links (its
# runtime, the host's and the system's import libraries). Unused code goes;
# the same objects link to the same bytes.
set(VH_WINDOWS_LINK_OPTIONS LINKER:/nodefaultlib LINKER:/opt:ref LINKER:/opt:icf LINKER:/Brepro)
set(CMAKE_CXX_STANDARD_LIBRARIES "" CACHE STRING "" FORCE)
