// The capsule's scenario lines: what is written, how lines are read, and
// that what is saved comes back.
#include <algorithm>
#include <string>
#include <vector>

#include "CapsuleHarness.h"

namespace capsuletest {
namespace {

typedef std::vector<std::string> Lines;

class ScenarioStateTest : public CapsuleTest {
protected:
  // Loads the capsule again from the lines it saved (without the pieces it
  // has shed) and returns its keys.
  Lines Reload() {
    std::string block;
    for (const std::string &line : Saved()) block += line + "\n";
    Load(block);
    return SavedKeys();
  }
};

TEST_F(ScenarioStateTest, WriterOrderAndReloadOfEveryKey) {
  Load("LANDING 1\nINSACTI 1\nLSPACTI 1\nHATCHPR 1\nSOLARPR 1\nCOVERPR 1\n");
  const Lines all = {"SOLARPR 1", "HATCHPR 1", "LSPACTI 1", "INSACTI 1", "COVERPR 1", "LANDING 1"};
  EXPECT_EQ(SavedKeys(), all);
  sim->step();
  EXPECT_EQ(AnimState(HATCH), 1.0);  // loaded open: set open at the first step
  EXPECT_EQ(AnimState(INS), 1.0);
  EXPECT_EQ(Reload(), all);
  // Nothing of the capsule's is written twice.
  const Lines saved = Saved();
  EXPECT_EQ(std::count(saved.begin(), saved.end(), "SOLARPR 1"), 1);
}

TEST_F(ScenarioStateTest, LaunchStageSurvivesASave) {
  Load("LAUNCHL 1\nLSPACTI 1\n");
  EXPECT_EQ(SavedKeys(), (Lines{"LSPACTI 1", "LAUNCHL 1"}));
  EXPECT_EQ(Reload(), (Lines{"LSPACTI 1", "LAUNCHL 1"}));
  EXPECT_FALSE(Mesh(LAS).deleted);
  EXPECT_EQ(Mesh(LAS).visibility, MESHVIS_ALWAYS);
}

TEST_F(ScenarioStateTest, ReaderComparesSevenLettersAnyCaseAndReadsOneInteger) {
  Load("solarpr 1\nHatchPr   2 trailing words\nLSPACTI 0\nINSACTI\nCOVERPR x1\nLANDINGX 1\n");
  EXPECT_EQ(SavedKeys(), (Lines{"SOLARPR 1", "HATCHPR 1", "ORBITAL 1"}));
  // A line with no readable integer counts as 0; a huge one is still set.
  Load("HATCHPR 99999999999999999999\nREENTRY\n");
  EXPECT_EQ(SavedKeys(), (Lines{"HATCHPR 1", "ORBITAL 1"}));
  // Short and empty lines are simply not the capsule's.
  Load("LSP\n\nL\n");
  EXPECT_EQ(SavedKeys(), (Lines{"ORBITAL 1"}));
  EXPECT_FALSE(Warned());
}

TEST_F(ScenarioStateTest, LastStageKeyWins) {
  Load("REENTRY 1\nLANDING 1\n");
  EXPECT_EQ(SavedKeys(), (Lines{"LANDING 1"}));
  EXPECT_EQ(AnimState(LANDING), 1.0);
  Load("LANDING 1\nREENTRY 1\nLANDING 0\n");
  EXPECT_EQ(SavedKeys(), (Lines{"REENTRY 1"}));
  EXPECT_FALSE(Mesh(SHIELD).deleted);
}

TEST_F(ScenarioStateTest, JettisonedAndHalfwayThingsComeBackAsTheyShould) {
  Load("COVERPR 1\n");
  Alt(OAPI_KEY_K);
  Key(OAPI_KEY_A);
  Steps(75);  // hatch halfway open
  EXPECT_NEAR(AnimState(HATCH), 0.495, 1e-9);
  EXPECT_EQ(Reload(), (Lines{"HATCHPR 1", "ORBITAL 1"}));  // no cover
  sim->step();
  EXPECT_EQ(AnimState(HATCH), 1.0);
  EXPECT_EQ(Mesh(SM_COVER).visibility, MESHVIS_NEVER);
}

TEST_F(ScenarioStateTest, EventFlagsAreNotSaved) {
  Load("REENTRY 1\nALT 8000\n");
  sim->step();
  ASSERT_EQ(sim->created().size(), 1u);  // shield
  Reload();
  sim->step();
  EXPECT_EQ(Spawned(), (Lines{"Capsule-Shield"}));  // again, in the reloaded run
}

TEST_F(ScenarioStateTest, HostLinesReachTheHost) {
  Load("LANDING 1\nSTATUS Landed Moon\n");
  EXPECT_TRUE(Rec().motion.landed);
  EXPECT_EQ(Rec().motion.body, "Moon");
}

}  // namespace
}  // namespace capsuletest
