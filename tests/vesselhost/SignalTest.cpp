// A run stopped by SIGINT or SIGTERM: it ends after its frame with a line
// saying when, the signal's exit status, and nothing written or left half
// made; a second signal ends it at once, even in a frame that cannot end,
// and leaves no temporary file either.
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <sys/stat.h>

#include <cstring>
#include <regex>

#include "RunnerProcess.h"

using namespace runnertest;

namespace {

const char *const kScenario =
    "BEGIN_SHIPS\n"
    "Probe:ProbeClass\n"
    "  STATUS Orbiting Earth\n"
    "  RPOS 0 6371100 0\n"
    "END\n"
    "END_SHIPS\n";

class SignalTest : public ::testing::Test {
protected:
  void SetUp() override {
    dir = testFolder("vesselhost-signal-");
    spit(dir / "fly.scn", kScenario);
    spit(dir / "s.json", "good\n");
  }
  void TearDown() override {
    if (!HasFailure()) fs::remove_all(dir);
  }

  // The run has made its trace's temporary file, so it is past the command
  // line and its handlers are in place.
  bool running() {
    for (const std::string &name : listing(dir))
      if (name.rfind(".t.jsonl.tmp", 0) == 0) return true;
    return false;
  }

  const std::vector<std::string> args = {"run",     "fly.scn", "--until",  "1e12",    "--state",  "s.json",
                                         "--save",  "s.scn",   "--trace",  "t.jsonl", "--config", "config",
                                         "--modules", "."};
  fs::path dir;
};

TEST_F(SignalTest, FirstSignalStopsAfterTheFrameAndWritesNothing) {
  for (const int sig : {SIGINT, SIGTERM}) {
    const std::string name = sig == SIGINT ? "SIGINT" : "SIGTERM";
    RunnerProcess run(dir, args);
    ASSERT_TRUE(run.started());
    ASSERT_TRUE(eventually([&] { return running(); })) << name;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));  // into its frames
    run.signal(sig);
    ASSERT_TRUE(run.waitFor(std::chrono::seconds(20))) << name << ": still running";
    ASSERT_TRUE(WIFEXITED(run.status())) << name << ": ended by the signal itself";
    EXPECT_EQ(WEXITSTATUS(run.status()), 128 + sig) << name;

    const std::string err = slurp(dir / "stderr.txt");
    EXPECT_TRUE(std::regex_search(err, std::regex("^vesselhost: stopped by " + name +
                                                  " at [0-9]+\\.[0-9]{2} s of 1e\\+12 s simulated; "
                                                  "no output written\n$")))
        << err;
    EXPECT_EQ(slurp(dir / "s.json"), "good\n") << name;
    const std::vector<std::string> left = {"config", "fly.scn", "s.json", "stderr.txt", "stdout.txt"};
    EXPECT_EQ(listing(dir), left) << name << ": an output or a temporary file was left";
  }
}

TEST_F(SignalTest, SecondSignalEndsAFrameThatCannotEndAndLeavesNoTemporaryFile) {
  // A timeline line every frame into a pipe nobody reads: once the pipe is
  // full the frame waits in its write for ever.
  std::string script;
  for (int i = 0; i < 20000; ++i) script += "at " + std::to_string(i * 0.02) + " altitude Probe 50\n";
  spit(dir / "fill.vhs", script);
  int pipeFds[2];
  ASSERT_EQ(pipe(pipeFds), 0);
  std::vector<std::string> withScript = args;
  withScript.insert(withScript.end(), {"--script", "fill.vhs"});
  RunnerProcess run(dir, withScript, pipeFds[1]);
  close(pipeFds[1]);
  ASSERT_TRUE(run.started());
  ASSERT_TRUE(eventually([&] {
    int queued = 0;
    return ioctl(pipeFds[0], FIONREAD, &queued) == 0 && queued >= 60000;
  })) << "the timeline never filled the pipe";
  std::this_thread::sleep_for(std::chrono::milliseconds(100));

  run.signal(SIGINT);
  EXPECT_FALSE(run.waitFor(std::chrono::milliseconds(300))) << "the first signal did not wait for the frame";
  run.signal(SIGINT);
  ASSERT_TRUE(run.waitFor(std::chrono::seconds(10))) << "the second signal did not end it";
  close(pipeFds[0]);
  EXPECT_TRUE(WIFSIGNALED(run.status()) && WTERMSIG(run.status()) == SIGINT) << "status " << run.status();
  EXPECT_EQ(slurp(dir / "s.json"), "good\n");
  const std::vector<std::string> left = {"config", "fill.vhs", "fly.scn", "s.json", "stderr.txt"};
  EXPECT_EQ(listing(dir), left) << "an output or a temporary file was left";
}

