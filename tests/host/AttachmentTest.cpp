// Attachment points: creating, attaching, refusals, detaching, parameters.
#include <algorithm>
#include <cmath>

#include "HostTest.h"

using hosttest::ship;
using hosttest::Sim;

namespace {

struct Attach : ::testing::Test {
  void SetUp() override {
    s.load(ship("Kid:HostProbe") + ship("Base:HostPassive", {"RPOS 0 6371000 0"}) + ship("Other:HostProbe"));
    kid = s.vi("Kid");
    base = s.vi("Base");
    mount = base->GetAttachmentHandle(false, 0);
    side = base->GetAttachmentHandle(false, 1);
    kidUp = kid->GetAttachmentHandle(true, 0);
  }
  // Base turned, and high enough that no point of it lies below ground.
  void turnBase() {
    s.sim.setAltitude("Base", 100);
    VESSELSTATUS vs;
    base->GetStatus(vs);
    vs.arot = _V(0.3, -1.2, 2.5);
    base->DefSetState(&vs);
  }
  Sim s;
  VESSEL *kid = nullptr, *base = nullptr;
  ATTACHMENTHANDLE mount = nullptr, side = nullptr, kidUp = nullptr;
};

}  // namespace

TEST_F(Attach, PointsAreCountedByDirection) {
  EXPECT_EQ(base->AttachmentCount(false), 2u);
  EXPECT_EQ(base->AttachmentCount(true), 1u);
  EXPECT_STREQ(base->GetAttachmentId(side), "SIDE");
  EXPECT_EQ(base->GetAttachmentIndex(side), 1u);
  EXPECT_EQ(base->GetAttachmentHandle(false, 2), nullptr);
  EXPECT_STREQ(kid->GetAttachmentId(kidUp), "PROBE_P");
}

TEST_F(Attach, ChildHangsOnAParentPointAndBothSidesKnowIt) {
  turnBase();
  ASSERT_TRUE(base->AttachChild(kid->GetHandle(), side, kidUp));
  EXPECT_EQ(base->GetAttachmentStatus(side), kid->GetHandle());
  EXPECT_EQ(kid->GetAttachmentStatus(kidUp), base->GetHandle());
  const vhost::VesselRecord &b = s.rec("Base");
  const vhost::VesselRecord &k = s.rec("Kid");
  EXPECT_EQ(b.attachments[1].attached, &s.sim.vessel("Kid"));
  EXPECT_EQ(b.attachments[1].attachedPoint, 1);
  EXPECT_EQ(k.attachments[1].attachedPoint, 1);
  // The child's point sits on the parent's point, the two facing each other
  // with their rotation vectors alike: SIDE looks along +x with +y up, so
  // the child's PROBE_P (down, 3 m below its centre) looks along -x.
  VECTOR3 parentPoint, childPoint, childDir, childRot;
  base->Local2Rel(_V(1, 0, 0), parentPoint);
  kid->Local2Rel(_V(0, -3, 0), childPoint);
  EXPECT_NEAR(length(childPoint - parentPoint), 0, 1e-6);
  VECTOR3 parentDir, parentRot;
  base->GlobalRot(_V(1, 0, 0), parentDir);
  base->GlobalRot(_V(0, 1, 0), parentRot);
  kid->GlobalRot(_V(0, -1, 0), childDir);
  kid->GlobalRot(_V(0, 0, 1), childRot);
  EXPECT_NEAR(length(childDir + parentDir), 0, 1e-12);
  EXPECT_NEAR(length(childRot - parentRot), 0, 1e-12);
  const std::vector<std::string> lines = s.sim.saveVessel("Kid");
  EXPECT_NE(std::find(lines.begin(), lines.end(), "ATTACHED 0:1,Base"), lines.end());
}

