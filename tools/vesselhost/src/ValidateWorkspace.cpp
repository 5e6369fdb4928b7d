#include "ValidateWorkspace.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "Platform.h"
#include "vhost/SharedLibrary.h"

namespace vesselhost {
namespace fs = std::filesystem;

namespace {

std::string trim(const std::string &s) {
  std::size_t b = 0, e = s.size();
  while (b < e && std::isspace(static_cast<unsigned char>(s[b]))) ++b;
  while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1]))) --e;
  return s.substr(b, e - b);
}

bool sameNoCase(const std::string &a, const char *b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i]; ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return i == a.size() && !b[i];
}

// Links every file of from with the extension ext into to.
void linkAll(const fs::path &from, const fs::path &to, const std::string &ext) {
  std::error_code ec;
  for (fs::directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec))
    if (it->path().extension() == ext) linkFile(it->path().string(), (to / it->path().filename()).string());
}

}  // namespace

std::string configuredModule(const std::string &cfgPath) {
  std::ifstream in(cfgPath);
  std::string raw;
  while (std::getline(in, raw)) {
    std::string line = raw.substr(0, raw.find(';'));
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    if (sameNoCase(trim(line.substr(0, eq)), "Module")) return trim(line.substr(eq + 1));
  }
  return "";
}

ValidateWorkspace::~ValidateWorkspace() {
  if (root_.empty()) return;
  std::error_code ec;
  fs::remove_all(root_, ec);
}

bool ValidateWorkspace::prepare(const std::string &spec, const std::string &configDir, const std::string &moduleDir,
                                std::string &error) {
  const std::string suffix = vhost::SharedLibrary::suffix();
  const bool isPath = spec.find('/') != std::string::npos || spec.find('\\') != std::string::npos ||
                      fs::path(spec).extension() == suffix;
  fs::path file = isPath ? fs::path(spec) : fs::path(moduleDir) / (spec + suffix);
  std::error_code ec;
  if (!fs::is_regular_file(file, ec)) {
    error = "no module file " + file.string();
    return false;
  }
  path_ = file.string();
  module_ = file.stem().string();
  if (module_.empty() || module_.find("..") != std::string::npos) {
    error = "the module file's name " + file.filename().string() + " gives no module name";
    return false;
  }

  if (!makeScratchDir("vesselhost-validate-", root_)) {
    error = "cannot make a scratch folder for the module";
    return false;
  }
  const fs::path config = fs::path(root_) / "config", modules = fs::path(root_) / "modules";
  fs::create_directory(config, ec);
  fs::create_directory(modules, ec);
  configDir_ = config.string();
  moduleDir_ = modules.string();

  // The other modules stay reachable for the classes that need them (a
  // parent vessel, a spawned piece); the module under test is the one given.
  linkAll(moduleDir, modules, suffix);
  const fs::path own = modules / (module_ + suffix);
  fs::remove(own, ec);
  if (!linkFile(file.string(), own.string())) {
    error = "cannot link " + file.string() + " into the scratch folder";
    return false;
  }

  std::vector<fs::path> configs;
  for (fs::directory_iterator it(configDir, ec), end; !ec && it != end; it.increment(ec))
    if (it->path().extension() == ".cfg") configs.push_back(it->path());
  std::sort(configs.begin(), configs.end());
  linkAll(configDir, config, ".cfg");
  for (const fs::path &cfg : configs)
    if (configuredModule(cfg.string()) == module_) {
      className_ = cfg.stem().string();
      return true;
    }

  className_ = "ValidateClass_" + module_;
  madeUpClass_ = true;
  std::ofstream out(config / (className_ + ".cfg"));
  out << "; Made up by vesselhost validate for a module no class names.\nModule = " << module_ << "\n";
  if (!out) {
    error = "cannot write a class configuration for the module";
    return false;
  }
  return true;
}

}  // namespace vesselhost
