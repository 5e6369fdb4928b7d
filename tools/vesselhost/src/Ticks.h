// Round numbers for axes and scale bars: steps of 1, 2 or 5 times a power
// of ten.
#ifndef VESSELHOST_TICKS_H
#define VESSELHOST_TICKS_H

#include <string>
#include <vector>

namespace vesselhost {

// The smallest round step of at least `rough` (rough > 0).
double roundStep(double rough);

struct Axis {
  double lo = 0, hi = 1;       // the range shown, widened to whole steps
  double step = 1;
  std::vector<double> ticks;   // lo, lo + step, ..., hi
  int decimals = 0;            // enough to tell the ticks apart
  std::string label(double v) const;
};

// An axis over [lo, hi] with about `count` steps. An empty or reversed
// range is widened to one around it.
Axis makeAxis(double lo, double hi, int count);

}  // namespace vesselhost

#endif  // VESSELHOST_TICKS_H
