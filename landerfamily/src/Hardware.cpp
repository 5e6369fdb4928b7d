#include "landerfamily/Hardware.h"

#include <cmath>

#include "landerfamily/ThrusterGroups.h"

namespace landers {
namespace {

// --- Lights -------------------------------------------------------------

struct LightRow {
  bool spot;
  VECTOR3 pos;
  VECTOR3 dir;  // spotlights only
  COLOUR4 diffuse;
  bool on;
};

// Four coloured point lights (the slot in pointLights is the row's order),
// then the two downward spotlights.
const LightRow kLights[POINT_LIGHTS + SPOT_LIGHTS] = {
    {false, {{0, 5.22, -3.4}}, {{0, 0, 0}}, {1, 1, 0, 0}, true},
    {false, {{0, 5.22, 3.4}}, {{0, 0, 0}}, {1, 1, 0, 0}, true},
    {false, {{-3.4, 5.22, 0}}, {{0, 0, 0}}, {1, 0, 0, 0}, true},
    {false, {{3.4, 5.22, 0}}, {{0, 0, 0}}, {0, 1, 0, 0}, true},
    {true, {{0, 4, 3.4}}, {{0, -0.5, 0.5}}, {1, 1, 1, 0}, false},
    {true, {{0, 4, -3.4}}, {{0, -0.5, -0.5}}, {1, 1, 1, 0}, false},
};

const COLOUR4 kLightAmbient = {0.001f, 0.001f, 0.001f, 0};
const double POINT_RANGE = 0.15, POINT_ATT0 = 0.6, POINT_ATT1 = 0, POINT_ATT2 = 1.2;
const double SPOT_RANGE = 100, SPOT_ATT0 = 0.00001, SPOT_ATT1 = 0, SPOT_ATT2 = 0.001;
const double SPOT_UMBRA_DEG = 45, SPOT_PENUMBRA_DEG = 140;

void AddLights(const VESSEL &vessel, Hardware &hw) {
  int points = 0, spots = 0;
  for (const LightRow &l : kLights) {
    LightEmitter *light;
    if (l.spot) {
      light = vessel.AddSpotLight(l.pos, l.dir, SPOT_RANGE, SPOT_ATT0, SPOT_ATT1, SPOT_ATT2, SPOT_UMBRA_DEG * RAD,
                                  SPOT_PENUMBRA_DEG * RAD, l.diffuse, l.diffuse, kLightAmbient);
      hw.spotLights[spots++] = light;
    } else {
      light = vessel.AddPointLight(l.pos, POINT_RANGE, POINT_ATT0, POINT_ATT1, POINT_ATT2, l.diffuse, l.diffuse,
                                   kLightAmbient);
      hw.pointLights[points++] = light;
    }
    if (light) light->Activate(l.on);
  }
}

// --- Hull ---------------------------------------------------------------

const VECTOR3 kCrossSections = {{33, 42, 32}};
const VECTOR3 kPMI = {{16, 7, 16}};
const VECTOR3 kRotDrag = {{0.7, 0.7, 1.2}};
const VECTOR3 kDockDir = {{0, 1, 0}};
const VECTOR3 kDockRot = {{0, 0, 1}};

// Legs: lateral and longitudinal friction per point.
struct LegRow {
  VECTOR3 pos;
  double mu, muLng;
};
const LegRow kLegs[TOUCHDOWN_POINTS] = {
    {{{-4, 0, -4}}, 30, 30},
    {{{4, 0, -4}}, 30, 30},
    {{{4, 0, 4}}, 30, 30},
    {{{-4, 0, 4}}, 30, 0},
};
// The legs are sized to compress 0.3 m under the reference mass at this
// gravity, and damped at 0.9 of critical.
const double LEG_GRAVITY = 9.80655;
const double LEG_COMPRESSION = -0.30000000000000004;
const double LEG_DAMPING_RATIO = 0.9;

void SetHull(const VESSEL &vessel, const HardwareLayout &layout, const Hardware &hw) {
  vessel.SetVisibilityLimit(0.00075, 0.015);
  vessel.SetSize(12);
  vessel.SetCrossSections(kCrossSections);
  vessel.SetPMI(kPMI);
  vessel.SetRotDrag(kRotDrag);
  vessel.SetEmptyMass(layout.emptyMass);
  vessel.SetDockParams(layout.dockPos, kDockDir, kDockRot);
  vessel.SetTouchdownPoints(hw.touchdown, TOUCHDOWN_POINTS);
  vessel.SetSurfaceFrictionCoeff(20, 30);
}

// --- Thrusters ----------------------------------------------------------

const double ISP_REF = 0;
const double P_REF = 101400;

const VECTOR3 kUp = {{0, 1, 0}};
const VECTOR3 kDown = {{0, -1, 0}};

const double MAIN_THRUST = 166500, MAIN_ISP = 4398;
// Engine positions around the stack axis; the height is the lander's.
const double kMainEngineXZ[MAIN_ENGINES][2] = {{0, 1.45}, {-1.45, 0}, {1.45, 0}, {0, -1.45}};

const double RCS_THRUST = 880, RCS_ISP = 4048;
struct ThrusterRow {
  VECTOR3 pos, dir;
};
const ThrusterRow kAttitude[ATTITUDE_THRUSTERS] = {
    {{{0, 0, 5}}, {{0, 1, 0}}},         {{{0, 0, -5}}, {{0, -1, 0}}},
    {{{0, -0.2, -5.25}}, {{0, 1, 0}}},  {{{0, -0.75, 5.25}}, {{0, 1, 0}}},
    {{{0, -0.2, -5.25}}, {{0, -1, 0}}}, {{{0, -0.75, 5.25}}, {{0, -1, 0}}},
    {{{0, 0, 5}}, {{0, -1, 0}}},        {{{0, 0, -5}}, {{0, 1, 0}}},
    {{{0, 0, 4}}, {{-1, 0, 0}}},        {{{0, 0, -4}}, {{1, 0, 0}}},
    {{{0, 0, 4}}, {{1, 0, 0}}},         {{{0, 0, -4}}, {{-1, 0, 0}}},
    {{{2, 0, 0}}, {{-1, 0, 0}}},        {{{2, 0, 0}}, {{1, 0, 0}}},
    {{{4, 0, 0}}, {{0, -1, 0}}},        {{{-4, 0, 0}}, {{0, 1, 0}}},
    {{{4, 0, 0}}, {{0, 1, 0}}},         {{{-4, 0, 0}}, {{0, -1, 0}}},
    {{{0, 0, -4}}, {{0, 0, 1}}},        {{{0, 0, 4}}, {{0, 0, -1}}},
};

// The RCS quads at the ascent stage's corners: zero-thrust thrusters that only
// show flames. d1 and d2 are the two sideways directions (not normalised).
struct FlameQuad {
  double x, z;
  VECTOR3 d1, d2;
};
const FlameQuad kFlameQuads[4] = {
    {-2.68, -2.68, {{-1, 0, 1}}, {{1, 0, -1}}},
    {2.68, 2.68, {{-1, 0, 1}}, {{1, 0, -1}}},
    {-2.68, 2.68, {{1, 0, 1}}, {{-1, 0, -1}}},
    {2.68, -2.68, {{1, 0, 1}}, {{-1, 0, -1}}},
};
enum FlameLevel { FLAME_TOP, FLAME_MIDDLE, FLAME_BOTTOM };
enum FlameDir { FLAME_DOWN, FLAME_UP, FLAME_D1, FLAME_D2 };
struct FlameSlot {
  FlameLevel level;
  FlameDir dir;
};
// The six flames of one quad, in creation order.
const FlameSlot kQuadSlots[6] = {
    {FLAME_TOP, FLAME_DOWN},    {FLAME_TOP, FLAME_DOWN}, {FLAME_MIDDLE, FLAME_D1},
    {FLAME_BOTTOM, FLAME_UP}, {FLAME_BOTTOM, FLAME_UP}, {FLAME_MIDDLE, FLAME_D2},
};

double LevelHeight(const StackHeights &h, FlameLevel level) {
  switch (level) {
    case FLAME_TOP: return h.flameTop;
    case FLAME_MIDDLE: return h.flameMiddle;
    default: return h.flameBottom;
  }
}

VECTOR3 SlotDir(const FlameQuad &quad, FlameDir dir) {
  switch (dir) {
    case FLAME_DOWN: return kDown;
    case FLAME_UP: return kUp;
    case FLAME_D1: return quad.d1;
    default: return quad.d2;
  }
}

void CreateThrusters(const VESSEL &vessel, const StackHeights &heights, Hardware &hw) {
  for (int i = 0; i < MAIN_ENGINES; ++i) {
    const VECTOR3 pos = _V(kMainEngineXZ[i][0], heights.mainEngines, kMainEngineXZ[i][1]);
    hw.thMain[i] = vessel.CreateThruster(pos, kUp, MAIN_THRUST, hw.propTank, MAIN_ISP, ISP_REF, P_REF);
    vessel.SetThrusterResource(hw.thMain[i], hw.propTank);
  }
  for (int i = 0; i < ATTITUDE_THRUSTERS; ++i)
    hw.thRcs[i] =
        vessel.CreateThruster(kAttitude[i].pos, kAttitude[i].dir, RCS_THRUST, hw.propTank, RCS_ISP, ISP_REF, P_REF);
  int n = 0;
  for (const FlameQuad &quad : kFlameQuads)
    for (const FlameSlot &slot : kQuadSlots) {
      const VECTOR3 pos = _V(quad.x, LevelHeight(heights, slot.level), quad.z);
      hw.thRcsFx[n++] = vessel.CreateThruster(pos, SlotDir(quad, slot.dir), 0, hw.propTank, 0, ISP_REF, P_REF);
    }
}

void AddExhausts(const VESSEL &vessel, const Hardware &hw) {
  char flameName[] = "exhaust_qel";
  char engineName[] = "Exhaust2";
  SURFHANDLE flameTex = oapiRegisterExhaustTexture(flameName);
  SURFHANDLE engineTex = oapiRegisterExhaustTexture(engineName);
  for (THRUSTER_HANDLE th : hw.thMain) vessel.AddExhaust(th, 4, 0.8, 1, engineTex);
  for (THRUSTER_HANDLE th : hw.thRcsFx) vessel.AddExhaust(th, 3, 0.3, 0.0, flameTex);
}

// --- Beacons ------------------------------------------------------------

const double kNavBeaconXZ[NAV_BEACONS][2] = {{-3.4, 0}, {3.4, 0}, {0, 3.4}, {0, -3.4}};
const VECTOR3 kNavBeaconColour[NAV_BEACONS] = {{{1, 0, 0}}, {{0, 1, 0}}, {{1, 1, 0}}, {{1, 1, 0}}};
const VECTOR3 kWhite = {{1, 1, 1}};

}  // namespace

void FillTouchdownPoints(double referenceMass, TOUCHDOWNVTX (&points)[TOUCHDOWN_POINTS]) {
  const double stiffness = referenceMass * LEG_GRAVITY * (-1) / LEG_COMPRESSION;
  const double damping = LEG_DAMPING_RATIO * 2 * std::sqrt(stiffness * referenceMass);
  for (int i = 0; i < TOUCHDOWN_POINTS; ++i)
    points[i] = TOUCHDOWNVTX{kLegs[i].pos, stiffness, damping, kLegs[i].mu, kLegs[i].muLng};
}

void DefineHardware(const VESSEL &vessel, const HardwareLayout &layout, Hardware &hw) {
  AddLights(vessel, hw);
  FillTouchdownPoints(layout.touchdownReferenceMass, hw.touchdown);
  SetHull(vessel, layout, hw);
  hw.propTank = vessel.CreatePropellantResource(layout.propellantMax, -1, 1);
  vessel.SetDefaultPropellantResource(hw.propTank);
  CreateThrusters(vessel, layout.heights, hw);
  AddExhausts(vessel, hw);
  ResolveThrusterGroups(hw);
}

void DefineCamera(const VESSEL &vessel, const VECTOR3 &offset) {
  vessel.SetCameraOffset(offset);
  vessel.SetCameraDefaultDirection(_V(0, 0, 1));
  vessel.SetCameraRotationRange(PI05, PI05, PI05, PI05);
}

void ResetCameraOutsideVC(const VESSEL &vessel, const VECTOR3 &offset) {
  if (oapiCockpitMode() == COCKPIT_VIRTUAL) return;
  vessel.SetCameraOffset(offset);
  vessel.SetCameraDefaultDirection(_V(0, 0, 1));
}

void FillStrobe(Beacons &beacons, const VECTOR3 &pos, bool active) {
  beacons.strobePos = pos;
  beacons.strobeColour = kWhite;
  beacons.strobeBeacon = BEACONLIGHTSPEC{BEACONSHAPE_STAR, &beacons.strobePos, &beacons.strobeColour, 0.5, 1.0,
                                         1.0, 0.02, 0, active};
}

void DefineBeacons(VESSEL &vessel, Beacons &beacons, double height, bool strobeActive) {
  vessel.ClearBeacons();
  for (int i = 0; i < NAV_BEACONS; ++i) {
    beacons.navPos[i] = _V(kNavBeaconXZ[i][0], height, kNavBeaconXZ[i][1]);
    beacons.navColour[i] = kNavBeaconColour[i];
    beacons.navBeacons[i] = BEACONLIGHTSPEC{BEACONSHAPE_COMPACT, &beacons.navPos[i], &beacons.navColour[i], 0.05, 1.0,
                                            0, 1.0, 1.0, true};
    vessel.AddBeacon(&beacons.navBeacons[i]);
  }
  FillStrobe(beacons, _V(0, height, 3.4), strobeActive);
  vessel.AddBeacon(&beacons.strobeBeacon);
}

}  // namespace landers
