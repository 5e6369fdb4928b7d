#include "Placement.h"

#include <cmath>

#include "Motion.h"
#include "vessel_common/PortableMath.h"
#include "StatusLines.h"

namespace vhost {
namespace detail {

namespace {

// The frame of a point: columns direction, rotation across it, their cross
// product. False when the point has none.
bool pointFrame(const VECTOR3 &dir, const VECTOR3 &rot, MATRIX3 &frame) {
  const double dl = safeLength(dir);
  if (!(dl > 0) || !std::isfinite(dl)) return false;
  const VECTOR3 d = dir / dl;
  const VECTOR3 across = rot - d * dotp(rot, d);
  const double al = safeLength(across);
  // Rounding leaves a sliver of a parallel vector; it gives no direction.
  if (!(al > 1e-12 * safeLength(rot)) || !std::isfinite(al)) return false;
  const VECTOR3 r = across / al;
  const VECTOR3 n = crossp(d, r);
  frame = _M(d.x, r.x, n.x, d.y, r.y, n.y, d.z, r.z, n.z);
  return true;
}

MATRIX3 transpose(const MATRIX3 &m) { return _M(m.m11, m.m21, m.m31, m.m12, m.m22, m.m32, m.m13, m.m23, m.m33); }

bool isIdentity(const MATRIX3 &m) {
  return m.m11 == 1 && m.m22 == 1 && m.m33 == 1 && m.m12 == 0 && m.m13 == 0 && m.m21 == 0 && m.m23 == 0 &&
         m.m31 == 0 && m.m32 == 0;
}

}  // namespace

VECTOR3 eulerAngles(const MATRIX3 &R) {
  // m13 = -sin b, m23 = sin a cos b, m33 = cos a cos b, m12 = cos b sin g,
  // m11 = cos b cos g.
  const double sb = std::fmax(-1.0, std::fmin(1.0, -R.m13));
  const double b = vmod::portableAsin(sb);
  double a, g;
  if (std::fabs(sb) < 1 - 1e-12) {
    a = vmod::portableAtan2(R.m23, R.m33);
    g = vmod::portableAtan2(R.m12, R.m11);
  } else {
    // Looking straight along x: only a + g (or a - g) is defined; g is 0.
    a = vmod::portableAtan2(-R.m32, R.m22);
    g = 0;
  }
  return _V(a + 0.0, b + 0.0, g + 0.0);
}

bool placeOnPoint(const MotionRecord &parent, const AttachmentRecord &parentPoint,
                  const AttachmentRecord &childPoint, double radius, MotionRecord &child) {
  const MATRIX3 Rp = eulerRotation(parent.arot);
  MATRIX3 Fp, Fc;
  MATRIX3 turn = _M(1, 0, 0, 0, 1, 0, 0, 0, 1);  // child frame to parent frame
  if (pointFrame(parentPoint.dir, parentPoint.rot, Fp) && pointFrame(-childPoint.dir, childPoint.rot, Fc))
    turn = mul(Fp, transpose(Fc));
  MATRIX3 Rc = Rp;
  VECTOR3 arot = parent.arot;  // not turned: the parent's angles as they are, not a round trip of them
  if (!isIdentity(turn)) {
    Rc = mul(Rp, turn);
    arot = eulerAngles(Rc);
  }
  VECTOR3 rpos = parent.rpos + mul(Rp, parentPoint.pos) - mul(Rc, childPoint.pos);
  double altitude = 0;
  if (!isUsableVector(rpos) || !isUsableVector(arot)) return false;
  altitudeFromPosition(rpos, altitude, radius);
  if (!isUsableVector(rpos) || !std::isfinite(altitude)) return false;
  child.rpos = rpos;
  child.arot = arot;
  child.altitude = altitude;
  child.rvel = parent.rvel;
  child.landed = parent.landed;
  if (child.landed) noteSurface(child);
  return true;
}

}  // namespace detail
}  // namespace vhost
