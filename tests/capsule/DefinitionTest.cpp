// What a capsule defines in the host before anything moves, where a slip in
// an order or a table would go unseen: mesh slots, flames, thruster groups,
// touchdown suspension, animation chains and the components every capsule
// shares.
#include <cmath>

#include "CapsuleHarness.h"

namespace capsuletest {
namespace {

bool Same(const VECTOR3 &a, const VECTOR3 &b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

class DefinitionTest : public CapsuleTest {};

TEST_F(DefinitionTest, FreshCapsuleIsOrbitalWithItsMeshesInSlotOrder) {
  Load("");
  const vhost::VesselRecord &r = Rec();
  const char *names[] = {"cm",     "cm_burned", "sm_open2", "lsp",    "sm_cover", "shield", "drogue",
                         "brendavel/las", "palette", "cm_vc", "seated", "seated",   "seated", "seated"};
  // The orbital configuration: service module, palette and shield shown,
  // tower gone, LSP and cover not carried.
  const WORD visibility[] = {1, 0, 3, 0, 0, 3, 0, 0, 3, 4, 2, 2, 2, 2};
  ASSERT_EQ(r.meshes.size(), 14u);
  for (int i = 0; i < 14; ++i) {
    const std::string name = i == LAS ? names[i] : std::string("tarvaqel1/") + names[i];
    EXPECT_EQ(r.meshes[i].name, name) << "slot " << i;
    if (i != LAS) {
      EXPECT_EQ(r.meshes[i].visibility, visibility[i]) << "slot " << i;
    }
  }
  EXPECT_TRUE(r.meshes[LAS].deleted);
  EXPECT_TRUE(Same(r.meshes[LAS].offset, _V(0, 0, 8)));
  EXPECT_TRUE(Same(r.meshes[CREW1 + 3].offset, _V(0.4, -1.0, -0.2)));
  EXPECT_FALSE(r.lights[0]->IsActive());  // headlight off, position lights on
  for (int i = 1; i < 5; ++i) EXPECT_TRUE(r.lights[i]->IsActive());
  EXPECT_FALSE(Warned());
}

TEST_F(DefinitionTest, TouchdownSuspensionComesFromTheReferenceMass) {
  Load("");
  const std::vector<TOUCHDOWNVTX> &td = Rec().touchdownPoints;
  ASSERT_EQ(td.size(), 4u);
  for (const TOUCHDOWNVTX &p : td) {
    EXPECT_NEAR(p.stiffness, 655633.2445, 1e-3);
    EXPECT_NEAR(p.damping, 206412.4914, 1e-3);
  }
  EXPECT_EQ(td[2].mu_lng, 30);
  EXPECT_EQ(td[3].mu_lng, 0);
}

TEST_F(DefinitionTest, FlameOnlyThrustersRepeatTheirTwinsAndEveryFlameIsThere) {
  Load("");
  const vhost::VesselRecord &r = Rec();
  ASSERT_EQ(r.thrusters.size(), 40u);
  const int twins[] = {19, 20, 14, 15, 7, 2, 3};  // of T33 to T39
  for (int i = 0; i < 7; ++i) {
    const vhost::ThrusterRecord &t = r.thrusters[33 + i];
    EXPECT_TRUE(Same(t.pos, r.thrusters[twins[i]].pos)) << "T" << 33 + i;
    EXPECT_TRUE(Same(t.dir, r.thrusters[twins[i]].dir)) << "T" << 33 + i;
    EXPECT_EQ(t.maxThrust, 0);
  }
  EXPECT_TRUE(Same(r.thrusters[3].dir, _V(-1, 1, 0) / std::sqrt(2.0)));  // written (-1, 1, 0): the host keeps a unit vector
  EXPECT_EQ(r.thrusters[39].propellant, 0);

  // Main flame first, then T1-T24 and T33-T39; the forward ring has none.
  ASSERT_EQ(r.exhausts.size(), 32u);
  EXPECT_EQ(r.exhausts[0].thruster, 0);
  EXPECT_EQ(r.exhausts[0].texture, "Exhaust2");
  EXPECT_EQ(r.exhausts[0].lofs, 1.0);
  for (int i = 1; i < 32; ++i) {
    EXPECT_EQ(r.exhausts[i].thruster, i <= 24 ? i : i + 8);
    EXPECT_EQ(r.exhausts[i].texture, "exhaust_qel");
  }
}

TEST_F(DefinitionTest, ThrusterGroupsInEveryListOrder) {
  Load("");
  Steps(2);  // rebuilt at every step: the second rebuild must match the first
  const std::vector<int> expected[15] = {
      {0}, {}, {},                                                     // MAIN, no RETRO, no HOVER
      {5, 4, 23, 22, 7, 8, 13, 14},   {17, 16, 11, 10, 1, 2, 19, 20},  // PITCHUP, PITCHDOWN
      {1, 2, 13, 14, 11, 10, 23, 22}, {7, 8, 19, 20, 17, 16, 5, 4},    // YAWLEFT, YAWRIGHT
      {6, 15, 12, 21},                {3, 18, 9, 24},                  // BANKLEFT, BANKRIGHT
      {9, 21, 37, 34, 27, 28},        {3, 39, 15, 36, 25, 26},         // RIGHT, LEFT (T39, not T3 twice)
      {18, 12, 37, 35, 29, 30},       {6, 24, 33, 38, 31, 32},         // UP, DOWN
      {5, 17, 11, 23, 4, 16, 10, 22}, {1, 13, 7, 19, 2, 14, 8, 20},    // FORWARD, BACK
  };
  for (int type = 0; type < 15; ++type) {
    EXPECT_EQ(Rec().thrusterGroups[type].exists, !expected[type].empty()) << "type " << type;
    EXPECT_EQ(Rec().thrusterGroups[type].thrusters, expected[type]) << "type " << type;
  }
  EXPECT_FALSE(Warned());
}

TEST_F(DefinitionTest, AnimationsAndTheirChains) {
  Load("");
  const std::vector<vhost::AnimationRecord> &a = Rec().animations;
  ASSERT_EQ(a.size(), 25u);
  // One hatch on the clean hull, the scorched hull and the cockpit mesh.
  const UINT hatchMeshes[] = {CM, CM, CM_BURNED, CM_BURNED, CM_VC};
  ASSERT_EQ(a[HATCH].components.size(), 5u);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(a[HATCH].components[i].transform->mesh, hatchMeshes[i]);
  EXPECT_EQ(a[MAIN_CHUTE].components.size(), 3u);
  ASSERT_EQ(a[LANDING].components.size(), 4u);
  EXPECT_EQ(a[LANDING].components[0].transform->mesh, static_cast<UINT>(CM_BURNED));

  // Each wing: the hinge over the last tenth, then nine panels, each hung on
  // the one before over a tenth of the travel; group 27 over all of it.
  for (int wing = 0; wing < 2; ++wing) {
    const int hinge = SOLAR1 + 10 * wing;
    const vhost::ComponentRecord &h = a[hinge].components.at(0);
    EXPECT_EQ(h.state0, 0.9);
    EXPECT_EQ(h.parentAnimation, -1);
    EXPECT_FLOAT_EQ(static_cast<const MGROUP_ROTATE *>(h.transform)->angle,
                    static_cast<float>((wing ? -118 : 118) * RAD));
    for (int p = 1; p <= 9; ++p) {
      const vhost::ComponentRecord &c = a[hinge + p].components.at(0);
      EXPECT_NEAR(c.state0, 0.1 * (p - 1), 1e-12);
      EXPECT_NEAR(c.state1, 0.1 * p, 1e-12);
      EXPECT_EQ(c.parentAnimation, hinge + p - 1);
      EXPECT_EQ(c.parentComponent, 0);
    }
  }
  const vhost::ComponentRecord &g27 = a[SOLAR1 + 20].components.at(0);
  EXPECT_EQ(g27.transform->grp[0], 27u);
  EXPECT_EQ(g27.state1 - g27.state0, 1.0);
  EXPECT_EQ(g27.parentAnimation, -1);
}

TEST_F(DefinitionTest, LaterCapsulesShareTheFirstOnesComponents) {
  LoadText("BEGIN_SHIPS\nOne:tarva_2016\nEND\nTwo:tarva_2016\nLAUNCHL 1\nEND\nEND_SHIPS\n");
  const vhost::VesselRecord &one = sim->vessel("One").record();
  const vhost::VesselRecord &two = sim->vessel("Two").record();
  ASSERT_EQ(one.animations.size(), two.animations.size());
  for (std::size_t i = 0; i < one.animations.size(); ++i)
    for (std::size_t c = 0; c < one.animations[i].components.size(); ++c)
      EXPECT_EQ(one.animations[i].components[c].transform, two.animations[i].components[c].transform);
}

TEST_F(DefinitionTest, BeaconsPointAtTheirOwnVectors) {
  Load("");
  const std::vector<BEACONLIGHTSPEC *> &b = Rec().beacons;
  ASSERT_EQ(b.size(), 6u);
  EXPECT_TRUE(Same(*b[2]->pos, *b[3]->pos));
  EXPECT_NE(b[2]->pos, b[3]->pos);
  EXPECT_TRUE(Same(*b[4]->col, _V(0, 0, 0)));
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(b[i]->active);
  EXPECT_EQ(b[5]->shape, BEACONSHAPE_STAR);
  EXPECT_FALSE(b[5]->active);  // the strobe waits for the lights key
}

}  // namespace
}  // namespace capsuletest
