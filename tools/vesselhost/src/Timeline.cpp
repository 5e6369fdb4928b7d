#include "Timeline.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "StatusLine.h"

namespace vesselhost {

int timeDecimals(double dt) {
  int d = 2;
  for (; d < 6; ++d) {
    const double scaled = dt * std::pow(10.0, d);
    if (std::fabs(scaled - std::round(scaled)) < 1e-6 * std::max(1.0, scaled)) break;
  }
  return d;
}

std::string formatTimelineLine(double t, int decimals, const std::string &vessel, int vesselWidth,
                               const std::string &what) {
  char time[64];
  std::snprintf(time, sizeof time, "%10.*f", decimals, t);
  std::string line = time;
  line += "  ";
  const std::string shown = vessel.empty() ? "(host)" : vessel;
  line += shown;
  for (int i = static_cast<int>(shown.size()); i < vesselWidth; ++i) line += ' ';
  line += "  ";
  line += what;
  return line;
}

Timeline::Timeline(std::ostream &out, double dt, bool enabled)
    : out_(out), decimals_(timeDecimals(dt)), enabled_(enabled) {}

void Timeline::setVesselWidth(int width) { vesselWidth_ = width; }

void Timeline::line(double t, const std::string &vessel, const std::string &what) {
  if (!enabled_) return;
  // The status line steps aside and comes back at its next redraw: a run
  // with many lines would otherwise redraw it, and flush, at every line.
  if (status_) status_->hide();
  out_ << formatTimelineLine(t, decimals_, vessel, vesselWidth_, what) << '\n';
}

}  // namespace vesselhost
