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

TEST(Scenario, OrbitingVesselsArePlacedByRposAloneAndWrittenAsTheSimulatorWritesThem) {
  Sim s;
  s.load(ship("A:HostProbe", {"STATUS Orbiting Moon", "RPOS 0 0 1737900", "RVEL 1 -2 3", "AROT 90 0 -45",
                              "VROT 0 10 0", "PRPLEVEL 0:0.25", "NOTE mine", "FOREIGN 1 2"}) +
         ship("B:HostProbe", {"STATUS Orbiting Earth", "RPOS 0 6371000 0", "ALT 2"}));
  const vhost::MotionRecord &m = s.rec("A").motion;
  EXPECT_FALSE(m.landed);
  EXPECT_EQ(m.body, "Moon");
  EXPECT_NEAR(m.altitude, 500, 1e-6);
  EXPECT_DOUBLE_EQ(m.arot.z, -45 * RAD);
  EXPECT_DOUBLE_EQ(m.vrot.y, 10 * RAD);
  EXPECT_DOUBLE_EQ(s.rec("A").propellant[0].mass, 125);  // a quarter of the 500 kg tank
  // ALT is no altitude in orbit: it lands where VROT keeps its first number.
  EXPECT_DOUBLE_EQ(s.rec("B").motion.vrot.x, 2);
  EXPECT_NEAR(s.rec("B").motion.altitude, 0, 1e-6);
  EXPECT_DOUBLE_EQ(s.rec("B").propellant[0].mass, 0);  // no PRPLEVEL: empty
  // FOREIGN went to the host, which does not know it: a module's lines are
  // its own to write, so the host drops it rather than writing it twice.
  EXPECT_EQ(s.sim.saveVessel("A"),
            (std::vector<std::string>{"STATUS Orbiting Moon", "RPOS 0.000 0.000 1737900.000", "RVEL 1.0000 -2.0000 3.0000",
                                      "AROT 90.000 0.000 -45.000", "VROT 0.0000 10.0000 0.0000", "PRPLEVEL 0:0.250000",
                                      "NAVFREQ 0 0", "NOTE mine", "PROBE_SAVED 1"}));
  EXPECT_TRUE(s.sim.warnings().empty());
}

TEST(Scenario, LandedVesselsStandWherePosAndHeadingSay) {
  Sim s;
  s.load(ship("A:HostProbe", {"STATUS Landed Earth", "POS 90 45", "HEADING 30", "ALT 99"}) +
         ship("B:HostPassive", {"STATUS Landed Moon", "POS 10 0", "AROT 0 0 0", "ALT 12.5"}));
  const vhost::MotionRecord &a = s.rec("A").motion;
  EXPECT_TRUE(a.landed);
  // Without an AROT the vessel stands level on its touchdown points (3 m
  // below its centre here), ALT aside.
  EXPECT_NEAR(a.altitude, 3, 1e-9);
  const VECTOR3 up = a.rpos / length(a.rpos);
  EXPECT_NEAR(up.x, 0, 1e-12);
  EXPECT_NEAR(up.y, std::sqrt(0.5), 1e-12);
  EXPECT_NEAR(up.z, std::sqrt(0.5), 1e-12);
  VECTOR3 forward, top;
  s.vi("A")->GlobalRot(_V(0, 0, 1), forward);
  s.vi("A")->GlobalRot(_V(0, 1, 0), top);
  EXPECT_NEAR(length(top - up), 0, 1e-9);
  const VECTOR3 north = _V(0, std::sqrt(0.5), -std::sqrt(0.5)), east = _V(-1, 0, 0);
  EXPECT_NEAR(length(forward - (north * std::cos(30 * RAD) + east * std::sin(30 * RAD))), 0, 1e-9);
  const std::vector<std::string> lines = s.sim.saveVessel("A");
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 4),
            (std::vector<std::string>{"STATUS Landed Earth", "POS 90.0000000 45.0000000", "HEADING 30.00", "ALT 3.000"}));
  // With an AROT after STATUS: that attitude, and ALT the height.
  EXPECT_DOUBLE_EQ(s.rec("B").motion.altitude, 12.5);
  EXPECT_EQ(length(s.rec("B").motion.arot), 0);
}

TEST(Scenario, AttitudeAnglesTurnAsTheSdkDocumentsThem) {
  Sim s;
  s.load(ship("A:HostPassive", {"RPOS 0 6371000 0", "AROT 0 -90 0"}));
  VECTOR3 g;
  // R = Rx Ry Rz with Ry(b) rows (cos b, 0, -sin b), (0, 1, 0), (sin b, 0, cos b).
  s.vi("A")->GlobalRot(_V(0, 0, 1), g);
  EXPECT_NEAR(g.x, 1, 1e-12);
  EXPECT_NEAR(g.z, 0, 1e-12);
}

