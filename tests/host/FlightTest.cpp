// The vertical flight model.
#include <cmath>

#include "HostTest.h"

using hosttest::probeOptions;
using hosttest::ship;
using hosttest::Sim;

TEST(Flight, FreeFallOnTheMoonLandsOnItsTouchdownPoints) {
  Sim s(probeOptions(true));
  s.load(ship("P:HostPassive", {"STATUS Orbiting Moon", "RPOS 0 1737410 0"}));
  s.sim.runUntil(1.0);
  // Semi-implicit steps of 0.02 s: v = -g n dt, h = 10 - g dt^2 n(n+1)/2.
  const double g = 1.62, dt = 0.02;
  EXPECT_NEAR(s.rec("P").motion.altitude, 10 - g * dt * dt * 50 * 51 / 2, 1e-9);
  s.sim.runUntil(10);
  const vhost::MotionRecord &m = s.rec("P").motion;
  EXPECT_TRUE(m.landed);
  EXPECT_DOUBLE_EQ(m.altitude, 2);  // the default touchdown points, 2 m below its centre
  EXPECT_DOUBLE_EQ(length(m.rvel), 0);
  EXPECT_TRUE(s.sim.vessel("P").groundContact());
  EXPECT_NEAR(length(m.rpos), 1737.4e3 + 2, 1e-6);
  int landings = 0;
  for (const vhost::Event &e : s.events) landings += e.what == "landed";
  EXPECT_EQ(landings, 1);
}

TEST(Flight, EarthDragSlowsALightVesselTowardTerminalSpeedByItsAttitude) {
  // HostPassive: 100 kg; cross sections 1, 2, 3 m^2 and CW x 1, y 1, z+ 0.5
  // (z- 1.5 is never used). Falling along its y axis only y's share
  // counts; turned a quarter about x, along z, with the forward CW.
  for (const char *arot : {"AROT 0 0 0", "AROT 90 0 0"}) {
    Sim s(probeOptions(true));
    s.load(ship("P:HostPassive", {"STATUS Orbiting Earth", "RPOS 0 6374000 0", arot}));
    s.sim.runUntil(60);
    const vhost::MotionRecord &m = s.rec("P").motion;
    ASSERT_FALSE(m.landed);
    const double rho = 1.225 * std::exp(-m.altitude / 8500);
    const double sCw = std::string(arot) == "AROT 0 0 0" ? 2 * 1 : 3 * 0.5;
    const double terminal = std::sqrt(9.81 * 100 / (0.25 * rho * sCw));
    EXPECT_NEAR(-dotp(m.rvel, unit(m.rpos)), terminal, 0.05 * terminal) << arot;
  }
}

TEST(Flight, ModuleVesselFallsAndLandedOnesStay) {
  Sim s(probeOptions(true));
  s.load(ship("A:HostProbe", {"STATUS Orbiting Earth", "RPOS 0 6371100 0"}) +
         ship("B:HostProbe", {"STATUS Landed Earth"}));
  s.sim.runUntil(1);
  EXPECT_LT(s.vi("A")->GetAltitude(), 100);
  EXPECT_DOUBLE_EQ(s.vi("B")->GetAltitude(), 3);  // standing on its touchdown points, 3 m below its centre
}

TEST(Flight, WithPhysicsOffOnlyTheApiMovesAVessel) {
  Sim s(probeOptions(false));
  s.load(ship("P:HostPassive", {"STATUS Orbiting Earth", "RPOS 0 6371100 0", "RVEL 0 -50 0"}));
  s.sim.runUntil(2);
  EXPECT_DOUBLE_EQ(s.rec("P").motion.altitude, 100);
  s.sim.setAltitude("P", 40);
  s.sim.step();
  EXPECT_DOUBLE_EQ(s.rec("P").motion.altitude, 40);
  EXPECT_NEAR(length(s.rec("P").motion.rpos), 6371040, 1e-6);
}

TEST(Flight, FramesRunWhileTheirStartIsBelowTheEnd) {
  Sim s;
  s.load(ship("A:HostPassive"));
  s.sim.runUntil(0.1);
  EXPECT_NEAR(s.sim.time(), 0.1, 1e-12);
  s.sim.runUntil(0.105);
  EXPECT_NEAR(s.sim.time(), 0.12, 1e-12);
}
