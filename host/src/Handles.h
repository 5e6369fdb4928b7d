// Handles given to plug-ins are tagged integers, never pointers: a kind tag
// in the top byte, then (with 64-bit pointers) the owner (usually the
// vessel's serial) in the next 24 bits and index + 1 in the low 32 bits. A handle that comes back is decoded
// and checked against the host's tables, so a bogus value is caught without
// being dereferenced. User-space pointers have a zero top byte and never
// pass for a handle.
#ifndef VHOST_HANDLES_H
#define VHOST_HANDLES_H

#include <cstdint>

namespace vhost {
namespace detail {

// File handles' ids run from 1 up to below this, then start again: a 32-bit
// handle has room for no more.
constexpr std::uint32_t kFileIdLimit = (1u << 22) - 2;

enum class HandleKind : std::uint8_t {
  Vessel = 0xA1,
  Body,
  Propellant,
  Thruster,
  ThrusterGroup,
  Dock,
  Attachment,
  AnimationComponent,
  Mesh,
  DevMesh,
  Visual,
  Surface,
  File,
  InputBox,
};

#if UINTPTR_MAX > 0xFFFFFFFFu

inline void *makeHandle(HandleKind kind, std::uint32_t owner, std::uint32_t index) {
  std::uint64_t v = (std::uint64_t(kind) << 56) | (std::uint64_t(owner & 0xFFFFFFu) << 32) |
                    std::uint64_t(index + 1u);
  return reinterpret_cast<void *>(v);
}

// True when h is a handle of that kind; owner and index are then set.
inline bool decodeHandle(const void *h, HandleKind kind, std::uint32_t &owner, std::uint32_t &index) {
  std::uint64_t v = reinterpret_cast<std::uint64_t>(h);
  if ((v >> 56) != std::uint64_t(kind)) return false;
  std::uint32_t low = std::uint32_t(v & 0xFFFFFFFFu);
  if (low == 0) return false;
  owner = std::uint32_t((v >> 32) & 0xFFFFFFu);
  index = low - 1u;
  return true;
}

// The low index of any host handle (for traces), -1 for none.
inline long long handleIndex(const void *h) {
  std::uint64_t v = reinterpret_cast<std::uint64_t>(h);
  std::uint8_t tag = std::uint8_t(v >> 56);
  if (tag < std::uint8_t(HandleKind::Vessel) || tag > std::uint8_t(HandleKind::InputBox)) return -1;
  std::uint32_t low = std::uint32_t(v & 0xFFFFFFFFu);
  return low == 0 ? -1 : (long long)(low - 1u);
}

// No table behind 64-bit handles: nothing to let go of.
inline void releaseHandles(std::uint32_t) {}

#else

// With 32-bit pointers the tag keeps the top byte (user-space addresses of
// a program that is not large-address-aware stay below 2 GiB, so below
// every tag) and the low 24 bits hold the rest (HandleTable.cpp): the index
// itself for the host's own things (vessels, bodies, meshes, textures,
// files, input boxes), the number of a table entry for what a vessel owns.
// The same owner and index give the same handle while the owner lives.
void *makeHandle(HandleKind kind, std::uint32_t owner, std::uint32_t index);
bool decodeHandle(const void *h, HandleKind kind, std::uint32_t &owner, std::uint32_t &index);
long long handleIndex(const void *h);
// Lets go of the entries of what the vessel with that serial owns, as it
// goes; their handles name nothing after.
void releaseHandles(std::uint32_t serial);

#endif

// The kind tag of any value, 0 for one that is no host handle.
inline std::uint8_t handleTag(const void *h) {
  return std::uint8_t(reinterpret_cast<std::uintptr_t>(h) >> (8 * sizeof(void *) - 8));
}

}  // namespace detail
}  // namespace vhost

#endif  // VHOST_HANDLES_H
