#include "ValidateChecks.h"

#include <cmath>
#include <cstdio>
#include <exception>
#include <memory>
#include <sstream>

#include "ValidateExercise.h"
#include "ValidateSupport.h"
#include "vhost/AllocationCounter.h"
#include "vhost/SharedLibrary.h"

namespace vesselhost {
namespace {

const char *const kVessel = "V1";
// Vessels made at once by the lifecycle check.
constexpr int kManyVessels = 64;
// Frames that bring a vessel into its steady state, and frames counted there.
constexpr int kWarmFrames = 50;
constexpr int kCountedFrames = 20;

// The first line where two scenario texts differ.
std::string firstDifference(const std::string &a, const std::string &b) {
  std::istringstream sa(a), sb(b);
  std::string la, lb;
  for (int n = 1;; ++n) {
    const bool ga = bool(std::getline(sa, la)), gb = bool(std::getline(sb, lb));
    if (!ga && !gb) return "";
    if (!ga) la = "(end)";
    if (!gb) lb = "(end)";
    if (la != lb) return "line " + std::to_string(n) + ": \"" + la + "\" saved first, \"" + lb + "\" after reloading";
  }
}

// Saves, reloads what was saved in a new simulation and saves again; "" when
// the two saves agree. The first simulation is gone afterwards.
std::string roundTrip(const ValidateWorkspace &ws, std::unique_ptr<vhost::Simulation> &sim) {
  const std::string first = sim->saveScenario();
  sim.reset();
  std::unique_ptr<vhost::Simulation> again = load(ws, first);
  const std::string second = again->saveScenario();
  return firstDifference(first, second);
}

std::size_t countedFrames(vhost::Simulation &sim) {
  vhost::AllocationCounter::start();
  for (int i = 0; i < kCountedFrames; ++i) sim.step();
  vhost::AllocationCounter::stop();
  return vhost::AllocationCounter::count();
}

// Watches every animation of every vessel for a state outside 0..1.
struct RangeWatch {
  bool bad = false;
  std::string first;
  void operator()(vhost::Simulation &sim) {
    if (bad) return;
    for (const vhost::Vessel *v : sim.vessels()) {
      const auto &anims = v->record().animations;
      for (std::size_t i = 0; i < anims.size(); ++i) {
        const double s = anims[i].state;
        if (anims[i].liveComponents() == 0 || (s >= 0.0 && s <= 1.0)) continue;
        bad = true;
        first = format("animation %g of ", double(i)) + v->record().name + format(" at %g at t=%g s", s, sim.time());
        return;
      }
    }
  }
};

const SimulationObserver kNoObserver = [](vhost::Simulation &) {};

// Where a module's allocations cannot be counted, the host's own still are:
// any fails the check; none leaves it skipped, with what was seen.
CheckResult uncountedModule(const char *name, const std::string &hostSide) {
  CheckResult r = result(name, false,
                         hostSide + "; the module's own are not all counted here: it takes heap blocks "
                                    "through a function the host cannot bind to a counting one (another C "
                                    "runtime's, one imported by number or loaded late)");
  r.skipped = true;
  return r;
}

}  // namespace

CheckResult checkEntryPoints(const ValidateWorkspace &ws) {
  const char *name = "entry-points";
  vhost::SharedLibrary lib;
  std::string why;
  if (!lib.open(ws.path(), why)) return result(name, false, "does not load: " + why);
  const bool init = lib.symbol("ovcInit") != nullptr;
  const bool exit = lib.symbol("ovcExit") != nullptr;
  lib.close();
  if (init && exit) return result(name, true, "loads; ovcInit and ovcExit exported under plain names");
  std::string missing = !init && !exit ? "ovcInit and ovcExit" : !init ? "ovcInit" : "ovcExit";
  return result(name, false, "loads, but exports no " + missing + " under a plain name");
}

CheckResult checkLifecycle(const ValidateWorkspace &ws) {
  const char *name = "lifecycle";
  const std::string one = scenarioOf(ws, 1), many = scenarioOf(ws, kManyVessels);
  auto fly = [&](const std::string &scenario) {
    std::unique_ptr<vhost::Simulation> sim = load(ws, scenario);
    for (int i = 0; i < 5; ++i) sim->step();
    sim->saveScenario();
  };
  // The first run leaves whatever the host and the module keep for the
  // process (name tables, module-wide objects); only growth after it counts.
  fly(one);
  const std::size_t before = vhost::AllocationCounter::live();
  fly(many);
  const std::size_t after = vhost::AllocationCounter::live();
  if (after <= before && !vhost::AllocationCounter::countsModule(ws.module()))
    return uncountedModule(name, std::to_string(kManyVessels) +
                                     " vessels made and destroyed; every allocation of the host's given back");
  if (after <= before)
    return result(name, true, std::to_string(kManyVessels) + " vessels made and destroyed; every allocation given back");
  return result(name, false, std::to_string(after - before) + " allocations not given back after " +
                                 std::to_string(kManyVessels) + " vessels were made and destroyed (ovcExit)");
}

CheckResult checkHostContract(const ValidateWorkspace &ws) {
  const char *name = "host-contract";
  std::unique_ptr<vhost::Simulation> sim = load(ws, scenarioOf(ws, 1));
  exerciseVessel(*sim, kVessel, kNoObserver);
  const std::vector<vhost::Warning> &w = sim->warnings();
  if (w.empty()) return result(name, true, "callbacks in the host's order, keys, views and altitudes: no host warning");
  return result(name, false, std::to_string(w.size()) + " host warning(s), the first: " + describeWarning(w.front()));
}

CheckResult checkSaveRoundTrip(const ValidateWorkspace &ws) {
  const char *name = "save-round-trip";
  std::unique_ptr<vhost::Simulation> sim = load(ws, scenarioOf(ws, 1));
  sim->step();
  std::string diff = roundTrip(ws, sim);
  if (!diff.empty()) return result(name, false, "fresh vessel: " + diff);
  sim = load(ws, scenarioOf(ws, 1));
  exerciseVessel(*sim, kVessel, kNoObserver);
  diff = roundTrip(ws, sim);
  if (!diff.empty()) return result(name, false, "after the exercise: " + diff);
  return result(name, true, "save, load and save again give the same lines, fresh and after the exercise");
}

CheckResult checkFrameAllocations(const ValidateWorkspace &ws) {
  const char *name = "frame-allocations";
  std::unique_ptr<vhost::Simulation> sim = load(ws, scenarioOf(ws, 1));
  sim->setVisual(kVessel, true);
  for (int i = 0; i < kWarmFrames; ++i) sim->step();
  const std::size_t fresh = countedFrames(*sim);

  // Every frame of the exercise counts too (keys held, parts moving), but
  // for those in which a vessel is made or goes, or the host warns: the
  // host's own records grow then.
  std::size_t during = 0, counted = 0;
  double firstAt = -1;
  const FrameRunner countFrame = [&](vhost::Simulation &s) {
    const std::size_t vessels = s.vessels().size(), warnings = s.warnings().size();
    const double t = s.time();
    vhost::AllocationCounter::start();
    s.step();
    vhost::AllocationCounter::stop();
    const std::size_t n = vhost::AllocationCounter::count();
    if (s.vessels().size() != vessels || s.warnings().size() != warnings) return;
    ++counted;
    if (n > 0 && firstAt < 0) firstAt = t;
    during += n;
  };
  exerciseVessel(*sim, kVessel, kNoObserver, countFrame);
  for (int i = 0; i < kWarmFrames; ++i) sim->step();
  const std::size_t after = countedFrames(*sim);
  if (fresh == 0 && during == 0 && after == 0 && !vhost::AllocationCounter::countsModule(ws.module()))
    return uncountedModule(name, "no allocation of the host's in " + std::to_string(kCountedFrames) +
                                     " steady frames, in " + std::to_string(counted) +
                                     " frames of the exercise, nor after it");
  if (fresh == 0 && during == 0 && after == 0)
    return result(name, true, "no allocation in " + std::to_string(kCountedFrames) + " steady frames, in " +
                                  std::to_string(counted) + " frames of the exercise, nor after it");
  std::string detail = std::to_string(fresh) + " allocations in " + std::to_string(kCountedFrames) +
                       " steady frames, " + std::to_string(during) + " in " + std::to_string(counted) +
                       " frames of the exercise";
  if (firstAt >= 0) detail += format(" (the first at t=%g s)", firstAt);
  return result(name, false, detail + ", " + std::to_string(after) + " after it");
}

CheckResult checkAnimationRange(const ValidateWorkspace &ws) {
  const char *name = "animation-range";
  for (double dt : {0.001, 1.0}) {
    RangeWatch watch;
    std::unique_ptr<vhost::Simulation> sim = load(ws, scenarioOf(ws, 1), dt);
    watch(*sim);
    exerciseVessel(*sim, kVessel, std::ref(watch));
    if (watch.bad) return result(name, false, format("with %g s steps: ", dt) + watch.first);
  }
  return result(name, true, "every animation within 0..1 through the exercise with 0.001 s and 1 s steps");
}

}  // namespace vesselhost
