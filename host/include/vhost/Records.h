// What the headless host records about each vessel: everything a plug-in
// configured through the SDK, in the host's own terms. Tests and the
// command-line runner read these; only the host writes them.
//
// Indices: thrusters, propellant resources, meshes, animations, lights and
// attachments are counted in creation order from 0. Deleted thrusters,
// resources and meshes stay in their vectors with `deleted` set, so indices
// never move; a new mesh fills the first deleted slot. Exhausts are known
// by their identifier (`id`); exhausts, beacons, docking ports and
// attachment points are removed from their vectors. Thruster groups of
// the standard types 0..14 are kept; other types are refused with a warning.
#ifndef VHOST_RECORDS_H
#define VHOST_RECORDS_H

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "Orbitersdk.h"

namespace vhost {

class Vessel;

// Deletes a light as the class it was made as (the light classes have no
// virtual destructor).
struct LightDeleter {
  void operator()(LightEmitter *light) const;
};
typedef std::unique_ptr<LightEmitter, LightDeleter> LightPtr;

struct MeshRecord {
  std::string name;        // the name the mesh was loaded under, "" for a null handle
  bool found = true;       // its file is in the mesh folder (always, without one)
  VECTOR3 offset{};        // (0, 0, 0) when none was given
  WORD visibility = MESHVIS_EXTERNAL;
  bool deleted = false;    // an empty slot, which the next AddMesh fills
};

struct PropellantRecord {
  double maxMass = 0, mass = 0, efficiency = 1;
  bool deleted = false;
};

struct ThrusterRecord {
  double level = 0;  // the thrust level set to stay (THLEVEL)
  VECTOR3 pos{}, dir{};
  double maxThrust = 0, isp = 0, ispRef = 0, pRef = 101.4e3;
  int propellant = -1;  // resource index, -1 for none
  bool deleted = false;
};

// A thruster group of one type; `exists` false when there is none.
struct ThrusterGroupRecord {
  bool exists = false;
  std::vector<int> thrusters;  // thruster indices, in the order given
};

struct ExhaustRecord {
  UINT id = 0;        // what AddExhaust returned: one above the last one's, 0 for the first
  int thruster = -1;  // -1: none (a flame at full level)
  double lscale = 0, wscale = 0, lofs = 0;
  std::string texture;  // the registered texture's name, "" for none
};

struct DockPortRecord {
  VECTOR3 pos{}, dir{}, rot{};
  bool docked = false;  // set through the host's API
};

struct ComponentRecord {
  int kind = 0;  // 1 rotate, 2 translate, 3 scale (MGROUP_TRANSFORM::Type)
  const MGROUP_TRANSFORM *transform = nullptr;  // the plug-in's object, read live
  double state0 = 0, state1 = 1;
  int parentAnimation = -1, parentComponent = -1;  // -1: no parent
  // Gone with its mesh, its parent or its animation; kept in place so that
  // the other components keep their indices.
  bool removed = false;
};

// An animation lives as long as its vessel; deleting it, or the meshes of
// all its components, takes the components and resets it to 0.
struct AnimationRecord {
  double defaultState = 0;
  double state = 0;
  std::vector<ComponentRecord> components;
  std::size_t liveComponents() const;
};

struct AttachmentRecord {
  std::string id;
  bool toParent = false;
  VECTOR3 pos{}, dir{}, rot{};
  bool loose = false;
  Vessel *attached = nullptr;  // the vessel on the other side, or null
  int attachedPoint = -1;      // that vessel's attachment index
};

struct MaterialRecord {
  UINT mesh = 0;
  DWORD index = 0;
  MATERIAL material{};
};

struct HudTextRecord {
  int x = 0, y = 0;
  std::string text;  // bytes as drawn
  DWORD colour = 0;
};

struct VcRecord {
  bool hasHud = false;
  VCHUDSPEC hud{};
  std::vector<std::pair<int, VCMFDSPEC>> mfds;  // (MFD id, spec), by id
  // Where the plug-in keeps the records it registered (the values above are
  // copies): tells one shared set from a set per vessel.
  const VCHUDSPEC *hudGiven = nullptr;
  std::vector<const VCMFDSPEC *> mfdsGiven;  // parallel to mfds
};

// The host's state of a vessel's motion. rpos always lies at the body's
// radius plus `altitude` along its own direction (+y when it has none);
// altitude is never below 0.
struct MotionRecord {
  bool landed = false;
  std::string body = "Earth";
  VECTOR3 rpos{}, rvel{};
  VECTOR3 arot{};  // Euler angles, rad (R = Rx Ry Rz as the SDK documents them)
  VECTOR3 vrot{};  // rad/s
  double altitude = 0;
  // Where a landed vessel stands: longitude, latitude, heading (rad).
  double lng = 0, lat = 0, heading = 0;
  int contactOverride = -1;        // -1 flight model decides, 0 off, 1 on
};

// Everything recorded for one vessel.
struct VesselRecord {
  std::string name;
  std::string className;
  std::string module;  // module name, "" for a passive vessel

