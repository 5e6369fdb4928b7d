#include "Motion.h"

#include <cmath>
#include <cstring>

#include "vessel_common/PortableMath.h"

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
  double cx, sx, cy, sy, cz, sz;
  vmod::portableSinCos(arot.x, sx, cx);
  vmod::portableSinCos(arot.y, sy, cy);
  vmod::portableSinCos(arot.z, sz, cz);
  return _M(cy * cz, cy * sz, -sy,                                   //
            sx * sy * cz - cx * sz, sx * sy * sz + cx * cz, sx * cy,  //
            cx * sy * cz + sx * sz, cx * sy * sz - sx * cz, cx * cy);
}

double safeLength(const VECTOR3 &v) {
  const double sq = dotp(v, v);
  if (std::isfinite(sq)) return std::sqrt(sq);
  const double big = std::fmax(std::fabs(v.x), std::fmax(std::fabs(v.y), std::fabs(v.z)));
  if (!std::isfinite(big)) return big + v.x + v.y + v.z;  // inf, or NaN when one is
  return big * length(v / big);
}

bool isUsableVector(const VECTOR3 &v) { return std::isfinite(dotp(v, v)); }

const char *nonFiniteField(const MotionRecord &m) {
  auto finite = [](const VECTOR3 &v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); };
  if (!finite(m.rpos)) return "RPOS";
  if (!finite(m.rvel)) return "RVEL";
  if (!finite(m.arot)) return "AROT";
  if (!finite(m.vrot)) return "VROT";
  if (!std::isfinite(m.altitude)) return "ALT";
  return nullptr;
}

const char *nonFiniteStatus(const VESSELSTATUS &status) {
  if (!isUsableVector(status.rpos)) return "RPOS";
  if (!isUsableVector(status.rvel)) return "RVEL";
  if (!isUsableVector(status.arot)) return "AROT";
  if (!isUsableVector(status.vrot)) return "VROT";
  return nullptr;
}

VECTOR3 upDirection(const VECTOR3 &rpos) {
  double r = safeLength(rpos);
  if (r > 1e-9) return rpos / r;
  return _V(0, 1, 0);
}

void placeAtAltitude(VECTOR3 &rpos, double altitude, double radius) {
  const double r = radius + altitude;
  // A position that already agrees is kept bit for bit, so that a saved
  // scenario reads back to the same numbers.
  if (std::fabs(safeLength(rpos) - r) <= 1e-9 * r) return;
  rpos = upDirection(rpos) * r;
}

void altitudeFromPosition(VECTOR3 &rpos, double &altitude, double radius) {
  double h = safeLength(rpos) - radius;
  altitude = h > 0 ? h : 0;
  placeAtAltitude(rpos, altitude, radius);
}

}  // namespace detail
}  // namespace vhost
