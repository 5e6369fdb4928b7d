// What the checks of "vesselhost validate" share: simulations over the
// workspace's folders with the physics off, so that nothing moves but what a
// check does, and the forms of their results.
#ifndef VESSELHOST_VALIDATESUPPORT_H
#define VESSELHOST_VALIDATESUPPORT_H

#include <memory>
#include <string>

#include "Validate.h"
#include "ValidateWorkspace.h"
#include "vhost/Simulation.h"

namespace vesselhost {

vhost::SimulationOptions optionsFor(const ValidateWorkspace &ws, double dt = 0.02);
// Vessels V1, V2, ... of the module's class, landed on Earth.
std::string scenarioOf(const ValidateWorkspace &ws, int vessels);
std::unique_ptr<vhost::Simulation> load(const ValidateWorkspace &ws, const std::string &scenario,
                                        double dt = 0.02);
CheckResult result(const char *name, bool passed, const std::string &detail);
std::string format(const char *fmt, double a, double b = 0);
// "t=0.5 s V1 SetAnimation: ..."
std::string describeWarning(const vhost::Warning &w);

}  // namespace vesselhost

#endif  // VESSELHOST_VALIDATESUPPORT_H
