// Values of the crewed lander used by more than one of its files.
#ifndef LANDER_LANDERVALUES_H
#define LANDER_LANDERVALUES_H

#include "Orbitersdk.h"

namespace crewed {

// Empty masses (kg): both stages, and the ascent stage alone.
const double EMPTY_MASS_LAUNCH = 17324;
const double EMPTY_MASS_ASCENT = 6276;

// The docking port on top of the ascent stage.
const VECTOR3 DOCK_POS = {{0, 8.8, 0}};
const VECTOR3 DOCK_DIR = {{0, 1, 0}};
const VECTOR3 DOCK_ROT = {{0, 0, 1}};

// The pilot's eye outside the virtual cockpit.
const VECTOR3 COCKPIT_CAMERA = {{0, 8.6, 1.8}};

}  // namespace crewed

#endif  // LANDER_LANDERVALUES_H
