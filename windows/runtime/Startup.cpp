// The start-up part of a module's runtime: what a compiler's C runtime would
// otherwise bring, reduced to what a vessel module needs. Windows calls the
// entry point when the DLL is loaded and unloaded; it runs the module's
// static constructors (the pointers the compiler lays out between the
// .CRT$XCA and .CRT$XCZ sections), then DllMain, and at unload DllMain, then
// the destructors registered with atexit, latest first.
#include <windows.h>

extern "C" {

typedef void(__cdecl *InitFunction)();

#pragma section(".CRT$XCA", long, read)
#pragma section(".CRT$XCZ", long, read)
__declspec(allocate(".CRT$XCA")) InitFunction moduleInitFirst[] = {nullptr};
__declspec(allocate(".CRT$XCZ")) InitFunction moduleInitLast[] = {nullptr};

// Floating-point code refers to this to pull in a runtime's floating-point
// support; the universal C runtime needs none.
int _fltused = 0;

// Destructors of static objects, in registration order. A vessel module
// has a handful at most; a module needing more than this fails to load.
const int kMaxExitFunctions = 64;
static InitFunction exitFunctions[kMaxExitFunctions];
static int exitFunctionCount = 0;

int __cdecl atexit(InitFunction function) {
  if (!function || exitFunctionCount == kMaxExitFunctions) return -1;
  exitFunctions[exitFunctionCount++] = function;
  return 0;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved);

BOOL WINAPI _DllMainCRTStartup(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_ATTACH) {
    for (InitFunction *f = moduleInitFirst + 1; f < moduleInitLast; ++f)
      if (*f) (*f)();
    if (exitFunctionCount == kMaxExitFunctions) return FALSE;
    return DllMain(instance, reason, reserved);
  }
  BOOL result = DllMain(instance, reason, reserved);
  if (reason == DLL_PROCESS_DETACH)
    while (exitFunctionCount > 0) exitFunctions[--exitFunctionCount]();
  return result;
}

}  // extern "C"
