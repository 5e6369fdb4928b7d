// What a run's profile plot needs: every vessel's altitude and vertical
// speed over time and the events worth marking on the time axis (keys,
// separations, landings, changes of empty mass or of drag area). Vessels
// are sampled at a fixed interval chosen so that no series grows past a
// bound; each series' storage is reserved when its vessel appears, so a
// frame with nothing new allocates nothing. A vessel whose empty mass or
// drag area keeps changing gets a bounded number of marks, not one a frame.
#ifndef VESSELHOST_FLIGHTRECORDER_H
#define VESSELHOST_FLIGHTRECORDER_H

#include <cstddef>
#include <string>
#include <vector>

#include "vhost/Simulation.h"

namespace vesselhost {

struct FlightSample {
  double t, altitude, verticalSpeed;  // s, m, m/s (up positive)
};

struct FlightSeries {
  std::string vessel;
  std::vector<FlightSample> samples;
  bool live = true;  // false once the vessel is gone
  double emptyMass = 0, dragArea = 0;  // last seen, to notice changes
  const vhost::Vessel *source = nullptr;  // while live; looked up once
  int changeMarks = 0;  // marks of empty mass and drag area so far
};

struct FlightEvent {
  double t;
  std::size_t series;  // whose it is
  std::string label;   // short: "Alt+J", "LSP", "landed", "7720 kg", "2000 m2"
  std::string what;    // the whole line, for its title
};

class FlightRecorder {
public:
  // Samples about `samples` times over a run of `duration` seconds at step
  // dt; the vessels already in the simulation are recorded from now on.
  FlightRecorder(const vhost::Simulation &sim, double duration, std::size_t samples = 1500);

  // After every frame.
  void frame(const vhost::Simulation &sim);
  // Every event of the simulation, as it happens.
  void event(const vhost::Simulation &sim, const vhost::Event &e);
  // Once the run is over: the last state of every vessel.
  void finish(const vhost::Simulation &sim);

  const std::vector<FlightSeries> &series() const { return series_; }
  const std::vector<FlightEvent> &events() const { return events_; }
  double duration() const { return duration_; }

private:
  void start(const vhost::Vessel &v, double t);
  void sample(FlightSeries &s, const vhost::Vessel &v, double t);
  // Marks changes of empty mass and drag area since the last frame.
  void watch(FlightSeries &s, std::size_t index, const vhost::Vessel &v, double t);
  // A change mark, while the series has marks left.
  void mark(FlightSeries &s, std::size_t index, double t, std::string label, std::string what);
  std::size_t seriesOf(const std::string &vessel) const;  // the live one, or series().size()
  std::string shortName(const std::string &vessel) const;

  double duration_;
  long long stride_;     // frames between samples
  std::size_t capacity_; // samples reserved per series
  long long frames_ = 0;
  std::vector<FlightSeries> series_;
  std::vector<FlightEvent> events_;
};

}  // namespace vesselhost

#endif  // VESSELHOST_FLIGHTRECORDER_H
