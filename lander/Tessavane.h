// The crewed lunar lander: a descent stage (four engines, landing gear,
// cargo palette) under an ascent stage (cabin with hatch, door, seats and a
// crew of four). It flies in the launch configuration, both stages, until the
// crew leaves the descent stage behind; from then on it is the ascent stage
// alone, with the same four engines re-rated as its ascent engine.
#ifndef LANDER_TESSAVANE_H
#define LANDER_TESSAVANE_H

#include "Orbitersdk.h"
#include "landerfamily/Hardware.h"
#include "landerfamily/Keys.h"
#include "landerfamily/LanderVessel.h"
#include "landerfamily/StateLines.h"

const int CREW_FIGURES = 4;

class Tessavane : public landers::LanderVessel {
public:
  Tessavane(OBJHANDLE hVessel, int flightModel);
  Tessavane(const Tessavane &) = delete;
  Tessavane &operator=(const Tessavane &) = delete;

  void clbkSetClassCaps(FILEHANDLE cfg) override;
  void clbkSaveState(FILEHANDLE scn) override;
  void clbkLoadStateEx(FILEHANDLE scn, void *status) override;
  void clbkPostCreation() override;
  void clbkPreStep(double simt, double simdt, double mjd) override;
  void clbkPostStep(double simt, double simdt, double mjd) override;
  void clbkNavMode(int mode, bool active) override;
  int clbkConsumeBufferedKey(DWORD key, bool down, char *kstate) override;
  bool clbkLoadVC(int id) override;

  // Both stages, full descent tanks. Leaves engines, propellant mass and
  // beacons as they are; idempotent. Does nothing once the ascent
  // configuration is in place: the descent stage does not come back.
  void SetLaunchConfig();
  // The ascent stage alone: descent mesh hidden, lights off, only the strobe,
  // tank refilled to the ascent load, engines re-rated; idempotent.
  void SetAscentConfig();
  void DefineAnimations();
  void DefineBeacons();
  void UpdateThrusterGroups();
  // Leaves the descent stage behind as a vessel of its own; once only.
  void SeparateDescentStage();
  void ToggleLights();

private:
  void TogglePalette();
  void ToggleGear();
  void ToggleHatch();
  void ToggleDoor();
  void SwitchDockingPort();

  static const landers::MechanismKey<Tessavane> mechanismKeys[4];
  static const landers::ConfigKey<Tessavane> configKeys[2];
  static const landers::KeyCommand<Tessavane> keyCommands[7];

  landers::Hardware hw;  // lights, tank, thrusters, legs, groups, beacons
  bool lightsOn;
  bool gearDown, paletteDeployed, hatchOpen, doorOpen;
  bool docked;
  bool dockPortCleared;
  int ascentOnly;
  int hatchStatus, doorStatus, gearStatus, paletteStatus;
  double hatchProc, doorProc, gearProc, paletteProc;
  UINT animHatch, animDoor, animGear, animPalette;

  MESHHANDLE meshDescent, meshAscent, meshSeats;
  MESHHANDLE meshCrew[CREW_FIGURES];
  UINT idxAscent, idxDescent, idxSeats;
  UINT idxCrew[CREW_FIGURES];
};

#endif  // LANDER_TESSAVANE_H
