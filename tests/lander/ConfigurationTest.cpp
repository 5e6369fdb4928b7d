// The crewed lander as the host sees it after loading, in each configuration.
#include "LanderTestSupport.h"

using landertest::Options;
using landertest::Scenario;
using landertest::VecEq;

namespace {

const double STIFFNESS = 1788485.9005;
const double DAMPING = 563067.589;

std::string Lander(std::vector<std::string> lines = {}) {
  lines.insert(lines.begin(), "STATUS Landed Moon");
  return Scenario({{"L1", "Selvar_2016", lines}});
}

TEST(LanderConfiguration, HullTankCameraAndMeshes) {
  vhost::Simulation sim(Options());
  sim.loadScenario(Lander(), "lander.scn");
  const vhost::VesselRecord &r = sim.vessel("L1").record();
  EXPECT_EQ(r.module, "Selvar_2016");
  EXPECT_EQ(r.emptyMass, 17324);
  EXPECT_EQ(r.size, 12);
  EXPECT_TRUE(VecEq(r.crossSections, 33, 42, 32));
  EXPECT_TRUE(VecEq(r.pmi, 16, 7, 16));
  EXPECT_TRUE(VecEq(r.rotDrag, 0.7, 0.7, 1.2));
  EXPECT_EQ(r.visLimit, 0.00075);
  EXPECT_EQ(r.spotLimit, 0.015);
  EXPECT_EQ(r.muLng, 20);
  EXPECT_EQ(r.muLat, 30);
  ASSERT_EQ(r.dockPorts.size(), 1u);
  EXPECT_TRUE(VecEq(r.dockPorts[0].pos, 0, 8.8, 0));
  EXPECT_TRUE(VecEq(r.dockPorts[0].dir, 0, 1, 0));
  EXPECT_TRUE(VecEq(r.dockPorts[0].rot, 0, 0, 1));
  ASSERT_EQ(r.propellant.size(), 1u);
  EXPECT_EQ(r.propellant[0].maxMass, 30978);
  EXPECT_EQ(r.propellant[0].mass, 0);  // created full, emptied by a scenario without PRPLEVEL
  EXPECT_EQ(r.propellant[0].efficiency, 1);
  EXPECT_EQ(r.defaultPropellant, 0);
  EXPECT_TRUE(VecEq(r.cameraOffset, 0, 8.6, 1.8));
  EXPECT_TRUE(VecEq(r.cameraDirection, 0, 0, 1));
  for (double range : r.cameraRange) EXPECT_NEAR(range, PI05, 1e-12);
  landertest::ExpectTouchdownPoints(r, STIFFNESS, DAMPING);

  // The ascent stage is mesh 0 and the descent stage mesh 1: the animations
  // and the cockpit displays rely on it.
  const char *names[7] = {"brendavel/crew_asc",   "brendavel/crew_des",   "brendavel/crew_seats",
                          "brendavel/kest_aces_b", "brendavel/kest_aces_b", "brendavel/kest_aces_b",
                          "brendavel/kest_aces_b"};
  const double crew[4][3] = {{-0.4, 6.45, 0.85}, {0.5, 6.45, 0.85}, {-0.5, 6.45, 0.3}, {0.4, 6.45, 0.3}};
  ASSERT_EQ(r.meshes.size(), 7u);
  for (int i = 0; i < 7; ++i) {
    EXPECT_EQ(r.meshes[i].name, names[i]);
    EXPECT_EQ(r.meshes[i].visibility, MESHVIS_ALWAYS) << "mesh " << i;
    if (i >= 3) {
      EXPECT_TRUE(VecEq(r.meshes[i].offset, crew[i - 3][0], crew[i - 3][1], crew[i - 3][2]));
    }
  }
}

TEST(LanderConfiguration, ThrustersExhaustsAndGroups) {
  vhost::Simulation sim(Options());
  sim.loadScenario(Lander(), "lander.scn");
  sim.step();
  const vhost::VesselRecord &r = sim.vessel("L1").record();
  landertest::ExpectLanderThrusters(r, 1.97, 7.59, 7.17, 6.8);
  landertest::ExpectLanderExhausts(r);
  landertest::ExpectLanderThrusterGroups(r);
  // Rebuilt at every step, the groups stay the same.
  sim.step();
  landertest::ExpectLanderThrusterGroups(r);
}

TEST(LanderConfiguration, LightsAndBeaconsOfTheLaunchConfiguration) {
  vhost::Simulation sim(Options());
  sim.loadScenario(Lander(), "lander.scn");
  const vhost::VesselRecord &r = sim.vessel("L1").record();
  ASSERT_EQ(r.lights.size(), 6u);
  const double pos[6][3] = {{0, 5.22, -3.4}, {0, 5.22, 3.4}, {-3.4, 5.22, 0}, {3.4, 5.22, 0}, {0, 4, 3.4}, {0, 4, -3.4}};
  const float diffuse[6][3] = {{1, 1, 0}, {1, 1, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 1}, {1, 1, 1}};
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE("light " + std::to_string(i));
    const LightEmitter &l = *r.lights[i];
    const bool spot = i >= 4;
    EXPECT_EQ(l.GetType(), spot ? LightEmitter::LT_SPOT : LightEmitter::LT_POINT);
    EXPECT_TRUE(VecEq(l.GetPosition(), pos[i][0], pos[i][1], pos[i][2]));
    EXPECT_EQ(l.IsActive(), !spot);
    EXPECT_EQ(l.GetDiffuseColour().r, diffuse[i][0]);
    EXPECT_EQ(l.GetDiffuseColour().g, diffuse[i][1]);
    EXPECT_EQ(l.GetDiffuseColour().b, diffuse[i][2]);
    EXPECT_EQ(l.GetSpecularColour().g, diffuse[i][1]);
    EXPECT_FLOAT_EQ(l.GetAmbientColour().r, 0.001f);
    const PointLight &p = static_cast<const PointLight &>(l);
    EXPECT_EQ(p.GetRange(), spot ? 100 : 0.15);
    EXPECT_EQ(p.GetAttenuation()[0], spot ? 0.00001 : 0.6);
    EXPECT_EQ(p.GetAttenuation()[2], spot ? 0.001 : 1.2);
    if (spot) {
      const SpotLight &s = static_cast<const SpotLight &>(l);
      EXPECT_NEAR(s.GetUmbra(), 45 * RAD, 1e-12);
      EXPECT_NEAR(s.GetPenumbra(), 140 * RAD, 1e-12);
      EXPECT_TRUE(VecEq(s.GetDirection(), 0, -0.5, i == 4 ? 0.5 : -0.5));
    }
  }
  landertest::ExpectLanderBeacons(r, 5.22, false);
}

