// The frame of a module's ovcInit / ovcExit. A plug-in writes
//   DLLCLBK VESSEL *ovcInit(OBJHANDLE h, int fmodel) { return vmod::NewVessel<MyClass>(h, fmodel); }
//   DLLCLBK void ovcExit(VESSEL *v) { vmod::DeleteVessel<MyClass>(v); }
// naming its own class in both.
#ifndef VESSEL_COMMON_ENTRYPOINTS_H
#define VESSEL_COMMON_ENTRYPOINTS_H

#include <new>
#include <type_traits>

#include "Orbitersdk.h"
#include "vessel_common/ExactDelete.h"

namespace vmod {

// A new vessel object of class T built on the host's handle and flight-model
// level; null when no memory can be had.
template <class T>
VESSEL *NewVessel(OBJHANDLE hVessel, int flightModel) {
  static_assert(std::is_base_of<VESSEL, T>::value, "a vessel class derives from VESSEL");
  return new (std::nothrow) T(hVessel, flightModel);
}

// Destroys what NewVessel<T> made; null does nothing. VESSEL has no virtual
// destructor, and in a class with callbacks the VESSEL part does not start
// the object, so the pointer is first turned back into T's own.
template <class T>
void DeleteVessel(VESSEL *vessel) {
  static_assert(std::is_base_of<VESSEL, T>::value, "a vessel class derives from VESSEL");
  DeleteExact(static_cast<T *>(vessel));
}

}  // namespace vmod

#endif  // VESSEL_COMMON_ENTRYPOINTS_H
