// The callback classes' constructors and default callbacks.
#include <cstdint>

#include "FileContexts.h"
#include "Handles.h"
#include "HostCore.h"
#include "VesselImpl.h"

using vhost::detail::FileKind;
using vhost::detail::HandleKind;

VESSEL2::VESSEL2(OBJHANDLE hVessel, int fmodel) : VESSEL(hVessel, fmodel) { version = 1; }

void VESSEL2::clbkSetClassCaps(FILEHANDLE) {}

void VESSEL2::clbkSaveState(FILEHANDLE scn) {
  vhost::Simulation::Impl *s = vhost::Simulation::Impl::live;
  if (!s) return;
  std::uint32_t kind = 0, id = 0;
  vhost::detail::WriteContext *w = s->writing;
  if (!w || !vhost::detail::decodeHandle(scn, HandleKind::File, kind, id) || kind != FileKind::FileWrite ||
      id != w->id || w->vessel->iface() != this) {
    s->warn(s->vesselOf(GetHandle()), "clbkSaveState", "the host's lines are written only while the host saves this vessel");
    return;
  }
  s->writeHostLines(*w->vessel, *w->out);
}

void VESSEL2::clbkLoadStateEx(FILEHANDLE scn, void *status) {
  char *line = nullptr;
  while (oapiReadScenario_nextline(scn, line)) ParseScenarioLineEx(line, status);
}

void VESSEL2::clbkSetStateEx(const void *) {}
void VESSEL2::clbkPostCreation() {}
void VESSEL2::clbkFocusChanged(bool, OBJHANDLE, OBJHANDLE) {}
void VESSEL2::clbkPreStep(double, double, double) {}
void VESSEL2::clbkPostStep(double, double, double) {}
bool VESSEL2::clbkPlaybackEvent(double, double, const char *, const char *) { return false; }
void VESSEL2::clbkVisualCreated(VISHANDLE, int) {}
void VESSEL2::clbkVisualDestroyed(VISHANDLE, int) {}
void VESSEL2::clbkDrawHUD(int, const HUDPAINTSPEC *, HDC) {}
void VESSEL2::clbkRCSMode(int) {}
void VESSEL2::clbkADCtrlMode(DWORD) {}
void VESSEL2::clbkHUDMode(int) {}
void VESSEL2::clbkMFDMode(int, int) {}
void VESSEL2::clbkNavMode(int, bool) {}
void VESSEL2::clbkDockEvent(int, OBJHANDLE) {}
void VESSEL2::clbkAnimate(double) {}
int VESSEL2::clbkConsumeDirectKey(char *) { return 0; }
int VESSEL2::clbkConsumeBufferedKey(DWORD, bool, char *) { return 0; }
// The generic cockpit looks straight ahead.
bool VESSEL2::clbkLoadGenericCockpit() {
  SetCameraDefaultDirection(_V(0, 0, 1));
  return true;
}
bool VESSEL2::clbkLoadPanel(int) { return false; }
bool VESSEL2::clbkPanelMouseEvent(int, int, int, int) { return false; }
bool VESSEL2::clbkPanelRedrawEvent(int, int, SURFHANDLE) { return false; }
bool VESSEL2::clbkLoadVC(int) { return false; }
bool VESSEL2::clbkVCMouseEvent(int, int, VECTOR3 &) { return false; }
bool VESSEL2::clbkVCRedrawEvent(int, int, SURFHANDLE) { return false; }

VESSEL3::VESSEL3(OBJHANDLE hVessel, int fmodel) : VESSEL2(hVessel, fmodel) { version = 2; }

bool VESSEL3::clbkLoadPanel2D(int, PANELHANDLE, DWORD, DWORD) { return false; }
bool VESSEL3::clbkPanelMouseEvent(int, int, int, int, void *) { return false; }
bool VESSEL3::clbkPanelRedrawEvent(int, int, SURFHANDLE, void *) { return false; }
int VESSEL3::clbkGeneric(int, int, void *) { return 0; }
// The headless host has no standard HUD elements to draw.
// The simulator draws its default HUD on skp here: on a sketchpad other than
// the one it lent for this HUD, or none, it would draw on what is not one.
bool VESSEL3::clbkDrawHUD(int, const HUDPAINTSPEC *, oapi::Sketchpad *skp) {
  vhost::Simulation::Impl *s = vhost::Simulation::Impl::live;
  if (s && (!skp || skp != s->hudSketchpad))
    s->warn(s->vesselOf(GetHandle()), "VESSEL3::clbkDrawHUD", "the default HUD is drawn on the sketchpad the host lends for it; %s",
            !skp ? "this one is null" : s->hudSketchpad ? "this one is another" : "no HUD is being drawn");
  return true;
}
void VESSEL3::clbkRenderHUD(int, const HUDPAINTSPEC *, SURFHANDLE) {}

void VESSEL3::clbkGetRadiationForce(const VECTOR3 &mflux, VECTOR3 &F, VECTOR3 &pos) {
  const double size = GetSize();
  F = mflux * (size * size * 1.5);
  pos = _V(0, 0, 0);
}
