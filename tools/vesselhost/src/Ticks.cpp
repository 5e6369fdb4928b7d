#include "Ticks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace vesselhost {

double roundStep(double rough) {
  if (!(rough > 0) || !std::isfinite(rough)) return 1;
  const double power = std::pow(10.0, std::floor(std::log10(rough)));
  for (double m : {1.0, 2.0, 5.0, 10.0})
    if (m * power >= rough * (1 - 1e-9)) return m * power;
  return 10 * power;
}

std::string Axis::label(double v) const {
  if (std::fabs(v) < step * 1e-6) v = 0;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
  return buf;
}

Axis makeAxis(double lo, double hi, int count) {
  if (!std::isfinite(lo) || !std::isfinite(hi)) lo = hi = 0;
  if (hi < lo) std::swap(lo, hi);
  if (hi - lo < 1e-9 * std::max(1.0, std::fabs(hi))) {
    const double pad = std::max(1.0, std::fabs(hi) * 0.1);
    lo -= pad;
    hi += pad;
  }
  Axis a;
  a.step = roundStep((hi - lo) / std::max(1, count));
  a.lo = std::floor(lo / a.step + 1e-9) * a.step;
  a.hi = std::ceil(hi / a.step - 1e-9) * a.step;
  const int n = static_cast<int>(std::lround((a.hi - a.lo) / a.step));
  for (int i = 0; i <= n; ++i) a.ticks.push_back(a.lo + i * a.step);
  a.decimals = std::max(0, -static_cast<int>(std::floor(std::log10(a.step) + 1e-9)));
  return a;
}

}  // namespace vesselhost
