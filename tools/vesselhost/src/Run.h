// "vesselhost run": load a scenario, play a script into it at a fixed step,
// and write the timeline, the saved scenario, the JSON state and the trace.
#ifndef VESSELHOST_RUN_H
#define VESSELHOST_RUN_H

#include <optional>
#include <ostream>
#include <string>

namespace vhost {
class ScenarioError;
}

namespace vesselhost {

// Exit codes of every vesselhost command.
enum ExitCode { kExitOk = 0, kExitFailure = 1, kExitUsage = 2 };

struct RunOptions {
  std::string scenario;
  std::string script;          // "" for none
  double dt = 0.02;            // s, above 0
  std::optional<double> until; // default: last script time plus one step, else 0
  bool physics = true;
  std::string save, state, trace;  // output files, "" for none
  std::string plot;                // the flight's profile (SVG), "" for none
  std::string configDir, moduleDir;
  std::string meshDir;  // a simulator's Meshes folder to look meshes up in, "" none
  bool quiet = false;
  bool progress = false;  // a status line on err, which is a terminal
};

// "file:line: message", without repeating a location the host's text
// already starts with.
std::string describeScenarioError(const vhost::ScenarioError &e);

// Runs it; the timeline goes to out, errors (naming file and line) to err.
// Returns the exit code. Output files are written only by a run that
// succeeds, each whole or not at all. A stop signal (installStopHandlers)
// ends the run after its frame, writing nothing: exit 128 + the signal.
int runCommand(const RunOptions &options, std::ostream &out, std::ostream &err);

}  // namespace vesselhost

#endif  // VESSELHOST_RUN_H
