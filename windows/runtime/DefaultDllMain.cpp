// The DllMain of a module that has none of its own. It sits alone in the
// runtime library, so the linker takes it only when the module defines no
// DllMain.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  (void)instance;
  (void)reason;
  (void)reserved;
  return TRUE;
}
