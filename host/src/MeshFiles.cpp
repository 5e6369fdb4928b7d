#include "MeshFiles.h"

#include "vhost/SimulatorFiles.h"

#include <cctype>
#include <filesystem>
#include <system_error>

namespace vhost {
namespace detail {

namespace {

bool sameIgnoringCase(const std::string &a, const std::string &b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

// The entry of dir named part (in any case); empty when there is none.
std::filesystem::path entryOf(const std::filesystem::path &dir, const std::string &part, bool wantDirectory) {
  std::error_code ec;
  for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    if (!sameIgnoringCase(it->path().filename().string(), part)) continue;
    std::error_code kind;
    if (wantDirectory ? it->is_directory(kind) : it->is_regular_file(kind)) return it->path();
  }
  return {};
}

}  // namespace

}  // namespace detail

namespace {

// The file (or, wantFolder, the folder) name names in folder.
std::string findEntry(const std::string &folder, const std::string &name, const std::string &extension,
                      bool wantFolder) {
  if (folder.empty() || name.empty()) return "";
  std::filesystem::path at(folder);
  std::string part;
  for (std::size_t i = 0;; ++i) {
    const char c = i < name.size() ? name[i] : '\0';
    if (c == '/' || c == '\\' || c == '\0') {
      const bool last = c == '\0';
      if (last) part += extension;
      if (part == "." || part == ".." || (part.empty() && !last)) return "";
      at = detail::entryOf(at, part, !last || wantFolder);
      if (at.empty()) return "";
      if (last) return at.string();
      part.clear();
    } else {
      part += c;
    }
  }
}

}  // namespace

std::string findSimulatorFile(const std::string &folder, const std::string &name, const std::string &extension) {
  return findEntry(folder, name, extension, false);
}

std::string findSimulatorFolder(const std::string &folder, const std::string &name) {
  return findEntry(folder, name, "", true);
}

namespace detail {

bool meshFileExists(const std::string &meshDir, const char *name) {
  if (meshDir.empty()) return true;
  return name && !findSimulatorFile(meshDir, name, ".msh").empty();
}

}  // namespace detail
}  // namespace vhost
