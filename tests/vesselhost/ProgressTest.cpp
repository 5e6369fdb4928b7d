// The progress line, seen through a pseudo-terminal (script from
// util-linux): it shows on a run or a validate that lasts more than a
// second, and what is left on the screen afterwards is exactly what the
// command writes without a terminal. Never a word of it off a terminal, on
// a short run, or with --quiet.
#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

#include "RunProgress.h"
#include "RunnerProcess.h"

using namespace runnertest;

namespace {

// What a terminal shows after these bytes: a carriage return goes back to
// the start of the row, a line feed on to the next; trailing blanks do not
// show.
std::vector<std::string> screen(const std::string &bytes) {
  std::vector<std::string> rows;
  std::string row;
  std::size_t col = 0;
  auto finish = [&] {
    row.erase(row.find_last_not_of(' ') + 1);
    rows.push_back(row);
    row.clear();
    col = 0;
  };
  for (const char c : bytes) {
    if (c == '\r') {
      col = 0;
    } else if (c == '\n') {
      finish();
    } else {
      if (col < row.size())
        row[col] = c;
      else
        row += c;
      ++col;
    }
  }
  if (row.find_first_not_of(' ') != std::string::npos) finish();
  return rows;
}

std::vector<std::string> lines(const std::string &text) { return screen(text); }

double seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

class ProgressTest : public ::testing::Test {
protected:
  void SetUp() override {
    dir = testFolder("vesselhost-progress-");
    spit(dir / "fall.scn",
         "BEGIN_SHIPS\nProbe:ProbeClass\n  STATUS Orbiting Earth\n  RPOS 0 6371100 0\nEND\n"
         "Rock:RockClass\n  STATUS Landed Moon\nEND\nEND_SHIPS\n");
    ASSERT_EQ(std::system("command -v script > /dev/null"), 0) << "script (util-linux) is not installed";
  }
  void TearDown() override {
    if (!HasFailure()) fs::remove_all(dir);
  }

  // The command line in the test's folder; standard output and error to
  // files, or both to a pseudo-terminal whose bytes go to "tty.txt".
  // Returns the wall time it took.
  double run(const std::string &args, bool terminal) {
    const std::string command = "'" VH_BIN_DIR "/vesselhost' " + args;
    std::string line = "cd '" + dir.string() + "' && ";
    if (terminal)
      line += "script -qec \"" + command + "\" /dev/null < /dev/null > tty.txt 2> script-err.txt";
    else
      line += command + " > stdout.txt 2> stderr.txt < /dev/null";
    const auto start = std::chrono::steady_clock::now();
    const int status = std::system(line.c_str());
    EXPECT_EQ(status, 0) << line << "\n" << slurp(dir / "stderr.txt") << slurp(dir / "tty.txt");
    return seconds(std::chrono::steady_clock::now() - start);
  }

  // A run with timeline lines early and late that lasts about three seconds
  // on this machine as it is now (so that even a run that goes twice as fast
  // on a terminal still lasts past the progress line's first second): its
  // arguments.
  std::string longRun() {
    double frames = 200000;
    for (int attempt = 0; attempt < 4; ++attempt) {
      const double dt = 0.001, until = frames * dt;
      std::string script;
      for (const double share : {0.01, 0.3, 0.6, 0.8, 0.95})
        script += "at " + std::to_string(share * until) + " altitude Probe 100\n";
      spit(dir / "fly.vhs", script);
      const std::string args = "run fall.scn --script fly.vhs --config config --modules . --dt 0.001 --until " +
                               std::to_string(until) + " --state s.json";
      const double took = run(args, false);
      if (took > 2.4) return args;
      frames *= 3.2 / std::max(took, 0.05);
    }
    ADD_FAILURE() << "no run of about three seconds";
    return "";
  }