TEST_F(Attach, AnAttachedChildMovesAndWhatTheSimulatorWouldCorruptIsRefused) {
  ASSERT_TRUE(base->AttachChild(kid->GetHandle(), side, kidUp));
  // A child that hangs already is taken off and moves to the new point.
  EXPECT_TRUE(base->AttachChild(kid->GetHandle(), mount, kidUp));
  EXPECT_EQ(base->GetAttachmentStatus(side), nullptr);
  EXPECT_EQ(base->GetAttachmentStatus(mount), kid->GetHandle());
  EXPECT_TRUE(s.sim.warnings().empty());
  // A taken point, a vessel on itself, a loop: each would corrupt the
  // simulator's records, so each is a contract violation here.
  VESSEL *other = s.vi("Other");
  ATTACHMENTHANDLE otherUp = other->GetAttachmentHandle(true, 0);
  EXPECT_FALSE(base->AttachChild(other->GetHandle(), mount, otherUp));
  EXPECT_FALSE(kid->AttachChild(kid->GetHandle(), kid->GetAttachmentHandle(false, 0), kidUp));
  EXPECT_FALSE(kid->AttachChild(base->GetHandle(), kid->GetAttachmentHandle(false, 0),
                                base->GetAttachmentHandle(true, 0)));
  EXPECT_EQ(s.sim.warnings().size(), 3u);
  EXPECT_EQ(base->GetAttachmentStatus(mount), kid->GetHandle());
  // A point of the wrong direction is misuse too.
  EXPECT_FALSE(base->AttachChild(other->GetHandle(), otherUp, mount));
  EXPECT_EQ(s.sim.warnings().size(), 4u);
}

TEST_F(Attach, DetachFreesBothSides) {
  ASSERT_TRUE(base->AttachChild(kid->GetHandle(), side, kidUp));
  EXPECT_TRUE(base->DetachChild(side, 2.0));
  EXPECT_EQ(base->GetAttachmentStatus(side), nullptr);
  EXPECT_EQ(kid->GetAttachmentStatus(kidUp), nullptr);
  EXPECT_EQ(s.rec("Kid").attachments[1].attached, nullptr);
  EXPECT_NEAR(s.rec("Kid").motion.rvel.x, 2.0, 1e-12);  // along SIDE's direction
  EXPECT_FALSE(base->DetachChild(side));
}

TEST_F(Attach, ParametersAreSetAndReadBack) {
  base->SetAttachmentParams(mount, _V(1, 2, 3), _V(0, 0, 2), _V(5, 0, 0));
  VECTOR3 p, d, r;
  base->GetAttachmentParams(mount, p, d, r);
  EXPECT_DOUBLE_EQ(p.z, 3);
  EXPECT_DOUBLE_EQ(d.z, 2);  // not normalised
  EXPECT_DOUBLE_EQ(r.x, 5);
}

TEST_F(Attach, DeletingAPointKeepsTheOtherLinksRight) {
  ASSERT_TRUE(base->AttachChild(kid->GetHandle(), side, kidUp));
  EXPECT_TRUE(base->DelAttachment(mount));
  EXPECT_EQ(base->GetAttachmentStatus(side), kid->GetHandle());
  EXPECT_EQ(s.rec("Kid").attachments[1].attachedPoint, 0);  // SIDE moved to 0
  EXPECT_EQ(base->GetAttachmentStatus(mount), nullptr);      // gone: none, quietly
  EXPECT_TRUE(s.sim.warnings().empty());
  EXPECT_FALSE(base->DelAttachment(kidUp));  // another vessel's point
  EXPECT_TRUE(s.warned("DelAttachment"));
}

TEST_F(Attach, ChildFollowsItsParent) {
  ASSERT_TRUE(base->AttachChild(kid->GetHandle(), mount, kidUp));
  s.sim.setAltitude("Base", 250);
  s.sim.step();
  // MOUNT is 1 m up, the child's point 3 m below its centre.
  EXPECT_NEAR(s.rec("Kid").motion.altitude, 254, 1e-6);
  EXPECT_EQ(length(s.rec("Kid").motion.arot), 0);  // MOUNT and PROBE_P face each other unturned
}

