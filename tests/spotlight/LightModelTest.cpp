// The lamp as the host sees it: colour from the class file, light direction
// from the head's elevation and azimuth, range, aperture, attenuation, the
// glow beacon and the lamp glass look.
#include <cmath>
#include <filesystem>
#include <fstream>

#include "SpotlightTestSupport.h"

using namespace spottest;

namespace {

// A configuration folder holding only a spotlight class file with these lines.
std::string ConfigWith(const std::string &name, const std::string &lines) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("spotcfg-" + name);
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "beamwick2.cfg") << "Module = beamwick2\n" << lines;
  return dir.string();
}

const char *SOLO = "BEGIN_SHIPS\nSpot:beamwick2\n  STATUS Landed Earth\nEND\nEND_SHIPS\n";

}  // namespace

TEST(SpotlightColour, ClassItemIsClampedPerComponentAndAbsentItemIsWhite) {
  struct Case {
    const char *name, *lines;
    float r, g, b;
  } cases[] = {
      {"clamped", "SpotColour = 2 -1 0.5\n", 1.0f, 0.0f, 0.5f},
      // Read as formatted reading reads it: not a number keeps the default.
      {"not-a-number", "SpotColour = nan 0.5 -inf\n", 1.0f, 0.5f, 0.0f},
      {"absent", "; no colour\n", 1.0f, 1.0f, 1.0f},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.name);
    auto sim = Load(SOLO, Options(ConfigWith(c.name, c.lines)));
    const COLOUR4 diffuse = Light(*sim).GetDiffuseColour();
    EXPECT_FLOAT_EQ(diffuse.r, c.r);
    EXPECT_FLOAT_EQ(diffuse.g, c.g);
    EXPECT_FLOAT_EQ(diffuse.b, c.b);
    EXPECT_FLOAT_EQ(Light(*sim).GetSpecularColour().r, c.r);
    ExpectVec(*Beacon(*sim).col, c.r, c.g, c.b, 1e-6);
  }
}

TEST(SpotlightLight, DirectionFollowsElevationAndAzimuth) {
  const double h = std::sqrt(0.5);
  struct Case {
    const char *gbl;
    double x, y, z;
  } cases[] = {
      {"GBL 0.5 0", 0, 0, 1},     {"GBL 1 0.25", 0, 1, 0},  {"GBL 0 0.6", 0, -1, 0},
      {"GBL 0.5 0.25", 1, 0, 0},  {"GBL 0.5 0.5", 0, 0, -1}, {"GBL 0.75 0.125", 0.5, h, 0.5},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.gbl);
    auto sim = Load(Scenario(std::string("  ") + c.gbl + "\n"));
    ExpectVec(Light(*sim).GetDirection(), c.x, c.y, c.z);
    // The glow sits 0.15 m out along the beam.
    ExpectVec(*Beacon(*sim).pos, 0.15 * c.x, 0.15 * c.y, 0.15 * c.z);
  }
  auto sim = Load(Scenario("  GBL 1 0.25\n"));
  EXPECT_DOUBLE_EQ(Spot(*sim).animations.at(0).state, 1.0);
  EXPECT_DOUBLE_EQ(Spot(*sim).animations.at(1).state, 0.25);
}

TEST(SpotlightLight, RangeSpreadAndStateFromScenario) {
  auto sim = Load(Scenario("  SPT 1 50 0.5\n"));
  const SpotLight &light = Light(*sim);
  EXPECT_TRUE(light.IsActive());
  EXPECT_TRUE(Beacon(*sim).active);
  EXPECT_DOUBLE_EQ(light.GetRange(), 50);
  EXPECT_DOUBLE_EQ(light.GetUmbra(), 0.375);
  EXPECT_DOUBLE_EQ(light.GetPenumbra(), 0.5);
  EXPECT_DOUBLE_EQ(light.GetAttenuation()[0], 1);
  EXPECT_DOUBLE_EQ(light.GetAttenuation()[1], 0);
  EXPECT_DOUBLE_EQ(light.GetAttenuation()[2], 0.0008);
  EXPECT_NEAR(Beacon(*sim).size, std::sqrt(50.0) * 0.02, 1e-12);
  ExpectNoWarnings(*sim);
}

TEST(SpotlightLight, DefaultsAfterCreationLeaveTheLampOff) {
  auto sim = Load(Scenario());
  const SpotLight &light = Light(*sim);
  EXPECT_FALSE(light.IsActive());
  EXPECT_FALSE(Beacon(*sim).active);
  EXPECT_DOUBLE_EQ(light.GetRange(), 300);
  EXPECT_DOUBLE_EQ(light.GetPenumbra(), 20 * 0.017453292519943295);
  EXPECT_NEAR(Beacon(*sim).size, std::sqrt(300.0) * 0.02, 1e-12);
  EXPECT_DOUBLE_EQ(Spot(*sim).emptyMass, 3);
  EXPECT_EQ(Spot(*sim).attachments.at(0).id, "GS");
}

namespace {
const MATERIAL *LampGlass(vhost::Simulation &sim) {
  for (const vhost::MaterialRecord &m : Spot(sim).materials)
    if (m.mesh == 0 && m.index == 1) return &m.material;
  return nullptr;
}
}  // namespace

TEST(SpotlightLampLook, FollowsSwitchingAndWaitsForTheVisual) {
  auto sim = Load(Scenario());
  // Switched on with no visual: nothing is written until the visual exists.
  EXPECT_EQ(sim->pressKey("Spot", OAPI_KEY_B), 1);
  EXPECT_EQ(LampGlass(*sim), nullptr);
  sim->setVisual("Spot", true);
  const MATERIAL *glass = LampGlass(*sim);
  ASSERT_NE(glass, nullptr);
  EXPECT_FLOAT_EQ(glass->diffuse.r, 0.0f);  // full intensity: dark body, bright glow
  EXPECT_FLOAT_EQ(glass->emissive.g, 0.95f);
  EXPECT_FLOAT_EQ(glass->emissive.a, 1.0f);
  EXPECT_GT(glass->power, 0.0f);

  sim->pressKey("Spot", OAPI_KEY_B);
  glass = LampGlass(*sim);
  EXPECT_FLOAT_EQ(glass->diffuse.r, 0.5f);
  EXPECT_FLOAT_EQ(glass->emissive.r, 0.0f);
  EXPECT_FLOAT_EQ(glass->emissive.a, 0.0f);

  // Once the visual is gone, switching must not reach its old mesh.
  sim->setVisual("Spot", false);
  sim->pressKey("Spot", OAPI_KEY_B);
  sim->pressKey("Spot", OAPI_KEY_B);
  ExpectNoWarnings(*sim);
}
