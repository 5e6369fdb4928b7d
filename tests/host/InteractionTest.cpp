// Keys, input boxes, the debug line, the virtual cockpit, the HUD and the
// visual's materials.
#include "HostTest.h"

using hosttest::ship;
using hosttest::Sim;

TEST(Interaction, BufferedKeysSeeModifiersAndHeldKeys) {
  Sim s;
  s.load(ship("A:HostProbe"));
  EXPECT_EQ(s.sim.pressKey("A", OAPI_KEY_K), 1);
  EXPECT_EQ(s.events.back().what, "key K consumed");
  EXPECT_EQ(s.sim.pressKey("A", OAPI_KEY_S), 0);
  EXPECT_EQ(s.sim.pressKey("A", OAPI_KEY_S, {OAPI_KEY_RSHIFT}), 1);
  EXPECT_EQ(s.events.back().what, "key RShift+S consumed");
  s.sim.holdKeys("A", {OAPI_KEY_LSHIFT});
  EXPECT_EQ(s.sim.pressKey("A", OAPI_KEY_S), 1);
  EXPECT_THROW(s.sim.pressKey("Nobody", OAPI_KEY_K), std::out_of_range);
  EXPECT_EQ(s.sim.pressKey("A", OAPI_KEY_A), 0);
}

TEST(Interaction, HeldKeysReachTheDirectKeyCallbackEveryFrame) {
  Sim s;
  s.load(ship("A:HostProbe") + ship("B:HostProbe"));
  s.sim.holdKeys("A", {OAPI_KEY_H});
  for (int i = 0; i < 5; ++i) s.sim.step();
  EXPECT_DOUBLE_EQ(s.rec("A").animations[1].state, 0.05);
  EXPECT_DOUBLE_EQ(s.rec("A").animations[0].state, 0);
  EXPECT_DOUBLE_EQ(s.rec("B").animations[1].state, 0.5);  // its own keys only
  s.sim.holdKeys("A", {OAPI_KEY_H, OAPI_KEY_LSHIFT});
  s.sim.step();
  EXPECT_DOUBLE_EQ(s.rec("A").animations[0].state, 1);
  s.sim.releaseKeys();
  s.sim.step();
  EXPECT_DOUBLE_EQ(s.rec("A").animations[1].state, 0.06);
}

TEST(Interaction, InputBoxClosesOnlyWhenItsCallbackSaysSo) {
  Sim s;
  s.load(ship("A:HostProbe"));
  EXPECT_EQ(s.sim.inputBox(), nullptr);
  EXPECT_FALSE(s.sim.answerInputBox("nobody asked"));
  ASSERT_EQ(s.sim.pressKey("A", OAPI_KEY_I), 1);
  const vhost::InputBoxRecord *box = s.sim.inputBox();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(box->title, "Probe input");
  EXPECT_EQ(box->width, 25);
  EXPECT_EQ(box->initial, "start");
  EXPECT_FALSE(s.sim.answerInputBox("keep"));
  EXPECT_STREQ(s.sim.debugString(), "input A keep");  // text and user data arrived
  ASSERT_NE(s.sim.inputBox(), nullptr);
  EXPECT_TRUE(s.sim.answerInputBox(""));
  EXPECT_STREQ(s.sim.debugString(), "input A ");
  EXPECT_EQ(s.sim.inputBox(), nullptr);
  bool opened = false;
  for (const vhost::Event &e : s.events) opened |= e.what == "input box \"Probe input\" opened";
  EXPECT_TRUE(opened);
}

TEST(Interaction, InputBoxOfADeletedVesselCloses) {
  Sim s;
  s.load(ship("A:HostProbe"));
  s.sim.pressKey("A", OAPI_KEY_I);
  oapiDeleteVessel(s.sim.vessel("A").handle());
  s.sim.step();
  EXPECT_EQ(s.sim.inputBox(), nullptr);
  EXPECT_FALSE(s.sim.answerInputBox("x"));
}

TEST(Interaction, DebugLineChangesAreEvents) {
  Sim s;
  s.load(ship("A:HostProbeLog"));
  char *line = oapiDebugString();
  ASSERT_EQ(line, s.sim.debugString());
  std::size_t before = s.debugLines().size();
  s.sim.step();
  EXPECT_EQ(s.debugLines().size(), before + 3);  // pre-step, post-step, direct keys
  EXPECT_EQ(s.events.back().vessel, "A");
}

TEST(Interaction, VirtualCockpitRegistersOnlyInsideLoadVC) {
  Sim s;
  s.load(ship("A:HostProbe") + ship("B:HostProbe"));
  s.sim.setFocus("B");
  EXPECT_TRUE(s.sim.loadVC(4));
  EXPECT_EQ(s.sim.cockpitMode(), COCKPIT_VIRTUAL);
  EXPECT_EQ(s.sim.vcPosition(), 4);
  EXPECT_EQ(s.sim.vcNeighbours()[0], 3);
  EXPECT_EQ(s.sim.vcNeighbours()[1], 5);
  const vhost::VcRecord &vc = s.rec("B").vc;
  EXPECT_TRUE(vc.hasHud);
  EXPECT_EQ(vc.hud.ngroup, 2u);
  ASSERT_EQ(vc.mfds.size(), 1u);
  EXPECT_EQ(vc.mfds[0].second.ngroup, 3u);
  EXPECT_FALSE(s.rec("A").vc.hasHud);
  VCHUDSPEC hud = {0, 0, _V(0, 0, 0), 1};
  oapiVCRegisterHUD(&hud);
  EXPECT_TRUE(s.warned("oapiVCRegisterHUD"));
}

