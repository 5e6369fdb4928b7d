// The command-keys check of "vesselhost validate" (ValidateCommandKeys.cpp
// says how it explores a module).
#ifndef VESSELHOST_VALIDATECOMMANDKEYS_H
#define VESSELHOST_VALIDATECOMMANDKEYS_H

#include <functional>

#include "Validate.h"
#include "ValidateWorkspace.h"
#include "vhost/Simulation.h"

namespace vesselhost {

// Every command key, alone and with every modifier set, twice over, in
// every configuration reachable by keys and altitudes from a fresh vessel
// and from each example that holds one: no host-contract warning.
CheckResult checkCommandKeys(const ValidateWorkspace &ws);

// The same exploration with every trial's simulation shown to observe, once
// its inputs have been applied; a host warning does not stop it then.
using TrialObserver = std::function<void(vhost::Simulation &)>;
CheckResult exploreCommandKeys(const ValidateWorkspace &ws, const TrialObserver &observe);

}  // namespace vesselhost

#endif  // VESSELHOST_VALIDATECOMMANDKEYS_H
