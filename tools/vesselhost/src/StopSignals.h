// Ctrl-C (SIGINT) and SIGTERM while a command runs. The first asks the
// command to stop where it can stop cleanly (a run at the end of its frame,
// writing nothing); the command polls stopSignal() for it. A second ends
// the process at once with the signal's own disposition, after removing the
// temporary files registered below, so that even then none is left behind.
#ifndef VESSELHOST_STOPSIGNALS_H
#define VESSELHOST_STOPSIGNALS_H

#include <csignal>
#include <string>

namespace vesselhost {

namespace detail {
extern volatile std::sig_atomic_t stopSignalNumber;
}  // namespace detail

// Installs the handlers for SIGINT and SIGTERM (leaving alone one that the
// process was started with ignored). Without them stopSignal() stays 0 and
// the signals keep their disposition.
void installStopHandlers();

// 0 until a stop signal arrives, then its number. A read of one flag: cheap
// enough to ask every frame.
inline int stopSignal() { return detail::stopSignalNumber; }

// The exit status of a command stopped by the signal: 128 + its number
// (130 for SIGINT, 143 for SIGTERM), as a shell reports it.
int stopExitCode(int signal);
// "SIGINT", "SIGTERM" (or "signal N").
std::string signalName(int signal);

// A temporary file that a second signal removes before the process ends.
// Registers the path on construction (a path too long, or more files than
// the few slots, are simply not registered) and forgets it on destruction.
class RemovedOnSecondSignal {
public:
  explicit RemovedOnSecondSignal(const std::string &path);
  ~RemovedOnSecondSignal();
  RemovedOnSecondSignal(const RemovedOnSecondSignal &) = delete;
  RemovedOnSecondSignal &operator=(const RemovedOnSecondSignal &) = delete;

private:
  int slot_ = -1;
};

}  // namespace vesselhost

#endif  // VESSELHOST_STOPSIGNALS_H