TEST(Interaction, HudTextIsRecordedWithPositionAndColour) {
  Sim s;
  s.load(ship("A:HostProbe"));
  EXPECT_TRUE(s.sim.drawHud("A", 1920, 1080));
  const std::vector<vhost::HudTextRecord> &hud = s.rec("A").hud;
  ASSERT_EQ(hud.size(), 1u);
  EXPECT_EQ(hud[0].text, "probe 1920x1080");
  EXPECT_EQ(hud[0].x, 10);
  EXPECT_EQ(hud[0].y, 20);
  EXPECT_EQ(hud[0].colour, 0x66FF66u);
  EXPECT_EQ(s.rec("A").hudNavDisplay, 0);
  EXPECT_TRUE(s.sim.warnings().empty());
  oapiSetDefNavDisplay(1);  // outside the drawing
  EXPECT_TRUE(s.warned("oapiSetDefNavDisplay"));
}

TEST(Interaction, MaterialsBelongToTheVisual) {
  Sim s;
  s.load(ship("A:HostProbe"));
  s.sim.setVisual("A", true);
  const std::vector<vhost::MaterialRecord> &mats = s.rec("A").materials;
  ASSERT_EQ(mats.size(), 1u);
  EXPECT_EQ(mats[0].mesh, 0u);
  EXPECT_EQ(mats[0].index, 1);
  EXPECT_FLOAT_EQ(mats[0].material.emissive.g, 1);
  VESSEL *v = s.vi("A");
  s.sim.setVisual("A", false);
  EXPECT_TRUE(mats.empty());
  EXPECT_TRUE(s.sim.warnings().empty());
  MATERIAL m{};
  EXPECT_EQ(oapiSetMaterial(nullptr, 0, &m), 1);
  EXPECT_TRUE(s.warned("oapiSetMaterial"));
  EXPECT_EQ(v->GetDevMesh(nullptr, 0), nullptr);
  EXPECT_TRUE(s.warned("GetDevMesh"));
}

TEST(Interaction, CockpitLoadsStartAfreshAndFallThroughRefusedModes) {
  Sim s;
  s.load(ship("A:HostProbe") + ship("P:HostPassive"));
  // The first cockpit, loaded once the vessels exist: generic, whose default
  // looks straight ahead.
  EXPECT_EQ(s.sim.cockpitMode(), COCKPIT_GENERIC);
  EXPECT_DOUBLE_EQ(s.rec("A").cameraDirection.z, 1);
  EXPECT_TRUE(s.sim.loadVC(4));  // position 0 first, then 4
  EXPECT_EQ(s.sim.vcNeighbours()[0], 3);
  // The passive vessel takes the focus: it has no virtual cockpit, so the
  // generic one, with nothing of the old one left.
  s.sim.setFocus("P");
  EXPECT_EQ(s.sim.cockpitMode(), COCKPIT_GENERIC);
  EXPECT_EQ(s.sim.vcPosition(), -1);
  EXPECT_EQ(s.sim.vcNeighbours()[0], -1);
  EXPECT_FALSE(s.rec("A").vc.hasHud);
  // Panel, then virtual, then generic.
  s.sim.setCockpitMode(COCKPIT_PANELS);
  EXPECT_EQ(s.sim.cockpitMode(), COCKPIT_GENERIC);
  EXPECT_FALSE(s.sim.loadVC(0));
  // Back to the probe: its cockpit is loaded in the mode there is.
  s.sim.setFocus("A");
  EXPECT_EQ(s.sim.cockpitMode(), COCKPIT_GENERIC);
  EXPECT_TRUE(s.sim.warnings().empty());
}

TEST(Interaction, KeysReachOnlyTheFocusAndNoneWhileAnInputBoxIsOpen) {
  Sim s;
  s.load(ship("A:HostProbeLog") + ship("B:HostProbeLog"));
  EXPECT_EQ(s.sim.pressKey("B", OAPI_KEY_K), 1);  // B is given the focus first
  EXPECT_EQ(s.sim.focus(), &s.sim.vessel("B"));
  EXPECT_EQ(s.events.back().what, "key K consumed");
  EXPECT_EQ(s.sim.pressKey("B", OAPI_KEY_I), 1);  // opens a box
  s.events.clear();
  EXPECT_EQ(s.sim.pressKey("B", OAPI_KEY_K), 0);
  EXPECT_TRUE(s.sim.keyboardTaken());
  s.sim.holdKeys("B", {OAPI_KEY_H});
  s.sim.step();
  for (const std::string &line : s.debugLines()) EXPECT_EQ(line.find("Key"), std::string::npos) << line;
  for (const std::string &line : s.debugLines()) EXPECT_EQ(line.find("DirectKey"), std::string::npos) << line;
  s.sim.answerInputBox("done");
  s.events.clear();
  s.sim.step();  // the held key counts again from the frame after the box closed
  EXPECT_EQ(s.debugLines().back(), "DirectKey B 0.04");
}
