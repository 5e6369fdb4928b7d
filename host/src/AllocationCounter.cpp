// Replaces the global allocation functions; defined in the same object file
// as start/stop/count so that using the counter links the replacement in.
#include "vhost/AllocationCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

#include "vhost/ModuleHeap.h"

namespace {

std::atomic<bool> counting{false};
std::atomic<std::size_t> allocations{0};
std::atomic<std::size_t> liveBlocks{0};
// The modules' own heap (vhost/ModuleHeap.h) at start() and at stop().
std::atomic<std::size_t> moduleAtStart{0};
std::atomic<std::size_t> moduleAtStop{0};

void *counted(void *p) {
  if (p) liveBlocks.fetch_add(1, std::memory_order_relaxed);
  return p;
}

void release(void *p) {
  if (!p) return;
  liveBlocks.fetch_sub(1, std::memory_order_relaxed);
  std::free(p);
}

// The Windows C library gives out and takes back aligned blocks with
// functions of their own.
#if defined(_WIN32)
void *alignedBlock(std::size_t align, std::size_t size) { return _aligned_malloc(size, align); }
void freeAligned(void *p) { _aligned_free(p); }
#else
void *alignedBlock(std::size_t align, std::size_t size) { return std::aligned_alloc(align, size); }
void freeAligned(void *p) { std::free(p); }
#endif

void releaseAligned(void *p) {
  if (!p) return;
  liveBlocks.fetch_sub(1, std::memory_order_relaxed);
  freeAligned(p);
}

void *allocate(std::size_t size) {
  if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1, std::memory_order_relaxed);
  if (size == 0) size = 1;
  return counted(std::malloc(size));
}

void *allocateAligned(std::size_t size, std::align_val_t align) {
  if (counting.load(std::memory_order_relaxed)) allocations.fetch_add(1, std::memory_order_relaxed);
  std::size_t a = static_cast<std::size_t>(align);
  if (a < sizeof(void *)) a = sizeof(void *);
  std::size_t rounded = (size + a - 1) / a * a;
  if (rounded == 0) rounded = a;
  return counted(alignedBlock(a, rounded));
}

}  // namespace

namespace vhost {
namespace AllocationCounter {

void start() {
  allocations.store(0);
  moduleAtStart.store(ModuleHeap::allocations());
  counting.store(true);
}

void stop() {
  counting.store(false);
  moduleAtStop.store(ModuleHeap::allocations());
}

std::size_t count() {
  const std::size_t moduleEnd = counting.load() ? ModuleHeap::allocations() : moduleAtStop.load();
  return allocations.load() + (moduleEnd - moduleAtStart.load());
}

std::size_t live() { return liveBlocks.load() + ModuleHeap::liveBlocks(); }

bool countsModule(const std::string &name) { return ModuleHeap::seesModule(name); }

}  // namespace AllocationCounter
}  // namespace vhost

void *operator new(std::size_t size) {
  void *p = allocate(size);
  if (!p) throw std::bad_alloc();
  return p;
}
void *operator new[](std::size_t size) { return operator new(size); }
void *operator new(std::size_t size, const std::nothrow_t &) noexcept { return allocate(size); }
void *operator new[](std::size_t size, const std::nothrow_t &) noexcept { return allocate(size); }
void *operator new(std::size_t size, std::align_val_t align) {
  void *p = allocateAligned(size, align);
  if (!p) throw std::bad_alloc();
  return p;
}
void *operator new[](std::size_t size, std::align_val_t align) { return operator new(size, align); }
void *operator new(std::size_t size, std::align_val_t align, const std::nothrow_t &) noexcept {
  return allocateAligned(size, align);
}
void *operator new[](std::size_t size, std::align_val_t align, const std::nothrow_t &) noexcept {
  return allocateAligned(size, align);
}

void operator delete(void *p) noexcept { release(p); }
void operator delete[](void *p) noexcept { release(p); }
void operator delete(void *p, std::size_t) noexcept { release(p); }
void operator delete[](void *p, std::size_t) noexcept { release(p); }
void operator delete(void *p, const std::nothrow_t &) noexcept { release(p); }
void operator delete[](void *p, const std::nothrow_t &) noexcept { release(p); }
void operator delete(void *p, std::align_val_t) noexcept { releaseAligned(p); }
void operator delete[](void *p, std::align_val_t) noexcept { releaseAligned(p); }
void operator delete(void *p, std::size_t, std::align_val_t) noexcept { releaseAligned(p); }
void operator delete[](void *p, std::size_t, std::align_val_t) noexcept { releaseAligned(p); }
void operator delete(void *p, std::align_val_t, const std::nothrow_t &) noexcept { releaseAligned(p); }
void operator delete[](void *p, std::align_val_t, const std::nothrow_t &) noexcept { releaseAligned(p); }
