// The virtual cockpit on the cabin mesh, the HUD and the callbacks the
// capsule takes but does nothing with.
#include "CapsuleTables.h"
#include "Tessavane.h"

namespace tarva {

namespace {

const DWORD MFD0_GROUP = 10;
const DWORD MFD1_GROUP = 12;
const DWORD HUD_GROUP = 11;
const VECTOR3 HUD_CENTRE = {{-0.2572509, 1.202129, 0.4847243}};
const double HUD_SIZE = 0.15;

// Filled by the first capsule that loads its cockpit and shared by all: every
// capsule has its cabin mesh in the same slot.
bool displaysFilled = false;
VCHUDSPEC hudSpec;
VCMFDSPEC mfdSpecs[2];

}  // namespace

bool Tessavane::clbkLoadVC(int id) {
  if (id >= 0 && id < COCKPIT_POSITION_COUNT) {
    const CockpitPositionSpec &position = COCKPIT_POSITIONS[id];
    SetCameraOffset(position.cameraOffset);
    oapiVCSetNeighbours(position.left, position.right, position.up, position.down);
  }
  if (!displaysFilled) {
    hudSpec.nmesh = idxCmVc;
    hudSpec.ngroup = HUD_GROUP;
    hudSpec.hudcnt = HUD_CENTRE;
    hudSpec.size = HUD_SIZE;
    mfdSpecs[0].nmesh = idxCmVc;
    mfdSpecs[0].ngroup = MFD0_GROUP;
    mfdSpecs[1].nmesh = idxCmVc;
    mfdSpecs[1].ngroup = MFD1_GROUP;
    displaysFilled = true;
  }
  oapiVCRegisterHUD(&hudSpec);
  oapiVCRegisterMFD(0, &mfdSpecs[0]);
  oapiVCRegisterMFD(1, &mfdSpecs[1]);
  return true;
}

bool Tessavane::clbkVCMouseEvent(int, int, VECTOR3 &) { return false; }

bool Tessavane::clbkVCRedrawEvent(int, int, SURFHANDLE) { return false; }

bool Tessavane::clbkDrawHUD(int mode, const HUDPAINTSPEC *hps, oapi::Sketchpad *skp) {
  VESSEL3::clbkDrawHUD(mode, hps, skp);
  return true;
}

void Tessavane::clbkRenderHUD(int mode, const HUDPAINTSPEC *hps, SURFHANDLE hDefaultTex) {
  VESSEL3::clbkRenderHUD(mode, hps, hDefaultTex);
}

void Tessavane::clbkVisualCreated(VISHANDLE, int) {}
void Tessavane::clbkVisualDestroyed(VISHANDLE, int) {}
void Tessavane::clbkRCSMode(int) {}
void Tessavane::clbkMFDMode(int, int) {}
void Tessavane::clbkNavMode(int, bool) {}

}  // namespace tarva
