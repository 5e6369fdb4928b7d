#include "Projection.h"

#include <algorithm>
#include <cmath>

namespace vesselhost {
namespace {

const ViewAxes kViews[] = {
    {ViewId::Above, "from above (+y)", "above", 0, 2, 1.0, 1, "x", "z"},
    {ViewId::Side, "from the side (+x)", "side", 2, 1, 1.0, 0, "z", "y"},
    {ViewId::Front, "from the front (+z)", "front", 0, 1, -1.0, 2, "x", "y"},
};

}  // namespace

const ViewAxes &viewAxes(ViewId id) { return kViews[static_cast<int>(id)]; }

double component(const VECTOR3 &v, int axis) { return axis == 0 ? v.x : axis == 1 ? v.y : v.z; }

VECTOR3 unitOrZero(const VECTOR3 &v) {
  const double n = length(v);
  if (!(n > 0) || !std::isfinite(n)) return _V(0, 0, 0);
  return _V(v.x / n, v.y / n, v.z / n);
}

void perpendiculars(const VECTOR3 &d, VECTOR3 &u, VECTOR3 &v) {
  // Start from the axis furthest from d, so the cross product is well sized.
  const VECTOR3 axis = std::fabs(d.x) <= std::fabs(d.y) && std::fabs(d.x) <= std::fabs(d.z) ? _V(1, 0, 0)
                       : std::fabs(d.y) <= std::fabs(d.z)                                 ? _V(0, 1, 0)
                                                                                          : _V(0, 0, 1);
  u = unitOrZero(crossp(d, axis));
  v = crossp(d, u);
}

std::vector<P> convexHull(std::vector<P> pts) {
  std::sort(pts.begin(), pts.end(), [](P a, P b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
  pts.erase(std::unique(pts.begin(), pts.end(), [](P a, P b) { return a.x == b.x && a.y == b.y; }), pts.end());
  if (pts.size() < 3) return pts;
  auto turn = [](P o, P a, P b) { return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x); };
  std::vector<P> hull(2 * pts.size());
  std::size_t k = 0;
  for (std::size_t i = 0; i < pts.size(); ++i) {
    while (k >= 2 && turn(hull[k - 2], hull[k - 1], pts[i]) <= 0) --k;
    hull[k++] = pts[i];
  }
  for (std::size_t i = pts.size() - 1, lower = k + 1; i-- > 0;) {
    while (k >= lower && turn(hull[k - 2], hull[k - 1], pts[i]) <= 0) --k;
    hull[k++] = pts[i];
  }
  hull.resize(k - 1);
  if (hull.size() < 3) return {pts.front(), pts.back()};
  return hull;
}

void Bounds3::add(const VECTOR3 &p) {
  if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) return;
  lo = _V(std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z));
  hi = _V(std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z));
}

void Bounds3::widen(double least) {
  auto grow = [least](double &a, double &b) {
    const double missing = least - (b - a);
    if (missing > 0) {
      a -= missing / 2;
      b += missing / 2;
    }
  };
  grow(lo.x, hi.x);
  grow(lo.y, hi.y);
  grow(lo.z, hi.z);
}

ViewBox Bounds3::in(const ViewAxes &axes) const {
  ViewBox box;
  const double a = component(lo, axes.right) * axes.rightSign, b = component(hi, axes.right) * axes.rightSign;
  box.left = std::min(a, b);
  box.right = std::max(a, b);
  box.bottom = component(lo, axes.up);
  box.top = component(hi, axes.up);
  return box;
}

P ViewMap::point(const VECTOR3 &p) const {
  return {origin_.x + component(p, axes_->right) * axes_->rightSign * scale_,
          origin_.y - component(p, axes_->up) * scale_};
}

P ViewMap::direction(const VECTOR3 &d) const {
  return {component(d, axes_->right) * axes_->rightSign, -component(d, axes_->up)};
}

}  // namespace vesselhost
