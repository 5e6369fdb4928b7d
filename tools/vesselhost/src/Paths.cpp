#include "Paths.h"

#include <filesystem>
#include <system_error>

#include "Platform.h"

namespace vesselhost {
namespace fs = std::filesystem;

namespace {

bool isDir(const fs::path &p) {
  std::error_code ec;
  return fs::is_directory(p, ec);
}

// A folder of the project's tree: the source tree's (sourceDir, null where
// the build names none), else the one two levels above the executable.
std::string treeDir(const char *sourceDir, const std::string &exeDir, const char *name, const char *fallback) {
  if (sourceDir && isDir(sourceDir)) return sourceDir;
  if (!exeDir.empty()) {
    const fs::path beside = fs::path(exeDir) / ".." / ".." / name;
    if (isDir(beside)) return beside.lexically_normal().string();
  }
  return fallback;
}

}  // namespace

std::string executableDir(const char *argv0) {
  std::error_code ec;
  fs::path exe = executablePath();
  if (exe.empty()) {
    if (!argv0 || !*argv0) return "";
    exe = fs::absolute(argv0, ec);
    if (ec) return "";
  }
  return exe.parent_path().string();
}

#ifndef VESSELHOST_SOURCE_CONFIG_DIR
#define VESSELHOST_SOURCE_CONFIG_DIR nullptr
#endif
#ifndef VESSELHOST_SOURCE_EXAMPLES_DIR
#define VESSELHOST_SOURCE_EXAMPLES_DIR nullptr
#endif

std::string defaultConfigDir(const std::string &exeDir) {
  return treeDir(VESSELHOST_SOURCE_CONFIG_DIR, exeDir, "config", "config");
}

std::string defaultExamplesDir(const std::string &exeDir) {
  return treeDir(VESSELHOST_SOURCE_EXAMPLES_DIR, exeDir, "examples", "");
}

std::string defaultModuleDir(const std::string &exeDir) {
  if (!exeDir.empty()) {
    const fs::path beside = fs::path(exeDir) / ".." / "Modules";
    if (isDir(beside)) return beside.lexically_normal().string();
  }
#ifdef VESSELHOST_BUILD_MODULE_DIR
  if (isDir(VESSELHOST_BUILD_MODULE_DIR)) return VESSELHOST_BUILD_MODULE_DIR;
#endif
  return "Modules";
}

}  // namespace vesselhost
