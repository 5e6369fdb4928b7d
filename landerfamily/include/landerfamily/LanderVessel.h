// What every lander of the family does alike with the host's callbacks that
// it has no use for: the default HUD, nothing on visual, RCS or MFD changes,
// and a virtual cockpit without mouse areas or redrawn surfaces.
#ifndef LANDERFAMILY_LANDERVESSEL_H
#define LANDERFAMILY_LANDERVESSEL_H

#include "Orbitersdk.h"

namespace landers {

class LanderVessel : public VESSEL3 {
public:
  LanderVessel(OBJHANDLE hVessel, int flightModel) : VESSEL3(hVessel, flightModel) {}

  void clbkVisualCreated(VISHANDLE vis, int refcount) override;
  void clbkVisualDestroyed(VISHANDLE vis, int refcount) override;
  void clbkRCSMode(int mode) override;
  void clbkMFDMode(int mfd, int mode) override;
  bool clbkVCMouseEvent(int id, int event, VECTOR3 &p) override;
  bool clbkVCRedrawEvent(int id, int event, SURFHANDLE surf) override;
  // The host's own HUD, nothing added.
  bool clbkDrawHUD(int mode, const HUDPAINTSPEC *hps, oapi::Sketchpad *skp) override;
  void clbkRenderHUD(int mode, const HUDPAINTSPEC *hps, SURFHANDLE hDefaultTex) override;
};

}  // namespace landers

#endif  // LANDERFAMILY_LANDERVESSEL_H
