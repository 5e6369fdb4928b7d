// vesselhost: the headless host on the command line.
//   vesselhost run SCENARIO [--script FILE] [--dt S] [--until T] ...
#include <iostream>
#include <string>

#include <CLI/CLI.hpp>

#include "CheckInstall.h"
#include "Draw.h"
#include "Numbers.h"
#include "Paths.h"
#include "Platform.h"
#include "Run.h"
#include "Script.h"
#include "StopSignals.h"
#include "Validate.h"
#include "vhost/SharedLibrary.h"

namespace {

const char *const kRunFooter =
    "\nTime starts at 0; frame n runs from (n-1)*dt to n*dt. At its start a frame runs\n"
    "every script command due by then, then pre-step, direct keys, the flight model\n"
    "and post-step. --until T runs the frames that start before T.\n\n"
    "Flight model (--physics on): a vessel that is not landed moves vertically under\n"
    "its body's gravity (Earth 9.81 m/s^2, Moon 1.62 m/s^2) and, on Earth, drag\n"
    "0.5 rho(h) v^2 C A with rho = 1.225 exp(-h / 8500 m) kg/m^3, A its largest cross\n"
    "section and C its z-negative CW; it lands at altitude 0.\n\n"
    "Outputs, written at the end (a script's save and state commands write them at\n"
    "once): --save the scenario in the host's format, each vessel's host lines and then\n"
    "its plug-in lines; --state a JSON object with time, cockpitMode, vcPosition,\n"
    "vcNeighbours, focus, debugString, inputBox, keys, created, warnings, modules and\n"
    "vessels (in creation order, each with everything its plug-in configured);\n"
    "--trace one JSON object a line, {t, vessel, in, call, args}, for every host call\n"
    "a plug-in makes: `in` names the callback it was made from (\"clbkPostStep\",\n"
    "\"ovcInit\", \"input box callback\", \"module load\"; null outside any), so a trace\n"
    "reads per callback; a light's calls have the light's index among its vessel's\n"
    "lights as their first argument; --plot an SVG of every vessel's altitude and vertical\n"
    "speed over time, with keys, separations, landings and changes of empty mass or\n"
    "drag area marked on the time axis. Files named on the command line or in a\n"
    "script are relative to the current directory.\n\n"
    "Exit status: 0 success, 2 usage error, 1 any other error (the message names the\n"
    "file and line at fault). Output files are written whole or not at all; a save\n"
    "that would hold a number the host cannot read back (nan, inf) fails, naming the\n"
    "vessel and the line, and writes nothing.\n\n"
    "Progress: when standard error is a terminal and the run lasts more than a second,\n"
    "a line there shows the simulated time of the total, frames a second and the time\n"
    "left; it is cleared when the run ends (none with --quiet).\n\n"
    "Signals: Ctrl-C (SIGINT) or SIGTERM stops the run at the end of its frame: a line\n"
    "on standard error tells the simulated time, no output file is written (nor any\n"
    "left half-made), and the exit status is 130 (SIGINT) or 143 (SIGTERM). A second\n"
    "signal ends it at once, still leaving no temporary file.\n\n";

// A time in seconds: a finite number above 0 (or, with zeroAllowed, 0 or more).
CLI::Validator secondsValidator(bool zeroAllowed) {
  return CLI::Validator(
      [zeroAllowed](std::string &text) -> std::string {
        double v = 0;
        if (!vesselhost::readNumber(text, v)) return "not a number of seconds: " + text;
        if (zeroAllowed ? v < 0 : v <= 0) return std::string("must be ") + (zeroAllowed ? "0 or more" : "above 0") + ", not " + text;
        return "";
      },
      zeroAllowed ? "S>=0" : "S>0");
}

}  // namespace

