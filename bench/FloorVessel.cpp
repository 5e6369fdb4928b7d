// The floor of the per-frame benchmarks: a vessel that makes, at every
// frame, the same host calls as one of the plug-ins in its steady state:
// the same thrusters, the same groups of the same thruster indices (so the
// host touches the same records), the same getters and setters, and no
// logic of its own. FLOOR_PROFILE picks the plug-in: 0 crewed lander,
// 1 cargo lander, 2 capsule, 3 spotlight.
#include "Orbitersdk.h"
#include "vessel_common/EntryPoints.h"

#ifndef FLOOR_PROFILE
#define FLOOR_PROFILE 0
#endif

namespace {

const int MAX_GROUP = 10;

struct Group {
  int type;
  int size;
  int thrusters[MAX_GROUP];
};

// Per-frame calls besides the group rebuild.
enum Call {
  GROUND_CONTACT = 1,
  MESH_VISIBILITY = 2,
  DOCKING_STATUS = 4,
  COCKPIT_MODE = 8,
  CAMERA_OFFSET = 16,
  CAMERA_DIRECTION = 32,
  ALTITUDE = 64,
  EMPTY_MASS = 128,
};

struct Profile {
  int thrusters;
  int groupCount;
  Group groups[13];
  unsigned calls;
};

// The landers' thruster groups, rebuilt at every post-step.
#define LANDER_GROUPS                                                                                          \
  48, 13,                                                                                                      \
      {{2, 4, {0, 1, 2, 3}},                                                                                   \
       {3, 6, {4, 5, 39, 33, 24, 42}},                                                                         \
       {4, 6, {10, 11, 36, 30, 27, 45}},                                                                       \
       {7, 6, {20, 21, 36, 24, 33, 45}},                                                                       \
       {8, 6, {18, 19, 39, 27, 30, 42}},                                                                       \
       {11, 10, {6, 7, 28, 40, 34, 46, 27, 39, 33, 45}},                                                       \
       {12, 10, {8, 9, 24, 36, 30, 42, 25, 37, 31, 43}},                                                       \
       {5, 6, {12, 13, 26, 32, 41, 44}},                                                                       \
       {6, 6, {14, 15, 29, 35, 38, 47}},                                                                       \
       {10, 3, {16, 35, 44}},                                                                                  \
       {9, 3, {17, 26, 41}},                                                                                   \
       {13, 3, {22, 26, 44}},                                                                                  \
       {14, 3, {23, 35, 41}}}

const Profile PROFILES[] = {
    {LANDER_GROUPS, GROUND_CONTACT | MESH_VISIBILITY | DOCKING_STATUS | COCKPIT_MODE | CAMERA_OFFSET |
                        CAMERA_DIRECTION | EMPTY_MASS},
    {LANDER_GROUPS, COCKPIT_MODE | CAMERA_OFFSET | CAMERA_DIRECTION | EMPTY_MASS},
    {40,
     13,
     {{0, 1, {0}},
      {4, 8, {17, 16, 11, 10, 1, 2, 19, 20}},
      {3, 8, {5, 4, 23, 22, 7, 8, 13, 14}},
      {7, 4, {6, 15, 12, 21}},
      {8, 4, {3, 18, 9, 24}},
      {5, 8, {1, 2, 13, 14, 11, 10, 23, 22}},
      {6, 8, {7, 8, 19, 20, 17, 16, 5, 4}},
      {11, 6, {18, 12, 37, 35, 29, 30}},
      {12, 6, {6, 24, 33, 38, 31, 32}},
      {9, 6, {9, 21, 37, 34, 27, 28}},
      {10, 6, {3, 39, 15, 36, 25, 26}},
      {14, 8, {1, 13, 7, 19, 2, 14, 8, 20}},
      {13, 8, {5, 17, 11, 23, 4, 16, 10, 22}}},
     DOCKING_STATUS | COCKPIT_MODE | CAMERA_OFFSET | ALTITUDE | EMPTY_MASS},
    {0, 0, {}, 0},  // the spotlight makes no host call in a steady frame
};

const Profile &PROFILE = PROFILES[FLOOR_PROFILE];
// The group types the landers and the capsule delete before rebuilding.
const THGROUP_TYPE DELETED_TYPES[14] = {
    THGROUP_MAIN,          THGROUP_HOVER,       THGROUP_ATT_PITCHUP,  THGROUP_ATT_PITCHDOWN, THGROUP_ATT_BANKLEFT,
    THGROUP_ATT_BANKRIGHT, THGROUP_ATT_YAWLEFT, THGROUP_ATT_YAWRIGHT, THGROUP_ATT_RIGHT,     THGROUP_ATT_LEFT,
    THGROUP_ATT_UP,        THGROUP_ATT_DOWN,    THGROUP_ATT_FORWARD,  THGROUP_ATT_BACK};
char meshName[] = "FloorVessel";

class FloorVessel : public VESSEL3 {
public:
  FloorVessel(OBJHANDLE h, int flightModel) : VESSEL3(h, flightModel) {}

  void clbkSetClassCaps(FILEHANDLE) override {
    SetEmptyMass(1000);
    mesh = AddMesh(oapiLoadMeshGlobal(meshName));
    CreateDock(_V(0, 0, 1), _V(0, 0, 1), _V(0, 1, 0));
    PROPELLANT_HANDLE tank = CreatePropellantResource(1000);
    for (int i = 0; i < PROFILE.thrusters; ++i) thrusters[i] = CreateThruster(_V(0, 0, 0), _V(0, 1, 0), 100, tank, 3000);
  }

  void clbkPreStep(double, double, double) override {
    if (PROFILE.calls & EMPTY_MASS) SetEmptyMass(1000);
  }

  void clbkPostStep(double, double, double) override {
    const unsigned calls = PROFILE.calls;
    if (calls & GROUND_CONTACT) sink += GroundContact();
    if (calls & MESH_VISIBILITY) SetMeshVisibilityMode(mesh, MESHVIS_EXTERNAL);
    if (PROFILE.groupCount > 0) {
      for (THGROUP_TYPE t : DELETED_TYPES) DelThrusterGroup(t);
      for (int g = 0; g < PROFILE.groupCount; ++g) {
        const Group &group = PROFILE.groups[g];
        THRUSTER_HANDLE members[MAX_GROUP];
        for (int i = 0; i < group.size; ++i) members[i] = thrusters[group.thrusters[i]];
        CreateThrusterGroup(members, group.size, static_cast<THGROUP_TYPE>(group.type));
      }
    }
    if (calls & DOCKING_STATUS) sink += DockingStatus(0);
    if (calls & COCKPIT_MODE) sink += oapiCockpitMode();
    if (calls & CAMERA_OFFSET) SetCameraOffset(_V(0, 1, 0));
    if (calls & CAMERA_DIRECTION) SetCameraDefaultDirection(_V(0, 0, 1));
    if (calls & ALTITUDE) sink += GetAltitude() > 0;
  }

private:
  UINT mesh = 0;
  THRUSTER_HANDLE thrusters[48] = {};
  long sink = 0;  // keeps the getters' answers in use
};

}  // namespace

DLLCLBK VESSEL *ovcInit(OBJHANDLE h, int flightModel) { return vmod::NewVessel<FloorVessel>(h, flightModel); }
DLLCLBK void ovcExit(VESSEL *vessel) { vmod::DeleteVessel<FloorVessel>(vessel); }
