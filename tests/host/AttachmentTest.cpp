// Attachment points: creating, attaching, refusals, detaching, parameters.
#include "HostTest.h"

using hosttest::ship;
using hosttest::Sim;

namespace {

struct Attach : ::testing::Test {
  void SetUp() override {
    s.load(ship("Kid:HostProbe") + ship("Base:HostPassive") + ship("Other:HostProbe"));
    kid = s.vi("Kid");
    base = s.vi("Base");
    mount = base->GetAttachmentHandle(false, 0);
    side = base->GetAttachmentHandle(false, 1);
    kidUp = kid->GetAttachmentHandle(true, 0);
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
  ASSERT_TRUE(base->AttachChild(kid->GetHandle(), side, kidUp));
  EXPECT_EQ(base->GetAttachmentStatus(side), kid->GetHandle());
  EXPECT_EQ(kid->GetAttachmentStatus(kidUp), base->GetHandle());
  const vhost::VesselRecord &b = s.rec("Base");
  const vhost::VesselRecord &k = s.rec("Kid");
  EXPECT_EQ(b.attachments[1].attached, &s.sim.vessel("Kid"));
  EXPECT_EQ(b.attachments[1].attachedPoint, 1);
  EXPECT_EQ(k.attachments[1].attachedPoint, 1);
  // The child sits on the parent's point.
  VECTOR3 where;
  base->Local2Rel(_V(1, 0, 0), where);
  EXPECT_NEAR(length(k.motion.rpos - where), 0, 1e-6);
  EXPECT_EQ(s.sim.saveVessel("Kid")[6], "ATTACHED 0:1,Base");
}

TEST_F(Attach, TakenPointsSelfAndCyclesAreRefused) {
  ASSERT_TRUE(base->AttachChild(kid->GetHandle(), side, kidUp));
  VESSEL *other = s.vi("Other");
  ATTACHMENTHANDLE otherUp = other->GetAttachmentHandle(true, 0);
  EXPECT_FALSE(base->AttachChild(other->GetHandle(), side, otherUp));  // point taken
  EXPECT_FALSE(base->AttachChild(kid->GetHandle(), mount, kidUp));     // child already hangs
  EXPECT_FALSE(kid->AttachChild(kid->GetHandle(), kid->GetAttachmentHandle(false, 0), kidUp));  // itself
  // Base hanging on Kid would make a loop.
  EXPECT_FALSE(kid->AttachChild(base->GetHandle(), kid->GetAttachmentHandle(false, 0),
                                base->GetAttachmentHandle(true, 0)));
  EXPECT_TRUE(s.sim.warnings().empty());  // refusals, not misuse
  // A point of the wrong direction is misuse.
  EXPECT_FALSE(base->AttachChild(other->GetHandle(), otherUp, mount));
  EXPECT_TRUE(s.warned("AttachChild"));
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
  EXPECT_NEAR(s.rec("Kid").motion.altitude, 251, 1e-6);  // MOUNT is 1 m up
}
