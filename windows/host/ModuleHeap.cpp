// Counts what module DLLs allocate from the C runtime's heap: each module's
// imports of the heap functions are bound, once it has loaded, to counting
// functions that call the runtime's own. A module imports them from the
// universal C runtime (ucrtbase.dll or the API sets that forward to it), or,
// built with a static C runtime, takes its blocks from the system's heap
// functions in kernel32; both kinds are bound.
//
// Only blocks a counting function handed out are counted when they go back:
// what a module allocated while it loaded (its static constructors run before
// the binding) and gives back as it unloads does not make its share smaller.
#include "vhost/ModuleHeap.h"

#include <windows.h>

#include <atomic>
#include <cctype>
#include <cstdint>
#include <cstring>

namespace vhost {

namespace {

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

SpinLock lock;
LiveBlocks live;
std::size_t allocated = 0;
// Set for good once a counted block found no room: the counts are short.
bool overflowed = false;

void noteAllocation(const void *p) {
  if (!p) return;
  Guard g(lock);
  ++allocated;
  if (!live.add(p)) overflowed = true;
}

void noteRelease(const void *p) {
  if (!p) return;
  Guard g(lock);
  live.remove(p);
}

// A block that moved or grew: one allocation, the old block gone.
void noteReallocation(const void *old, const void *p) {
  Guard g(lock);
  ++allocated;
  live.remove(old);
  if (!live.add(p)) overflowed = true;
}

// The functions the counting ones call, as the first binding found them.
struct Runtime {
  void *(*malloc)(size_t);
  void *(*calloc)(size_t, size_t);
  void *(*realloc)(void *, size_t);
  void (*free)(void *);
  void *(*alignedMalloc)(size_t, size_t);
  void (*alignedFree)(void *);
  char *(*strdup)(const char *);
  LPVOID(WINAPI *heapAlloc)(HANDLE, DWORD, SIZE_T);
  LPVOID(WINAPI *heapReAlloc)(HANDLE, DWORD, LPVOID, SIZE_T);
  BOOL(WINAPI *heapFree)(HANDLE, DWORD, LPVOID);
};
Runtime runtime = {};

void *countedMalloc(size_t size) {
  void *p = runtime.malloc(size);
  noteAllocation(p);
  return p;
}

void *countedCalloc(size_t count, size_t size) {
  void *p = runtime.calloc(count, size);
  noteAllocation(p);
  return p;
}

// realloc(null, n) allocates; realloc(p, 0) frees p and gives back null (the
// universal C runtime's rule); otherwise the block may move. A failure
// leaves the old block as it was.
void *countedRealloc(void *old, size_t size) {
  void *p = runtime.realloc(old, size);
  if (!old)
    noteAllocation(p);
  else if (p)
    noteReallocation(old, p);
  else if (size == 0)
    noteRelease(old);
  return p;
}

void countedFree(void *p) {
  noteRelease(p);
  runtime.free(p);
}

void *countedAlignedMalloc(size_t size, size_t align) {
  void *p = runtime.alignedMalloc(size, align);
  noteAllocation(p);
  return p;
}

void countedAlignedFree(void *p) {
  noteRelease(p);
  runtime.alignedFree(p);
}

char *countedStrdup(const char *text) {
  char *p = runtime.strdup(text);
  noteAllocation(p);
  return p;
}

LPVOID WINAPI countedHeapAlloc(HANDLE heap, DWORD flags, SIZE_T size) {
  LPVOID p = runtime.heapAlloc(heap, flags, size);
  noteAllocation(p);
  return p;
}

LPVOID WINAPI countedHeapReAlloc(HANDLE heap, DWORD flags, LPVOID old, SIZE_T size) {
  LPVOID p = runtime.heapReAlloc(heap, flags, old, size);
  if (p) noteReallocation(old, p);
  return p;
}

BOOL WINAPI countedHeapFree(HANDLE heap, DWORD flags, LPVOID p) {
  noteRelease(p);
  return runtime.heapFree(heap, flags, p);
}

// Where a module's heap functions come from.
enum class Source { None, CRuntime, OtherCRuntime, System };

bool sameText(const char *a, const char *b) {
  for (; *a && *b; ++a, ++b)
    if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b))) return false;
  return *a == *b;
}

