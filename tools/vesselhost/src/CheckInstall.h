// "vesselhost check-install DIR": what the modules need that a simulator's
// folder lacks, or holds wrong (ModuleNeeds.h says how the needs are found).
#ifndef VESSELHOST_CHECKINSTALL_H
#define VESSELHOST_CHECKINSTALL_H

#include <ostream>
#include <string>
#include <vector>

namespace vesselhost {

struct CheckInstallOptions {
  std::string dir;                   // the simulator's folder
  std::vector<std::string> modules;  // empty: every module a class file in configDir names
  std::string configDir, moduleDir;  // where the modules are flown from
  std::string examplesDir;           // scenarios they are flown from too ("" none)
};

// One line per file missing or wrong on out, naming the modules that need
// it; a line saying so when nothing is. 0 when nothing is missing, 1 when
// something is, 2 when the check cannot be made (no such folder, a module
// that does not load here).
int checkInstallCommand(const CheckInstallOptions &options, std::ostream &out, std::ostream &err);

// "needs": what each module needs, as Markdown (for the user's guide).
int needsCommand(const CheckInstallOptions &options, std::ostream &out, std::ostream &err);

}  // namespace vesselhost

#endif  // VESSELHOST_CHECKINSTALL_H
