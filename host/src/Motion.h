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

// A thruster's specific impulse when its vessel gives none (m/s).
constexpr double kDefaultIsp = 5e4;
extern const Body kBodies[kBodyCount];

// The index of the body of that name, -1 for none.
int findBody(const char *name);

// The rotation of the Euler angles arot (rad), vessel frame to global, as
// the SDK documents VESSELSTATUS::arot: R = Rx Ry Rz, where Rx turns by
// -arot.x about x (rows (1,0,0), (0,cos,sin), (0,-sin,cos)), and Ry and Rz
// likewise about y and z.
MATRIX3 eulerRotation(const VECTOR3 &arot);

// The length of v, the same as length(v) wherever that is finite, and
// finite for every vector of finite components (length(v) overflows once the
// squared length passes the largest double).
double safeLength(const VECTOR3 &v);

// True when every component is finite and so is the squared length: the
// vectors the host takes for points and directions, whose lengths and
// products with other vectors stay finite.
bool isUsableVector(const VECTOR3 &v);

// The scenario key of the first field of m that is not a finite number
// ("RPOS", "RVEL", "AROT", "VROT", "ALT"), null when all are finite.
const char *nonFiniteField(const MotionRecord &m);

// The same for a status a plug-in hands over (its rpos, rvel, arot and
// vrot), where a position whose squared length overflows counts too: the
// host could not place it.
const char *nonFiniteStatus(const VESSELSTATUS &status);

// The radial direction of a position, +y when it has none.
VECTOR3 upDirection(const VECTOR3 &rpos);
inline VECTOR3 upDirection(const MotionRecord &m) { return upDirection(m.rpos); }

// Puts rpos at the body's radius plus the altitude along the up direction.
void placeAtAltitude(VECTOR3 &rpos, double altitude, double radius);
inline void placeAtAltitude(MotionRecord &m, double radius) { placeAtAltitude(m.rpos, m.altitude, radius); }

// Altitude from rpos (never below 0), then rpos made consistent with it.
void altitudeFromPosition(VECTOR3 &rpos, double &altitude, double radius);
inline void altitudeFromPosition(MotionRecord &m, double radius) { altitudeFromPosition(m.rpos, m.altitude, radius); }

}  // namespace detail
}  // namespace vhost

#endif  // VHOST_MOTION_H