bool startsWith(const char *text, const char *prefix) {
  for (; *prefix; ++text, ++prefix)
    if (std::tolower(static_cast<unsigned char>(*text)) != *prefix) return false;
  return true;
}

Source sourceOf(const char *dll) {
  if (sameText(dll, "ucrtbase.dll") || sameText(dll, "api-ms-win-crt-heap-l1-1-0.dll") ||
      sameText(dll, "api-ms-win-crt-string-l1-1-0.dll"))
    return Source::CRuntime;
  // The old system C runtime, a compiler's own, the debug one.
  if (startsWith(dll, "msvcr") || startsWith(dll, "libc") || startsWith(dll, "ucrtbased"))
    return Source::OtherCRuntime;
  if (sameText(dll, "kernel32.dll") || startsWith(dll, "api-ms-win-core-heap-")) return Source::System;
  return Source::None;
}

// A heap function a module may import: where it comes from, the counting
// function it is bound to, and where the original is kept. The base forms
// are the C runtime's functions under the names its own code uses.
struct Binding {
  Source source;
  const char *name;
  void *counting;
  void **original;
};

template <class F>
void **slot(F *&f) {
  return reinterpret_cast<void **>(&f);
}

template <class F>
void *function(F *f) {
  return reinterpret_cast<void *>(f);
}

const Binding kBindings[] = {
    {Source::CRuntime, "malloc", function(&countedMalloc), slot(runtime.malloc)},
    {Source::CRuntime, "_malloc_base", function(&countedMalloc), slot(runtime.malloc)},
    {Source::CRuntime, "calloc", function(&countedCalloc), slot(runtime.calloc)},
    {Source::CRuntime, "_calloc_base", function(&countedCalloc), slot(runtime.calloc)},
    {Source::CRuntime, "realloc", function(&countedRealloc), slot(runtime.realloc)},
    {Source::CRuntime, "_realloc_base", function(&countedRealloc), slot(runtime.realloc)},
    {Source::CRuntime, "free", function(&countedFree), slot(runtime.free)},
    {Source::CRuntime, "_free_base", function(&countedFree), slot(runtime.free)},
    {Source::CRuntime, "_aligned_malloc", function(&countedAlignedMalloc), slot(runtime.alignedMalloc)},
    {Source::CRuntime, "_aligned_free", function(&countedAlignedFree), slot(runtime.alignedFree)},
    {Source::CRuntime, "_strdup", function(&countedStrdup), slot(runtime.strdup)},
    {Source::CRuntime, "strdup", function(&countedStrdup), slot(runtime.strdup)},
    {Source::System, "HeapAlloc", function(&countedHeapAlloc), slot(runtime.heapAlloc)},
    {Source::System, "HeapReAlloc", function(&countedHeapReAlloc), slot(runtime.heapReAlloc)},
    {Source::System, "HeapFree", function(&countedHeapFree), slot(runtime.heapFree)},
};

// C runtime functions that allocate or give back blocks without a counting
// twin: a module importing one is not fully seen.
const char *const kUncounted[] = {
    "_recalloc", "_expand", "_aligned_realloc", "_aligned_recalloc", "_aligned_offset_malloc",
    "_aligned_offset_realloc", "_aligned_offset_recalloc", "_wcsdup", "_mbsdup", "wcsdup", "_malloc_dbg",
    "_calloc_dbg", "_realloc_dbg", "_free_dbg", "_strdup_dbg", "_aligned_malloc_dbg", "_aligned_free_dbg",
};

bool uncounted(const char *name) {
  for (const char *u : kUncounted)
    if (std::strcmp(name, u) == 0) return true;
  return false;
}

const Binding *bindingOf(Source source, const char *name) {
  // Another C runtime's heap functions have the same names but other blocks.
  const Source as = source == Source::OtherCRuntime ? Source::CRuntime : source;
  for (const Binding &b : kBindings)
    if (b.source == as && std::strcmp(name, b.name) == 0) return &b;
  return nullptr;
}

