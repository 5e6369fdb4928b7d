// Every plug-in's scenario reader fed lines no saved scenario would hold:
// overlong, cut short, lower case, without values, not numbers, nan and
// inf, huge, with junk after them. Whatever it makes of them, the vessel
// must come up without a host warning, keep every value in range, save
// only lines it can read back, and save the same lines again after a reload.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>

#include "BadInputSupport.h"

namespace badinput {
namespace {

std::string lower(std::string s) {
  for (char &c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string repeat(const std::string &piece, int n) {
  std::string s;
  for (int i = 0; i < n; ++i) s += piece;
  return s;
}

// Lines built on one of the plug-in's keys.
std::vector<std::string> hostileLines(const std::string &key) {
  const std::string k = key;
  return {k,
          k + " ",
          lower(k) + " 1",
          k + " x",
          k + " 1 junk",
          k + " 1junk",
          k + "1",
          k + "\t1",
          k.substr(0, k.size() - 1) + " 1",
          k + "X 1",
          k + " nan",
          k + " -nan",
          k + " inf",
          k + " -inf",
          k + " 1e999",
          k + " -1e999",
          k + " 99999999999999999999999999",
          k + " -99999999999999999999999999",
          k + " 0x7fffffff",
          k + " " + std::string(5000, '9'),
          k + std::string(10000, 'Z'),
          k + repeat(" 1", 3000),
          k + repeat(" nan", 12),
          k + repeat(" inf", 12),
          k + repeat(" 1e308", 12),
          k + repeat(" -1e308", 12),
          k + repeat(" 0", 12),
          k + " 1 2 3 4 5 6 7 8 9 10 11 12",
          k + " 1 1e-200 1",
          k + " 1 4.9e-324 1"};
}

// Lines no plug-in knows: the host keeps them and writes them back.
const std::vector<std::string> kStrangeLines = {
    std::string(10000, 'x'), "\xff\xfe\x80\x7f", "=", ";", "1", "-", repeat("A B ", 2000)};

// The spotlight's saved lines: its key and finite numbers. (The landers'
// and the capsule's "KEY 1" lines are checked by the reload.)
void expectReadableOwnLines(const Plugin &p, const std::vector<std::string> &saved, const std::string &context) {
  for (const std::string &line : saved)
    for (const std::string &key : p.keys) {
      if (key.size() == 7 || line.compare(0, key.size() + 1, key + " ") != 0) continue;
      std::istringstream fields(line.substr(key.size()));
      std::string f;
      while (fields >> f) {
        char *end = nullptr;
        const double d = std::strtod(f.c_str(), &end);
        EXPECT_TRUE(*end == '\0' && std::isfinite(d)) << context << ": saved \"" << line << "\"";
      }
    }
}

void expectSurvives(const Plugin &p, const std::vector<std::string> &lines, const std::string &context) {
  std::string first;
  {
    std::unique_ptr<vhost::Simulation> sim;
    ASSERT_NO_THROW(sim = load(scenario(p.className, lines))) << context;
    for (int i = 0; i < 20; ++i) sim->step();
    expectSound(*sim, context);
    expectReadableOwnLines(p, sim->saveVessel("V"), context);
    first = sim->saveScenario();
  }
  std::unique_ptr<vhost::Simulation> again = load(first);
  EXPECT_EQ(again->saveScenario(), first) << context << ": a reload saves other lines";
}

TEST(BadScenarioLines, EveryPluginSurvivesHostileLinesOnItsKeys) {
  for (const Plugin &p : plugins())
    for (const std::string &key : p.keys)
      for (const std::string &line : hostileLines(key))
        expectSurvives(p, {line}, std::string(p.className) + " line \"" + line.substr(0, 60) + "\"");
}

TEST(BadScenarioLines, UnknownLinesAndEmptyBlocksAreHarmless) {
  for (const Plugin &p : plugins()) {
    expectSurvives(p, {}, std::string(p.className) + " empty block");
    for (const std::string &line : kStrangeLines)
      expectSurvives(p, {line}, std::string(p.className) + " unknown line \"" + line.substr(0, 40) + "\"");
    // Every key at once, each twice, in two spellings.
    std::vector<std::string> all;
    for (const std::string &key : p.keys) {
      all.push_back(key + " 1");
      all.push_back(lower(key) + " 1 trailing words");
    }
    expectSurvives(p, all, std::string(p.className) + " every key twice");
  }
}

// Keys read in any case, with junk after the number, huge numbers counting
// as set and numbers that do not read as not set.
TEST(BadScenarioLines, LanderAndCapsuleFlagsReadOnlyWhatIsANonZeroInteger) {
  struct Case {
    const char *className;
    const char *line;
    bool set;
  };
  const Case cases[] = {
      {"SelvarCargo2016", "gearrpr 1", true},         {"SelvarCargo2016", "GEARRPR 1 junk", true},
      {"SelvarCargo2016", "GEARRPR 99999999999999999999", true},
      {"SelvarCargo2016", "GEARRPR x", false},        {"SelvarCargo2016", "GEARRPR nan", false},
      {"SelvarCargo2016", "GEARRPR", false},          {"SelvarCargo2016", "GEARRPR 0", false},
      {"tarva_2016", "hatchpr 1", true},              {"tarva_2016", "HATCHPR -3 rest", true},
      {"tarva_2016", "HATCHPR inf", false},           {"tarva_2016", "HATCHPR", false},
      {"Selvar_2016", "doorhpr 2", true},             {"Selvar_2016", "DOORHPR 0x1", false},
  };
  for (const Case &c : cases) {
    std::unique_ptr<vhost::Simulation> sim = load(scenario(c.className, {c.line}));
    sim->step();
    const std::string key = std::string(c.line).substr(0, 7);
    std::string upper = key;
    for (char &ch : upper) ch = char(std::toupper(static_cast<unsigned char>(ch)));
    const std::vector<std::string> saved = sim->saveVessel("V");
    const bool written = std::find(saved.begin(), saved.end(), upper + " 1") != saved.end();
    EXPECT_EQ(written, c.set) << c.className << " \"" << c.line << "\"";
  }
}

}  // namespace
}  // namespace badinput

namespace badinput {
namespace {

// The head's tilt is held at its stops and its turn keeps the remainder of
// a revolution, so that no saved angle puts an animation outside 0..1 or
// the light's direction out of numbers.
TEST(BadScenarioLines, SpotlightAimOutsideItsTravelIsBroughtIntoIt) {
  struct Case {
    const char *line, *saved;
  };
  const Case cases[] = {
      {"GBL 1.5 1.25", "GBL 1.00000 0.25000"},
      {"GBL -2 -0.25", "GBL 0.00000 0.75000"},
      {"GBL 1e308 1e308", "GBL 1.00000 0.00000"},
      {"GBL 0.3 1", "GBL 0.30000 1.00000"},
  };
  for (const Case &c : cases) {
    std::unique_ptr<vhost::Simulation> sim = load(scenario("beamwick2", {c.line}));
    sim->step();
    expectSound(*sim, c.line);
    const std::vector<std::string> saved = sim->saveVessel("V");
    EXPECT_NE(std::find(saved.begin(), saved.end(), c.saved), saved.end()) << c.line;
  }
}

}  // namespace
}  // namespace badinput
