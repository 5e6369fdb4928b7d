// Helpers for the lander tests: scenarios in memory, vector checks, and the
// expectations both landers of the family share.
#ifndef TESTS_LANDER_LANDERTESTSUPPORT_H
#define TESTS_LANDER_LANDERTESTSUPPORT_H

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "vhost/Simulation.h"

namespace landertest {

typedef std::vector<std::string> Lines;

inline vhost::SimulationOptions Options(bool trace = false) {
  vhost::SimulationOptions o;
  o.configDir = VH_CONFIG_DIR;
  o.moduleDir = VH_MODULE_DIR;
  o.physics = false;
  o.trace = trace;
  return o;
}

struct Ship {
  std::string name, className;
  std::vector<std::string> lines;
};

inline std::string Scenario(const std::vector<Ship> &ships) {
  std::string text = "BEGIN_SHIPS\n";
  for (const Ship &s : ships) {
    text += s.name + ":" + s.className + "\n";
    for (const std::string &l : s.lines) text += "  " + l + "\n";
    text += "END\n";
  }
  return text + "END_SHIPS\n";
}

inline ::testing::AssertionResult VecEq(const VECTOR3 &v, double x, double y, double z, double tol = 1e-9) {
  if (std::fabs(v.x - x) <= tol && std::fabs(v.y - y) <= tol && std::fabs(v.z - z) <= tol)
    return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "(" << v.x << ", " << v.y << ", " << v.z << ") is not (" << x << ", "
                                       << y << ", " << z << ")";
}

// The lines a vessel saves after the host's own.
// A saved scenario's ships, from BEGIN_SHIPS on: what a later save of the
// same vessels repeats (the environment's date moves on with the clock).
inline std::string ShipsOf(const std::string &saved) { return saved.substr(saved.find("BEGIN_SHIPS")); }

inline std::vector<std::string> PluginLines(vhost::Simulation &sim, const std::string &name) {
  static const std::vector<std::string> hostKeys = {"STATUS",  "POS",     "HEADING",  "RPOS",    "RVEL",
                                                    "AROT",    "VROT",    "ALT",      "ATTACHED", "RCSMODE",
                                                    "AFCMODE", "PRPLEVEL", "THLEVEL", "NAVFREQ"};
  std::vector<std::string> out;
  for (const std::string &line : sim.saveVessel(name)) {
    const std::size_t start = line.find_first_not_of(" \t");
    const std::string text = start == std::string::npos ? "" : line.substr(start);
    const std::string key = text.substr(0, text.find(' '));
    bool host = false;
    for (const std::string &k : hostKeys) host = host || key == k;
    if (!host) out.push_back(text);
  }
  return out;
}

// A traced call as one line: the operation, then its arguments (handles as
// the host's indices, "-" for none), e.g. "SetMeshVisibilityMode 1 0".
inline std::string CallText(const vhost::TraceEntry &e) {
  std::string text = e.call;
  char number[64];
  auto add = [&](double d) {
    std::snprintf(number, sizeof number, " %.10g", d);
    text += number;
  };
  for (const vhost::TraceValue &v : e.args) {
    switch (v.kind) {
      case vhost::TraceValue::Bool: text += v.b ? " true" : " false"; break;
      case vhost::TraceValue::Int: add(double(v.i)); break;
      case vhost::TraceValue::Number: add(v.number); break;
      case vhost::TraceValue::String: text += " \"" + v.text + "\""; break;
      case vhost::TraceValue::Vector:
        add(v.vec.x);
        add(v.vec.y);
        add(v.vec.z);
        break;
      case vhost::TraceValue::List:
        text += " [";
        for (double d : v.list) add(d);
        text += " ]";
        break;
      default: text += " -"; break;
    }
  }
  return text;
}

// Records every call the plug-ins make; mark() and since() cut out the calls
// of one piece of work.
struct CallLog {
  explicit CallLog(vhost::Simulation &sim) {
    sim.onTrace([this](const vhost::TraceEntry &e) { calls.push_back(e); });
  }
  std::size_t mark() const { return calls.size(); }
  std::vector<std::string> since(std::size_t from, const std::vector<std::string> &only = {}) const {
    std::vector<std::string> out;
    for (std::size_t i = from; i < calls.size(); ++i) {
      bool wanted = only.empty();
      for (const std::string &name : only) wanted = wanted || calls[i].call == name;
      if (wanted) out.push_back(CallText(calls[i]));
    }
    return out;
  }
  // The names of the calls clbkSetClassCaps made: those after the meshes
  // the constructor loads, up to the first scenario line read.
  std::vector<std::string> classCapsCalls() const {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < calls.size() && calls[i].call == "oapiLoadMeshGlobal") ++i;
    for (; i < calls.size() && calls[i].call != "oapiReadScenario_nextline"; ++i) out.push_back(calls[i].call);
    return out;
  }
  std::vector<vhost::TraceEntry> calls;
};

