#include "ProfilePlot.h"

#include <algorithm>
#include <cmath>

#include "Svg.h"
#include "Text.h"
#include "Ticks.h"

namespace vesselhost {
namespace {

constexpr double kWidth = 1120, kLeft = 86, kPlotWidth = 800, kTop = 64;
constexpr double kAltHeight = 320, kSpeedHeight = 200, kBetween = 34;
constexpr double kRowHeight = 13, kCharWidth = 6.2;
constexpr int kMaxRows = 10;
constexpr std::size_t kMaxLabel = 18, kMaxLegendName = 24;

const char *const kColours[] = {"#1f77b4", "#d62728", "#2ca02c", "#ff7f0e", "#9467bd",
                                "#8c564b", "#e377c2", "#7f7f7f", "#bcbd22", "#17becf"};

const char *const kStyle =
    "text { font-family: sans-serif; font-size: 12px; fill: #222222; }\n"
    ".heading { font-size: 16px; font-weight: bold; }\n"
    ".tick { font-size: 11px; fill: #444444; }\n"
    ".eventlabel { font-size: 10px; }\n"
    ".grid { stroke: #e6e6e6; stroke-width: 1; }\n"
    ".frame { fill: none; stroke: #888888; }\n"
    ".zero { stroke: #999999; stroke-width: 1; }\n"
    ".curve { fill: none; stroke-width: 1.6; stroke-linejoin: round; }\n";

const char *colourOf(std::size_t series) { return kColours[series % (sizeof kColours / sizeof kColours[0])]; }

std::string cut(const std::string &text, std::size_t most) {
  const std::string utf8 = toUtf8(text);
  if (utf8.size() <= most) return utf8;
  std::size_t n = most - 1;
  while (n > 0 && (static_cast<unsigned char>(utf8[n]) & 0xC0) == 0x80) --n;  // whole characters only
  return utf8.substr(0, n) + "\xE2\x80\xA6";
}

// A panel: a value range drawn between two page heights.
struct Panel {
  double top, height;
  Axis axis;
  double y(double v) const { return top + height - (v - axis.lo) / (axis.hi - axis.lo) * height; }
};

void drawPanel(SvgWriter &svg, const Panel &panel, const Axis &time, double (*x)(const Axis &, double),
               const std::string &name) {
  svg.beginGroup("class=\"axes\"");
  for (double v : panel.axis.ticks) {
    const double y = panel.y(v);
    svg.line({kLeft, y}, {kLeft + kPlotWidth, y}, v == 0 ? "class=\"zero\"" : "class=\"grid\"");
    svg.text({kLeft - 6, y + 4}, panel.axis.label(v), "class=\"tick\" text-anchor=\"end\"");
  }
  for (double t : time.ticks)
    svg.line({x(time, t), panel.top}, {x(time, t), panel.top + panel.height}, "class=\"grid\"");
  svg.rect({kLeft, panel.top}, kPlotWidth, panel.height, "class=\"frame\"");
  const P at{kLeft - 58, panel.top + panel.height / 2};
  svg.text(at, name, "text-anchor=\"middle\" transform=\"rotate(-90 " + px(at.x) + " " + px(at.y) + ")\"");
  svg.endGroup();
}

double timeX(const Axis &time, double t) { return kLeft + (t - time.lo) / (time.hi - time.lo) * kPlotWidth; }

// The curve's points on the page, without the ones that add nothing: a
// point on the last one's pixel, or in the middle of a flat run.
// unit: metres per unit of the altitude axis; speed: draw the vertical speed.
std::vector<P> curve(const std::vector<FlightSample> &samples, const Axis &time, const Panel &panel, bool speed,
                     double unit) {
  std::vector<P> pts;
  for (const FlightSample &s : samples) {
    const P p{timeX(time, s.t), panel.y(speed ? s.verticalSpeed : s.altitude / unit)};
    if (!pts.empty() && std::fabs(pts.back().x - p.x) < 0.05 && std::fabs(pts.back().y - p.y) < 0.05) continue;
    if (pts.size() >= 2 && std::fabs(pts[pts.size() - 2].y - p.y) < 0.05 && std::fabs(pts.back().y - p.y) < 0.05)
      pts.back() = p;
    else
      pts.push_back(p);
  }
  return pts;
}

}  // namespace

std::string profileSvg(const FlightRecorder &flight, const std::string &title) {
  double tEnd = flight.duration(), altMax = 0, vMin = 0, vMax = 0;
  for (const FlightSeries &s : flight.series())
    for (const FlightSample &p : s.samples) {
      tEnd = std::max(tEnd, p.t);
      altMax = std::max(altMax, p.altitude);
      vMin = std::min(vMin, p.verticalSpeed);
      vMax = std::max(vMax, p.verticalSpeed);
    }
  const bool km = altMax >= 10000;
  const double altUnit = km ? 1000 : 1;

  const Axis time = makeAxis(0, tEnd > 0 ? tEnd : 1, 10);
  const Panel alt{kTop, kAltHeight, makeAxis(0, std::max(altMax / altUnit, 1.0), 8)};
  const Panel speed{kTop + kAltHeight + kBetween, kSpeedHeight, makeAxis(vMin, vMax, 6)};
  const double axisBottom = speed.top + speed.height;

  SvgWriter svg("Flight profile: " + title, kStyle);
  svg.text({kLeft, 26}, "Flight profile: " + title, "class=\"heading\"");
  svg.text({kLeft, 46}, "altitude and vertical speed of every vessel over time; marks: keys, separations, "
                        "landings, changes of empty mass and drag area", "");
  drawPanel(svg, alt, time, timeX, km ? "altitude (km)" : "altitude (m)");
  drawPanel(svg, speed, time, timeX, "vertical speed (m/s)");
  svg.beginGroup("class=\"timeaxis\"");
  for (double t : time.ticks)
    svg.text({timeX(time, t), axisBottom + 15}, time.label(t), "class=\"tick\" text-anchor=\"middle\"");
  svg.text({kLeft + kPlotWidth / 2, axisBottom + 32}, "time (s)", "text-anchor=\"middle\"");
  svg.endGroup();

  // Curves, one colour per vessel, altitude above, vertical speed below.
  const std::vector<FlightSeries> &series = flight.series();
  for (std::size_t i = 0; i < series.size(); ++i) {
    const FlightSeries &s = series[i];
    std::string what = s.vessel;
    if (!s.samples.empty())
      what += ": from " + value(s.samples.front().t) + " s at " + value(s.samples.front().altitude) + " m to " +
              value(s.samples.back().t) + " s at " + value(s.samples.back().altitude) + " m";
    svg.beginItem("series", what);
    const std::string stroke = "class=\"curve\" stroke=\"" + std::string(colourOf(i)) + "\"";
    for (const Panel *panel : {&alt, &speed}) {
      const std::vector<P> pts = curve(s.samples, time, *panel, panel == &speed, altUnit);
      if (pts.size() == 1) svg.circle(pts[0], 2, "fill=\"" + std::string(colourOf(i)) + "\"");
      else if (pts.size() > 1) svg.polyline(pts, stroke);
    }
    svg.endItem();
  }

  // Events: a line through both panels in the vessel's colour, a label in
  // the first row below the time axis where it fits.
  const double rowsTop = axisBottom + 44;
  std::vector<double> rowEnd(kMaxRows, -1e9);
  int rowsUsed = 0;
  for (const FlightEvent &e : flight.events()) {
    const double x = timeX(time, e.t);
    const std::string label = cut(e.label, kMaxLabel);
    const double width = kCharWidth * static_cast<double>(label.size()) + 4;
    int row = 0;
    while (row < kMaxRows && rowEnd[row] > x - 2) ++row;
    if (row == kMaxRows) row = static_cast<int>(std::min_element(rowEnd.begin(), rowEnd.end()) - rowEnd.begin());
    rowEnd[row] = x + width;
    rowsUsed = std::max(rowsUsed, row + 1);
    const std::string colour = colourOf(e.series);
    const double labelY = rowsTop + kRowHeight * (row + 1);
    svg.beginItem("event", "t = " + value(e.t) + " s: " + e.what);
    svg.line({x, alt.top}, {x, axisBottom},
             "stroke=\"" + colour + "\" stroke-opacity=\"0.45\" stroke-dasharray=\"3 3\"");
    svg.line({x, axisBottom}, {x, labelY - 9}, "stroke=\"" + colour + "\" stroke-opacity=\"0.45\"");
    svg.polygon({{x, axisBottom}, {x - 4, axisBottom + 6}, {x + 4, axisBottom + 6}}, "fill=\"" + colour + "\"");
    svg.text({x + 2, labelY}, label, "class=\"eventlabel\" fill=\"" + colour + "\"");
    svg.endItem();
  }

  // The legend, beside the plots.
  const double legendX = kLeft + kPlotWidth + 24;
  svg.beginGroup("class=\"legend\"");
  svg.text({legendX, kTop + 10}, "vessels", "");
  for (std::size_t i = 0; i < series.size(); ++i) {
    const double y = kTop + 22 + kRowHeight * 1.3 * static_cast<double>(i);
    svg.line({legendX, y}, {legendX + 22, y}, "class=\"curve\" stroke=\"" + std::string(colourOf(i)) + "\"");
    svg.text({legendX + 28, y + 4}, cut(series[i].vessel, kMaxLegendName), "");
  }
  svg.endGroup();
  const double legendBottom = kTop + 22 + kRowHeight * 1.3 * static_cast<double>(series.size());
  const double height = std::max(rowsTop + kRowHeight * (rowsUsed + 1), legendBottom) + 16;
  return svg.finish(kWidth, height);
}

}  // namespace vesselhost
