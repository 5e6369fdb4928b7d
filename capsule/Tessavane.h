// The crew capsule: one vessel object for the whole spacecraft through its
// four stages (launch stack, capsule with service module in orbit, capsule
// alone for re-entry, capsule under parachutes or landed). The pieces it
// sheds leave as vessels of other classes; here they are only meshes.
#ifndef TARVA_TESSAVANE_H
#define TARVA_TESSAVANE_H

#include "CapsuleTables.h"
#include "Orbitersdk.h"

namespace tarva {

const int STAGE_LAUNCH = 0;
const int STAGE_ORBITAL = 3;
const int STAGE_REENTRY = 4;
const int STAGE_LANDING = 5;

const int POINT_LIGHT_COUNT = 4;
const int RCS_COUNT = 39;  // T1 to T39; T0 is the main engine
const int CREW_COUNT = 4;
const int NAV_BEACON_COUNT = 5;
const int SOLAR_ANIM_COUNT = 21;
const int MAX_GROUP_SIZE = 8;  // the longest thruster group list

class Tessavane : public VESSEL3 {
public:
  Tessavane(OBJHANDLE hVessel, int flightModel);

  void clbkSetClassCaps(FILEHANDLE cfg) override;
  void clbkSaveState(FILEHANDLE scn) override;
  void clbkLoadStateEx(FILEHANDLE scn, void *status) override;
  void clbkPostCreation() override;
  void clbkPreStep(double simt, double simdt, double mjd) override;
  void clbkPostStep(double simt, double simdt, double mjd) override;
  void clbkVisualCreated(VISHANDLE vis, int refcount) override;
  void clbkVisualDestroyed(VISHANDLE vis, int refcount) override;
  void clbkRCSMode(int mode) override;
  void clbkMFDMode(int mfd, int mode) override;
  void clbkNavMode(int mode, bool active) override;
  int clbkConsumeBufferedKey(DWORD key, bool down, char *kstate) override;
  bool clbkLoadVC(int id) override;
  bool clbkVCMouseEvent(int id, int event, VECTOR3 &p) override;
  bool clbkVCRedrawEvent(int id, int event, SURFHANDLE surf) override;
  bool clbkDrawHUD(int mode, const HUDPAINTSPEC *hps, oapi::Sketchpad *skp) override;
  void clbkRenderHUD(int mode, const HUDPAINTSPEC *hps, SURFHANDLE hDefaultTex) override;

  // Stage configurations: each acts only while configPending is set and
  // clears it as its last step.
  void SetLaunchConfig();
  void SetOrbitalConfig();
  void SetReentryConfig();
  void SetLandingConfig();

  void DefineAnimations();
  void DefineBeacons();
  void UpdateThrusterGroups();

  // Separations: each guards itself and is a no-op when it cannot act.
  void JettisonLES();
  void SeparateServiceModule();
  void JettisonLSP();
  void JettisonCover();
  void JettisonHeatShield();
  void ReleaseDrogue();

private:
  void SpawnSeparatedVessel(const char *suffix, const char *className, const VECTOR3 &separationVelocity);
  void ApplyPendingConfig();
  void ApplyTouchdownOnceAirborne();
  // A mesh the capsule has shed is gone from the host for good: its slot
  // stays empty, and a call on an empty slot crashes the host. Every
  // deletion and visibility change after class caps goes through these.
  void RemoveMesh(UINT idx);
  void ShowMesh(UINT idx, WORD mode);
  void RemoveAllExhausts();
  void SetReentryAerodynamics();
  void SetOwnAerodynamics();
  void SetChuteAerodynamics(const VECTOR3 &crossSections, const VECTOR3 &pmi, double friction);
  void RunAutomaticEvents();
  void DeployDrogue();
  void AdvanceMechanisms(double simdt);
  // Thruster 0 is the main engine, 1.. the RCS thrusters. Inline: the group
  // rebuild looks up some ninety of them at every frame.
  THRUSTER_HANDLE Thruster(int number) const { return number == 0 ? thMain : thRcs[number - 1]; }

  // Key actions, reached through the key table.
  void KeySeparate();
  void KeyLights();
  void KeyOrbital();
  void KeyHatch();
  void KeyIns();

  LightEmitter *spotLight;
  LightEmitter *pointLights[POINT_LIGHT_COUNT];
  bool touchdownSet;
  bool lightsOn;
  bool lesJettisoned, shieldJettisoned, mainChutesDeployed, drogueDeployed, landingPrepared;
  bool lspActive;
  bool coverPresent;
  bool docked;
  bool insActive, hatchOpen, solarDeployed, landingDeployed;
  int stage;
  int hatchStatus, landingStatus, mainChuteStatus, insStatus, solarStatus;
  bool configPending;
  THRUSTER_HANDLE thMain;
  THRUSTER_HANDLE thRcs[RCS_COUNT];
  PROPELLANT_HANDLE propTank;
  MESHHANDLE meshCrew[CREW_COUNT];
  MESHHANDLE meshSm, meshCm, meshCmBurned, meshCmVc, meshShield, meshLsp, meshDrogue, meshSmCover, meshLas,
      meshPalette;
  BEACONLIGHTSPEC navBeacons[NAV_BEACON_COUNT];
  BEACONLIGHTSPEC strobeBeacon;
  UINT animHatch, animLanding, animMainChute, animIns;
  UINT animSolar[SOLAR_ANIM_COUNT];
  double hatchProc, landingProc, mainChuteProc, insProc, solarProc;
  double altitude;
  UINT idxCrew[CREW_COUNT];
  UINT idxCm, idxCmBurned, idxSm, idxCmVc, idxLsp, idxShield, idxSmCover, idxDrogue, idxLas, idxPalette;
  bool meshRemoved[MESH_SLOT_COUNT];  // by mesh index, which is the slot

  // The host reads the beacon records and the vectors they point to at every
  // frame, so both live as long as the vessel: nav beacons first, strobe last.
  VECTOR3 beaconPos[NAV_BEACON_COUNT + 1];
  VECTOR3 beaconCol[NAV_BEACON_COUNT + 1];
  // Handle list for the thruster group being rebuilt; its own storage so the
  // per-frame rebuild allocates nothing and never aliases thRcs.
  THRUSTER_HANDLE groupScratch[MAX_GROUP_SIZE];
};

}  // namespace tarva

#endif  // TARVA_TESSAVANE_H