  fs::path dir;
};

TEST_F(ProgressTest, LongRunShowsProgressAndLeavesTheScreenAsWithout) {
  const std::string args = longRun();
  ASSERT_FALSE(args.empty());
  // Off a terminal: the reference, with nothing on standard error.
  const std::string timeline = slurp(dir / "stdout.txt"), state = slurp(dir / "s.json");
  EXPECT_EQ(slurp(dir / "stderr.txt"), "");
  ASSERT_GE(lines(timeline).size(), 6u) << timeline;  // five altitude lines and the landing

  run(args, true);
  const std::string tty = slurp(dir / "tty.txt");
  EXPECT_TRUE(std::regex_search(tty, std::regex("vesselhost: [0-9.]+ s of [0-9.]+ s \\([0-9]+%\\), [0-9.]+ [kM]? ?"
                                                "frames/s, [0-9][^\r\n]* left")))
      << tty;
  EXPECT_EQ(screen(tty), lines(timeline)) << "the progress line is not cleared, or shares a row";
  EXPECT_EQ(slurp(dir / "s.json"), state);

  run(args + " --quiet", true);
  EXPECT_EQ(slurp(dir / "tty.txt"), "") << "--quiet";
}

TEST_F(ProgressTest, ShortRunShowsNone) {
  spit(dir / "fly.vhs", "at 0.5 altitude Probe 50\n");
  run("run fall.scn --script fly.vhs --config config --modules .", true);
  const std::string tty = slurp(dir / "tty.txt");
  EXPECT_EQ(tty.find("vesselhost:"), std::string::npos) << tty;
  for (std::size_t cr = tty.find('\r'); cr != std::string::npos; cr = tty.find('\r', cr + 1))
    EXPECT_EQ(tty.compare(cr, 2, "\r\n"), 0) << "a carriage return not at a line end:\n" << tty;
}

TEST_F(ProgressTest, LongValidateShowsProgressAndLeavesTheReportAsWithout) {
  std::string modules = " Selvar_2016 SelvarCargo2016 tarva_2016 beamwick2";
  double took = 0;
  for (int attempt = 0; attempt < 8; ++attempt, modules += modules) {
    took = run("validate" + modules + " --modules '" VH_MODULE_DIR "' --config '" VH_CONFIG_DIR "'", false);
    if (took > 1.6) break;
  }
  ASSERT_GT(took, 1.6);
  const std::string report = slurp(dir / "stdout.txt");
  EXPECT_EQ(slurp(dir / "stderr.txt"), "");

  run("validate" + modules + " --modules '" VH_MODULE_DIR "' --config '" VH_CONFIG_DIR "'", true);
  const std::string tty = slurp(dir / "tty.txt");
  EXPECT_TRUE(std::regex_search(tty, std::regex("vesselhost: validating [A-Za-z0-9_]+ \\([0-9]+ of [0-9]+\\): ")))
      << tty;
  EXPECT_EQ(screen(tty), lines(report));
}

TEST(ProgressText, ReadsAtEveryScale) {
  EXPECT_EQ(vesselhost::runProgressText(12.5, 100, 0.02, 0), "vesselhost: 12.50 s of 100.00 s (12%)");
  // 87.5 s in 0.02 s frames at 1000 frames/s: 4.375 s.
  EXPECT_EQ(vesselhost::runProgressText(12.5, 100, 0.02, 1000),
            "vesselhost: 12.50 s of 100.00 s (12%), 1000 frames/s, 5 s left");
  // Left: 1e12 s in 0.02 s frames at 2.5 M frames/s, 231.5 days; then 100 times that.
  EXPECT_EQ(vesselhost::runProgressText(3600, 1e12, 0.02, 2.5e6),
            "vesselhost: 3600.00 s of 1e+12 s (0%), 2.5 M frames/s, 231 d 11 h left");
  EXPECT_EQ(vesselhost::runProgressText(3600, 1e14, 0.02, 2.5e6),
            "vesselhost: 3600.00 s of 1e+14 s (0%), 2.5 M frames/s, 63.4 years left");
  EXPECT_EQ(vesselhost::durationText(59.2), "1 min 00 s");
  EXPECT_EQ(vesselhost::durationText(3 * 3600 + 5 * 60), "3 h 05 min");
  EXPECT_EQ(vesselhost::durationText(2 * 86400 + 7 * 3600 + 1), "2 d 7 h");
}

}  // namespace
