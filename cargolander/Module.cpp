// The module's entry points.
#include "SelvarCARGO.h"
#include "vessel_common/EntryPoints.h"

DLLCLBK VESSEL *ovcInit(OBJHANDLE hVessel, int flightModel) { return vmod::NewVessel<SelvarCARGO>(hVessel, flightModel); }

DLLCLBK void ovcExit(VESSEL *vessel) { vmod::DeleteVessel<SelvarCARGO>(vessel); }
