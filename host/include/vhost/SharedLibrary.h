// A module file opened for the functions it exports: dlopen on Linux,
// LoadLibrary on Windows (host/src/SharedLibrary.cpp, or
// windows/host/SharedLibrary.cpp in the Windows build).
#ifndef VHOST_SHAREDLIBRARY_H
#define VHOST_SHAREDLIBRARY_H

#include <string>

namespace vhost {

class SharedLibrary {
public:
  // How a module file's name ends on this system: ".so" or ".dll".
  static const char *suffix();

  SharedLibrary() = default;
  ~SharedLibrary() { close(); }
  SharedLibrary(const SharedLibrary &) = delete;
  SharedLibrary &operator=(const SharedLibrary &) = delete;

  // Opens the file with every reference it makes resolved at once; false,
  // with the system's reason in error, when it does not load.
  bool open(const std::string &path, std::string &error);
  // A function exported under that plain name, or null.
  void *symbol(const char *name) const;
  // What the system knows the open library by: the instance handle the
  // module itself sees.
  void *handle() const { return handle_; }
  bool isOpen() const { return handle_ != nullptr; }
  void close();

private:
  void *handle_ = nullptr;
};

}  // namespace vhost

#endif  // VHOST_SHAREDLIBRARY_H
