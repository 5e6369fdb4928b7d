# The clang options that give a module the simulator's ABI (MSVC name
# mangling, class layout, calling conventions and virtual tables) with
# mingw-w64's C and C++ headers, for VH_WINDOWS_ARCH (x86 or x64). Sets
# VH_MSVC_TARGET, VH_WINDOWS_PROCESSOR, VH_MINGW_TRIPLE, VH_MINGW_ROOT,
# VH_MINGW_INCLUDES and VH_WINDOWS_COMPILE_OPTIONS. Used by the modules'
# toolchain (windows-msvc.cmake) and by the host's ABI bridge, which reads
# the SDK headers as a module's compiler does (windows/host).
if(VH_WINDOWS_ARCH STREQUAL "x86")
  set(VH_WINDOWS_PROCESSOR x86)
  set(VH_MINGW_TRIPLE i686-w64-mingw32)
  set(VH_MSVC_TARGET i686-pc-windows-msvc)
  # Arithmetic in SSE2, as MSVC's compiler does for x86 by default (the
  # simulator's own modules are built so), not in the x87 unit, whose wider
  # registers round differently from one build to the next.
  set(arch_options -D_X86_=1 -msse2 -mfpmath=sse)
elseif(VH_WINDOWS_ARCH STREQUAL "x64")
  set(VH_WINDOWS_PROCESSOR AMD64)
  set(VH_MINGW_TRIPLE x86_64-w64-mingw32)
  set(VH_MSVC_TARGET x86_64-pc-windows-msvc)
  # The C++ library's configuration expects the compiler to name its 128-bit
  # integer type, as GCC does.
  set(arch_options -D_AMD64_=1 -D__GLIBCXX_TYPE_INT_N_0=__int128 -D__GLIBCXX_BITSIZE_INT_N_0=128)
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
set(VH_MINGW_INCLUDES -isystem${mingw_cxx} -isystem${mingw_cxx}/${VH_MINGW_TRIPLE} -isystem${VH_MINGW_ROOT}/include)

# The compile options, applied by windows/WindowsBuild.cmake to every target
# (and so picked up again whenever this file changes).
# -fgnuc-version lets the mingw headers take their GCC paths; _UCRT picks the
# universal C runtime (a part of Windows) over the old msvcrt, and
# __CRT__NO_INLINE keeps the C headers' inline helpers (which the MSVC mode
# would emit in every object) out; the C++ library is used for its headers
# only. No exceptions and no RTTI: nothing in the modules needs them, and
# they would need the compiler's runtime. Function-local statics are not
# guarded for threads: the host calls every module on its one simulation
# thread.
set(VH_WINDOWS_COMPILE_OPTIONS
  -fgnuc-version=12.2 ${arch_options} -D_UCRT -D__CRT__NO_INLINE -D_GLIBCXX_OS_DEFINES -DNOMINMAX
  -D__USE_MINGW_ANSI_STDIO=0
  -fms-compatibility -fms-extensions -fno-rtti -fno-exceptions -fno-threadsafe-statics
  -ffunction-sections -fdata-sections
  -nostdinc++ -nostdlibinc ${VH_MINGW_INCLUDES})
