// The capsule's time step: empty mass and altitude before the host moves it;
// afterwards the pending stage configuration, the thruster groups, the
// altitude events of ascent and descent, the mechanisms and the camera.
#include "CapsuleTables.h"
#include "Tessavane.h"
#include "vessel_common/Mechanism.h"

namespace tarva {

namespace {

const double LES_JETTISON_ALTITUDE = 100000;  // above: the tower leaves
const double SHIELD_JETTISON_ALTITUDE = 9100;  // below, on the way down
const double DROGUE_DEPLOY_ALTITUDE = 9000;
const double MAIN_CHUTE_ALTITUDE = 2000;
const double LANDING_ALTITUDE = 50;

// Mechanism rates, position units per second.
const double HATCH_RATE = 0.33;
const double INS_RATE = 0.66;
const double SOLAR_RATE = 0.1;
const double LANDING_RATE = 0.66;
const double MAIN_CHUTE_RATE = 0.66;

const VECTOR3 DROGUE_CROSS_SECTIONS = {{16, 16, 2000}};
const VECTOR3 DROGUE_PMI = {{9, 9, 3}};
const double DROGUE_FRICTION = 0.1;
const VECTOR3 MAIN_CHUTE_CROSS_SECTIONS = {{26, 26, 4000}};
const VECTOR3 MAIN_CHUTE_PMI = {{12, 12, 4}};
const double MAIN_CHUTE_FRICTION = 0.3;
const VECTOR3 CHUTE_ROT_DRAG = {{0.5, 0.5, 0.3}};

bool Moving(int status) { return status == STATUS_CLOSING || status >= STATUS_OPENING; }

}  // namespace

void Tessavane::clbkPreStep(double, double, double) {
  switch (stage) {
    case STAGE_REENTRY:
      SetEmptyMass(CAPSULE_EMPTY_MASS);
      break;
    case STAGE_LANDING:
      SetEmptyMass(FULL_EMPTY_MASS - SERVICE_MODULE_MASS);
      break;
    default:
      SetEmptyMass(FULL_EMPTY_MASS);
      break;
  }
  altitude = GetAltitude();
}

void Tessavane::clbkPostStep(double, double simdt, double) {
  ApplyPendingConfig();
  UpdateThrusterGroups();
  RunAutomaticEvents();
  docked = DockingStatus(0) != 0;
  AdvanceMechanisms(simdt);
  if (oapiCockpitMode() != COCKPIT_VIRTUAL) SetCameraOffset(_V(0, 0, 1));
}

void Tessavane::ApplyPendingConfig() {
  if (!configPending) return;
  switch (stage) {
    case STAGE_LAUNCH:
      SetLaunchConfig();
      break;
    case STAGE_ORBITAL:
      SetOrbitalConfig();
      break;
    case STAGE_REENTRY:
      SetReentryConfig();
      break;
    case STAGE_LANDING:
      SetLandingConfig();
      break;
    default:
      break;  // no configuration: the request stays
  }
}

// Thresholds are strict and every event fires once; several may fire in one
// frame, in this order. Event 5 leaves the re-entry stage, which ends the
// descent events.
void Tessavane::RunAutomaticEvents() {
  if (altitude > LES_JETTISON_ALTITUDE && stage == STAGE_LAUNCH && !lesJettisoned) {
    JettisonLES();
    lesJettisoned = true;
  }
  if (altitude < SHIELD_JETTISON_ALTITUDE && stage == STAGE_REENTRY && !shieldJettisoned) {
    JettisonHeatShield();
    shieldJettisoned = true;
  }
  if (altitude < DROGUE_DEPLOY_ALTITUDE && stage == STAGE_REENTRY && !drogueDeployed) {
    DeployDrogue();
    drogueDeployed = true;
  }
  if (altitude < MAIN_CHUTE_ALTITUDE && stage == STAGE_REENTRY && !mainChutesDeployed &&
      mainChuteStatus != STATUS_OPEN) {
    mainChuteStatus = STATUS_OPENING;
    mainChutesDeployed = true;
    ReleaseDrogue();
  }
  if (altitude < LANDING_ALTITUDE && stage == STAGE_REENTRY && !landingPrepared) {
    if (landingStatus != STATUS_OPEN) landingStatus = STATUS_OPENING;
    mainChuteStatus = STATUS_CLOSING;  // the chutes are cut
    landingPrepared = true;
    stage = STAGE_LANDING;
    configPending = true;
  }
}

void Tessavane::DeployDrogue() {
  ShowMesh(idxDrogue, MESHVIS_ALWAYS);
  SetChuteAerodynamics(DROGUE_CROSS_SECTIONS, DROGUE_PMI, DROGUE_FRICTION);
}

void Tessavane::SetChuteAerodynamics(const VECTOR3 &crossSections, const VECTOR3 &pmi, double friction) {
  SetTrimScale(0);
  ClearAirfoilDefinitions();
  SetCW(2, 2, 1, 1);
  SetCrossSections(crossSections);
  SetRotDrag(CHUTE_ROT_DRAG);
  SetPitchMomentScale(-0.0002);
  SetBankMomentScale(-0.0002);
  SetPMI(pmi);
  SetSurfaceFrictionCoeff(friction, friction);
}

void Tessavane::AdvanceMechanisms(double simdt) {
  // The hatch stays as it is while a vessel is docked at the port.
  if (!docked) vmod::AdvanceMechanism(*this, animHatch, hatchStatus, hatchProc, hatchOpen, HATCH_RATE * simdt);

  vmod::AdvanceMechanism(*this, animIns, insStatus, insProc, insActive, INS_RATE * simdt);

  bool solarMoving = false;
  solarDeployed = false;
  if (vmod::StepMechanism(solarStatus, solarProc, solarMoving, SOLAR_RATE * simdt))
    for (int i = 0; i < SOLAR_ANIM_COUNT; ++i) SetAnimation(animSolar[i], solarProc);
  solarDeployed = solarStatus == STATUS_OPEN || solarStatus >= STATUS_OPENING;

  // The landing flag records that the gear has moved at all; it is never
  // cleared here.
  bool landingMoving = false;
  if (Moving(landingStatus)) landingDeployed = true;
  vmod::AdvanceMechanism(*this, animLanding, landingStatus, landingProc, landingMoving, LANDING_RATE * simdt);

  // Open chutes keep pulling, closing ones (the step that closes them
  // included) give the capsule its own values back.
  if (mainChuteStatus == STATUS_CLOSING)
    SetOwnAerodynamics();
  else if (mainChuteStatus == STATUS_OPEN || mainChuteStatus >= STATUS_OPENING)
    SetChuteAerodynamics(MAIN_CHUTE_CROSS_SECTIONS, MAIN_CHUTE_PMI, MAIN_CHUTE_FRICTION);
  bool chuteOpen = false;
  vmod::AdvanceMechanism(*this, animMainChute, mainChuteStatus, mainChuteProc, chuteOpen, MAIN_CHUTE_RATE * simdt);
}

}  // namespace tarva
