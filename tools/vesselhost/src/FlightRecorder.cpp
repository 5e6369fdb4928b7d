#include "FlightRecorder.h"

#include <algorithm>
#include <cmath>

#include "Svg.h"

namespace vesselhost {
namespace {

// Enough for every stage of a vessel; past it a change a frame would only
// bury the axis (and the file) in marks.
constexpr int kMostChangeMarks = 24;

double dragArea(const vhost::VesselRecord &r) {
  return std::max({r.crossSections.x, r.crossSections.y, r.crossSections.z});
}

double verticalSpeed(const vhost::MotionRecord &m) {
  const double r = length(m.rpos);
  if (!(r > 0)) return m.rvel.y;
  return dotp(m.rvel, m.rpos) / r;
}

}  // namespace

FlightRecorder::FlightRecorder(const vhost::Simulation &sim, double duration, std::size_t samples)
    : duration_(std::max(0.0, duration)) {
  // No run is that long; the bound keeps the arithmetic below in range.
  const double frames = std::min(std::ceil(duration_ / sim.dt() - 1e-9), 1e15);
  const double most = static_cast<double>(std::max<std::size_t>(samples, 1));
  stride_ = std::max(1LL, static_cast<long long>(std::ceil(frames / most)));
  capacity_ = static_cast<std::size_t>(frames / static_cast<double>(stride_)) + 4;
  for (const vhost::Vessel *v : sim.vessels()) start(*v, sim.time());
}

void FlightRecorder::start(const vhost::Vessel &v, double t) {
  const vhost::VesselRecord &r = v.record();
  series_.push_back(FlightSeries{r.name, {}, true, r.emptyMass, dragArea(r), &v, 0});
  series_.back().samples.reserve(capacity_);
  sample(series_.back(), v, t);
}

void FlightRecorder::sample(FlightSeries &s, const vhost::Vessel &v, double t) {
  if (!s.samples.empty() && s.samples.back().t >= t) return;
  const vhost::MotionRecord &m = v.record().motion;
  s.samples.push_back(FlightSample{t, m.altitude, verticalSpeed(m)});
}

void FlightRecorder::mark(FlightSeries &s, std::size_t index, double t, std::string label, std::string what) {
  if (++s.changeMarks > kMostChangeMarks) {
    label = "\xE2\x80\xA6";  // an ellipsis
    what = s.vessel + ": empty mass or drag area changing on; no more marks of them";
  }
  events_.push_back(FlightEvent{t, index, std::move(label), std::move(what)});
}

void FlightRecorder::watch(FlightSeries &s, std::size_t index, const vhost::Vessel &v, double t) {
  const vhost::VesselRecord &r = v.record();
  // Once the marks are used up no label is made: a change a frame would
  // otherwise allocate every frame.
  if (r.emptyMass != s.emptyMass) {
    s.emptyMass = r.emptyMass;
    if (s.changeMarks <= kMostChangeMarks)
      mark(s, index, t, value(r.emptyMass) + " kg", "empty mass " + value(r.emptyMass) + " kg");
  }
  const double area = dragArea(r);
  if (area != s.dragArea) {
    s.dragArea = area;
    if (s.changeMarks <= kMostChangeMarks)
      mark(s, index, t, value(area) + " m\xC2\xB2", "largest cross section (drag area) " + value(area) + " m\xC2\xB2");
  }
}

void FlightRecorder::frame(const vhost::Simulation &sim) {
  const bool due = ++frames_ % stride_ == 0;
  for (std::size_t i = 0; i < series_.size(); ++i) {
    FlightSeries &s = series_[i];
    if (!s.live || !s.source) continue;
    watch(s, i, *s.source, sim.time());
    if (due) sample(s, *s.source, sim.time());
  }
}

std::size_t FlightRecorder::seriesOf(const std::string &vessel) const {
  for (std::size_t i = series_.size(); i-- > 0;)
    if (series_[i].live && series_[i].vessel == vessel) return i;
  return series_.size();
}

std::string FlightRecorder::shortName(const std::string &vessel) const {
  // A piece is named after its maker: "Tarva-LSP" is "LSP" beside Tarva.
  std::size_t cut = 0;
  for (const FlightSeries &s : series_)
    if (s.vessel.size() < vessel.size() && s.vessel.size() > cut && vessel.compare(0, s.vessel.size(), s.vessel) == 0)
      cut = s.vessel.size();
  while (cut < vessel.size() && (vessel[cut] == '-' || vessel[cut] == '_' || vessel[cut] == ' ')) ++cut;
  return cut < vessel.size() ? vessel.substr(cut) : vessel;
}

void FlightRecorder::event(const vhost::Simulation &sim, const vhost::Event &e) {
  const std::string &what = e.what;
  if (what.rfind("created class ", 0) == 0) {
    if (seriesOf(e.vessel) < series_.size()) return;
    const std::string label = shortName(e.vessel);
    if (const vhost::Vessel *v = sim.findVessel(e.vessel)) {
      start(*v, e.t);
    } else {
      series_.push_back(FlightSeries{e.vessel, {}, true, 0, 0, nullptr, 0});
      series_.back().samples.reserve(capacity_);
    }
    events_.push_back(FlightEvent{e.t, series_.size() - 1, label, e.vessel + " " + what});
    return;
  }
  const std::size_t index = seriesOf(e.vessel);
  if (index == series_.size()) return;
  const std::string key = "key ", consumed = " consumed";
  if (what.size() > key.size() + consumed.size() && what.rfind(key, 0) == 0 &&
      what.compare(what.size() - consumed.size(), consumed.size(), consumed) == 0) {
    const std::string combo = what.substr(key.size(), what.size() - key.size() - consumed.size());
    events_.push_back(FlightEvent{e.t, index, combo, e.vessel + " " + what});
  } else if (what == "landed" || what == "deleted") {
    FlightSeries &s = series_[index];
    if (s.source) sample(s, *s.source, e.t);
    events_.push_back(FlightEvent{e.t, index, what, e.vessel + " " + what});
    if (what == "deleted") {
      s.live = false;
      s.source = nullptr;  // the vessel goes right after its event
    }
  }
}

void FlightRecorder::finish(const vhost::Simulation &sim) {
  for (FlightSeries &s : series_)
    if (s.live && s.source) sample(s, *s.source, sim.time());
}

}  // namespace vesselhost
