// vesselhost fed files and arguments no person should write: binary bytes,
// lines of a megabyte, names beyond the host's limit, nan, inf and huge
// numbers. Each must end in a message naming the file and line (exit 1) or
// a usage error (exit 2), never a crash or a run that pretends to work.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct Result {
  int code = -1;
  std::string err;
};

class RunnerInput : public ::testing::Test {
protected:
  void SetUp() override {
    // One directory per test and process: ctest runs the tests of this file
    // side by side, and several builds' suites may run at once.
    dir = fs::temp_directory_path() /
          ("vesselhost-badinput-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
           "-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    write("good.scn", "BEGIN_SHIPS\nCargo:SelvarCargo2016\n  STATUS Landed Moon\nEND\nEND_SHIPS\n");
  }
  void TearDown() override { fs::remove_all(dir); }

  void write(const std::string &name, const std::string &text) {
    std::ofstream out(dir / name, std::ios::binary);
    out << text;
  }

  Result run(const std::string &args) {
    const std::string cmd = "cd '" + dir.string() + "' && '" VH_BIN_DIR "/vesselhost' " + args +
                            " --quiet --config '" VH_CONFIG_DIR "' --modules '" VH_MODULE_DIR "' 2> err.txt > /dev/null";
    Result r;
    const int status = std::system(cmd.c_str());
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream in(dir / "err.txt");
    std::ostringstream s;
    s << in.rdbuf();
    r.err = s.str();
    return r;
  }

  fs::path dir;
};

struct BadFile {
  const char *what;
  std::string text;
  int line;  // the line the message must name
};

std::string ships(const std::string &body) { return "BEGIN_SHIPS\n" + body + "END_SHIPS\n"; }

TEST_F(RunnerInput, BadScenarioFilesNameTheirLine) {
  const BadFile files[] = {
      {"binary bytes as a vessel line", ships(std::string("\x01\x02\xff\x00\x7f", 5) + "\nEND\n"), 2},
      {"a megabyte vessel line", ships(std::string(1 << 20, 'x') + "\nEND\n"), 2},
      {"a name beyond the host's limit", ships(std::string(256, 'n') + ":SelvarCargo2016\nEND\n"), 2},
      {"an empty class", ships("Cargo:\nEND\n"), 2},
      {"a class naming a path", ships("Cargo:../../etc/passwd\nEND\n"), 2},
      {"a block without END", ships("Cargo:SelvarCargo2016\n  STATUS Landed Moon\n"), 4},
      {"a blank line between vessels", ships("Cargo:SelvarCargo2016\nEND\n\nMore:SelvarCargo2016\nEND\n"), 4},
      {"a class without a class file", ships("Cargo:SelvarCargo2016\nEND\nMore:NoSuchClass\nEND\n"), 4},
  };
  for (const BadFile &f : files) {
    write("bad.scn", f.text);
    Result r = run("run bad.scn");
    EXPECT_EQ(r.code, 1) << f.what << ": " << r.err;
    EXPECT_NE(r.err.find("bad.scn:" + std::to_string(f.line) + ":"), std::string::npos) << f.what << ": " << r.err;
  }
  // Values the simulator passes over without a word: the run goes on, and
  // says where they are.
  const BadFile passedOver[] = {
      {"nan in a host line", ships("Cargo:SelvarCargo2016\n  RPOS nan 0 0\nEND\n"), 3},
      {"inf in a host line", ships("Cargo:SelvarCargo2016\n  ALT inf\nEND\n"), 3},
      {"a huge number in a host line", ships("Cargo:SelvarCargo2016\n  RVEL 1e999 0 0\nEND\n"), 3},
      {"a host line cut short", ships("Cargo:SelvarCargo2016\n  AROT 1 2\nEND\n"), 3},
  };
  for (const BadFile &f : passedOver) {
    write("bad.scn", f.text);
    Result r = run("run bad.scn --save s.scn");
    EXPECT_EQ(r.code, 0) << f.what << ": " << r.err;
    EXPECT_NE(r.err.find("vesselhost: warning: bad.scn:" + std::to_string(f.line) + ":"), std::string::npos)
        << f.what << ": " << r.err;
  }
}

// A mistyped name that exists must not pass for an empty flight.
TEST_F(RunnerInput, FilesWithNothingToFlyAreErrorsAndWriteNothing) {
  std::string noise(200 * 1024, '\0');
  unsigned state = 12345;
  for (char &c : noise) c = char((state = state * 1103515245u + 12345u) >> 16);
  const BadFile files[] = {
      {"random bytes", noise, 0},  // the line of the first byte that is not text
      {"a password file", "root:x:0:0:root:/root:/bin/bash\ndaemon:x:1:1::/usr/sbin:/usr/sbin/nologin\n", 0},
      {"an empty file", "", 0},
      {"an empty ships block", "BEGIN_SHIPS\nEND_SHIPS\n", 1},
      {"a comment in the ships block", "BEGIN_SHIPS\n; nothing yet\nEND_SHIPS\n", 2},
      {"a zero byte in a good scenario",
       "BEGIN_SHIPS\nCargo:SelvarCargo2016\n  STATUS Landed Moon" + std::string(1, '\0') + "\nEND\nEND_SHIPS\n", 3},
  };
  for (const BadFile &f : files) {
    write("bad.scn", f.text);
    Result r = run("run bad.scn --until 1 --state s.json --save s.scn --trace t.jsonl");
    EXPECT_EQ(r.code, 1) << f.what << ": " << r.err;
    const std::string where = f.line ? "bad.scn:" + std::to_string(f.line) + ": " : "bad.scn: ";
    if (f.text == noise)
      EXPECT_NE(r.err.find("not a scenario"), std::string::npos) << f.what << ": " << r.err;
    else
      EXPECT_NE(r.err.find("vesselhost: " + where), std::string::npos) << f.what << ": " << r.err;
    std::size_t files = 0;
    for (const auto &e : fs::directory_iterator(dir)) files += e.is_regular_file();
    EXPECT_EQ(files, 3u) << f.what << ": an output or a temporary file was made";  // good.scn, bad.scn, err.txt
  }
}

TEST_F(RunnerInput, BadScriptFilesNameTheirLineBeforeTheRun) {
  const BadFile files[] = {
      {"binary bytes", std::string("at 0 key Cargo G\n\x01\xff\x00junk\n", 25), 2},
      {"a megabyte line", "at 0 key Cargo G\n" + std::string(1 << 20, 'a') + "\n", 2},
      {"a nan time", "at nan key Cargo G\n", 1},
      {"an infinite time", "at inf key Cargo G\n", 1},
      {"a negative time", "at -1 key Cargo G\n", 1},
      {"a huge time", "at 1e999 key Cargo G\n", 1},
      {"a time with junk", "at 1s key Cargo G\n", 1},
      {"a key combo without a key", "at 0 key Cargo Alt+\n", 1},
      {"a hold of nan seconds", "at 0 hold Cargo G nan\n", 1},
      {"an altitude of inf", "at 0 altitude Cargo inf\n", 1},
      {"a vessel name beyond the limit", "at 0 key " + std::string(300, 'C') + " G\n", 1},
      {"a HUD of no size", "at 0 hud Cargo 0x0\n", 1},
      {"a HUD of huge size", "at 0 hud Cargo 99999999999x99999999999\n", 1},
      {"a docking port of -1", "at 0 dock Cargo -1 on\n", 1},
  };
  for (const BadFile &f : files) {
    write("bad.vhs", f.text);
    write("state.json", "good\n");
    Result r = run("run good.scn --script bad.vhs --state state.json");
    EXPECT_EQ(r.code, 1) << f.what << ": " << r.err;
    EXPECT_NE(r.err.find("bad.vhs:" + std::to_string(f.line) + ":"), std::string::npos) << f.what << ": " << r.err;
    std::ifstream in(dir / "state.json");
    std::string kept;
    std::getline(in, kept);
    EXPECT_EQ(kept, "good") << f.what << ": a failed run replaced the output file";
  }
}

// Numbers that would overflow the host's or a plug-in's placement: the run
// works, and what it saves loads again and saves to the same bytes, with
// no nan or inf in it.
TEST_F(RunnerInput, HostileNumbersSaveWhatLoadsAgain) {
  const std::string mast = "Mast:LightMast\n  STATUS Landed Earth\nEND\n";
  const std::string spot = "V:beamwick2\n  STATUS Landed Earth\n  ATTACHED 0:0,Mast\n";
  const struct {
    const char *what;
    std::string text;
  } cases[] = {
      {"a PAT position whose squared length overflows", ships(mast + spot + "  PAT 0 1e200 0 0 1 0 0 0 1\nEND\n")},
      {"a PAT of the largest numbers", ships(mast + spot + "  PAT 1e308 1e308 1e308 0 1 0 0 0 1\nEND\n")},
      {"a PAT direction with inf", ships(mast + spot + "  PAT 5 5 5 0 1 inf 0 0 1\nEND\n")},
      {"a PAT rotation with nan", ships(mast + spot + "  PAT 0 3 0 0 1 0 nan 0 1\nEND\n")},
      {"a PAT direction that saves as zeros", ships(mast + spot + "  PAT 0 2 0 0.00001 0 0 0 0 1\nEND\n")},
      {"a light range that saves as zero", ships(mast + spot + "  SPT 1 0.00004 0.5\nEND\n")},
  };
  auto saved = [&](const std::string &name) {
    std::ifstream in(dir / name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  };
  for (const auto &c : cases) {
    write("hostile.scn", c.text);
    Result r = run("run hostile.scn --until 1 --save first.scn");
    ASSERT_EQ(r.code, 0) << c.what << ": " << r.err;
    r = run("run first.scn --until 1 --save second.scn");
    ASSERT_EQ(r.code, 0) << c.what << ": " << r.err;
    const std::string first = saved("first.scn");
    // The date moves on with the clock; the vessels stay.
    EXPECT_EQ(saved("second.scn").substr(saved("second.scn").find("BEGIN_SHIPS")), first.substr(first.find("BEGIN_SHIPS")))
        << c.what;
    for (const char *word : {"nan", "inf"}) EXPECT_EQ(first.find(word), std::string::npos) << c.what << "\n" << first;
  }
  // Far out, the simulator's decimals make a line longer than it reads: no
  // save, rather than one that would not load.
  for (const std::string &text :
       {ships("Far:LightMast\n  STATUS Orbiting Earth\n  RPOS 0 1e300 -1e300\nEND\n"),
        ships("Up:LightMast\n  STATUS Orbiting Earth\n  RPOS 0 1e+306 0\n  RVEL 0 1e308 0\nEND\n")}) {
    write("hostile.scn", text);
    Result r = run("run hostile.scn --until 1 --save far.scn");
    EXPECT_EQ(r.code, 1) << text;
    EXPECT_NE(r.err.find("more than the simulator reads"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(dir / "far.scn"));
  }
}

TEST_F(RunnerInput, BadArgumentsAreUsageErrors) {
  for (const char *args : {"run good.scn --dt nan", "run good.scn --dt inf", "run good.scn --dt -0.02",
                           "run good.scn --dt 0", "run good.scn --dt 1e999", "run good.scn --until nan",
                           "run good.scn --until -1", "run good.scn --physics maybe", "run", "frobnicate",
                           "run good.scn --no-such-option"}) {
    Result r = run(args);
    EXPECT_EQ(r.code, 2) << args << ": " << r.err;
    EXPECT_FALSE(r.err.empty()) << args;
  }
  Result r = run("run no-such-file.scn");
  EXPECT_EQ(r.code, 1);
  EXPECT_NE(r.err.find("no-such-file.scn"), std::string::npos) << r.err;
}

}  // namespace
