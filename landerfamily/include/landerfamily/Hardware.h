// The hardware both landers of the family carry: the same lights, hull
// parameters, propellant tank, 48 thrusters with their exhausts, touchdown
// legs and beacons, mounted at heights that differ from one lander to the
// other. A lander describes itself with a HardwareLayout; its Hardware record
// holds the handles the host gives back.
#ifndef LANDERFAMILY_HARDWARE_H
#define LANDERFAMILY_HARDWARE_H

#include "Orbitersdk.h"

namespace landers {

const int POINT_LIGHTS = 4;
const int SPOT_LIGHTS = 2;
const int MAIN_ENGINES = 4;
const int ATTITUDE_THRUSTERS = 20;
const int FLAME_THRUSTERS = 24;
const int TOUCHDOWN_POINTS = 4;
const int NAV_BEACONS = 4;
const int THRUSTER_GROUPS = 13;
const int MAX_GROUP_THRUSTERS = 10;

// Heights (vessel y, m) at which a lander's engines and RCS flame quads sit.
struct StackHeights {
  double mainEngines;
  double flameTop;     // two flames per quad pointing down
  double flameMiddle;  // the two sideways flames
  double flameBottom;  // two flames per quad pointing up
};

// Everything in which one lander's class capabilities differ from the other's.
struct HardwareLayout {
  double emptyMass;               // kg, the configuration the class starts in
  VECTOR3 dockPos;                // the one docking port, pointing up
  double touchdownReferenceMass;  // kg, sets the legs' stiffness and damping
  double propellantMax;           // kg, the tank as created (full)
  StackHeights heights;
  double beaconHeight;            // navigation beacons and strobe
  bool strobeStartsActive;
  VECTOR3 cameraOffset;           // the cockpit camera outside the virtual cockpit
};

// The beacon records and the vectors they point to. The host keeps pointers
// to all of them and reads them every frame, so they live in the vessel
// object, never move and are never copied.
struct Beacons {
  Beacons() = default;
  Beacons(const Beacons &) = delete;
  Beacons &operator=(const Beacons &) = delete;

  BEACONLIGHTSPEC navBeacons[NAV_BEACONS] = {};
  BEACONLIGHTSPEC strobeBeacon = {};
  VECTOR3 navPos[NAV_BEACONS] = {};
  VECTOR3 navColour[NAV_BEACONS] = {};
  VECTOR3 strobePos = {};
  VECTOR3 strobeColour = {};
};

// The handles and records a lander keeps for its shared hardware.
struct Hardware {
  Hardware() = default;
  Hardware(const Hardware &) = delete;
  Hardware &operator=(const Hardware &) = delete;

  LightEmitter *pointLights[POINT_LIGHTS] = {};
  LightEmitter *spotLights[SPOT_LIGHTS] = {};
  PROPELLANT_HANDLE propTank = nullptr;
  THRUSTER_HANDLE thMain[MAIN_ENGINES] = {};
  THRUSTER_HANDLE thRcs[ATTITUDE_THRUSTERS] = {};
  THRUSTER_HANDLE thRcsFx[FLAME_THRUSTERS] = {};
  TOUCHDOWNVTX touchdown[TOUCHDOWN_POINTS] = {};
  // The thrusters of each group in the group table's order, resolved once so
  // that rebuilding the groups every frame needs no work and no memory.
  THRUSTER_HANDLE groupThrusters[THRUSTER_GROUPS][MAX_GROUP_THRUSTERS] = {};
  Beacons beacons;
};

// The legs' touchdown points for a lander of that reference mass.
void FillTouchdownPoints(double referenceMass, TOUCHDOWNVTX (&points)[TOUCHDOWN_POINTS]);

// The first steps of clbkSetClassCaps, in the host's expected order: lights,
// hull parameters, propellant tank, thrusters, exhausts. Also resolves the
// thruster-group lists.
void DefineHardware(const VESSEL &vessel, const HardwareLayout &layout, Hardware &hw);

// The last step of clbkSetClassCaps: the cockpit camera and its range.
void DefineCamera(const VESSEL &vessel, const VECTOR3 &offset);

// Outside the virtual cockpit the camera goes back to the cockpit position;
// inside it, the view clbkLoadVC chose stays.
void ResetCameraOutsideVC(const VESSEL &vessel, const VECTOR3 &offset);

// Removes every beacon and adds the four navigation beacons and the strobe.
void DefineBeacons(VESSEL &vessel, Beacons &beacons, double height, bool strobeActive);

// Fills the strobe's record (white star flash, once a second) at pos; the
// caller registers it.
void FillStrobe(Beacons &beacons, const VECTOR3 &pos, bool active);

}  // namespace landers

#endif  // LANDERFAMILY_HARDWARE_H
