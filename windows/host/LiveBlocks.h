// The counting heap functions' bookkeeping (ModuleHeap.cpp): a lock and a
// set of blocks that allocate nothing themselves, since they run inside a
// module's every allocation.
#ifndef VHOST_LIVEBLOCKS_H
#define VHOST_LIVEBLOCKS_H

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace vhost {
namespace detail {

// A spin lock: the counting functions take no lock that could allocate.
class SpinLock {
public:
  void lock() {
    while (flag_.test_and_set(std::memory_order_acquire)) {
    }
  }
  void unlock() { flag_.clear(std::memory_order_release); }

private:
  std::atomic_flag flag_ = ATOMIC_FLAG_INIT;
};

struct Guard {
  explicit Guard(SpinLock &l) : lock(l) { lock.lock(); }
  ~Guard() { lock.unlock(); }
  Guard(const Guard &) = delete;
  Guard &operator=(const Guard &) = delete;
  SpinLock &lock;
};

// The blocks handed out by the counting functions and not yet given back: a
// fixed open-addressed set, so that counting allocates nothing itself.
class LiveBlocks {
public:
  // False when the set is full; the block is then not counted.
  bool add(const void *p) {
    if (count_ >= kMaxCount) return false;
    std::size_t i = home(p);
    while (slots_[i] && slots_[i] != p) i = (i + 1) & kMask;
    if (!slots_[i]) {
      slots_[i] = p;
      ++count_;
    }
    return true;
  }

  // Whether p was a counted block; it is not one afterwards.
  bool remove(const void *p) {
    std::size_t i = home(p);
    while (slots_[i] != p) {
      if (!slots_[i]) return false;
      i = (i + 1) & kMask;
    }
    // Moves back every later block of the run that may take the freed slot,
    // so that no search stops short of one.
    for (std::size_t j = (i + 1) & kMask; slots_[j]; j = (j + 1) & kMask) {
      const std::size_t k = home(slots_[j]);
      const bool movable = i <= j ? (k <= i || k > j) : (k <= i && k > j);
      if (movable) {
        slots_[i] = slots_[j];
        i = j;
      }
    }
    slots_[i] = nullptr;
    --count_;
    return true;
  }

  std::size_t size() const { return count_; }

private:
  static constexpr std::size_t kSlots = std::size_t(1) << 16;
  static constexpr std::size_t kMask = kSlots - 1;
  static constexpr std::size_t kMaxCount = kSlots / 4 * 3;

  static std::size_t home(const void *p) {
    const auto v = static_cast<std::uint64_t>(reinterpret_cast<std::uintptr_t>(p));
    return std::size_t((v >> 4) * 0x9E3779B97F4A7C15ull >> 40) & kMask;
  }

  const void *slots_[kSlots] = {};
  std::size_t count_ = 0;
};

}  // namespace detail
}  // namespace vhost

#endif  // VHOST_LIVEBLOCKS_H
