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
  ShowMesh(idxLas, MESHVIS_ALWAYS);
  ShowMesh(idxSm, MESHVIS_ALWAYS);
  ShowMesh(idxLsp, ShownIf(lspActive));
  ShowMesh(idxSmCover, ShownIf(coverPresent));
  ShowMesh(idxShield, MESHVIS_ALWAYS);
  SetPropellantMaxMass(propTank, TANK_FULL_CAPACITY);
  configPending = false;
}

void Tessavane::SetOrbitalConfig() {
  if (!configPending) return;
  stage = STAGE_ORBITAL;
  ShowMesh(idxSm, MESHVIS_ALWAYS);
  RemoveMesh(idxLas);
  ShowMesh(idxLsp, ShownIf(lspActive));
  ShowMesh(idxSmCover, ShownIf(coverPresent));
  ShowMesh(idxPalette, MESHVIS_ALWAYS);
  ShowMesh(idxShield, MESHVIS_ALWAYS);
  SetPropellantMaxMass(propTank, TANK_FULL_CAPACITY);
  configPending = false;
}

void Tessavane::SetReentryConfig() {
  if (!configPending) return;
  stage = STAGE_REENTRY;
  SetReentryAerodynamics();
  SetPropellantMaxMass(propTank, TANK_CAPSULE_CAPACITY);
  SetThrusterResource(thMain, 0);
  RemoveMesh(idxSm);
  RemoveMesh(idxLsp);
  RemoveMesh(idxSmCover);
  RemoveMesh(idxPalette);
  ShowMesh(idxShield, MESHVIS_ALWAYS);
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
  RemoveMesh(idxSm);
  RemoveMesh(idxLsp);
  RemoveMesh(idxShield);
  RemoveMesh(idxSmCover);
  RemoveMesh(idxPalette);
  ApplyTouchdownOnceAirborne();
  RemoveAllExhausts();
  SetAnimation(animLanding, 1.0);
  landingStatus = STATUS_OPEN;
  // From here on the scorched hull is shown.
  ShowMesh(idxCm, MESHVIS_NEVER);
  ShowMesh(idxCmBurned, MESHVIS_EXTERNAL);
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

// Flames are known by the identifier AddExhaust gave them, which class caps
// made 0 up to the count less one; none was removed or added since.
void Tessavane::RemoveAllExhausts() {
  for (UINT i = GetExhaustCount(); i > 0; --i) DelExhaust(i - 1);
}

void Tessavane::RemoveMesh(UINT idx) {
  if (idx >= MESH_SLOT_COUNT || meshRemoved[idx]) return;
  DelMesh(idx, false);
  meshRemoved[idx] = true;
}

void Tessavane::ShowMesh(UINT idx, WORD mode) {
  if (idx < MESH_SLOT_COUNT && !meshRemoved[idx]) SetMeshVisibilityMode(idx, mode);
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
