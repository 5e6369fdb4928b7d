#include "Motion.h"

#include <cmath>
#include <cstring>

namespace vhost {
namespace detail {

const Body kBodies[kBodyCount] = {
    {"Earth", 6371.0e3, 9.81, true},
    {"Moon", 1737.4e3, 1.62, false},
};

int findBody(const char *name) {
  if (!name) return -1;
  for (int i = 0; i < kBodyCount; ++i)
    if (std::strcmp(kBodies[i].name, name) == 0) return i;
  return -1;
}

MATRIX3 eulerRotation(const VECTOR3 &arot) {
  const double ca = std::cos(arot.x), sa = std::sin(arot.x);
  const double cb = std::cos(arot.y), sb = std::sin(arot.y);
  const double cg = std::cos(arot.z), sg = std::sin(arot.z);
  MATRIX3 rx = _M(1, 0, 0, 0, ca, -sa, 0, sa, ca);
  MATRIX3 ry = _M(cb, 0, sb, 0, 1, 0, -sb, 0, cb);
  MATRIX3 rz = _M(cg, -sg, 0, sg, cg, 0, 0, 0, 1);
  return mul(rx, mul(ry, rz));
}

VECTOR3 upDirection(const MotionRecord &m) {
  double r = length(m.rpos);
  if (r > 1e-9) return m.rpos / r;
  return _V(0, 1, 0);
}

void placeAtAltitude(MotionRecord &m, double radius) {
  const double r = radius + m.altitude;
  // A position that already agrees is kept bit for bit, so that a saved
  // scenario reads back to the same numbers.
  if (std::fabs(length(m.rpos) - r) <= 1e-9 * r) return;
  m.rpos = upDirection(m) * r;
}

void altitudeFromPosition(MotionRecord &m, double radius) {
  double h = length(m.rpos) - radius;
  m.altitude = h > 0 ? h : 0;
  placeAtAltitude(m, radius);
}

}  // namespace detail
}  // namespace vhost
