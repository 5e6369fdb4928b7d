// The host's flight model: vertical motion only.
//
// A vessel that is not landed and does not hang on a parent moves along its
// radial (up) direction under the body's surface gravity, taken as constant;
// its altitude is its height above the body's mean radius. On a body with
// an atmosphere, drag opposes the vertical speed as the simulator computes
// it without airfoils: q/2 (Sx CWx |ux| + Sy CWy |uy| + Sz CWz+ |uz|), with
// q = rho(h) v^2 / 2, rho(h) = 1.225 exp(-h / 8500) kg/m^3, S the cross
// sections, u the airflow's direction in the vessel's frame (its attitude
// counts) and the forward coefficient along z either way; the drag is
// integrated implicitly so that it never reverses the motion. Horizontal
// velocity is kept as it is and does not move the vessel. The vessel lands
// when its centre comes down to its standing height (above the plane of its
// first three touchdown points): status landed, velocity zero. Not
// modelled: lift, airfoils, torques, horizontal motion, the planet's
// rotation, terrain. A vessel of no mass feels no drag. A step whose
// position, velocity or altitude would overflow is not taken.
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
