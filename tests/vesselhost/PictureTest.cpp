// The runner's pictures read back with a real XML parser: a vessel's layout
// holds one item of its kind per thing the host records, whatever the
// vessel (stages, no thrusters, names that need escaping), and the flight
// profile is the same for the same run and records nothing new in a
// steady frame.
#include <gtest/gtest.h>

#include <expat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "FlightRecorder.h"
#include "ProfilePlot.h"
#include "Run.h"
#include "VesselDrawing.h"
#include "vhost/AllocationCounter.h"
#include "vhost/Simulation.h"

namespace fs = std::filesystem;
using namespace vesselhost;

namespace {

// The kinds of item that carry a title naming them and their values.
const char *const kItemKinds[] = {"thruster", "group",  "touchdown", "touchdown-polygon", "dock", "attachment",
                                  "light",    "beacon", "mesh",      "camera",            "series", "event"};

// What an SVG holds: elements by class, and whether every item has a title.
struct Parsed {
  bool wellFormed = false;
  std::string error;
  std::map<std::string, int> classes;
  int untitledItems = 0;
};

Parsed parseSvg(const std::string &text) {
  struct State {
    Parsed out;
    std::vector<bool> itemOpen;   // per open element: an item awaiting its title
  } state;
  XML_Parser parser = XML_ParserCreate("UTF-8");
  XML_SetUserData(parser, &state);
  XML_SetElementHandler(
      parser,
      [](void *data, const XML_Char *name, const XML_Char **attrs) {
        State &s = *static_cast<State *>(data);
        if (!s.itemOpen.empty() && s.itemOpen.back()) {
          // An item's first child must be its title.
          if (std::string(name) != "title") ++s.out.untitledItems;
          s.itemOpen.back() = false;
        }
        bool item = false;
        for (int i = 0; attrs[i]; i += 2)
          if (std::string(attrs[i]) == "class") {
            ++s.out.classes[attrs[i + 1]];
            for (const char *kind : kItemKinds) item = item || std::string(attrs[i + 1]) == kind;
          }
        s.itemOpen.push_back(item);
      },
      [](void *data, const XML_Char *) {
        State &s = *static_cast<State *>(data);
        if (s.itemOpen.back()) ++s.out.untitledItems;
        s.itemOpen.pop_back();
      });
  state.out.wellFormed = XML_Parse(parser, text.data(), static_cast<int>(text.size()), 1) == XML_STATUS_OK;
  if (!state.out.wellFormed)
    state.out.error = std::string(XML_ErrorString(XML_GetErrorCode(parser))) + " at line " +
                      std::to_string(XML_GetCurrentLineNumber(parser));
  XML_ParserFree(parser);
  return state.out;
}

vhost::SimulationOptions options() {
  vhost::SimulationOptions o;
  o.configDir = VH_CONFIG_DIR;
  o.moduleDir = VH_MODULE_DIR;
  return o;
}

std::string scenario(const std::string &name, const std::string &cls, const std::string &lines) {
  return "BEGIN_SHIPS\n" + name + ":" + cls + "\n  STATUS Landed Earth\n" + lines + "END\nEND_SHIPS\n";
}

// Draws the vessel after the scenario and one frame, and checks that the
// picture holds one item per thing the host records.
Parsed drawAndCount(const std::string &text, const std::string &vessel, std::size_t thrusters) {
  vhost::Simulation sim(options());
  sim.loadScenario(text, "t.scn");
  sim.step();
  const vhost::VesselRecord &r = sim.vessel(vessel).record();
  const Parsed p = parseSvg(vesselSvg(r, sim.time()));
  EXPECT_TRUE(p.wellFormed) << p.error;
  EXPECT_EQ(p.untitledItems, 0);

  std::size_t live = 0, meshes = 0, groups = 0;
  for (const auto &t : r.thrusters) live += !t.deleted;
  for (const auto &m : r.meshes) meshes += !m.deleted;
  for (const auto &g : r.thrusterGroups) groups += g.exists;
  EXPECT_EQ(live, thrusters);
  auto count = [&](const char *kind) {
    return static_cast<std::size_t>(p.classes.count(kind) ? p.classes.at(kind) : 0);
  };
  EXPECT_EQ(count("thruster"), thrusters);
  EXPECT_EQ(count("touchdown"), r.touchdownPoints.size());
  EXPECT_EQ(count("dock"), r.dockPorts.size());
  EXPECT_EQ(count("attachment"), r.attachments.size());
  EXPECT_EQ(count("light"), r.lights.size());
  EXPECT_EQ(count("beacon"), r.beacons.size());
  EXPECT_EQ(count("mesh"), meshes);
  EXPECT_EQ(count("group"), groups);
  EXPECT_EQ(count("camera"), 1u);
  return p;
}

}  // namespace

