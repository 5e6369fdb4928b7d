// The progress of "vesselhost run" on its status line: simulated time of
// the total, frames a second and the time left.
//
//   vesselhost: 1234.56 s of 10000.00 s (12%), 2.3 M frames/s, 4 min 12 s left
//
// Told of every frame, it reads the clock only every so many frames, as
// many as pass in about 10 ms, so that a frame pays one decrement for it.
#ifndef VESSELHOST_RUNPROGRESS_H
#define VESSELHOST_RUNPROGRESS_H

#include <string>

#include "StatusLine.h"
#include "vhost/Simulation.h"

namespace vesselhost {

// The status line's text; framesPerSecond 0 while not known yet.
std::string runProgressText(double t, double until, double dt, double framesPerSecond);

// The line a run stopped by a signal ends with:
//   stopped by SIGINT at 12.34 s of 100.00 s simulated; no output written
std::string runStoppedText(int signal, double t, double until, double dt);

// "12 s", "4 min 12 s", "2 h 05 min", "3 d 4 h", "12 years".
std::string durationText(double seconds);

class RunProgress {
public:
  RunProgress(StatusLine &line, double until, double dt);

  // After each frame.
  void frameDone(const vhost::Simulation &sim) {
    if (--countdown_ > 0 || !line_.enabled()) return;
    poll(sim.time());
  }

private:
  void poll(double t);

  StatusLine &line_;
  double until_, dt_;
  long long stride_ = 16, countdown_ = 16, frames_ = 0;
  StatusLine::Clock::time_point started_, lastPoll_;
};

}  // namespace vesselhost

#endif  // VESSELHOST_RUNPROGRESS_H