// What clbkSetClassCaps asks of the host, in order, for either lander:
// lights, hull, tank, thrusters (each main engine bound to the tank as it
// is made), exhausts, meshes, camera.
inline void ExpectClassCapsOrder(const std::vector<std::string> &calls, int meshes) {
  std::vector<std::string> expected;
  auto add = [&](const char *call, int times) { expected.insert(expected.end(), times, call); };
  for (int i = 0; i < 6; ++i) {
    add(i < 4 ? "AddPointLight" : "AddSpotLight", 1);
    add("Activate", 1);
  }
  for (const char *call : {"SetVisibilityLimit", "SetSize", "SetCrossSections", "SetPMI", "SetRotDrag", "SetEmptyMass",
                           "SetDockParams", "SetTouchdownPoints", "SetSurfaceFrictionCoeff",
                           "CreatePropellantResource", "SetDefaultPropellantResource"})
    add(call, 1);
  for (int i = 0; i < 4; ++i) {
    add("CreateThruster", 1);
    add("SetThrusterResource", 1);
  }
  add("CreateThruster", 44);
  add("oapiRegisterExhaustTexture", 2);
  add("AddExhaust", 28);
  for (int i = 0; i < meshes; ++i) {
    add("AddMesh", 1);
    add("SetMeshVisibilityMode", 1);
  }
  add("SetCameraOffset", 1);
  add("SetCameraDefaultDirection", 1);
  add("SetCameraRotationRange", 1);
  EXPECT_EQ(calls, expected);
}

// One post-step's thruster-group rebuild: every standard group but retro
// deleted (thrusters kept), then the groups made in table order (their
// thrusters are checked on the records).
inline void ExpectThrusterGroupRebuild(const CallLog &log, std::size_t from) {
  std::vector<std::string> expected;
  for (int type : {0, 2, 3, 4, 7, 8, 5, 6, 9, 10, 11, 12, 13, 14})
    expected.push_back("DelThrusterGroup " + std::to_string(type) + " false");
  for (int type : {2, 3, 4, 7, 8, 11, 12, 5, 6, 10, 9, 13, 14})
    expected.push_back("CreateThrusterGroup " + std::to_string(type));
  std::vector<std::string> rebuild;
  for (std::size_t i = from; i < log.calls.size(); ++i) {
    const vhost::TraceEntry &e = log.calls[i];
    if (e.call == "DelThrusterGroup") rebuild.push_back(CallText(e));
    if (e.call == "CreateThrusterGroup" && !e.args.empty())
      rebuild.push_back(e.call + " " + std::to_string(e.args.back().i));
  }
  EXPECT_EQ(rebuild, expected);
}

// Thruster indices in creation order: 4 main engines, 20 attitude, 24 flames.
inline int R(int i) { return 4 + i; }
inline int F(int i) { return 24 + i; }

