// Loading modules, the order of callbacks, vessels made and removed by
// plug-ins, passive vessels.
#include <algorithm>

#include "HostTest.h"
#include "vhost/ModuleInterface.h"

using hosttest::probeOptions;
using hosttest::ship;
using hosttest::Sim;

TEST(Lifecycle, CallbacksComeInTheHostsOrder) {
  Sim s;
  s.load(ship("A:HostProbeLog") + ship("B:HostProbeLog"));
  s.sim.step();
  const std::vector<std::string> expected = {
      "Init A",           "SetClassCaps A 0.00", "LoadStateEx A 0.00", "Init B",
      "SetClassCaps B 0.00", "LoadStateEx B 0.00", "PostCreation A 0.00", "PostCreation B 0.00",
      "PreStep A 0.00",   "PreStep B 0.00",      "PostStep A 0.02 clock 0.00", "PostStep B 0.02 clock 0.00",
      "DirectKey A 0.02",  // the keyboard is read once the frame is done, by the focus vessel only
  };
  EXPECT_EQ(s.debugLines(), expected);
  s.events.clear();
  s.sim.step();
  EXPECT_EQ(s.debugLines().front(), "PreStep A 0.02");
  EXPECT_EQ(s.debugLines().back(), "DirectKey A 0.04");
}

TEST(Lifecycle, VesselsMadeOrDeletedInAFrameTakePartInItsLaterLoops) {
  Sim s;
  s.load(ship("A:HostProbe", {"SPAWN C HostProbeLog"}) + ship("B:HostProbeLog"));
  s.events.clear();
  s.sim.step();
  // Made in A's post-step: created at once, then its own post-step after B's.
  const std::vector<std::string> expected = {"PreStep B 0.00",      "Init C",          "SetClassCaps C 0.00",
                                             "PostCreation C 0.00", "PostStep B 0.02 clock 0.00", "PostStep C 0.02 clock 0.00"};
  EXPECT_EQ(s.debugLines(), expected);
  // B deleted between frames still flies the next frame, then goes.
  oapiDeleteVessel(s.sim.vessel("B").handle());
  s.events.clear();
  s.sim.step();
  EXPECT_EQ(s.debugLines(), (std::vector<std::string>{"PreStep B 0.02", "PreStep C 0.02", "PostStep B 0.04 clock 0.02",
                                                      "PostStep C 0.04 clock 0.02", "Exit B 0.00"}));
  EXPECT_EQ(s.sim.findVessel("B"), nullptr);
}

TEST(Lifecycle, ModuleInfoComesFromItsExports) {
  Sim s;
  s.load(ship("A:HostProbe") + ship("B:HostProbe"));
  ASSERT_EQ(s.sim.modules().size(), 1u);
  const vhost::ModuleInfo &m = s.sim.modules()[0];
  EXPECT_EQ(m.name, "vhost_probe");
  EXPECT_TRUE(m.hasDate);
  EXPECT_EQ(m.date, "Jan  7 2017");
  EXPECT_TRUE(m.hasVersion);
  EXPECT_EQ(m.version, 20160828);
  EXPECT_TRUE(m.announced);  // InitLib while it was loaded, with its own handle
  EXPECT_TRUE(s.sim.warnings().empty());
  EXPECT_EQ(vhost::Simulation::current(), &s.sim);
  EXPECT_EQ(s.rec("A").module, "vhost_probe");
}

TEST(Lifecycle, InitLibGivenAnotherHandleIsReported) {
  Sim s;
  s.load(ship("A:HostProbeForeign"));
  ASSERT_EQ(s.sim.warnings().size(), 1u);
  const vhost::Warning &w = s.sim.warnings()[0];
  EXPECT_EQ(w.call, "InitLib");
  EXPECT_NE(w.message.find("vhost_probe_foreign.so gave a handle that is not its own"), std::string::npos)
      << w.message;
  EXPECT_TRUE(s.sim.modules().at(0).announced);
}

TEST(Lifecycle, Date2IntReadsCompilerDates) {
  char padded[] = "Jan  7 2017", plain[] = "Aug 28 2016", bad[] = "Foo 12 2016", shortYear[] = "Aug 28 16";
  EXPECT_EQ(Date2Int(padded), 20170107);
  EXPECT_EQ(Date2Int(plain), 20160828);
  EXPECT_EQ(Date2Int(bad), 0);
  EXPECT_EQ(Date2Int(shortYear), 0);
  EXPECT_EQ(Date2Int(nullptr), 0);
}

TEST(Lifecycle, ClassItemsAreReadFromTheClassFile) {
  Sim s;
  s.load(ship("A:HostProbe"));
  const vhost::VesselRecord &r = s.rec("A");
  EXPECT_DOUBLE_EQ(r.cameraOffset.x, 0.25);
  EXPECT_DOUBLE_EQ(r.cameraOffset.z, 2);  // read as written, not clamped
  EXPECT_TRUE(r.enableFocus);              // lower-case key found, value whole
}

