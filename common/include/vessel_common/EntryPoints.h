// The frame of a module's ovcInit / ovcExit. A plug-in writes
//   DLLCLBK VESSEL *ovcInit(OBJHANDLE h, int fmodel) { return vmod::NewVessel<MyClass>(h, fmodel); }
//   DLLCLBK void ovcExit(VESSEL *v) { vmod::DeleteVessel(v); }
#ifndef VESSEL_COMMON_ENTRYPOINTS_H
#define VESSEL_COMMON_ENTRYPOINTS_H

#include <new>

#include "Orbitersdk.h"

namespace vmod {

// A new vessel object of class T built on the host's handle and flight-model
// level; null when no memory can be had.
template <class T>
VESSEL *NewVessel(OBJHANDLE hVessel, int flightModel) {
  return new (std::nothrow) T(hVessel, flightModel);
}

// Destroys what NewVessel made; null does nothing.
inline void DeleteVessel(VESSEL *vessel) { delete vessel; }

}  // namespace vmod

#endif  // VESSEL_COMMON_ENTRYPOINTS_H
