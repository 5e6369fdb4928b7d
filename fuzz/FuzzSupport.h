// What the fuzz targets share: a simulation over the fuzz build's modules
// and the project's class configurations, the fuzz input cut into lines,
// and the one property checked beyond the sanitizers: every animation of
// every vessel stays within 0..1.
#ifndef FUZZ_SUPPORT_H
#define FUZZ_SUPPORT_H

#include <dlfcn.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "vhost/Simulation.h"

namespace fuzzing {

// The host unloads a module with its last vessel; the fuzzer's coverage
// counters live in the module, so every module is held loaded for the
// whole process. Called once from LLVMFuzzerInitialize.
inline void holdModulesLoaded() {
  for (const char *m : {"Selvar_2016", "SelvarCargo2016", "tarva_2016", "beamwick2"}) {
    const std::string path = std::string(FUZZ_MODULE_DIR) + "/" + m + ".so";
    dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
  }
}

inline vhost::SimulationOptions options() {
  vhost::SimulationOptions o;
  o.configDir = FUZZ_CONFIG_DIR;
  o.moduleDir = FUZZ_MODULE_DIR;
  o.dt = 0.02;
  o.physics = true;
  return o;
}

// The input as text lines; a zero byte ends a line too, since the host's
// lines are C strings.
inline std::vector<std::string> lines(const std::uint8_t *data, std::size_t size) {
  std::vector<std::string> out(1);
  for (std::size_t i = 0; i < size; ++i) {
    const char c = char(data[i]);
    if (c == '\n' || c == '\0')
      out.emplace_back();
    else if (c != '\r')
      out.back() += c;
  }
  return out;
}

inline void expectAnimationsInRange(vhost::Simulation &sim) {
  for (const vhost::Vessel *v : sim.vessels()) {
    const auto &anims = v->record().animations;
    for (std::size_t i = 0; i < anims.size(); ++i) {
      const double s = anims[i].state;
      if (!(s >= 0.0 && s <= 1.0)) {
        std::fprintf(stderr, "%s: animation %zu at %g\n", v->record().name.c_str(), i, s);
        std::abort();
      }
    }
  }
}

// Brings the scenario up, flies a few frames, saves, and loads and flies
// what was saved. Scenario errors are the host's answer to bad text.
inline void flyScenario(const std::string &text) {
  std::string saved;
  try {
    vhost::Simulation sim(options());
    sim.loadScenario(text, "fuzz.scn");
    expectAnimationsInRange(sim);
    for (int i = 0; i < 5; ++i) sim.step();
    expectAnimationsInRange(sim);
    saved = sim.saveScenario();
  } catch (const vhost::ScenarioError &) {
    return;
  } catch (const vhost::SaveError &) {
    return;  // nothing saved rather than a file the simulator could not read
  }
  vhost::Simulation again(options());
  again.loadScenario(saved, "fuzz-saved.scn");  // what the host saved must load
  again.step();
  expectAnimationsInRange(again);
  again.saveScenario();
}

}  // namespace fuzzing

extern "C" int LLVMFuzzerInitialize(int *, char ***) {
  fuzzing::holdModulesLoaded();
  return 0;
}

#endif  // FUZZ_SUPPORT_H
