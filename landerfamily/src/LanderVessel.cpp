#include "landerfamily/LanderVessel.h"

namespace landers {

void LanderVessel::clbkVisualCreated(VISHANDLE, int) {}
void LanderVessel::clbkVisualDestroyed(VISHANDLE, int) {}
void LanderVessel::clbkRCSMode(int) {}
void LanderVessel::clbkMFDMode(int, int) {}
bool LanderVessel::clbkVCMouseEvent(int, int, VECTOR3 &) { return false; }
bool LanderVessel::clbkVCRedrawEvent(int, int, SURFHANDLE) { return false; }

bool LanderVessel::clbkDrawHUD(int mode, const HUDPAINTSPEC *hps, oapi::Sketchpad *skp) {
  VESSEL3::clbkDrawHUD(mode, hps, skp);
  return true;
}

void LanderVessel::clbkRenderHUD(int mode, const HUDPAINTSPEC *hps, SURFHANDLE hDefaultTex) {
  VESSEL3::clbkRenderHUD(mode, hps, hDefaultTex);
}

}  // namespace landers
