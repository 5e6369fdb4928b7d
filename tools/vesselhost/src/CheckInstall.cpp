#include "CheckInstall.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <system_error>

#include "ModuleNeeds.h"
#include "ValidateWorkspace.h"
#include "vhost/SimulatorFiles.h"

namespace vesselhost {

namespace {

namespace fs = std::filesystem;
using vhost::findSimulatorFile;

// The machine a Windows executable or DLL is built for ("x86", "x64",
// another's number), "" for a file that is none.
std::string machineOf(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  unsigned char dos[64] = {};
  if (!in.read(reinterpret_cast<char *>(dos), sizeof dos) || dos[0] != 'M' || dos[1] != 'Z') return "";
  const std::uint32_t at = dos[60] | (dos[61] << 8) | (dos[62] << 16) | (std::uint32_t(dos[63]) << 24);
  unsigned char pe[6] = {};
  if (!in.seekg(at) || !in.read(reinterpret_cast<char *>(pe), sizeof pe)) return "";
  if (pe[0] != 'P' || pe[1] != 'E' || pe[2] != 0 || pe[3] != 0) return "";
  const unsigned machine = pe[4] | (pe[5] << 8);
  if (machine == 0x14C) return "x86";
  if (machine == 0x8664) return "x64";
  char text[16];
  std::snprintf(text, sizeof text, "0x%04X", machine);
  return text;
}

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

  Findings found;
  // The simulator's executable: at the top, or (the current edition) its
  // server beside the modules.
  std::string exe = findSimulatorFile(options.dir, "orbiter", ".exe");
  if (exe.empty()) exe = findSimulatorFile(options.dir, "Modules/Server/orbiter", ".exe");
  const std::string exeMachine = exe.empty() ? "" : machineOf(exe);
  for (const ModuleNeeds &n : all) {
    if (exe.empty()) found.add("missing orbiter.exe: not the simulator's folder, or the DLLs' architecture is not known", n.module);
    const std::string dll = findSimulatorFile(options.dir, "Modules/" + n.module, ".dll");
    if (dll.empty()) {
      found.add("missing Modules/" + n.module + ".dll", n.module);
    } else {
      const std::string machine = machineOf(dll);
      if (machine.empty())
        found.add("wrong Modules/" + n.module + ".dll: not a Windows DLL", n.module);
      else if (!exeMachine.empty() && machine != exeMachine)
        found.add("wrong Modules/" + n.module + ".dll: built for " + machine + ", the simulator's orbiter.exe for " +
                      exeMachine,
                  n.module);
    }
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
