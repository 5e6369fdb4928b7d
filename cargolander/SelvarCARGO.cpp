// The cargo lander's definition and its one configuration.
#include "SelvarCARGO.h"

#include "CargoValues.h"
#include "landerfamily/ThrusterGroups.h"
#include "vessel_common/Mechanism.h"

namespace {

const double PROPELLANT_MAX = 29000;  // kg

const landers::HardwareLayout kHardware = {
    cargo::EMPTY_MASS,
    {{0, 5.0, 0}},
    36400,  // legs sized for the lander with full tanks
    PROPELLANT_MAX,
    {1.25, 5.94, 5.5, 5.15},
    5.2,
    true,  // the lights start on
    cargo::COCKPIT_CAMERA,
};

const VECTOR3 kNoOffset = {{0, 0, 0}};
const VECTOR3 kNoShift = {{0, 0, 0}};

}  // namespace

SelvarCARGO::SelvarCARGO(OBJHANDLE hVessel, int flightModel)
    : LanderVessel(hVessel, flightModel),
      lightsOn(true),
      gearStatus(STATUS_CLOSED),
      paletteStatus(STATUS_CLOSED),
      gearProc(0),
      paletteProc(0),
      gearDown(false),
      paletteDeployed(false),
      animGear(0),
      animPalette(0),
      configPending(true),
      idxBody(0) {
  meshBody = oapiLoadMeshGlobal("brendavel/selvar");
}

void SelvarCARGO::clbkSetClassCaps(FILEHANDLE) {
  landers::DefineHardware(*this, kHardware, hw);
  idxBody = AddMesh(meshBody, &kNoOffset);
  SetMeshVisibilityMode(idxBody, MESHVIS_ALWAYS);
  landers::DefineCamera(*this, cargo::COCKPIT_CAMERA);
}

void SelvarCARGO::clbkPostCreation() {
  DefineAnimations();
  DefineBeacons();
  configPending = true;
  SetLaunchConfig();
}

void SelvarCARGO::SetLaunchConfig() {
  if (!configPending) return;
  SetMeshVisibilityMode(idxBody, MESHVIS_ALWAYS);
  SetPropellantMaxMass(hw.propTank, PROPELLANT_MAX);
  SetTouchdownPoints(hw.touchdown, landers::TOUCHDOWN_POINTS);
  ShiftCG(kNoShift);
  configPending = false;
}

void SelvarCARGO::RequestLaunchConfig() { configPending = true; }

void SelvarCARGO::DefineBeacons() {
  landers::DefineBeacons(*this, hw.beacons, kHardware.beaconHeight, kHardware.strobeStartsActive);
}

void SelvarCARGO::UpdateThrusterGroups() { landers::UpdateThrusterGroups(*this, hw); }

void SelvarCARGO::clbkPreStep(double, double, double) { SetEmptyMass(cargo::EMPTY_MASS); }
