// Mesh files as the simulator finds them: "<mesh folder>/<name>.msh", the
// name's parts separated by '/' or '\', every part matched without regard to
// case (the simulator runs on a file system that ignores case).
#ifndef VHOST_MESHFILES_H
#define VHOST_MESHFILES_H

#include <string>

namespace vhost {
namespace detail {

// True when meshDir holds the mesh, and always when meshDir is "" (no mesh
// folder to check against).
bool meshFileExists(const std::string &meshDir, const char *name);

}  // namespace detail
}  // namespace vhost

#endif  // VHOST_MESHFILES_H