// The ascent stage alone, whatever else the block said about the stage.
void ExpectLoadedInTheAscentConfiguration(const std::vector<std::string> &block) {
  SCOPED_TRACE(block.back());
  vhost::Simulation sim(Options());
  sim.loadScenario(Lander(block), "lander.scn");
  const vhost::VesselRecord &r = sim.vessel("L1").record();
  ASSERT_EQ(r.beacons.size(), 1u);
  EXPECT_TRUE(VecEq(*r.beacons[0]->pos, 0, 8.9, 0));
  EXPECT_FALSE(r.beacons[0]->active);
  for (const auto &l : r.lights) EXPECT_FALSE(l->IsActive());
  EXPECT_EQ(r.meshes[1].visibility, MESHVIS_NEVER);
  EXPECT_EQ(r.meshes[0].visibility, MESHVIS_ALWAYS);
  EXPECT_EQ(r.meshes[2].visibility, MESHVIS_ALWAYS);
  for (int i = 3; i < 7; ++i) EXPECT_EQ(r.meshes[i].visibility, MESHVIS_ALWAYS);
  EXPECT_EQ(r.propellant[0].maxMass, 6411);
  EXPECT_EQ(r.propellant[0].mass, 6411);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(r.thrusters[i].isp, 3048);
    EXPECT_EQ(r.thrusters[i].maxThrust, 8332.5);
    EXPECT_TRUE(VecEq(r.thrusters[i].pos, 0, 4.2, 0));
  }
  landertest::ExpectTouchdownPoints(r, STIFFNESS, DAMPING);
  sim.step();
  EXPECT_EQ(r.emptyMass, 6276);
  EXPECT_EQ(landertest::PluginLines(sim, "L1"), std::vector<std::string>{"ORBITAL 1"});
}

// The descent stage does not come back: a "LAUNCHL" line after "ORBITAL"
// changes nothing.
TEST(LanderConfiguration, LoadedInTheAscentConfiguration) {
  ExpectLoadedInTheAscentConfiguration({"ORBITAL 1"});
  ExpectLoadedInTheAscentConfiguration({"ORBITAL 1", "LAUNCHL 1"});
  ExpectLoadedInTheAscentConfiguration({"LAUNCHL 1", "orbital 1", "LaunchL 2"});
}

TEST(LanderConfiguration, LandersShareTheirAnimationComponents) {
  vhost::Simulation sim(Options());
  sim.loadScenario(Scenario({{"L1", "Selvar_2016", {}}, {"L2", "Selvar_2016", {}}}), "two.scn");
  const vhost::VesselRecord &a = sim.vessel("L1").record();
  const vhost::VesselRecord &b = sim.vessel("L2").record();
  const UINT gearGroups[8] = {8, 7, 10, 9, 13, 12, 15, 14};
  ASSERT_EQ(a.animations.size(), 4u);
  landertest::ExpectPaletteAnimation(a, 0, 1, 19, 4.790827, 4.2);
  landertest::ExpectGearAnimation(a, 1, 1, gearGroups, 5.21);
  const double hinges[2][3] = {{-0.45, 7.35, -2.65}, {-0.3, 7.35, -0.77}};
  const UINT groups[2] = {14, 16};
  for (int k = 0; k < 2; ++k) {
    const MGROUP_ROTATE &door = landertest::Rotation(a, 2 + k, 0);
    EXPECT_EQ(door.mesh, 0u);
    EXPECT_EQ(door.grp[0], groups[k]);
    EXPECT_TRUE(VecEq(door.ref, hinges[k][0], hinges[k][1], hinges[k][2]));
    EXPECT_TRUE(VecEq(door.axis, 0, 1, 0));
    EXPECT_NEAR(door.angle, 90 * RAD, 1e-6);
  }
  ASSERT_EQ(b.animations.size(), 4u);
  for (int anim = 0; anim < 4; ++anim)
    for (std::size_t c = 0; c < a.animations[anim].components.size(); ++c)
      EXPECT_EQ(a.animations[anim].components[c].transform, b.animations[anim].components[c].transform);
}

}  // namespace
