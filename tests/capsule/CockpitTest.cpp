// The virtual cockpit: viewpoints, their neighbours, and the displays every
// capsule shares.
#include "CapsuleHarness.h"

namespace capsuletest {
namespace {

class CockpitTest : public CapsuleTest {};

TEST_F(CockpitTest, PositionsAndTheWayBackToTheFirst) {
  LoadText("BEGIN_SHIPS\nCapsule:tarva_2016\nEND\nOther:tarva_2016\nEND\nEND_SHIPS\n");
  sim->setCockpitMode(COCKPIT_VIRTUAL);
  const int neighbours[5][4] = {{3, 2, 1, 4}, {-1, -1, -1, 0}, {0, -1, -1, -1}, {-1, 0, -1, -1}, {-1, -1, 0, -1}};
  const double offsets[5][3] = {{-0.3, 1.2, 0}, {-0.4, 1.45, 0.3}, {1.1, 1.1, 0}, {-1.1, 1.1, 0}, {-0.3, -0.1, 0}};
  for (int id = 0; id < 5; ++id) {
    EXPECT_TRUE(sim->loadVC(id));
    for (int d = 0; d < 4; ++d) EXPECT_EQ(sim->vcNeighbours()[d], neighbours[id][d]) << id << " " << d;
    for (int k = 0; k < 3; ++k) EXPECT_EQ(Rec().cameraOffset.data[k], offsets[id][k]);
  }

  // An unknown position keeps the camera; a fresh cockpit has no
  // neighbours, but the displays are registered.
  EXPECT_TRUE(sim->loadVC(7));
  EXPECT_EQ(sim->vcNeighbours()[2], -1);
  EXPECT_EQ(Rec().cameraOffset.x, -0.3);
  const vhost::VcRecord &vc = Rec().vc;
  ASSERT_TRUE(vc.hasHud);
  EXPECT_EQ(vc.hud.nmesh, static_cast<DWORD>(CM_VC));
  EXPECT_EQ(vc.hud.ngroup, 11u);
  EXPECT_EQ(vc.hud.size, 0.15);
  EXPECT_EQ(vc.hud.hudcnt.z, 0.4847243);
  ASSERT_EQ(vc.mfds.size(), 2u);
  EXPECT_EQ(vc.mfds[0].first, 0);
  EXPECT_EQ(vc.mfds[0].second.ngroup, 10u);
  EXPECT_EQ(vc.mfds[1].second.ngroup, 12u);

  // The other capsule's cockpit, loaded as it takes the focus, shows the
  // same displays, from the very same records: one set for the whole module.
  const VCHUDSPEC *hudGiven = vc.hudGiven;
  const std::vector<const VCMFDSPEC *> mfdsGiven = vc.mfdsGiven;
  sim->setFocus("Other");
  EXPECT_FALSE(vc.hasHud);  // the first capsule's cockpit is gone
  EXPECT_EQ(sim->vcPosition(), 0);
  const vhost::VcRecord &other = sim->vessel("Other").record().vc;
  EXPECT_EQ(other.hud.ngroup, 11u);
  ASSERT_NE(hudGiven, nullptr);
  EXPECT_EQ(other.hudGiven, hudGiven);
  ASSERT_EQ(mfdsGiven.size(), 2u);
  EXPECT_EQ(other.mfdsGiven, mfdsGiven);
  EXPECT_NE(mfdsGiven[0], mfdsGiven[1]);
  EXPECT_FALSE(Warned());
}

}  // namespace
}  // namespace capsuletest
