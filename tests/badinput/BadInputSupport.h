// Shared pieces of the bad-input suites: simulations over the built
// modules, the plug-ins and their scenario keys, and checks of what a
// plug-in must never leave behind whatever it was fed.
#ifndef BADINPUT_SUPPORT_H
#define BADINPUT_SUPPORT_H

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "vhost/Simulation.h"

namespace badinput {

struct Plugin {
  const char *className;
  std::vector<std::string> keys;  // its own scenario keys
};

inline const std::vector<Plugin> &plugins() {
  static const std::vector<Plugin> all = {
      {"Selvar_2016", {"GEARRPR", "PALETTE", "HATCHPR", "DOORHPR", "ORBITAL", "LAUNCHL"}},
      {"SelvarCargo2016", {"GEARRPR", "PALETTE", "LAUNCHL"}},
      {"tarva_2016",
       {"SOLARPR", "COVERPR", "HATCHPR", "INSACTI", "LSPACTI", "LAUNCHL", "REENTRY", "ORBITAL", "LANDING"}},
      {"beamwick2", {"SPT", "PAT", "GBL"}},
  };
  return all;
}

inline vhost::SimulationOptions options(double dt = 0.02) {
  vhost::SimulationOptions o;
  o.configDir = VH_CONFIG_DIR;
  o.moduleDir = VH_MODULE_DIR;
  o.dt = dt;
  o.physics = false;
  return o;
}

// One vessel V of the class with the given lines, after a light mast the
// spotlight can hang on.
inline std::string scenario(const std::string &className, const std::vector<std::string> &lines,
                            const std::string &name = "V") {
  std::string s = "BEGIN_SHIPS\nMast:LightMast\n  STATUS Landed Earth\nEND\n" + name + ":" + className +
                  "\n  STATUS Landed Earth\n";
  for (const std::string &l : lines) s += "  " + l + "\n";
  return s + "END\nEND_SHIPS\n";
}

inline std::unique_ptr<vhost::Simulation> load(const std::string &text, double dt = 0.02) {
  auto sim = std::make_unique<vhost::Simulation>(options(dt));
  sim->loadScenario(text, "badinput.scn");
  return sim;
}

inline bool finite(const VECTOR3 &v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

// Each component a number within 0..1 (alpha included).
inline bool colourInRange(const COLOUR4 &c) {
  for (float f : {c.r, c.g, c.b, c.a})
    if (!(f >= 0.0f && f <= 1.0f)) return false;
  return true;
}

// Nothing a plug-in configured may be out of range or not a number, and the
// host must have had nothing to warn about.
inline void expectSound(vhost::Simulation &sim, const std::string &context) {
  for (const vhost::Warning &w : sim.warnings())
    ADD_FAILURE() << context << ": host warning " << w.call << ": " << w.message;
  for (const vhost::Vessel *v : sim.vessels()) {
    const vhost::VesselRecord &r = v->record();
    for (std::size_t i = 0; i < r.animations.size(); ++i) {
      const double s = r.animations[i].state;
      EXPECT_TRUE(s >= 0 && s <= 1) << context << ": " << r.name << " animation " << i << " at " << s;
    }
    for (const auto &light : r.lights) {
      if (light->GetType() != LightEmitter::LT_POINT && light->GetType() != LightEmitter::LT_SPOT) continue;
      const PointLight &point = static_cast<const PointLight &>(*light);
      EXPECT_TRUE(std::isfinite(point.GetRange()) && point.GetRange() > 0) << context << ": light range";
      for (int i = 0; i < 3; ++i) EXPECT_TRUE(std::isfinite(point.GetAttenuation()[i])) << context << ": attenuation";
      EXPECT_TRUE(std::isfinite(light->GetIntensity())) << context << ": light intensity";
      EXPECT_TRUE(finite(light->GetPosition()) && finite(light->GetDirection())) << context << ": light placement";
      EXPECT_TRUE(colourInRange(light->GetDiffuseColour()) && colourInRange(light->GetSpecularColour()) &&
                  colourInRange(light->GetAmbientColour()))
          << context << ": light colour";
    }
    for (const BEACONLIGHTSPEC *b : r.beacons)
      EXPECT_TRUE(finite(*b->pos) && finite(*b->col) && std::isfinite(b->size)) << context << ": beacon";
    for (const vhost::MaterialRecord &m : r.materials)
      for (const COLOUR4 &c : {m.material.diffuse, m.material.ambient, m.material.specular, m.material.emissive})
        EXPECT_TRUE(colourInRange(c)) << context << ": material " << m.index;
    for (const vhost::AttachmentRecord &a : r.attachments)
      EXPECT_TRUE(finite(a.pos) && finite(a.dir) && finite(a.rot)) << context << ": attachment " << a.id;
    EXPECT_TRUE(std::isfinite(r.emptyMass)) << context << ": empty mass";
  }
}

}  // namespace badinput

#endif  // BADINPUT_SUPPORT_H
