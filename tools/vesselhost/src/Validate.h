// "vesselhost validate": a conformance battery for vessel modules. Each
// module is loaded through the host with a class whose configuration names
// it and put through the checks below; every check gives pass or fail and a
// line of detail.
#ifndef VESSELHOST_VALIDATE_H
#define VESSELHOST_VALIDATE_H

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace vesselhost {

struct ValidateOptions {
  std::vector<std::string> modules;  // module names in moduleDir, or paths to module files
  std::string configDir, moduleDir;
  std::string examplesDir;  // scenarios the command-keys check starts from too ("" none)
  bool json = false;
  bool progress = false;  // a status line on err, which is a terminal
};

struct CheckResult {
  std::string name;    // e.g. "entry-points"
  bool passed = false;
  // The check cannot tell on this system (passed is false, and it does not
  // count as failed); detail says why.
  bool skipped = false;
  std::string detail;  // what was seen, one line
};

struct ModuleReport {
  std::string module;     // the module's name
  std::string path;       // the shared library checked
  std::string className;  // the class its vessels were made of
  bool madeUpClass = false;  // no class configuration named the module
  std::vector<CheckResult> checks;
  // No check failed (skipped ones aside).
  bool passed() const;
};

// The names of the checks, in the order they run.
const std::vector<std::string> &validateCheckNames();

// Told before each check (its index in validateCheckNames()); false stops
// the module's checks there.
using BeforeCheck = std::function<bool(std::size_t check)>;

// Runs every check on one module.
ModuleReport validateModule(const std::string &module, const ValidateOptions &options,
                            const BeforeCheck &beforeCheck = nullptr);

// Runs the battery on every module named and writes a line per check and a
// summary (or, with json, one JSON document) to out. Returns kExitOk when
// every check passed, kExitFailure otherwise, kExitUsage without modules.
// A stop signal ends it after the check under way, with no report: exit
// 128 + the signal.
int validateCommand(const ValidateOptions &options, std::ostream &out, std::ostream &err);

}  // namespace vesselhost

#endif  // VESSELHOST_VALIDATE_H
