// Scenario text: the host's own lines read and written back, errors with
// their file and line, saved attachments restored.
#include <cmath>

#include "HostTest.h"

using hosttest::probeOptions;
using hosttest::ship;
using hosttest::ships;
using hosttest::Sim;

namespace {

void expectError(const std::string &text, int line, const std::string &part) {
  vhost::Simulation sim(probeOptions());
  try {
    sim.loadScenario(text, "bad.scn");
    ADD_FAILURE() << "no error for:\n" << text;
  } catch (const vhost::ScenarioError &e) {
    EXPECT_EQ(e.file(), "bad.scn");
    EXPECT_EQ(e.line(), line) << e.what();
    EXPECT_NE(std::string(e.what()).find(part), std::string::npos) << e.what();
    EXPECT_EQ(std::string(e.what()).rfind("bad.scn:" + std::to_string(line) + ": ", 0), 0u) << e.what();
  }
}

}  // namespace

TEST(Scenario, HostLinesAreReadThroughTheHostsParser) {
  Sim s;
  s.load(ship("A:HostProbe", {"STATUS Orbiting Moon", "RPOS 0 0 1737900", "RVEL 1 -2 3", "AROT 90 0 -45",
                              "VROT 0 10 0", "NOTE mine", "FOREIGN 1 2"}));
  const vhost::MotionRecord &m = s.rec("A").motion;
  EXPECT_FALSE(m.landed);
  EXPECT_EQ(m.body, "Moon");
  EXPECT_NEAR(m.altitude, 500, 1e-6);
  EXPECT_DOUBLE_EQ(m.rvel.y, -2);
  EXPECT_DOUBLE_EQ(m.arot.x, 90 * RAD);
  EXPECT_DOUBLE_EQ(m.arot.z, -45 * RAD);
  EXPECT_DOUBLE_EQ(m.vrot.y, 10 * RAD);
  std::vector<std::string> lines = s.sim.saveVessel("A");
  const std::vector<std::string> expected = {
      "STATUS Orbiting Moon", "RPOS 0 0 1737900", "RVEL 1 -2 3", "AROT 90 0 -45", "VROT 0 10 0",
      "ALT 500",              "NOTE mine",        "PROBE_SAVED 1"};
  // FOREIGN went to the host, which does not know it: a module's lines are
  // its own to write, so the host drops it rather than writing it twice.
  EXPECT_EQ(lines, expected);
  EXPECT_TRUE(s.sim.warnings().empty());
}

TEST(Scenario, AltitudeWinsOverPositionAndKeepsThemConsistent) {
  Sim s;
  s.load(ship("A:HostPassive", {"STATUS Landed Earth", "RPOS 3 4 0", "ALT 100"}));
  const vhost::MotionRecord &m = s.rec("A").motion;
  EXPECT_TRUE(m.landed);
  EXPECT_DOUBLE_EQ(m.altitude, 100);
  EXPECT_NEAR(length(m.rpos), 6371100, 1e-6);
  EXPECT_NEAR(m.rpos.x / m.rpos.y, 0.75, 1e-12);  // along the given direction
}

TEST(Scenario, SavedScenarioLoadsToTheSameState) {
  std::string first, second;
  {
    Sim s;
    s.load(ship("Base:HostPassive", {"STATUS Landed Moon"}) +
           ship("A:HostProbe", {"STATUS Orbiting Earth", "ALT 12345.678", "RVEL 0.1 -7.25 0", "AROT 33.3 -12 7",
                                "ATTACHED 0:1,Base", "NOTE keep me"}));
    s.sim.setAltitude("Base", 0);
    first = s.sim.saveScenario();
  }
  {
    vhost::Simulation sim(probeOptions());
    sim.loadScenario(first, "saved.scn");
    second = sim.saveScenario();
  }
  EXPECT_EQ(first, second);
  EXPECT_NE(first.find("  ATTACHED 0:1,Base\n"), std::string::npos);
  EXPECT_NE(first.find("  NOTE keep me\n  PROBE_SAVED 1\nEND\n"), std::string::npos);
}

