// Counts heap allocations made through the global operator new while
// counting is switched on, and those a module DLL makes from its own heap
// (vhost/ModuleHeap.h). Link the static library vhost_alloc_counter into an
// executable to replace operator new / delete for the whole process:
//
//   vhost::AllocationCounter::start();
//   sim.step();
//   vhost::AllocationCounter::stop();
//   EXPECT_EQ(vhost::AllocationCounter::count(), 0u);
#ifndef VHOST_ALLOCATIONCOUNTER_H
#define VHOST_ALLOCATIONCOUNTER_H

#include <cstddef>
#include <string>

namespace vhost {
namespace AllocationCounter {

// Resets the count to 0 and starts counting.
void start();
// Stops counting; the count stays as it was.
void stop();
// Allocations counted since the last start().
std::size_t count();
// Blocks allocated through operator new (any form) and not yet given back to
// operator delete, counted at all times; compare it before and after a piece
// of work to see a leak.
std::size_t live();
// Whether the allocations of the module of that name are counted too: on
// Linux a module's operator new is the process's, this one; a Windows module
// DLL's heap functions are counted where the host could bind them
// (vhost/ModuleHeap.h).
bool countsModule(const std::string &name);

}  // namespace AllocationCounter
}  // namespace vhost

#endif  // VHOST_ALLOCATIONCOUNTER_H
