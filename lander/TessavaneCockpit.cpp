// The crew's keys and the virtual cockpit.
#include <cstdio>

#include "LanderValues.h"
#include "Tessavane.h"
#include "landerfamily/Cockpit.h"

const landers::KeyCommand<Tessavane> Tessavane::keyCommands[7] = {
    {OAPI_KEY_B, true, &Tessavane::ToggleLights},
    {OAPI_KEY_P, true, &Tessavane::TogglePalette},
    {OAPI_KEY_G, false, &Tessavane::ToggleGear},
    {OAPI_KEY_J, true, &Tessavane::SeparateDescentStage},
    {OAPI_KEY_D, true, &Tessavane::SwitchDockingPort},
    {OAPI_KEY_A, false, &Tessavane::ToggleHatch},
    {OAPI_KEY_I, true, &Tessavane::ToggleDoor},
};

namespace {

const landers::CockpitView kViews[] = {
    {{{-0.4, 7.75, 0.95}}, false, {{0, 0, 1}}, {0, 2, 1, 3}},
    {{{-0.5, 7.65, 1.2}}, false, {{0, 0, 1}}, {-1, -1, -1, 0}},
    {{{0.5, 7.75, 0.95}}, false, {{0, 0, 1}}, {0, -1, -1, 3}},
    {{{0, 7.9, 0}}, false, {{0, 0, 1}}, {0, 2, -1, -1}},
};

const DWORD HUD_GROUP = 19;
const VECTOR3 HUD_CENTRE = {{-0.2572509, 1.202129, 0.4847243}};
const double HUD_SIZE = 0.15;
const DWORD LEFT_MFD_GROUP = 18;
const DWORD RIGHT_MFD_GROUP = 20;

// The host keeps these; built once, with the mesh of the first lander that
// loads its cockpit, and shared by every later one.
struct CockpitDisplays {
  bool built;
  VCHUDSPEC hud;
  VCMFDSPEC leftMfd, rightMfd;
};
CockpitDisplays displays = {};

const CockpitDisplays &Displays(UINT mesh) {
  if (!displays.built) {
    displays.hud = VCHUDSPEC{mesh, HUD_GROUP, HUD_CENTRE, HUD_SIZE};
    displays.leftMfd = VCMFDSPEC{mesh, LEFT_MFD_GROUP};
    displays.rightMfd = VCMFDSPEC{mesh, RIGHT_MFD_GROUP};
    displays.built = true;
  }
  return displays;
}

const int DEBUG_LINE = 256;

}  // namespace

int Tessavane::clbkConsumeBufferedKey(DWORD key, bool down, char *kstate) {
  return landers::ConsumeCommandKey(*this, keyCommands, key, down, kstate);
}

void Tessavane::SwitchDockingPort() {
  if (dockPortCleared) {
    std::snprintf(oapiDebugString(), DEBUG_LINE, "%s", "Docking on");
    dockPortCleared = false;
    SetDockParams(crewed::DOCK_POS, crewed::DOCK_DIR, crewed::DOCK_ROT);
  } else {
    std::snprintf(oapiDebugString(), DEBUG_LINE, "%s", "Docking off");
    dockPortCleared = true;
    ClearDockDefinitions();
  }
}

bool Tessavane::clbkLoadVC(int id) {
  landers::ShowCockpitView(*this, kViews, sizeof kViews / sizeof kViews[0], id);
  const CockpitDisplays &d = Displays(idxAscent);
  oapiVCRegisterHUD(&d.hud);
  oapiVCRegisterMFD(0, &d.leftMfd);
  oapiVCRegisterMFD(1, &d.rightMfd);
  return true;
}