// The group table both landers build at every post-step.
inline void ExpectLanderThrusterGroups(const vhost::VesselRecord &r) {
  const std::vector<std::vector<int>> expected = {
      {},                                                          // MAIN: none
      {},                                                          // RETRO: none
      {0, 1, 2, 3},                                                // HOVER
      {R(0), R(1), F(15), F(9), F(0), F(18)},                      // PITCHUP
      {R(6), R(7), F(12), F(6), F(3), F(21)},                      // PITCHDOWN
      {R(8), R(9), F(2), F(8), F(17), F(20)},                      // YAWLEFT
      {R(10), R(11), F(5), F(11), F(14), F(23)},                   // YAWRIGHT
      {R(16), R(17), F(12), F(0), F(9), F(21)},                    // BANKLEFT
      {R(14), R(15), F(15), F(3), F(6), F(18)},                    // BANKRIGHT
      {R(13), F(2), F(17)},                                        // RIGHT
      {R(12), F(11), F(20)},                                       // LEFT
      {R(2), R(3), F(4), F(16), F(10), F(22), F(3), F(15), F(9), F(21)},  // UP
      {R(4), R(5), F(0), F(12), F(6), F(18), F(1), F(13), F(7), F(19)},   // DOWN
      {R(18), F(2), F(20)},                                        // FORWARD
      {R(19), F(11), F(17)},                                       // BACK
  };
  for (int type = 0; type < 15; ++type) {
    SCOPED_TRACE("group type " + std::to_string(type));
    EXPECT_EQ(r.thrusterGroups[type].exists, !expected[type].empty());
    EXPECT_EQ(r.thrusterGroups[type].thrusters, expected[type]);
  }
}

// The thrusters both landers share, engine and flame heights apart.
inline void ExpectLanderThrusters(const vhost::VesselRecord &r, double mainY, double top, double mid, double bottom) {
  ASSERT_EQ(r.thrusters.size(), 48u);
  for (const vhost::ThrusterRecord &t : r.thrusters) {
    EXPECT_EQ(t.propellant, 0);
    EXPECT_EQ(t.ispRef, 0);
    EXPECT_EQ(t.pRef, 101400);
  }
  const double mainXZ[4][2] = {{0, 1.45}, {-1.45, 0}, {1.45, 0}, {0, -1.45}};
  for (int i = 0; i < 4; ++i) {
    EXPECT_TRUE(VecEq(r.thrusters[i].pos, mainXZ[i][0], mainY, mainXZ[i][1])) << "main " << i;
    EXPECT_TRUE(VecEq(r.thrusters[i].dir, 0, 1, 0));
    EXPECT_EQ(r.thrusters[i].maxThrust, 166500);
    EXPECT_EQ(r.thrusters[i].isp, 4398);
  }
  const double rcs[20][6] = {
      {0, 0, 5, 0, 1, 0},         {0, 0, -5, 0, -1, 0},     {0, -0.2, -5.25, 0, 1, 0}, {0, -0.75, 5.25, 0, 1, 0},
      {0, -0.2, -5.25, 0, -1, 0}, {0, -0.75, 5.25, 0, -1, 0}, {0, 0, 5, 0, -1, 0},     {0, 0, -5, 0, 1, 0},
      {0, 0, 4, -1, 0, 0},        {0, 0, -4, 1, 0, 0},      {0, 0, 4, 1, 0, 0},        {0, 0, -4, -1, 0, 0},
      {2, 0, 0, -1, 0, 0},        {2, 0, 0, 1, 0, 0},       {4, 0, 0, 0, -1, 0},       {-4, 0, 0, 0, 1, 0},
      {4, 0, 0, 0, 1, 0},         {-4, 0, 0, 0, -1, 0},     {0, 0, -4, 0, 0, 1},       {0, 0, 4, 0, 0, -1}};
  for (int i = 0; i < 20; ++i) {
    const vhost::ThrusterRecord &t = r.thrusters[R(i)];
    EXPECT_TRUE(VecEq(t.pos, rcs[i][0], rcs[i][1], rcs[i][2])) << "rcs " << i;
    EXPECT_TRUE(VecEq(t.dir, rcs[i][3], rcs[i][4], rcs[i][5])) << "rcs " << i;
    EXPECT_EQ(t.maxThrust, 880);
    EXPECT_EQ(t.isp, 4048);
  }
  // Per quad: corner, then the two sideways directions.
  const double quads[4][8] = {{-2.68, -2.68, -1, 0, 1, 1, 0, -1},
                              {2.68, 2.68, -1, 0, 1, 1, 0, -1},
                              {-2.68, 2.68, 1, 0, 1, -1, 0, -1},
                              {2.68, -2.68, 1, 0, 1, -1, 0, -1}};
  for (int q = 0; q < 4; ++q) {
    const double x = quads[q][0], z = quads[q][1];
    const double ys[6] = {top, top, mid, bottom, bottom, mid};
    const double dirs[6][3] = {{0, -1, 0},       {0, -1, 0}, {quads[q][2], quads[q][3], quads[q][4]},
                               {0, 1, 0},        {0, 1, 0},  {quads[q][5], quads[q][6], quads[q][7]}};
    for (int k = 0; k < 6; ++k) {
      const vhost::ThrusterRecord &t = r.thrusters[F(6 * q + k)];
      EXPECT_TRUE(VecEq(t.pos, x, ys[k], z)) << "flame " << 6 * q + k;
      // Written unnormalised and with no impulse: kept as a unit vector with
      // the default impulse.
      const VECTOR3 written = _V(dirs[k][0], dirs[k][1], dirs[k][2]);
      const VECTOR3 unit = written / length(written);
      EXPECT_TRUE(VecEq(t.dir, unit.x, unit.y, unit.z)) << "flame " << 6 * q + k;
      EXPECT_EQ(t.maxThrust, 0);
      EXPECT_EQ(t.isp, 5e4);
    }
  }
}

