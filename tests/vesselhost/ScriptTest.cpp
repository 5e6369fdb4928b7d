// The script language: what a line means, and that every bad line is
// refused with its line number before anything runs.
#include <gtest/gtest.h>

#include "KeyCombo.h"
#include "Script.h"

using namespace vesselhost;

namespace {

ScriptCommand only(const std::string &text) {
  ScriptParse p = parseScript(text, "t.vhs");
  EXPECT_FALSE(p.error) << p.error->describe();
  EXPECT_EQ(p.script.commands.size(), 1u);
  return p.script.commands.empty() ? ScriptCommand{} : p.script.commands[0];
}

ScriptError errorOf(const std::string &text) {
  ScriptParse p = parseScript(text, "t.vhs");
  EXPECT_TRUE(p.error) << "accepted: " << text;
  return p.error ? *p.error : ScriptError{};
}

}  // namespace

TEST(KeyCombo, ModifiersAndKey) {
  std::string why;
  auto c = parseKeyCombo("Shift+Alt+B", false, &why);
  ASSERT_TRUE(c) << why;
  EXPECT_EQ(c->key, DWORD(OAPI_KEY_B));
  EXPECT_EQ(c->modifiers, (std::vector<DWORD>{OAPI_KEY_LSHIFT, OAPI_KEY_LALT}));
  EXPECT_EQ(c->text, "Shift+Alt+B");

  c = parseKeyCombo("RCtrl+RShift+RAlt+NumPad7", false, &why);
  ASSERT_TRUE(c) << why;
  EXPECT_EQ(c->key, DWORD(OAPI_KEY_NUMPAD7));
  EXPECT_EQ(c->modifiers, (std::vector<DWORD>{OAPI_KEY_RCONTROL, OAPI_KEY_RSHIFT, OAPI_KEY_RALT}));

  struct { const char *name; DWORD code; } keys[] = {
      {"0", OAPI_KEY_0}, {"9", OAPI_KEY_9}, {"Z", OAPI_KEY_Z}, {"NumPad0", OAPI_KEY_NUMPAD0},
      {"Up", OAPI_KEY_UP}, {"Down", OAPI_KEY_DOWN}, {"Left", OAPI_KEY_LEFT}, {"Right", OAPI_KEY_RIGHT},
      {"ctrl+j", OAPI_KEY_J}};
  for (const auto &k : keys) {
    c = parseKeyCombo(k.name, false, &why);
    ASSERT_TRUE(c) << k.name << ": " << why;
    EXPECT_EQ(c->key, k.code) << k.name;
  }
}

TEST(KeyCombo, RefusesWhatIsNotOneKeyWithModifiers) {
  std::string why;
  for (const char *bad : {"", "+", "Alt+", "+J", "Alt++J", "J+K", "Shift+Shift+J", "F1", "NumPad10", "Meta+J", "Alt"})
    EXPECT_FALSE(parseKeyCombo(bad, false, &why)) << bad;
  // A hold may keep modifiers alone down.
  auto c = parseKeyCombo("Shift+Alt", true, &why);
  ASSERT_TRUE(c) << why;
  EXPECT_EQ(c->key, 0u);
  EXPECT_EQ(c->allKeys(), (std::vector<DWORD>{OAPI_KEY_LSHIFT, OAPI_KEY_LALT}));
}

TEST(Script, ReadsEveryCommand) {
  ScriptParse p = parseScript(
      "# a flight\n"
      "\n"
      "at 0 key Lander Alt+J   # trailing comment\n"
      "at 0.5 hold Spot Shift+Up 1.25\n"
      "at 1 altitude Lander 1500.5\n"
      "at 1 contact Lander off\n"
      "at 2 dock Lander 1 on\n"
      "at 2 cockpit vc 3\n"
      "at 2 cockpit panel\n"
      "at 3 focus Spot\n"
      "at 3 visual Spot on\n"
      "at 4 hud Spot 800x600\n"
      "at 5 save out dir/flight.scn\n"
      "\tat   5   state  s.json  \r\n",
      "f.vhs");
  ASSERT_FALSE(p.error) << p.error->describe();
  const auto &c = p.script.commands;
  ASSERT_EQ(c.size(), 12u);
  EXPECT_EQ(c[0].kind, CommandKind::Key);
  EXPECT_EQ(c[0].line, 3);
  EXPECT_EQ(c[0].vessel, "Lander");
  EXPECT_EQ(c[0].combo.text, "Alt+J");
  EXPECT_EQ(c[1].kind, CommandKind::Hold);
  EXPECT_DOUBLE_EQ(c[1].time, 0.5);
  EXPECT_DOUBLE_EQ(c[1].number, 1.25);
  EXPECT_DOUBLE_EQ(c[2].number, 1500.5);
  EXPECT_FALSE(c[3].on);
  EXPECT_EQ(c[4].port, 1);
  EXPECT_TRUE(c[4].on);
  EXPECT_EQ(c[5].cockpitMode, COCKPIT_VIRTUAL);
  EXPECT_TRUE(c[5].hasVcId);
  EXPECT_EQ(c[5].vcId, 3);
  EXPECT_EQ(c[6].cockpitMode, COCKPIT_PANELS);
  EXPECT_FALSE(c[6].hasVcId);
  EXPECT_EQ(c[7].vessel, "Spot");
  EXPECT_TRUE(c[8].on);
  EXPECT_EQ(c[9].width, 800);
  EXPECT_EQ(c[9].height, 600);
  EXPECT_EQ(c[10].text, "out dir/flight.scn");
  EXPECT_EQ(c[11].text, "s.json");
  EXPECT_EQ(c[11].line, 14);
  EXPECT_DOUBLE_EQ(p.script.lastTime(), 5);
}

