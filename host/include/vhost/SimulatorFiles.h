// Files in a simulator's folders as the simulator finds them: "<folder>/<name>
// <extension>", the name's parts separated by '/' or '\', every part matched
// without regard to case (the simulator runs on a file system that ignores
// case). Meshes are "Meshes/<name>.msh", textures "Textures/<name>.dds",
// class files "Config/Vessels/<class>.cfg".
#ifndef VHOST_SIMULATORFILES_H
#define VHOST_SIMULATORFILES_H

#include <string>

namespace vhost {

// The file's path when folder holds it, "" when not (nor for an empty name
// or one with "." or ".." parts).
std::string findSimulatorFile(const std::string &folder, const std::string &name, const std::string &extension);
// The same of a folder in it ("Modules").
std::string findSimulatorFolder(const std::string &folder, const std::string &name);

}  // namespace vhost

#endif  // VHOST_SIMULATORFILES_H
