#include "ModuleNeeds.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "ValidateCommandKeys.h"
#include "ValidateWorkspace.h"
#include "vhost/SharedLibrary.h"
#include "vhost/Simulation.h"

namespace vesselhost {

namespace {

namespace fs = std::filesystem;

// What a trial shows: what was asked for and made, in every cockpit mode.
void collect(vhost::Simulation &sim, ModuleNeeds &needs) {
  for (int mode : {COCKPIT_PANELS, COCKPIT_VIRTUAL, COCKPIT_GENERIC}) sim.setCockpitMode(mode);
  for (const vhost::FileRequest &f : sim.fileRequests())
    if (std::find(f.modules.begin(), f.modules.end(), needs.module) != f.modules.end())
      (f.kind == "mesh" ? needs.meshes : needs.textures).insert(f.name);
  for (const vhost::CreatedVessel &c : sim.created())
    if (c.byModule == needs.module) needs.spawned.insert(c.className);
}

std::vector<std::string> classFilesOf(const std::string &module, const std::string &configDir) {
  std::vector<std::string> files;
  std::error_code ec;
  for (fs::directory_iterator it(configDir, ec), end; !ec && it != end; it.increment(ec))
    if (it->path().extension() == ".cfg" && configuredModule(it->path().string()) == module)
      files.push_back(it->path().filename().string());
  std::sort(files.begin(), files.end());
  return files;
}

void list(std::ostream &out, const char *what, const std::set<std::string> &names, const char *folder,
          const char *extension) {
  out << "- " << what << ":";
  if (names.empty()) out << " none";
  bool first = true;
  for (const std::string &n : names) {
    std::string path = std::string(folder) + n + extension;
    std::replace(path.begin(), path.end(), '\\', '/');
    out << (first ? " " : ", ") << "`" << path << "`";
    first = false;
  }
  out << "\n";
}

}  // namespace

bool findNeeds(const std::string &module, const std::string &configDir, const std::string &moduleDir,
               const std::string &examplesDir, ModuleNeeds &needs, std::string &error) {
  needs = ModuleNeeds();
  needs.module = module;
  needs.classFiles = classFilesOf(module, configDir);
  if (needs.classFiles.empty()) {
    error = "no class file in " + configDir + " names module " + module;
    return false;
  }
  ValidateWorkspace ws;
  if (!ws.prepare(module, configDir, moduleDir, error)) return false;
  ws.setExamplesDir(examplesDir);
  exploreCommandKeys(ws, [&](vhost::Simulation &sim) { collect(sim, needs); });
  // A module's own classes are its, not what it spawns.
  for (const std::string &file : needs.classFiles) needs.spawned.erase(fs::path(file).stem().string());
  return true;
}

std::vector<std::string> shippedModules(const std::string &configDir, const std::string &moduleDir) {
  std::set<std::string> modules;
  std::error_code ec;
  for (fs::directory_iterator it(configDir, ec), end; !ec && it != end; it.increment(ec)) {
    if (it->path().extension() != ".cfg") continue;
    const std::string m = configuredModule(it->path().string());
    if (!m.empty() && fs::exists(fs::path(moduleDir) / (m + vhost::SharedLibrary::suffix()))) modules.insert(m);
  }
  return {modules.begin(), modules.end()};
}

void writeNeedsMarkdown(const std::vector<ModuleNeeds> &all, std::ostream &out) {
  std::set<std::string> spawned, meshes, textures;
  for (const ModuleNeeds &n : all) {
    out << "**" << n.module << "**\n\n";
    list(out, "classes it makes (their class files)", n.spawned, "Config/Vessels/", ".cfg");
    list(out, "meshes", n.meshes, "Meshes/", ".msh");
    list(out, "exhaust textures", n.textures, "Textures/", ".dds");
    out << "\n";
    spawned.insert(n.spawned.begin(), n.spawned.end());
    meshes.insert(n.meshes.begin(), n.meshes.end());
    textures.insert(n.textures.begin(), n.textures.end());
  }
  for (const ModuleNeeds &n : all)
    for (const std::string &f : n.classFiles) spawned.erase(fs::path(f).stem().string());
  out << "All of them, " << spawned.size() + meshes.size() + textures.size()
      << " files, by their place in the simulator's folder:\n\n";
  list(out, "class files", spawned, "Config/Vessels/", ".cfg");
  list(out, "meshes", meshes, "Meshes/", ".msh");
  list(out, "textures", textures, "Textures/", ".dds");
}

}  // namespace vesselhost
