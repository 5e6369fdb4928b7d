// Class configuration items no one should write, read the way the
// simulator reads them (formatted reading: "nan" and "inf" pass through).
// Whatever the spotlight's colour item holds, its light, glow and lamp glass
// get colours within 0..1.
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "BadInputSupport.h"

namespace fs = std::filesystem;

namespace badinput {
namespace {

// The project's class files, with the spotlight's colour item replaced; a
// folder per case and process, as several suites may run at once.
std::string configWithColour(const std::string &value, int n) {
  const fs::path dir =
      fs::temp_directory_path() / ("badinput-colour-" + std::to_string(getpid()) + "-" + std::to_string(n));
  fs::remove_all(dir);
  fs::create_directories(dir);
  for (const fs::directory_entry &e : fs::directory_iterator(VH_CONFIG_DIR)) fs::copy(e.path(), dir / e.path().filename());
  std::ofstream(dir / "beamwick2.cfg") << "Module = beamwick2\nSpotColour = " << value << "\n";
  return dir.string();
}

TEST(BadClassItems, SpotlightColourOfAnyKindGivesUsableColours) {
  const std::string values[] = {"nan nan nan", "-nan inf -inf", "1e999 -1e999 nan", "nan 0.5 0.5 junk",
                                "x y z",       "0.5",           "",                 std::string(5000, '9')};
  int n = 0;
  for (const std::string &value : values) {
    const std::string context = "SpotColour = " + value.substr(0, 40);
    vhost::SimulationOptions o = options();
    o.configDir = configWithColour(value, n++);
    auto sim = std::make_unique<vhost::Simulation>(o);
    sim->loadScenario(scenario("beamwick2", {"SPT 1 50 0.5"}), "badinput.scn");
    sim->setVisual("V", true);
    sim->step();
    expectSound(*sim, context);
    fs::remove_all(o.configDir);
  }
}

}  // namespace
}  // namespace badinput