TEST(VesselPicture, EveryThrusterAndTouchdownPointOfTheModules) {
  {
    SCOPED_TRACE("crewed lander");
    const Parsed p = drawAndCount(scenario("Lander", "Selvar_2016", "  GEARRPR 1\n"), "Lander", 48);
    EXPECT_EQ(p.classes.at("touchdown"), 4);
  }
  for (const char *stage : {"LAUNCHL 1", "ORBITAL 1", "REENTRY 1", "LANDING 1"}) {
    SCOPED_TRACE(stage);
    drawAndCount(scenario("Tarva", "tarva_2016", "  " + std::string(stage) + "\n"), "Tarva", 40);
  }
  SCOPED_TRACE("spotlight");
  const Parsed spot = drawAndCount(scenario("Spot", "beamwick2", ""), "Spot", 0);
  EXPECT_GE(spot.classes.at("attachment"), 1);
}

TEST(VesselPicture, PassiveVesselWithAwkwardNameDraws) {
  // No module: no thrusters, no groups, nothing but the camera; the name
  // carries markup characters, a byte that is not UTF-8 and U+FFFF, which
  // is UTF-8 but no XML character.
  const std::string name = "R&D<\"1\">\xE9\xEF\xBF\xBF";
  const Parsed p = drawAndCount(scenario(name, "LightMast", ""), name, 0);
  EXPECT_EQ(p.classes.count("thruster"), 0u);
}

TEST(FlightProfile, SameRunSamePictureWithEveryVesselAndEvent) {
  const fs::path dir = fs::temp_directory_path() / ("vesselhost-profile-" + std::to_string(::getpid()));
  fs::create_directories(dir);
  std::ofstream(dir / "fall.scn") << "BEGIN_SHIPS\nProbe:LightMast\n  STATUS Orbiting Earth\n  RPOS 0 6371100 0\nEND\n"
                                     "Rock&Roll:LightMast\n  STATUS Landed Moon\nEND\nEND_SHIPS\n";
  std::string pictures[2];
  for (std::string &picture : pictures) {
    RunOptions opt;
    opt.scenario = (dir / "fall.scn").string();
    opt.until = 10;
    opt.plot = (dir / "plot.svg").string();
    opt.configDir = VH_CONFIG_DIR;
    opt.moduleDir = VH_MODULE_DIR;
    opt.quiet = true;
    std::ostringstream out, err;
    ASSERT_EQ(runCommand(opt, out, err), kExitOk) << err.str();
    std::ifstream in(opt.plot);
    picture.assign(std::istreambuf_iterator<char>(in), {});
  }
  fs::remove_all(dir);
  EXPECT_EQ(pictures[0], pictures[1]);
  const Parsed p = parseSvg(pictures[0]);
  ASSERT_TRUE(p.wellFormed) << p.error;
  EXPECT_EQ(p.untitledItems, 0);
  EXPECT_EQ(p.classes.at("series"), 2);
  EXPECT_EQ(p.classes.at("event"), 1);  // the probe's landing
  EXPECT_NE(pictures[0].find("landed"), std::string::npos);
}

TEST(FlightProfile, RecordingAFrameAllocatesNothing) {
  vhost::Simulation sim(options());
  sim.loadScenario(
      "BEGIN_SHIPS\nTarva:tarva_2016\n  STATUS Orbiting Earth\n  RPOS 0 6491000 0\nEND\n"
      "Lander:Selvar_2016\n  STATUS Landed Moon\nEND\nEND_SHIPS\n",
      "t.scn");
  FlightRecorder flight(sim, 100);  // a sample every frame: 5000 frames, 1500 samples at most
  for (int i = 0; i < 10; ++i) {
    sim.step();
    flight.frame(sim);
  }
  for (int i = 0; i < 20; ++i) {
    sim.step();
    vhost::AllocationCounter::start();
    flight.frame(sim);
    vhost::AllocationCounter::stop();
    EXPECT_EQ(vhost::AllocationCounter::count(), 0u) << "frame " << i;
  }
  ASSERT_EQ(flight.series().size(), 2u);
  EXPECT_GE(flight.series()[0].samples.size(), 2u);
  EXPECT_LT(flight.series()[0].samples.back().altitude, 120000);
}

TEST(FlightProfile, AVesselChangingEveryFrameGetsBoundedMarks) {
  vhost::Simulation sim(options());
  sim.loadScenario("BEGIN_SHIPS\nRock:LightMast\n  STATUS Landed Moon\nEND\nEND_SHIPS\n", "t.scn");
  FlightRecorder flight(sim, 100);
  for (int i = 0; i < 1000; ++i) {
    sim.vessel("Rock").iface()->SetEmptyMass(100 + i);
    sim.step();
    flight.frame(sim);
  }
  for (int i = 0; i < 10; ++i) {  // past the last mark, a change costs nothing
    sim.vessel("Rock").iface()->SetEmptyMass(i);
    sim.step();
    vhost::AllocationCounter::start();
    flight.frame(sim);
    vhost::AllocationCounter::stop();
    EXPECT_EQ(vhost::AllocationCounter::count(), 0u) << "frame " << i;
  }
  ASSERT_LE(flight.events().size(), 30u);
  ASSERT_GE(flight.events().size(), 10u);
  EXPECT_NE(flight.events().back().what.find("no more marks"), std::string::npos) << flight.events().back().what;
}
