// Handles with 32-bit pointers: a kind tag in the top byte and 24 bits.
// The host's own things fit those bits as they are. What a vessel owns
// (tanks, thrusters, animation components and the rest) takes an owner's
// serial and a 32-bit index, so its handle numbers an entry of a table that
// holds both; the entries go when the vessel goes, and their numbers come
// back into use only after many others, so that a handle kept past its
// vessel is most likely caught rather than taken for a newer one.
#include "Handles.h"

#if UINTPTR_MAX <= 0xFFFFFFFFu

#include <cstddef>
#include <unordered_map>
#include <vector>

namespace vhost {
namespace detail {

namespace {

constexpr std::uint32_t kLowBits = 0xFFFFFFu;
// Freed entry numbers wait behind this many others before they are used again.
constexpr std::size_t kQuarantine = 4096;

bool ownedByVessel(HandleKind kind) {
  switch (kind) {
    case HandleKind::Vessel:
    case HandleKind::Body:
    case HandleKind::Mesh:
    case HandleKind::Surface:
    case HandleKind::File:
    case HandleKind::InputBox:
      return false;
    default:
      return true;
  }
}

// A file handle keeps its kind (FileKind, 1..3) in the top two of the 24
// bits, its id (below kFileIdLimit) in the rest.
constexpr unsigned kFileIdBits = 22;
static_assert(kFileIdLimit < (1u << kFileIdBits), "file ids fit their bits");

struct Entry {
  std::uint64_t key = 0;  // kind << 56 | owner << 32 | index; 0 when free
};

struct HandleTable {
  std::vector<Entry> entries;                             // by number - 1
  std::unordered_map<std::uint64_t, std::uint32_t> found;  // key -> number
  std::vector<std::uint32_t> freed;                       // oldest first, from freedHead
  std::size_t freedHead = 0;
};

HandleTable &table() {
  static HandleTable t;
  return t;
}

std::uint64_t keyOf(HandleKind kind, std::uint32_t owner, std::uint32_t index) {
  return (std::uint64_t(kind) << 56) | (std::uint64_t(owner & kLowBits) << 32) | index;
}

void *handleOf(HandleKind kind, std::uint32_t low) {
  return reinterpret_cast<void *>(std::uintptr_t((std::uint32_t(kind) << 24) | (low & kLowBits)));
}

bool validTag(std::uint8_t tag) {
  return tag >= std::uint8_t(HandleKind::Vessel) && tag <= std::uint8_t(HandleKind::InputBox);
}

// The entry a table handle names, or null.
const Entry *entryOf(std::uint32_t low) {
  const HandleTable &t = table();
  if (low == 0 || low > t.entries.size() || t.entries[low - 1].key == 0) return nullptr;
  return &t.entries[low - 1];
}

std::uint32_t newNumber(HandleTable &t) {
  if (t.freed.size() - t.freedHead > kQuarantine) {
    const std::uint32_t n = t.freed[t.freedHead++];
    // The numbers taken are dropped from the front now and then, so that
    // the queue holds only those still waiting.
    if (t.freedHead >= kQuarantine && 2 * t.freedHead >= t.freed.size()) {
      t.freed.erase(t.freed.begin(), t.freed.begin() + std::ptrdiff_t(t.freedHead));
      t.freedHead = 0;
    }
    return n;
  }
  if (t.entries.size() >= kLowBits) return 0;
  t.entries.emplace_back();
  return std::uint32_t(t.entries.size());
}

}  // namespace

void *makeHandle(HandleKind kind, std::uint32_t owner, std::uint32_t index) {
  if (!ownedByVessel(kind)) {
    // index + 1, so that no handle is null; a file's kind above its id. An
    // index past the bits gets the null handle rather than another's.
    if (kind == HandleKind::File) return handleOf(kind, (owner << kFileIdBits) | (index + 1u));
    if (index >= kLowBits) return nullptr;
    return handleOf(kind, index + 1u);
  }
  HandleTable &t = table();
  const std::uint64_t key = keyOf(kind, owner, index);
  auto it = t.found.find(key);
  if (it != t.found.end()) return handleOf(kind, it->second);
  // Sixteen million things owned at once: past them a new one gets the
  // null handle, which nothing accepts.
  const std::uint32_t n = newNumber(t);
  if (n == 0) return nullptr;
  t.entries[n - 1].key = key;
  t.found.emplace(key, n);
  return handleOf(kind, n);
}

bool decodeHandle(const void *h, HandleKind kind, std::uint32_t &owner, std::uint32_t &index) {
  if (handleTag(h) != std::uint8_t(kind)) return false;
  const std::uint32_t low = std::uint32_t(reinterpret_cast<std::uintptr_t>(h)) & kLowBits;
  if (!ownedByVessel(kind)) {
    if (kind == HandleKind::File) {
      const std::uint32_t id = low & ((1u << kFileIdBits) - 1);
      if (id == 0) return false;
      owner = low >> kFileIdBits;
      index = id - 1u;
      return true;
    }
    if (low == 0) return false;
    owner = 0;
    index = low - 1u;
    return true;
  }
  const Entry *e = entryOf(low);
  if (!e || std::uint8_t(e->key >> 56) != std::uint8_t(kind)) return false;
  owner = std::uint32_t(e->key >> 32) & kLowBits;
  index = std::uint32_t(e->key);
  return true;
}

long long handleIndex(const void *h) {
  const std::uint8_t tag = handleTag(h);
  if (!validTag(tag)) return -1;
  std::uint32_t owner = 0, index = 0;
  return decodeHandle(h, HandleKind(tag), owner, index) ? (long long)index : -1;
}

void releaseHandles(std::uint32_t serial) {
  HandleTable &t = table();
  if (t.found.empty()) return;
  for (std::size_t i = 0; i < t.entries.size(); ++i) {
    Entry &e = t.entries[i];
    if (e.key == 0 || (std::uint32_t(e.key >> 32) & kLowBits) != (serial & kLowBits)) continue;
    t.found.erase(e.key);
    e.key = 0;
    t.freed.push_back(std::uint32_t(i + 1));
  }
}

}  // namespace detail
}  // namespace vhost

#endif
