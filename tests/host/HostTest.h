// Shared set-up of the host's tests: a simulation over the test module's
// folders, and scenario text built from vessel blocks.
#ifndef HOST_TEST_H
#define HOST_TEST_H

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "vhost/Simulation.h"

namespace hosttest {

inline vhost::SimulationOptions probeOptions(bool physics = false, bool trace = false) {
  vhost::SimulationOptions o;
  o.configDir = VH_FIXTURE_CONFIG_DIR;
  o.moduleDir = VH_TEST_MODULE_DIR;
  o.physics = physics;
  o.trace = trace;
  return o;
}

// "NAME:CLASS", its lines, "END"
inline std::string ship(const std::string &nameClass, const std::vector<std::string> &lines = {}) {
  std::string s = nameClass + "\n";
  for (const std::string &l : lines) s += "  " + l + "\n";
  return s + "END\n";
}

inline std::string ships(const std::string &blocks) { return "BEGIN_SHIPS\n" + blocks + "END_SHIPS\n"; }

// A simulation that collects its events.
struct Sim {
  explicit Sim(vhost::SimulationOptions o = probeOptions()) : sim(o) {
    sim.onEvent([this](const vhost::Event &e) { events.push_back(e); });
  }
  void load(const std::string &blocks) { sim.loadScenario(ships(blocks), "test.scn"); }
  const vhost::VesselRecord &rec(const std::string &name) { return sim.vessel(name).record(); }
  VESSEL *vi(const std::string &name) { return sim.vessel(name).iface(); }
  // The texts of debug-line events, the probe's callback log.
  std::vector<std::string> debugLines() const {
    std::vector<std::string> out;
    const std::string prefix = "debug line \"";
    for (const vhost::Event &e : events)
      if (e.what.compare(0, prefix.size(), prefix) == 0)
        out.push_back(e.what.substr(prefix.size(), e.what.size() - prefix.size() - 1));
    return out;
  }
  bool warned(const std::string &call) const {
    for (const vhost::Warning &w : sim.warnings())
      if (w.call == call) return true;
    return false;
  }

  vhost::Simulation sim;
  std::vector<vhost::Event> events;
};

}  // namespace hosttest

#endif  // HOST_TEST_H
