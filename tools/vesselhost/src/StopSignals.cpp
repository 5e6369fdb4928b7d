#include "StopSignals.h"

#include <cerrno>
#include <cstring>

#include "Platform.h"

namespace vesselhost {

volatile std::sig_atomic_t detail::stopSignalNumber = 0;

namespace {

// The handler may only read what it finds here: fixed buffers, each used
// only while its flag is set (set after the path is copied in, cleared
// before the buffer is given back).
struct TempSlot {
  char path[4096];
  volatile std::sig_atomic_t armed;
};
TempSlot tempSlots[4];

extern "C" void onStopSignal(int sig) {
  if (detail::stopSignalNumber == 0) {
    detail::stopSignalNumber = sig;
    return;
  }
  // Asked twice: end now.
  const int savedErrno = errno;
  for (TempSlot &s : tempSlots)
    if (s.armed) removeFileInHandler(s.path);
  endBySignal(sig);
  errno = savedErrno;
}

}  // namespace

void installStopHandlers() { catchStopSignals(onStopSignal); }

int stopExitCode(int signal) { return 128 + signal; }

std::string signalName(int signal) {
  switch (signal) {
    case SIGINT:
      return "SIGINT";
    case SIGTERM:
      return "SIGTERM";
    default:
      return "signal " + std::to_string(signal);
  }
}

RemovedOnSecondSignal::RemovedOnSecondSignal(const std::string &path) {
  if (path.empty() || path.size() >= sizeof tempSlots[0].path) return;
  for (int i = 0; i < int(sizeof tempSlots / sizeof tempSlots[0]); ++i) {
    TempSlot &s = tempSlots[i];
    if (s.armed) continue;
    std::memcpy(s.path, path.c_str(), path.size() + 1);
    s.armed = 1;
    slot_ = i;
    return;
  }
}

RemovedOnSecondSignal::~RemovedOnSecondSignal() {
  if (slot_ >= 0) tempSlots[slot_].armed = 0;
}

}  // namespace vesselhost