  MotionRecord motion;

  // A new vessel's values until its class or module sets them.
  double emptyMass = 1000, size = 10;
  VECTOR3 crossSections = {{20, 20, 20}};
  VECTOR3 pmi = {{-1, -1, -1}};  // none given: (2 size, 2 size, size) once the class is defined
  VECTOR3 rotDrag = {{0.01, 0.01, 0.01}};
  double visLimit = 1e-3, spotLimit = 1e-3;
  double cw[4] = {0.1, 0.3, 0.3, 0.3};  // z positive, z negative, x, y
  double trimScale = 0, pitchMomentScale = 0, bankMomentScale = 0;
  double muLng = 0.1, muLat = 0.5;
  int airfoilsCleared = 0;
  bool enableFocus = true;
  VECTOR3 cgShift{};
  int rcsMode = 1, afcMode = 0;       // as loaded (RCSMODE, AFCMODE)
  std::vector<int> navSteps = {0, 0};  // the navigation radios' steps (NAVFREQ)

  VECTOR3 cameraOffset{}, cameraDirection = {{0, 0, 1}};
  double cameraTilt = 0;
  // left, right, up, down (rad)
  double cameraRange[4] = {0.8 * PI, 0.8 * PI, 0.4 * PI, 0.4 * PI};

  std::vector<DockPortRecord> dockPorts;
  std::vector<TOUCHDOWNVTX> touchdownPoints = {{{{0, -2, 10}}, 1e6, 1e5, 0.5, 0.1},
                                               {{{-3, -2, -5}}, 1e6, 1e5, 0.5, 0.1},
                                               {{{3, -2, -5}}, 1e6, 1e5, 0.5, 0.1}};
  std::vector<PropellantRecord> propellant;
  int defaultPropellant = -1;
  std::vector<ThrusterRecord> thrusters;
  // Indexed by THGROUP_TYPE for the standard types 0..14.
  std::array<ThrusterGroupRecord, 15> thrusterGroups;
  std::vector<ExhaustRecord> exhausts;
  std::vector<MeshRecord> meshes;
  std::vector<AnimationRecord> animations;
  std::vector<BEACONLIGHTSPEC *> beacons;  // the plug-in's records, read live
  std::vector<LightPtr> lights;
  std::vector<AttachmentRecord> attachments;
  std::vector<MaterialRecord> materials;  // current material per (mesh, index)
  VcRecord vc;
  std::vector<HudTextRecord> hud;  // from the last HUD drawing
  // What oapiSetDefNavDisplay / oapiSetDefRCSDisplay last chose in
  // clbkDrawHUD (-1: never called).
  int hudNavDisplay = -1, hudRcsDisplay = -1;
  bool hasVisual = false;
};

}  // namespace vhost

#endif  // VHOST_RECORDS_H
