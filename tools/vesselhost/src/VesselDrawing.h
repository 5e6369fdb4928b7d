// A vessel's layout as the host holds it, drawn to scale in three
// orthographic views (from the side, the front and above) with a scale bar,
// the origin and axes, a key, and one small view per thruster group.
#ifndef VESSELHOST_VESSELDRAWING_H
#define VESSELHOST_VESSELDRAWING_H

#include <string>

#include "vhost/Records.h"

namespace vesselhost {

// The SVG document; t is the simulation time it shows.
std::string vesselSvg(const vhost::VesselRecord &record, double t);

}  // namespace vesselhost

#endif  // VESSELHOST_VESSELDRAWING_H