TEST(Scenario, SaveRaisesAnEvent) {
  Sim s;
  s.load(ship("A:HostPassive"));
  s.sim.saveScenario();
  ASSERT_FALSE(s.events.empty());
  EXPECT_EQ(s.events.back().what, "scenario saved");
}

TEST(Scenario, BadTextIsAnErrorWithFileAndLine) {
  expectError("BEGIN_SHIPS\nA:HostPassive\n  RPOS 1 2\nEND\nEND_SHIPS\n", 3, "RPOS");
  expectError("BEGIN_SHIPS\nA:HostPassive\n  RVEL 1 2 x\nEND\nEND_SHIPS\n", 3, "RVEL");
  expectError("BEGIN_SHIPS\nA:HostProbe\n  ALT high\nEND\nEND_SHIPS\n", 3, "ALT");
  expectError("BEGIN_SHIPS\nA:HostPassive\n  STATUS Landed Mars\nEND\nEND_SHIPS\n", 3, "Mars");
  expectError("BEGIN_SHIPS\nA:HostPassive\n  STATUS Hovering Earth\nEND\nEND_SHIPS\n", 3, "Hovering");
  expectError("BEGIN_SHIPS\nA:HostPassive\n  ATTACHED 0,1:X\nEND\nEND_SHIPS\n", 3, "ATTACHED");
  expectError("BEGIN_SHIPS\nJustAName\nEND\nEND_SHIPS\n", 2, ":CLASS");
  expectError("BEGIN_SHIPS\nA:HostPassive\n  RPOS 0 0 0\nEND_SHIPS\n", 4, "END");
  expectError("BEGIN_SHIPS\nA:HostPassive\n  RPOS 0 0 0\n", 2, "END");
  expectError("BEGIN_SHIPS\nA:HostPassive\nEND\nA:HostPassive\nEND\nEND_SHIPS\n", 4, "twice");
  expectError("BEGIN_SHIPS\n" + std::string(256, 'x') + ":HostPassive\nEND\nEND_SHIPS\n", 2, "255");
  expectError("BEGIN_SHIPS\nA:HostPassive\n  ATTACHED 0:0,Nobody\nEND\nEND_SHIPS\n", 3, "Nobody");
  expectError("BEGIN_SHIPS\nA:HostPassive\nEND\nB:HostPassive\n  ATTACHED 0:5,A\nEND\nEND_SHIPS\n", 5, "5");
  // Vessels hanging on themselves or on each other would climb a point's
  // length every frame.
  expectError("BEGIN_SHIPS\nA:HostPassive\n  ATTACHED 0:0,A\nEND\nEND_SHIPS\n", 3, "own point");
  expectError("BEGIN_SHIPS\nA:HostPassive\n  ATTACHED 0:0,B\nEND\nB:HostPassive\n  ATTACHED 0:0,A\nEND\nEND_SHIPS\n", 6,
              "hangs below");
}

TEST(Scenario, OtherBlocksAreReadPast) {
  Sim s;
  s.sim.loadScenario("BEGIN_DESC\nA:NotAVessel\nEND_DESC\n; comment\nBEGIN_SHIPS\nA:HostPassive\nEND\nEND_SHIPS\n",
                     "x.scn");
  EXPECT_EQ(s.sim.vessels().size(), 1u);
}

