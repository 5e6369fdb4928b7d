// The crewed lander's moving parts and what it does every frame.
#include "LanderValues.h"
#include "Tessavane.h"
#include "landerfamily/Animations.h"
#include "landerfamily/Hardware.h"
#include "vessel_common/Mechanism.h"

namespace {

// Travel speeds, fraction of the full travel per second of simulation time.
const double PALETTE_SPEED = 0.66;
const double GEAR_SPEED = 0.66;
const double HATCH_SPEED = 0.33;
const double DOOR_SPEED = 0.33;

const double GEAR_LEG_HINGE_HEIGHT = 5.21;
const double PALETTE_HINGE_HEIGHT = 4.790827;
const double PALETTE_DROP = 4.2;

// Shared by every lander of this module; see landerfamily/Animations.h.
// The host keeps pointers to the group lists, so they are writable statics.
UINT paletteGroup[] = {19};
UINT gearGroups[landers::GEAR_JOINTS] = {8, 7, 10, 9, 13, 12, 15, 14};
UINT hatchGroup[] = {14};
UINT doorGroup[] = {16};
landers::SharedRotation paletteSwing;
landers::SharedTranslation paletteSlide;
landers::SharedRotation gearJoints[landers::GEAR_JOINTS];
landers::SharedRotation hatchSwing;
landers::SharedRotation doorSwing;

const VECTOR3 HATCH_HINGE = {{-0.45, 7.35, -2.65}};
const VECTOR3 DOOR_HINGE = {{-0.3, 7.35, -0.77}};
const VECTOR3 VERTICAL = {{0, 1, 0}};
const double HATCH_ANGLE_DEG = 90;
const double DOOR_ANGLE_DEG = 90;

}  // namespace

void Tessavane::DefineAnimations() {
  animPalette = CreateAnimation(0);
  landers::AddPaletteComponents(*this, animPalette, idxDescent, paletteGroup, PALETTE_HINGE_HEIGHT, PALETTE_DROP,
                                paletteSwing, paletteSlide);
  animGear = CreateAnimation(0);
  landers::AddGearComponents(*this, animGear, idxDescent, gearGroups, GEAR_LEG_HINGE_HEIGHT, gearJoints);
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
  vmod::AdvanceMechanism(*this, animPalette, paletteStatus, paletteProc, paletteDeployed, PALETTE_SPEED * simdt);
  vmod::AdvanceMechanism(*this, animGear, gearStatus, gearProc, gearDown, GEAR_SPEED * simdt);
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
