// Runs tarva_2016 capsules in the headless host: scenario text in, the host's
// records out.
#ifndef TESTS_CAPSULE_HARNESS_H
#define TESTS_CAPSULE_HARNESS_H

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "vhost/Simulation.h"

namespace capsuletest {

// Mesh slots as the capsule numbers them.
enum Slot { CM, CM_BURNED, SM, LSP, SM_COVER, SHIELD, DROGUE, LAS, PALETTE, CM_VC, CREW1 };

// Animations in creation order.
enum Anim { HATCH, INS, MAIN_CHUTE, LANDING, SOLAR1 };

// A scenario with one capsule of that name and those lines.
inline std::string Scenario(const std::string &lines, const std::string &name = "Capsule") {
  return "BEGIN_SHIPS\n" + name + ":tarva_2016\n" + lines + "END\nEND_SHIPS\n";
}

class CapsuleTest : public ::testing::Test {
protected:
  // Physics off unless asked: nothing moves but what the test sets.
  void Load(const std::string &lines, bool physics = false, const std::string &name = "Capsule") {
    LoadText(Scenario(lines, name), physics);
  }
  void LoadText(const std::string &text, bool physics = false) {
    sim.reset();
    calls.clear();
    vhost::SimulationOptions options;
    options.moduleDir = VH_MODULE_DIR;
    options.configDir = VH_CONFIG_DIR;
    options.physics = physics;
    options.trace = tracing;
    sim.reset(new vhost::Simulation(options));
    if (tracing) sim->onTrace([this](const vhost::TraceEntry &e) { calls.push_back(e); });
    sim->loadScenario(text, "capsule-test.scn");
  }
  // How many calls of that operation the capsule has made so far.
  int CallCount(const std::string &call) const {
    int n = 0;
    for (const vhost::TraceEntry &e : calls)
      if (e.call == call && e.vessel == vessel) ++n;
    return n;
  }
  // The calls made since the mark, by name, in order.
  std::vector<std::string> CallsSince(std::size_t mark) const {
    std::vector<std::string> names;
    for (std::size_t i = mark; i < calls.size(); ++i) names.push_back(calls[i].call);
    return names;
  }
  void Steps(int n) {
    for (int i = 0; i < n; ++i) sim->step();
  }
  const vhost::VesselRecord &Rec() const { return Rec(vessel); }
  const vhost::VesselRecord &Rec(const std::string &name) const { return sim->vessel(name).record(); }
  const vhost::MeshRecord &Mesh(int slot) const { return Rec().meshes.at(slot); }
  double AnimState(int anim) const { return Rec().animations.at(anim).state; }
  int Key(DWORD key, std::initializer_list<DWORD> modifiers = {}) { return sim->pressKey(vessel, key, modifiers); }
  int Alt(DWORD key) { return Key(key, {OAPI_KEY_LALT}); }
  void Altitude(double metres) { sim->setAltitude(vessel, metres); }
  // Names of the vessels the capsule has spawned, in order.
  std::vector<std::string> Spawned() const {
    std::vector<std::string> names;
    for (const vhost::CreatedVessel &c : sim->created()) names.push_back(c.name);
    return names;
  }
  std::vector<std::string> Saved() { return sim->saveVessel(vessel); }
  // The capsule's own lines of a save: those the host does not write.
  std::vector<std::string> SavedKeys() {
    std::vector<std::string> keys;
    for (const std::string &line : Saved())
      if (line.size() == 9 && line.compare(7, 2, " 1") == 0) keys.push_back(line);
    return keys;
  }
  bool Warned() const { return !sim->warnings().empty(); }

  std::unique_ptr<vhost::Simulation> sim;
  std::string vessel = "Capsule";         // the capsule the helpers look at
  bool tracing = true;                    // off for long flights
  std::vector<vhost::TraceEntry> calls;  // every SDK call a plug-in made
};

}  // namespace capsuletest

#endif  // TESTS_CAPSULE_HARNESS_H
