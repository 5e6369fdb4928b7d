// Orthographic views of a vessel's frame (x right, y up, z forward) onto the
// page: from above (x to the right, z up the page), from the side (seen from
// +x: z to the right, y up) and from the front (seen from +z: x to the left,
// y up). Each view looks at the vessel as a person standing there would, so
// nothing is mirrored.
#ifndef VESSELHOST_PROJECTION_H
#define VESSELHOST_PROJECTION_H

#include <vector>

#include "Orbitersdk.h"
#include "Svg.h"

namespace vesselhost {

enum class ViewId { Above, Side, Front };

struct ViewAxes {
  ViewId id;
  const char *title;            // "from above (+y)"
  const char *shortTitle;       // "above"
  int right, up;                // vessel axes (0 x, 1 y, 2 z) along the page's right and up
  double rightSign;             // -1 where the axis runs to the left
  int toward;                   // the axis pointing at the viewer
  const char *rightName, *upName;  // axis names as drawn, e.g. "x", "z"
};

const ViewAxes &viewAxes(ViewId id);

double component(const VECTOR3 &v, int axis);

// A box in a view's own coordinates (metres along its right and up).
struct ViewBox {
  double left = 0, right = 0, bottom = 0, top = 0;
  double width() const { return right - left; }
  double height() const { return top - bottom; }
};

// A bounding box of vessel-frame points, always holding the origin.
struct Bounds3 {
  VECTOR3 lo{}, hi{};
  void add(const VECTOR3 &p);
  // Every side at least `least` metres, grown evenly about its middle.
  void widen(double least);
  ViewBox in(const ViewAxes &axes) const;
};

// One view placed on the page: where the vessel's origin lands and how many
// pixels a metre takes.
class ViewMap {
public:
  ViewMap(const ViewAxes &axes, double scale, P origin) : axes_(&axes), scale_(scale), origin_(origin) {}
  const ViewAxes &axes() const { return *axes_; }
  double scale() const { return scale_; }
  P origin() const { return origin_; }
  // A vessel-frame point on the page.
  P point(const VECTOR3 &p) const;
  // A vessel-frame direction as a page direction; its length is how much of
  // the direction lies in the page (0 for one along the line of sight).
  P direction(const VECTOR3 &d) const;
  // How much of a direction points at the viewer (-1 .. 1 for a unit vector).
  double toward(const VECTOR3 &d) const { return component(d, axes_->toward); }

private:
  const ViewAxes *axes_;
  double scale_;
  P origin_;
};

// The unit vector along v; (0, 0, 0) for a vector of no (or no finite) length.
VECTOR3 unitOrZero(const VECTOR3 &v);
// Two unit vectors square to a unit direction d and to each other.
void perpendiculars(const VECTOR3 &d, VECTOR3 &u, VECTOR3 &v);

// The convex hull of page points, anticlockwise on the page; fewer than
// three points, or points on one line, give the ends of what they span.
std::vector<P> convexHull(std::vector<P> points);

}  // namespace vesselhost

#endif  // VESSELHOST_PROJECTION_H
