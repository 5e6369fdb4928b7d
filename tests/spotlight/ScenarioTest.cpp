// The spotlight's scenario lines: what a save writes, how lines are read
// back (any case, fields missing or unusable), and the parent point's
// placement restored at the first step after loading.
#include <cmath>

#include "SpotlightTestSupport.h"

using namespace spottest;

TEST(SpotlightScenario, FreshUnattachedSaveWritesDefaultsAndZeroPlacement) {
  auto sim = Load(Scenario());
  EXPECT_EQ(SavedLine(*sim, "SPT"), "SPT 0 300.0000 0.3491");
  EXPECT_EQ(SavedLine(*sim, "PAT"),
            "PAT 0.0000 0.0000 0.0000 0.0000 0.0000 0.0000 0.0000 0.0000 0.0000");
  EXPECT_EQ(SavedLine(*sim, "GBL"), "GBL 0.50000 0.00000");
}

TEST(SpotlightScenario, LinesReadInAnyCaseKeepingMissingAndUnusableFields) {
  const double spread20 = 20 * 0.017453292519943295;
  struct Case {
    const char *lines;
    bool on;
    double range, penumbra, elevation, azimuth;
  } cases[] = {
      {"  spt 1 50\n  gBl 0.25\n", true, 50, spread20, 0.25, 0},
      {"  SPT 0 nan inf\n  GBL inf 0.3\n", false, 300, spread20, 0.5, 0.3},
      {"  SPT 1 0 0.5\n", true, 300, 0.5, 0.5, 0},
      {"  SPT 1 -5 0.5\n  GBL\n", true, 300, 0.5, 0.5, 0},
      // Above zero, but too small for a finite attenuation, or to be saved
      // as anything but zero (which would reload as the default).
      {"  SPT 1 1e-160 0.5\n", true, 300, 0.5, 0.5, 0},
      {"  SPT 1 4.9e-324 0.5\n", true, 300, 0.5, 0.5, 0},
      {"  SPT 1 0.00004 0.5\n", true, 300, 0.5, 0.5, 0},
      {"  SPT 1 0.0001 0.5\n", true, 0.0001, 0.5, 0.5, 0},
      {"  SPT 99999999999 40 x\n", false, 40, spread20, 0.5, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.lines);
    auto sim = Load(Scenario(c.lines));
    const SpotLight &light = Light(*sim);
    EXPECT_EQ(light.IsActive(), c.on);
    EXPECT_DOUBLE_EQ(light.GetRange(), c.range);
    EXPECT_DOUBLE_EQ(light.GetPenumbra(), c.penumbra);
    EXPECT_TRUE(std::isfinite(light.GetAttenuation()[2]));
    EXPECT_DOUBLE_EQ(Spot(*sim).animations.at(0).state, c.elevation);
    EXPECT_DOUBLE_EQ(Spot(*sim).animations.at(1).state, c.azimuth);
    EXPECT_TRUE(std::isfinite(length(Light(*sim).GetDirection())));
  }
}

TEST(SpotlightScenario, SavedPlacementComesBackOnTheParentAtTheFirstStep) {
  std::string saved;
  {
    auto sim = Load(Scenario("  GBL 0.7 0.2\n", true));
    sim->pressKey("Spot", OAPI_KEY_B);
    Hold(*sim, {OAPI_KEY_LSHIFT, OAPI_KEY_NUMPAD1}, 10);
    Hold(*sim, {OAPI_KEY_LSHIFT, OAPI_KEY_NUMPAD6}, 25);  // a tenth of a turn about z
    EXPECT_EQ(SavedLine(*sim, "PAT"),
              "PAT 0.1000 2.0000 0.0000 -0.5878 0.8090 0.0000 0.0000 0.0000 1.0000");
    saved = sim->saveScenario();
  }
  auto sim = Load(saved);
  EXPECT_TRUE(Light(*sim).IsActive());
  EXPECT_NEAR(Spot(*sim).animations.at(0).state, 0.7, 1e-9);
  ExpectVec(MastPoint(*sim, 0).pos, 0, 2, 0);  // the mast's own until the first step
  sim->step();
  ExpectVec(MastPoint(*sim, 0).pos, 0.1, 2, 0, 1e-4);
  ExpectVec(MastPoint(*sim, 0).dir, -0.5878, 0.8090, 0, 1e-4);
  // Restored once only: later moves stay.
  Hold(*sim, {OAPI_KEY_LALT, OAPI_KEY_NUMPAD1}, 10);
  sim->step();
  ExpectVec(MastPoint(*sim, 0).pos, 0, 2, 0, 1e-4);
  ExpectNoWarnings(*sim);
}

TEST(SpotlightScenario, ZeroOrUnreadablePlacementLeavesTheParentPoint) {
  // Zeros, vectors that are not finite, and axes that a save would write as
  // zeros (the lamp would turn now and not after a reload).
  const char *lines[] = {"  PAT 0 0 0 0 0 0 0 0 0\n",      "  PAT 5 5 5 nan nan nan 0 0 1\n",
                         "  PAT 5 5 5 0 1 0 inf 0 0\n",    "  PAT 0 2 0 0.00001 0 0 0 0 1\n",
                         "  PAT 0 2 0 0 1 0 0 0 -0.00004\n"};
  for (const char *l : lines) {
    SCOPED_TRACE(l);
    auto sim = Load(Scenario(l, true));
    sim->step();
    ExpectVec(MastPoint(*sim, 0).pos, 0, 2, 0);
    ExpectVec(MastPoint(*sim, 0).dir, 0, 1, 0);
  }
}
