#include "landerfamily/Cockpit.h"

namespace landers {

void ShowCockpitView(const VESSEL &vessel, const CockpitView *views, int count, int id) {
  if (id < 0 || id >= count) return;
  const CockpitView &view = views[id];
  vessel.SetCameraOffset(view.offset);
  if (view.turnsCamera) vessel.SetCameraDefaultDirection(view.direction);
  oapiVCSetNeighbours(view.neighbours[0], view.neighbours[1], view.neighbours[2], view.neighbours[3]);
}

}  // namespace landers
