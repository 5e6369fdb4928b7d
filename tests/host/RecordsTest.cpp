// What the host records of a vessel's configuration, and its index and
// handle rules.
#include <cmath>

#include "HostTest.h"

using hosttest::ship;
using hosttest::Sim;

TEST(Records, ClassCapsAreRecordedAsGiven) {
  Sim s;
  s.load(ship("A:HostProbe", {"PRPLEVEL 0:1"}));
  const vhost::VesselRecord &r = s.rec("A");
  EXPECT_DOUBLE_EQ(r.size, 5);
  EXPECT_DOUBLE_EQ(r.cw[1], 0.9);
  ASSERT_EQ(r.thrusters.size(), 3u);
  EXPECT_DOUBLE_EQ(r.thrusters[2].maxThrust, 300);
  EXPECT_EQ(r.thrusters[2].propellant, 0);
  EXPECT_EQ(r.defaultPropellant, 0);
  EXPECT_DOUBLE_EQ(r.propellant[0].mass, 500);  // -1 means full
  EXPECT_EQ(r.thrusterGroups[THGROUP_MAIN].thrusters, (std::vector<int>{0, 1}));
  EXPECT_FALSE(r.thrusterGroups[THGROUP_RETRO].exists);
  ASSERT_EQ(r.exhausts.size(), 4u);
  EXPECT_EQ(r.exhausts[3].thruster, 0);
  EXPECT_EQ(r.exhausts[3].texture, "probe_flame");
  EXPECT_EQ(r.meshes[0].name, "probe_a");
  EXPECT_DOUBLE_EQ(r.meshes[1].offset.y, 1);
  ASSERT_EQ(r.animations.size(), 2u);
  const vhost::ComponentRecord &child = r.animations[1].components[0];
  EXPECT_EQ(child.kind, 2);
  EXPECT_EQ(child.parentAnimation, 0);
  EXPECT_EQ(child.parentComponent, 0);
  EXPECT_EQ(r.animations[0].components[0].kind, 1);
  EXPECT_DOUBLE_EQ(r.animations[1].state, 0.5);
  ASSERT_EQ(r.lights.size(), 1u);
  EXPECT_EQ(r.lights[0]->GetType(), LightEmitter::LT_SPOT);
  EXPECT_EQ(r.touchdownPoints.size(), 3u);
  EXPECT_DOUBLE_EQ(s.vi("A")->GetMass(), 1500);
}

TEST(Records, DeletedMeshLeavesAnEmptySlotTheNextMeshFills) {
  Sim s;
  s.load(ship("A:HostProbe"));
  VESSEL *v = s.vi("A");
  const vhost::VesselRecord &r = s.rec("A");
  // The probe's rotation (animation 0) moves mesh 0; the translation below
  // it (animation 1) moves mesh 1.
  v->SetAnimation(0, 0.7);
  v->SetAnimation(1, 0.4);
  EXPECT_TRUE(v->DelMesh(1, true));  // the animation is kept
  EXPECT_EQ(r.animations[1].liveComponents(), 1u);
  EXPECT_FALSE(v->DelMesh(1));  // gone: no, quietly
  EXPECT_TRUE(s.sim.warnings().empty());
  EXPECT_EQ(v->AddMesh(oapiLoadMeshGlobal("probe_e")), 1u);  // fills the slot
  EXPECT_EQ(v->AddMesh(static_cast<MESHHANDLE>(nullptr)), 4u);  // a mesh not found still takes an index
  EXPECT_EQ(v->GetMeshCount(), 5u);

  // Deleting mesh 0 takes its rotation and the translation hanging below
  // it; both animations, left without components, are reset to 0.
  EXPECT_TRUE(v->DelMesh(0));
  EXPECT_EQ(r.animations[0].liveComponents(), 0u);
  EXPECT_EQ(r.animations[1].liveComponents(), 0u);
  EXPECT_DOUBLE_EQ(r.animations[1].state, 0);
  EXPECT_DOUBLE_EQ(r.animations[1].defaultState, 0);
  EXPECT_TRUE(v->SetAnimation(1, 0.2));  // the index stays valid
  EXPECT_EQ(v->GetAnimation(7), -1.0);
  EXPECT_EQ(v->GetMeshCount(), 5u);
  EXPECT_TRUE(s.sim.warnings().empty());

  // A visibility change on the empty slot would crash the real host.
  v->SetMeshVisibilityMode(0, MESHVIS_ALWAYS);
  ASSERT_EQ(s.sim.warnings().size(), 1u);
  EXPECT_EQ(s.sim.warnings()[0].call, "SetMeshVisibilityMode");
  EXPECT_NE(s.sim.warnings()[0].message.find("mesh 0 was deleted"), std::string::npos);
  v->SetMeshVisibilityMode(9, MESHVIS_ALWAYS);  // past the list: ignored quietly
  EXPECT_EQ(s.sim.warnings().size(), 1u);
}

