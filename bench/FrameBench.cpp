// The per-frame cost of each plug-in in its steady state: one frame
// (pre-step, direct keys, post-step, and the host's own work between) with
// 1, 100, 1000 and 10 000 vessels of a class in one host, as nanoseconds per
// vessel-frame, beside the floor: a vessel making the same host calls with
// no logic of its own. The ratio plug-in / floor is what the plug-in adds.
//
// A noisy moment of a shared machine would move a ratio whose two sides were
// timed one after the other; so every benchmark runs as several repetitions
// (5 unless --benchmark_repetitions says otherwise) taken in a shuffled,
// interleaved order, and the table at the end gives the medians and their
// ratio.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

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

// Google Benchmark's console output, then a table of the medians: each
// plug-in beside its floor, per vessel count.
class RatioReporter : public benchmark::ConsoleReporter {
public:
  void ReportRuns(const std::vector<Run> &runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run &r : runs) {
      if (r.aggregate_name != "median") continue;
      auto it = r.counters.find("per_vessel_frame");
      if (it != r.counters.end()) medians_[r.run_name.function_name + "/" + r.run_name.args] = it->second.value;
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    std::printf("\nns per vessel-frame, medians of the interleaved repetitions\n");
    std::printf("%-16s %6s %10s %10s %7s\n", "plug-in", "N", "plug-in", "floor", "ratio");
    for (const Subject &s : kSubjects) {
      if (s.floor) continue;
      for (const char *n : {"1", "100", "1000", "10000"}) {
        const auto plugin = medians_.find(std::string("frame/") + s.label + "/" + n);
        const auto floor = medians_.find(std::string("frame/floor/") + s.label + "/" + n);
        if (plugin == medians_.end() || floor == medians_.end()) continue;
        std::printf("%-16s %6s %10.0f %10.0f %7.2f\n", s.label, n, plugin->second * 1e9, floor->second * 1e9,
                    plugin->second / floor->second);
      }
    }
  }

private:
  std::map<std::string, double> medians_;
};

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
  // Defaults before the caller's own flags, which win.
  char repetitions[] = "--benchmark_repetitions=5";
  char interleaving[] = "--benchmark_enable_random_interleaving=true";
  char aggregates[] = "--benchmark_display_aggregates_only=true";
  std::vector<char *> args = {argv[0], repetitions, interleaving, aggregates};
  args.insert(args.end(), argv + 1, argv + argc);
  int count = int(args.size());
  benchmark::Initialize(&count, args.data());
  if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
