// The module's entry points.
#include "Tessavane.h"
#include "vessel_common/EntryPoints.h"

DLLCLBK VESSEL *ovcInit(OBJHANDLE hVessel, int flightModel) { return vmod::NewVessel<Tessavane>(hVessel, flightModel); }

DLLCLBK void ovcExit(VESSEL *vessel) { vmod::DeleteVessel<Tessavane>(vessel); }
