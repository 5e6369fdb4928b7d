// The lamp: spot light parameters, the light direction that follows the
// head, the glow beacon, the lamp glass look, switching, dimming and aiming.
#include <cmath>

#include "BeamWick2.h"
#include "vessel_common/PortableMath.h"

namespace {

const int LAMP_GLASS_MATERIAL = 1;

COLOUR4 Grey(float k, float a) {
  const COLOUR4 c = {k, k, k, a};
  return c;
}

}  // namespace

void beam_wick2::UpdateBeaconSize() {
  beaconSpec.size = std::sqrt(lightRange) * 0.02 * intensity;
}

void beam_wick2::ApplyLightParams() {
  if (spotLight && spotLight->GetType() == LightEmitter::LT_SPOT) {
    SpotLight *spot = static_cast<SpotLight *>(spotLight);
    spot->SetRange(lightRange);
    spot->SetAperture(0.75 * spreadAngle, spreadAngle);
    spot->SetAttenuation(1.0, 0.0, 2.0 / (lightRange * lightRange));
    spot->SetDirection(lightDir);
  }
  beaconSpec.pos = &beaconTipPos;
  UpdateBeaconSize();
}

// The head's azimuth turns about +y; the elevation tilts the light out of
// the head's horizontal plane by Rodrigues' rotation about the head's first
// axis. Elevation 0.5 is level, 1 straight up; azimuth 0 looks along +z and
// grows toward +x.
void beam_wick2::UpdateLightDirection() {
  const double a = azimuth * SPOT_TWO_PI;
  double ca, sa;
  vmod::portableSinCos(a, sa, ca);
  azimuthMatrix[0][0] = ca;  azimuthMatrix[0][1] = 0; azimuthMatrix[0][2] = -sa;
  azimuthMatrix[1][0] = 0;   azimuthMatrix[1][1] = 1; azimuthMatrix[1][2] = 0;
  azimuthMatrix[2][0] = sa;  azimuthMatrix[2][1] = 0; azimuthMatrix[2][2] = ca;

  const double u = (elevation - 0.5) * (-SPOT_PI);
  const VECTOR3 n = _V(azimuthMatrix[0][0], azimuthMatrix[0][1], azimuthMatrix[0][2]);
  const VECTOR3 z = _V(azimuthMatrix[2][0], azimuthMatrix[2][1], azimuthMatrix[2][2]);
  double cu, su;
  vmod::portableSinCos(u, su, cu);
  lightDir = z * cu + crossp(n, z) * su + n * (dotp(n, z) * (1.0 - cu));

  beaconTipPos = lightDir * 0.15;
  ApplyLightParams();
}

void beam_wick2::ApplyLampMaterial() {
  if (devMesh) oapiSetMaterial(devMesh, LAMP_GLASS_MATERIAL, &lampMaterial);
}

void beam_wick2::SetLampOnMaterial() {
  const float k = 0.5f * (1.0f - static_cast<float>(intensity));
  const float in = static_cast<float>(intensity);
  lampMaterial.diffuse = Grey(k, 1.0f);
  lampMaterial.ambient = Grey(k, 1.0f);
  lampMaterial.specular = Grey(k, 1.0f);
  lampMaterial.emissive.r = static_cast<float>(spotColour.r) * in;
  lampMaterial.emissive.g = static_cast<float>(spotColour.g) * in;
  lampMaterial.emissive.b = static_cast<float>(spotColour.b) * in;
  lampMaterial.emissive.a = 1.0f;
  lampMaterial.power = LAMP_SPECULAR_POWER;
  ApplyLampMaterial();
}

void beam_wick2::SetLampOffMaterial() {
  lampMaterial.diffuse = Grey(0.5f, 1.0f);
  lampMaterial.ambient = Grey(0.5f, 1.0f);
  lampMaterial.specular = Grey(0.5f, 1.0f);
  lampMaterial.emissive = Grey(0.0f, 0.0f);
  lampMaterial.power = LAMP_SPECULAR_POWER;
  ApplyLampMaterial();
}

void beam_wick2::SwitchLampOn() {
  if (spotLight) spotLight->Activate(true);
  beaconSpec.active = true;
  lampState = 1;
  SetLampOnMaterial();
}

void beam_wick2::SwitchLampOff() {
  if (spotLight) spotLight->Activate(false);
  beaconSpec.active = false;
  lampState = 0;
  SetLampOffMaterial();
}

void beam_wick2::AdjustIntensity(double delta) {
  intensity = SpotClamp01(intensity + delta);
  if (spotLight) spotLight->SetIntensity(intensity);
  UpdateBeaconSize();
  SetLampOnMaterial();
}

void beam_wick2::AimElevation(double sign) {
  elevation = SpotClamp01(elevation + sign * rotateStep);
  SetAnimation(elevationAnim, elevation);
  UpdateLightDirection();
}

// The azimuth wraps within 0..1 so the head turns on without a jump; exactly
// 1 is kept as it is (the same pose as 0).
void beam_wick2::AimAzimuth(double sign) {
  if (sign > 0) {
    azimuth += rotateStep;
    if (azimuth > 1.0) azimuth -= std::trunc(azimuth);
  } else {
    azimuth -= rotateStep;
    if (azimuth < 0.0) azimuth = azimuth + 1.0 - std::trunc(azimuth);
  }
  SetAnimation(azimuthAnim, azimuth);
  UpdateLightDirection();
}
