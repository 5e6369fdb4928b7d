#include "VesselItems.h"

#include <algorithm>
#include <cmath>

#include "Text.h"
#include "vhost/Simulation.h"

namespace vesselhost {
namespace {

constexpr double kDegree = 3.14159265358979323846 / 180;

// Glyph sizes in pixels: glyphs show where and which way, the views' scale
// shows how far.
constexpr double kThrustArrowMin = 12, kThrustArrowGrow = 44, kNoThrustArrow = 14, kHead = 6;
constexpr double kPortArrow = 22, kAttachArrow = 18, kRotTick = 10, kConeSlant = 26, kCameraArrow = 18;

struct GroupLook {
  const char *name, *colour;
};

const GroupLook kGroups[kGroupTypes] = {
    {"MAIN", "#d62728"},      {"RETRO", "#8c564b"},    {"HOVER", "#ff7f0e"},    {"PITCHUP", "#1f77b4"},
    {"PITCHDOWN", "#17becf"}, {"YAWLEFT", "#2ca02c"},  {"YAWRIGHT", "#7fc97f"}, {"BANKLEFT", "#9467bd"},
    {"BANKRIGHT", "#c39bd3"}, {"RIGHT", "#e377c2"},    {"LEFT", "#f4a6d7"},     {"UP", "#bcbd22"},
    {"DOWN", "#8c8c2e"},      {"FORWARD", "#006d2c"},  {"BACK", "#393b79"},
};

std::string at(const VECTOR3 &v) { return triple(v.x, v.y, v.z); }

std::string colourOf(const COLOUR4 &c) { return rgb(c.r, c.g, c.b); }

std::string fill(const std::string &colour) { return "fill=\"" + colour + "\""; }

// A tick from p along a direction, for a rotation reference.
void rotTick(SvgWriter &svg, const ViewMap &view, P p, const VECTOR3 &rot, const std::string &colour) {
  const P d = view.direction(unitOrZero(rot));
  if (std::hypot(d.x, d.y) < 1e-3) return;
  const P end = p + d * kRotTick;
  svg.line(p, end, "stroke=\"" + colour + "\" stroke-width=\"1\"");
  svg.circle(end, 1.6, fill(colour));
}

// A direction arrow that shows even along the line of sight: a ring with a
// dot (coming at the viewer) or a cross (going away).
void directionArrow(SvgWriter &svg, const ViewMap &view, P p, const VECTOR3 &dir, double len,
                    const std::string &colour, std::string_view shaft = {}, bool hollow = false) {
  const VECTOR3 u = unitOrZero(dir);
  const P d = view.direction(u);
  svg.arrow(p, p + d * len, kHead, colour, shaft, hollow);
  if (std::hypot(d.x, d.y) >= 0.35 || length(u) == 0) return;
  const std::string stroke = "fill=\"none\" stroke=\"" + colour + "\"";
  svg.circle(p, 5, stroke);
  if (view.toward(u) > 0) {
    svg.circle(p, 1.5, fill(colour));
  } else {
    svg.line(p + P{-3.5, -3.5}, p + P{3.5, 3.5}, "stroke=\"" + colour + "\"");
    svg.line(p + P{-3.5, 3.5}, p + P{3.5, -3.5}, "stroke=\"" + colour + "\"");
  }
}

// The silhouette of a cone from p along dir with that full aperture.
std::vector<P> cone(const ViewMap &view, P p, const VECTOR3 &dir, double aperture) {
  const VECTOR3 d = unitOrZero(dir);
  VECTOR3 u, v;
  perpendiculars(d, u, v);
  const double half = std::clamp(aperture / 2, 0.0, 89.0 * kDegree);
  std::vector<P> pts{p};
  for (int k = 0; k < 24; ++k) {
    const double a = k * 15 * kDegree, c = std::cos(half), s = std::sin(half);
    const VECTOR3 side = _V(d.x * c + (u.x * std::cos(a) + v.x * std::sin(a)) * s,
                            d.y * c + (u.y * std::cos(a) + v.y * std::sin(a)) * s,
                            d.z * c + (u.z * std::cos(a) + v.z * std::sin(a)) * s);
    pts.push_back(p + view.direction(side) * kConeSlant);
  }
  return convexHull(pts);
}

// A closed outline, dashed, in a colour edged in grey so that white or
// yellow show on the white page: how a light that is off is drawn.
void outlined(SvgWriter &svg, const std::vector<P> &shape, const std::string &colour) {
  svg.polygon(shape, "fill=\"none\" stroke=\"#555555\" stroke-width=\"2.6\" stroke-dasharray=\"3 2\"");
  svg.polygon(shape, "fill=\"none\" stroke=\"" + colour + "\" stroke-width=\"1.2\" stroke-dasharray=\"3 2\"");
}

std::vector<P> circlePoints(P centre, double radius) {
  std::vector<P> pts;
  for (int k = 0; k < 16; ++k) {
    const double a = k * 22.5 * kDegree;
    pts.push_back(centre + P{std::cos(a) * radius, std::sin(a) * radius});
  }
  return pts;
}

std::string degrees(double rad) { return value(std::round(rad / kDegree * 1e4) / 1e4) + "\xC2\xB0"; }

const char *visibilityName(WORD mode) {
  switch (mode) {
    case MESHVIS_NEVER: return "never";
    case MESHVIS_EXTERNAL: return "external";
    case MESHVIS_COCKPIT: return "cockpit";
    case MESHVIS_ALWAYS: return "always";
    case MESHVIS_VC: return "virtual cockpit";
    default: return nullptr;
  }
}

}  // namespace

const char *groupName(int type) { return type >= 0 && type < kGroupTypes ? kGroups[type].name : "?"; }
const char *groupColour(int type) { return type >= 0 && type < kGroupTypes ? kGroups[type].colour : kNoGroupColour; }

std::vector<std::vector<int>> groupsOfThrusters(const vhost::VesselRecord &r) {
  std::vector<std::vector<int>> out(r.thrusters.size());
  for (int type = 0; type < kGroupTypes; ++type) {
    const vhost::ThrusterGroupRecord &g = r.thrusterGroups[type];
    if (!g.exists) continue;
    for (int th : g.thrusters) {
      if (th < 0 || static_cast<std::size_t>(th) >= out.size()) continue;
      std::vector<int> &in = out[th];
      if (in.empty() || in.back() != type) in.push_back(type);
    }
  }
  return out;
}

double largestThrust(const vhost::VesselRecord &r) {
  double most = 0;
  for (const vhost::ThrusterRecord &t : r.thrusters)
    if (!t.deleted && std::isfinite(t.maxThrust)) most = std::max(most, t.maxThrust);
  return most;
}

Bounds3 itemBounds(const vhost::VesselRecord &r) {
  Bounds3 b;
  for (const vhost::ThrusterRecord &t : r.thrusters)
    if (!t.deleted) b.add(t.pos);
  for (const TOUCHDOWNVTX &t : r.touchdownPoints) b.add(t.pos);
  for (const vhost::DockPortRecord &d : r.dockPorts) b.add(d.pos);
  for (const vhost::AttachmentRecord &a : r.attachments) b.add(a.pos);
  for (const auto &l : r.lights)
    if (l) b.add(l->GetPosition());
  for (const BEACONLIGHTSPEC *s : r.beacons)
    if (s && s->pos) b.add(*s->pos);
  for (const vhost::MeshRecord &m : r.meshes)
    if (!m.deleted) b.add(m.offset);
  b.add(r.cameraOffset);
  return b;
}

void drawThrusterGlyph(SvgWriter &svg, const ViewMap &view, const vhost::ThrusterRecord &t, double largest,
                       const char *colour) {
  const P p = view.point(t.pos);
  const VECTOR3 flame = _V(-t.dir.x, -t.dir.y, -t.dir.z);
  if (t.maxThrust > 0) {
    const double share = largest > 0 ? std::min(1.0, t.maxThrust / largest) : 1;
    svg.circle(p, 1.8, fill(colour));
    directionArrow(svg, view, p, flame, kThrustArrowMin + kThrustArrowGrow * std::cbrt(share), colour,
                   "stroke-width=\"1.6\"");
  } else {
    svg.circle(p, 2.2, "fill=\"#ffffff\" stroke=\"" + std::string(colour) + "\"");
    directionArrow(svg, view, p, flame, kNoThrustArrow, colour, "stroke-dasharray=\"3 2\"", true);
  }
}

void drawThrusters(SvgWriter &svg, const vhost::VesselRecord &r, const Views &views) {
  const std::vector<std::vector<int>> groups = groupsOfThrusters(r);
  const double largest = largestThrust(r);
  for (std::size_t i = 0; i < r.thrusters.size(); ++i) {
    const vhost::ThrusterRecord &t = r.thrusters[i];
    if (t.deleted) continue;
    std::string title = "thruster " + std::to_string(i) + ": " + value(t.maxThrust) + " N" +
                        (t.maxThrust > 0 ? "" : " (no thrust)") + ", ISP " + value(t.isp) + " m/s, in ";
    if (groups[i].empty()) title += "no group";
    for (std::size_t k = 0; k < groups[i].size(); ++k) title += (k ? ", " : "") + std::string(groupName(groups[i][k]));
    title += "; at " + at(t.pos) + ", thrust along " + at(t.dir);
    title += t.propellant < 0 ? ", no propellant" : ", propellant " + std::to_string(t.propellant);
    for (const vhost::ExhaustRecord &e : r.exhausts)
      if (e.thruster == static_cast<int>(i)) title += ", flame \"" + toUtf8(e.texture) + "\"";
    const char *colour = groups[i].empty() ? kNoGroupColour : groupColour(groups[i].front());
    svg.beginItem("thruster", title);
    for (const ViewMap &view : views) drawThrusterGlyph(svg, view, t, largest, colour);
    svg.endItem();
  }
}

void drawTouchdownPoints(SvgWriter &svg, const vhost::VesselRecord &r, const Views &views) {
  const std::vector<TOUCHDOWNVTX> &pts = r.touchdownPoints;
  if (pts.size() >= 2) {
    Bounds3 span;
    span.lo = span.hi = pts.front().pos;
    for (const TOUCHDOWNVTX &t : pts) span.add(t.pos);
    svg.beginItem("touchdown-polygon", "touchdown polygon: " + std::to_string(pts.size()) + " points, x " +
                                           value(span.lo.x) + " .. " + value(span.hi.x) + " m, y " +
                                           value(span.lo.y) + " .. " + value(span.hi.y) + " m, z " +
                                           value(span.lo.z) + " .. " + value(span.hi.z) + " m");
    for (const ViewMap &view : views) {
      std::vector<P> flat;
      for (const TOUCHDOWNVTX &t : pts) flat.push_back(view.point(t.pos));
      const std::vector<P> hull = convexHull(flat);
      if (hull.size() >= 3) svg.polygon(hull, "class=\"footprint\"");
      else if (hull.size() == 2) svg.line(hull[0], hull[1], "class=\"footprint\"");
    }
    svg.endItem();
  }
  for (std::size_t i = 0; i < pts.size(); ++i) {
    const TOUCHDOWNVTX &t = pts[i];
    svg.beginItem("touchdown", "touchdown " + std::to_string(i) + ": at " + at(t.pos) + ", stiffness " +
                                   value(t.stiffness) + " N/m, damping " + value(t.damping) + " N s/m, mu " +
                                   value(t.mu) + ", mu_lng " + value(t.mu_lng));
    for (const ViewMap &view : views) {
      const P p = view.point(t.pos);
      svg.circle(p, 3.5, "fill=\"#ffffff\" stroke=\"#000000\" stroke-width=\"1.4\"");
      svg.text(p + P{4, 10}, std::to_string(i), "class=\"index\"");
    }
    svg.endItem();
  }
}

void drawDockPorts(SvgWriter &svg, const vhost::VesselRecord &r, const Views &views) {
  const std::string colour = "#0057b8";
  for (std::size_t i = 0; i < r.dockPorts.size(); ++i) {
    const vhost::DockPortRecord &d = r.dockPorts[i];
    svg.beginItem("dock", "dock " + std::to_string(i) + ": at " + at(d.pos) + ", approach " + at(d.dir) +
                              ", rotation " + at(d.rot) + (d.docked ? ", docked" : ", free"));
    for (const ViewMap &view : views) {
      const P p = view.point(d.pos);
      svg.rect(p - P{3.5, 3.5}, 7, 7, (d.docked ? fill(colour) : "fill=\"#ffffff\"") + " stroke=\"" + colour + "\"");
      directionArrow(svg, view, p, d.dir, kPortArrow, colour, "stroke-width=\"1.4\"");
      rotTick(svg, view, p, d.rot, colour);
    }
    svg.endItem();
  }
}

void drawAttachments(SvgWriter &svg, const vhost::VesselRecord &r, const Views &views) {
  for (std::size_t i = 0; i < r.attachments.size(); ++i) {
    const vhost::AttachmentRecord &a = r.attachments[i];
    const std::string colour = a.toParent ? "#c2410c" : "#0f766e";
    std::string title = "attachment " + std::to_string(i) + " \"" + toUtf8(a.id) + "\": " +
                        (a.toParent ? "as child (to a parent)" : "as parent (for a child)") + ", at " + at(a.pos) +
                        ", direction " + at(a.dir) + ", rotation " + at(a.rot) + (a.loose ? ", loose" : "");
    if (a.attached)
      title += ", with \"" + toUtf8(a.attached->record().name) + "\" at its point " + std::to_string(a.attachedPoint);
    svg.beginItem("attachment", title);
    for (const ViewMap &view : views) {
      const P p = view.point(a.pos);
      const std::string look = (a.attached ? fill(colour) : "fill=\"#ffffff\"") + " stroke=\"" + colour + "\"";
      if (a.toParent) svg.polygon({p + P{0, -5}, p + P{5, 0}, p + P{0, 5}, p + P{-5, 0}}, look);
      else svg.rect(p - P{4, 4}, 8, 8, look);
      directionArrow(svg, view, p, a.dir, kAttachArrow, colour, "stroke-width=\"1.4\"");
      rotTick(svg, view, p, a.rot, colour);
      if (!a.id.empty()) svg.text(p + P{6, -6}, a.id, "class=\"index\" fill=\"" + colour + "\"");
    }
    svg.endItem();
  }
}

void drawLights(SvgWriter &svg, const vhost::VesselRecord &r, const Views &views) {
  for (std::size_t i = 0; i < r.lights.size(); ++i) {
    const LightEmitter *l = r.lights[i].get();
    if (!l) continue;
    // Lights carry their type, as the host's light classes have no virtual
    // members to cast by; a spot light is a point light too.
    const LightEmitter::TYPE type = l->GetType();
    const auto *spot = type == LightEmitter::LT_SPOT ? static_cast<const SpotLight *>(l) : nullptr;
    const auto *point = type == LightEmitter::LT_POINT || spot ? static_cast<const PointLight *>(l) : nullptr;
    const std::string colour = colourOf(l->GetDiffuseColour());
    const COLOUR4 c = l->GetDiffuseColour();
    std::string title = "light " + std::to_string(i) + ": " + (spot ? "spot" : point ? "point" : "other") +
                        ", colour " + triple(c.r, c.g, c.b);
    if (point) title += ", range " + value(point->GetRange()) + " m";
    if (spot) title += ", umbra " + degrees(spot->GetUmbra()) + ", penumbra " + degrees(spot->GetPenumbra());
    title += ", intensity " + value(l->GetIntensity()) + (l->IsActive() ? ", on" : ", off") + "; at " +
             at(l->GetPosition());
    if (spot) title += ", pointing " + at(l->GetDirection());
    const bool on = l->IsActive();
    svg.beginItem("light", title);
    for (const ViewMap &view : views) {
      const P p = view.point(l->GetPosition());
      if (spot) {
        svg.polygon(cone(view, p, l->GetDirection(), spot->GetPenumbra()),
                    "fill=\"none\" stroke=\"#999999\" stroke-width=\"0.6\" stroke-dasharray=\"1 2\"");
        const std::vector<P> umbra = cone(view, p, l->GetDirection(), spot->GetUmbra());
        if (on) svg.polygon(umbra, fill(colour) + " fill-opacity=\"0.45\" stroke=\"#333333\" stroke-width=\"0.8\"");
        else outlined(svg, umbra, colour);
      }
      if (on) svg.circle(p, 5.5, fill(colour) + " stroke=\"#333333\" stroke-width=\"0.8\"");
      else outlined(svg, circlePoints(p, 5.5), colour);
    }
    svg.endItem();
  }
}

void drawBeacons(SvgWriter &svg, const vhost::VesselRecord &r, const Views &views) {
  static const char *const kShapes[] = {"compact", "diffuse", "star"};
  for (std::size_t i = 0; i < r.beacons.size(); ++i) {
    const BEACONLIGHTSPEC *b = r.beacons[i];
    if (!b) continue;
    const VECTOR3 c = b->col ? *b->col : _V(0, 0, 0);
    const std::string colour = rgb(c.x, c.y, c.z);
    std::string title = "beacon " + std::to_string(i) + ": " + (b->shape < 3 ? kShapes[b->shape] : "shape " +
                        std::to_string(b->shape)) + ", colour " + (b->col ? at(c) : "none") + ", size " +
                        value(b->size) + " m, falloff " + value(b->falloff) + ", period " + value(b->period) +
                        " s, duration " + value(b->duration) + " s, offset " + value(b->tofs) + " s, " +
                        (b->active ? "active" : "inactive") + (b->pos ? "; at " + at(*b->pos) : "; no position");
    svg.beginItem("beacon", title);
    if (b->pos)
      for (const ViewMap &view : views) {
        const P p = view.point(*b->pos);
        const double rad = std::clamp(b->size * view.scale(), 3.5, 10.0);
        std::vector<P> shape;
        if (b->shape == BEACONSHAPE_STAR) {
          for (int k = 0; k < 8; ++k) {
            const double a = k * 45 * kDegree, len = (k % 2 ? 0.4 : 1.0) * rad * 1.4;
            shape.push_back(p + P{std::sin(a) * len, -std::cos(a) * len});
          }
        } else {
          shape = circlePoints(p, rad);
        }
        // Active: filled in its colour; inactive: an open dashed outline.
        if (b->active) svg.polygon(shape, fill(colour) + " stroke=\"#333333\" stroke-width=\"0.8\"");
        else outlined(svg, shape, colour);
      }
    svg.endItem();
  }
}

void drawMeshes(SvgWriter &svg, const vhost::VesselRecord &r, const Views &views) {
  // Names go below one another where they would overprint.
  struct Box {
    double x0, y0, x1, y1;
  };
  std::vector<std::vector<Box>> taken(views.size());
  for (std::size_t i = 0; i < r.meshes.size(); ++i) {
    const vhost::MeshRecord &m = r.meshes[i];
    if (m.deleted) continue;
    const char *vis = visibilityName(m.visibility);
    const std::string name = m.name.empty() ? "mesh " + std::to_string(i) : m.name;
    svg.beginItem("mesh", "mesh " + std::to_string(i) + " \"" + toUtf8(m.name) + "\": offset " + at(m.offset) +
                              ", visibility " + (vis ? vis : std::to_string(m.visibility)));
    for (std::size_t k = 0; k < views.size(); ++k) {
      const P p = views[k].point(m.offset);
      svg.line(p + P{-4, 0}, p + P{4, 0}, "class=\"meshmark\"");
      svg.line(p + P{0, -4}, p + P{0, 4}, "class=\"meshmark\"");
      const double width = 5.6 * static_cast<double>(std::min<std::size_t>(name.size(), 200));
      Box box{p.x + 5, p.y - 12, p.x + 5 + width, p.y - 1};
      for (int tries = 0; tries < 60; ++tries) {
        const bool clash = std::any_of(taken[k].begin(), taken[k].end(), [&](const Box &o) {
          return box.x0 < o.x1 && o.x0 < box.x1 && box.y0 < o.y1 && o.y0 < box.y1;
        });
        if (!clash) break;
        box.y0 += 11;
        box.y1 += 11;
      }
      taken[k].push_back(box);
      svg.text({box.x0, box.y1 - 2}, name,
               m.visibility == MESHVIS_NEVER ? "class=\"meshname hidden\"" : "class=\"meshname\"");
    }
    svg.endItem();
  }
}

void drawCamera(SvgWriter &svg, const vhost::VesselRecord &r, const Views &views) {
  const std::string colour = "#444444";
  svg.beginItem("camera", "camera: offset " + at(r.cameraOffset) + ", looking " + at(r.cameraDirection) +
                              ", tilt " + degrees(r.cameraTilt));
  for (const ViewMap &view : views) {
    const P p = view.point(r.cameraOffset);
    svg.rect(p - P{5, 3.5}, 10, 7, "rx=\"1.5\" fill=\"#ffffff\" stroke=\"" + colour + "\"");
    svg.circle(p, 2, fill(colour));
    directionArrow(svg, view, p, r.cameraDirection, kCameraArrow, colour, "stroke-dasharray=\"4 2\"");
  }
  svg.endItem();
}

}  // namespace vesselhost
