// "vesselhost validate": a conformance battery for vessel modules. Each
// module is loaded through the host with a class whose configuration names
// it and put through the checks below; every check gives pass or fail and a
// line of detail.
#ifndef VESSELHOST_VALIDATE_H
#define VESSELHOST_VALIDATE_H

#include <ostream>
#include <string>
#include <vector>

namespace vesselhost {

struct ValidateOptions {
  std::vector<std::string> modules;  // module names in moduleDir, or paths to .so files
  std::string configDir, moduleDir;
  bool json = false;
};

struct CheckResult {
  std::string name;    // e.g. "entry-points"
  bool passed = false;
  std::string detail;  // what was seen, one line
};

struct ModuleReport {
  std::string module;     // the module's name
  std::string path;       // the shared library checked
  std::string className;  // the class its vessels were made of
  bool madeUpClass = false;  // no class configuration named the module
  std::vector<CheckResult> checks;
  bool passed() const;
};

// The names of the checks, in the order they run.
const std::vector<std::string> &validateCheckNames();

// Runs every check on one module.
ModuleReport validateModule(const std::string &module, const ValidateOptions &options);

// Runs the battery on every module named and writes a line per check and a
// summary (or, with json, one JSON document) to out. Returns kExitOk when
// every check passed, kExitFailure otherwise, kExitUsage without modules.
int validateCommand(const ValidateOptions &options, std::ostream &out, std::ostream &err);

}  // namespace vesselhost

#endif  // VESSELHOST_VALIDATE_H
