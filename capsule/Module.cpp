// The library's entry points: the host asks for one capsule object per
// vessel of the class and hands it back when the vessel goes.
#include "Tessavane.h"
#include "vessel_common/EntryPoints.h"

DLLCLBK VESSEL *ovcInit(OBJHANDLE hvessel, int flightmodel) { return vmod::NewVessel<tarva::Tessavane>(hvessel, flightmodel); }

DLLCLBK void ovcExit(VESSEL *vessel) { vmod::DeleteVessel<tarva::Tessavane>(vessel); }
