// The four stage configurations, what post-creation applies, the beacons and
// the thruster groups rebuilt at every step.
#include "CapsuleTables.h"
#include "Tessavane.h"
#include "vessel_common/Mechanism.h"

namespace tarva {

namespace {
WORD ShownIf(bool carried) { return carried ? MESHVIS_ALWAYS : MESHVIS_NEVER; }
}  // namespace

void Tessavane::clbkPostCreation() {
  DefineAnimations();
  DefineBeacons();
  switch (stage) {
    case STAGE_LAUNCH:
      SetTouchdownPoints(TOUCHDOWN_POINTS, TOUCHDOWN_COUNT);
      SetLaunchConfig();
      break;
    case STAGE_REENTRY:
      SetTouchdownPoints(TOUCHDOWN_POINTS, TOUCHDOWN_COUNT);
      SetReentryConfig();
      break;
    case STAGE_LANDING:
      SetTouchdownPoints(TOUCHDOWN_POINTS, TOUCHDOWN_COUNT);
      SetLandingConfig();
      break;
    case STAGE_ORBITAL:
      SetTouchdownPoints(TOUCHDOWN_POINTS, TOUCHDOWN_COUNT);
      SetOrbitalConfig();
      break;
    default:
      break;
  }
}

void Tessavane::DefineBeacons() {
  ClearBeacons();
  BEACONLIGHTSPEC *records[NAV_BEACON_COUNT + 1] = {&navBeacons[0], &navBeacons[1], &navBeacons[2],
                                                     &navBeacons[3], &navBeacons[4], &strobeBeacon};
  for (int i = 0; i < NAV_BEACON_COUNT + 1; ++i) {
    const BeaconSpec &spec = BEACONS[i];
    beaconPos[i] = spec.pos;
    beaconCol[i] = spec.col;
    BEACONLIGHTSPEC &b = *records[i];
    b.shape = spec.shape;
    b.pos = &beaconPos[i];
    b.col = &beaconCol[i];
    b.size = spec.size;
    b.falloff = spec.falloff;
    b.period = spec.period;
    b.duration = spec.duration;
    b.tofs = spec.tofs;
    b.active = spec.active;
    AddBeacon(&b);
  }
}

void Tessavane::SetLaunchConfig() {
  if (!configPending) return;
  SetMeshVisibilityMode(idxLas, MESHVIS_ALWAYS);
  SetMeshVisibilityMode(idxSm, MESHVIS_ALWAYS);
  SetMeshVisibilityMode(idxLsp, ShownIf(lspActive));
  SetMeshVisibilityMode(idxSmCover, ShownIf(coverPresent));
  SetMeshVisibilityMode(idxShield, MESHVIS_ALWAYS);
  SetPropellantMaxMass(propTank, TANK_FULL_CAPACITY);
  configPending = false;
}

void Tessavane::SetOrbitalConfig() {
  if (!configPending) return;
  stage = STAGE_ORBITAL;
  SetMeshVisibilityMode(idxSm, MESHVIS_ALWAYS);
  DelMesh(idxLas, false);
  SetMeshVisibilityMode(idxLsp, ShownIf(lspActive));
  SetMeshVisibilityMode(idxSmCover, ShownIf(coverPresent));
  SetMeshVisibilityMode(idxPalette, MESHVIS_ALWAYS);
  SetMeshVisibilityMode(idxShield, MESHVIS_ALWAYS);
  SetPropellantMaxMass(propTank, TANK_FULL_CAPACITY);
  configPending = false;
}

void Tessavane::SetReentryConfig() {
  if (!configPending) return;
  stage = STAGE_REENTRY;
  SetReentryAerodynamics();
  SetPropellantMaxMass(propTank, TANK_CAPSULE_CAPACITY);
  SetThrusterResource(thMain, 0);
  DelMesh(idxSm, false);
  DelMesh(idxLsp, false);
  DelMesh(idxSmCover, false);
  DelMesh(idxPalette, false);
  SetMeshVisibilityMode(idxShield, MESHVIS_ALWAYS);
  ApplyTouchdownOnceAirborne();
  RemoveAllExhausts();
  configPending = false;
}

void Tessavane::SetLandingConfig() {
  if (!configPending) return;
  stage = STAGE_LANDING;
  SetReentryAerodynamics();
  SetPropellantMaxMass(propTank, TANK_CAPSULE_CAPACITY);
  SetPropellantMass(propTank, 0);
  SetThrusterResource(thMain, 0);
  DelMesh(idxSm, false);
  DelMesh(idxLsp, false);
  DelMesh(idxShield, false);
  DelMesh(idxSmCover, false);
  DelMesh(idxPalette, false);
  ApplyTouchdownOnceAirborne();
  RemoveAllExhausts();
  SetAnimation(animLanding, 1.0);
  landingStatus = STATUS_OPEN;
  // From here on the scorched hull is shown.
  SetMeshVisibilityMode(idxCm, MESHVIS_NEVER);
  SetMeshVisibilityMode(idxCmBurned, MESHVIS_EXTERNAL);
  configPending = false;
}

void Tessavane::SetReentryAerodynamics() {
  SetCrossSections(REENTRY_CROSS_SECTIONS);
  SetPMI(REENTRY_PMI);
  SetRotDrag(REENTRY_ROT_DRAG);
}

void Tessavane::ApplyTouchdownOnceAirborne() {
  if (touchdownSet || GroundContact()) return;
  SetTouchdownPoints(TOUCHDOWN_POINTS, TOUCHDOWN_COUNT);
  touchdownSet = true;
}

// Removing a flame moves the later ones down one index, so a rising loop
// would skip every other one; from the top down each index is still valid.
void Tessavane::RemoveAllExhausts() {
  for (UINT i = GetExhaustCount(); i > 0; --i) DelExhaust(i - 1);
}

void Tessavane::UpdateThrusterGroups() {
  for (int i = 0; i < CLEARED_GROUP_TYPE_COUNT; ++i) DelThrusterGroup(CLEARED_GROUP_TYPES[i], false);
  for (int g = 0; g < THRUSTER_GROUP_COUNT; ++g) {
    const ThrusterGroupSpec &group = THRUSTER_GROUPS[g];
    for (int i = 0; i < group.count; ++i) groupScratch[i] = Thruster(group.thrusters[i]);
    CreateThrusterGroup(groupScratch, group.count, group.type);
  }
}

}  // namespace tarva