TEST_F(SignalTest, ValidateStopsAfterItsCheckAndRemovesItsScratchFolder) {
  std::vector<std::string> validate = {"validate", "--modules", VH_MODULE_DIR, "--config", VH_CONFIG_DIR};
  for (int i = 0; i < 200; ++i) validate.push_back(i % 2 ? "tarva_2016" : "Selvar_2016");
  RunnerProcess run(dir, validate);
  ASSERT_TRUE(eventually([&] {
    for (const std::string &name : listing(dir))
      if (name.rfind("vesselhost-validate-", 0) == 0) return true;
    return false;
  }));
  run.signal(SIGTERM);
  ASSERT_TRUE(run.waitFor(std::chrono::seconds(20)));
  ASSERT_TRUE(WIFEXITED(run.status()));
  EXPECT_EQ(WEXITSTATUS(run.status()), 143);
  EXPECT_TRUE(std::regex_search(slurp(dir / "stderr.txt"),
                                std::regex("^vesselhost: validate stopped by SIGTERM at module [0-9]+ of 200 "
                                           "\\((Selvar|tarva)_2016\\); no report\n$")))
      << slurp(dir / "stderr.txt");
  EXPECT_EQ(slurp(dir / "stdout.txt"), "");
  const std::vector<std::string> left = {"config", "fly.scn", "s.json", "stderr.txt", "stdout.txt"};
  EXPECT_EQ(listing(dir), left) << "the scratch folder was left";
}

TEST_F(SignalTest, DrawStoppedBeforeItsPictureWritesNothing) {
  // The scenario comes through a pipe: once draw has the pipe open it is
  // past its command line, and it waits for the scenario there.
  const fs::path pipePath = dir / "slow.scn";
  ASSERT_EQ(mkfifo(pipePath.c_str(), 0600), 0);
  RunnerProcess draw(dir, {"draw", "slow.scn", "--out", "d.svg", "--config", "config", "--modules", "."});
  int fd = -1;
  ASSERT_TRUE(eventually([&] { return (fd = open(pipePath.c_str(), O_WRONLY | O_NONBLOCK)) >= 0; }));
  draw.signal(SIGINT);
  ASSERT_EQ(fcntl(fd, F_SETFL, 0), 0);
  ASSERT_EQ(write(fd, kScenario, std::strlen(kScenario)), static_cast<ssize_t>(std::strlen(kScenario)));
  close(fd);
  ASSERT_TRUE(draw.waitFor(std::chrono::seconds(20)));
  ASSERT_TRUE(WIFEXITED(draw.status()));
  EXPECT_EQ(WEXITSTATUS(draw.status()), 130);
  EXPECT_EQ(slurp(dir / "stderr.txt"), "vesselhost: draw stopped by SIGINT; nothing written\n");
  const std::vector<std::string> left = {"config", "fly.scn", "s.json", "slow.scn", "stderr.txt", "stdout.txt"};
  EXPECT_EQ(listing(dir), left) << "a picture or a temporary file was left";
}

TEST_F(SignalTest, HelpSaysWhatASignalDoes) {
  RunnerProcess help(dir, {"run", "--help"});
  ASSERT_TRUE(help.waitFor(std::chrono::seconds(20)));
  const std::string out = slurp(dir / "stdout.txt");
  for (const char *word : {"SIGINT", "SIGTERM", "130", "143", "end of its frame", "no output file is written"})
    EXPECT_NE(out.find(word), std::string::npos) << word;
}

}  // namespace
