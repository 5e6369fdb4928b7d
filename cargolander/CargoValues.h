// Values of the cargo lander used by more than one of its files.
#ifndef CARGOLANDER_CARGOVALUES_H
#define CARGOLANDER_CARGOVALUES_H

#include "Orbitersdk.h"

namespace cargo {

const double EMPTY_MASS = 7400;  // kg
const VECTOR3 COCKPIT_CAMERA = {{0, 6.75, -2.0}};

}  // namespace cargo

#endif  // CARGOLANDER_CARGOVALUES_H
