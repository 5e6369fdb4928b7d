#include "StateJson.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "Text.h"

namespace vesselhost {
namespace {

// A float as the plug-in wrote it: 0.1f shows as 0.1, not as the double
// nearest to the float (0.10000000149011612).
double plainFloat(float f) {
  if (!std::isfinite(f)) return f;
  char text[32];
  for (int digits = 1; digits <= 9; ++digits) {
    std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(f));
    const double shortest = std::strtod(text, nullptr);
    if (static_cast<float>(shortest) == f) return shortest;
  }
  return f;
}

Json colour4Json(const COLOUR4 &c) {
  return Json::array({plainFloat(c.r), plainFloat(c.g), plainFloat(c.b), plainFloat(c.a)});
}

Json indexOrNull(int index) { return index < 0 ? Json(nullptr) : Json(index); }

Json textOrNull(const std::string &text) { return text.empty() ? Json(nullptr) : Json(toUtf8(text)); }

Json statusJson(const vhost::MotionRecord &m) {
  Json j;
  j["landed"] = m.landed;
  j["body"] = toUtf8(m.body);
  j["rpos"] = vectorJson(m.rpos);
  j["rvel"] = vectorJson(m.rvel);
  j["arot"] = vectorJson(m.arot);
  j["vrot"] = vectorJson(m.vrot);
  return j;
}

Json rotationJson(const MATRIX3 &r) {
  return Json::array({Json::array({r.m11, r.m12, r.m13}), Json::array({r.m21, r.m22, r.m23}),
                      Json::array({r.m31, r.m32, r.m33})});
}

Json componentJson(const vhost::ComponentRecord &c) {
  static const char *const kKinds[] = {"none", "rotate", "translate", "scale"};
  Json j;
  j["kind"] = (c.kind >= 1 && c.kind <= 3) ? Json(kKinds[c.kind]) : Json(c.kind);
  Json mesh = nullptr, groups = Json::array();
  Json ref = nullptr, axis = nullptr, angle = nullptr, shift = nullptr, scale = nullptr;
  if (const MGROUP_TRANSFORM *t = c.transform) {
    // A component that moves free vertices names no mesh and no groups.
    if (t->mesh != LOCALVERTEXLIST) {
      mesh = t->mesh;
      if (t->grp)
        for (UINT i = 0; i < t->ngrp; ++i) groups.push_back(t->grp[i]);
    }
    switch (t->Type()) {
      case MGROUP_TRANSFORM::ROTATE: {
        const auto *r = static_cast<const MGROUP_ROTATE *>(t);
        ref = vectorJson(r->ref);
        axis = vectorJson(r->axis);
        angle = plainFloat(r->angle);
        break;
      }
      case MGROUP_TRANSFORM::TRANSLATE:
        shift = vectorJson(static_cast<const MGROUP_TRANSLATE *>(t)->shift);
        break;
      case MGROUP_TRANSFORM::SCALE: {
        const auto *s = static_cast<const MGROUP_SCALE *>(t);
        ref = vectorJson(s->ref);
        scale = vectorJson(s->scale);
        break;
      }
      default:
        break;
    }
  }
  j["mesh"] = mesh;
  j["groups"] = groups;
  j["state0"] = c.state0;
  j["state1"] = c.state1;
  j["parent"] = c.parentAnimation < 0 ? Json(nullptr) : Json::array({c.parentAnimation, c.parentComponent});
  j["removed"] = c.removed;
  j["ref"] = ref;
  j["axis"] = axis;
  j["angle"] = angle;
  j["shift"] = shift;
  j["scale"] = scale;
  return j;
}

Json beaconJson(const BEACONLIGHTSPEC &b) {
  Json j;
  j["shape"] = b.shape;
  j["pos"] = b.pos ? vectorJson(*b.pos) : Json(nullptr);
  j["colour"] = b.col ? vectorJson(*b.col) : Json(nullptr);
  j["size"] = b.size;
  j["falloff"] = b.falloff;
  j["period"] = b.period;
  j["duration"] = b.duration;
  j["tofs"] = b.tofs;
  j["active"] = b.active;
  return j;
}

Json lightJson(const LightEmitter &light) {
  const LightEmitter::TYPE type = light.GetType();
  const bool isPoint = type == LightEmitter::LT_POINT || type == LightEmitter::LT_SPOT;
  const bool isSpot = type == LightEmitter::LT_SPOT;
  Json j;
  j["type"] = isSpot ? Json("spot") : isPoint ? Json("point") : Json(static_cast<int>(type));
  j["pos"] = vectorJson(light.GetPosition());
  j["dir"] = vectorJson(light.GetDirection());
  Json range = nullptr, attenuation = nullptr, umbra = nullptr, penumbra = nullptr;
  if (isPoint) {
    // The light's type says which of the SDK's classes it is.
    const auto &point = static_cast<const PointLight &>(light);
    range = point.GetRange();
    const double *att = point.GetAttenuation();
    attenuation = Json::array({att[0], att[1], att[2]});
  }
  if (isSpot) {
    const auto &spot = static_cast<const SpotLight &>(light);
    umbra = spot.GetUmbra();
    penumbra = spot.GetPenumbra();
  }
  j["range"] = range;
  j["attenuation"] = attenuation;
  j["umbra"] = umbra;
  j["penumbra"] = penumbra;
  j["diffuse"] = colour4Json(light.GetDiffuseColour());
  j["specular"] = colour4Json(light.GetSpecularColour());
  j["ambient"] = colour4Json(light.GetAmbientColour());
  j["active"] = light.IsActive();
  j["intensity"] = light.GetIntensity();
  j["visibility"] = static_cast<int>(light.GetVisibility());
  return j;
}

Json materialJson(const vhost::MaterialRecord &m) {
  Json j;
  j["mesh"] = m.mesh;
  j["index"] = m.index;
  j["diffuse"] = colour4Json(m.material.diffuse);
  j["ambient"] = colour4Json(m.material.ambient);
  j["specular"] = colour4Json(m.material.specular);
  j["emissive"] = colour4Json(m.material.emissive);
  j["power"] = plainFloat(m.material.power);
  return j;
}

Json traceValueJson(const vhost::TraceValue &v) {
  switch (v.kind) {
    case vhost::TraceValue::Bool: return v.b;
    case vhost::TraceValue::Int: return v.i;
    case vhost::TraceValue::Number: return v.number;
    case vhost::TraceValue::String: return toUtf8(v.text);
    case vhost::TraceValue::Vector: return vectorJson(v.vec);
    case vhost::TraceValue::List: {
      // Handle indices and counts come as whole numbers: keep them integers.
      Json list = Json::array();
      for (double d : v.list) {
        if (d == std::floor(d) && std::fabs(d) < 9.0e15) list.push_back(static_cast<long long>(d));
        else list.push_back(d);
      }
      return list;
    }
    default: return nullptr;
  }
}

}  // namespace

