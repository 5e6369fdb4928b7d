// Each stage's configuration as post-creation applies it to a loaded capsule,
// and the rules of re-applying one.
#include "CapsuleHarness.h"

namespace capsuletest {
namespace {

class StageTest : public CapsuleTest {};

TEST_F(StageTest, LaunchStackShowsTowerAndCarriedPieces) {
  Load("LAUNCHL 1\nLSPACTI 1\n");
  EXPECT_EQ(Mesh(LAS).visibility, MESHVIS_ALWAYS);
  EXPECT_FALSE(Mesh(LAS).deleted);
  EXPECT_EQ(Mesh(SM).visibility, MESHVIS_ALWAYS);
  EXPECT_EQ(Mesh(LSP).visibility, MESHVIS_ALWAYS);
  EXPECT_EQ(Mesh(SM_COVER).visibility, MESHVIS_NEVER);
  EXPECT_EQ(Mesh(SHIELD).visibility, MESHVIS_ALWAYS);
  EXPECT_EQ(Mesh(PALETTE).visibility, MESHVIS_NEVER);  // left hidden
  EXPECT_EQ(Rec().propellant[0].maxMass, 7000);
  EXPECT_EQ(Rec().exhausts.size(), 32u);
}

TEST_F(StageTest, OrbitalShowsTheCoverWhenCarried) {
  Load("COVERPR 1\n");
  EXPECT_EQ(Mesh(SM_COVER).visibility, MESHVIS_ALWAYS);
  EXPECT_EQ(Mesh(LSP).visibility, MESHVIS_NEVER);
  EXPECT_TRUE(Mesh(LAS).deleted);
}

TEST_F(StageTest, ReentryDropsServiceModuleAndEveryFlame) {
  Load("REENTRY 1\nRPOS 0 6491000 0\n");
  const vhost::VesselRecord &r = Rec();
  for (int slot : {SM, LSP, SM_COVER, PALETTE}) EXPECT_TRUE(Mesh(slot).deleted) << "slot " << slot;
  EXPECT_EQ(Mesh(SHIELD).visibility, MESHVIS_ALWAYS);
  EXPECT_FALSE(Mesh(LAS).deleted);  // kept: the re-entry stage never had it shown
  EXPECT_EQ(r.crossSections.z, 50.8);
  EXPECT_EQ(r.pmi.x, 15);
  EXPECT_EQ(r.rotDrag.y, 2.3);
  EXPECT_EQ(r.propellant[0].maxMass, 900);
  EXPECT_EQ(r.thrusters[0].propellant, -1);
  EXPECT_EQ(r.thrusters[1].propellant, 0);
  EXPECT_TRUE(r.exhausts.empty());
  sim->step();
  EXPECT_EQ(Rec().emptyMass, 7720);
}

TEST_F(StageTest, LandingShowsTheScorchedHullWithGearDown) {
  Load("LANDING 1\nRPOS 0 6371010 0\n");
  const vhost::VesselRecord &r = Rec();
  for (int slot : {SM, LSP, SHIELD, SM_COVER, PALETTE}) EXPECT_TRUE(Mesh(slot).deleted) << "slot " << slot;
  EXPECT_EQ(Mesh(CM).visibility, MESHVIS_NEVER);
  EXPECT_EQ(Mesh(CM_BURNED).visibility, MESHVIS_EXTERNAL);
  EXPECT_EQ(AnimState(LANDING), 1.0);
  EXPECT_EQ(r.propellant[0].maxMass, 900);
  EXPECT_EQ(r.propellant[0].mass, 0);
  EXPECT_TRUE(r.exhausts.empty());
  sim->step();
  EXPECT_EQ(Rec().emptyMass, 7720);
  EXPECT_EQ(AnimState(LANDING), 1.0);
  EXPECT_EQ(SavedKeys(), (std::vector<std::string>{"LANDING 1"}));
}

TEST_F(StageTest, TouchdownPointsSetOnceOnlyWhileAirborne) {
  Load("REENTRY 1\nSTATUS Landed Earth\n");
  // Class caps and post-creation set them; the re-entry configuration on
  // the ground does not, so the landing configuration in flight does, once.
  EXPECT_EQ(CallCount("SetTouchdownPoints"), 2);
  sim->setGroundContact("Capsule", false);
  Altitude(40);
  Steps(2);  // landing requested, then applied
  EXPECT_EQ(CallCount("SetTouchdownPoints"), 3);
  Alt(OAPI_KEY_J);  // asks for the landing configuration again
  Steps(1);
  EXPECT_EQ(CallCount("SetTouchdownPoints"), 3);
  EXPECT_EQ(CallCount("SetPropellantMass"), 2);  // but the rest is applied again
}

TEST_F(StageTest, AltOReappliesOrbitalFromLaunchAndDropsTheTower) {
  Load("LAUNCHL 1\n");
  EXPECT_EQ(Alt(OAPI_KEY_O), 1);
  sim->step();
  EXPECT_TRUE(Mesh(LAS).deleted);
  EXPECT_EQ(Mesh(PALETTE).visibility, MESHVIS_ALWAYS);
  EXPECT_EQ(SavedKeys(), (std::vector<std::string>{"ORBITAL 1"}));
}

}  // namespace
}  // namespace capsuletest
