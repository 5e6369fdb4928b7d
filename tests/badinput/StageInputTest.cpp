// Stage lines and keys that contradict where a vessel is: a block that names
// a stage and then one already left, a save taken after a piece has gone,
// a stage key pressed where that stage no longer exists. The vessel stays
// whole in one configuration, and nothing it shed comes back or leaves twice.
#include <algorithm>
#include <set>

#include "BadInputSupport.h"

namespace badinput {
namespace {

bool saves(vhost::Simulation &sim, const std::string &line) {
  const std::vector<std::string> saved = sim.saveVessel("V");
  return std::find(saved.begin(), saved.end(), line) != saved.end();
}

void expectNamesUnique(vhost::Simulation &sim, const std::string &context) {
  std::set<std::string> names;
  for (const vhost::Vessel *v : sim.vessels())
    EXPECT_TRUE(names.insert(v->record().name).second) << context << ": two vessels named " << v->record().name;
}

TEST(BadStageInput, LanderAscentLinesWinOverAnyLaunchLine) {
  const std::vector<std::vector<std::string>> blocks = {
      {"ORBITAL 1", "LAUNCHL 1"},
      {"LAUNCHL 1", "ORBITAL 1"},
      {"orbital 1", "launchl 1", "ORBITAL 0", "LAUNCHL 5"},
      {"ORBITAL 1", "ORBITAL 1", "LAUNCHL 1", "LAUNCHL 1"},
  };
  for (const std::vector<std::string> &block : blocks) {
    const std::string context = "Selvar_2016 block ending \"" + block.back() + "\"";
    std::unique_ptr<vhost::Simulation> sim = load(scenario("Selvar_2016", block));
    sim->step();
    expectSound(*sim, context);
    // The ascent configuration, all of it.
    const vhost::VesselRecord &r = sim->vessel("V").record();
    EXPECT_EQ(r.meshes.at(1).visibility, MESHVIS_NEVER) << context;
    EXPECT_EQ(r.emptyMass, 6276) << context;
    EXPECT_EQ(r.propellant.at(0).maxMass, 6411) << context;
    EXPECT_EQ(r.thrusters.at(0).maxThrust, 8332.5) << context;
    EXPECT_EQ(r.beacons.size(), 1u) << context;
    EXPECT_TRUE(saves(*sim, "ORBITAL 1")) << context;
  }
}

TEST(BadStageInput, CapsuleOrbitalKeyAfterTheServiceModuleLeftChangesNothing) {
  for (const char *stage : {"REENTRY 1", "LANDING 1"}) {
    const std::string context = std::string("tarva_2016 in ") + stage;
    std::unique_ptr<vhost::Simulation> sim =
        load(scenario("tarva_2016", {stage, "STATUS Orbiting Earth", "RPOS 0 6491000 0"}));
    sim->step();
    for (int round = 0; round < 3; ++round)
      for (DWORD key : {OAPI_KEY_O, OAPI_KEY_J, OAPI_KEY_L, OAPI_KEY_K, OAPI_KEY_O}) {
        EXPECT_EQ(sim->pressKey("V", key, {OAPI_KEY_LALT}), 1) << context;
        sim->step();
      }
    expectSound(*sim, context);
    EXPECT_TRUE(sim->created().empty()) << context;
    EXPECT_EQ(sim->vessel("V").record().emptyMass, 7720) << context;
    EXPECT_EQ(sim->vessel("V").record().propellant.at(0).maxMass, 900) << context;
    EXPECT_TRUE(saves(*sim, stage)) << context;
  }
}

TEST(BadStageInput, CapsuleSavedAfterItsTowerLeftKeepsItGone) {
  const std::string context = "tarva_2016 saved after the tower left";
  std::string saved;
  {
    std::unique_ptr<vhost::Simulation> sim =
        load(scenario("tarva_2016", {"LAUNCHL 1", "STATUS Orbiting Earth", "RPOS 0 6521000 0"}));
    for (int i = 0; i < 5; ++i) sim->step();
    ASSERT_EQ(sim->created().size(), 1u) << context;
    saved = sim->saveScenario();
  }
  std::unique_ptr<vhost::Simulation> again = load(saved);
  for (int i = 0; i < 5; ++i) again->step();
  expectSound(*again, context);
  EXPECT_TRUE(again->created().empty()) << context;
  expectNamesUnique(*again, context);
  EXPECT_TRUE(again->vessel("V").record().meshes.at(7).deleted) << context;  // the tower
}

}  // namespace
}  // namespace badinput
