// Module files on Linux: the SDK's symbols bind to the host library, which
// the process has loaded already; the module's own stay local to it.
#include "vhost/SharedLibrary.h"

#include "vhost/ModuleHeap.h"

#include <dlfcn.h>

namespace vhost {

const char *SharedLibrary::suffix() { return ".so"; }

bool SharedLibrary::open(const std::string &path, std::string &error) {
  close();
  dlerror();
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_) return true;
  const char *why = dlerror();
  error = why ? why : "unknown reason";
  return false;
}

void *SharedLibrary::symbol(const char *name) const { return handle_ ? dlsym(handle_, name) : nullptr; }

void SharedLibrary::close() {
  if (handle_) dlclose(handle_);
  handle_ = nullptr;
}

// A module's operator new is the process's here: nothing of its own to count.
std::size_t ModuleHeap::allocations() { return 0; }
std::size_t ModuleHeap::liveBlocks() { return 0; }
bool ModuleHeap::seesModule(const std::string &) { return true; }

}  // namespace vhost
