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

#include <cctype>
#include <cstring>

#include "LiveBlocks.h"

namespace vhost {

namespace {

using detail::Guard;
using detail::LiveBlocks;
using detail::SpinLock;

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

// Each module by name (its file's, without folder and ending, in lower
// case), with whether every load of it was fully seen; kept after it
// unloads, for the checks that ask once it has gone.
struct Seen {
  char name[64];
  bool seen;
};
constexpr int kMaxModules = 256;
Seen modules[kMaxModules] = {};
int moduleCount = 0;
bool tooManyModules = false;

// name lower-cased into out (size bytes); false when it does not fit.
bool keyOf(const char *name, char *out, std::size_t size) {
  std::size_t n = 0;
  for (; name[n]; ++n) {
    if (n + 1 >= size) return false;
    out[n] = char(std::tolower(static_cast<unsigned char>(name[n])));
  }
  out[n] = 0;
  return true;
}

// The module's name from its file's path.
bool moduleKey(void *module, char *out, std::size_t size) {
  char path[MAX_PATH];
  const DWORD n = GetModuleFileNameA(static_cast<HMODULE>(module), path, sizeof path);
  if (n == 0 || n >= sizeof path) return false;
  char *name = path;
  for (char *c = path; *c; ++c)
    if (*c == '\\' || *c == '/') name = c + 1;
  if (char *dot = std::strrchr(name, '.')) *dot = 0;
  return keyOf(name, out, size);
}

Seen *entryOf(const char *key) {
  for (int i = 0; i < moduleCount; ++i)
    if (std::strcmp(modules[i].name, key) == 0) return &modules[i];
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
  char key[sizeof modules[0].name];
  Guard g(lock);
  if (!moduleKey(module, key, sizeof key)) {
    tooManyModules = true;
    return;
  }
  if (Seen *known = entryOf(key)) {
    known->seen = known->seen && seen;
    return;
  }
  if (moduleCount == kMaxModules) {
    tooManyModules = true;
    return;
  }
  Seen &added = modules[moduleCount++];
  std::memcpy(added.name, key, sizeof key);
  added.seen = seen;
}

std::size_t ModuleHeap::allocations() {
  Guard g(lock);
  return allocated;
}

std::size_t ModuleHeap::liveBlocks() {
  Guard g(lock);
  return live.size();
}

bool ModuleHeap::seesModule(const std::string &name) {
  char key[sizeof modules[0].name];
  Guard g(lock);
  if (overflowed || tooManyModules || !keyOf(name.c_str(), key, sizeof key)) return false;
  const Seen *known = entryOf(key);
  return !known || known->seen;
}

}  // namespace vhost
