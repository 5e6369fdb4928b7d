// Where the runner finds class configurations and modules when no option
// names them.
#ifndef VESSELHOST_PATHS_H
#define VESSELHOST_PATHS_H

#include <string>

namespace vesselhost {

// The directory of the running executable ("" when unknown); argv0 is the
// fallback when the system cannot say.
std::string executableDir(const char *argv0);

// The project's config/: the source tree's, else config/ two levels above
// the executable (build/bin/ -> the tree).
std::string defaultConfigDir(const std::string &exeDir);
// The project's examples/, found as config/ is; "" when there is none.
std::string defaultExamplesDir(const std::string &exeDir);
// The build's Modules/, beside bin/.
std::string defaultModuleDir(const std::string &exeDir);

}  // namespace vesselhost

#endif  // VESSELHOST_PATHS_H
