// The crewed lander's scenario lines.
#include "Tessavane.h"

const landers::MechanismKey<Tessavane> Tessavane::mechanismKeys[4] = {
    {"GEARRPR", &Tessavane::gearDown, &Tessavane::gearStatus},
    {"PALETTE", &Tessavane::paletteDeployed, &Tessavane::paletteStatus},
    {"HATCHPR", &Tessavane::hatchOpen, &Tessavane::hatchStatus},
    {"DOORHPR", &Tessavane::doorOpen, &Tessavane::doorStatus},
};

// A configuration line applies at once: the configuration is in place before
// post-creation applies it again.
const landers::ConfigKey<Tessavane> Tessavane::configKeys[2] = {
    {"LAUNCHL", &Tessavane::SetLaunchConfig},
    {"ORBITAL", &Tessavane::SetAscentConfig},
};

void Tessavane::clbkSaveState(FILEHANDLE scn) {
  VESSEL2::clbkSaveState(scn);
  landers::WriteMechanismLines(scn, *this, mechanismKeys);
  landers::WriteSetLine(scn, ascentOnly == 1 ? "ORBITAL" : "LAUNCHL");
}

void Tessavane::clbkLoadStateEx(FILEHANDLE scn, void *status) {
  landers::ReadStateLines(*this, scn, status, mechanismKeys, configKeys);
}
