// The spotlight's definition: members, physics, beacon, light, attachment
// point, mesh and head animations, and the visual's life.
#include <cmath>

#include "BeamWick2.h"
#include "vessel_common/ExactDelete.h"

namespace {

// Head parts of the "beamwick2" mesh: group 0 turns in azimuth, groups 1
// and 3 tilt in elevation. The host keeps pointers to these lists.
UINT azimuthGroups[] = {0};
UINT elevationGroups[] = {1, 3};

const float AZIMUTH_SWEEP = 6.2831855f;    // one full turn
const float ELEVATION_SWEEP = 3.1415927f;  // straight down to straight up

char spotColourItem[] = "SpotColour";

// A configured colour component held within 0..1; one that is not a number
// keeps the default, so that it never reaches the light, beacon or glass.
double ColourComponent(double configured, double fallback) {
  return std::isnan(configured) ? fallback : SpotClamp01(configured);
}

}  // namespace

beam_wick2::beam_wick2(OBJHANDLE hVessel, int flightmodel)
    : VESSEL3(hVessel, flightmodel),
      spotLight(0),
      gsAttachment(0),
      azimuthCompHandle(0),
      meshHandle(0),
      devMesh(0),
      azimuthComp(0),
      elevationComp(0),
      elevationAnim(0),
      azimuthAnim(0) {
  ResetMembers();
}

beam_wick2::~beam_wick2() {
  vmod::DeleteExact(azimuthComp);
  vmod::DeleteExact(elevationComp);
}

// Every member's starting value except the host's handles and the owned
// animation components.
void beam_wick2::ResetMembers() {
  lampState = 0;
  lightRange = 300.0;
  spreadAngle = 20.0 * SPOT_DEG2RAD;
  beaconSpec = BEACONLIGHTSPEC();
  lampMaterial = MATERIAL();
  lampMaterial.power = LAMP_SPECULAR_POWER;
  configColour = _V(0, 0, 0);
  spotColour.r = spotColour.g = spotColour.b = 1.0;
  beaconColour = _V(1, 1, 1);
  beaconRestPos = _V(0, 0, 0.15);
  beaconTipPos = _V(0, 0, 0.15);
  intensity = 1.0;
  attachPos = _V(0, 0, 0);
  attachDir = _V(0, 1, 0);
  attachRot = _V(0, 0, 1);
  savedAttachPos = savedAttachDir = savedAttachRot = _V(0, 0, 0);
  shiftStep = 0.0;
  rotateStep = 0.0;
  elevation = 0.5;
  azimuth = 0.0;
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) azimuthMatrix[i][j] = (i == j) ? 1.0 : 0.0;
  lightDir = _V(0, 0, 1);
  attachRestored = 0;
}

void beam_wick2::clbkSetClassCaps(FILEHANDLE cfg) {
  ResetMembers();

  SetSize(0.6);
  SetEmptyMass(3.0);
  SetEnableFocus(true);
  SetTouchdownPoints(_V(0, -0.37, 1), _V(-1, -0.37, -1), _V(1, -0.37, -1));
  SetPMI(_V(1, 1, 1));
  SetCrossSections(_V(0.05, 0.05, 0.05));
  SetCW(1, 1, 1, 1);
  SetRotDrag(_V(1, 1, 1));

  configColour = _V(0, 0, 0);
  if (oapiReadItem_vec(cfg, spotColourItem, configColour)) {
    spotColour.r = ColourComponent(configColour.x, spotColour.r);
    spotColour.g = ColourComponent(configColour.y, spotColour.g);
    spotColour.b = ColourComponent(configColour.z, spotColour.b);
  }

  beaconColour = _V(spotColour.r, spotColour.g, spotColour.b);
  beaconSpec.shape = BEACONSHAPE_STAR;
  beaconSpec.pos = &beaconRestPos;
  beaconSpec.col = &beaconColour;
  beaconSpec.size = 0.35;
  beaconSpec.falloff = 0.3;
  beaconSpec.period = 0;
  beaconSpec.duration = 0;
  beaconSpec.tofs = 0;
  beaconSpec.active = false;
  AddBeacon(&beaconSpec);

  const float r = static_cast<float>(spotColour.r);
  const float g = static_cast<float>(spotColour.g);
  const float b = static_cast<float>(spotColour.b);
  const COLOUR4 lampColour = {r, g, b, 0.0f};
  const COLOUR4 noAmbient = {0.0f, 0.0f, 0.0f, 0.0f};
  spotLight = AddSpotLight(_V(0, 0, 0), _V(0, 0, 1), 200.0, 1.0, 0.0, 0.00005, 15.0 * SPOT_DEG2RAD,
                           20.0 * SPOT_DEG2RAD, lampColour, lampColour, noAmbient);
  if (spotLight) spotLight->Activate(false);

  SetVisibilityLimit(0.0001, -1);

  gsAttachment = CreateAttachment(true, _V(0, -0.37, 0), _V(0, -1, 0), _V(0, 0, 1), "GS", false);

  meshHandle = oapiLoadMesh("beamwick2");
  AddMesh(meshHandle);
  SetMeshVisibilityMode(0, MESHVIS_EXTERNAL);

  DefineAnimations();
}

void beam_wick2::DefineAnimations() {
  // Defined once per vessel; the host holds the components from here on.
  if (azimuthComp || elevationComp) return;

  elevationAnim = CreateAnimation(0.5);
  azimuthAnim = CreateAnimation(0.0);

  azimuthComp = new MGROUP_ROTATE(0, azimuthGroups, 1, _V(0, 0, 0), _V(0, 1, 0), AZIMUTH_SWEEP);
  azimuthCompHandle = AddAnimationComponent(azimuthAnim, 0, 1, azimuthComp);

  // Child of the azimuth component, so the tilting parts turn with the head.
  elevationComp = new MGROUP_ROTATE(0, elevationGroups, 2, _V(0, 0, 0), _V(-1, 0, 0), ELEVATION_SWEEP);
  AddAnimationComponent(elevationAnim, 0, 1, elevationComp, azimuthCompHandle);
}

void beam_wick2::clbkPostCreation() {
  ApplyLightParams();
  if (lampState == 1) {
    beaconSpec.active = true;
    if (spotLight) spotLight->Activate(true);
  }
}

void beam_wick2::clbkVisualCreated(VISHANDLE vis, int refcount) {
  (void)refcount;
  devMesh = GetDevMesh(vis, 0);
  if (lampState == 1) SetLampOnMaterial();
}

// The device mesh dies with its visual; a lamp switched while there is no
// visual must not write to it.
void beam_wick2::clbkVisualDestroyed(VISHANDLE vis, int refcount) {
  (void)vis;
  (void)refcount;
  devMesh = 0;
}

void beam_wick2::clbkPostStep(double simt, double simdt, double mjd) {
  (void)simt;
  (void)simdt;
  (void)mjd;
}
