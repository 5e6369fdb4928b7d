// The vessel the spotlight defines: hull, its attachment point and the two
// head animations as the host holds them.
#include "SpotlightTestSupport.h"

using namespace spottest;

namespace {

const MGROUP_ROTATE &Rotation(const vhost::ComponentRecord &c) {
  EXPECT_EQ(c.kind, 1);
  return *static_cast<const MGROUP_ROTATE *>(c.transform);
}

}  // namespace

TEST(SpotlightDefinition, HullPointMeshAndHeadAnimations) {
  auto sim = Load(Scenario());
  const vhost::VesselRecord &r = Spot(*sim);
  EXPECT_DOUBLE_EQ(r.size, 0.6);
  ExpectVec(r.pmi, 1, 1, 1);
  ExpectVec(r.crossSections, 0.05, 0.05, 0.05);
  ExpectVec(r.rotDrag, 1, 1, 1);
  for (double cw : r.cw) EXPECT_DOUBLE_EQ(cw, 1);
  EXPECT_DOUBLE_EQ(r.visLimit, 0.0001);
  EXPECT_DOUBLE_EQ(r.spotLimit, -1);
  ASSERT_EQ(r.touchdownPoints.size(), 3u);
  ExpectVec(r.touchdownPoints[0].pos, 0, -0.37, 1);
  ExpectVec(r.touchdownPoints[1].pos, -1, -0.37, -1);
  ExpectVec(r.touchdownPoints[2].pos, 1, -0.37, -1);

  ASSERT_EQ(r.attachments.size(), 1u);
  const vhost::AttachmentRecord &gs = r.attachments[0];
  EXPECT_EQ(gs.id, "GS");
  EXPECT_TRUE(gs.toParent);
  EXPECT_FALSE(gs.loose);
  ExpectVec(gs.pos, 0, -0.37, 0);
  ExpectVec(gs.dir, 0, -1, 0);
  ExpectVec(gs.rot, 0, 0, 1);

  ASSERT_EQ(r.meshes.size(), 1u);
  EXPECT_EQ(r.meshes[0].name, "beamwick2");
  EXPECT_EQ(r.meshes[0].visibility, MESHVIS_EXTERNAL);

  // Elevation first (resting level), then azimuth; the tilting parts hang
  // on the turning head.
  ASSERT_EQ(r.animations.size(), 2u);
  EXPECT_DOUBLE_EQ(r.animations[0].defaultState, 0.5);
  EXPECT_DOUBLE_EQ(r.animations[1].defaultState, 0);
  ASSERT_EQ(r.animations[0].components.size(), 1u);
  ASSERT_EQ(r.animations[1].components.size(), 1u);
  const vhost::ComponentRecord &tilt = r.animations[0].components[0];
  const vhost::ComponentRecord &turn = r.animations[1].components[0];
  EXPECT_EQ(tilt.parentAnimation, 1);
  EXPECT_EQ(tilt.parentComponent, 0);
  EXPECT_EQ(turn.parentAnimation, -1);
  for (const vhost::ComponentRecord *c : {&tilt, &turn}) {
    EXPECT_EQ(c->state0, 0);
    EXPECT_EQ(c->state1, 1);
  }

  const MGROUP_ROTATE &head = Rotation(turn);
  EXPECT_EQ(head.mesh, 0u);
  ASSERT_EQ(head.ngrp, 1u);
  EXPECT_EQ(head.grp[0], 0u);
  ExpectVec(head.ref, 0, 0, 0);
  ExpectVec(head.axis, 0, 1, 0);
  EXPECT_EQ(head.angle, 6.2831855f);

  const MGROUP_ROTATE &lamp = Rotation(tilt);
  EXPECT_EQ(lamp.mesh, 0u);
  ASSERT_EQ(lamp.ngrp, 2u);
  EXPECT_EQ(lamp.grp[0], 1u);
  EXPECT_EQ(lamp.grp[1], 3u);
  ExpectVec(lamp.ref, 0, 0, 0);
  ExpectVec(lamp.axis, -1, 0, 0);
  EXPECT_EQ(lamp.angle, 3.1415927f);
  ExpectNoWarnings(*sim);
}
