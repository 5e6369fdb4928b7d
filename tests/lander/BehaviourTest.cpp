// The crewed lander in flight: mechanisms, per-frame logic, lights, keys and
// the virtual cockpit.
#include "LanderTestSupport.h"

using landertest::Options;
using landertest::Scenario;
using landertest::VecEq;

namespace {

const int PALETTE = 0, GEAR = 1, HATCH = 2, DOOR = 3;  // animation indices

class LanderBehaviour : public ::testing::Test {
protected:
  LanderBehaviour() : sim(Options()) {
    sim.loadScenario(Scenario({{"L1", "Selvar_2016", {"STATUS Landed Moon"}}}), "lander.scn");
    sim.setGroundContact("L1", false);
  }
  const vhost::VesselRecord &rec() const { return sim.vessel("L1").record(); }
  double anim(int i) const { return rec().animations.at(i).state; }
  int press(DWORD key, std::initializer_list<DWORD> mods = {}) { return sim.pressKey("L1", key, mods); }
  void steps(int n) {
    for (int i = 0; i < n; ++i) sim.step();
  }
  vhost::Simulation sim;
};

TEST_F(LanderBehaviour, MechanismsTravelAtTheirSpeeds) {
  // 0.66 per second at 0.02 s steps reaches 1 on the 76th step; 0.33 on the 152nd.
  EXPECT_EQ(press(OAPI_KEY_G), 1);
  EXPECT_EQ(press(OAPI_KEY_P, {OAPI_KEY_LALT}), 1);
  EXPECT_EQ(press(OAPI_KEY_A), 1);
  EXPECT_EQ(press(OAPI_KEY_I, {OAPI_KEY_LALT}), 1);
  steps(1);
  EXPECT_NEAR(anim(GEAR), 0.0132, 1e-12);
  EXPECT_NEAR(anim(HATCH), 0.0066, 1e-12);
  steps(74);
  EXPECT_LT(anim(GEAR), 1);
  EXPECT_LT(anim(PALETTE), 1);
  steps(1);
  EXPECT_EQ(anim(GEAR), 1);
  EXPECT_EQ(anim(PALETTE), 1);
  steps(75);
  EXPECT_LT(anim(HATCH), 1);
  steps(1);
  EXPECT_EQ(anim(HATCH), 1);
  EXPECT_EQ(anim(DOOR), 1);
}

TEST_F(LanderBehaviour, ToggleNeverStopsAMovement) {
  press(OAPI_KEY_G);
  steps(10);
  press(OAPI_KEY_G);  // while opening: goes on opening
  steps(1);
  EXPECT_NEAR(anim(GEAR), 11 * 0.0132, 1e-9);
  steps(70);
  EXPECT_EQ(anim(GEAR), 1);
  press(OAPI_KEY_G);  // open: starts closing, the flag drops at once
  steps(5);
  EXPECT_NEAR(anim(GEAR), 1 - 5 * 0.0132, 1e-9);
  EXPECT_TRUE(landertest::PluginLines(sim, "L1") == std::vector<std::string>{"LAUNCHL 1"});
  press(OAPI_KEY_G);  // closing: reverses
  steps(2);
  EXPECT_NEAR(anim(GEAR), 1 - 3 * 0.0132, 1e-9);
}

TEST_F(LanderBehaviour, DockingFreezesTheHatchButNotTheDoor) {
  sim.setDockingStatus("L1", 0, true);
  press(OAPI_KEY_A);
  press(OAPI_KEY_I, {OAPI_KEY_LALT});
  steps(10);
  EXPECT_EQ(anim(HATCH), 0);
  EXPECT_NEAR(anim(DOOR), 10 * 0.0066, 1e-9);
  sim.setDockingStatus("L1", 0, false);
  steps(1);
  EXPECT_NEAR(anim(HATCH), 0.0066, 1e-9);
}

TEST_F(LanderBehaviour, SeatsHiddenOnTheGroundAndCameraBackOutsideTheCockpit) {
  sim.setGroundContact("L1", true);
  steps(1);
  EXPECT_EQ(rec().meshes[2].visibility, MESHVIS_NEVER);
  sim.setGroundContact("L1", false);
  steps(1);
  EXPECT_EQ(rec().meshes[2].visibility, MESHVIS_ALWAYS);

  sim.setCockpitMode(COCKPIT_VIRTUAL);
  EXPECT_TRUE(sim.loadVC(1));
  steps(1);
  EXPECT_TRUE(VecEq(rec().cameraOffset, -0.5, 7.65, 1.2));
  sim.setCockpitMode(COCKPIT_GENERIC);
  steps(1);
  EXPECT_TRUE(VecEq(rec().cameraOffset, 0, 8.6, 1.8));
  EXPECT_TRUE(VecEq(rec().cameraDirection, 0, 0, 1));
}

TEST_F(LanderBehaviour, LightsSwitchSpotlightsAndStrobe) {
  const vhost::VesselRecord &r = rec();
  EXPECT_EQ(press(OAPI_KEY_B, {OAPI_KEY_LALT}), 1);
  EXPECT_TRUE(r.beacons[4]->active);
  EXPECT_TRUE(r.lights[4]->IsActive() && r.lights[5]->IsActive());
  EXPECT_EQ(press(OAPI_KEY_B, {OAPI_KEY_RALT}), 1);
  EXPECT_FALSE(r.beacons[4]->active);
  EXPECT_FALSE(r.lights[4]->IsActive() || r.lights[5]->IsActive());
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(r.lights[i]->IsActive());

  // After separation the strobe on top flashes alone; the spotlights stay off.
  press(OAPI_KEY_B, {OAPI_KEY_LALT});
  press(OAPI_KEY_J, {OAPI_KEY_LALT});
  ASSERT_EQ(r.beacons.size(), 1u);
  EXPECT_FALSE(r.beacons[0]->active);
  press(OAPI_KEY_B, {OAPI_KEY_LALT});
  EXPECT_TRUE(r.beacons[0]->active);
  EXPECT_TRUE(VecEq(*r.beacons[0]->pos, 0, 8.9, 0));
  for (const auto &l : r.lights) EXPECT_FALSE(l->IsActive());
}

TEST_F(LanderBehaviour, RefusedKeysChangeNothing) {
  EXPECT_EQ(press(OAPI_KEY_G, {OAPI_KEY_LALT}), 0);
  EXPECT_EQ(press(OAPI_KEY_A, {OAPI_KEY_RALT}), 0);
  EXPECT_EQ(press(OAPI_KEY_B, {OAPI_KEY_LSHIFT, OAPI_KEY_LALT}), 0);
  EXPECT_EQ(press(OAPI_KEY_P, {OAPI_KEY_LCONTROL}), 0);
  EXPECT_EQ(press(OAPI_KEY_P, {OAPI_KEY_RCONTROL, OAPI_KEY_LALT}), 0);
  EXPECT_EQ(press(OAPI_KEY_J, {OAPI_KEY_RSHIFT, OAPI_KEY_LALT}), 0);
  EXPECT_EQ(press(OAPI_KEY_J), 0);
  EXPECT_EQ(press(OAPI_KEY_B), 0);
  EXPECT_EQ(press(OAPI_KEY_K, {OAPI_KEY_LALT}), 0);
  char kstate[256] = {};
  VESSEL2 *lander = static_cast<VESSEL2 *>(sim.vessel("L1").plugin());
  EXPECT_EQ(lander->clbkConsumeBufferedKey(OAPI_KEY_G, false, kstate), 0);
  steps(5);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(anim(i), 0);
  EXPECT_FALSE(rec().beacons[4]->active);
  EXPECT_TRUE(sim.created().empty());
  EXPECT_EQ(rec().dockPorts.size(), 1u);
}

TEST_F(LanderBehaviour, AltDSwitchesTheDockingPort) {
  EXPECT_EQ(press(OAPI_KEY_D, {OAPI_KEY_LALT}), 1);
  EXPECT_STREQ(sim.debugString(), "Docking off");
  EXPECT_TRUE(rec().dockPorts.empty());
  EXPECT_EQ(press(OAPI_KEY_D, {OAPI_KEY_LALT}), 1);
  EXPECT_STREQ(sim.debugString(), "Docking on");
  ASSERT_EQ(rec().dockPorts.size(), 1u);
  EXPECT_TRUE(VecEq(rec().dockPorts[0].pos, 0, 8.8, 0));
  EXPECT_TRUE(VecEq(rec().dockPorts[0].dir, 0, 1, 0));
  EXPECT_TRUE(VecEq(rec().dockPorts[0].rot, 0, 0, 1));
}

TEST_F(LanderBehaviour, VirtualCockpitPositionsAndDisplays) {
  const double offsets[4][3] = {{-0.4, 7.75, 0.95}, {-0.5, 7.65, 1.2}, {0.5, 7.75, 0.95}, {0, 7.9, 0}};
  const int neighbours[4][4] = {{0, 2, 1, 3}, {-1, -1, -1, 0}, {0, -1, -1, 3}, {0, 2, -1, -1}};
  sim.setCockpitMode(COCKPIT_VIRTUAL);
  for (int id = 0; id < 4; ++id) {
    SCOPED_TRACE("position " + std::to_string(id));
    EXPECT_TRUE(sim.loadVC(id));
    EXPECT_TRUE(VecEq(rec().cameraOffset, offsets[id][0], offsets[id][1], offsets[id][2]));
    for (int k = 0; k < 4; ++k) EXPECT_EQ(sim.vcNeighbours()[k], neighbours[id][k]);
  }
  EXPECT_TRUE(sim.loadVC(5));  // no such position: the camera stays, the displays are declared
  EXPECT_TRUE(VecEq(rec().cameraOffset, 0, 7.9, 0));
  const vhost::VcRecord &vc = rec().vc;
  ASSERT_TRUE(vc.hasHud);
  EXPECT_EQ(vc.hud.nmesh, 0u);
  EXPECT_EQ(vc.hud.ngroup, 19u);
  EXPECT_TRUE(VecEq(vc.hud.hudcnt, -0.2572509, 1.202129, 0.4847243));
  EXPECT_EQ(vc.hud.size, 0.15);
  ASSERT_EQ(vc.mfds.size(), 2u);
  EXPECT_EQ(vc.mfds[0].first, 0);
  EXPECT_EQ(vc.mfds[0].second.ngroup, 18u);
  EXPECT_EQ(vc.mfds[1].first, 1);
  EXPECT_EQ(vc.mfds[1].second.ngroup, 20u);
}

}  // namespace