Json vectorJson(const VECTOR3 &v) { return Json::array({v.x, v.y, v.z}); }

Json vesselJson(const vhost::VesselRecord &r, const MATRIX3 &rotation, bool groundContact) {
  Json j;
  j["name"] = toUtf8(r.name);
  j["class"] = toUtf8(r.className);
  j["module"] = textOrNull(r.module);
  j["status"] = statusJson(r.motion);
  j["rotation"] = rotationJson(rotation);
  j["altitude"] = r.motion.altitude;
  j["groundContact"] = groundContact;
  Json docking = Json::array();
  for (const vhost::DockPortRecord &p : r.dockPorts) docking.push_back(p.docked ? 1 : 0);
  j["dockingStatus"] = docking;

  j["emptyMass"] = r.emptyMass;
  j["size"] = r.size;
  j["crossSections"] = vectorJson(r.crossSections);
  j["pmi"] = vectorJson(r.pmi);
  j["rotDrag"] = vectorJson(r.rotDrag);
  j["visibilityLimit"] = Json::array({r.visLimit, r.spotLimit});
  j["cw"] = Json::array({r.cw[0], r.cw[1], r.cw[2], r.cw[3]});
  j["trimScale"] = r.trimScale;
  j["pitchMomentScale"] = r.pitchMomentScale;
  j["bankMomentScale"] = r.bankMomentScale;
  j["surfaceFriction"] = Json::array({r.muLng, r.muLat});
  j["airfoilsCleared"] = r.airfoilsCleared;
  j["enableFocus"] = r.enableFocus;
  j["cgShift"] = vectorJson(r.cgShift);

  Json camera;
  camera["offset"] = vectorJson(r.cameraOffset);
  camera["direction"] = vectorJson(r.cameraDirection);
  camera["tilt"] = r.cameraTilt;
  camera["rotationRange"] = Json::array({r.cameraRange[0], r.cameraRange[1], r.cameraRange[2], r.cameraRange[3]});
  j["camera"] = camera;

  Json ports = Json::array();
  for (const vhost::DockPortRecord &p : r.dockPorts)
    ports.push_back(Json{{"pos", vectorJson(p.pos)}, {"dir", vectorJson(p.dir)}, {"rot", vectorJson(p.rot)}});
  j["dockPorts"] = ports;

  Json touchdown = Json::array();
  for (const TOUCHDOWNVTX &t : r.touchdownPoints)
    touchdown.push_back(Json{{"pos", vectorJson(t.pos)}, {"stiffness", t.stiffness}, {"damping", t.damping},
                             {"mu", t.mu}, {"muLng", t.mu_lng}});
  j["touchdownPoints"] = touchdown;

  Json propellant = Json::array();
  for (const vhost::PropellantRecord &p : r.propellant)
    propellant.push_back(Json{{"maxMass", p.maxMass}, {"mass", p.mass}, {"efficiency", p.efficiency},
                              {"deleted", p.deleted}});
  j["propellant"] = propellant;
  j["defaultPropellant"] = indexOrNull(r.defaultPropellant);

  Json thrusters = Json::array();
  for (const vhost::ThrusterRecord &t : r.thrusters)
    thrusters.push_back(Json{{"pos", vectorJson(t.pos)}, {"dir", vectorJson(t.dir)}, {"maxThrust", t.maxThrust},
                             {"isp", t.isp}, {"ispRef", t.ispRef}, {"pRef", t.pRef},
                             {"propellant", indexOrNull(t.propellant)}, {"deleted", t.deleted}});
  j["thrusters"] = thrusters;

  Json groups = Json::object();
  for (std::size_t type = 0; type < r.thrusterGroups.size(); ++type)
    if (r.thrusterGroups[type].exists) groups[std::to_string(type)] = r.thrusterGroups[type].thrusters;
  j["thrusterGroups"] = groups;

  Json exhausts = Json::array();
  for (const vhost::ExhaustRecord &e : r.exhausts)
    exhausts.push_back(Json{{"id", e.id}, {"thruster", indexOrNull(e.thruster)}, {"lscale", e.lscale}, {"wscale", e.wscale},
                            {"lofs", e.lofs}, {"texture", textOrNull(e.texture)}});
  j["exhausts"] = exhausts;

  Json meshes = Json::array();
  for (std::size_t i = 0; i < r.meshes.size(); ++i) {
    const vhost::MeshRecord &m = r.meshes[i];
    meshes.push_back(Json{{"index", i}, {"name", toUtf8(m.name)}, {"found", m.found}, {"offset", vectorJson(m.offset)},
                          {"visibility", m.visibility}, {"deleted", m.deleted}});
  }
  j["meshes"] = meshes;

  Json animations = Json::array();
  for (std::size_t i = 0; i < r.animations.size(); ++i) {
    const vhost::AnimationRecord &a = r.animations[i];
    Json components = Json::array();
    for (const vhost::ComponentRecord &c : a.components) components.push_back(componentJson(c));
    animations.push_back(
        Json{{"index", i}, {"defaultState", a.defaultState}, {"state", a.state}, {"components", components}});
  }
  j["animations"] = animations;

  Json beacons = Json::array();
  for (const BEACONLIGHTSPEC *b : r.beacons)
    if (b) beacons.push_back(beaconJson(*b));
  j["beacons"] = beacons;

  Json lights = Json::array();
  for (const auto &light : r.lights)
    if (light) lights.push_back(lightJson(*light));
  j["lights"] = lights;

  Json attachments = Json::array();
  for (const vhost::AttachmentRecord &a : r.attachments)
    attachments.push_back(Json{{"id", toUtf8(a.id)}, {"toParent", a.toParent}, {"pos", vectorJson(a.pos)},
                               {"dir", vectorJson(a.dir)}, {"rot", vectorJson(a.rot)}, {"loose", a.loose},
                               {"attached", a.attached ? Json(toUtf8(a.attached->record().name)) : Json(nullptr)},
                               {"attachedPoint", indexOrNull(a.attached ? a.attachedPoint : -1)}});
  j["attachments"] = attachments;

  Json vc;
  if (r.vc.hasHud)
    vc["hud"] = Json{{"mesh", r.vc.hud.nmesh}, {"group", r.vc.hud.ngroup}, {"centre", vectorJson(r.vc.hud.hudcnt)},
                     {"size", r.vc.hud.size}};
  else
    vc["hud"] = nullptr;
  Json mfds = Json::array();
  for (const auto &mfd : r.vc.mfds)
    mfds.push_back(Json{{"id", mfd.first}, {"mesh", mfd.second.nmesh}, {"group", mfd.second.ngroup}});
  vc["mfds"] = mfds;
  j["vc"] = vc;

  Json hud = Json::array();
  for (const vhost::HudTextRecord &h : r.hud)
    hud.push_back(Json{{"x", h.x}, {"y", h.y}, {"text", latin1ToUtf8(h.text)}, {"colour", h.colour}});
  j["hud"] = hud;

  Json materials = Json::array();
  for (const vhost::MaterialRecord &m : r.materials) materials.push_back(materialJson(m));
  j["materials"] = materials;
  j["visual"] = r.hasVisual;
  return j;
}

Json traceJson(const vhost::TraceEntry &entry) {
  Json args = Json::array();
  for (const vhost::TraceValue &v : entry.args) args.push_back(traceValueJson(v));
  return Json{{"t", entry.t},
              {"vessel", toUtf8(entry.vessel)},
              {"in", entry.in.empty() ? Json() : Json(entry.in)},
              {"call", toUtf8(entry.call)},
              {"args", args}};
}

std::string dumpState(const Json &state) {
  return state.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

std::string dumpLine(const Json &value) { return value.dump(-1, ' ', false, Json::error_handler_t::replace); }

}  // namespace vesselhost
