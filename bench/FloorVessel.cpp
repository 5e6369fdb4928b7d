// The floor of the per-frame benchmarks: a vessel that makes, at every
// frame, the same host calls as one of the plug-ins in its steady state,
// with the same numbers of thrusters and group sizes, and no logic of its
// own. FLOOR_PROFILE picks the plug-in: 0 crewed lander, 1 cargo lander,
// 2 capsule, 3 spotlight.
#include "Orbitersdk.h"
#include "vessel_common/EntryPoints.h"

#ifndef FLOOR_PROFILE
#define FLOOR_PROFILE 0
#endif

namespace {

struct Group {
  int size;
  THGROUP_TYPE type;
};

struct Profile {
  int thrusters;
  int groupCount;
  Group groups[14];
  bool groundContact, meshVisibility, dockingStatus, cockpitMode, cameraOffset, cameraDirection, altitude, emptyMass;
};

const Profile LANDER_GROUPS = {
    48, 13,
    {{4, THGROUP_HOVER}, {6, THGROUP_ATT_PITCHUP}, {6, THGROUP_ATT_PITCHDOWN}, {6, THGROUP_ATT_BANKLEFT},
     {6, THGROUP_ATT_BANKRIGHT}, {10, THGROUP_ATT_UP}, {10, THGROUP_ATT_DOWN}, {6, THGROUP_ATT_YAWLEFT},
     {6, THGROUP_ATT_YAWRIGHT}, {3, THGROUP_ATT_LEFT}, {3, THGROUP_ATT_RIGHT}, {3, THGROUP_ATT_FORWARD},
     {3, THGROUP_ATT_BACK}},
    false, false, false, false, false, false, false, false};

Profile MakeProfile() {
  Profile p = LANDER_GROUPS;
  switch (FLOOR_PROFILE) {
    case 0:  // crewed lander
      p.groundContact = p.meshVisibility = p.dockingStatus = true;
      p.cockpitMode = p.cameraOffset = p.cameraDirection = p.emptyMass = true;
      break;
    case 1:  // cargo lander
      p.cockpitMode = p.cameraOffset = p.cameraDirection = p.emptyMass = true;
      break;
    case 2: {  // capsule
      const Profile capsule = {
          40, 13,
          {{1, THGROUP_MAIN}, {8, THGROUP_ATT_PITCHDOWN}, {8, THGROUP_ATT_PITCHUP}, {4, THGROUP_ATT_BANKLEFT},
           {4, THGROUP_ATT_BANKRIGHT}, {8, THGROUP_ATT_YAWLEFT}, {8, THGROUP_ATT_YAWRIGHT}, {6, THGROUP_ATT_UP},
           {6, THGROUP_ATT_DOWN}, {6, THGROUP_ATT_RIGHT}, {6, THGROUP_ATT_LEFT}, {8, THGROUP_ATT_BACK},
           {8, THGROUP_ATT_FORWARD}},
          false, false, true, true, true, false, true, true};
      p = capsule;
      break;
    }
    default:  // spotlight: no host call in a steady frame
      p.thrusters = 0;
      p.groupCount = 0;
      break;
  }
  return p;
}

const Profile PROFILE = MakeProfile();
const THGROUP_TYPE ALL_TYPES[14] = {
    THGROUP_MAIN,          THGROUP_HOVER,         THGROUP_ATT_PITCHUP, THGROUP_ATT_PITCHDOWN, THGROUP_ATT_BANKLEFT,
    THGROUP_ATT_BANKRIGHT, THGROUP_ATT_YAWLEFT,   THGROUP_ATT_YAWRIGHT, THGROUP_ATT_RIGHT,    THGROUP_ATT_LEFT,
    THGROUP_ATT_UP,        THGROUP_ATT_DOWN,      THGROUP_ATT_FORWARD, THGROUP_ATT_BACK};
char meshName[] = "FloorVessel";

class FloorVessel : public VESSEL3 {
public:
  FloorVessel(OBJHANDLE h, int flightModel) : VESSEL3(h, flightModel) {}

  void clbkSetClassCaps(FILEHANDLE) override {
    SetEmptyMass(1000);
    mesh = AddMesh(oapiLoadMeshGlobal(meshName));
    CreateDock(_V(0, 0, 1), _V(0, 0, 1), _V(0, 1, 0));
    PROPELLANT_HANDLE tank = CreatePropellantResource(1000);
    for (int i = 0; i < PROFILE.thrusters && i < 64; ++i)
      thrusters[i] = CreateThruster(_V(0, 0, 0), _V(0, 1, 0), 100, tank, 3000);
  }

  void clbkPreStep(double, double, double) override {
    if (PROFILE.emptyMass) SetEmptyMass(1000);
  }

  void clbkPostStep(double, double, double) override {
    if (PROFILE.groundContact) sink += GroundContact();
    if (PROFILE.meshVisibility) SetMeshVisibilityMode(mesh, MESHVIS_EXTERNAL);
    if (PROFILE.groupCount > 0) {
      for (THGROUP_TYPE t : ALL_TYPES) DelThrusterGroup(t);
      for (int g = 0; g < PROFILE.groupCount; ++g)
        CreateThrusterGroup(thrusters, PROFILE.groups[g].size, PROFILE.groups[g].type);
    }
    if (PROFILE.dockingStatus) sink += DockingStatus(0);
    if (PROFILE.cockpitMode) sink += oapiCockpitMode();
    if (PROFILE.cameraOffset) SetCameraOffset(_V(0, 1, 0));
    if (PROFILE.cameraDirection) SetCameraDefaultDirection(_V(0, 0, 1));
    if (PROFILE.altitude) sink += GetAltitude() > 0;
  }

private:
  UINT mesh = 0;
  THRUSTER_HANDLE thrusters[64] = {};
  long sink = 0;  // keeps the getters' answers in use
};

}  // namespace

DLLCLBK VESSEL *ovcInit(OBJHANDLE h, int flightModel) { return vmod::NewVessel<FloorVessel>(h, flightModel); }
DLLCLBK void ovcExit(VESSEL *vessel) { vmod::DeleteVessel(vessel); }
