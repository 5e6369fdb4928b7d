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

// Once the tower has left, "LAUNCHL 1" would bring it back on reload and
// jettison it again: no stage line is written, and the capsule comes back
// in the orbital stage.
TEST_F(ScenarioStateTest, LaunchStageIsSavedOnlyWhileTheTowerIsCarried) {
  Load("LAUNCHL 1\nRPOS 0 6471500 0\n");
  sim->step();
  EXPECT_EQ(Spawned(), Lines{"Capsule-LES"});
  EXPECT_EQ(SavedKeys(), Lines{});
  EXPECT_EQ(Reload(), Lines{"ORBITAL 1"});
  EXPECT_TRUE(Mesh(LAS).deleted);
  Steps(2);
  EXPECT_TRUE(sim->created().empty());
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
  Load("REENTRY 1\nRPOS 0 6379000 0\n");
  sim->step();
  ASSERT_EQ(sim->created().size(), 1u);  // shield
  Reload();
  sim->step();
  EXPECT_EQ(Spawned(), (Lines{"Capsule-Shield"}));  // again, in the reloaded run
}

// Equipment lines go on to the host as well; stage lines, whatever their
// value, never do.
TEST_F(ScenarioStateTest, HostLinesReachTheHost) {
  const Lines equipment = {"SOLARPR 1", "coverpr 0", "HATCHPR x", "INSACTI", "LSPACTI 2 junk"};
  const Lines stages = {"LAUNCHL 0", "REENTRY x", "orbital 7", "LANDING", "LaunchL -1", "LANDING 1"};
  std::string block = "STATUS Landed Moon\n";
  for (const Lines *lines : {&equipment, &stages})
    for (const std::string &line : *lines) block += line + "\n";
  Load(block);
  Lines handedOn;
  for (const vhost::TraceEntry &e : calls)
    if (e.call == "ParseScenarioLineEx" && !e.args.empty()) handedOn.push_back(e.args[0].text);
  Lines expected = equipment;
  expected.insert(expected.begin(), "STATUS Landed Moon");
  EXPECT_EQ(handedOn, expected);
  EXPECT_TRUE(Rec().motion.landed);
  EXPECT_EQ(Rec().motion.body, "Moon");
  EXPECT_FALSE(Warned());
}

}  // namespace
}  // namespace capsuletest
