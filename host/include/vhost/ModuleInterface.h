// What the host and a vessel module know of each other beyond the SDK
// headers: the entry points the host looks up in a module by their plain
// names, and the two functions the host exports without declaring them in
// the SDK (a module that uses them declares them itself, as here).
#ifndef VHOST_MODULEINTERFACE_H
#define VHOST_MODULEINTERFACE_H

#include "Orbitersdk.h"

typedef VESSEL *(*OVC_INIT_FUNC)(OBJHANDLE hvessel, int flightmodel);
typedef void (*OVC_EXIT_FUNC)(VESSEL *vessel);
typedef const char *(*MODULE_DATE_FUNC)();
typedef int (*MODULE_VERSION_FUNC)();

// Prepares the host's side of a module that has just been loaded; hModule is
// the module's own handle.
OAPIFUNC void InitLib(HINSTANCE hModule);
// A date of the form "Mmm dd yyyy" (as __DATE__ writes it) as the number
// yyyymmdd, e.g. 20160828 for "Aug 28 2016"; 0 when it does not read.
OAPIFUNC int Date2Int(char *date);

#endif  // VHOST_MODULEINTERFACE_H