int main(int argc, char **argv) {
  vesselhost::initPlatform();
  const std::string exeDir = vesselhost::executableDir(argc > 0 ? argv[0] : nullptr);

  const std::string moduleFolderHelp = std::string("Module folder (<Module>") + vhost::SharedLibrary::suffix() + ")";

  CLI::App app{"Runs vessel plug-in modules in a headless host: loads a scenario and the modules of its\n"
               "vessels, flies it at a fixed step with scripted keys and events, and reports what\n"
               "happened as a timeline, a saved scenario, a JSON state and a call trace.",
               "vesselhost"};
  app.set_version_flag("--version", std::string("vesselhost ") + VESSELHOST_VERSION);
  app.require_subcommand(1);
  // Options start with - on every system: a path may start with /, which on
  // Windows the library would otherwise read as an option.
  app.allow_windows_style_options(false);
  app.footer("Run 'vesselhost run --help' for the run command's options and script commands.");

  vesselhost::RunOptions run;
  run.configDir = vesselhost::defaultConfigDir(exeDir);
  run.moduleDir = vesselhost::defaultModuleDir(exeDir);
  double until = 0;
  std::string physics = "on";

  CLI::App *runCmd = app.add_subcommand("run", "Load a scenario, play a script into it, write what happened");
  runCmd->add_option("SCENARIO", run.scenario, "Scenario file (a BEGIN_SHIPS ... END_SHIPS block of one vessel or more)")
      ->required();
  runCmd->add_option("--script", run.script, "Timed commands, one a line: at TIME COMMAND ARGS (below)");
  runCmd->add_option("--dt", run.dt, "Fixed step length in seconds, above 0")
      ->capture_default_str()
      ->check(secondsValidator(false));
  CLI::Option *untilOpt =
      runCmd->add_option("--until", until,
                         "Run until this simulation time in seconds; default: the last script time\n"
                         "plus one step, or no frames without a script")
          ->check(secondsValidator(true));
  runCmd->add_option("--physics", physics, "Vertical flight model on or off (off: nothing moves but what\n"
                                           "the script sets)")
      ->capture_default_str()
      ->check(CLI::IsMember({"on", "off"}));
  runCmd->add_option("--save", run.save, "Write the scenario at the end: every vessel's host lines and plug-in lines");
  runCmd->add_option("--state", run.state, "Write the JSON state at the end");
  runCmd->add_option("--trace", run.trace, "Write every host call a plug-in makes, one JSON object a line:\n"
                                           "{t, vessel, in, call, args}; in: the callback it came from");
  runCmd->add_option("--plot", run.plot, "Write the flight's profile as SVG: altitude and vertical speed of\n"
                                         "every vessel over time, events marked on the time axis");
  runCmd->add_option("--config", run.configDir, "Class configuration folder (<Class>.cfg)")->capture_default_str();
  runCmd->add_option("--modules", run.moduleDir, moduleFolderHelp)->capture_default_str();
  runCmd->add_option("--meshes", run.meshDir,
                     "A simulator's mesh folder (its Meshes) to look the meshes up in: one whose file is not\n"
                     "there is not found (oapiLoadMeshGlobal gives null). Without it every mesh is found");
  runCmd->add_flag("--quiet", run.quiet, "No timeline on standard output, no progress line on standard error");
  runCmd->footer(std::string(kRunFooter) + vesselhost::scriptHelp());

  vesselhost::ValidateOptions validate;
  validate.configDir = run.configDir;
  validate.moduleDir = run.moduleDir;
  validate.examplesDir = vesselhost::defaultExamplesDir(exeDir);
  CLI::App *validateCmd =
      app.add_subcommand("validate", "Put vessel modules through a conformance battery, a line per check");
  validateCmd->add_option("MODULE", validate.modules, "Module name in the module folder, or path to a module file")
      ->required();
  validateCmd->add_option("--config", validate.configDir, "Class configuration folder (<Class>.cfg)")
      ->capture_default_str();
  validateCmd->add_option("--modules", validate.moduleDir, moduleFolderHelp)->capture_default_str();
  validateCmd
      ->add_option("--examples", validate.examplesDir,
                   "Example scenarios (*.scn) whose vessels of the module command-keys starts from too")
      ->capture_default_str();
  validateCmd->add_flag("--json", validate.json, "One JSON document instead of the lines");
  validateCmd->footer(
      "\nChecks: entry-points (ovcInit and ovcExit exported under plain names), lifecycle\n"
      "(many vessels made and destroyed give back every allocation), host-contract (no host\n"
      "warning through every key, altitude, view and HUD), save-round-trip (save, load, save\n"
      "give the same lines), frame-allocations (no heap allocation in a steady-state frame),\n"
      "animation-range (every animation within 0..1 with 0.001 s and 1 s steps), command-keys\n"
      "(every command key, alone and with every modifier set, pressed twice over in every\n"
      "configuration the vessel reaches by keys and altitudes from a fresh vessel and from the\n"
      "examples that hold one: no host warning; a failure names the inputs that led there).\n"
      "A check that cannot tell on this system says skip and why (on Windows: the allocations\n"
      "of a DLL that uses a heap function the host cannot count); it fails no module.\n"
      "When standard error is a terminal and the checks last more than a second, a line\n"
      "there shows the check under way. Ctrl-C (SIGINT) or SIGTERM stops after the check\n"
      "under way, with no report (exit 130 or 143); a second Ctrl-C ends it at once.\n"
      "Exit status: 0 every check passed, 1 a check failed, 2 usage error.\n");

  vesselhost::DrawOptions draw;
  draw.configDir = run.configDir;
  draw.moduleDir = run.moduleDir;
  CLI::App *drawCmd = app.add_subcommand("draw", "Draw a vessel's layout as SVG, in three views to scale");
  drawCmd->add_option("SCENARIO", draw.scenario, "Scenario file")->required();
  drawCmd->add_option("--out", draw.out, "The SVG file to write")->required();
  drawCmd->add_option("--vessel", draw.vessel, "The vessel to draw; default: the scenario's first");
  drawCmd->add_option("--config", draw.configDir, "Class configuration folder (<Class>.cfg)")->capture_default_str();
  drawCmd->add_option("--modules", draw.moduleDir, moduleFolderHelp)->capture_default_str();
  drawCmd->footer(vesselhost::drawHelp());

  vesselhost::CheckInstallOptions install;
  install.configDir = run.configDir;
  install.moduleDir = run.moduleDir;
  install.examplesDir = validate.examplesDir;
  CLI::App *installCmd = app.add_subcommand(
      "check-install", "Say what the modules need that a simulator's folder lacks, a line per file");
  installCmd->add_option("DIR", install.dir, "The simulator's folder (the one holding orbiter.exe)")->required();
  installCmd->add_option("--module", install.modules, "Only this module (repeatable); default: every module\n"
                                                      "a class file in the class folder names");
  installCmd->add_option("--config", install.configDir, "Class configuration folder the modules are flown from")
      ->capture_default_str();
  installCmd->add_option("--modules", install.moduleDir, moduleFolderHelp)->capture_default_str();
  installCmd->add_option("--examples", install.examplesDir, "Example scenarios the modules are flown from too")
      ->capture_default_str();
  installCmd->footer(
      "\nFor each module: its DLL in Modules (built for the architecture of the folder's\n"
      "orbiter.exe), its class files in Config/Vessels (naming it), the class files of the\n"
      "vessels it makes, and every mesh (Meshes/*.msh) and exhaust texture (Textures/*.dds) it\n"
      "loads. What it needs is found by flying the module here, headless, through every\n"
      "configuration its command keys reach, in every cockpit mode. Names are matched without\n"
      "regard to case, as on Windows.\n"
      "Exit status: 0 nothing missing, 1 something missing or wrong, 2 the check could not be made.\n");

  vesselhost::CheckInstallOptions needs = install;
  CLI::App *needsCmd = app.add_subcommand(
      "needs", "List, as Markdown, the files each module needs beside its own (found as check-install finds them)");
  needsCmd->add_option("--module", needs.modules, "Only this module (repeatable)");
  needsCmd->add_option("--config", needs.configDir, "Class configuration folder")->capture_default_str();
  needsCmd->add_option("--modules", needs.moduleDir, moduleFolderHelp)->capture_default_str();
  needsCmd->add_option("--examples", needs.examplesDir, "Example scenarios the modules are flown from too")
      ->capture_default_str();

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp &e) {
    return app.exit(e);
  } catch (const CLI::CallForAllHelp &e) {
    return app.exit(e);
  } catch (const CLI::CallForVersion &e) {
    return app.exit(e);
  } catch (const CLI::ParseError &e) {
    app.exit(e);
    return vesselhost::kExitUsage;
  }

  const bool terminal = vesselhost::stderrIsTerminal();
  vesselhost::installStopHandlers();
  if (runCmd->parsed()) {
    if (*untilOpt) run.until = until;
    run.physics = physics == "on";
    run.progress = terminal && !run.quiet;
    return vesselhost::runCommand(run, std::cout, std::cerr);
  }
  if (drawCmd->parsed()) return vesselhost::drawCommand(draw, std::cerr);
  if (validateCmd->parsed()) {
    validate.progress = terminal;
    return vesselhost::validateCommand(validate, std::cout, std::cerr);
  }
  if (installCmd->parsed()) return vesselhost::checkInstallCommand(install, std::cout, std::cerr);
  if (needsCmd->parsed()) return vesselhost::needsCommand(needs, std::cout, std::cerr);
  return vesselhost::kExitUsage;
}
