// Virtual-cockpit camera positions of the lander family.
#ifndef LANDERFAMILY_COCKPIT_H
#define LANDERFAMILY_COCKPIT_H

#include "Orbitersdk.h"

namespace landers {

struct CockpitView {
  VECTOR3 offset;
  bool turnsCamera;   // also sets the default direction
  VECTOR3 direction;
  int neighbours[4];  // left, right, top, bottom; -1 for none
};

// Moves the camera to view id of the table; an id outside it changes nothing.
void ShowCockpitView(const VESSEL &vessel, const CockpitView *views, int count, int id);

}  // namespace landers

#endif  // LANDERFAMILY_COCKPIT_H
