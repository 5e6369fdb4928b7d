// A run's profile as SVG: altitude over time for every vessel (one colour
// each, a legend), vertical speed below it, and the recorded events marked
// on the time axis with short labels.
#ifndef VESSELHOST_PROFILEPLOT_H
#define VESSELHOST_PROFILEPLOT_H

#include <string>

#include "FlightRecorder.h"

namespace vesselhost {

// title: what was flown, e.g. the scenario's file name.
std::string profileSvg(const FlightRecorder &flight, const std::string &title);

}  // namespace vesselhost

#endif  // VESSELHOST_PROFILEPLOT_H
