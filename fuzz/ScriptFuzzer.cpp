// vesselhost's script parser, and what parses played into a simulation of
// a cargo lander and a spotlight for the first seconds (save, state and
// draw commands, which would write files, are left out).
#include <sstream>

#include "FuzzSupport.h"
#include "Script.h"
#include "ScriptPlayer.h"
#include "Timeline.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  using namespace vesselhost;
  ScriptParse parsed = parseScript(std::string_view(reinterpret_cast<const char *>(data), size), "fuzz.vhs");
  if (parsed.error) {
    parsed.error->describe();
    return 0;
  }
  Script script;
  script.fileName = "fuzz.vhs";
  for (const ScriptCommand &c : parsed.script.commands)
    if (c.kind != CommandKind::Save && c.kind != CommandKind::State && c.kind != CommandKind::Draw &&
        c.time <= 3.0) script.commands.push_back(c);

  vhost::Simulation sim(fuzzing::options());
  sim.loadScenario(
      "BEGIN_SHIPS\nMast:LightMast\n  STATUS Landed Earth\nEND\nCargo:SelvarCargo2016\n  STATUS Landed Moon\nEND\n"
      "Spot:beamwick2\n  STATUS Landed Earth\nEND\nEND_SHIPS\n",
      "fuzz.scn");
  std::vector<std::string> names;
  for (const vhost::Vessel *v : sim.vessels()) names.push_back(v->record().name);
  if (checkVessels(script, names)) return 0;
  std::ostringstream out;
  Timeline timeline(out, sim.dt(), true);
  ScriptPlayer player(script, sim, timeline);
  while (sim.time() < 3.0) {
    if (player.runDue(sim.time())) break;
    sim.step();
    fuzzing::expectAnimationsInRange(sim);
  }
  return 0;
}