// Exhausts on the main engines, then on every flame thruster.
inline void ExpectLanderExhausts(const vhost::VesselRecord &r) {
  ASSERT_EQ(r.exhausts.size(), 28u);
  for (int i = 0; i < 28; ++i) {
    const vhost::ExhaustRecord &e = r.exhausts[i];
    const bool engine = i < 4;
    EXPECT_EQ(e.thruster, engine ? i : F(i - 4));
    EXPECT_EQ(e.lscale, engine ? 4 : 3);
    EXPECT_EQ(e.wscale, engine ? 0.8 : 0.3);
    EXPECT_EQ(e.lofs, engine ? 1 : 0);
    EXPECT_EQ(e.texture, engine ? "Exhaust2" : "exhaust_qel");
  }
}

inline void ExpectTouchdownPoints(const vhost::VesselRecord &r, double stiffness, double damping) {
  ASSERT_EQ(r.touchdownPoints.size(), 4u);
  const double pos[4][2] = {{-4, -4}, {4, -4}, {4, 4}, {-4, 4}};
  for (int i = 0; i < 4; ++i) {
    const TOUCHDOWNVTX &p = r.touchdownPoints[i];
    EXPECT_TRUE(VecEq(p.pos, pos[i][0], 0, pos[i][1]));
    EXPECT_NEAR(p.stiffness, stiffness, 1e-3);
    EXPECT_NEAR(p.damping, damping, 1e-3);
    EXPECT_EQ(p.mu, 30);
    EXPECT_EQ(p.mu_lng, i == 3 ? 0 : 30);
  }
}

// Navigation beacons and strobe as DefineBeacons makes them at that height.
inline void ExpectLanderBeacons(const vhost::VesselRecord &r, double height, bool strobeActive) {
  ASSERT_EQ(r.beacons.size(), 5u);
  const double nav[4][5] = {{-3.4, 0, 1, 0, 0}, {3.4, 0, 0, 1, 0}, {0, 3.4, 1, 1, 0}, {0, -3.4, 1, 1, 0}};
  for (int i = 0; i < 4; ++i) {
    const BEACONLIGHTSPEC &b = *r.beacons[i];
    EXPECT_EQ(b.shape, 0u);
    EXPECT_TRUE(VecEq(*b.pos, nav[i][0], height, nav[i][1]));
    EXPECT_TRUE(VecEq(*b.col, nav[i][2], nav[i][3], nav[i][4]));
    EXPECT_EQ(b.size, 0.05);
    EXPECT_EQ(b.period, 0);
    EXPECT_EQ(b.duration, 1.0);
    EXPECT_EQ(b.tofs, 1.0);
    EXPECT_TRUE(b.active);
  }
  const BEACONLIGHTSPEC &s = *r.beacons[4];
  EXPECT_EQ(s.shape, 2u);
  EXPECT_TRUE(VecEq(*s.pos, 0, height, 3.4));
  EXPECT_TRUE(VecEq(*s.col, 1, 1, 1));
  EXPECT_EQ(s.size, 0.5);
  EXPECT_EQ(s.period, 1.0);
  EXPECT_EQ(s.duration, 0.02);
  EXPECT_EQ(s.active, strobeActive);
}

