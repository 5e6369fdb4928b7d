// Vessel names up to the host's limit of 255 characters and beyond it, for
// every plug-in that names the pieces it sheds after itself, and for the
// spotlight, which takes its parent by name.
#include <functional>

#include "BadInputSupport.h"

namespace badinput {
namespace {

const std::size_t kHostLimit = 255;

using Shed = std::function<void(vhost::Simulation &, const std::string &vessel)>;

void frames(vhost::Simulation &s, int n) {
  for (int i = 0; i < n; ++i) s.step();
}

struct Shedding {
  const char *className;
  std::vector<std::string> setup;  // scenario lines
  Shed shed;                       // makes the vessel shed its pieces
  std::size_t pieces;
};

std::vector<Shedding> sheddingPlugins() {
  return {
      {"Selvar_2016", {},
       [](vhost::Simulation &s, const std::string &v) {
         s.pressKey(v, OAPI_KEY_J, {OAPI_KEY_LALT});
         frames(s, 2);
       },
       1},
      {"tarva_2016", {"LAUNCHL 1", "COVERPR 1", "LSPACTI 1"},
       [](vhost::Simulation &s, const std::string &v) {
         // Tower by altitude, into orbit, the LSP and cover there, the
         // service module, then heat shield and drogue on the way down.
         s.setAltitude(v, 120000);
         frames(s, 5);
         for (DWORD key : {OAPI_KEY_O, OAPI_KEY_L, OAPI_KEY_K, OAPI_KEY_J}) {
           s.pressKey(v, key, {OAPI_KEY_LALT});
           frames(s, 5);
         }
         for (double h : {9050.0, 8000.0, 1500.0, 40.0}) {
           s.setAltitude(v, h);
           frames(s, 5);
         }
       },
       0},
  };
}

bool endsWith(const std::string &s, const std::string &tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

// The same steps with a short name show which pieces, by suffix, to expect.
std::vector<std::string> suffixesShed(const Shedding &p) {
  auto sim = load(scenario(p.className, p.setup, "S"));
  p.shed(*sim, "S");
  std::vector<std::string> suffixes;
  for (const vhost::CreatedVessel &c : sim->created()) suffixes.push_back(c.name.substr(1));
  return suffixes;
}

TEST(LongNames, ShedPiecesKeepTheirSuffixWithinTheHostLimit) {
  for (const Shedding &p : sheddingPlugins()) {
    const std::vector<std::string> suffixes = suffixesShed(p);
    ASSERT_GE(suffixes.size(), p.pieces > 0 ? p.pieces : 1u) << p.className;
    // A scenario's vessel line NAME:CLASS holds 255 characters at the most.
    const std::size_t longest = kHostLimit - 1 - std::string(p.className).size();
    for (std::size_t length : {std::size_t(200), std::size_t(240), std::size_t(242), longest}) {
      const std::string name(length, 'n');
      const std::string context = std::string(p.className) + " named with " + std::to_string(length) + " characters";
      auto sim = load(scenario(p.className, p.setup, name));
      p.shed(*sim, name);
      expectSound(*sim, context);
      ASSERT_EQ(sim->created().size(), suffixes.size()) << context;
      for (std::size_t i = 0; i < suffixes.size(); ++i) {
        const std::string &made = sim->created()[i].name;
        EXPECT_LE(made.size(), kHostLimit) << context;
        EXPECT_TRUE(endsWith(made, suffixes[i])) << context << ": " << made.substr(made.size() - 20);
        EXPECT_EQ(made.compare(0, 100, name, 0, 100), 0) << context << ": the piece is named after its vessel";
      }
      // The pieces are vessels of the host now and save and reload with it,
      // unless a piece's line would be too long for the simulator to read.
      bool fits = true;
      for (const vhost::CreatedVessel &c : sim->created()) fits &= c.name.size() + 1 + c.className.size() <= kHostLimit;
      if (!fits) {
        EXPECT_THROW(sim->saveScenario(), vhost::SaveError) << context;
        continue;
      }
      const std::string saved = sim->saveScenario();
      sim.reset();
      EXPECT_EQ(load(saved)->saveScenario(), saved) << context;
    }
  }
}

TEST(LongNames, SpotlightFindsAParentOfTheLongestNameAndRefusesLonger) {
  const std::string longest(kHostLimit, 'P');
  auto sim = load(scenario("beamwick2", {}));
  VESSELSTATUS vs{};
  sim->vessel("Mast").iface()->GetStatus(vs);
  oapiCreateVessel(longest.c_str(), "LightMast", vs);  // no scenario line holds a name that long
  sim->pressKey("V", OAPI_KEY_V);
  ASSERT_NE(sim->inputBox(), nullptr);
  EXPECT_TRUE(sim->answerInputBox(longest + " 1"));
  EXPECT_NE(sim->vessel("V").record().attachments.at(0).attached, nullptr);

  sim->pressKey("V", OAPI_KEY_V, {OAPI_KEY_LSHIFT});  // detach
  sim->pressKey("V", OAPI_KEY_V);
  EXPECT_FALSE(sim->answerInputBox(longest + "P 1"));
  EXPECT_FALSE(sim->answerInputBox(std::string(70000, 'P') + " 1"));
  frames(*sim, 3);
  expectSound(*sim, "spotlight with a long parent name");
}

TEST(LongNames, NamesBeyondTheHostLimitAreRefusedWithTheirLine) {
  for (const Plugin &p : plugins()) {
    vhost::Simulation sim(options());
    try {
      sim.loadScenario(scenario(p.className, {}, std::string(kHostLimit + 1, 'n')), "too-long.scn");
      ADD_FAILURE() << p.className << ": a 256-character name was taken";
    } catch (const vhost::ScenarioError &e) {
      EXPECT_EQ(e.file(), "too-long.scn");
      EXPECT_EQ(e.line(), 5) << e.what();
    }
  }
}

}  // namespace
}  // namespace badinput
