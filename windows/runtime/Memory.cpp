// operator new and delete over the C runtime's heap. Without exceptions a
// plain new that gets no memory cannot throw; it ends the process instead
// of handing back a null pointer the caller never checks. The nothrow forms
// return null.
#include <cstddef>
#include <cstdlib>
#include <new>

namespace {

void *allocate(std::size_t size) { return std::malloc(size ? size : 1); }

void *allocateOrAbort(std::size_t size) {
  void *p = allocate(size);
  if (!p) std::abort();
  return p;
}

}  // namespace

namespace std {
const nothrow_t nothrow{};
}  // namespace std

void *operator new(std::size_t size) { return allocateOrAbort(size); }
void *operator new[](std::size_t size) { return allocateOrAbort(size); }
void *operator new(std::size_t size, const std::nothrow_t &) noexcept { return allocate(size); }
void *operator new[](std::size_t size, const std::nothrow_t &) noexcept { return allocate(size); }

void operator delete(void *p) noexcept { std::free(p); }
void operator delete[](void *p) noexcept { std::free(p); }
void operator delete(void *p, std::size_t) noexcept { std::free(p); }
void operator delete[](void *p, std::size_t) noexcept { std::free(p); }
void operator delete(void *p, const std::nothrow_t &) noexcept { std::free(p); }
void operator delete[](void *p, const std::nothrow_t &) noexcept { std::free(p); }
