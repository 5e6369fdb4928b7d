// The capsule's example flights run the way a person runs them: the runner
// flies each scenario with its script and saves; what it saved holds what
// the flight left behind and loads back without doing any of it again.
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "CapsuleHarness.h"

namespace fs = std::filesystem;

namespace capsuletest {
namespace {

typedef std::vector<std::string> Lines;

class ExampleTest : public CapsuleTest {
protected:
  void SetUp() override {
    tracing = false;  // long flights
    vessel = "Tarva";
    dir = fs::temp_directory_path() /
          ("capsule-example-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
           std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  // Flies examples/NAME.scn with its script in the scratch folder, where
  // the script's saves land; the runner saves once more at the end, to
  // "end.scn".
  void Fly(const std::string &name) {
    const std::string cmd = "cd '" + dir.string() + "' && '" VH_BIN_DIR "/vesselhost' run '" VH_EXAMPLES_DIR "/" +
                            name + ".scn' --script '" VH_EXAMPLES_DIR "/" + name +
                            ".vhs' --quiet --config '" VH_CONFIG_DIR "' --modules '" VH_MODULE_DIR "' --save end.scn";
    const int status = std::system(cmd.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << cmd;
  }
  std::string Read(const std::string &file) const {
    std::ifstream in(dir / file);
    EXPECT_TRUE(in.good()) << file;
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  // "NAME:CLASS" of each vessel a saved scenario holds, in order.
  static Lines Vessels(const std::string &scenario) {
    Lines out;
    std::istringstream lines(scenario.substr(scenario.find("BEGIN_SHIPS")));
    std::string line;
    while (std::getline(lines, line))
      if (!line.empty() && line[0] != ' ' && line.find(':') != std::string::npos) out.push_back(line);
    return out;
  }
  // The capsule's own lines in the block of vessel "Tarva".
  static Lines CapsuleKeys(const std::string &scenario) {
    Lines out;
    std::istringstream lines(scenario);
    std::string line;
    bool inBlock = false;
    while (std::getline(lines, line)) {
      if (line == "Tarva:tarva_2016") inBlock = true;
      else if (line == "END") inBlock = false;
      else if (inBlock && line.size() == 11 && line.compare(9, 2, " 1") == 0) out.push_back(line.substr(2));
    }
    return out;
  }

  fs::path dir;
};

TEST_F(ExampleTest, LaunchKeepsItsStageOnlyWhileTheTowerIsCarried) {
  Fly("capsule-launch");
  const std::string climbing = Read("capsule-launch-saved.scn");
  EXPECT_EQ(Vessels(climbing), Lines{"Tarva:tarva_2016"});
  EXPECT_EQ(CapsuleKeys(climbing), Lines{"LAUNCHL 1"});
  const std::string towerGone = Read("capsule-launch-tower-gone.scn");
  const Lines both = {"Tarva:tarva_2016", "Tarva-LES:Tarva_QEL_LES"};
  EXPECT_EQ(Vessels(towerGone), both);
  EXPECT_EQ(CapsuleKeys(towerGone), Lines{});
  const std::string end = Read("end.scn");
  EXPECT_EQ(Vessels(end), both);
  EXPECT_EQ(CapsuleKeys(end), (Lines{"SOLARPR 1", "ORBITAL 1"}));

  // Loaded back, the climbing stack loses its tower once, on its own.
  LoadText(climbing, true);
  Steps(1000);
  EXPECT_EQ(Spawned(), Lines{"Tarva-LES"});
  EXPECT_EQ(SavedKeys(), Lines{});
  // The one saved after the tower left comes back in orbit without it.
  LoadText(towerGone, true);
  Steps(50);
  EXPECT_TRUE(sim->created().empty());
  EXPECT_TRUE(Mesh(LAS).deleted);
  EXPECT_EQ(SavedKeys(), Lines{"ORBITAL 1"});
  EXPECT_FALSE(Warned());
}

TEST_F(ExampleTest, ReturnSavesTheCapsuleDownInItsLandingStage) {
  Fly("capsule-return");
  const std::string landed = Read("capsule-return-saved.scn");
  EXPECT_EQ(Vessels(landed), (Lines{"Tarva:tarva_2016", "Tarva-LSP:Tarva_QEL_lsp", "Tarva-Cover:Tarva_QEL_Cover",
                                    "Tarva-DescentStage:Tarva_QEL_SM", "Tarva-Shield:Tarva_QEL_shield",
                                    "Tarva-drogue:Tarva_QEL_Drogue"}));
  EXPECT_EQ(CapsuleKeys(landed), (Lines{"SOLARPR 1", "LANDING 1"}));
  EXPECT_NE(landed.find("Tarva:tarva_2016\n  STATUS Landed Earth\n"), std::string::npos) << landed;

  // Loaded back it stays down as it was: nothing more leaves.
  LoadText(landed, true);
  Steps(50);
  EXPECT_TRUE(sim->created().empty());
  EXPECT_EQ(Mesh(CM_BURNED).visibility, MESHVIS_EXTERNAL);
  EXPECT_TRUE(Mesh(SHIELD).deleted);
  EXPECT_EQ(SavedKeys(), (Lines{"SOLARPR 1", "LANDING 1"}));
  EXPECT_FALSE(Warned());
}

}  // namespace
}  // namespace capsuletest
