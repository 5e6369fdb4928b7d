// Shared set-up for the spotlight suites: a simulation over the built
// modules, a scenario with a light mast and a spotlight, and readers for
// what the host recorded about them.
#ifndef SPOTLIGHT_TEST_SUPPORT_H
#define SPOTLIGHT_TEST_SUPPORT_H

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "vhost/Simulation.h"

namespace spottest {

const double DT = 0.02;

inline vhost::SimulationOptions Options(const std::string &configDir = VH_CONFIG_DIR) {
  vhost::SimulationOptions o;
  o.configDir = configDir;
  o.moduleDir = VH_MODULE_DIR;
  o.dt = DT;
  o.physics = false;
  return o;
}

// A light mast "Mast" and a spotlight "Spot" with the given lines; the
// spotlight rides on the mast's point 0 when attached.
inline std::string Scenario(const std::string &spotLines = "", bool attached = false) {
  std::string s = "BEGIN_SHIPS\nMast:LightMast\n  STATUS Landed Earth\nEND\nSpot:beamwick2\n  STATUS Landed Earth\n";
  if (attached) s += "  ATTACHED 0:0,Mast\n";
  s += spotLines;
  s += "END\nEND_SHIPS\n";
  return s;
}

inline std::unique_ptr<vhost::Simulation> Load(const std::string &scenario,
                                               const vhost::SimulationOptions &o = Options()) {
  std::unique_ptr<vhost::Simulation> sim(new vhost::Simulation(o));
  sim->loadScenario(scenario, "spotlight-test.scn");
  return sim;
}

inline const vhost::VesselRecord &Spot(vhost::Simulation &sim) { return sim.vessel("Spot").record(); }

inline const SpotLight &Light(vhost::Simulation &sim) {
  const auto &lights = Spot(sim).lights;
  EXPECT_EQ(lights.size(), 1u);
  EXPECT_EQ(lights.at(0)->GetType(), LightEmitter::LT_SPOT);
  return static_cast<const SpotLight &>(*lights.at(0));
}

inline const BEACONLIGHTSPEC &Beacon(vhost::Simulation &sim) { return *Spot(sim).beacons.at(0); }

// The mast's point i as the host holds it.
inline const vhost::AttachmentRecord &MastPoint(vhost::Simulation &sim, int i) {
  return sim.vessel("Mast").record().attachments.at(i);
}

// The spotlight's own scenario line that starts with key, or "".
inline std::string SavedLine(vhost::Simulation &sim, const std::string &key) {
  for (const std::string &line : sim.saveVessel("Spot"))
    if (line.compare(0, key.size() + 1, key + " ") == 0) return line;
  return "";
}

inline void Hold(vhost::Simulation &sim, const std::vector<DWORD> &keys, int frames) {
  sim.holdKeys("Spot", keys);
  for (int i = 0; i < frames; ++i) sim.step();
  sim.releaseKeys();
}

inline void ExpectVec(const VECTOR3 &v, double x, double y, double z, double tol = 1e-9) {
  EXPECT_NEAR(v.x, x, tol);
  EXPECT_NEAR(v.y, y, tol);
  EXPECT_NEAR(v.z, z, tol);
}

inline void ExpectNoWarnings(vhost::Simulation &sim) {
  for (const vhost::Warning &w : sim.warnings())
    ADD_FAILURE() << "host warning: " << w.vessel << " " << w.call << ": " << w.message;
}

}  // namespace spottest

#endif  // SPOTLIGHT_TEST_SUPPORT_H
