// Counts what module DLLs allocate from the C runtime's heap: each module's
// imports of the heap functions are bound, once it has loaded, to counting
// functions that call the C runtime's own. A module imports them from the
// universal C runtime, as ucrtbase.dll or as the API set that forwards to
// it, so every binding leads to the same functions.
#include "vhost/ModuleHeap.h"

#include <windows.h>

#include <atomic>
#include <cctype>
#include <cstring>

namespace vhost {

namespace {

std::atomic<std::size_t> allocated{0};
std::atomic<std::size_t> released{0};
std::atomic<bool> unseenModule{false};

void noteAllocation(const void *p) {
  if (p) allocated.fetch_add(1, std::memory_order_relaxed);
}

void noteRelease(const void *p) {
  if (p) released.fetch_add(1, std::memory_order_relaxed);
}

// The C runtime's functions, as the first binding found them.
struct Runtime {
  void *(*malloc)(size_t);
  void *(*calloc)(size_t, size_t);
  void *(*realloc)(void *, size_t);
  void (*free)(void *);
  void *(*alignedMalloc)(size_t, size_t);
  void (*alignedFree)(void *);
  char *(*strdup)(const char *);
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

// realloc(null, n) allocates; realloc(p, 0) gives p back (the universal C
// runtime's rule); otherwise the block may move, which counts as an
// allocation but leaves as many blocks as before.
void *countedRealloc(void *old, size_t size) {
  void *p = runtime.realloc(old, size);
  if (!old) {
    noteAllocation(p);
  } else if (size == 0) {
    noteRelease(old);
  } else if (p) {
    allocated.fetch_add(1, std::memory_order_relaxed);
    released.fetch_add(1, std::memory_order_relaxed);
  }
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

// A heap function a module may import: the counting function it is bound
// to, and where the C runtime's own is kept. The base forms are the same
// functions under the names the runtime's own code uses.
struct Binding {
  const char *name;
  void *counting;
  void **original;
};

template <class F>
void **slot(F *&f) {
  return reinterpret_cast<void **>(&f);
}

const Binding kBindings[] = {
    {"malloc", reinterpret_cast<void *>(&countedMalloc), slot(runtime.malloc)},
    {"_malloc_base", reinterpret_cast<void *>(&countedMalloc), slot(runtime.malloc)},
    {"calloc", reinterpret_cast<void *>(&countedCalloc), slot(runtime.calloc)},
    {"_calloc_base", reinterpret_cast<void *>(&countedCalloc), slot(runtime.calloc)},
    {"realloc", reinterpret_cast<void *>(&countedRealloc), slot(runtime.realloc)},
    {"_realloc_base", reinterpret_cast<void *>(&countedRealloc), slot(runtime.realloc)},
    {"free", reinterpret_cast<void *>(&countedFree), slot(runtime.free)},
    {"_free_base", reinterpret_cast<void *>(&countedFree), slot(runtime.free)},
    {"_aligned_malloc", reinterpret_cast<void *>(&countedAlignedMalloc), slot(runtime.alignedMalloc)},
    {"_aligned_free", reinterpret_cast<void *>(&countedAlignedFree), slot(runtime.alignedFree)},
    {"_strdup", reinterpret_cast<void *>(&countedStrdup), slot(runtime.strdup)},
    {"strdup", reinterpret_cast<void *>(&countedStrdup), slot(runtime.strdup)},
};

// Functions that allocate or give back blocks without a counting twin: a
// module importing one is not fully seen.
const char *const kUncounted[] = {
    "_recalloc", "_expand", "_aligned_realloc", "_aligned_recalloc", "_aligned_offset_malloc",
    "_aligned_offset_realloc", "_aligned_offset_recalloc", "_wcsdup", "_mbsdup", "wcsdup",
};

bool sameText(const char *a, const char *b) {
  for (; *a && *b; ++a, ++b)
    if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b))) return false;
  return *a == *b;
}

// Where the universal C runtime's heap functions come from.
bool universalRuntime(const char *dll) {
  return sameText(dll, "ucrtbase.dll") || sameText(dll, "api-ms-win-crt-heap-l1-1-0.dll") ||
         sameText(dll, "api-ms-win-crt-string-l1-1-0.dll");
}

// Another C runtime's heap: the old system one or a compiler's own.
bool otherRuntime(const char *dll) {
  char lower[16] = {};
  for (int i = 0; i < 15 && dll[i]; ++i) lower[i] = char(std::tolower(static_cast<unsigned char>(dll[i])));
  return std::strncmp(lower, "msvcr", 5) == 0 || std::strncmp(lower, "libc", 4) == 0;
}

bool isHeapFunction(const char *name) {
  for (const Binding &b : kBindings)
    if (std::strcmp(name, b.name) == 0) return true;
  for (const char *u : kUncounted)
    if (std::strcmp(name, u) == 0) return true;
  return false;
}

// Points an import slot at another function.
void rebind(void **where, void *to) {
  DWORD old = 0;
  if (!VirtualProtect(where, sizeof *where, PAGE_READWRITE, &old)) {
    unseenModule = true;
    return;
  }
  *where = to;
  VirtualProtect(where, sizeof *where, old, &old);
}

void bindImports(unsigned char *base, const IMAGE_IMPORT_DESCRIPTOR &imports) {
  const char *dll = reinterpret_cast<const char *>(base + imports.Name);
  const bool ours = universalRuntime(dll), other = otherRuntime(dll);
  if (!ours && !other) return;
  const DWORD lookup = imports.OriginalFirstThunk ? imports.OriginalFirstThunk : imports.FirstThunk;
  auto *names = reinterpret_cast<IMAGE_THUNK_DATA *>(base + lookup);
  auto *slots = reinterpret_cast<IMAGE_THUNK_DATA *>(base + imports.FirstThunk);
  for (; names->u1.AddressOfData; ++names, ++slots) {
    if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
    const char *name =
        reinterpret_cast<const char *>(reinterpret_cast<IMAGE_IMPORT_BY_NAME *>(base + names->u1.AddressOfData)->Name);
    if (!isHeapFunction(name)) continue;
    const Binding *binding = nullptr;
    for (const Binding &b : kBindings)
      if (ours && std::strcmp(name, b.name) == 0) binding = &b;
    if (!binding) {
      unseenModule = true;
      continue;
    }
    void **where = reinterpret_cast<void **>(&slots->u1.Function);
    if (*where == binding->counting) continue;
    if (!*binding->original) *binding->original = *where;
    rebind(where, binding->counting);
  }
}

}  // namespace

void ModuleHeap::bind(void *module) {
  auto *base = static_cast<unsigned char *>(module);
  const auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
  const auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY &dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (!dir.VirtualAddress) return;
  for (auto *imports = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR *>(base + dir.VirtualAddress); imports->Name;
       ++imports)
    bindImports(base, *imports);
}

std::size_t ModuleHeap::allocations() { return allocated.load(); }
std::size_t ModuleHeap::releases() { return released.load(); }
bool ModuleHeap::seesEveryModule() { return !unseenModule.load(); }

}  // namespace vhost
