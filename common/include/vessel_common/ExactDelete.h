// Deleting an object of a class that has virtual callbacks but, like the
// host's VESSEL and animation-component classes, no virtual destructor. Such
// an object must be deleted as exactly the class it was made as: deleted
// through a base pointer it would neither run its own destructor nor free
// the block it was given (the vessel classes keep their virtual table in
// front of the VESSEL part).
#ifndef VESSEL_COMMON_EXACTDELETE_H
#define VESSEL_COMMON_EXACTDELETE_H

namespace vmod {

// Deletes object, which was made by new T; null does nothing. The compilers
// warn about any delete of such a class, not knowing that T is the object's
// own class; the caller vouches for it, so the warning is silenced here only.
template <class T>
void DeleteExact(T *object) {
#if defined(__GNUC__) || defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdelete-non-virtual-dtor"
#endif
  delete object;
#if defined(__GNUC__) || defined(__clang__)
#pragma GCC diagnostic pop
#endif
}

}  // namespace vmod

#endif  // VESSEL_COMMON_EXACTDELETE_H
