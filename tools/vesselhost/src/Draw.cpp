#include "Draw.h"

#include <exception>
#include <memory>

#include "AtomicFile.h"
#include "Run.h"
#include "StopSignals.h"
#include "VesselDrawing.h"
#include "vhost/Simulation.h"

namespace vesselhost {

int drawCommand(const DrawOptions &opt, std::ostream &err) {
  auto fail = [&](const std::string &message, int code) {
    err << "vesselhost: " << message << "\n";
    return code;
  };
  if (opt.scenario.empty()) return fail("draw needs a scenario file", kExitUsage);
  if (opt.out.empty()) return fail("draw needs an output file (--out FILE.svg)", kExitUsage);
  if (sameFile(opt.out, opt.scenario)) return fail("--out and the scenario name the same file, " + opt.out, kExitUsage);

  std::string error, scenarioText;
  if (!readFile(opt.scenario, scenarioText, &error)) return fail(error, kExitFailure);
  AtomicFile out;
  if (!out.open(opt.out, &error)) return fail(error, kExitFailure);
  RemovedOnSecondSignal outTemp(out.tempPath());
  auto stopped = [&](int signal) {
    return fail("draw stopped by " + signalName(signal) + "; nothing written", stopExitCode(signal));
  };

  std::string svg;
  try {
    vhost::SimulationOptions simOptions;
    simOptions.configDir = opt.configDir;
    simOptions.moduleDir = opt.moduleDir;
    auto sim = std::make_unique<vhost::Simulation>(simOptions);
    sim->loadScenario(scenarioText, opt.scenario);
    if (const int signal = stopSignal()) return stopped(signal);
    if (sim->vessels().empty()) return fail(opt.scenario + ": holds no vessel to draw", kExitFailure);
    const std::string first = sim->vessels().front()->record().name;
    sim->step();
    // Looked up after the frame, so that a vessel made in it can be drawn.
    const std::string name = opt.vessel.empty() ? first : opt.vessel;
    const vhost::Vessel *vessel = sim->findVessel(name);
    if (!vessel) {
      std::string known;
      for (const vhost::Vessel *v : sim->vessels()) known += (known.empty() ? "" : ", ") + v->record().name;
      return fail("no vessel \"" + name + "\" in " + opt.scenario + " after its first frame (it holds " + known + ")",
                  kExitFailure);
    }
    svg = vesselSvg(vessel->record(), sim->time());
  } catch (const vhost::ScenarioError &e) {
    return fail(describeScenarioError(e), kExitFailure);
  } catch (const std::exception &e) {
    return fail(opt.scenario + ": " + e.what(), kExitFailure);
  }
  if (const int signal = stopSignal()) return stopped(signal);

  out.stream() << svg;
  if (!out.commit(&error)) return fail(error, kExitFailure);
  return kExitOk;
}

std::string drawHelp() {
  return "\nThe scenario is loaded as 'run' loads it (class capabilities, scenario lines,\n"
         "post-creation) and one frame of 0.02 s is run, so a configuration that waits\n"
         "for the first post-step is in place. The picture shows the vessel from the side\n"
         "(+x), the front (+z) and above (+y) to one scale, with its origin, its axes and a\n"
         "scale bar in metres:\n"
         "  thrusters: an arrow the way the flame goes, longer the more it can push,\n"
         "    coloured by thruster group (legend); one without thrust dashed and open;\n"
         "  touchdown points and the polygon they span; docking ports and attachment\n"
         "    points (child and parent) with their direction and rotation;\n"
         "  lights in their colours (a spot light as the cone of its aperture) and\n"
         "    beacons, filled when on, dashed when off; mesh offsets with the mesh\n"
         "    names; the camera; and a small view of each thruster group.\n"
         "Every item is an SVG group whose class names its kind (thruster, group,\n"
         "touchdown, dock, attachment, light, beacon, mesh, camera) and whose title names it\n"
         "and its values. A script draws mid-flight with 'at TIME draw VESSEL FILE'.\n"
         "Exit status: 0 success, 2 usage error, 1 any other error (unknown vessel, a file\n"
         "that cannot be read or written); the SVG file is written whole or not at all.\n";
}

}  // namespace vesselhost