TEST(Lifecycle, PassiveVesselKeepsItsStateAndLines) {
  Sim s;
  s.load(ship("P:HostPassive", {"STATUS Orbiting Moon", "RPOS 0 1737900 0", "RVEL 1 2 3", "SOMETHING else 1"}));
  const vhost::VesselRecord &p = s.rec("P");
  EXPECT_EQ(p.module, "");
  EXPECT_EQ(s.sim.vessel("P").plugin(), nullptr);
  ASSERT_NE(s.sim.vessel("P").iface(), nullptr);
  EXPECT_EQ(p.motion.body, "Moon");
  EXPECT_DOUBLE_EQ(p.motion.altitude, 500);
  EXPECT_DOUBLE_EQ(p.emptyMass, 100);
  EXPECT_EQ(p.attachments.size(), 3u);
  // The simulator writes a passive vessel's own lines only.
  std::vector<std::string> lines = s.sim.saveVessel("P");
  EXPECT_EQ(std::find(lines.begin(), lines.end(), "SOMETHING else 1"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "RVEL 1.0000 2.0000 3.0000"), lines.end());
}

TEST(Lifecycle, PluginCreatesVesselDuringAFrame) {
  Sim s;
  s.load(ship("Mother:HostProbe", {"SPAWN Mother-Piece HostPassive", "RVEL 0 0 0"}));
  s.sim.step();
  ASSERT_EQ(s.sim.created().size(), 1u);
  const vhost::CreatedVessel &c = s.sim.created()[0];
  EXPECT_EQ(c.name, "Mother-Piece");
  EXPECT_EQ(c.className, "HostPassive");
  EXPECT_EQ(c.by, "Mother");
  EXPECT_DOUBLE_EQ(c.t, 0.02);  // the post-step's time
  const vhost::MotionRecord &m = s.rec("Mother-Piece").motion;
  // The piece leaves along the mother's -z axis at 0.2 m/s.
  EXPECT_NEAR(m.rvel.z, -0.2, 1e-12);
  EXPECT_EQ(s.sim.vessels().size(), 2u);
  EXPECT_EQ(s.sim.vessels()[1]->record().name, "Mother-Piece");
}

TEST(Lifecycle, CreatedVesselRunsClassCapsAndPostCreationButNoStateReading) {
  Sim s;
  s.load(ship("Mother:HostProbe", {"SPAWN Child HostProbe"}));
  s.sim.step();
  const vhost::VesselRecord &c = s.rec("Child");
  EXPECT_EQ(c.meshes.size(), 4u);  // class caps ran
  EXPECT_EQ(c.module, "vhost_probe");
}

TEST(Lifecycle, OverlongNamesAreRefusedAndSharedOnesWarnedAbout) {
  Sim s;
  s.load(ship("Mother:HostProbe"));
  VESSELSTATUS vs{};
  std::string longName(256, 'n');
  EXPECT_EQ(oapiCreateVessel(longName.c_str(), "HostPassive", vs), nullptr);
  EXPECT_TRUE(s.warned("oapiCreateVessel"));
  EXPECT_NE(oapiCreateVessel("mother", "HostPassive", vs), nullptr);  // two of a name, in any case
  EXPECT_TRUE(s.warned("vessel name"));
  EXPECT_EQ(s.sim.findVessel("MOTHER"), &s.sim.vessel("Mother"));  // names are found in any case, the first
  EXPECT_NE(oapiCreateVessel(std::string(255, 'n').c_str(), "HostPassive", vs), nullptr);
  EXPECT_EQ(s.sim.warnings().size(), 2u);
}

TEST(Lifecycle, VesselDeletedFromAKeyLivesThroughTheNextFrameAndUnloadsTheModule) {
  Sim s;
  s.load(ship("A:HostProbe") + ship("P:HostPassive"));
  EXPECT_EQ(s.sim.pressKey("A", OAPI_KEY_D), 1);
  EXPECT_NE(s.sim.findVessel("A"), nullptr);
  s.sim.step();
  EXPECT_EQ(s.sim.findVessel("A"), nullptr);
  EXPECT_EQ(s.sim.vessels().size(), 1u);
  EXPECT_EQ(s.sim.focus(), &s.sim.vessel("P"));  // the focus passed on
  s.sim.step();  // nothing left to call into
  EXPECT_EQ(s.sim.modules().size(), 1u);  // still listed as having been loaded
}

TEST(Lifecycle, ModuleThatCannotBeLoadedLeavesAPassiveVesselAndSaysSo) {
  Sim s;
  s.sim.loadScenario("BEGIN_SHIPS\nok:HostPassive\nEND\nbad:HostMissingModule\nEND\nEND_SHIPS\n", "m.scn");
  EXPECT_EQ(s.sim.vessel("bad").plugin(), nullptr);
  ASSERT_EQ(s.sim.warnings().size(), 1u);
  EXPECT_EQ(s.sim.warnings()[0].call, "module");
  EXPECT_NE(s.sim.warnings()[0].message.find("vhost_no_such_module"), std::string::npos);
}

TEST(Lifecycle, OnlyOneSimulationAtATime) {
  vhost::Simulation sim(probeOptions());
  EXPECT_THROW(vhost::Simulation second(probeOptions()), std::logic_error);
}
