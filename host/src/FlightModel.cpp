#include "FlightModel.h"

#include <cmath>

#include "Motion.h"
#include "vessel_common/PortableMath.h"
#include "StatusLines.h"

namespace vhost {
namespace detail {

FlightStep flyVertical(VesselImpl &v, double dt) {
  MotionRecord &m = v.rec.motion;
  if (m.landed) return FlightStep::Moved;
  const Body &body = kBodies[v.body];
  const VECTOR3 up = upDirection(m);
  double vr = dotp(m.rvel, up);
  const VECTOR3 horizontal = m.rvel - up * vr;
  double k = 0;  // drag deceleration per squared speed
  if (body.atmosphere && vr != 0) {
    // The airflow's direction in the vessel's frame: each axis takes its
    // share of the drag by the cosine to it, the z axis with the forward
    // coefficient either way.
    const VECTOR3 u = tmul(eulerRotation(m.arot), vr > 0 ? up : -up);
    const VECTOR3 &cs = v.rec.crossSections;
    const double *cw = v.rec.cw;
    const double area = cs.x * cw[2] * std::fabs(u.x) + cs.y * cw[3] * std::fabs(u.y) + cs.z * cw[0] * std::fabs(u.z);
    const double mass = v.mass();
    if (mass > 0 && area > 0) {
      const double rho = 1.225 * vmod::portableExp(-m.altitude / 8500.0);
      k = 0.25 * rho * area / mass;
    }
  }
  vr = (vr - body.gravity * dt) / (1.0 + k * std::fabs(vr) * dt);
  double h = m.altitude + vr * dt;
  // It comes to rest on its touchdown points, its centre above the ground.
  const double standing = standingHeight(v.rec.touchdownPoints);
  if (h <= standing) {
    m.altitude = standing;
    m.rvel = _V(0, 0, 0);
    m.landed = true;
    placeAtAltitude(m, body.radius);
    noteSurface(m);
    return FlightStep::Landed;
  }
  const VECTOR3 rvel = horizontal + up * vr;
  const VECTOR3 rpos = up * (body.radius + h);
  if (!std::isfinite(h) || !isUsableVector(rvel) || !isUsableVector(rpos)) return FlightStep::Refused;
  m.altitude = h;
  m.rvel = rvel;
  m.rpos = rpos;
  return FlightStep::Moved;
}

}  // namespace detail
}  // namespace vhost