TEST(Records, ExhaustsAreKnownByTheirIdentifier) {
  Sim s;
  s.load(ship("A:HostProbe"));
  VESSEL *v = s.vi("A");
  const std::vector<vhost::ExhaustRecord> &e = s.rec("A").exhausts;
  EXPECT_TRUE(v->DelExhaust(1));
  ASSERT_EQ(e.size(), 3u);
  EXPECT_EQ(e[1].id, 2u);  // the others keep theirs
  EXPECT_FALSE(v->DelExhaust(1));
  EXPECT_TRUE(v->DelExhaust(3));
  // The next is one above the last one's: 3 is given again.
  EXPECT_EQ(v->AddExhaust(nullptr, 1, 1), 3u);
  EXPECT_EQ(e.back().thruster, -1);
  // Deleting 0..n-1 by position misses the identifiers past the count.
  DWORD n = v->GetExhaustCount();
  int removed = 0;
  for (DWORD i = 0; i < n; ++i) removed += v->DelExhaust(i) ? 1 : 0;
  EXPECT_EQ(removed, 2);
  ASSERT_EQ(e.size(), 1u);
  EXPECT_EQ(e[0].id, 3u);
  EXPECT_TRUE(s.sim.warnings().empty());
}

TEST(Records, BeaconIsReadThroughThePluginsPointer) {
  Sim s;
  s.load(ship("A:HostProbe"));
  VESSEL *v = s.vi("A");
  VECTOR3 pos = _V(1, 2, 3), col = _V(0, 1, 0);
  BEACONLIGHTSPEC b{BEACONSHAPE_COMPACT, &pos, &col, 1, 0.5, 0, 0, 0, false};
  v->AddBeacon(&b);
  const std::vector<BEACONLIGHTSPEC *> &list = s.rec("A").beacons;
  ASSERT_EQ(list.size(), 2u);
  b.active = true;
  pos.y = 7;
  EXPECT_TRUE(list[1]->active);
  EXPECT_DOUBLE_EQ(list[1]->pos->y, 7);
  EXPECT_TRUE(v->DelBeacon(&b));
  EXPECT_FALSE(v->DelBeacon(&b));
  ASSERT_EQ(list.size(), 1u);
  v->ClearBeacons();
  EXPECT_TRUE(list.empty());
}

TEST(Records, ThrusterGroupsAreDeletedAndRebuilt) {
  Sim s;
  s.load(ship("A:HostProbe"));
  VESSEL *v = s.vi("A");
  EXPECT_FALSE(v->DelThrusterGroup(THGROUP_RETRO));
  EXPECT_TRUE(v->DelThrusterGroup(THGROUP_MAIN));
  EXPECT_NE(v->GetThrusterGroupHandle(THGROUP_MAIN), nullptr);  // a standard type's slot, empty
  EXPECT_EQ(v->GetGroupThrusterCount(THGROUP_MAIN), 0u);
  EXPECT_EQ(s.rec("A").thrusters.size(), 3u);  // kept
  EXPECT_TRUE(s.sim.warnings().empty());
  EXPECT_TRUE(v->DelThrusterGroup(THGROUP_HOVER, true));
  EXPECT_TRUE(s.rec("A").thrusters[2].deleted);
}

TEST(Records, PropellantAndThrusterHandlesAreChecked) {
  Sim s;
  s.load(ship("A:HostProbe") + ship("B:HostProbe"));
  VESSEL *a = s.vi("A");
  VESSEL *b = s.vi("B");
  PROPELLANT_HANDLE pa = a->CreatePropellantResource(10, 4);
  b->SetPropellantMass(pa, 1);  // another vessel's handle
  EXPECT_TRUE(s.warned("SetPropellantMass"));
  EXPECT_DOUBLE_EQ(a->GetPropellantMass(pa), 4);
  PROPELLANT_HANDLE gone = pa;
  a->DelPropellantResource(pa);
  EXPECT_EQ(pa, nullptr);
  std::size_t warnings = s.sim.warnings().size();
  a->SetPropellantMass(gone, 3);  // deleted: ignored quietly
  EXPECT_EQ(s.sim.warnings().size(), warnings);
  EXPECT_EQ(a->GetPropellantCount(), 1u);
}

