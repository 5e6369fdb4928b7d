// The capsule's fixed data: lights, thrusters, meshes, touchdown points,
// beacons, thruster groups, separations and cockpit positions. Vectors are
// vessel-frame metres; the stack's long axis is z, the main engine pushes
// toward +z.
#ifndef TARVA_CAPSULE_TABLES_H
#define TARVA_CAPSULE_TABLES_H

#include "Orbitersdk.h"

namespace tarva {

// Touchdown suspension, worked out once when the library loads from a
// reference mass and the compression wanted under it; the vessel's current
// mass plays no part.
extern const double TOUCHDOWN_REF_MASS;         // kg
extern const double TOUCHDOWN_REF_COMPRESSION;  // m
extern const double TOUCHDOWN_STIFFNESS;        // N/m
extern const double TOUCHDOWN_DAMPING;          // N s/m
const DWORD TOUCHDOWN_COUNT = 4;
extern const TOUCHDOWNVTX TOUCHDOWN_POINTS[TOUCHDOWN_COUNT];

// The capsule's own aerodynamics and inertia, and the heavier values it
// takes once the service module has gone.
extern const VECTOR3 OWN_CROSS_SECTIONS, OWN_PMI, OWN_ROT_DRAG;
extern const VECTOR3 REENTRY_CROSS_SECTIONS, REENTRY_PMI, REENTRY_ROT_DRAG;

const double FULL_EMPTY_MASS = 12150.0;          // with the service module, kg
const double SERVICE_MODULE_MASS = 4430.0;       // kg
const double CAPSULE_EMPTY_MASS = 7720.0;        // capsule alone, kg
const double TANK_FULL_CAPACITY = 7000.0;        // kg
const double TANK_CAPSULE_CAPACITY = 900.0;      // kg

struct PointLightSpec {
  VECTOR3 pos;
  COLOUR4 colour;
};
extern const PointLightSpec POINT_LIGHTS[4];

// Which exhaust flame a thruster carries.
enum FlameKind { NO_FLAME, MAIN_FLAME, ATTITUDE_FLAME };

struct ThrusterSpec {
  VECTOR3 pos;
  VECTOR3 dir;  // passed as written, not normalised
  double maxThrust;  // N
  double isp;        // m/s
  FlameKind flame;
};
const int THRUSTER_COUNT = 40;  // T0 (main) and T1 to T39
extern const ThrusterSpec THRUSTERS[THRUSTER_COUNT];

// Mesh slots in the order the host numbers them (0 to 13).
enum MeshSlot {
  SLOT_CM, SLOT_CM_BURNED, SLOT_SM, SLOT_LSP, SLOT_SM_COVER, SLOT_SHIELD, SLOT_DROGUE, SLOT_LAS, SLOT_PALETTE,
  SLOT_CM_VC, SLOT_CREW1, SLOT_CREW2, SLOT_CREW3, SLOT_CREW4, MESH_SLOT_COUNT
};
struct MeshSlotSpec {
  const char *mesh;  // the mesh file this slot shows
  VECTOR3 offset;
  WORD visibility;
};
extern const MeshSlotSpec MESH_SLOTS[MESH_SLOT_COUNT];

struct BeaconSpec {
  DWORD shape;
  VECTOR3 pos;
  VECTOR3 col;
  double size, falloff, period, duration, tofs;
  bool active;
};
// The five steady navigation beacons, then the strobe.
extern const BeaconSpec BEACONS[6];

struct ThrusterGroupSpec {
  THGROUP_TYPE type;
  int count;
  int thrusters[8];  // thruster numbers: 0 is the main engine
};
const int THRUSTER_GROUP_COUNT = 13;
extern const ThrusterGroupSpec THRUSTER_GROUPS[THRUSTER_GROUP_COUNT];
// Every type cleared before the groups are made again.
const int CLEARED_GROUP_TYPE_COUNT = 14;
extern const THGROUP_TYPE CLEARED_GROUP_TYPES[CLEARED_GROUP_TYPE_COUNT];

// A piece the capsule sheds as a vessel of its own.
struct SeparationSpec {
  const char *suffix;     // appended to the capsule's name
  const char *className;  // a class of another module
  VECTOR3 velocity;       // push in the capsule's frame, m/s
};
enum Separation { SEP_LES, SEP_SERVICE_MODULE, SEP_LSP, SEP_COVER, SEP_SHIELD, SEP_DROGUE };
extern const SeparationSpec SEPARATIONS[6];

struct CockpitPositionSpec {
  VECTOR3 cameraOffset;
  int left, right, up, down;  // neighbouring positions, -1 for none
};
const int COCKPIT_POSITION_COUNT = 5;
extern const CockpitPositionSpec COCKPIT_POSITIONS[COCKPIT_POSITION_COUNT];

}  // namespace tarva

#endif  // TARVA_CAPSULE_TABLES_H
