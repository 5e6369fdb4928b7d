// The host's flight model: vertical motion only.
//
// A vessel that is not landed and does not hang on a parent moves along its
// radial (up) direction under the body's surface gravity, taken as constant.
// On a body with an atmosphere, drag 0.5 rho(h) v^2 C A opposes the vertical
// speed, with rho(h) = 1.225 exp(-h / 8500) kg/m^3, A the largest of the
// vessel's cross sections and C its z-negative CW (a vessel falls tail
// first); the drag is integrated implicitly so that it never reverses the
// motion. Horizontal velocity is kept as it is and does not move the vessel.
// At altitude 0 the vessel lands: status landed, velocity zero. A vessel of
// no mass feels no drag. A step whose position, velocity or altitude would
// overflow is not taken.
#ifndef VHOST_FLIGHTMODEL_H
#define VHOST_FLIGHTMODEL_H

#include "VesselImpl.h"

namespace vhost {
namespace detail {

enum class FlightStep {
  Moved,    // or stayed, being landed
  Landed,   // touched down in this step
  Refused,  // the step would leave a number that is not finite: v is as it was
};

// Advances v by dt.
FlightStep flyVertical(VesselImpl &v, double dt);

}  // namespace detail
}  // namespace vhost

#endif  // VHOST_FLIGHTMODEL_H
