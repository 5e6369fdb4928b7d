// The module's entry points, its date and version, and what runs when the
// library is loaded and unloaded: the host's InitLib at load, and at unload
// the module's own "ExitModule" (or "opcDLLExit") if it exported one. This
// module exports neither, so its unload runs nothing of its own.
#include "BeamWick2.h"
#include "vessel_common/EntryPoints.h"

#if !defined(_WIN32)
#include <dlfcn.h>
#endif

// The host exports these two without declaring them in its SDK headers.
OAPIFUNC void InitLib(HINSTANCE hModule);
OAPIFUNC int Date2Int(char *date);

DLLCLBK VESSEL *ovcInit(OBJHANDLE hvessel, int flightmodel) {
  return vmod::NewVessel<beam_wick2>(hvessel, flightmodel);
}

DLLCLBK void ovcExit(VESSEL *vessel) { vmod::DeleteVessel<beam_wick2>(vessel); }

DLLCLBK const char *ModuleDate() { return "Jan  7 2017"; }

namespace {
int moduleVersion = 0;  // 0 until first asked for
char versionDate[] = "Aug 28 2016";
}  // namespace

DLLCLBK int GetModuleVersion() {
  if (moduleVersion == 0) moduleVersion = Date2Int(versionDate);
  return moduleVersion;
}

namespace {

typedef void (*ModuleExitFunc)(HINSTANCE);

const char *const EXIT_FUNCTION_NAMES[] = {"ExitModule", "opcDLLExit"};

HINSTANCE moduleInstance = 0;
ModuleExitFunc moduleExit = 0;

}  // namespace

#if defined(_WIN32)

BOOL WINAPI DllMain(HINSTANCE hModule, DWORD reason, LPVOID reserved) {
  (void)reserved;
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      moduleInstance = hModule;
      InitLib(hModule);
      for (const char *name : EXIT_FUNCTION_NAMES) {
        moduleExit = reinterpret_cast<ModuleExitFunc>(GetProcAddress(hModule, name));
        if (moduleExit) break;
      }
      break;
    case DLL_PROCESS_DETACH:
      if (moduleExit) moduleExit(moduleInstance);
      break;
    default:
      break;
  }
  return TRUE;
}

#else

namespace {

// The handle under which this library is loaded. Asking for it adds a
// reference, which is dropped again at once: the loader's own reference
// keeps the handle valid until unload.
HINSTANCE OwnLibraryHandle(Dl_info *info) {
  if (!dladdr(reinterpret_cast<void *>(&OwnLibraryHandle), info) || !info->dli_fname) return 0;
  void *handle = dlopen(info->dli_fname, RTLD_NOLOAD | RTLD_NOW);
  if (handle) dlclose(handle);
  return handle;
}

// A function of that name exported by this library itself; one that the
// lookup finds in a library it depends on does not count.
ModuleExitFunc OwnExport(HINSTANCE handle, const Dl_info &own, const char *name) {
  void *symbol = dlsym(handle, name);
  if (!symbol) return 0;
  Dl_info where;
  if (!dladdr(symbol, &where) || where.dli_fbase != own.dli_fbase) return 0;
  return reinterpret_cast<ModuleExitFunc>(symbol);
}

// Runs at library load and unload, like the Windows DllMain's process
// attach and detach.
struct LibraryLifetime {
  LibraryLifetime() {
    Dl_info own;
    moduleInstance = OwnLibraryHandle(&own);
    InitLib(moduleInstance);
    if (!moduleInstance) return;
    for (const char *name : EXIT_FUNCTION_NAMES) {
      moduleExit = OwnExport(moduleInstance, own, name);
      if (moduleExit) break;
    }
  }
  ~LibraryLifetime() {
    if (moduleExit) moduleExit(moduleInstance);
  }
};

LibraryLifetime libraryLifetime;

}  // namespace

#endif
