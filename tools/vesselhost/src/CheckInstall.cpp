#include "CheckInstall.h"

#include <cctype>
#include <filesystem>
#include <map>
#include <system_error>

#include "ModuleNeeds.h"
#include "ValidateWorkspace.h"
#include "WindowsImage.h"
#include "vhost/SimulatorFiles.h"

namespace vesselhost {

namespace {

namespace fs = std::filesystem;
using vhost::findSimulatorFile;

bool sameName(const std::string &a, const std::string &b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

// The findings, each file once with the modules that need it, in the order found.
class Findings {
public:
  void add(const std::string &line, const std::string &module) {
    auto it = index_.find(line);
    if (it == index_.end()) {
      index_[line] = lines_.size();
      lines_.push_back({line, module});
    } else {
      lines_[it->second].second += ", " + module;
    }
  }
  bool empty() const { return lines_.empty(); }
  void write(std::ostream &out) const {
    for (const auto &l : lines_) out << l.first << " (" << l.second << ")\n";
  }

private:
  std::vector<std::pair<std::string, std::string>> lines_;
  std::map<std::string, std::size_t> index_;
};

std::string slashes(std::string path) {
  for (char &c : path)
    if (c == '\\') c = '/';
  return path;
}

// The module's DLL: there, a Windows DLL, built for the simulator's machine
// and, where its program can be read, calling only functions it exports (a
// DLL built for another edition calls some under names that edition's
// program does not export, and does not load).
void checkModuleDll(const std::string &dir, const std::string &module, const WindowsImage *host, Findings &found) {
  const std::string name = "Modules/" + module + ".dll";
  const std::string dll = findSimulatorFile(dir, name, "");
  if (dll.empty()) {
    found.add("missing " + name, module);
    return;
  }
  WindowsImage image;
  std::string why;
  if (!readWindowsImage(dll, image, why)) {
    found.add("wrong " + name + ": " + why, module);
    return;
  }
  if (!image.dll) {
    found.add("wrong " + name + ": a program, not a DLL", module);
    return;
  }
  if (!host) return;
  if (image.machine != host->machine) {
    found.add("wrong " + name + ": built for " + image.machine + ", the simulator's orbiter.exe for " + host->machine,
              module);
    return;
  }
  const auto calls = image.imports.find("orbiter.exe");
  if (calls == image.imports.end()) return;
  std::size_t lacking = 0;
  std::string first;
  for (const std::string &f : calls->second) {
    if (host->exports.count(f)) continue;
    if (lacking++ == 0) first = f;
  }
  if (lacking > 0)
    found.add("wrong " + name + ": the simulator's orbiter.exe lacks " + std::to_string(lacking) + " of the " +
                  std::to_string(calls->second.size()) +
                  " functions it calls (a DLL for another edition of the simulator?), the first " + first,
              module);
}

bool findAll(const CheckInstallOptions &options, std::vector<ModuleNeeds> &all, std::ostream &err) {
  const std::vector<std::string> modules =
      options.modules.empty() ? shippedModules(options.configDir, options.moduleDir) : options.modules;
  if (modules.empty()) {
    err << "no module in " << options.moduleDir << " that a class file in " << options.configDir << " names\n";
    return false;
  }
  for (const std::string &m : modules) {
    ModuleNeeds needs;
    std::string error;
    if (!findNeeds(m, options.configDir, options.moduleDir, options.examplesDir, needs, error)) {
      err << m << ": " << error << "\n";
      return false;
    }
    all.push_back(std::move(needs));
  }
  return true;
}

}  // namespace

int checkInstallCommand(const CheckInstallOptions &options, std::ostream &out, std::ostream &err) {
  std::error_code ec;
  if (!fs::is_directory(options.dir, ec)) {
    err << "check-install: " << options.dir << " is not a folder\n";
    return 2;
  }
  std::vector<ModuleNeeds> all;
  if (!findAll(options, all, err)) return 2;

  // The simulator's executable: at the top, or (the current edition) its
  // server beside the modules.
  std::string exeName = "orbiter.exe";
  std::string exe = findSimulatorFile(options.dir, "orbiter", ".exe");
  if (exe.empty()) {
    exe = findSimulatorFile(options.dir, "Modules/Server/orbiter", ".exe");
    if (!exe.empty()) exeName = "Modules/Server/orbiter.exe";
  }
  if (exe.empty() && vhost::findSimulatorFolder(options.dir, "Modules").empty()) {
    err << "check-install: " << options.dir << " is not the simulator's folder: it holds neither orbiter.exe nor Modules\n";
    return 2;
  }
  WindowsImage host;
  std::string why;
  const bool hostRead = !exe.empty() && readWindowsImage(exe, host, why) && !host.dll;

  Findings found;
  for (const ModuleNeeds &n : all) {
    if (exe.empty())
      found.add("missing orbiter.exe: the DLLs cannot be checked against the simulator", n.module);
    else if (!hostRead)
      found.add("wrong " + exeName + ": " + (why.empty() ? "a DLL, not the simulator's program" : why), n.module);
    checkModuleDll(options.dir, n.module, hostRead ? &host : nullptr, found);
    for (const std::string &file : n.classFiles) {
      const std::string cfg = findSimulatorFile(options.dir, "Config/Vessels/" + file, "");
      if (cfg.empty()) {
        found.add("missing Config/Vessels/" + file, n.module);
        continue;
      }
      const std::string named = configuredModule(cfg);
      if (!sameName(named, n.module))
        found.add("wrong Config/Vessels/" + file + ": its Module is \"" + named + "\", not " + n.module, n.module);
    }
    for (const std::string &c : n.spawned)
      if (findSimulatorFile(options.dir, "Config/Vessels/" + c, ".cfg").empty())
        found.add("missing Config/Vessels/" + slashes(c) + ".cfg (a class of vessel it makes)", n.module);
    for (const std::string &m : n.meshes)
      if (findSimulatorFile(options.dir, "Meshes/" + m, ".msh").empty())
        found.add("missing Meshes/" + slashes(m) + ".msh", n.module);
    for (const std::string &t : n.textures)
      if (findSimulatorFile(options.dir, "Textures/" + t, ".dds").empty())
        found.add("missing Textures/" + slashes(t) + ".dds", n.module);
  }
  if (found.empty()) {
    std::string names;
    for (const ModuleNeeds &n : all) names += (names.empty() ? "" : ", ") + n.module;
    out << options.dir << ": nothing missing for " << names << "\n";
    return 0;
  }
  found.write(out);
  return 1;
}

int needsCommand(const CheckInstallOptions &options, std::ostream &out, std::ostream &err) {
  std::vector<ModuleNeeds> all;
  if (!findAll(options, all, err)) return 2;
  writeNeedsMarkdown(all, out);
  return 0;
}

}  // namespace vesselhost