TEST(Scenario, SavedScenarioLoadsToTheSameState) {
  std::string first, second;
  {
    Sim s;
    s.load(ship("Base:HostPassive", {"STATUS Landed Moon"}) +
           ship("A:HostProbe", {"STATUS Orbiting Earth", "ALT 12345.678", "RVEL 0.1 -7.25 0", "AROT 33.3 -12 7",
                                "ATTACHED 0:1,Base", "NOTE keep me"}));
    s.sim.setAltitude("Base", 0);
    s.sim.step();  // the child follows
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

TEST(Scenario, BadValuesAreTakenAsFarAsTheyReadAndSaid) {
  Sim s;
  s.load(ship("A:HostPassive", {"RPOS 1 6371000", "RVEL 1 2 x", "ATTACHED 0,1:X"}) +
         ship("A:HostPassive", {"STATUS Landed Mars"}));
  const vhost::MotionRecord &m = s.rec("A").motion;
  EXPECT_DOUBLE_EQ(m.rpos.y, 6371000);  // the numbers that read are taken
  EXPECT_DOUBLE_EQ(m.rvel.y, 2);
  ASSERT_EQ(s.sim.vessels().size(), 2u);  // two of a name: both, the first found by it
  EXPECT_TRUE(s.sim.vessels()[1]->record().motion.landed);  // landed, on the body there is
  std::vector<std::string> said;
  for (const vhost::Warning &w : s.sim.warnings()) said.push_back(w.message.substr(0, 11));
  EXPECT_EQ(said, (std::vector<std::string>{"test.scn:3:", "test.scn:4:", "test.scn:5:", "a vessel na",
                                            "test.scn:8:"}));
}

TEST(Scenario, WhereTheSimulatorWouldStopTheLoadIsAnErrorWithFileAndLine) {
  expectError("BEGIN_SHIPS\nJustAName\nEND\nEND_SHIPS\n", 2, "class JustAName has no class configuration file");
  expectError("BEGIN_SHIPS\nA:HostPassive\nEND\n\nB:HostPassive\nEND\nEND_SHIPS\n", 4, "blank or comment line");
  expectError("BEGIN_SHIPS\nA:HostPassive\nEND\n; B next\nB:HostPassive\nEND\nEND_SHIPS\n", 4, "blank or comment");
  expectError("BEGIN_SHIPS\nA:HostPassive\n  RPOS 0 0 0\nEND_SHIPS\n", 4, "END");
  expectError("BEGIN_SHIPS\nA:HostPassive\n  RPOS 0 0 0\n", 2, "END");
  expectError("BEGIN_SHIPS\n" + std::string(256, 'x') + ":HostPassive\nEND\nEND_SHIPS\n", 2, "255");
  expectError("BEGIN_SHIPS\nA:HostPassive\n  NOTE " + std::string(260, 'x') + "\nEND\nEND_SHIPS\n", 2, "255");
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
  expectError("; flights\n\nbegin_ships\nend_ships\n", 3, "no vessel");
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

TEST(Scenario, TheSimulatorsOwnLayoutLoadsAndSavesWithEveryBlock) {
  const std::string crlf =
      "BEGIN_DESC\r\nA landing; see below\r\nEND_DESC\r\n\r\nBEGIN_ENVIRONMENT\r\n  System Sol\r\n  Date MJD 60000.25 ; noon\r\n"
      "  Help Landing\r\nEND_ENVIRONMENT\r\n\r\nBEGIN_FOCUS\r\n  Ship b\r\nEND_FOCUS\r\n\r\n"
      "BEGIN_CAMERA\r\n  TARGET B\r\n  MODE Extern\r\nEND_CAMERA\r\n\r\n"
      "BEGIN_MFD Left\r\n  TYPE Orbit\r\nEND_MFD\r\nBEGIN_MFD Right\r\nEND_MFD\r\n"
      "; Caf\xe9 \xc3\xa9t\xe9\t\f\r\n"  // Latin-1 and UTF-8 text, a tab and a page break
      "Begin_Ships\r\nA:HostPassive ; the base\r\n  status landed moon\r\nend\r\nB:HostPassive\r\n  STATUS Landed Moon\r\n"
      "\r\n  ; nothing\r\nEND\r\nend_ships\r\n"
      "BEGIN_ExtMFD\r\nEND_ExtMFD\r\n";
  for (const std::string &text : {crlf, "\xEF\xBB\xBF" + crlf}) {
    std::string saved;
    {
    Sim s;
    s.sim.loadScenario(text, "editor.scn");
    ASSERT_EQ(s.sim.vessels().size(), 2u);
    EXPECT_TRUE(s.rec("A").motion.landed);
    EXPECT_EQ(s.rec("A").motion.body, "Earth");  // "moon": body names keep their case
    EXPECT_EQ(s.sim.focus(), &s.sim.vessel("A"));  // "Ship b": the focus's name keeps it too
    EXPECT_NEAR(oapiGetSimMJD(), 60000.25, 1e-9);
    saved = s.sim.saveScenario();
    }
    for (const char *block : {"BEGIN_DESC\nA landing; see below\nEND_DESC\n", "  System Sol\n  Date MJD 60000.2500000000\n",
                              "  Help Landing\n", "BEGIN_FOCUS\n  Ship A\nEND_FOCUS\n", "BEGIN_CAMERA\n  TARGET B\n",
                              "BEGIN_MFD Left\n  TYPE Orbit\nEND_MFD\n\nBEGIN_MFD Right\nEND_MFD\n",
                              "END_SHIPS\n\nBEGIN_ExtMFD\nEND_ExtMFD\n"})
      EXPECT_NE(saved.find(block), std::string::npos) << block << "\n" << saved;
    vhost::Simulation again(probeOptions());
    again.loadScenario(saved, "saved.scn");
    EXPECT_EQ(again.saveScenario(), saved);
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
