// The host's bodies and the geometry of a vessel's position and attitude.
#ifndef VHOST_MOTION_H
#define VHOST_MOTION_H

#include <string>

#include "vhost/Records.h"

namespace vhost {
namespace detail {

struct Body {
  const char *name;
  double radius;   // m
  double gravity;  // surface gravity, m/s^2
  bool atmosphere;
};

constexpr int kBodyCount = 2;
extern const Body kBodies[kBodyCount];

// The index of the body of that name, -1 for none.
int findBody(const char *name);

// The rotation of the Euler angles arot (rad), vessel frame to global:
// R = Rx(arot.x) * Ry(arot.y) * Rz(arot.z).
MATRIX3 eulerRotation(const VECTOR3 &arot);

// The radial direction of the vessel's position, +y when it has none.
VECTOR3 upDirection(const MotionRecord &m);

// Puts rpos at the body's radius plus the altitude along the up direction.
void placeAtAltitude(MotionRecord &m, double radius);

// Altitude from rpos (never below 0), then rpos made consistent with it.
void altitudeFromPosition(MotionRecord &m, double radius);

}  // namespace detail
}  // namespace vhost

#endif  // VHOST_MOTION_H
