// The checks of "vesselhost validate", one function each. Every check makes
// its own simulations from the workspace's folders, with the physics off
// so that nothing moves but what the check does.
#ifndef VESSELHOST_VALIDATECHECKS_H
#define VESSELHOST_VALIDATECHECKS_H

#include "Validate.h"
#include "ValidateWorkspace.h"

namespace vesselhost {

// The module file loads and exports ovcInit and ovcExit under plain names.
CheckResult checkEntryPoints(const ValidateWorkspace &ws);
// Many vessels made and destroyed give back every allocation they took.
CheckResult checkLifecycle(const ValidateWorkspace &ws);
// The exercise leaves no contract warning in the host.
CheckResult checkHostContract(const ValidateWorkspace &ws);
// Save, load of what was saved, and a second save give the same lines,
// fresh and after the exercise.
CheckResult checkSaveRoundTrip(const ValidateWorkspace &ws);
// Steady-state frames allocate nothing, fresh and after the exercise.
CheckResult checkFrameAllocations(const ValidateWorkspace &ws);
// Every animation stays within 0..1 through the exercise at 0.001 s and 1 s steps.
CheckResult checkAnimationRange(const ValidateWorkspace &ws);

}  // namespace vesselhost

#endif  // VESSELHOST_VALIDATECHECKS_H