TEST(Records, ATankHoldsNoMoreThanItsCapacity) {
  Sim s;
  s.load(ship("A:HostProbe"));
  VESSEL *a = s.vi("A");
  PROPELLANT_HANDLE tank = a->CreatePropellantResource(7000);
  a->SetPropellantMaxMass(tank, 900);  // made smaller: what is above spills
  EXPECT_DOUBLE_EQ(a->GetPropellantMass(tank), 900);
  a->SetPropellantMaxMass(tank, 2000);  // made larger: the contents stay
  EXPECT_DOUBLE_EQ(a->GetPropellantMass(tank), 900);
  EXPECT_TRUE(s.sim.warnings().empty());
  const double outside[] = {2500, -1, std::nan("")};
  const double held[] = {2000, 0, 0};
  for (int i = 0; i < 3; ++i) {
    a->SetPropellantMass(tank, outside[i]);
    EXPECT_DOUBLE_EQ(a->GetPropellantMass(tank), held[i]);
  }
  EXPECT_EQ(s.sim.warnings().size(), 3u);
  EXPECT_TRUE(s.warned("SetPropellantMass"));
}

TEST(Records, AnimationNeverCreatedIsAWarning) {
  Sim s;
  s.load(ship("A:HostProbe"));
  VESSEL *v = s.vi("A");
  EXPECT_TRUE(v->SetAnimation(1, 0.75));
  EXPECT_DOUBLE_EQ(s.rec("A").animations[1].state, 0.75);
  EXPECT_FALSE(v->SetAnimation(2, 0.5));
  ASSERT_EQ(s.sim.warnings().size(), 1u);
  EXPECT_EQ(s.sim.warnings()[0].call, "SetAnimation");
  EXPECT_EQ(s.sim.warnings()[0].vessel, "A");
}

TEST(Records, MisuseByAPluginIsRecordedNeverFatal) {
  Sim s;
  s.load(ship("A:HostProbe", {"BOGUS"}));
  for (const char *call : {"SetAnimation", "SetMeshVisibilityMode", "SetThrusterIsp", "oapiVCRegisterHUD",
                           "oapiWriteScenario_string", "AddExhaust", "SetAttachmentParams", "oapiGetVesselInterface"})
    EXPECT_TRUE(s.warned(call)) << call;
  EXPECT_EQ(s.sim.warnings().size(), 8u);  // the group and the port asked for are no misuse
  for (const vhost::Warning &w : s.sim.warnings()) {
    EXPECT_EQ(w.vessel, "A");
    EXPECT_DOUBLE_EQ(w.t, 0);
    EXPECT_FALSE(w.message.empty());
  }
  EXPECT_EQ(s.rec("A").exhausts.size(), 4u);
}

TEST(Records, FramesAgreeWithPositionAttitudeAndVelocity) {
  Sim s;
  s.load(ship("A:HostPassive", {"STATUS Orbiting Earth", "RPOS 0 6372000 0", "AROT 0 0 90", "RVEL 1 2 3"}));
  VESSEL *v = s.vi("A");
  const vhost::MotionRecord &m = s.rec("A").motion;
  VECTOR3 g, rel, local;
  v->GlobalRot(_V(1, 0, 0), g);
  EXPECT_NEAR(g.x, 0, 1e-12);
  EXPECT_NEAR(g.y, -1, 1e-12);  // AROT 0 0 90 turns x into -y: the SDK's angles turn the frame, not the vector
  v->Local2Rel(_V(1, 0, 0), rel);
  EXPECT_NEAR(length(rel - (m.rpos + g)), 0, 1e-6);
  v->Global2Local(rel, local);
  EXPECT_NEAR(local.x, 1, 1e-9);
  MATRIX3 R;
  v->GetRotationMatrix(R);
  MATRIX3 shown = s.sim.vessel("A").rotation();
  for (int i = 0; i < 9; ++i) EXPECT_DOUBLE_EQ(R.data[i], shown.data[i]);
  VESSELSTATUS vs;
  v->GetStatus(vs);
  EXPECT_DOUBLE_EQ(vs.rvel.z, 3);
  EXPECT_DOUBLE_EQ(vs.arot.z, 90 * RAD);
  EXPECT_EQ(vs.status, 0);
  EXPECT_EQ(vs.rbody, oapiGetObjectByName(const_cast<char *>("Earth")));
  EXPECT_DOUBLE_EQ(v->GetAltitude(), 1000);
}

TEST(Records, DockingAndContactAreWhatTheApiSet) {
  Sim s;
  s.load(ship("A:HostProbe", {"STATUS Landed Moon"}));
  VESSEL *v = s.vi("A");
  EXPECT_EQ(v->DockingStatus(0), 0u);
  s.sim.setDockingStatus("A", 0, true);
  EXPECT_EQ(v->DockingStatus(0), 1u);
  EXPECT_EQ(v->DockingStatus(5), 0u);
  EXPECT_THROW(s.sim.setDockingStatus("A", 3, true), std::out_of_range);
  EXPECT_TRUE(v->GroundContact());
  s.sim.setGroundContact("A", false);
  EXPECT_FALSE(v->GroundContact());
  EXPECT_FALSE(s.sim.vessel("A").groundContact());
  s.sim.clearGroundContact("A");
  EXPECT_TRUE(v->GroundContact());
}
