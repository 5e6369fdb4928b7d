// The per-frame cost of each plug-in in its steady state: one frame
// (pre-step, direct keys, post-step, and the host's own work between) with
// 1, 100 and 10 000 vessels of a class in one host, as nanoseconds per
// vessel-frame, beside the floor: a vessel making the same host calls with
// no logic of its own. The ratio plug-in / floor is what the plug-in adds.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "vhost/Simulation.h"

namespace {

struct Subject {
  const char *label;
  const char *className;
  bool floor;
};

const Subject kSubjects[] = {
    {"Selvar_2016", "Selvar_2016", false},       {"floor/Selvar_2016", "BenchFloor_lander", true},
    {"SelvarCargo2016", "SelvarCargo2016", false}, {"floor/SelvarCargo2016", "BenchFloor_cargo", true},
    {"tarva_2016", "tarva_2016", false},         {"floor/tarva_2016", "BenchFloor_capsule", true},
    {"beamwick2", "beamwick2", false},           {"floor/beamwick2", "BenchFloor_spotlight", true},
};

std::string scenario(const char *className, int vessels) {
  std::string s = "BEGIN_SHIPS\n";
  s.reserve(std::size_t(vessels) * 64);
  for (int i = 0; i < vessels; ++i)
    s += "V" + std::to_string(i) + ":" + className + "\n  STATUS Landed Earth\nEND\n";
  return s + "END_SHIPS\n";
}

void frame(benchmark::State &state, const Subject &subject) {
  const int vessels = int(state.range(0));
  vhost::SimulationOptions o;
  o.configDir = subject.floor ? BENCH_CONFIG_DIR : VH_CONFIG_DIR;
  o.moduleDir = subject.floor ? BENCH_MODULE_DIR : VH_MODULE_DIR;
  o.dt = 0.02;
  o.physics = true;
  o.trace = false;
  vhost::Simulation sim(o);
  sim.loadScenario(scenario(subject.className, vessels), "bench.scn");
  for (int i = 0; i < 20; ++i) sim.step();  // into the steady state
  for (auto _ : state) sim.step();
  // Seconds per vessel-frame (shown with an SI prefix, e.g. 540n).
  state.counters["per_vessel_frame"] = benchmark::Counter(
      double(vessels), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  if (!sim.warnings().empty()) state.SkipWithError("the host recorded warnings");
}

}  // namespace

int main(int argc, char **argv) {
  for (const Subject &s : kSubjects)
    benchmark::RegisterBenchmark((std::string("frame/") + s.label).c_str(),
                                 [&s](benchmark::State &state) { frame(state, s); })
        ->Arg(1)
        ->Arg(100)
        ->Arg(1000)
        ->Arg(10000)
        ->Unit(benchmark::kMicrosecond);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
