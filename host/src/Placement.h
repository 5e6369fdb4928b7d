// Where a child vessel sits on its parent's attachment point.
//
// The child's point is put on the parent's point, and the child is turned so
// that its point's direction points back along the parent point's direction
// (the two points face each other) and the two rotation vectors agree. A
// point's frame is its direction and the part of its rotation vector
// across that direction; a point whose direction has length 0, or whose
// rotation vector has no part across the direction (0, or parallel to it),
// has no frame. When either point has none, the child is not turned: it
// keeps the parent's attitude, its point still on the parent's point.
#ifndef VHOST_PLACEMENT_H
#define VHOST_PLACEMENT_H

#include "vhost/Records.h"

namespace vhost {
namespace detail {

// The child's motion record placed on the parent's point: position, attitude
// and altitude (above a body of that radius); velocity and landed status
// follow the parent. False, with child untouched, when the result would hold
// a number that is not finite.
bool placeOnPoint(const MotionRecord &parent, const AttachmentRecord &parentPoint,
                  const AttachmentRecord &childPoint, double radius, MotionRecord &child);

// Euler angles (rad) of a rotation, the inverse of eulerRotation.
VECTOR3 eulerAngles(const MATRIX3 &R);

}  // namespace detail
}  // namespace vhost

#endif  // VHOST_PLACEMENT_H
