#include "RunProgress.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "StopSignals.h"
#include "Timeline.h"

namespace vesselhost {
namespace {

constexpr double kPollSeconds = 0.01;
constexpr long long kLongestStride = 1 << 20;

std::string secondsText(double t, int decimals) {
  char buf[64];
  if (std::fabs(t) < 1e9)
    std::snprintf(buf, sizeof buf, "%.*f", decimals, t);
  else
    std::snprintf(buf, sizeof buf, "%.6g", t);
  return buf;
}

std::string rateText(double framesPerSecond) {
  char buf[64];
  if (framesPerSecond >= 1e6)
    std::snprintf(buf, sizeof buf, "%.1f M", framesPerSecond / 1e6);
  else if (framesPerSecond >= 1e4)
    std::snprintf(buf, sizeof buf, "%.0f k", framesPerSecond / 1e3);
  else
    std::snprintf(buf, sizeof buf, "%.0f", framesPerSecond);
  return buf;
}

}  // namespace

std::string durationText(double seconds) {
  char buf[64];
  const double s = std::max(0.0, std::ceil(seconds));
  if (s < 60)
    std::snprintf(buf, sizeof buf, "%.0f s", s);
  else if (s < 3600)
    std::snprintf(buf, sizeof buf, "%.0f min %02.0f s", std::floor(s / 60), std::fmod(s, 60));
  else if (s < 86400)
    std::snprintf(buf, sizeof buf, "%.0f h %02.0f min", std::floor(s / 3600), std::floor(std::fmod(s, 3600) / 60));
  else if (s < 365 * 86400.0)
    std::snprintf(buf, sizeof buf, "%.0f d %.0f h", std::floor(s / 86400), std::floor(std::fmod(s, 86400) / 3600));
  else
    std::snprintf(buf, sizeof buf, "%.3g years", s / (365.25 * 86400));
  return buf;
}

std::string runProgressText(double t, double until, double dt, double framesPerSecond) {
  const int decimals = timeDecimals(dt);
  std::string text = "vesselhost: " + secondsText(t, decimals) + " s of " + secondsText(until, decimals) + " s";
  if (until > 0) text += " (" + std::to_string(int(std::clamp(t / until, 0.0, 1.0) * 100)) + "%)";
  if (framesPerSecond > 0) {
    text += ", " + rateText(framesPerSecond) + " frames/s, ";
    text += durationText(std::max(0.0, until - t) / dt / framesPerSecond) + " left";
  }
  return text;
}

std::string runStoppedText(int signal, double t, double until, double dt) {
  const int decimals = timeDecimals(dt);
  return "stopped by " + signalName(signal) + " at " + secondsText(t, decimals) + " s of " +
         secondsText(until, decimals) + " s simulated; no output written";
}

RunProgress::RunProgress(StatusLine &line, double until, double dt)
    : line_(line), until_(until), dt_(dt),
      started_(StatusLine::Clock::now()), lastPoll_(started_) {}

void RunProgress::poll(double t) {
  frames_ += stride_;
  const StatusLine::Clock::time_point now = StatusLine::Clock::now();
  // As many frames to the next look at the clock as passed in about 10 ms,
  // growing at most twofold a time so that frames turning slower are soon
  // noticed.
  const double since = std::chrono::duration<double>(now - lastPoll_).count();
  const double scaled = since > 0 ? double(stride_) * kPollSeconds / since : double(kLongestStride);
  stride_ = std::clamp(static_cast<long long>(scaled), 1LL, std::min(2 * stride_, kLongestStride));
  countdown_ = stride_;
  lastPoll_ = now;
  if (!line_.due(now)) return;
  const double elapsed = std::chrono::duration<double>(now - started_).count();
  line_.draw(runProgressText(t, until_, dt_, elapsed > 0 ? double(frames_) / elapsed : 0).c_str(), now);
}

}  // namespace vesselhost
