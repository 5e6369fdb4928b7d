// What loaded modules allocate from a heap that the process's operator new
// does not see. On Linux there is none: a module's operator new is the
// process's. A Windows module DLL brings its own operator new over the C
// runtime's heap; when the host loads one, it binds the module's imports of
// the heap functions to counting ones (windows/host/ModuleHeap.cpp). What a
// module allocates while it loads, before the binding, is not counted, nor
// is it when it is given back.
#ifndef VHOST_MODULEHEAP_H
#define VHOST_MODULEHEAP_H

#include <cstddef>
#include <string>

namespace vhost {
namespace ModuleHeap {

// Since the process started, over every module loaded: blocks allocated (a
// reallocation counts as one). Safe from any thread.
std::size_t allocations();
// Counted blocks not yet given back.
std::size_t liveBlocks();

// Whether every load of the module of that name (its file's, without
// folder and ending, in any case) allocated only through functions that are
// counted: false once one of its loads imported a heap function the host
// cannot bind (another C runtime's, say), and for every module once more
// blocks were live than the host keeps track of. True for a module never
// loaded.
bool seesModule(const std::string &name);

#if defined(_WIN32)
// Binds a module DLL's heap imports to the counting functions; called by the
// loader once LoadLibrary has returned the module.
void bind(void *module);
#endif

}  // namespace ModuleHeap
}  // namespace vhost

#endif  // VHOST_MODULEHEAP_H
