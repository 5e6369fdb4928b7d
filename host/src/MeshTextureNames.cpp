// The process-wide mesh and texture name tables.
#include "MeshTextureNames.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

#include "Handles.h"

namespace vhost {
namespace detail {

namespace {

// Names behind mesh and texture handles; a deque keeps each name in place.
struct NameTable {
  std::deque<std::string> names;
  std::uint32_t find(const char *name) {
    for (std::size_t i = 0; i < names.size(); ++i)
      if (names[i] == name) return std::uint32_t(i);
    names.emplace_back(name);
    return std::uint32_t(names.size() - 1);
  }
  const char *at(const void *h, HandleKind kind) const {
    std::uint32_t owner = 0, i = 0;
    if (!decodeHandle(h, kind, owner, i) || i >= names.size()) return nullptr;
    return names[i].c_str();
  }
};

NameTable &meshes() {
  static NameTable t;
  return t;
}

NameTable &textures() {
  static NameTable t;
  return t;
}

}  // namespace

MESHHANDLE meshHandleFor(const char *name) { return makeHandle(HandleKind::Mesh, 0, meshes().find(name)); }
SURFHANDLE textureHandleFor(const char *name) { return makeHandle(HandleKind::Surface, 0, textures().find(name)); }
const char *meshName(MESHHANDLE h) { return meshes().at(h, HandleKind::Mesh); }
const char *textureName(SURFHANDLE h) { return textures().at(h, HandleKind::Surface); }

}  // namespace detail
}  // namespace vhost