TEST(Scenario, TextWithNothingToFlyIsAnError) {
  expectError("BEGIN_SHIPS\nEND_SHIPS\n", 1, "no vessel");
  expectError("; flights\n\nBEGIN_SHIPS\n; none yet\n\nEND_SHIPS\n", 3, "no vessel");
  expectError("BEGIN_SHIPS\nEND_SHIPS\nBEGIN_SHIPS\nEND_SHIPS\n", 1, "no vessel");
  // A block left open swallows what follows: say so rather than that there is no BEGIN_SHIPS.
  expectError("BEGIN_DESC\nflight\nBEGIN_SHIPS\nA:HostPassive\nEND\nEND_SHIPS\n", 1, "END_DESC");
  // Bytes that are not text, at the line they are on, wherever they are.
  expectError("BEGIN_SHIPS\nA:HostPassive\n  NOTE a" + std::string(1, '\0') + "b\nEND\nEND_SHIPS\n", 3, "0x00");
  expectError("\x7f" "ELF\x02\x01\x01", 1, "0x02");
  expectError("BEGIN_SHIPS\nA:HostPassive\nEND\nEND_SHIPS\n\x1b[31m\n", 5, "0x1B");
  for (const std::string &text : {std::string(), std::string("\n\n"), std::string("root:x:0:0:root:/root:/bin/bash\n"),
                                  std::string("BEGIN_SHIP\nA:HostPassive\nEND\nEND_SHIP\n")}) {
    vhost::Simulation sim(probeOptions());
    try {
      sim.loadScenario(text, "none.scn");
      ADD_FAILURE() << "no error for: " << text;
    } catch (const vhost::ScenarioError &e) {
      EXPECT_EQ(e.line(), 0) << text;
      EXPECT_EQ(std::string(e.what()), "none.scn: no BEGIN_SHIPS block: nothing to fly") << text;
    }
    EXPECT_TRUE(sim.vessels().empty());
  }
}

TEST(Scenario, ScenariosAsEditorsAndTheHostWriteThemLoad) {
  const std::string crlf =
      "BEGIN_DESC\r\nA landing; see below\r\nEND_DESC\r\n\r\nBEGIN_ENVIRONMENT\r\n  System Sol\r\nEND_ENVIRONMENT\r\n"
      "BEGIN_MFD Left\r\n  TYPE Orbit\r\nEND_MFD\r\nBEGIN_MFD Right\r\nEND_MFD\r\n"
      "; Caf\xe9 \xc3\xa9t\xe9\t\f\r\n"  // Latin-1 and UTF-8 text, a tab and a page break
      "BEGIN_SHIPS\r\n; the base\r\n\r\nA:HostPassive\r\n  STATUS Landed Moon\r\nEND\r\nEND_SHIPS\r\n"
      "BEGIN_ExtMFD\r\nEND_ExtMFD\r\n";
  for (const std::string &text : {crlf, "\xEF\xBB\xBF" + crlf}) {
    Sim s;
    s.sim.loadScenario(text, "editor.scn");
    ASSERT_EQ(s.sim.vessels().size(), 1u);
    EXPECT_TRUE(s.rec("A").motion.landed);
  }
}

TEST(Scenario, BadAttachmentBlockNamesTheClassFile) {
  // Too few numbers; a vector so long that a child on it would be placed at
  // infinity.
  for (const std::string cls : {"HostBadAttachment", "HostFarAttachment"}) {
    SCOPED_TRACE(cls);
    vhost::Simulation sim(probeOptions());
    try {
      sim.loadScenario(ships(ship("A:" + cls)), "x.scn");
      FAIL() << "no error";
    } catch (const vhost::ScenarioError &e) {
      EXPECT_NE(e.file().find(cls + ".cfg"), std::string::npos);
      EXPECT_EQ(e.line(), 2);
    }
  }
}

TEST(Scenario, SavedAttachmentIsRestoredBeforePostCreation) {
  Sim s;
  s.load(ship("Kid:HostProbe", {"ATTACHED 0:1,Base"}) + ship("Base:HostPassive"));
  const vhost::VesselRecord &kid = s.rec("Kid");
  const vhost::VesselRecord &base = s.rec("Base");
  ASSERT_EQ(kid.attachments[1].attached, &s.sim.vessel("Base"));  // PROBE_P, the kid's point for a parent
  EXPECT_EQ(kid.attachments[1].attachedPoint, 1);                  // Base's SIDE
  EXPECT_EQ(base.attachments[1].attached, &s.sim.vessel("Kid"));
  EXPECT_EQ(base.attachments[1].attachedPoint, 1);
}
