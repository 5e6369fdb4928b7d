// The order in which the crewed lander makes its host calls, read from the
// host's trace: definition, ascent configuration, thruster-group rebuild.
#include "LanderTestSupport.h"

using landertest::CallLog;
using landertest::Options;
using landertest::Scenario;

namespace {

TEST(LanderCallOrder, ClassCapsAndTheGroupRebuildOfEveryStep) {
  vhost::Simulation sim(Options(true));
  CallLog log(sim);
  sim.loadScenario(Scenario({{"L1", "Selvar_2016", {}}}), "order.scn");
  landertest::ExpectClassCapsOrder(log.classCapsCalls(), 7);
  for (int frame = 0; frame < 2; ++frame) {
    SCOPED_TRACE("frame " + std::to_string(frame));
    const std::size_t mark = log.mark();
    sim.step();
    landertest::ExpectThrusterGroupRebuild(log, mark);
  }
}

TEST(LanderCallOrder, AscentConfiguration) {
  vhost::Simulation sim(Options(true));
  CallLog log(sim);
  sim.loadScenario(Scenario({{"L1", "Selvar_2016", {"ORBITAL 1"}}}), "order.scn");
  // Read with the block's one line, between the first and second read.
  std::size_t first = 0;
  while (log.calls.at(first).call != "oapiReadScenario_nextline") ++first;
  std::vector<std::string> ascent;
  for (std::size_t i = first + 1; log.calls.at(i).call != "oapiReadScenario_nextline"; ++i)
    ascent.push_back(landertest::CallText(log.calls[i]));
  const std::vector<std::string> expected = {
      "SetMeshVisibilityMode 1 0",   "SetMeshVisibilityMode 0 3",   "SetMeshVisibilityMode 2 3",
      "Activate 4 false",            "Activate 5 false",            "Activate 0 false",
      "Activate 1 false",            "Activate 2 false",            "Activate 3 false",
      "ClearBeacons",                "AddBeacon -",                 "SetPropellantMaxMass 0 6411",
      "SetPropellantMass 0 6411",    "SetThrusterIsp 0 3048",       "SetThrusterIsp 1 3048",
      "SetThrusterIsp 2 3048",       "SetThrusterIsp 3 3048",       "SetThrusterMax0 0 8332.5",
      "SetThrusterMax0 1 8332.5",    "SetThrusterMax0 2 8332.5",    "SetThrusterMax0 3 8332.5",
      "SetThrusterRef 0 0 4.2 0",    "SetThrusterRef 1 0 4.2 0",    "SetThrusterRef 2 0 4.2 0",
      "SetThrusterRef 3 0 4.2 0",    "SetTouchdownPoints [ 4 ] 4",
  };
  EXPECT_EQ(ascent, expected);
}

}  // namespace