// A rotation component of an animation.
inline const MGROUP_ROTATE &Rotation(const vhost::VesselRecord &r, int anim, int comp) {
  const vhost::ComponentRecord &c = r.animations.at(anim).components.at(comp);
  EXPECT_EQ(c.kind, 1);
  return *static_cast<const MGROUP_ROTATE *>(c.transform);
}

// The gear: legs 15 degrees about their high hinges, struts 48 degrees.
inline void ExpectGearAnimation(const vhost::VesselRecord &r, int anim, UINT mesh, const UINT (&groups)[8],
                                double legHinge) {
  const double joints[8][5] = {{-2.4, -2.4, 1, -1, 15},  {2.4, -2.4, 1, 1, 15},    {2.4, 2.4, -1, 1, 15},
                               {-2.4, 2.4, -1, -1, 15},  {-2.48, -2.48, 1, -0.9, 48}, {2.48, -2.48, 1, 0.9, 48},
                               {2.48, 2.48, -1, 0.9, 48}, {-2.48, 2.48, -1, -0.9, 48}};
  ASSERT_EQ(r.animations.at(anim).components.size(), 8u);
  for (int i = 0; i < 8; ++i) {
    SCOPED_TRACE("gear joint " + std::to_string(i));
    const MGROUP_ROTATE &g = Rotation(r, anim, i);
    EXPECT_EQ(g.mesh, mesh);
    ASSERT_EQ(g.ngrp, 1u);
    EXPECT_EQ(g.grp[0], groups[i]);
    EXPECT_TRUE(VecEq(g.ref, joints[i][0], i < 4 ? legHinge : 1.7, joints[i][1]));
    EXPECT_TRUE(VecEq(g.axis, joints[i][2], 0, joints[i][3]));
    EXPECT_NEAR(g.angle, joints[i][4] * RAD, 1e-6);
    EXPECT_EQ(r.animations[anim].components[i].state0, 0);
    EXPECT_EQ(r.animations[anim].components[i].state1, 1);
  }
}

// The palette: a 90-degree swing over the first half, then a slide down.
inline void ExpectPaletteAnimation(const vhost::VesselRecord &r, int anim, UINT mesh, UINT group, double hinge,
                                   double drop) {
  const vhost::AnimationRecord &a = r.animations.at(anim);
  ASSERT_EQ(a.components.size(), 2u);
  const MGROUP_ROTATE &swing = Rotation(r, anim, 0);
  EXPECT_EQ(swing.mesh, mesh);
  EXPECT_EQ(swing.grp[0], group);
  EXPECT_TRUE(VecEq(swing.ref, 0, hinge, -3.72874));
  EXPECT_TRUE(VecEq(swing.axis, 1, 0, 0));
  EXPECT_NEAR(swing.angle, 90 * RAD, 1e-6);
  EXPECT_EQ(a.components[0].state0, 0);
  EXPECT_EQ(a.components[0].state1, 0.5);
  ASSERT_EQ(a.components[1].kind, 2);
  const MGROUP_TRANSLATE &slide = *static_cast<const MGROUP_TRANSLATE *>(a.components[1].transform);
  EXPECT_EQ(slide.grp[0], group);
  EXPECT_TRUE(VecEq(slide.shift, 0, -drop, 0));
  EXPECT_EQ(a.components[1].state0, 0.5);
  EXPECT_EQ(a.components[1].state1, 1);
}

}  // namespace landertest

#endif  // TESTS_LANDER_LANDERTESTSUPPORT_H
