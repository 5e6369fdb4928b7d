// Numbers that are not finite never reach a vessel's motion, and a save never
// writes one: what the host writes it must be able to read back.
#include <cmath>

#include "HostTest.h"

using hosttest::probeOptions;
using hosttest::ship;
using hosttest::ships;
using hosttest::Sim;

namespace {

const double kNaN = std::nan("");

std::string saveError(vhost::Simulation &sim) {
  try {
    sim.saveScenario();
  } catch (const vhost::SaveError &e) {
    return e.vessel() + " " + e.field() + ": " + e.what();
  }
  return "";
}

}  // namespace

TEST(FiniteNumbers, StatusesThatAreNotFiniteAreRefused) {
  Sim s;
  s.load(ship("A:HostProbe", {"STATUS Orbiting Earth", "RPOS 0 6371500 0"}));
  VESSEL *a = s.vi("A");
  VESSELSTATUS good;
  a->GetStatus(good);
  const VECTOR3 bad[] = {_V(kNaN, 0, 0), _V(0, HUGE_VAL, 0), _V(1e200, 0, 0)};
  for (const VECTOR3 &b : bad)
    for (VECTOR3 VESSELSTATUS::*field : {&VESSELSTATUS::rpos, &VESSELSTATUS::rvel, &VESSELSTATUS::arot}) {
      VESSELSTATUS vs = good;
      vs.*field = b;
      a->DefSetState(&vs);
    }
  EXPECT_EQ(s.sim.warnings().size(), 9u);
  EXPECT_TRUE(s.warned("DefSetState"));
  EXPECT_DOUBLE_EQ(s.rec("A").motion.altitude, 500);
  EXPECT_EQ(saveError(s.sim), "");
}

TEST(FiniteNumbers, AFlightStepThatWouldOverflowIsNotTaken) {
  Sim s(probeOptions(/*physics=*/true));
  s.load(ship("Up:HostPassive", {"STATUS Orbiting Earth", "RPOS 0 1e+306 0", "RVEL 0 1e308 0"}));
  for (int i = 0; i < 100; ++i) s.sim.step();
  const vhost::MotionRecord &m = s.rec("Up").motion;
  EXPECT_TRUE(std::isfinite(m.altitude));
  EXPECT_TRUE(std::isfinite(m.rpos.x) && std::isfinite(m.rpos.y) && std::isfinite(m.rpos.z));
  ASSERT_EQ(s.sim.warnings().size(), 1u);  // said once, not at every frame
  EXPECT_EQ(s.sim.warnings()[0].call, "flight model");
  EXPECT_EQ(s.sim.warnings()[0].vessel, "Up");
  // Finite, but too long a line for the simulator with its decimals.
  EXPECT_NE(saveError(s.sim).find("RPOS line would be"), std::string::npos);
}

TEST(FiniteNumbers, PositionsFarOutAreHeldOrRefusedWhole) {
  {  // far out but finite: read; written with the simulator's decimals it
     // would make a line longer than the simulator reads for this vessel
    Sim s;
    s.load(ship("Far:HostPassive", {"STATUS Orbiting Earth", "RPOS 0 1e300 1e300"}));
    EXPECT_TRUE(std::isfinite(s.rec("Far").motion.altitude));
    EXPECT_THROW(s.sim.saveScenario(), vhost::SaveError);
  }
  {  // beyond the largest double in length: no vessel to fly or save
    Sim s;
    try {
      s.load(ship("Gone:HostPassive", {"STATUS Orbiting Earth", "RPOS 1.7e308 1.7e308 0"}));
      FAIL() << "loaded";
    } catch (const vhost::ScenarioError &e) {
      EXPECT_EQ(e.line(), 2);
      EXPECT_NE(std::string(e.what()).find("RPOS"), std::string::npos) << e.what();
    }
  }
  {  // tiny numbers read as what they are
    Sim s;
    s.load(ship("Slow:HostPassive", {"STATUS Orbiting Moon", "RPOS 0 1737400 0", "RVEL 4.9406564584124654e-324 0 0"}));
    EXPECT_GT(s.rec("Slow").motion.rvel.x, 0);
  }
}

TEST(FiniteNumbers, ASaveWithANumberThatIsNotFiniteFailsNamingVesselAndLine) {
  for (const char *note : {"NOTE 1 nan", "NOTE -inf 2", "NOTE 1e999", "NOTE -nan(ind)", "NOTE INF"}) {
    Sim s;
    s.load(ship("Ok:HostPassive") + ship("Odd:HostProbe", {note}));
    const std::size_t events = s.events.size();
    EXPECT_EQ(saveError(s.sim).substr(0, 9), "Odd NOTE:") << note;
    EXPECT_EQ(s.events.size(), events) << "no \"scenario saved\" event for a save that failed";
  }
  Sim s;
  s.load(ship("Fine:HostProbe", {"NOTE Infinity is a name, nanometres a word, 1e-999 tiny"}));
  EXPECT_EQ(saveError(s.sim), "");
}

TEST(FiniteNumbers, ASaveOfNoVesselFailsForItWouldNotLoad) {
  Sim s;
  s.load(ship("Gone:HostProbe"));
  s.sim.pressKey("Gone", OAPI_KEY_D);  // the probe deletes itself
  s.sim.step();
  ASSERT_TRUE(s.sim.vessels().empty());
  EXPECT_THROW(s.sim.saveScenario(), vhost::SaveError);
}
