// The six pieces the capsule sheds: guards, meshes removed, the new vessel's
// name, class and state.
#include <string>

#include "CapsuleHarness.h"

namespace capsuletest {
namespace {

// Attitude, rotation and velocity that make a wrong frame or a lost member
// visible.
const char *MOVING = "STATUS Orbiting Earth\nRPOS 0 6671000 0\nRVEL 10 -20 7600\nAROT 30 -45 60\nVROT 1 2 3\n";

class SeparationTest : public CapsuleTest {
protected:
  // The piece leaves where the capsule is, turned and spinning as it is,
  // moving with it plus the push given in the capsule's frame.
  void ExpectSeparated(const std::string &name, const std::string &className, const VECTOR3 &push) {
    ASSERT_EQ(sim->created().size(), 1u);
    EXPECT_EQ(sim->created()[0].name, name);
    EXPECT_EQ(sim->created()[0].className, className);
    const vhost::MotionRecord &capsule = Rec().motion;
    const vhost::MotionRecord &piece = Rec(name).motion;
    const VECTOR3 expected = capsule.rvel + mul(sim->vessel("Capsule").rotation(), push);
    for (int i = 0; i < 3; ++i) {
      EXPECT_NEAR(piece.rvel.data[i], expected.data[i], 1e-6) << "rvel " << i;
      EXPECT_NEAR(piece.rpos.data[i], capsule.rpos.data[i], 1e-6) << "rpos " << i;
      EXPECT_NEAR(piece.arot.data[i], capsule.arot.data[i], 1e-9) << "arot " << i;
      EXPECT_NEAR(piece.vrot.data[i], capsule.vrot.data[i], 1e-9) << "vrot " << i;
    }
    EXPECT_EQ(piece.landed, capsule.landed);
  }
};

TEST_F(SeparationTest, AltJInOrbitLeavesServiceModuleBehind) {
  Load(std::string(MOVING) + "LSPACTI 1\nCOVERPR 1\n");
  EXPECT_EQ(Alt(OAPI_KEY_J), 1);
  ExpectSeparated("Capsule-DescentStage", "Tarva_QEL_SM", _V(0, 0, -2));
  for (int slot : {SM, LSP, SM_COVER, PALETTE}) EXPECT_TRUE(Mesh(slot).deleted) << "slot " << slot;
  EXPECT_TRUE(Rec().exhausts.empty());
  sim->step();
  EXPECT_EQ(Rec().emptyMass, 7720);
  // The LSP and cover went with it; a second Alt+J separates nothing.
  EXPECT_EQ(Alt(OAPI_KEY_J), 1);
  EXPECT_EQ(sim->created().size(), 1u);
  EXPECT_EQ(SavedKeys(), (std::vector<std::string>{"LSPACTI 1", "COVERPR 1", "REENTRY 1"}));
}

TEST_F(SeparationTest, LspLeavesOnceAndIsNotSavedAfterwards) {
  Load(std::string(MOVING) + "LSPACTI 1\n");
  EXPECT_EQ(Alt(OAPI_KEY_L), 1);
  ExpectSeparated("Capsule-LSP", "Tarva_QEL_lsp", _V(0, 0, -2));
  EXPECT_TRUE(Mesh(LSP).deleted);
  EXPECT_EQ(Alt(OAPI_KEY_L), 1);
  EXPECT_EQ(sim->created().size(), 1u);
  EXPECT_EQ(SavedKeys(), (std::vector<std::string>{"ORBITAL 1"}));
}

TEST_F(SeparationTest, CoverLeavesSidewaysOnlyInOrbitAndWhenCarried) {
  Load("LAUNCHL 1\nCOVERPR 1\n");
  EXPECT_EQ(Alt(OAPI_KEY_K), 1);
  Load("REENTRY 1\nCOVERPR 1\n");
  EXPECT_EQ(Alt(OAPI_KEY_K), 1);
  Load("");
  EXPECT_EQ(Alt(OAPI_KEY_K), 1);
  EXPECT_TRUE(sim->created().empty());

  Load(std::string(MOVING) + "COVERPR 1\n");
  EXPECT_EQ(Alt(OAPI_KEY_K), 1);
  ExpectSeparated("Capsule-Cover", "Tarva_QEL_Cover", _V(-2, 0, 0));
  EXPECT_TRUE(Mesh(SM_COVER).deleted);
}

TEST_F(SeparationTest, TowerLeavesAbove100kmAndTheStackStaysInLaunch) {
  Load(std::string(MOVING) + "LAUNCHL 1\n");
  sim->step();
  ExpectSeparated("Capsule-LES", "Tarva_QEL_LES", _V(32, 0, 160));
  EXPECT_TRUE(Mesh(LAS).deleted);
  // Still the launch stage: nothing to separate on Alt+J. A save writes no
  // stage line now that the tower has gone.
  EXPECT_EQ(Alt(OAPI_KEY_J), 1);
  EXPECT_EQ(sim->created().size(), 1u);
  EXPECT_TRUE(SavedKeys().empty());
}

TEST_F(SeparationTest, HeatShieldLeavesAndShowsTheScorchedHull) {
  Load("REENTRY 1\nRPOS 0 6380099 0\n");
  sim->step();
  ExpectSeparated("Capsule-Shield", "Tarva_QEL_shield", _V(-0.375, 0, -1.5));
  EXPECT_TRUE(Mesh(SHIELD).deleted);
  EXPECT_EQ(Mesh(CM).visibility, MESHVIS_NEVER);
  EXPECT_EQ(Mesh(CM_BURNED).visibility, MESHVIS_EXTERNAL);
}

// A stage applied again after a piece has gone leaves the piece's empty
// mesh slot alone (the host would crash on it) and sets the rest as ever.
TEST_F(SeparationTest, StageAppliedAgainLeavesTheShedPiecesAlone) {
  Load("LSPACTI 1\nCOVERPR 1\n");  // orbital
  sim->step();
  Alt(OAPI_KEY_L);
  Alt(OAPI_KEY_K);
  Alt(OAPI_KEY_O);
  Steps(2);
  EXPECT_TRUE(Mesh(LSP).deleted);
  EXPECT_TRUE(Mesh(SM_COVER).deleted);
  EXPECT_EQ(Mesh(SM).visibility, MESHVIS_ALWAYS);
  EXPECT_EQ(Mesh(PALETTE).visibility, MESHVIS_ALWAYS);
  EXPECT_FALSE(Warned()) << sim->warnings().front().message;

  Load(std::string(MOVING) + "LAUNCHL 1\n");  // the tower goes above 100 km
  sim->step();
  Alt(OAPI_KEY_J);
  Steps(2);
  EXPECT_TRUE(Mesh(LAS).deleted);
  EXPECT_EQ(Mesh(SM).visibility, MESHVIS_ALWAYS);
  EXPECT_FALSE(Warned()) << sim->warnings().front().message;

  Load("REENTRY 1\nRPOS 0 6380099 0\n");  // the shield goes below 9100 m
  sim->step();
  Alt(OAPI_KEY_J);
  Steps(2);
  EXPECT_TRUE(Mesh(SHIELD).deleted);
  EXPECT_EQ(Mesh(CM_BURNED).visibility, MESHVIS_EXTERNAL);
  EXPECT_FALSE(Warned()) << sim->warnings().front().message;
}

// Landed, the piece is put where the capsule stands, as the simulator puts
// a landed status: by longitude, latitude and heading, the push left out.
TEST_F(SeparationTest, PieceOfALandedCapsuleStandsWhereTheCapsuleDoes) {
  Load("STATUS Landed Earth\nPOS 12 34\nHEADING 56\nLSPACTI 1\n");
  Alt(OAPI_KEY_L);
  ASSERT_EQ(sim->created().size(), 1u);
  const vhost::MotionRecord &piece = Rec("Capsule-LSP").motion;
  EXPECT_TRUE(piece.landed);
  EXPECT_EQ(length(piece.rvel), 0);
  EXPECT_NEAR(piece.lng, 12 * RAD, 1e-12);
  EXPECT_NEAR(piece.lat, 34 * RAD, 1e-12);
  EXPECT_NEAR(piece.heading, 56 * RAD, 1e-12);
  const std::vector<std::string> lines = sim->saveVessel("Capsule-LSP");
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 3),
            (std::vector<std::string>{"STATUS Landed Earth", "POS 12.0000000 34.0000000", "HEADING 56.00"}));
}

