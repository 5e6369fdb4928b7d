// The host SDK: include this one header.
//   OrbiterTypes.h  types, records, constants, vector helpers
//   OrbiterKeys.h   keyboard scan codes
//   OrbiterAPI.h    free host functions, light emitters
//   DrawAPI.h       the HUD sketchpad
//   VesselAPI.h     VESSEL, VESSEL2, VESSEL3 and animation components
//
// A plug-in exports its entry points with DLLCLBK:
//   DLLCLBK VESSEL *ovcInit(OBJHANDLE hvessel, int flightmodel);
//   DLLCLBK void ovcExit(VESSEL *vessel);
#ifndef ORBITERSDK_H
#define ORBITERSDK_H

#include "OrbiterTypes.h"
#include "OrbiterKeys.h"
#include "OrbiterAPI.h"
#include "DrawAPI.h"
#include "VesselAPI.h"

#endif  // ORBITERSDK_H