TEST(Script, InputTakesTheRestOfTheLine) {
  EXPECT_EQ(only("at 1 input Lander 2").text, "Lander 2");
  EXPECT_EQ(only("at 1 input").text, "");
  EXPECT_EQ(only("at 1 input ").text, "");
  EXPECT_EQ(only("at 1 input   padded  \r").text, "  padded  ");
  EXPECT_EQ(only("at 1 input  done   # the answer ends here").text, " done");
  EXPECT_EQ(only("at 1 input#nothing").text, "");
}

TEST(Script, DrawTakesAVesselAndTheRestAsTheFile) {
  const ScriptCommand c = only("at 2 draw Lander  pictures/lander ascent.svg  # after lift-off");
  EXPECT_EQ(c.kind, CommandKind::Draw);
  EXPECT_EQ(c.vessel, "Lander");
  EXPECT_EQ(c.text, "pictures/lander ascent.svg");
}

TEST(Script, BadLinesNameTheirLine) {
  struct Case {
    const char *text;
    const char *says;  // part of the message
  };
  const Case cases[] = {
      {"at 1 jump Lander", "unknown command \"jump\""},
      {"key Lander J", "expected \"at TIME COMMAND"},
      {"at x key Lander J", "bad number \"x\""},
      {"at -1 key Lander J", "bad number \"-1\""},
      {"at nan key Lander J", "bad number"},
      {"at inf key Lander J", "bad number"},
      {"at 1e999 key Lander J", "bad number"},
      {"at 1.5s key Lander J", "bad number \"1.5s\""},
      {"at", "needs a time"},
      {"at 1", "command is missing"},
      {"at 1 # key Lander J", "command is missing"},
      {"at 1 key Lander", "needs more arguments"},
      {"at 1 key Lander J K", "too many arguments"},
      {"at 1 key Lander F13", "unknown key \"F13\""},
      {"at 1 key Lander Alt", "names no key"},
      {"at 1 hold Lander J", "needs more arguments"},
      {"at 1 hold Lander J 0", "seconds to hold"},
      {"at 1 hold Lander J -2", "seconds to hold"},
      {"at 1 altitude Lander high", "bad number \"high\""},
      {"at 1 altitude Lander -5", "bad number \"-5\""},
      {"at 1 contact Lander maybe", "expected on or off"},
      {"at 1 dock Lander -1 on", "docking port"},
      {"at 1 dock Lander 1.5 on", "docking port"},
      {"at 1 dock Lander 99999999999 on", "docking port"},
      {"at 1 dock Lander 0 yes", "expected on or off"},
      {"at 1 cockpit outside", "unknown cockpit mode"},
      {"at 1 cockpit panel 2", "only the vc mode"},
      {"at 1 cockpit vc two", "bad number \"two\""},
      {"at 1 visual Lander", "needs more arguments"},
      {"at 1 hud Lander 800", "bad HUD size"},
      {"at 1 hud Lander 0x600", "bad HUD size"},
      {"at 1 hud Lander 800x-1", "bad HUD size"},
      {"at 1 hud Lander 99999999x2", "bad HUD size"},
      {"at 1 focus", "needs more arguments"},
      {"at 1 save", "needs a file name"},
      {"at 1 state   # nothing", "needs a file name"},
      {"at 1 draw Lander", "needs a vessel and a file name"},
      {"at 1 draw", "needs a vessel and a file name"},
  };
  for (const Case &c : cases) {
    const std::string text = "# header\nat 0 focus Lander\n" + std::string(c.text) + "\nat 9 key Lander J\n";
    const ScriptError e = errorOf(text);
    EXPECT_EQ(e.file, "t.vhs") << c.text;
    EXPECT_EQ(e.line, 3) << c.text;
    EXPECT_NE(e.message.find(c.says), std::string::npos) << c.text << " -> " << e.message;
    EXPECT_EQ(e.describe().rfind("t.vhs:3: ", 0), 0u) << e.describe();
  }
}

TEST(Script, HugeAndBinaryLinesAreHandled) {
  const std::string huge(1 << 20, 'x');
  ScriptError e = errorOf("at 1 " + huge);
  EXPECT_EQ(e.line, 1);
  EXPECT_LT(e.message.size(), 300u);  // the token is cut short in the message
  EXPECT_EQ(only("at 1 input " + huge).text, huge);
  e = errorOf(std::string("at 1 key Lander \0\xff", 18));
  EXPECT_EQ(e.line, 1);
}

TEST(Script, VesselsMustExistOrBeSpawnedFromOne) {
  ScriptParse p = parseScript(
      "at 0 key Lander J\n"
      "at 1 altitude Lander-DescentStage 10\n"
      "at 2 hud Lander2 10x10\n",
      "v.vhs");
  ASSERT_FALSE(p.error);
  EXPECT_FALSE(checkVessels(p.script, {"Lander", "Lander2"}));
  // A spawned piece is named after its maker; anything else is a typo.
  std::optional<ScriptError> e = checkVessels(p.script, {"Lander"});
  EXPECT_FALSE(e);  // "Lander2" extends "Lander"
  e = checkVessels(p.script, {"Capsule"});
  ASSERT_TRUE(e);
  EXPECT_EQ(e->line, 1);
  EXPECT_NE(e->message.find("unknown vessel \"Lander\""), std::string::npos);
}
