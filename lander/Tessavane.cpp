// The crewed lander's definition and its two configurations.
#include "Tessavane.h"

#include "LanderValues.h"
#include "landerfamily/ThrusterGroups.h"
#include "vessel_common/Mechanism.h"

namespace {

const double PROPELLANT_LAUNCH = 30978;  // kg, descent and ascent tanks
const double PROPELLANT_ASCENT = 6411;   // kg, ascent tank alone

// The four engines re-rated to act as the ascent engine.
const double ASCENT_ENGINE_ISP = 3048;
const double ASCENT_ENGINE_THRUST = 8332.5;
const VECTOR3 ASCENT_ENGINE_REF = {{0, 4.2, 0}};

const VECTOR3 ASCENT_STROBE_POS = {{0, 8.9, 0}};

const landers::HardwareLayout kHardware = {
    crewed::EMPTY_MASS_LAUNCH,
    crewed::DOCK_POS,
    54713,  // legs sized for the fully fuelled lander
    PROPELLANT_LAUNCH,
    {1.97, 7.59, 7.17, 6.8},
    5.22,
    false,
    crewed::COCKPIT_CAMERA,
};

const VECTOR3 kNoOffset = {{0, 0, 0}};
const VECTOR3 kCrewSeats[CREW_FIGURES] = {
    {{-0.4, 6.45, 0.85}}, {{0.5, 6.45, 0.85}}, {{-0.5, 6.45, 0.3}}, {{0.4, 6.45, 0.3}}};

}  // namespace

Tessavane::Tessavane(OBJHANDLE hVessel, int flightModel)
    : LanderVessel(hVessel, flightModel),
      lightsOn(false),
      gearDown(false),
      paletteDeployed(false),
      hatchOpen(false),
      doorOpen(false),
      docked(false),
      dockPortCleared(false),
      ascentOnly(0),
      hatchStatus(STATUS_CLOSED),
      doorStatus(STATUS_CLOSED),
      gearStatus(STATUS_CLOSED),
      paletteStatus(STATUS_CLOSED),
      hatchProc(0),
      doorProc(0),
      gearProc(0),
      paletteProc(0),
      animHatch(0),
      animDoor(0),
      animGear(0),
      animPalette(0),
      idxAscent(0),
      idxDescent(0),
      idxSeats(0),
      idxCrew() {
  meshDescent = oapiLoadMeshGlobal("brendavel/crew_des");
  meshAscent = oapiLoadMeshGlobal("brendavel/crew_asc");
  meshSeats = oapiLoadMeshGlobal("brendavel/crew_seats");
  for (MESHHANDLE &crew : meshCrew) crew = oapiLoadMeshGlobal("brendavel/kest_aces_b");
}

void Tessavane::clbkSetClassCaps(FILEHANDLE) {
  landers::DefineHardware(*this, kHardware, hw);

  // The ascent stage comes first so that it is mesh 0 and the descent stage 1.
  idxAscent = AddMesh(meshAscent, &kNoOffset);
  SetMeshVisibilityMode(idxAscent, MESHVIS_ALWAYS);
  idxDescent = AddMesh(meshDescent, &kNoOffset);
  SetMeshVisibilityMode(idxDescent, MESHVIS_ALWAYS);
  idxSeats = AddMesh(meshSeats, &kNoOffset);
  SetMeshVisibilityMode(idxSeats, MESHVIS_ALWAYS);
  for (int i = 0; i < CREW_FIGURES; ++i) {
    idxCrew[i] = AddMesh(meshCrew[i], &kCrewSeats[i]);
    SetMeshVisibilityMode(idxCrew[i], MESHVIS_ALWAYS);
  }

  landers::DefineCamera(*this, crewed::COCKPIT_CAMERA);
}

void Tessavane::clbkPostCreation() {
  DefineAnimations();
  DefineBeacons();
  if (ascentOnly == 1)
    SetAscentConfig();
  else
    SetLaunchConfig();
}

// A block holding "ORBITAL 1" and then "LAUNCHL 1" stays in the ascent
// configuration as a whole.
void Tessavane::SetLaunchConfig() {
  if (ascentOnly == 1) return;
  SetMeshVisibilityMode(idxDescent, MESHVIS_ALWAYS);
  SetMeshVisibilityMode(idxAscent, MESHVIS_ALWAYS);
  SetMeshVisibilityMode(idxSeats, MESHVIS_ALWAYS);
  ascentOnly = 0;
  SetPropellantMaxMass(hw.propTank, PROPELLANT_LAUNCH);
  SetTouchdownPoints(hw.touchdown, landers::TOUCHDOWN_POINTS);
}

void Tessavane::SetAscentConfig() {
  ascentOnly = 1;
  SetMeshVisibilityMode(idxDescent, MESHVIS_NEVER);
  SetMeshVisibilityMode(idxAscent, MESHVIS_ALWAYS);
  SetMeshVisibilityMode(idxSeats, MESHVIS_ALWAYS);
  for (LightEmitter *light : hw.spotLights)
    if (light) light->Activate(false);
  for (LightEmitter *light : hw.pointLights)
    if (light) light->Activate(false);

  // The navigation beacons went with the descent stage; the strobe moves up
  // onto the ascent stage.
  ClearBeacons();
  landers::FillStrobe(hw.beacons, ASCENT_STROBE_POS, false);
  lightsOn = false;
  AddBeacon(&hw.beacons.strobeBeacon);

  SetPropellantMaxMass(hw.propTank, PROPELLANT_ASCENT);
  SetPropellantMass(hw.propTank, PROPELLANT_ASCENT);
  for (THRUSTER_HANDLE th : hw.thMain) SetThrusterIsp(th, ASCENT_ENGINE_ISP);
  for (THRUSTER_HANDLE th : hw.thMain) SetThrusterMax0(th, ASCENT_ENGINE_THRUST);
  for (THRUSTER_HANDLE th : hw.thMain) SetThrusterRef(th, ASCENT_ENGINE_REF);
  SetTouchdownPoints(hw.touchdown, landers::TOUCHDOWN_POINTS);
}

void Tessavane::DefineBeacons() {
  landers::DefineBeacons(*this, hw.beacons, kHardware.beaconHeight, kHardware.strobeStartsActive);
}

void Tessavane::UpdateThrusterGroups() { landers::UpdateThrusterGroups(*this, hw); }

void Tessavane::clbkPreStep(double, double, double) {
  SetEmptyMass(ascentOnly == 1 ? crewed::EMPTY_MASS_ASCENT : crewed::EMPTY_MASS_LAUNCH);
}

// The host's navigation modes need nothing of the lander.
void Tessavane::clbkNavMode(int, bool) {}
