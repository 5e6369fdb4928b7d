// The spotlight's keys: single presses and input boxes, held keys for aim
// and intensity, with their limits.
#include <cmath>

#include "SpotlightTestSupport.h"

using namespace spottest;

TEST(SpotlightKeys, BufferedTableAndInputBoxes) {
  auto sim = Load(Scenario());
  struct Box {
    DWORD key;
    const char *title;
    int width;
    const char *answer;
  } boxes[] = {
      {OAPI_KEY_V, "Enter Parent Name & Att.Point Index", 40, "Mast"},
      {OAPI_KEY_N, "Enter Range(m)", 30, "100"},
      {OAPI_KEY_M, "Enter Spread Angle(deg)", 30, "30"},
  };
  for (const Box &b : boxes) {
    SCOPED_TRACE(b.title);
    EXPECT_EQ(sim->pressKey("Spot", b.key), 1);
    const vhost::InputBoxRecord *box = sim->inputBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->title, b.title);
    EXPECT_EQ(box->width, b.width);
    EXPECT_EQ(box->initial, "");
    EXPECT_TRUE(sim->answerInputBox(b.answer));
    EXPECT_EQ(sim->inputBox(), nullptr);
  }
  EXPECT_NE(Spot(*sim).attachments.at(0).attached, nullptr);
  // Shift refuses every key but V; Alt is not looked at.
  EXPECT_EQ(sim->pressKey("Spot", OAPI_KEY_B, {OAPI_KEY_LSHIFT}), 0);
  EXPECT_FALSE(Light(*sim).IsActive());
  EXPECT_EQ(sim->pressKey("Spot", OAPI_KEY_B, {OAPI_KEY_RALT}), 1);
  EXPECT_TRUE(Light(*sim).IsActive());
  EXPECT_EQ(sim->pressKey("Spot", OAPI_KEY_A), 0);
  EXPECT_EQ(sim->pressKey("Spot", OAPI_KEY_V, {OAPI_KEY_RSHIFT}), 1);
  EXPECT_EQ(sim->inputBox(), nullptr);
  EXPECT_EQ(Spot(*sim).attachments.at(0).attached, nullptr);
  EXPECT_EQ(MastPoint(*sim, 0).attached, nullptr);
}

TEST(SpotlightKeys, LampStateOtherThanOnOrOffIsKeptButTheKeyConsumed) {
  auto sim = Load(Scenario("  SPT 2 300 0.3\n"));
  EXPECT_EQ(sim->pressKey("Spot", OAPI_KEY_B), 1);
  EXPECT_FALSE(Light(*sim).IsActive());
  EXPECT_EQ(SavedLine(*sim, "SPT").substr(0, 6), "SPT 2 ");
}

TEST(SpotlightInput, RangeAndSpreadAreBoundedAndNonNumbersRefused) {
  struct Case {
    DWORD key;
    const char *text;
    double range, penumbra;
  } cases[] = {
      {OAPI_KEY_N, "0.5", 1, 0},      {OAPI_KEY_N, "250000", 100000, 0}, {OAPI_KEY_N, "far", 1, 0},
      {OAPI_KEY_N, "75.5", 75.5, 0},  {OAPI_KEY_M, "5", 0, 0.17453292519943295},
      {OAPI_KEY_M, "150", 0, 120 * 0.017453292519943295}, {OAPI_KEY_M, "", 0, 0.17453292519943295},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.text);
    auto sim = Load(Scenario());
    sim->pressKey("Spot", c.key);
    EXPECT_TRUE(sim->answerInputBox(c.text));
    if (c.range > 0) {
      EXPECT_DOUBLE_EQ(Light(*sim).GetRange(), c.range);
    }
    if (c.penumbra > 0) {
      EXPECT_DOUBLE_EQ(Light(*sim).GetPenumbra(), c.penumbra);
    }
  }
  auto sim = Load(Scenario());
  sim->pressKey("Spot", OAPI_KEY_N);
  EXPECT_FALSE(sim->answerInputBox("nan"));
  EXPECT_NE(sim->inputBox(), nullptr);
  EXPECT_DOUBLE_EQ(Light(*sim).GetRange(), 300);
}

TEST(SpotlightIntensity, JDimsKBrightensOnlyWhileOnWithinLimits) {
  auto sim = Load(Scenario());
  Hold(*sim, {OAPI_KEY_J}, 50);  // lamp off: nothing
  EXPECT_DOUBLE_EQ(Light(*sim).GetIntensity(), 1);
  sim->pressKey("Spot", OAPI_KEY_B);
  Hold(*sim, {OAPI_KEY_K}, 50);  // already full
  EXPECT_DOUBLE_EQ(Light(*sim).GetIntensity(), 1);
  Hold(*sim, {OAPI_KEY_J, OAPI_KEY_K}, 125);  // both held: only dims, 2.5 s
  EXPECT_NEAR(Light(*sim).GetIntensity(), 0.5, 1e-9);
  Hold(*sim, {OAPI_KEY_K}, 100);  // 2 s
  EXPECT_NEAR(Light(*sim).GetIntensity(), 0.9, 1e-9);
  EXPECT_NEAR(Beacon(*sim).size, std::sqrt(300.0) * 0.02 * 0.9, 1e-9);
  Hold(*sim, {OAPI_KEY_J}, 500);
  EXPECT_DOUBLE_EQ(Light(*sim).GetIntensity(), 0);
}

TEST(SpotlightAim, ElevationClampsWithShiftAndArrows) {
  auto sim = Load(Scenario());
  Hold(*sim, {OAPI_KEY_UP}, 20);  // no Shift: no aim
  EXPECT_DOUBLE_EQ(Spot(*sim).animations.at(0).state, 0.5);
  Hold(*sim, {OAPI_KEY_LSHIFT, OAPI_KEY_UP}, 500);
  EXPECT_DOUBLE_EQ(Spot(*sim).animations.at(0).state, 1.0);
  ExpectVec(Light(*sim).GetDirection(), 0, 1, 0);
  Hold(*sim, {OAPI_KEY_RSHIFT, OAPI_KEY_DOWN, OAPI_KEY_UP}, 10);  // Up wins
  EXPECT_DOUBLE_EQ(Spot(*sim).animations.at(0).state, 1.0);
}

TEST(SpotlightAim, AzimuthWrapsWithoutAJumpInTheBeam) {
  struct Case {
    const char *gbl;
    DWORD key;
    int frames;
    double expected;
  } cases[] = {
      {"GBL 0.5 0.99\n", OAPI_KEY_RIGHT, 5, 0.01},
      {"GBL 0.5 0.005\n", OAPI_KEY_LEFT, 2, 0.997},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.gbl);
    auto s = Load(Scenario(std::string("  ") + c.gbl));
    VECTOR3 last = Light(*s).GetDirection();
    s->holdKeys("Spot", {OAPI_KEY_LSHIFT, c.key});
    for (int i = 0; i < c.frames; ++i) {
      s->step();
      const double azimuth = Spot(*s).animations.at(1).state;
      EXPECT_GE(azimuth, 0.0);
      EXPECT_LE(azimuth, 1.0);
      // 0.004 turn per frame is a 0.025 rad step of the beam, never more.
      const VECTOR3 now = Light(*s).GetDirection();
      EXPECT_LT(length(now - last), 0.03);
      last = now;
    }
    EXPECT_NEAR(Spot(*s).animations.at(1).state, c.expected, 1e-9);
  }
}
