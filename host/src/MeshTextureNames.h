// Process-wide tables of mesh and exhaust-texture names: the handles the
// host gives out for them and the names behind those handles. Apart from any
// one simulation because plug-ins may keep such handles in module-wide
// statics beyond one simulation.
#ifndef VHOST_MESHTEXTURENAMES_H
#define VHOST_MESHTEXTURENAMES_H

#include "Orbitersdk.h"

namespace vhost {
namespace detail {

MESHHANDLE meshHandleFor(const char *name);
SURFHANDLE textureHandleFor(const char *name);
// The name behind a handle, null for a value that is no such handle.
const char *meshName(MESHHANDLE h);
const char *textureName(SURFHANDLE h);

}  // namespace detail
}  // namespace vhost

#endif  // VHOST_MESHTEXTURENAMES_H
