// beam_wick2: a 3 kg spotlight that rides on another vessel's attachment
// point. The lamp head turns in azimuth and tilts in elevation; a spot light
// follows the head, a beacon makes the lamp glass glow, and the lamp glass
// material shows whether the lamp is on. The keys aim, dim and switch the lamp,
// attach it by parent name and point index, and move and turn that point.
#ifndef BEAMWICK2_BEAMWICK2_H
#define BEAMWICK2_BEAMWICK2_H

#include "Orbitersdk.h"

// Angles in degrees become radians with this factor.
const double SPOT_DEG2RAD = 0.017453292519943295;
const double SPOT_RAD2DEG = 57.29577951308232;
const double SPOT_TWO_PI = 6.283185307179586;
const double SPOT_PI = 3.141592653589793;

// Specular power of the lamp glass in both looks: a moderate highlight.
const float LAMP_SPECULAR_POWER = 20.0f;

// Limits of the values entered through the input boxes.
const double SPOT_RANGE_MIN = 1.0;        // m
const double SPOT_RANGE_MAX = 100000.0;   // m
const double SPOT_SPREAD_MIN_DEG = 10.0;
const double SPOT_SPREAD_MAX_DEG = 120.0;

// Rates of the held keys, per second of simulation time.
const double SPOT_SHIFT_RATE = 0.5;       // m/s along the parent's axes
const double SPOT_TURN_RATE = 0.2;        // turns/s, head and attachment point
const double SPOT_DIM_RATE = 0.2;         // intensity/s

inline double SpotClamp01(double v) { return v > 1.0 ? 1.0 : (v < 0.0 ? 0.0 : v); }

// Which vector a rotation of the parent's attachment point turns about.
enum AttachAxis {
  ATTACH_AXIS_NORMAL,  // attachDir x attachRot, normalised
  ATTACH_AXIS_DIR,     // attachDir as it stands
  ATTACH_AXIS_ROT      // attachRot as it stands
};

class beam_wick2 : public VESSEL3 {
public:
  beam_wick2(OBJHANDLE hVessel, int flightmodel);
  ~beam_wick2();

  void clbkSetClassCaps(FILEHANDLE cfg) override;
  void clbkSaveState(FILEHANDLE scn) override;
  void clbkLoadStateEx(FILEHANDLE scn, void *status) override;
  void clbkPostCreation() override;
  void clbkPreStep(double simt, double simdt, double mjd) override;
  void clbkPostStep(double simt, double simdt, double mjd) override;
  void clbkVisualCreated(VISHANDLE vis, int refcount) override;
  void clbkVisualDestroyed(VISHANDLE vis, int refcount) override;
  int clbkConsumeDirectKey(char *kstate) override;
  int clbkConsumeBufferedKey(DWORD key, bool down, char *kstate) override;
  bool clbkDrawHUD(int mode, const HUDPAINTSPEC *hps, oapi::Sketchpad *skp) override;

  // Light model and lamp look.
  void ApplyLightParams();
  void UpdateLightDirection();
  void SetLampOnMaterial();
  void SetLampOffMaterial();
  void SwitchLampOn();
  void SwitchLampOff();
  void AdjustIntensity(double delta);
  void AimElevation(double sign);
  void AimAzimuth(double sign);

  // Attachment to a parent vessel.
  bool AttachToParent(const char *text);
  void DetachFromParent();
  void ShiftAttachment(int axis, double sign);
  void RotateAttachment(AttachAxis axis, double sign);
  void FetchAttachParams();
  void RestoreAttachParams();
  ATTACHMENTHANDLE FindParentPoint(VESSEL **parentOut = 0) const;

  // Input-box answers.
  bool SetRangeFromText(const char *text);
  bool SetSpreadFromText(const char *text);

private:
  struct Colour {
    double r, g, b;
  };

  void ResetMembers();
  void DefineAnimations();
  void ApplyLampMaterial();
  void UpdateBeaconSize();
  bool ReadStateLine(char *line);

  int lampState;
  double lightRange;
  double spreadAngle;
  LightEmitter *spotLight;
  BEACONLIGHTSPEC beaconSpec;
  MATERIAL lampMaterial;
  VECTOR3 configColour;
  // The beacon record points at these three; the host reads them live.
  VECTOR3 beaconColour;
  VECTOR3 beaconRestPos;
  VECTOR3 beaconTipPos;
  Colour spotColour;
  double intensity;
  ATTACHMENTHANDLE gsAttachment;
  ANIMATIONCOMPONENT_HANDLE azimuthCompHandle;
  VECTOR3 attachPos, attachDir, attachRot;
  VECTOR3 savedAttachPos, savedAttachDir, savedAttachRot;
  double shiftStep;
  double rotateStep;
  double elevation;
  double azimuth;
  MESHHANDLE meshHandle;
  DEVMESHHANDLE devMesh;
  double azimuthMatrix[3][3];
  VECTOR3 lightDir;
  MGROUP_ROTATE *azimuthComp;
  MGROUP_ROTATE *elevationComp;
  UINT elevationAnim, azimuthAnim;
  int attachRestored;
};

#endif  // BEAMWICK2_BEAMWICK2_H
