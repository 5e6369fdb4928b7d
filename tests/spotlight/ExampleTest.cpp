// The example flight run the way a person runs it: the runner flies the
// scripted set-up and saves; the saved scenario puts the placement back.
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "SpotlightTestSupport.h"

using namespace spottest;

TEST(SpotlightExample, ScriptedSetupSavesAndReloadsItsPlacement) {
  const std::string saved = ::testing::TempDir() + "spotlight-example-saved.scn";
  const std::string command = std::string(VH_BIN_DIR) + "/vesselhost run " VH_EXAMPLES_DIR "/spotlight.scn --script " +
                              VH_EXAMPLES_DIR "/spotlight.vhs --quiet --config " VH_CONFIG_DIR " --modules " +
                              VH_MODULE_DIR " --save " + saved;
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  std::stringstream text;
  text << std::ifstream(saved).rdbuf();
  const std::string scenario = text.str();
  EXPECT_NE(scenario.find("ATTACHED 0:1,Mast"), std::string::npos) << scenario;
  EXPECT_NE(scenario.find("SPT 1 120.0000 0.6109"), std::string::npos) << scenario;
  EXPECT_NE(scenario.find("PAT 1.0000 2.5000 0.0000 0.0000 0.8090 0.5878 0.0000 -0.5878 0.8090"),
            std::string::npos) << scenario;

  auto sim = Load(scenario);
  sim->step();
  ExpectVec(MastPoint(*sim, 1).pos, 1, 2.5, 0, 1e-4);
  ExpectVec(MastPoint(*sim, 1).dir, 0, 0.8090, 0.5878, 1e-4);
  ExpectVec(MastPoint(*sim, 0).pos, 0, 2, 0);
  EXPECT_TRUE(Light(*sim).IsActive());
}
