// What a module needs in a simulator's folder beside its own DLL: its class
// files, the classes of the vessels it makes, and every mesh and exhaust
// texture it asks the host for. Found by flying it headless: a fresh vessel
// of its class, and each of the examples' vessels of it, through every
// configuration its command keys and the altitudes reach (as validate's
// command-keys check does), each one seen in all three cockpit modes. Shared by "vesselhost needs" and
// "vesselhost check-install".
#ifndef VESSELHOST_MODULENEEDS_H
#define VESSELHOST_MODULENEEDS_H

#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace vesselhost {

struct ModuleNeeds {
  std::string module;
  std::vector<std::string> classFiles;  // file names in the class folder whose Module is this one
  std::set<std::string> spawned;        // classes of the vessels it makes
  std::set<std::string> meshes;         // as it names them ("Folder\\Name", no ".msh")
  std::set<std::string> textures;       // exhaust textures, as it names them (no ".dds")
};

// False, with the reason in error, when the module does not load or no class
// file names it. The example scenarios (examplesDir, "" for none) that hold
// a vessel of the module are starts too; what other modules there ask for
// is theirs.
bool findNeeds(const std::string &module, const std::string &configDir, const std::string &moduleDir,
               const std::string &examplesDir, ModuleNeeds &needs, std::string &error);

// The modules every class file in configDir names that moduleDir holds, in
// name order: the ones the package ships.
std::vector<std::string> shippedModules(const std::string &configDir, const std::string &moduleDir);

// As Markdown: for each module, the classes, meshes and textures; then the
// whole list once, each file by its place in the simulator's folder.
void writeNeedsMarkdown(const std::vector<ModuleNeeds> &all, std::ostream &out);

}  // namespace vesselhost

#endif  // VESSELHOST_MODULENEEDS_H