// Points an import slot at another function; false when it cannot.
bool rebind(void **where, void *to) {
  DWORD old = 0;
  if (!VirtualProtect(where, sizeof *where, PAGE_READWRITE, &old)) return false;
  *where = to;
  VirtualProtect(where, sizeof *where, old, &old);
  return true;
}

// Binds what one import descriptor brings in; false where a heap function
// stays unseen.
bool bindImports(unsigned char *base, const IMAGE_IMPORT_DESCRIPTOR &imports) {
  const Source source = sourceOf(reinterpret_cast<const char *>(base + imports.Name));
  if (source == Source::None) return true;
  // Without the lookup table the names are gone: the loader has written
  // addresses over the only list there was.
  if (!imports.OriginalFirstThunk) return false;
  bool seen = true;
  auto *names = reinterpret_cast<const IMAGE_THUNK_DATA *>(base + imports.OriginalFirstThunk);
  auto *slots = reinterpret_cast<IMAGE_THUNK_DATA *>(base + imports.FirstThunk);
  for (; names->u1.AddressOfData; ++names, ++slots) {
    if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) {
      // A C runtime function by number: which one it is, is not known here.
      if (source != Source::System) seen = false;
      continue;
    }
    const char *name =
        reinterpret_cast<const char *>(reinterpret_cast<const IMAGE_IMPORT_BY_NAME *>(base + names->u1.AddressOfData)->Name);
    const Binding *binding = bindingOf(source, name);
    if (!binding) {
      if (source != Source::System && uncounted(name)) seen = false;
      continue;
    }
    if (source == Source::OtherCRuntime) {
      seen = false;
      continue;
    }
    void **where = reinterpret_cast<void **>(&slots->u1.Function);
    if (*where == binding->counting) continue;
    if (!*binding->original) *binding->original = *where;
    if (!rebind(where, binding->counting)) seen = false;
  }
  return seen;
}

// A C runtime loaded only when first called escapes the binding.
bool delayLoadsRuntime(unsigned char *base, const IMAGE_NT_HEADERS &nt) {
  const IMAGE_DATA_DIRECTORY &dir = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT];
  if (!dir.VirtualAddress) return false;
  for (auto *d = reinterpret_cast<const IMAGE_DELAYLOAD_DESCRIPTOR *>(base + dir.VirtualAddress); d->DllNameRVA; ++d)
    if (sourceOf(reinterpret_cast<const char *>(base + d->DllNameRVA)) != Source::None) return true;
  return false;
}

// The modules loaded now, each with whether its heap is fully seen. A module
// loaded twice is one entry.
struct Loaded {
  void *module;
  int loads;
  bool seen;
};
constexpr int kMaxLoaded = 64;
Loaded loaded[kMaxLoaded] = {};
bool tooManyLoaded = false;

Loaded *entryOf(void *module) {
  for (Loaded &l : loaded)
    if (l.module == module) return &l;
  return nullptr;
}

}  // namespace

void ModuleHeap::bind(void *module) {
  auto *base = static_cast<unsigned char *>(module);
  const auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
  const auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
  bool seen = !delayLoadsRuntime(base, *nt);
  const IMAGE_DATA_DIRECTORY &dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (dir.VirtualAddress) {
    for (auto *imports = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(base + dir.VirtualAddress); imports->Name;
         ++imports)
      if (!bindImports(base, *imports)) seen = false;
  }
  Guard g(lock);
  if (Loaded *l = entryOf(module)) {
    ++l->loads;
    return;
  }
  if (Loaded *free = entryOf(nullptr)) {
    *free = {module, 1, seen};
    return;
  }
  tooManyLoaded = true;
}

void ModuleHeap::unbind(void *module) {
  Guard g(lock);
  Loaded *l = module ? entryOf(module) : nullptr;
  if (l && --l->loads == 0) *l = {};
}

std::size_t ModuleHeap::allocations() {
  Guard g(lock);
  return allocated;
}

std::size_t ModuleHeap::liveBlocks() {
  Guard g(lock);
  return live.size();
}

bool ModuleHeap::seesEveryModule() {
  Guard g(lock);
  if (overflowed || tooManyLoaded) return false;
  for (const Loaded &l : loaded)
    if (l.module && !l.seen) return false;
  return true;
}

}  // namespace vhost
