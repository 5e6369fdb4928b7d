// The cargo lander's gear and palette, lights, keys, cockpit views and
// scenario lines.
#include "CargoValues.h"
#include "SelvarCARGO.h"
#include "landerfamily/Animations.h"
#include "landerfamily/Cockpit.h"
#include "landerfamily/Mechanisms.h"
#include "vessel_common/Mechanism.h"

const landers::MechanismKey<SelvarCARGO> SelvarCARGO::mechanismKeys[2] = {
    {"GEARRPR", &SelvarCARGO::gearDown, &SelvarCARGO::gearStatus},
    {"PALETTE", &SelvarCARGO::paletteDeployed, &SelvarCARGO::paletteStatus},
};

// Read but never written: post-creation applies the configuration anyway.
const landers::ConfigKey<SelvarCARGO> SelvarCARGO::configKeys[1] = {
    {"LAUNCHL", &SelvarCARGO::RequestLaunchConfig},
};

const landers::KeyCommand<SelvarCARGO> SelvarCARGO::keyCommands[3] = {
    {OAPI_KEY_B, true, &SelvarCARGO::ToggleLights},
    {OAPI_KEY_P, true, &SelvarCARGO::TogglePalette},
    {OAPI_KEY_G, false, &SelvarCARGO::ToggleGear},
};

namespace {

const landers::DescentGeometry kDescent = {5.090827, 3.5, 5.07};

// Shared by every cargo lander of this module; see landerfamily/Animations.h.
landers::DescentGroups descentGroups = {{16}, {9, 8, 11, 10, 13, 12, 15, 14}};
landers::DescentComponents descentComponents;

const landers::CockpitView kViews[] = {
    {{{0, 6.75, -2.0}}, true, {{0, 0, 1}}, {-1, -1, 1, 2}},
    {{{-1.432442, 8.5, 1.492508}}, true, {{0, -1, 0}}, {-1, -1, -1, 0}},
    {{{0, 5.0, 0}}, true, {{0, -1, 0}}, {-1, -1, 0, -1}},
};

}  // namespace

void SelvarCARGO::DefineAnimations() {
  landers::DefineDescentAnimations(*this, idxBody, kDescent, descentGroups, descentComponents, animPalette, animGear);
}

void SelvarCARGO::clbkPostStep(double, double simdt, double) {
  if (configPending) SetLaunchConfig();
  UpdateThrusterGroups();
  landers::AdvanceDescentMechanisms(*this, {animPalette, paletteStatus, paletteProc, paletteDeployed},
                                    {animGear, gearStatus, gearProc, gearDown}, simdt);
  landers::ResetCameraOutsideVC(*this, cargo::COCKPIT_CAMERA);
}

// The point lights are part of the switch here, and are on in both states.
void SelvarCARGO::ToggleLights() {
  LightEmitter *const *spots = hw.spotLights;
  if (lightsOn) {
    hw.beacons.strobeBeacon.active = false;
    if (spots[0]) spots[0]->Activate(false);
    for (LightEmitter *light : hw.pointLights)
      if (light) light->Activate(true);
    if (spots[1]) spots[1]->Activate(false);
    lightsOn = false;
  } else {
    hw.beacons.strobeBeacon.active = true;
    lightsOn = true;
    if (spots[0]) spots[0]->Activate(true);
    for (LightEmitter *light : hw.pointLights)
      if (light) light->Activate(true);
    if (spots[1]) spots[1]->Activate(true);
  }
}

void SelvarCARGO::TogglePalette() { vmod::ToggleMechanism(paletteStatus); }
void SelvarCARGO::ToggleGear() { vmod::ToggleMechanism(gearStatus); }

int SelvarCARGO::clbkConsumeBufferedKey(DWORD key, bool down, char *kstate) {
  return landers::ConsumeCommandKey(*this, keyCommands, key, down, kstate);
}

bool SelvarCARGO::clbkLoadVC(int id) {
  landers::ShowCockpitView(*this, kViews, sizeof kViews / sizeof kViews[0], id);
  return true;
}

void SelvarCARGO::clbkSaveState(FILEHANDLE scn) {
  VESSEL2::clbkSaveState(scn);
  landers::WriteMechanismLines(scn, *this, mechanismKeys);
}

void SelvarCARGO::clbkLoadStateEx(FILEHANDLE scn, void *status) {
  landers::ReadStateLines(*this, scn, status, mechanismKeys, configKeys);
}
