// The crewed lander's moving parts and what it does every frame.
#include "LanderValues.h"
#include "Tessavane.h"
#include "landerfamily/Animations.h"
#include "landerfamily/Hardware.h"
#include "landerfamily/Mechanisms.h"
#include "vessel_common/Mechanism.h"

namespace {

const double HATCH_SPEED = 0.33;  // fraction of the travel per second
const double DOOR_SPEED = 0.33;

const landers::DescentGeometry kDescent = {4.790827, 4.2, 5.21};

// Shared by every lander of this module; see landerfamily/Animations.h.
landers::DescentGroups descentGroups = {{19}, {8, 7, 10, 9, 13, 12, 15, 14}};
landers::DescentComponents descentComponents;
UINT hatchGroup[] = {14};
UINT doorGroup[] = {16};
landers::SharedRotation hatchSwing;
landers::SharedRotation doorSwing;

const VECTOR3 HATCH_HINGE = {{-0.45, 7.35, -2.65}};
const VECTOR3 DOOR_HINGE = {{-0.3, 7.35, -0.77}};
const VECTOR3 VERTICAL = {{0, 1, 0}};
const double HATCH_ANGLE_DEG = 90;
const double DOOR_ANGLE_DEG = 90;

}  // namespace

void Tessavane::DefineAnimations() {
  landers::DefineDescentAnimations(*this, idxDescent, kDescent, descentGroups, descentComponents, animPalette,
                                   animGear);
  animHatch = CreateAnimation(0);
  landers::AddRotation(*this, animHatch, 0, 1, hatchSwing, idxAscent, hatchGroup, HATCH_HINGE, VERTICAL,
                       HATCH_ANGLE_DEG);
  animDoor = CreateAnimation(0);
  landers::AddRotation(*this, animDoor, 0, 1, doorSwing, idxAscent, doorGroup, DOOR_HINGE, VERTICAL, DOOR_ANGLE_DEG);
}

void Tessavane::clbkPostStep(double, double simdt, double) {
  // The crew leave their seats once the lander stands on the ground.
  SetMeshVisibilityMode(idxSeats, GroundContact() ? MESHVIS_NEVER : MESHVIS_ALWAYS);
  UpdateThrusterGroups();
  landers::AdvanceDescentMechanisms(*this, {animPalette, paletteStatus, paletteProc, paletteDeployed},
                                    {animGear, gearStatus, gearProc, gearDown}, simdt);
  docked = DockingStatus(0) != 0;
  // A docked vessel sits on the hatch: it stays where it is until undocking.
  if (!docked) vmod::AdvanceMechanism(*this, animHatch, hatchStatus, hatchProc, hatchOpen, HATCH_SPEED * simdt);
  vmod::AdvanceMechanism(*this, animDoor, doorStatus, doorProc, doorOpen, DOOR_SPEED * simdt);
  landers::ResetCameraOutsideVC(*this, crewed::COCKPIT_CAMERA);
}

void Tessavane::ToggleLights() {
  const bool on = !lightsOn;
  hw.beacons.strobeBeacon.active = on;
  // The spotlights sit on the descent stage: once it is gone they stay off.
  if (ascentOnly == 0)
    for (LightEmitter *light : hw.spotLights)
      if (light) light->Activate(on);
  lightsOn = on;
}

void Tessavane::TogglePalette() { vmod::ToggleMechanism(paletteStatus); }
void Tessavane::ToggleGear() { vmod::ToggleMechanism(gearStatus); }
void Tessavane::ToggleHatch() { vmod::ToggleMechanism(hatchStatus); }
void Tessavane::ToggleDoor() { vmod::ToggleMechanism(doorStatus); }
