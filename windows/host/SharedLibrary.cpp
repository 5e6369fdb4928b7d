// Module files on Windows: LoadLibrary. A module's imports of the SDK name
// orbiter.exe, which the loader finds already loaded: this executable.
#include "vhost/SharedLibrary.h"

#include <windows.h>

#include "vhost/ModuleHeap.h"

namespace vhost {

namespace {

// The system's message for an error code, on one line.
std::string systemMessage(DWORD code) {
  char *text = nullptr;
  const DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                     FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, code, 0, reinterpret_cast<char *>(&text), 0, nullptr);
  std::string message = n && text ? std::string(text, n) : "error " + std::to_string(code);
  if (text) LocalFree(text);
  while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
    message.pop_back();
  return message;
}

}  // namespace

const char *SharedLibrary::suffix() { return ".dll"; }

bool SharedLibrary::open(const std::string &path, std::string &error) {
  close();
  // No message box for a module that cannot load: the caller reports it.
  const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  HMODULE module = LoadLibraryA(path.c_str());
  const DWORD code = module ? 0 : GetLastError();
  SetErrorMode(oldMode);
  if (!module) {
    error = systemMessage(code);
    return false;
  }
  handle_ = module;
  ModuleHeap::bind(module);
  return true;
}

void *SharedLibrary::symbol(const char *name) const {
  return handle_ ? reinterpret_cast<void *>(GetProcAddress(static_cast<HMODULE>(handle_), name)) : nullptr;
}

void SharedLibrary::close() {
  if (handle_) FreeLibrary(static_cast<HMODULE>(handle_));
  handle_ = nullptr;
}

}  // namespace vhost
