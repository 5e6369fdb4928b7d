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

std::string defaultConfigDir(const std::string &exeDir) {
#ifdef VESSELHOST_SOURCE_CONFIG_DIR
  if (isDir(VESSELHOST_SOURCE_CONFIG_DIR)) return VESSELHOST_SOURCE_CONFIG_DIR;
#endif
  if (!exeDir.empty()) {
    const fs::path beside = fs::path(exeDir) / ".." / ".." / "config";
    if (isDir(beside)) return beside.lexically_normal().string();
  }
  return "config";
}

std::string defaultExamplesDir(const std::string &exeDir) {
#ifdef VESSELHOST_SOURCE_EXAMPLES_DIR
  if (isDir(VESSELHOST_SOURCE_EXAMPLES_DIR)) return VESSELHOST_SOURCE_EXAMPLES_DIR;
#endif
  if (!exeDir.empty()) {
    const fs::path beside = fs::path(exeDir) / ".." / ".." / "examples";
    if (isDir(beside)) return beside.lexically_normal().string();
  }
  return "";
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
