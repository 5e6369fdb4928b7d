// The spotlight's input boxes answered with text nobody should type: empty,
// blanks, names far beyond the host's limit, negative and huge indices,
// nan, numbers with junk. An answer is either taken or refused; the lamp
// and its parent stay sound either way.
#include "BadInputSupport.h"

namespace badinput {
namespace {

struct Answer {
  std::string text;
  bool taken;
};

// Answers the box that key opens; returns what the callback said. A box
// whose answer was refused stays open.
bool answer(vhost::Simulation &sim, DWORD key, const std::string &text) {
  sim.pressKey("V", key);
  EXPECT_NE(sim.inputBox(), nullptr);
  if (!sim.inputBox()) return false;
  const bool taken = sim.answerInputBox(text);
  EXPECT_EQ(sim.inputBox() == nullptr, taken) << "the box closes exactly when the text is taken";
  return taken;
}

TEST(BadInputBoxes, AttachAnswersTakeOnlyAFreePointOfAnExistingVessel) {
  const std::string longName(300, 'M');
  const Answer answers[] = {
      {"", false},
      {"   \t ", false},
      {longName + " 0", false},
      {std::string(100000, 'A'), false},
      {"Mast -1", false},
      {"Mast 3", false},
      {"Mast 99999999999999999999", false},
      {"Mast -99999999999999999999", false},
      {"Earth 0", false},
      {"V 0", false},
      {"NoSuchVessel 0", false},
      {"Mast nan", true},   // no index reads as point 0
      {"Mast 1junk", true},
      {"  Mast\t2  trailing words", true},
  };
  for (const Answer &a : answers) {
    std::unique_ptr<vhost::Simulation> sim = load(scenario("beamwick2", {}));
    const std::string context = "attach \"" + a.text.substr(0, 40) + "\"";
    EXPECT_EQ(answer(*sim, OAPI_KEY_V, a.text), a.taken) << context;
    const bool attached = sim->vessel("V").record().attachments.at(0).attached != nullptr;
    EXPECT_EQ(attached, a.taken) << context;
    for (int i = 0; i < 5; ++i) sim->step();
    expectSound(*sim, context);
  }
}

TEST(BadInputBoxes, RangeAndSpreadAnswersNeverLeaveTheLampUnsound) {
  const char *const texts[] = {"", " ", "nan", "-nan", "NAN", "inf", "-inf", "1e308", "-1e308", "1e999",
                               "12abc", "0x10", "--5", "+", ".", "1,5", "\xff"};
  for (DWORD key : {OAPI_KEY_N, OAPI_KEY_M})
    for (const char *text : texts) {
      std::unique_ptr<vhost::Simulation> sim = load(scenario("beamwick2", {"SPT 1 50.0 20.0"}));
      sim->step();
      const std::string context = std::string(key == OAPI_KEY_N ? "range" : "spread") + " \"" + text + "\"";
      answer(*sim, key, text);
      answer(*sim, key, std::string(50000, '7'));
      for (int i = 0; i < 5; ++i) sim->step();
      expectSound(*sim, context);
      const SpotLight &light = static_cast<const SpotLight &>(*sim->vessel("V").record().lights.at(0));
      EXPECT_TRUE(std::isfinite(light.GetUmbra()) && std::isfinite(light.GetPenumbra())) << context;
      for (const std::string &line : sim->saveVessel("V"))
        EXPECT_EQ(line.find("nan"), std::string::npos) << context << ": " << line;
    }
}

}  // namespace
}  // namespace badinput
