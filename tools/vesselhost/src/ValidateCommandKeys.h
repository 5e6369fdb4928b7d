// The command-keys check of "vesselhost validate" (ValidateCommandKeys.cpp
// says how it explores a module).
#ifndef VESSELHOST_VALIDATECOMMANDKEYS_H
#define VESSELHOST_VALIDATECOMMANDKEYS_H

#include "Validate.h"
#include "ValidateWorkspace.h"

namespace vesselhost {

// Every command key, alone and with every modifier set, twice over, in
// every configuration reachable by keys and altitudes from a fresh vessel
// and from each example that holds one: no host-contract warning.
CheckResult checkCommandKeys(const ValidateWorkspace &ws);

}  // namespace vesselhost

#endif  // VESSELHOST_VALIDATECOMMANDKEYS_H
