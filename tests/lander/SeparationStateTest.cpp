// Leaving the descent stage, and the lander's scenario lines.
#include <algorithm>

#include "LanderTestSupport.h"

using landertest::Lines;
using landertest::Options;
using landertest::PluginLines;
using landertest::Scenario;
using landertest::VecEq;

namespace {

std::string Lander(const std::string &name, Lines lines) {
  return Scenario({{name, "Selvar_2016", lines}});
}

TEST(LanderSeparation, InFlightTheStageDriftsBackAlongTheLanderAxis) {
  vhost::Simulation sim(Options());
  sim.loadScenario(Lander("L1", {"STATUS Orbiting Moon", "RPOS 1800000 20000 -5000", "RVEL 10 -1600 3",
                                 "AROT 30 -20 75"}),
                   "flight.scn");
  EXPECT_EQ(sim.pressKey("L1", OAPI_KEY_J, {OAPI_KEY_LALT}), 1);
  ASSERT_EQ(sim.created().size(), 1u);
  EXPECT_EQ(sim.created()[0].name, "L1-DescentStage");
  EXPECT_EQ(sim.created()[0].className, "Selvar_DM");
  EXPECT_EQ(sim.created()[0].by, "L1");

  const vhost::Vessel &lander = sim.vessel("L1");
  const vhost::MotionRecord &l = lander.record().motion;
  const vhost::MotionRecord &d = sim.vessel("L1-DescentStage").record().motion;
  const VECTOR3 push = mul(lander.rotation(), _V(0, 0, -0.2));
  EXPECT_TRUE(VecEq(d.rvel, l.rvel.x + push.x, l.rvel.y + push.y, l.rvel.z + push.z, 1e-6));
  EXPECT_TRUE(VecEq(d.rpos, l.rpos.x, l.rpos.y, l.rpos.z, 1e-3));
  EXPECT_TRUE(VecEq(d.arot, l.arot.x, l.arot.y, l.arot.z, 1e-9));
  EXPECT_FALSE(d.landed);
  EXPECT_EQ(d.body, "Moon");
  // The lander itself only changed configuration.
  EXPECT_TRUE(VecEq(l.rvel, 10, -1600, 3, 1e-9));
  EXPECT_EQ(lander.record().meshes[1].visibility, MESHVIS_NEVER);

  // Once only: the key is still taken, nothing more is made.
  EXPECT_EQ(sim.pressKey("L1", OAPI_KEY_J, {OAPI_KEY_LALT}), 1);
  EXPECT_EQ(sim.created().size(), 1u);
}

TEST(LanderSeparation, OnTheGroundTheStageStaysLanded) {
  vhost::Simulation sim(Options());
  sim.loadScenario(Lander("L1", {"STATUS Landed Moon"}), "landed.scn");
  sim.pressKey("L1", OAPI_KEY_J, {OAPI_KEY_LALT});
  const vhost::MotionRecord &d = sim.vessel("L1-DescentStage").record().motion;
  EXPECT_TRUE(d.landed);
  EXPECT_EQ(d.body, "Moon");
  sim.step();
  EXPECT_EQ(sim.vessel("L1").record().emptyMass, 6276);
}

TEST(LanderSeparation, LongNamesKeepTheWholeSuffix) {
  const std::size_t lengths[] = {242, 243, 255};
  for (std::size_t n : lengths) {
    SCOPED_TRACE("name of " + std::to_string(n));
    std::string name(n, 'x');
    for (std::size_t i = 0; i < n; ++i) name[i] = static_cast<char>('a' + i % 26);
    vhost::Simulation sim(Options());
    // Names longer than a scenario's line holds come from the host's call.
    sim.loadScenario(Lander("L0", {"STATUS Landed Moon"}), "long.scn");
    VESSELSTATUS vs{};
    sim.vessel("L0").iface()->GetStatus(vs);
    oapiCreateVessel(name.c_str(), "Selvar_2016", vs);
    sim.pressKey(name, OAPI_KEY_J, {OAPI_KEY_LALT});
    ASSERT_EQ(sim.created().size(), 2u);
    EXPECT_EQ(sim.created()[1].name, name.substr(0, 242) + "-DescentStage");
    EXPECT_TRUE(sim.warnings().empty());
  }
}

TEST(LanderSeparation, AscentConfigurationFromTheScenarioMakesNoStage) {
  vhost::Simulation sim(Options());
  sim.loadScenario(Lander("L1", {"STATUS Landed Moon", "ORBITAL 1"}), "ascent.scn");
  EXPECT_EQ(sim.pressKey("L1", OAPI_KEY_J, {OAPI_KEY_LALT}), 1);
  EXPECT_TRUE(sim.created().empty());
}

TEST(LanderState, SavedLinesFollowTheFlagsAndConfiguration) {
  vhost::Simulation sim(Options());
  sim.loadScenario(Lander("L1", {"STATUS Landed Moon"}), "fresh.scn");
  EXPECT_EQ(PluginLines(sim, "L1"), Lines{"LAUNCHL 1"});
  sim.pressKey("L1", OAPI_KEY_I, {OAPI_KEY_LALT});
  sim.pressKey("L1", OAPI_KEY_A);
  sim.pressKey("L1", OAPI_KEY_P, {OAPI_KEY_LALT});
  sim.pressKey("L1", OAPI_KEY_G);
  sim.step();  // the flags are set by the first step of each movement
  EXPECT_EQ(PluginLines(sim, "L1"), (Lines{"GEARRPR 1", "PALETTE 1", "HATCHPR 1", "DOORHPR 1", "LAUNCHL 1"}));
  sim.pressKey("L1", OAPI_KEY_J, {OAPI_KEY_LALT});
  EXPECT_EQ(PluginLines(sim, "L1").back(), "ORBITAL 1");
}

TEST(LanderState, ReloadedMechanismsOpenAndTheAscentStageStaysAlone) {
  std::string saved;
  {
    vhost::Simulation sim(Options());
    sim.loadScenario(Lander("L1", {"STATUS Landed Moon"}), "first.scn");
    sim.pressKey("L1", OAPI_KEY_G);
    sim.pressKey("L1", OAPI_KEY_A);
    for (int i = 0; i < 10; ++i) sim.step();  // saved half open
    sim.pressKey("L1", OAPI_KEY_J, {OAPI_KEY_LALT});
    saved = sim.saveScenario();
  }
  vhost::Simulation sim(Options());
  sim.loadScenario(saved, "saved.scn");
  EXPECT_EQ(sim.vessels().size(), 2u);
  EXPECT_TRUE(sim.created().empty());
  sim.step();
  const vhost::VesselRecord &r = sim.vessel("L1").record();
  EXPECT_EQ(r.animations[1].state, 1);  // gear
  EXPECT_EQ(r.animations[2].state, 1);  // hatch
  EXPECT_EQ(r.animations[0].state, 0);  // palette, never moved
  EXPECT_EQ(r.meshes[1].visibility, MESHVIS_NEVER);
  EXPECT_EQ(r.beacons.size(), 1u);
  EXPECT_EQ(sim.pressKey("L1", OAPI_KEY_J, {OAPI_KEY_LALT}), 1);
  EXPECT_TRUE(sim.created().empty());
  // Saving again gives the same vessels: nothing is duplicated or lost.
  EXPECT_EQ(landertest::ShipsOf(sim.saveScenario()), landertest::ShipsOf(saved));
}

TEST(LanderState, AMechanismClosedAfterAReloadStaysClosed) {
  std::string saved;
  {
    vhost::Simulation sim(Options());
    sim.loadScenario(Lander("L1", {"STATUS Landed Moon", "GEARRPR 1"}), "geardown.scn");
    sim.step();
    sim.pressKey("L1", OAPI_KEY_G);
    for (int i = 0; i < 80; ++i) sim.step();
    saved = sim.saveScenario();
  }
  EXPECT_EQ(saved.find("GEARRPR"), std::string::npos);
  vhost::Simulation again(Options());
  again.loadScenario(saved, "closed.scn");
  again.step();
  EXPECT_EQ(again.vessel("L1").record().animations[1].state, 0);
}

TEST(LanderState, LinesAreReadByTheirSevenLetterKey) {
  vhost::Simulation sim(Options(true));
  std::vector<std::string> handedOn;
  sim.onTrace([&](const vhost::TraceEntry &e) {
    if (e.call == "ParseScenarioLineEx" && !e.args.empty()) handedOn.push_back(e.args[0].text);
  });
  sim.loadScenario(Lander("L1", {"STATUS Landed Moon", "gearrpr 1", "PALETTE 0", "HATCHPR 1 0.5", "DOORHPR x",
                                 "LAUNCHL 1", "ALT 12.5", "GEAR", "HATCHPRX 1", "DOORHPR 99999999999999999999"}),
                   "keys.scn");
  sim.step();
  const vhost::VesselRecord &r = sim.vessel("L1").record();
  EXPECT_EQ(r.animations[1].state, 1);  // gearrpr 1
  EXPECT_EQ(r.animations[0].state, 0);  // PALETTE 0
  EXPECT_EQ(r.animations[2].state, 1);  // HATCHPR 1 0.5
  EXPECT_EQ(r.animations[3].state, 1);  // the last DOORHPR saturates and is set
  EXPECT_EQ(r.motion.altitude, 0);  // ALT counts only with an AROT after STATUS Landed
  // Every line but the configuration keys reaches the host, unchanged.
  EXPECT_EQ(handedOn, (Lines{"STATUS Landed Moon", "gearrpr 1", "PALETTE 0", "HATCHPR 1 0.5", "DOORHPR x", "ALT 12.5",
                             "GEAR", "HATCHPRX 1", "DOORHPR 99999999999999999999"}));
}

}  // namespace
