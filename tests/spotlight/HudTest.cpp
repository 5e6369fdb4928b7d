// The help block on the HUD: its place on wide and 4:3 screens, its text and
// colour, and lines that stay within bounds whatever the values.
#include "SpotlightTestSupport.h"

using namespace spottest;

TEST(SpotlightHud, BlockPlacedForWideAndFourThreeScreens) {
  struct Screen {
    int w, h, x;
    int y[13];
  } screens[] = {
      {1920, 1080, 310, {113, 135, 158, 180, 203, 225, 270, 293, 315, 338, 360, 383, 405}},
      {1024, 768, 10, {167, 183, 199, 215, 231, 247, 279, 295, 311, 327, 343, 359, 375}},
  };
  auto sim = Load(Scenario());
  for (const Screen &s : screens) {
    SCOPED_TRACE(s.w);
    EXPECT_TRUE(sim->drawHud("Spot", s.w, s.h));
    const auto &hud = Spot(*sim).hud;
    ASSERT_EQ(hud.size(), 13u);
    for (size_t i = 0; i < hud.size(); ++i) {
      EXPECT_EQ(hud[i].x, s.x);
      EXPECT_EQ(hud[i].y, s.y[i]) << hud[i].text;
      EXPECT_EQ(hud[i].colour, 0x66FF66u);
    }
  }
}

TEST(SpotlightHud, LinesShowRangeSpreadAndIntensity) {
  auto sim = Load(Scenario("  SPT 1 50 0.5\n"));
  sim->holdKeys("Spot", {OAPI_KEY_J});
  sim->runUntil(0.55);  // 28 frames of dimming: intensity 0.888
  sim->releaseKeys();
  sim->drawHud("Spot", 1024, 768);
  const auto &hud = Spot(*sim).hud;
  ASSERT_EQ(hud.size(), 13u);
  EXPECT_EQ(hud[0].text, "[B] = Spotlight On/Off");
  EXPECT_EQ(hud[1].text, "[N] = Enter Range 50.0m");
  EXPECT_EQ(hud[2].text, "[M] = Enter Spread Angle 28.6\xB0");
  EXPECT_EQ(hud[3].text, "[J]/[K] = -/+ Intensity 88%");
  EXPECT_EQ(hud[6].text, "[Shift]/[Alt]+......");
  EXPECT_EQ(hud[12].text, "[NumPad6] = Rotate Att. +/- Z");
}

TEST(SpotlightHud, HugeValuesStayWithinTheLineBuffer) {
  auto sim = Load(Scenario("  SPT 1 1e300 -1e300\n"));
  EXPECT_TRUE(sim->drawHud("Spot", 1920, 1080));
  for (const auto &line : Spot(*sim).hud) EXPECT_LT(line.text.size(), 256u);
  EXPECT_EQ(Spot(*sim).hud.at(1).text.substr(0, 19), "[N] = Enter Range 1");
}
