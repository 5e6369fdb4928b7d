// The time step: altitude events at and around their thresholds, the
// parachutes' aerodynamics, the mechanisms' timing, the camera.
#include <algorithm>

#include "CapsuleHarness.h"
#include "vhost/AllocationCounter.h"

namespace capsuletest {
namespace {

class FlightPhaseTest : public CapsuleTest {};

TEST_F(FlightPhaseTest, TowerLeavesOnlyStrictlyAbove100kmOnceAndOnlyInLaunch) {
  Load("LAUNCHL 1\nRPOS 0 6471000 0\n");
  Steps(3);
  EXPECT_TRUE(sim->created().empty());
  Altitude(100000.01);
  Steps(3);
  Altitude(99000);
  Steps(1);
  Altitude(150000);
  Steps(3);
  EXPECT_EQ(Spawned(), (std::vector<std::string>{"Capsule-LES"}));

  Load("RPOS 0 6521000 0\n");  // orbital: no event at any altitude
  for (double alt : {150000.0, 9000.0, 1000.0, 10.0}) {
    Altitude(alt);
    sim->step();
  }
  EXPECT_TRUE(sim->created().empty());
  EXPECT_EQ(Mesh(SHIELD).visibility, MESHVIS_ALWAYS);
}

TEST_F(FlightPhaseTest, DescentEventsAtTheirThresholds) {
  Load("REENTRY 1\nRPOS 0 6380100 0\n");
  sim->step();
  EXPECT_TRUE(sim->created().empty());
  Altitude(9000);  // below 9100: shield; exactly 9000: no drogue yet
  sim->step();
  EXPECT_EQ(Spawned(), (std::vector<std::string>{"Capsule-Shield"}));
  EXPECT_EQ(Mesh(DROGUE).visibility, MESHVIS_NEVER);
  Altitude(8999.9);
  sim->step();
  EXPECT_EQ(Mesh(DROGUE).visibility, MESHVIS_ALWAYS);
  EXPECT_EQ(Rec().crossSections.z, 2000);
  EXPECT_EQ(Rec().pmi.x, 9);
  EXPECT_EQ(Rec().cw[0], 2);
  EXPECT_EQ(Rec().muLng, 0.1);

  Altitude(2000);
  sim->step();
  EXPECT_EQ(sim->created().size(), 1u);
  Altitude(1999);
  sim->step();  // drogue released and main chutes opening in one step
  EXPECT_EQ(Spawned(), (std::vector<std::string>{"Capsule-Shield", "Capsule-drogue"}));
  EXPECT_TRUE(Mesh(DROGUE).deleted);
  EXPECT_EQ(Rec().crossSections.z, 4000);
  EXPECT_EQ(Rec().pmi.x, 12);
  EXPECT_EQ(Rec().muLat, 0.3);

  Altitude(50);
  sim->step();
  EXPECT_EQ(SavedKeys(), (std::vector<std::string>{"REENTRY 1"}));
  Altitude(49.9);
  sim->step();  // chutes cut, landing requested
  EXPECT_EQ(SavedKeys(), (std::vector<std::string>{"LANDING 1"}));
  EXPECT_EQ(Mesh(CM).visibility, MESHVIS_NEVER);  // shown since the shield went
  EXPECT_EQ(Rec().crossSections.z, 19.35);        // the capsule's own while the chutes close
  sim->step();  // landing configuration applied
  EXPECT_TRUE(Mesh(SHIELD).deleted);
  EXPECT_EQ(Rec().propellant[0].mass, 0);
  EXPECT_EQ(sim->created().size(), 2u);  // each piece left once
}

TEST_F(FlightPhaseTest, ReloadedLowCapsuleFiresItsEventsInOrderInTheFirstFrame) {
  Load("REENTRY 1\nRPOS 0 6372500 0\n");
  sim->step();
  EXPECT_EQ(Spawned(), (std::vector<std::string>{"Capsule-Shield", "Capsule-drogue"}));
  EXPECT_EQ(Rec().crossSections.z, 4000);  // main chutes win over the drogue and the release
}

TEST_F(FlightPhaseTest, MainChutesOpenInAboutOneAndAHalfSecondsAndCloseAfterTheCut) {
  Load("REENTRY 1\nRPOS 0 6372999 0\n");
  sim->step();
  EXPECT_NEAR(AnimState(MAIN_CHUTE), 0.0132, 1e-9);  // one 0.02 s step at 0.66/s
  Steps(75);                                          // 76 steps: 1.52 s
  EXPECT_EQ(AnimState(MAIN_CHUTE), 1.0);
  std::size_t mark = calls.size();
  Steps(2);  // reaches open; open chutes still pull at every frame
  std::vector<std::string> made = CallsSince(mark);
  EXPECT_EQ(std::count(made.begin(), made.end(), "SetCrossSections"), 2);
  EXPECT_EQ(std::count(made.begin(), made.end(), "ClearAirfoilDefinitions"), 2);
  EXPECT_EQ(AnimState(MAIN_CHUTE), 1.0);

  Altitude(40);
  Steps(75);  // the cut, then closing at 0.66/s
  EXPECT_GT(AnimState(MAIN_CHUTE), 0.0);
  Steps(1);
  EXPECT_EQ(AnimState(MAIN_CHUTE), 0.0);
  mark = calls.size();
  Steps(1);  // starts at 0: closes, still giving the capsule its own values
  made = CallsSince(mark);
  EXPECT_EQ(std::count(made.begin(), made.end(), "SetPMI"), 1);
  mark = calls.size();
  Steps(1);  // closed: nothing more is sent
  made = CallsSince(mark);
  EXPECT_EQ(std::count(made.begin(), made.end(), "SetPMI"), 0);
}

TEST_F(FlightPhaseTest, MechanismsMoveAtTheirRates) {
  Load("");
  Key(OAPI_KEY_A);       // hatch 0.33/s
  Alt(OAPI_KEY_P);       // INS 0.66/s
  Alt(OAPI_KEY_O);       // solar 0.1/s
  Steps(50);             // 1 s
  EXPECT_NEAR(AnimState(HATCH), 0.33, 1e-9);
  EXPECT_NEAR(AnimState(INS), 0.66, 1e-9);
  for (int i = 0; i < 21; ++i) EXPECT_NEAR(AnimState(SOLAR1 + i), 0.1, 1e-9);
  Steps(400);  // 9 s: still deploying, which is not saved
  EXPECT_EQ(SavedKeys(), (std::vector<std::string>{"HATCHPR 1", "INSACTI 1", "ORBITAL 1"}));
  Steps(60);
  EXPECT_EQ(AnimState(SOLAR1 + 20), 1.0);
  EXPECT_EQ(SavedKeys()[0], "SOLARPR 1");
}

TEST_F(FlightPhaseTest, HatchWaitsWhileDocked) {
  Load("");
  sim->setDockingStatus("Capsule", 0, true);
  EXPECT_EQ(Key(OAPI_KEY_A), 1);
  Steps(20);
  EXPECT_EQ(AnimState(HATCH), 0.0);
  EXPECT_EQ(SavedKeys(), (std::vector<std::string>{"ORBITAL 1"}));  // not even started
  sim->setDockingStatus("Capsule", 0, false);
  Steps(1);
  EXPECT_NEAR(AnimState(HATCH), 0.0066, 1e-9);
  EXPECT_EQ(SavedKeys()[0], "HATCHPR 1");
}

TEST_F(FlightPhaseTest, CameraOffsetOutsideTheVirtualCockpit) {
  Load("");
  sim->setCockpitMode(COCKPIT_VIRTUAL);
  sim->loadVC(2);
  sim->step();
  EXPECT_EQ(Rec().cameraOffset.x, 1.1);
  sim->setCockpitMode(COCKPIT_GENERIC);
  sim->step();
  EXPECT_EQ(Rec().cameraOffset.x, 0);
  EXPECT_EQ(Rec().cameraOffset.z, 1);
}

TEST_F(FlightPhaseTest, FramesAllocateNothing) {
  tracing = false;
  for (const char *lines : {"LAUNCHL 1\nRPOS 0 6372000 0\n", "RPOS 0 6671000 0\n", "REENTRY 1\nRPOS 0 6372999 0\n", "LANDING 1\n"}) {
    Load(lines);
    Key(OAPI_KEY_A);
    Alt(OAPI_KEY_P);
    Steps(3);  // the host settles its records
    vhost::AllocationCounter::start();
    Steps(20);
    vhost::AllocationCounter::stop();
    EXPECT_EQ(vhost::AllocationCounter::count(), 0u) << lines;
  }
}

}  // namespace
}  // namespace capsuletest
