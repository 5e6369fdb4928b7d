#include "Run.h"

#include <algorithm>
#include <cmath>
#include <exception>
#include <filesystem>
#include <memory>

#include "AtomicFile.h"
#include "FlightRecorder.h"
#include "ProfilePlot.h"
#include "RunProgress.h"
#include "Script.h"
#include "ScriptPlayer.h"
#include "StateJson.h"
#include "StopSignals.h"
#include "Timeline.h"
#include "vhost/Simulation.h"

namespace vesselhost {
namespace {

// Wide enough for most names, so the events line up from the first.
constexpr int kVesselColumn = 16;

// An output file of the run: tried before the run so that a path that
// cannot be written fails at once. The trace, written as the run goes, stays
// open; the others are written at the end, so that nothing of theirs is on
// disk while the run lasts. Committed only when everything worked.
struct Output {
  std::string path;
  AtomicFile file;
  bool open(std::string *error) { return path.empty() || file.open(path, error); }
  bool tryOpen(std::string *error) { return path.empty() || AtomicFile::probe(path, error); }
  bool write(const std::string &text, std::string *error) {
    if (path.empty()) return true;
    if (!file.open(path, error)) return false;
    file.stream() << text;
    return file.commit(error);
  }
};

}  // namespace

std::string describeScenarioError(const vhost::ScenarioError &e) {
  const std::string what = e.what();
  const std::string where = e.file() + ":" + (e.line() > 0 ? std::to_string(e.line()) + ":" : "");
  if (what.compare(0, where.size(), where) == 0) return what;
  return where + " " + what;
}

int runCommand(const RunOptions &opt, std::ostream &out, std::ostream &err) {
  StatusLine status(err, out, opt.progress);
  auto fail = [&](const std::string &message, int code) {
    status.clear();
    err << "vesselhost: " << message << "\n";
    return code;
  };

  if (!(opt.dt > 0) || !std::isfinite(opt.dt)) return fail("--dt must be a number of seconds above 0", kExitUsage);
  if (opt.until && (!std::isfinite(*opt.until) || *opt.until < 0))
    return fail("--until must be a time in seconds, 0 or more", kExitUsage);
  if (opt.scenario.empty()) return fail("run needs a scenario file", kExitUsage);

  // Two outputs on one file would leave only the last of them, and an
  // output over the scenario or the script would lose it; only a save may
  // replace the scenario that was run.
  const struct {
    std::string flag;
    const std::string &path;
  } files[] = {{"--save", opt.save},   {"--state", opt.state},       {"--trace", opt.trace},
               {"--plot", opt.plot},   {"the scenario", opt.scenario}, {"--script", opt.script}};
  for (int i = 0; i < 4; ++i)
    for (int j = i + 1; j < 6; ++j)
      if (!(i == 0 && j == 4) && sameFile(files[i].path, files[j].path))
        return fail(files[i].flag + " and " + files[j].flag + " name the same file, " + files[j].path, kExitUsage);

  std::string error, scenarioText;
  if (!readFile(opt.scenario, scenarioText, &error)) return fail(error, kExitFailure);

  Script script;
  script.fileName = opt.script;
  if (!opt.script.empty()) {
    std::string scriptText;
    if (!readFile(opt.script, scriptText, &error)) return fail(error, kExitFailure);
    ScriptParse parsed = parseScript(scriptText, opt.script);
    if (parsed.error) return fail(parsed.error->describe(), kExitFailure);
    script = std::move(parsed.script);
  }

  Output save{opt.save, {}}, state{opt.state, {}}, trace{opt.trace, {}}, plot{opt.plot, {}};
  for (Output *o : {&save, &state, &plot})
    if (!o->tryOpen(&error)) return fail(error, kExitFailure);
  if (!trace.open(&error)) return fail(error, kExitFailure);
  RemovedOnSecondSignal traceTemp(trace.file.tempPath());

  Timeline timeline(out, opt.dt, !opt.quiet);
  timeline.setVesselWidth(kVesselColumn);
  timeline.setStatusLine(&status);
  vhost::SimulationOptions simOptions;
  simOptions.configDir = opt.configDir;
  simOptions.moduleDir = opt.moduleDir;
  simOptions.meshDir = opt.meshDir;
  simOptions.dt = opt.dt;
  simOptions.physics = opt.physics;
  simOptions.trace = !opt.trace.empty();

  std::string saveText, stateText, plotText;
  double until = 0, endTime = 0;
  auto stopped = [&](int signal) {
    return fail(runStoppedText(signal, endTime, until, opt.dt), stopExitCode(signal));
  };
  try {
    auto sim = std::make_unique<vhost::Simulation>(simOptions);
    std::optional<FlightRecorder> flight;
    sim->onEvent([&](const vhost::Event &e) {
      if (!timeline.isDuplicateKeyLine(e.what)) timeline.line(e.t, e.vessel, e.what);
      if (flight) flight->event(*sim, e);
    });
    if (trace.file.isOpen()) {
      std::ostream &traceOut = trace.file.stream();
      sim->onTrace([&traceOut](const vhost::TraceEntry &entry) { traceOut << dumpLine(traceJson(entry)) << '\n'; });
    }

    try {
      sim->loadScenario(scenarioText, opt.scenario);
    } catch (const vhost::ScenarioError &e) {
      return fail(describeScenarioError(e), kExitFailure);
    }
    // Values the simulator would pass over without a word: said here.
    for (const vhost::Warning &w : sim->warnings())
      if (w.call == "scenario line" || w.call == "vessel name" || w.call == "module")
        err << "vesselhost: warning: " << w.message << "\n";

    std::vector<std::string> names;
    for (const vhost::Vessel *v : sim->vessels()) names.push_back(v->record().name);
    if (std::optional<ScriptError> bad = checkVessels(script, names)) return fail(bad->describe(), kExitFailure);

    until = opt.until ? *opt.until : script.empty() ? 0.0 : script.lastTime() + opt.dt;
    const double eps = opt.dt * 1e-6;  // frame starts are multiples of dt, give or take rounding
    ScriptPlayer player(script, *sim, timeline);
    if (!opt.plot.empty()) flight.emplace(*sim, until);
    RunProgress progress(status, until, opt.dt);
    while (sim->time() < until - eps && !stopSignal()) {
      if (std::optional<ScriptError> bad = player.runDue(sim->time())) return fail(bad->describe(), kExitFailure);
      sim->step();
      if (flight) flight->frame(*sim);
      progress.frameDone(*sim);
      if (!sim->halted().empty()) {
        status.clear();
        return fail(opt.scenario + ": at " + std::to_string(sim->time()) + " s: " + sim->halted() +
                        "; nothing is written",
                    kExitFailure);
      }
    }
    status.clear();
    endTime = sim->time();
    if (const int signal = stopSignal()) return stopped(signal);
    // What is due by the end (a state or save at the final time) still runs.
    if (std::optional<ScriptError> bad = player.runDue(sim->time())) return fail(bad->describe(), kExitFailure);
    for (const ScriptCommand *cmd : player.pending())
      err << "vesselhost: " << script.fileName << ":" << cmd->line << ": not run: due at " << cmd->time
          << " s, after the end of the run at " << sim->time() << " s\n";

    if (!save.path.empty()) saveText = sim->saveScenario();
    if (!state.path.empty()) stateText = dumpState(stateJson(*sim, player.keys()));
    if (flight) {
      flight->finish(*sim);
      plotText = profileSvg(*flight, std::filesystem::path(opt.scenario).filename().string());
    }
    sim.reset();  // the vessels go (ovcExit) before the trace is closed
  } catch (const vhost::ScenarioError &e) {
    return fail(describeScenarioError(e), kExitFailure);
  } catch (const vhost::SaveError &e) {
    return fail(opt.save + ": cannot save the scenario: " + e.what(), kExitFailure);
  } catch (const std::exception &e) {
    return fail(opt.scenario + ": " + e.what(), kExitFailure);
  }

  // A signal while the outputs were made still means nothing is written.
  if (const int signal = stopSignal()) return stopped(signal);
  if (!trace.path.empty() && !trace.file.commit(&error)) return fail(error, kExitFailure);
  if (!save.write(saveText, &error) || !state.write(stateText, &error) || !plot.write(plotText, &error))
    return fail(error, kExitFailure);
  return kExitOk;
}

}  // namespace vesselhost