TEST_F(SeparationTest, LongNamesKeepTheSuffixWholeWithinTheHostLimit) {
  const std::string longName(244, 'c');  // the longest a scenario's line NAME:tarva_2016 holds
  Load(std::string("LSPACTI 1\n"), false, longName);
  sim->pressKey(longName, OAPI_KEY_J, {OAPI_KEY_LALT});
  ASSERT_EQ(sim->created().size(), 1u);
  const std::string &name = sim->created()[0].name;
  EXPECT_EQ(name.size(), 255u);
  EXPECT_EQ(name, std::string(242, 'c') + "-DescentStage");
  EXPECT_FALSE(Warned());

  // A name that fits is used whole.
  const std::string fitting(255 - 4, 'f');
  Load("LAUNCHL 1\nRPOS 0 6471001 0\n");
  VESSELSTATUS vs{};
  sim->vessel("Capsule").iface()->GetStatus(vs);
  oapiCreateVessel(fitting.c_str(), "tarva_2016", vs);  // a name longer than a scenario's line holds
  sim->pressKey(fitting, OAPI_KEY_J, {OAPI_KEY_LALT});
  ASSERT_EQ(sim->created().size(), 2u);
  EXPECT_EQ(sim->created()[1].name, std::string(242, 'f') + "-DescentStage");
  EXPECT_FALSE(Warned());
}

}  // namespace
}  // namespace capsuletest
