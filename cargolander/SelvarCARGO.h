// The uncrewed cargo lander: the lander family's descent-stage hardware as
// one mesh, with landing gear and a cargo palette, and one configuration.
#ifndef CARGOLANDER_SELVARCARGO_H
#define CARGOLANDER_SELVARCARGO_H

#include "Orbitersdk.h"
#include "landerfamily/Hardware.h"
#include "landerfamily/Keys.h"
#include "landerfamily/LanderVessel.h"
#include "landerfamily/StateLines.h"

class SelvarCARGO : public landers::LanderVessel {
public:
  SelvarCARGO(OBJHANDLE hVessel, int flightModel);
  SelvarCARGO(const SelvarCARGO &) = delete;
  SelvarCARGO &operator=(const SelvarCARGO &) = delete;

  // Coming into the simulation: definition, saved state, configuration.
  void clbkSetClassCaps(FILEHANDLE cfg) override;
  void clbkLoadStateEx(FILEHANDLE scn, void *status) override;
  void clbkPostCreation() override;
  void clbkSaveState(FILEHANDLE scn) override;

  // Every frame.
  void clbkPreStep(double simt, double simdt, double mjd) override;
  void clbkPostStep(double simt, double simdt, double mjd) override;

  // The operator's keys and camera views.
  int clbkConsumeBufferedKey(DWORD key, bool down, char *kstate) override;
  bool clbkLoadVC(int id) override;

  // Applies the launch configuration while one is pending, then clears it.
  void SetLaunchConfig();
  void DefineAnimations();
  void DefineBeacons();
  void UpdateThrusterGroups();
  void ToggleLights();

private:
  void RequestLaunchConfig();
  void TogglePalette();
  void ToggleGear();

  static const landers::MechanismKey<SelvarCARGO> mechanismKeys[2];
  static const landers::ConfigKey<SelvarCARGO> configKeys[1];
  static const landers::KeyCommand<SelvarCARGO> keyCommands[3];

  landers::Hardware hw;  // lights, tank, thrusters, legs, groups, beacons
  bool lightsOn;
  int gearStatus, paletteStatus;
  double gearProc, paletteProc;
  bool gearDown, paletteDeployed;
  UINT animGear, animPalette;
  bool configPending;
  MESHHANDLE meshBody;
  UINT idxBody;
};

#endif  // CARGOLANDER_SELVARCARGO_H
