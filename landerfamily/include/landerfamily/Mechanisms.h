// The descent stage's two mechanisms, which both landers step alike.
#ifndef LANDERFAMILY_MECHANISMS_H
#define LANDERFAMILY_MECHANISMS_H

#include "Orbitersdk.h"

namespace landers {

// Travel speeds, fraction of the full travel per second of simulation time.
const double PALETTE_SPEED = 0.66;
const double GEAR_SPEED = 0.66;

// One mechanism's members in its vessel.
struct MechanismRef {
  UINT anim;
  int &status;
  double &proc;
  bool &flag;
};

// One step of the palette, then of the gear.
void AdvanceDescentMechanisms(const VESSEL &vessel, const MechanismRef &palette, const MechanismRef &gear,
                              double simdt);

}  // namespace landers

#endif  // LANDERFAMILY_MECHANISMS_H
