// The host SDK: include this one header.
//   OrbiterTypes.h  types, records, constants, vector helpers
//   OrbiterKeys.h   keyboard scan codes
//   OrbiterAPI.h    free host functions, light emitters, module support
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

// The entry points the host looks up in a vessel module.
typedef VESSEL *(*OVC_INIT_FUNC)(OBJHANDLE hvessel, int flightmodel);
typedef void (*OVC_EXIT_FUNC)(VESSEL *vessel);
typedef const char *(*MODULE_DATE_FUNC)();
typedef int (*MODULE_VERSION_FUNC)();

#endif  // ORBITERSDK_H