TEST_F(Attach, PointsWithoutAFrameLeaveTheChildUnturned) {
  // A direction of length 0 and a rotation vector along the direction give
  // no frame: the child keeps the parent's attitude, points still together.
  // The simulator would divide by zero there: each is a contract violation.
  turnBase();
  const VECTOR3 degenerate[][2] = {{_V(0, 0, 0), _V(0, 0, 1)}, {_V(0, 2, 0), _V(0, -5, 0)}, {_V(1, 0, 0), _V(0, 0, 0)}};
  for (const auto &dr : degenerate) {
    base->SetAttachmentParams(mount, _V(0, 1, 0), dr[0], dr[1]);
    ASSERT_TRUE(base->AttachChild(kid->GetHandle(), mount, kidUp));
    const vhost::MotionRecord &m = s.rec("Kid").motion;
    EXPECT_EQ(length(m.arot - s.rec("Base").motion.arot), 0);
    VECTOR3 parentPoint, childPoint;
    base->Local2Rel(_V(0, 1, 0), parentPoint);
    kid->Local2Rel(_V(0, -3, 0), childPoint);
    EXPECT_NEAR(length(childPoint - parentPoint), 0, 1e-6);
    EXPECT_TRUE(base->DetachChild(mount));
  }
  ASSERT_EQ(s.sim.warnings().size(), 3u);
  EXPECT_NE(s.sim.warnings()[0].message.find("not at right angles"), std::string::npos);
}

TEST_F(Attach, VectorsThatOverflowAreRefusedAndThePointKept) {
  base->SetAttachmentParams(mount, _V(1, 2, 3), _V(0, 0, 2), _V(5, 0, 0));
  const double inf = HUGE_VAL, nan = std::nan("");
  const VECTOR3 bad[] = {_V(0, 1e200, 0), _V(1e308, 1e308, 1e308), _V(inf, 0, 0), _V(0, nan, 0)};
  for (const VECTOR3 &b : bad) {
    base->SetAttachmentParams(mount, b, _V(0, 1, 0), _V(0, 0, 1));
    base->SetAttachmentParams(mount, _V(0, 0, 0), b, _V(0, 0, 1));
    base->SetAttachmentParams(mount, _V(0, 0, 0), _V(0, 1, 0), b);
  }
  VECTOR3 p, d, r;
  base->GetAttachmentParams(mount, p, d, r);
  EXPECT_EQ(p.z, 3);
  EXPECT_EQ(d.z, 2);
  EXPECT_EQ(r.x, 5);
  EXPECT_EQ(s.sim.warnings().size(), 12u);
  EXPECT_TRUE(s.warned("SetAttachmentParams"));

  const DWORD before = base->AttachmentCount(false);
  EXPECT_EQ(base->CreateAttachment(false, _V(0, 1e155, 0), _V(0, 1, 0), _V(0, 0, 1), "HUGE"), nullptr);
  EXPECT_EQ(base->AttachmentCount(false), before);
  EXPECT_TRUE(s.warned("CreateAttachment"));
}

TEST(AttachmentChain, MovesAsOneWhateverTheOrderOfTheVessels) {
  // Kid hangs on Mid, Mid on Base, and the blocks come child first. Base's
  // MOUNT is 1 m up; each probe has its point for a parent 3 m below its
  // centre and its point for children 3 m above.
  Sim s;
  s.load(ship("Kid:HostProbe", {"ATTACHED 0:0,Mid"}) + ship("Mid:HostProbe", {"ATTACHED 0:0,Base"}) +
         ship("Base:HostPassive", {"STATUS Landed Earth"}));
  const double base = s.rec("Base").motion.altitude;
  EXPECT_NEAR(s.rec("Mid").motion.altitude, base + 4, 1e-6);
  EXPECT_NEAR(s.rec("Kid").motion.altitude, base + 10, 1e-6);
  s.sim.setAltitude("Base", 250);
  s.sim.step();
  EXPECT_NEAR(s.rec("Mid").motion.altitude, 254, 1e-6);
  EXPECT_NEAR(s.rec("Kid").motion.altitude, 260, 1e-6);

  // A chain attached by a module moves at once too.
  VESSEL *base2 = s.vi("Base"), *mid = s.vi("Mid");
  ATTACHMENTHANDLE foot = mid->GetAttachmentHandle(true, 0);
  ASSERT_TRUE(base2->DetachChild(base2->GetAttachmentHandle(false, 0)));
  ASSERT_TRUE(base2->AttachChild(mid->GetHandle(), base2->GetAttachmentHandle(false, 1), foot));  // SIDE, 1 m out
  VECTOR3 midPoint, kidPoint;
  mid->Local2Rel(_V(0, 3, 0), midPoint);
  s.vi("Kid")->Local2Rel(_V(0, -3, 0), kidPoint);
  EXPECT_NEAR(length(midPoint - kidPoint), 0, 1e-6);
  EXPECT_TRUE(s.sim.warnings().empty());
}
