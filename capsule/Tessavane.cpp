// The capsule object and the vessel it defines for the host.
#include "Tessavane.h"

#include "CapsuleTables.h"
#include "vessel_common/Mechanism.h"

namespace tarva {

namespace {

const COLOUR4 WHITE = {1, 1, 1, 0};
const COLOUR4 DIM_AMBIENT = {0.01f, 0.01f, 0.01f, 0};

const double MAIN_FLAME_LENGTH = 4.0, MAIN_FLAME_WIDTH = 0.8, MAIN_FLAME_OFFSET = 1.0;
const double ATTITUDE_FLAME_LENGTH = 3.0, ATTITUDE_FLAME_WIDTH = 0.3, ATTITUDE_FLAME_OFFSET = 0.0;
const double REFERENCE_PRESSURE = 101400.0;  // Pa

}  // namespace

Tessavane::Tessavane(OBJHANDLE hVessel, int flightModel)
    : VESSEL3(hVessel, flightModel),
      spotLight(0),
      pointLights(),
      touchdownSet(false),
      lightsOn(false),
      lesJettisoned(false),
      shieldJettisoned(false),
      mainChutesDeployed(false),
      drogueDeployed(false),
      landingPrepared(false),
      lspActive(false),
      coverPresent(false),
      docked(false),
      insActive(false),
      hatchOpen(false),
      solarDeployed(false),
      landingDeployed(false),
      stage(STAGE_ORBITAL),
      hatchStatus(STATUS_CLOSED),
      landingStatus(STATUS_CLOSED),
      mainChuteStatus(STATUS_CLOSED),
      insStatus(STATUS_CLOSED),
      solarStatus(STATUS_CLOSED),
      configPending(true),
      thMain(0),
      thRcs(),
      propTank(0),
      meshCrew(),
      navBeacons(),
      strobeBeacon(),
      animHatch(0),
      animLanding(0),
      animMainChute(0),
      animIns(0),
      animSolar(),
      hatchProc(0),
      landingProc(0),
      mainChuteProc(0),
      insProc(0),
      solarProc(0),
      altitude(0),
      idxCrew(),
      idxCm(0),
      idxCmBurned(0),
      idxSm(0),
      idxCmVc(0),
      idxLsp(0),
      idxShield(0),
      idxSmCover(0),
      idxDrogue(0),
      idxLas(0),
      idxPalette(0),
      meshRemoved(),
      beaconPos(),
      beaconCol(),
      groupScratch() {
  // Global meshes belong to the host for the whole process; the capsule
  // only keeps the handles.
  meshSm = oapiLoadMeshGlobal("tarvaqel1/sm_open2");
  meshCm = oapiLoadMeshGlobal("tarvaqel1/cm");
  meshCmBurned = oapiLoadMeshGlobal("tarvaqel1/cm_burned");
  meshCmVc = oapiLoadMeshGlobal("tarvaqel1/cm_vc");
  meshShield = oapiLoadMeshGlobal("tarvaqel1/shield");
  meshLsp = oapiLoadMeshGlobal("tarvaqel1/lsp");
  meshDrogue = oapiLoadMeshGlobal("tarvaqel1/drogue");
  meshSmCover = oapiLoadMeshGlobal("tarvaqel1/sm_cover");
  meshLas = oapiLoadMeshGlobal("brendavel/las");
  meshPalette = oapiLoadMeshGlobal("tarvaqel1/palette");
  for (int i = 0; i < CREW_COUNT; ++i) meshCrew[i] = oapiLoadMeshGlobal("tarvaqel1/seated");
}

void Tessavane::clbkSetClassCaps(FILEHANDLE) {
  spotLight = AddSpotLight(_V(0, 0, 2.5), _V(0, 0, 1), 100, 1e-5, 0, 0.001, 30 * RAD, 60 * RAD, WHITE, WHITE,
                           DIM_AMBIENT);
  spotLight->Activate(false);
  for (int i = 0; i < POINT_LIGHT_COUNT; ++i) {
    const PointLightSpec &light = POINT_LIGHTS[i];
    pointLights[i] = AddPointLight(light.pos, 0.15, 0.6, 0, 1.2, light.colour, light.colour, DIM_AMBIENT);
    pointLights[i]->Activate(true);
  }

  SetVisibilityLimit(0.00075, 0.015);
  SetSize(12);
  SetCrossSections(OWN_CROSS_SECTIONS);
  SetPMI(OWN_PMI);
  SetRotDrag(OWN_ROT_DRAG);
  SetEmptyMass(FULL_EMPTY_MASS);
  SetDockParams(_V(0, 0, 1.8), _V(0, 0, 1), _V(0, 1, 0));
  SetTouchdownPoints(TOUCHDOWN_POINTS, TOUCHDOWN_COUNT);
  SetTrimScale(0);
  SetCW(0.1, 2.0, 1.0, 1.0);
  SetPitchMomentScale(-0.0002);
  SetBankMomentScale(-0.0002);
  SetSurfaceFrictionCoeff(0.1, 0.1);

  propTank = CreatePropellantResource(TANK_FULL_CAPACITY, -1, 1.0);
  SetDefaultPropellantResource(propTank);

  for (int i = 0; i < THRUSTER_COUNT; ++i) {
    const ThrusterSpec &t = THRUSTERS[i];
    THRUSTER_HANDLE th = CreateThruster(t.pos, t.dir, t.maxThrust, propTank, t.isp, 0, REFERENCE_PRESSURE);
    if (i == 0)
      thMain = th;
    else
      thRcs[i - 1] = th;
  }

  char attitudeTextureName[] = "exhaust_qel";
  char mainTextureName[] = "Exhaust2";
  SURFHANDLE attitudeTexture = oapiRegisterExhaustTexture(attitudeTextureName);
  SURFHANDLE mainTexture = oapiRegisterExhaustTexture(mainTextureName);
  for (int i = 0; i < THRUSTER_COUNT; ++i) {
    if (THRUSTERS[i].flame == MAIN_FLAME)
      AddExhaust(Thruster(i), MAIN_FLAME_LENGTH, MAIN_FLAME_WIDTH, MAIN_FLAME_OFFSET, mainTexture);
    else if (THRUSTERS[i].flame == ATTITUDE_FLAME)
      AddExhaust(Thruster(i), ATTITUDE_FLAME_LENGTH, ATTITUDE_FLAME_WIDTH, ATTITUDE_FLAME_OFFSET, attitudeTexture);
  }

  // The handle and index member of each slot, in slot order.
  MESHHANDLE slotMesh[MESH_SLOT_COUNT] = {meshCm,     meshCmBurned, meshSm,      meshLsp,     meshSmCover,
                                          meshShield, meshDrogue,   meshLas,     meshPalette, meshCmVc,
                                          meshCrew[0], meshCrew[1], meshCrew[2], meshCrew[3]};
  UINT *slotIndex[MESH_SLOT_COUNT] = {&idxCm,     &idxCmBurned, &idxSm,      &idxLsp,     &idxSmCover,
                                      &idxShield, &idxDrogue,   &idxLas,     &idxPalette, &idxCmVc,
                                      &idxCrew[0], &idxCrew[1], &idxCrew[2], &idxCrew[3]};
  for (int slot = 0; slot < MESH_SLOT_COUNT; ++slot) {
    *slotIndex[slot] = AddMesh(slotMesh[slot], &MESH_SLOTS[slot].offset);
    SetMeshVisibilityMode(*slotIndex[slot], MESH_SLOTS[slot].visibility);
  }

  SetCameraOffset(_V(0, 0, 1));
  SetCameraDefaultDirection(_V(0, 0, 1));
  SetCameraRotationRange(90 * RAD, 90 * RAD, 90 * RAD, 90 * RAD);
}

}  // namespace tarva
