// Whole runs of the built vesselhost on scenarios and scripts written here:
// the timeline, the JSON state, the saved scenario and its round trip, the
// messages and exit codes of bad input, and output files that a failed run
// leaves alone. Vessels of classes without a configuration file are
// passive, so these runs need no plug-in.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <thread>

#include <nlohmann/json.hpp>

namespace fs = std::filesystem;
using Json = nlohmann::ordered_json;

namespace {

struct Result {
  int code = -1;
  std::string out, err;
};

std::string slurp(const fs::path &p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

void spit(const fs::path &p, const std::string &text) {
  std::ofstream out(p, std::ios::binary);
  out << text;
}

const char *const kFalling =
    "BEGIN_ENVIRONMENT\n"
    "  System Sol\n"
    "END_ENVIRONMENT\n"
    "BEGIN_SHIPS\n"
    "Probe:ProbeClass\n"
    "  STATUS Orbiting Earth\n"
    "  RPOS 0 6371100 0\n"
    "END\n"
    "Rock:RockClass\n"
    "  STATUS Landed Moon\n"
    "END\n"
    "END_SHIPS\n";

class RunTest : public ::testing::Test {
protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("vesselhost-run-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir);
    fs::create_directories(dir / "config");
    // Passive classes; the probe without cross sections, so without drag.
    spit(dir / "config" / "ProbeClass.cfg", "CrossSections = 0 0 0\n");
    spit(dir / "config" / "RockClass.cfg", "; passive\n");
    spit(dir / "fall.scn", kFalling);
  }
  void TearDown() override {
    if (!HasFailure()) fs::remove_all(dir);
  }

  // Runs vesselhost with these arguments (each quoted) in the test's folder.
  Result run(const std::vector<std::string> &args, bool withDirs = true) {
    std::string cmd = "cd '" + dir.string() + "' && '" VH_BIN_DIR "/vesselhost'";
    for (const std::string &a : args) cmd += " '" + a + "'";
    if (withDirs && !args.empty() && args[0] == "run") cmd += " --config config --modules '" VH_MODULE_DIR "'";
    cmd += " > stdout.txt 2> stderr.txt";
    Result r;
    const int status = std::system(cmd.c_str());
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.out = slurp(dir / "stdout.txt");
    r.err = slurp(dir / "stderr.txt");
    return r;
  }

  Json json(const std::string &name) { return Json::parse(slurp(dir / name)); }

  const Json &vessel(const Json &state, const std::string &name) {
    for (const Json &v : state["vessels"])
      if (v["name"] == name) return v;
    static const Json none;
    ADD_FAILURE() << "no vessel " << name;
    return none;
  }

  fs::path dir;
};

}  // namespace

TEST_F(RunTest, FallingProbeLandsOnTheTimelineAndInTheState) {
  spit(dir / "fly.vhs",
       "# a probe and a rock\n"
       "at 0 key Probe Alt+J\n"
       "at 6 state mid.json\n");
  Result r = run({"run", "fall.scn", "--script", "fly.vhs", "--state", "end.json"});
  ASSERT_EQ(r.code, 0) << r.err;

  // Free fall from 100 m (no cross section, no drag) onto its touchdown
  // points, the default ones 2 m below its centre: about 4.47 s.
  std::istringstream lines(r.out);
  std::string line, landed;
  while (std::getline(lines, line))
    if (line.find("Probe") != std::string::npos && line.find("landed") != std::string::npos) landed = line;
  ASSERT_FALSE(landed.empty()) << r.out;
  const double t = std::stod(landed);
  EXPECT_NEAR(t, std::sqrt(2 * 98 / 9.81), 0.05) << landed;
  EXPECT_EQ(landed.find('.'), landed.find_first_not_of(' ') + 1) << "time with fixed decimals first: " << landed;
  EXPECT_NE(r.out.find("key Alt+J not consumed"), std::string::npos) << r.out;

  const Json end = json("end.json");
  EXPECT_NEAR(end["time"].get<double>(), 6.02, 1e-9);  // the last script time plus one step
  for (const char *key : {"time", "cockpitMode", "vcPosition", "vcNeighbours", "debugString", "inputBox", "keys",
                          "created", "warnings", "modules", "vessels"})
    EXPECT_TRUE(end.contains(key)) << key;
  ASSERT_EQ(end["vessels"].size(), 2u);
  EXPECT_EQ(end["vessels"][0]["name"], "Probe");  // creation order
  const Json &probe = vessel(end, "Probe");
  EXPECT_TRUE(probe["module"].is_null());
  EXPECT_TRUE(probe["status"]["landed"].get<bool>());
  EXPECT_TRUE(probe["groundContact"].get<bool>());
  EXPECT_NEAR(probe["altitude"].get<double>(), 2, 1e-9);  // standing on its touchdown points
  EXPECT_EQ(vessel(end, "Rock")["status"]["body"], "Moon");
  ASSERT_EQ(end["keys"].size(), 1u);
  EXPECT_EQ(end["keys"][0]["combo"], "Alt+J");
  EXPECT_EQ(end["keys"][0]["vessel"], "Probe");
  EXPECT_FALSE(end["keys"][0]["consumed"].get<bool>());
  EXPECT_TRUE(end["inputBox"].is_null());

  // A state command captures what the frames before it left.
  EXPECT_NEAR(json("mid.json")["time"].get<double>(), 6.0, 1e-9);
}

TEST_F(RunTest, CommandsAtOneTimeRunInFileOrderBeforeTheFrame) {
  spit(dir / "order.vhs",
       "at 1 altitude Probe 70\n"
       "at 0.5 altitude Probe 40\n"
       "at 1 state a.json\n"
       "at 1 altitude Probe 50\n"
       "at 1 state b.json\n");
  Result r = run({"run", "fall.scn", "--script", "order.vhs", "--physics", "off", "--quiet", "--state", "end.json"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_DOUBLE_EQ(vessel(json("a.json"), "Probe")["altitude"].get<double>(), 70);
  EXPECT_DOUBLE_EQ(vessel(json("b.json"), "Probe")["altitude"].get<double>(), 50);
  EXPECT_NEAR(json("a.json")["time"].get<double>(), 1.0, 1e-9);
  // Physics off: nothing moves but what the script sets.
  EXPECT_DOUBLE_EQ(vessel(json("end.json"), "Probe")["altitude"].get<double>(), 50);
  EXPECT_FALSE(vessel(json("end.json"), "Probe")["status"]["landed"].get<bool>());
}

TEST_F(RunTest, NoScriptMeansNoFramesAndUntilCountsFrameStarts) {
  Result r = run({"run", "fall.scn", "--state", "s.json"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(json("s.json")["time"].get<double>(), 0.0);

  r = run({"run", "fall.scn", "--dt", "0.25", "--until", "1.1", "--state", "s.json"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NEAR(json("s.json")["time"].get<double>(), 1.25, 1e-9);  // frames starting at 0 .. 1.0
  r = run({"run", "fall.scn", "--dt", "0.25", "--until", "1", "--state", "s.json"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NEAR(json("s.json")["time"].get<double>(), 1.0, 1e-9);
}

TEST_F(RunTest, SavedScenarioLoadsToTheSameLines) {
  spit(dir / "fly.vhs", "at 1 altitude Probe 20\nat 1.5 save mid.scn\n");
  Result r = run({"run", "fall.scn", "--script", "fly.vhs", "--save", "a.scn"});
  ASSERT_EQ(r.code, 0) << r.err;
  const std::string a = slurp(dir / "a.scn");
  EXPECT_NE(a.find("BEGIN_SHIPS"), std::string::npos);
  EXPECT_NE(a.find("Probe:ProbeClass"), std::string::npos);
  EXPECT_TRUE(fs::exists(dir / "mid.scn"));

  r = run({"run", "a.scn", "--save", "b.scn"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(slurp(dir / "b.scn"), a);
}

TEST_F(RunTest, BadScenarioLinesNameFileAndLine) {
  struct Case {
    const char *text;
    int line;
  } cases[] = {
      {"BEGIN_SHIPS\nProbe:ProbeClass\nEND\nNoClass\nEND\nEND_SHIPS\n", 4},
      {"BEGIN_SHIPS\nProbe:ProbeClass\n  STATUS Landed Earth\n", 2},
  };
  for (const Case &c : cases) {
    spit(dir / "bad.scn", c.text);
    Result r = run({"run", "bad.scn"});
    EXPECT_EQ(r.code, 1) << c.text;
    EXPECT_NE(r.err.find("bad.scn:" + std::to_string(c.line) + ":"), std::string::npos) << c.text << r.err;
  }
  // A value that does not read is passed over, as the simulator does, and said.
  spit(dir / "bad.scn", "BEGIN_SHIPS\nProbe:ProbeClass\n  RPOS 1 x 3\n  ALT high\nEND\nEND_SHIPS\n");
  Result passed = run({"run", "bad.scn"});
  EXPECT_EQ(passed.code, 0) << passed.err;
  EXPECT_NE(passed.err.find("warning: bad.scn:3: RPOS needs 3 numbers; 1 read"), std::string::npos) << passed.err;
  EXPECT_NE(passed.err.find("warning: bad.scn:4: ALT"), std::string::npos) << passed.err;
  Result r = run({"run", "missing.scn"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("missing.scn"), std::string::npos) << r.err;
}

TEST_F(RunTest, BadScriptLinesNameFileAndLineBeforeTheRun) {
  struct Case {
    const char *text;
    int line;
  } cases[] = {
      {"at 1 key Probe J\nat 2 fly Probe\n", 2},
      {"# ok\nat 1 key Probe Hyper+J\n", 2},
      {"at 1 altitude Probe 1O0\n", 1},
      {"at 0 key Probe J\n\nat 3 key Nobody J\n", 3},
  };
  for (const Case &c : cases) {
    spit(dir / "bad.vhs", std::string(c.text) + "at 0 state early.json\n");
    Result r = run({"run", "fall.scn", "--script", "bad.vhs"});
    EXPECT_EQ(r.code, 1) << c.text;
    EXPECT_NE(r.err.find("bad.vhs:" + std::to_string(c.line) + ":"), std::string::npos) << c.text << r.err;
    EXPECT_FALSE(fs::exists(dir / "early.json")) << "ran before the fault was found: " << c.text;
  }
}

TEST_F(RunTest, BadOptionsAreUsageErrors) {
  const std::vector<std::vector<std::string>> cases = {
      {"run", "fall.scn", "--dt", "0"},     {"run", "fall.scn", "--dt", "-0.1"},
      {"run", "fall.scn", "--dt", "fast"},  {"run", "fall.scn", "--physics", "maybe"},
      {"run", "fall.scn", "--until", "x"},  {"run", "fall.scn", "--bogus"},
      {"run"},                              {"fly", "fall.scn"},
      {},
  };
  for (const auto &args : cases) {
    Result r = run(args);
    std::string shown;
    for (const auto &a : args) shown += a + " ";
    EXPECT_EQ(r.code, 2) << shown << r.err;
    EXPECT_FALSE(r.err.empty()) << shown;
  }
  Result help = run({"--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_NE(help.out.find("run"), std::string::npos);
  const Result version = run({"--version"});
  EXPECT_EQ(version.code, 0);
  EXPECT_EQ(version.out, "vesselhost " VH_PROJECT_VERSION "\n");
  help = run({"run", "--help"}, false);
  EXPECT_EQ(help.code, 0);
  for (const char *word : {"--script", "--dt", "--until", "--physics", "--save", "--state", "--trace", "--config",
                           "--modules", "--quiet", "hold", "cockpit", "NumPad"})
    EXPECT_NE(help.out.find(word), std::string::npos) << word;
}

TEST_F(RunTest, FailedRunLeavesOutputFilesAlone) {
  for (const char *name : {"s.json", "s.scn", "t.jsonl"}) spit(dir / name, "good\n");
  const std::vector<std::string> outputs = {"--state", "s.json", "--save", "s.scn", "--trace", "t.jsonl"};
  auto check = [&](const std::string &why) {
    for (const char *name : {"s.json", "s.scn", "t.jsonl"}) EXPECT_EQ(slurp(dir / name), "good\n") << why << name;
    std::size_t files = 0;
    for (const auto &e : fs::directory_iterator(dir)) files += e.is_regular_file();
    EXPECT_EQ(files, 7u) << why << ": a temporary file was left behind";  // 3 outputs, 2 inputs, stdout, stderr
  };

  spit(dir / "x.vhs", "at 1 jump\n");
  std::vector<std::string> args = {"run", "fall.scn", "--script", "x.vhs"};
  args.insert(args.end(), outputs.begin(), outputs.end());
  Result r = run(args);
  EXPECT_EQ(r.code, 1);
  check("bad script: ");

  // Found only while running: no input box is open, and a spawned piece
  // that never appears.
  for (const char *text : {"at 0.1 altitude Probe 5\nat 0.5 input hello\n", "at 0.2 altitude Probe-Piece 5\n"}) {
    spit(dir / "x.vhs", text);
    r = run(args);
    EXPECT_EQ(r.code, 1) << text;
    EXPECT_NE(r.err.find("x.vhs:"), std::string::npos) << r.err;
    check(text);
  }
}

// The example flight of the host's test module: keys, an input box that
// stays open once, holds that combine, the cockpit, a spawned piece, and
// the trace of every call the module made.
TEST_F(RunTest, ProbeExampleFlight) {
  const std::string scn = VH_EXAMPLES_DIR "/host-probe.scn", vhs = VH_EXAMPLES_DIR "/host-probe.vhs";
  Result r = run({"run", scn, "--script", vhs, "--config", VESSELHOST_TEST_CONFIG_DIR, "--modules",
                  VESSELHOST_TEST_MODULE_DIR, "--state", "s.json", "--save", "a.scn", "--trace", "t.jsonl"},
                 false);
  ASSERT_EQ(r.code, 0) << r.err;
  for (const char *event : {"class HostProbe", "key K consumed", "key S not consumed", "input box",
                            "Probe-Piece", "landed"})
    EXPECT_NE(r.out.find(event), std::string::npos) << event << "\n" << r.out;
  EXPECT_EQ(r.out.find("key K consumed"), r.out.rfind("key K consumed")) << "one line per key:\n" << r.out;

  const Json s = json("s.json");
  std::vector<std::pair<std::string, bool>> keys;
  for (const Json &k : s["keys"]) keys.emplace_back(k["combo"], k["consumed"]);
  EXPECT_EQ(keys, (std::vector<std::pair<std::string, bool>>{{"K", true}, {"I", true}, {"S", false}, {"Shift+S", true}}));
  EXPECT_TRUE(s["inputBox"].is_null());
  EXPECT_EQ(s["debugString"], "input Probe done");  // "keep" left the box open for "done"
  // The passive Mast took the focus last: it has no virtual cockpit, so the
  // generic one took over, with no neighbours.
  EXPECT_EQ(s["cockpitMode"], 1);
  EXPECT_EQ(s["vcNeighbours"], Json::array({-1, -1, -1, -1}));
  EXPECT_NE(r.out.find("Probe             cockpit virtual, position 1 loaded"), std::string::npos) << r.out;
  ASSERT_EQ(s["created"].size(), 1u);
  EXPECT_EQ(s["created"][0]["name"], "Probe-Piece");
  EXPECT_EQ(s["created"][0]["by"], "Probe");
  EXPECT_NEAR(s["created"][0]["time"].get<double>(), 0.02, 1e-9);  // the first post-step
  ASSERT_EQ(s["modules"].size(), 1u);
  EXPECT_EQ(s["modules"][0]["date"], "Jan  7 2017");
  EXPECT_EQ(s["modules"][0]["version"], 20160828);

  const Json &probe = vessel(s, "Probe");
  EXPECT_EQ(probe["module"], "vhost_probe");
  // H held 0.5 s moves animation 1 by 0.01 a frame; Shift held with it for
  // 0.1 s sets animation 0 to 1.
  EXPECT_NEAR(probe["animations"][1]["state"].get<double>(), 0.25, 1e-9);
  EXPECT_EQ(probe["animations"][0]["state"], 1.0);
  EXPECT_EQ(probe["dockingStatus"], Json::array({1}));
  EXPECT_EQ(probe["hud"][0]["text"], "probe 800x600");
  EXPECT_FALSE(probe["materials"].empty());
  EXPECT_DOUBLE_EQ(vessel(s, "Probe-Piece")["altitude"].get<double>(), 2);  // set to 20 m, then fell onto its points

  // Every trace line is one JSON object; the calls of class setup are there.
  std::istringstream trace(slurp(dir / "t.jsonl"));
  std::string line;
  bool setSize = false, createVessel = false, announced = false;
  std::set<std::string> callbacks;
  while (std::getline(trace, line)) {
    const Json t = Json::parse(line);
    ASSERT_TRUE(t.contains("t") && t.contains("vessel") && t.contains("in") && t.contains("call") &&
                t["args"].is_array())
        << line;
    if (t["in"].is_string()) callbacks.insert(t["in"].get<std::string>());
    if (t["call"] == "SetSize")
      setSize = t["vessel"] == "Probe" && t["in"] == "clbkSetClassCaps" && t["args"] == Json::array({5.0});
    if (t["call"] == "oapiCreateVessel")
      createVessel = t["vessel"] == "Probe" && t["in"] == "clbkPostStep" && t["t"] == 0.02;
    if (t["call"] == "InitLib") announced = t["in"] == "module load";
  }
  EXPECT_TRUE(setSize);
  EXPECT_TRUE(createVessel);
  EXPECT_TRUE(announced);
  for (const char *cb : {"ovcInit", "clbkSetClassCaps", "clbkLoadStateEx", "clbkConsumeBufferedKey", "clbkSaveState",
                         "input box callback"})
    EXPECT_TRUE(callbacks.count(cb)) << cb;

  // The saved flight loads again and saves to the same lines.
  r = run({"run", "a.scn", "--config", VESSELHOST_TEST_CONFIG_DIR, "--modules", VESSELHOST_TEST_MODULE_DIR,
           "--save", "b.scn"},
          false);
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(slurp(dir / "a.scn").find("NOTE kept through every save"), std::string::npos);
  EXPECT_EQ(slurp(dir / "b.scn"), slurp(dir / "a.scn"));
}

// A vessel whose lines would hold nan or inf: the save fails, naming the
// vessel and the line, and writes nothing, whether at the end of the run or
// from the script.
TEST_F(RunTest, SaveWithANumberThatIsNotFiniteFailsAndWritesNothing) {
  spit(dir / "odd.scn", "BEGIN_SHIPS\nOdd:HostProbe\n  NOTE 1 -nan\nEND\nEND_SHIPS\n");
  spit(dir / "s.scn", "good\n");
  spit(dir / "x.vhs", "at 0.1 save later.scn\n");
  const std::vector<std::string> dirs = {"--config", VESSELHOST_TEST_CONFIG_DIR, "--modules", VESSELHOST_TEST_MODULE_DIR};
  std::vector<std::string> atEnd = {"run", "odd.scn", "--until", "0.1", "--save", "s.scn"};
  atEnd.insert(atEnd.end(), dirs.begin(), dirs.end());
  Result r = run(atEnd, false);
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("s.scn: cannot save the scenario: vessel \"Odd\": NOTE"), std::string::npos) << r.err;
  EXPECT_EQ(slurp(dir / "s.scn"), "good\n");

  std::vector<std::string> scripted = {"run", "odd.scn", "--script", "x.vhs"};
  scripted.insert(scripted.end(), dirs.begin(), dirs.end());
  r = run(scripted, false);
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("x.vhs:1: save: cannot save the scenario: vessel \"Odd\": NOTE"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(dir / "later.scn"));
}

// Pictures: a layout drawn from the command line or mid-flight by a script,
// the profile of a run; what cannot be drawn or written is named and leaves
// no file behind.
TEST_F(RunTest, DrawAndPlotWriteTheirPicturesOrNothing) {
  const std::vector<std::string> dirs = {"--config", "config", "--modules", VH_MODULE_DIR};
  auto draw = [&](std::vector<std::string> args) {
    args.insert(args.begin(), "draw");
    args.insert(args.end(), dirs.begin(), dirs.end());
    return run(args);
  };
  Result r = draw({"fall.scn", "--out", "rock.svg", "--vessel", "Rock"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(slurp(dir / "rock.svg").rfind("<?xml", 0), 0u);
  EXPECT_NE(slurp(dir / "rock.svg").find("&quot;Rock&quot; (class RockClass)"), std::string::npos) << "its heading";

  spit(dir / "kept.svg", "good\n");
  r = draw({"fall.scn", "--out", "kept.svg", "--vessel", "Pebble"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("no vessel \"Pebble\" in fall.scn"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("Probe, Rock"), std::string::npos) << r.err;
  EXPECT_EQ(slurp(dir / "kept.svg"), "good\n");

  r = draw({"fall.scn", "--out", "nowhere/probe.svg"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("nowhere/probe.svg"), std::string::npos) << r.err;
  r = draw({"missing.scn", "--out", "probe.svg"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("missing.scn"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(dir / "probe.svg"));
  EXPECT_EQ(draw({"fall.scn"}).code, 2) << "--out is required";

  // Mid-flight and the profile; a plot that cannot be written fails the run
  // before it starts.
  spit(dir / "draw.vhs", "at 2 draw Probe mid air.svg\n");
  r = run({"run", "fall.scn", "--script", "draw.vhs", "--plot", "nowhere/fall.svg"});
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("nowhere/fall.svg"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(dir / "mid air.svg"));
  r = run({"run", "fall.scn", "--script", "draw.vhs", "--plot", "fall.svg"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(r.out.find("Probe             drawn to mid air.svg"), std::string::npos) << r.out;
  EXPECT_NE(slurp(dir / "mid air.svg").find("at t = 2 s"), std::string::npos);
  EXPECT_NE(slurp(dir / "fall.svg").find("Flight profile: fall.scn"), std::string::npos);

  Result help = run({"draw", "--help"}, false);
  EXPECT_EQ(help.code, 0);
  for (const char *word : {"--out", "--vessel", "thruster", "touchdown", "beacon", "camera", "at TIME draw"})
    EXPECT_NE(help.out.find(word), std::string::npos) << word;
  EXPECT_NE(run({"run", "--help"}, false).out.find("--plot"), std::string::npos);
}

// Outputs that would overwrite each other or the run's own input are usage
// errors before anything runs; a save may still replace its scenario.
TEST_F(RunTest, OneFileForTwoThingsIsAUsageError) {
  spit(dir / "x.vhs", "at 0.1 altitude Probe 5\n");
  const std::vector<std::vector<std::string>> cases = {
      {"run", "fall.scn", "--save", "same", "--state", "./same"},
      {"run", "fall.scn", "--trace", "same", "--plot", "same"},
      {"run", "fall.scn", "--state", "fall.scn"},
      {"run", "fall.scn", "--script", "x.vhs", "--save", "x.vhs"},
      {"draw", "fall.scn", "--out", "fall.scn"},
  };
  for (const auto &args : cases) {
    std::string shown;
    for (const auto &a : args) shown += a + " ";
    Result r = run(args);
    EXPECT_EQ(r.code, 2) << shown << r.err;
    EXPECT_NE(r.err.find("same file"), std::string::npos) << shown << r.err;
    EXPECT_FALSE(fs::exists(dir / "same")) << shown;
  }
  EXPECT_EQ(slurp(dir / "fall.scn"), kFalling);
  Result r = run({"run", "fall.scn", "--save", "fall.scn"});
  EXPECT_EQ(r.code, 0) << r.err;
}

// An output that is a link is written through it, and a file that is
// replaced keeps its permissions; a pipe is written to, not replaced.
TEST_F(RunTest, OutputsGoThroughLinksAndIntoPipes) {
  fs::create_directories(dir / "real");
  spit(dir / "real/s.json", "old\n");
  fs::permissions(dir / "real/s.json", fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink("real/s.json", dir / "link.json");
  ASSERT_EQ(::mkfifo((dir / "pipe.scn").c_str(), 0600), 0);
  std::string piped;
  std::thread reader([&] { piped = slurp(dir / "pipe.scn"); });
  Result r = run({"run", "fall.scn", "--state", "link.json", "--save", "pipe.scn"});
  // A run that never opened the pipe leaves the reader waiting: let it go.
  const int fd = ::open((dir / "pipe.scn").c_str(), O_WRONLY | O_NONBLOCK);
  if (fd >= 0) ::close(fd);
  reader.join();
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_TRUE(fs::is_symlink(dir / "link.json"));
  EXPECT_NE(slurp(dir / "real/s.json").find("\"vessels\""), std::string::npos);
  EXPECT_EQ(fs::status(dir / "real/s.json").permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_TRUE(fs::is_fifo(dir / "pipe.scn"));
  EXPECT_EQ(piped.rfind("BEGIN_ENVIRONMENT\n", 0), 0u) << piped;
  EXPECT_NE(piped.find("\nBEGIN_SHIPS\n"), std::string::npos) << piped;
}

// A simulator's mesh folder: a mesh whose file is not there (in any case of
// its name) is not found, and oapiLoadMeshGlobal gives the module null.
TEST_F(RunTest, MeshesAreLookedUpInTheMeshFolderGiven) {
  fs::create_directories(dir / "Meshes");
  spit(dir / "Meshes" / "PROBE_A.Msh", "");
  Result r = run({"run", VH_EXAMPLES_DIR "/host-probe.scn", "--config", VESSELHOST_TEST_CONFIG_DIR, "--modules",
                  VESSELHOST_TEST_MODULE_DIR, "--meshes", "Meshes", "--state", "s.json"},
                 false);
  ASSERT_EQ(r.code, 0) << r.err;
  const Json s = json("s.json");
  std::map<std::string, bool> found;
  for (const Json &f : s["files"])
    if (f["kind"] == "mesh") found[f["name"]] = f["found"];
  EXPECT_EQ(found, (std::map<std::string, bool>{{"probe_a", true}, {"probe_b", false}, {"probe_c", false},
                                                {"probe_d", false}}));
  const Json &meshes = vessel(s, "Probe")["meshes"];
  EXPECT_EQ(meshes[0]["found"], true);
  EXPECT_EQ(meshes[1]["found"], false);
  EXPECT_TRUE(s["warnings"].empty()) << s["warnings"];
}

// A module spawning a vessel of a class without a class file: the simulator
// stops there, so the run does, naming the call, and writes nothing.
TEST_F(RunTest, SpawnOfAClassWithoutAClassFileStopsTheRun) {
  spit(dir / "spawn.scn", "BEGIN_SHIPS\nProbe:HostProbe\n  SPAWN Piece NoSuchClass\nEND\nEND_SHIPS\n");
  Result r = run({"run", "spawn.scn", "--config", VESSELHOST_TEST_CONFIG_DIR, "--modules", VESSELHOST_TEST_MODULE_DIR,
                  "--until", "1", "--save", "s.scn"},
                 false);
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("oapiCreateVessel(\"Piece\", \"NoSuchClass\"): class NoSuchClass has no class configuration file"),
            std::string::npos)
      << r.err;
  EXPECT_FALSE(fs::exists(dir / "s.scn"));
}

// The spotlight on the mast's point 1, given "Mast 2" in its input box:
// moved there, point 1 free again.
TEST_F(RunTest, SpotlightMovesFromOneMastPointToAnother) {
  spit(dir / "move.vhs", "at 0 key Spot V\nat 0 input Mast 1\nat 0.1 key Spot V\nat 0.1 input Mast 2\nat 0.2 state s.json\n");
  Result r = run({"run", VH_EXAMPLES_DIR "/spotlight.scn", "--script", "move.vhs", "--config", VH_CONFIG_DIR, "--modules",
                  VH_MODULE_DIR},
                 false);
  ASSERT_EQ(r.code, 0) << r.err;
  const Json s = json("s.json");
  const Json &points = vessel(s, "Mast")["attachments"];
  EXPECT_TRUE(points[1]["attached"].is_null()) << points;
  EXPECT_EQ(points[2]["attached"], "Spot") << points;
}

// A spotlight's placement on its parent's point, read from a scenario and
// saved before any frame has put it there, is saved as it was read.
TEST_F(RunTest, SpotlightPlacementSavedBeforeTheFirstFrameIsKept) {
  const std::string pat = "PAT 0.5000 2.0000 0.0000 0.0000 1.0000 0.0000 0.0000 0.0000 1.0000";
  spit(dir / "placed.scn", "BEGIN_SHIPS\nMast:LightMast\n  STATUS Landed Earth\nEND\nSpot:beamwick2\n  ATTACHED 0:1,Mast\n  " +
                               pat + "\nEND\nEND_SHIPS\n");
  Result r = run({"run", "placed.scn", "--save", "s.scn", "--config", VH_CONFIG_DIR, "--modules", VH_MODULE_DIR}, false);
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_NE(slurp(dir / "s.scn").find("  " + pat + "\n"), std::string::npos) << slurp(dir / "s.scn");
}

// A file in the simulator's own layout through the runner: every block kept,
// its meaning taken (tanks from PRPLEVEL, a landed vessel where POS says, a
// parent named in another case), and the save loads and saves again byte
// for byte.
TEST_F(RunTest, SimulatorLayoutRoundTripsThroughTheRunner) {
  spit(dir / "layout.scn",
       "BEGIN_DESC\nTwo vessels; one on the other.\nEND_DESC\n\nBEGIN_ENVIRONMENT\n  System Sol\n  Date MJD 51600.5\n"
       "END_ENVIRONMENT\n\nBEGIN_FOCUS\n  Ship Lander\nEND_FOCUS\n\nBEGIN_CAMERA\n  TARGET Lander\n  MODE Cockpit\n"
       "END_CAMERA\n\nBEGIN_HUD\n  TYPE Surface\nEND_HUD\n\nBEGIN_MFD Left\n  TYPE Surface\nEND_MFD\n\n"
       "BEGIN_SHIPS\nMast:LightMast ; the mast\n  STATUS Landed Moon\n  POS 10 20\nEND\nLander:Selvar_2016\n"
       "  STATUS Landed Moon\n  POS 10.001 20\n  PRPLEVEL 0:0.5\nEND\nSpot:beamwick2\n  ATTACHED 0:1,MAST\nEND\n"
       "END_SHIPS\n");
  Result r = run({"run", "layout.scn", "--save", "a.scn", "--state", "s.json", "--config", VH_CONFIG_DIR, "--modules",
                  VH_MODULE_DIR},
                 false);
  ASSERT_EQ(r.code, 0) << r.err;
  const std::string a = slurp(dir / "a.scn");
  for (const char *block : {"BEGIN_DESC\nTwo vessels; one on the other.\nEND_DESC\n", "  Date MJD 51600.5000000000\n",
                            "BEGIN_FOCUS\n  Ship Lander\n", "BEGIN_CAMERA\n", "BEGIN_HUD\n", "BEGIN_MFD Left\n",
                            "  POS 10.0000000 20.0000000\n", "  PRPLEVEL 0:0.500000\n", "  ATTACHED 0:1,Mast\n"})
    EXPECT_NE(a.find(block), std::string::npos) << block << "\n" << a;
  const Json s = json("s.json");
  EXPECT_DOUBLE_EQ(vessel(s, "Lander")["propellant"][0]["mass"].get<double>(), 0.5 * 30978);
  EXPECT_EQ(s["focus"], "Lander");
  r = run({"run", "a.scn", "--save", "b.scn", "--config", VH_CONFIG_DIR, "--modules", VH_MODULE_DIR}, false);
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(slurp(dir / "b.scn"), a);
}

namespace {

// A file with just the headers that say which machine a Windows program is for.
// The file header of a Windows program or DLL, and nothing after it.
void writeWindowsBinary(const fs::path &p, unsigned machine) {
  std::string bytes(0x98, '\0');
  bytes[0] = 'M';
  bytes[1] = 'Z';
  bytes[60] = char(0x80);
  bytes.replace(0x80, 4, std::string("PE\0\0", 4));
  bytes[0x84] = char(machine & 0xFF);
  bytes[0x85] = char(machine >> 8);
  bytes[0x97] = p.extension() == ".dll" ? 0x21 : 0x01;  // a DLL, or a program
  fs::create_directories(p.parent_path());
  spit(p, bytes);
}

}  // namespace

// A simulator's folder filled in from what check-install says is missing
// passes; taking a few files out, or a DLL of the other architecture, gives
// one line for each, naming the modules that need it.
TEST_F(RunTest, CheckInstallNamesEachMissingOrWrongFile) {
  const fs::path sim = dir / "Orbiter";
  writeWindowsBinary(sim / "orbiter.exe", 0x14C);
  const std::vector<std::string> check = {"check-install", "Orbiter", "--config", VH_CONFIG_DIR, "--modules",
                                          VH_MODULE_DIR, "--examples", VH_EXAMPLES_DIR};
  Result r = run(check);
  ASSERT_EQ(r.code, 1) << r.err;
  std::istringstream lines(r.out);
  std::string line;
  std::size_t missing = 0;
  while (std::getline(lines, line)) {
    ASSERT_EQ(line.rfind("missing ", 0), 0u) << line;
    const std::string file = line.substr(8, line.find_first_of(" (", 8) - 8);
    ++missing;
    if (file.size() > 4 && file.compare(file.size() - 4, 4, ".dll") == 0)
      writeWindowsBinary(sim / file, 0x14C);
    else {
      fs::create_directories((sim / file).parent_path());
      if (file.rfind("Config/Vessels/", 0) == 0 && fs::exists(fs::path(VH_CONFIG_DIR) / file.substr(15)))
        fs::copy_file(fs::path(VH_CONFIG_DIR) / file.substr(15), sim / file);
      else
        spit(sim / file, "");
    }
  }
  EXPECT_GT(missing, 20u);
  EXPECT_NE(r.out.find("missing Textures/Exhaust2.dds (SelvarCargo2016, Selvar_2016, tarva_2016)"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("missing Config/Vessels/Tarva_QEL_LES.cfg (a class of vessel it makes) (tarva_2016)"),
            std::string::npos)
      << r.out;

  r = run(check);
  EXPECT_EQ(r.code, 0) << r.out;
  EXPECT_NE(r.out.find("nothing missing for SelvarCargo2016, Selvar_2016, beamwick2, tarva_2016"), std::string::npos);

  fs::remove(sim / "Meshes" / "beamwick2.msh");
  fs::rename(sim / "Meshes" / "brendavel", sim / "Meshes" / "BRENDAVEL");  // names ignore case
  writeWindowsBinary(sim / "Modules" / "tarva_2016.dll", 0x8664);
  spit(sim / "Config" / "Vessels" / "Selvar_2016.cfg", "ClassName = Selvar_2016\nModule = Other\n");
  r = run(check);
  EXPECT_EQ(r.code, 1);
  EXPECT_EQ(r.out,
            "wrong Config/Vessels/Selvar_2016.cfg: its Module is \"Other\", not Selvar_2016 (Selvar_2016)\n"
            "missing Meshes/beamwick2.msh (beamwick2)\n"
            "wrong Modules/tarva_2016.dll: built for x64, the simulator's orbiter.exe for x86 (tarva_2016)\n");

  // A damaged program is named, not taken for one; a folder that is no
  // simulator's cannot be checked.
  spit(sim / "orbiter.exe", "MZ");
  r = run(check);
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.out.find("wrong orbiter.exe: not a Windows program or DLL (SelvarCargo2016, Selvar_2016, beamwick2, "
                       "tarva_2016)\n"),
            std::string::npos)
      << r.out;
  fs::create_directories(dir / "Elsewhere");
  r = run({"check-install", "Elsewhere", "--config", VH_CONFIG_DIR, "--modules", VH_MODULE_DIR});
  EXPECT_EQ(r.code, 2);
  EXPECT_NE(r.err.find("not the simulator's folder"), std::string::npos) << r.err;
}
