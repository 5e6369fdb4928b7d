// The cargo lander: where it differs from the crewed lander, and what it
// refuses.
#include "LanderTestSupport.h"
#include "vhost/AllocationCounter.h"

using landertest::Lines;
using landertest::Options;
using landertest::PluginLines;
using landertest::Scenario;
using landertest::VecEq;

namespace {

std::string Cargo(Lines lines = {}) {
  lines.insert(lines.begin(), "STATUS Landed Moon");
  return Scenario({{"C1", "SelvarCargo2016", lines}});
}

class CargoLander : public ::testing::Test {
protected:
  CargoLander() : sim(Options(true)) {
    sim.onTrace([this](const vhost::TraceEntry &e) {
      if (e.call == "ShiftCG") ++cgShifts;
    });
    sim.loadScenario(Cargo(), "cargo.scn");
  }
  const vhost::VesselRecord &rec() const { return sim.vessel("C1").record(); }
  int press(DWORD key, std::initializer_list<DWORD> mods = {}) { return sim.pressKey("C1", key, mods); }
  vhost::Simulation sim;
  int cgShifts = 0;
};

TEST_F(CargoLander, DefinitionDiffersFromTheCrewedLander) {
  sim.step();
  const vhost::VesselRecord &r = rec();
  EXPECT_EQ(r.emptyMass, 7400);
  ASSERT_EQ(r.dockPorts.size(), 1u);
  EXPECT_TRUE(VecEq(r.dockPorts[0].pos, 0, 5.0, 0));
  landertest::ExpectTouchdownPoints(r, 1189861.4, 374603.115);
  ASSERT_EQ(r.propellant.size(), 1u);
  EXPECT_EQ(r.propellant[0].maxMass, 29000);
  EXPECT_EQ(r.propellant[0].mass, 0);  // created full, emptied by a scenario without PRPLEVEL
  EXPECT_EQ(r.defaultPropellant, 0);
  landertest::ExpectLanderThrusters(r, 1.25, 5.94, 5.5, 5.15);
  landertest::ExpectLanderExhausts(r);
  landertest::ExpectLanderThrusterGroups(r);
  ASSERT_EQ(r.meshes.size(), 1u);
  EXPECT_EQ(r.meshes[0].name, "brendavel/selvar");
  EXPECT_EQ(r.meshes[0].visibility, MESHVIS_ALWAYS);
  EXPECT_TRUE(VecEq(r.cameraOffset, 0, 6.75, -2.0));
  EXPECT_TRUE(VecEq(r.cameraDirection, 0, 0, 1));
  EXPECT_EQ(r.size, 12);
  landertest::ExpectLanderBeacons(r, 5.2, true);
  // The launch configuration is applied once, by post-creation.
  EXPECT_EQ(cgShifts, 1);
}

TEST_F(CargoLander, AnimationsOnTheSingleMesh) {
  const UINT gearGroups[8] = {9, 8, 11, 10, 13, 12, 15, 14};
  ASSERT_EQ(rec().animations.size(), 2u);
  landertest::ExpectPaletteAnimation(rec(), 0, 0, 16, 5.090827, 3.5);
  landertest::ExpectGearAnimation(rec(), 1, 0, gearGroups, 5.07);
}

TEST_F(CargoLander, LightsCycleFromOn) {
  const vhost::VesselRecord &r = rec();
  auto spots = [&] { return r.lights[4]->IsActive() || r.lights[5]->IsActive(); };
  auto points = [&] { return r.lights[0]->IsActive() && r.lights[1]->IsActive() && r.lights[2]->IsActive() &&
                             r.lights[3]->IsActive(); };
  EXPECT_TRUE(r.beacons[4]->active);
  EXPECT_FALSE(spots());
  EXPECT_EQ(press(OAPI_KEY_B, {OAPI_KEY_LALT}), 1);
  EXPECT_FALSE(r.beacons[4]->active);
  EXPECT_FALSE(spots());
  EXPECT_TRUE(points());
  EXPECT_EQ(press(OAPI_KEY_B, {OAPI_KEY_LALT}), 1);
  EXPECT_TRUE(r.beacons[4]->active);
  EXPECT_TRUE(r.lights[4]->IsActive() && r.lights[5]->IsActive());
  EXPECT_TRUE(points());
}

TEST_F(CargoLander, OnlyItsThreeKeysAreTaken) {
  EXPECT_EQ(press(OAPI_KEY_G, {OAPI_KEY_LALT}), 0);
  EXPECT_EQ(press(OAPI_KEY_G, {OAPI_KEY_LSHIFT}), 0);
  EXPECT_EQ(press(OAPI_KEY_J, {OAPI_KEY_LALT}), 0);
  EXPECT_EQ(press(OAPI_KEY_D, {OAPI_KEY_LALT}), 0);
  EXPECT_EQ(press(OAPI_KEY_A), 0);
  EXPECT_EQ(press(OAPI_KEY_I, {OAPI_KEY_LALT}), 0);
  EXPECT_EQ(press(OAPI_KEY_P), 0);
  for (int i = 0; i < 5; ++i) sim.step();
  EXPECT_EQ(rec().animations[0].state, 0);
  EXPECT_EQ(rec().animations[1].state, 0);
  EXPECT_TRUE(sim.created().empty());
  EXPECT_EQ(rec().dockPorts.size(), 1u);
  EXPECT_STREQ(sim.debugString(), "");

  EXPECT_EQ(press(OAPI_KEY_G), 1);
  EXPECT_EQ(press(OAPI_KEY_P, {OAPI_KEY_RALT}), 1);
  for (int i = 0; i < 76; ++i) sim.step();
  EXPECT_EQ(rec().animations[0].state, 1);
  EXPECT_EQ(rec().animations[1].state, 1);
}

TEST_F(CargoLander, CockpitViewsTurnTheCameraAndDeclareNoDisplays) {
  const double views[3][6] = {
      {0, 6.75, -2.0, 0, 0, 1}, {-1.432442, 8.5, 1.492508, 0, -1, 0}, {0, 5.0, 0, 0, -1, 0}};
  const int neighbours[3][4] = {{-1, -1, 1, 2}, {-1, -1, -1, 0}, {-1, -1, 0, -1}};
  sim.setCockpitMode(COCKPIT_VIRTUAL);
  for (int id = 0; id < 3; ++id) {
    SCOPED_TRACE("view " + std::to_string(id));
    EXPECT_TRUE(sim.loadVC(id));
    EXPECT_TRUE(VecEq(rec().cameraOffset, views[id][0], views[id][1], views[id][2]));
    EXPECT_TRUE(VecEq(rec().cameraDirection, views[id][3], views[id][4], views[id][5]));
    for (int k = 0; k < 4; ++k) EXPECT_EQ(sim.vcNeighbours()[k], neighbours[id][k]);
  }
  EXPECT_TRUE(sim.loadVC(3));
  EXPECT_TRUE(VecEq(rec().cameraOffset, 0, 5.0, 0));
  EXPECT_FALSE(rec().vc.hasHud);
  EXPECT_TRUE(rec().vc.mfds.empty());
  sim.step();  // still in the virtual cockpit: the view stays
  EXPECT_TRUE(VecEq(rec().cameraOffset, 0, 5.0, 0));
  sim.setCockpitMode(COCKPIT_GENERIC);
  sim.step();
  EXPECT_TRUE(VecEq(rec().cameraOffset, 0, 6.75, -2.0));
  EXPECT_TRUE(VecEq(rec().cameraDirection, 0, 0, 1));
}

// Read from the host's trace: the definition in the crewed lander's order,
// the groups rebuilt at every step, and the lights switched spotlight 0,
// point lights, spotlight 1, whichever way they go.
TEST(CargoLanderCallOrder, ClassCapsGroupRebuildAndLightSwitching) {
  vhost::Simulation sim(Options(true));
  landertest::CallLog log(sim);
  sim.loadScenario(Cargo(), "order.scn");
  landertest::ExpectClassCapsOrder(log.classCapsCalls(), 1);
  std::size_t mark = log.mark();
  sim.step();
  landertest::ExpectThrusterGroupRebuild(log, mark);

  mark = log.mark();
  sim.pressKey("C1", OAPI_KEY_B, {OAPI_KEY_LALT});
  EXPECT_EQ(log.since(mark, {"Activate"}), (Lines{"Activate 4 false", "Activate 0 true", "Activate 1 true",
                                                  "Activate 2 true", "Activate 3 true", "Activate 5 false"}));
  mark = log.mark();
  sim.pressKey("C1", OAPI_KEY_B, {OAPI_KEY_LALT});
  EXPECT_EQ(log.since(mark, {"Activate"}), (Lines{"Activate 4 true", "Activate 0 true", "Activate 1 true",
                                                  "Activate 2 true", "Activate 3 true", "Activate 5 true"}));
}

TEST(CargoLanderState, SavesOnlyItsMechanismFlags) {
  std::string saved;
  {
    vhost::Simulation sim(Options());
    sim.loadScenario(Cargo(), "cargo.scn");
    EXPECT_TRUE(PluginLines(sim, "C1").empty());
    sim.pressKey("C1", OAPI_KEY_G);
    sim.step();
    EXPECT_EQ(PluginLines(sim, "C1"), Lines{"GEARRPR 1"});
    saved = sim.saveScenario();
  }
  vhost::Simulation again(Options());
  again.loadScenario(saved, "saved.scn");
  again.step();
  EXPECT_EQ(again.vessel("C1").record().animations[1].state, 1);
  EXPECT_EQ(landertest::ShipsOf(again.saveScenario()), landertest::ShipsOf(saved));
}

TEST(CargoLanderState, LaunchLineIsReadButKeptFromTheHost) {
  vhost::Simulation sim(Options(true));
  std::vector<std::string> handedOn;
  int cgShifts = 0;
  sim.onTrace([&](const vhost::TraceEntry &e) {
    if (e.call == "ParseScenarioLineEx" && !e.args.empty()) handedOn.push_back(e.args[0].text);
    if (e.call == "ShiftCG") ++cgShifts;
  });
  sim.loadScenario(Cargo({"LAUNCHL 1", "palette 1", "ALT 3"}), "launch.scn");
  for (int i = 0; i < 3; ++i) sim.step();
  EXPECT_EQ(handedOn, (Lines{"STATUS Landed Moon", "palette 1", "ALT 3"}));
  EXPECT_EQ(cgShifts, 1);
  EXPECT_EQ(sim.vessel("C1").record().animations[0].state, 1);
  EXPECT_EQ(PluginLines(sim, "C1"), Lines{"PALETTE 1"});
}

TEST(LanderFamily, EachModuleKeepsItsOwnComponents) {
  vhost::Simulation sim(Options());
  sim.loadScenario(Scenario({{"L1", "Selvar_2016", {}}, {"C1", "SelvarCargo2016", {}}}), "both.scn");
  const vhost::VesselRecord &crewed = sim.vessel("L1").record();
  const vhost::VesselRecord &cargo = sim.vessel("C1").record();
  EXPECT_NE(crewed.animations[1].components[0].transform, cargo.animations[1].components[0].transform);
  EXPECT_EQ(landertest::Rotation(crewed, 1, 0).grp[0], 8u);
  EXPECT_EQ(landertest::Rotation(cargo, 1, 0).grp[0], 9u);
}

TEST(LanderFamily, AFrameAllocatesNothing) {
  vhost::Simulation sim(Options());
  sim.loadScenario(Scenario({{"L1", "Selvar_2016", {}}, {"C1", "SelvarCargo2016", {}}}), "both.scn");
  for (const char *name : {"L1", "C1"}) {
    sim.pressKey(name, OAPI_KEY_G);
    sim.pressKey(name, OAPI_KEY_P, {OAPI_KEY_LALT});
  }
  sim.pressKey("L1", OAPI_KEY_A);
  for (int i = 0; i < 5; ++i) sim.step();
  // Mechanisms moving, groups rebuilt, camera reset: all of it in place.
  vhost::AllocationCounter::start();
  for (int i = 0; i < 10; ++i) sim.step();
  vhost::AllocationCounter::stop();
  EXPECT_EQ(vhost::AllocationCounter::count(), 0u);
}

}  // namespace
