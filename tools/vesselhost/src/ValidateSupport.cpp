#include "ValidateSupport.h"

#include <cstdio>

namespace vesselhost {

vhost::SimulationOptions optionsFor(const ValidateWorkspace &ws, double dt) {
  vhost::SimulationOptions o;
  o.configDir = ws.configDir();
  o.moduleDir = ws.moduleDir();
  o.dt = dt;
  o.physics = false;
  o.trace = false;
  return o;
}

std::string scenarioOf(const ValidateWorkspace &ws, int vessels) {
  std::string s = "BEGIN_SHIPS\n";
  for (int i = 1; i <= vessels; ++i)
    s += "V" + std::to_string(i) + ":" + ws.className() + "\n  STATUS Landed Earth\nEND\n";
  return s + "END_SHIPS\n";
}

std::unique_ptr<vhost::Simulation> load(const ValidateWorkspace &ws, const std::string &scenario,
                                        double dt) {
  auto sim = std::make_unique<vhost::Simulation>(optionsFor(ws, dt));
  sim->loadScenario(scenario, "validate.scn");
  return sim;
}

CheckResult result(const char *name, bool passed, const std::string &detail) {
  CheckResult r;
  r.name = name;
  r.passed = passed;
  r.detail = detail;
  return r;
}

std::string format(const char *fmt, double a, double b) {
  char buf[128];
  std::snprintf(buf, sizeof buf, fmt, a, b);
  return buf;
}

std::string describeWarning(const vhost::Warning &w) {
  return format("t=%g s ", w.t) + (w.vessel.empty() ? "" : w.vessel + " ") + w.call +
         (w.in.empty() ? "" : " in " + w.in) + ": " + w.message;
}

}  // namespace vesselhost
