#include "MeshFiles.h"

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

bool meshFileExists(const std::string &meshDir, const char *name) {
  if (meshDir.empty()) return true;
  if (!name || !*name) return false;
  std::filesystem::path at(meshDir);
  std::string part;
  for (const char *p = name;; ++p) {
    if (*p == '/' || *p == '\\' || *p == '\0') {
      const bool last = *p == '\0';
      if (last) part += ".msh";
      if (part == "." || part == ".." || (part.empty() && !last)) return false;
      at = entryOf(at, part, !last);
      if (at.empty()) return false;
      if (last) return true;
      part.clear();
    } else {
      part += *p;
    }
  }
}

}  // namespace detail
}  // namespace vhost
