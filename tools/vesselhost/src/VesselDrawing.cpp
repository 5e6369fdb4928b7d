#include "VesselDrawing.h"

#include <algorithm>
#include <cmath>

#include "Projection.h"
#include "Svg.h"
#include "Text.h"
#include "Ticks.h"
#include "VesselItems.h"

namespace vesselhost {
namespace {

constexpr double kMargin = 24, kHeader = 70, kGap = 28, kPad = 64, kTitle = 18;
constexpr double kMainWidth = 900, kMainHeight = 640;  // what the views may take, px
constexpr double kGroupPanel = 170, kGroupPad = 60, kGroupMinWidth = 190;  // one thruster group's view
constexpr double kLine = 15, kKeyWidth = 720;

const char *const kStyle =
    "text { font-family: sans-serif; font-size: 12px; fill: #222222; }\n"
    ".heading { font-size: 16px; font-weight: bold; }\n"
    ".viewtitle { font-size: 13px; font-weight: bold; }\n"
    ".index { font-size: 9px; }\n"
    ".meshname { font-size: 10px; fill: #555555; }\n"
    ".hidden { font-style: italic; fill: #999999; }\n"
    ".meshmark { stroke: #555555; stroke-width: 1; }\n"
    ".frame { fill: none; stroke: #cccccc; }\n"
    ".axis { stroke: #888888; stroke-width: 1; }\n"
    ".axisname { font-size: 11px; fill: #666666; font-style: italic; }\n"
    ".footprint { fill: #000000; fill-opacity: 0.05; stroke: #555555; stroke-dasharray: 5 3; }\n"
    ".other { fill: #cccccc; }\n";

// Each group is drawn in the view that shows what it does best.
ViewId groupView(int type) {
  switch (type) {
    case THGROUP_ATT_YAWLEFT:
    case THGROUP_ATT_YAWRIGHT: return ViewId::Above;
    case THGROUP_ATT_BANKLEFT:
    case THGROUP_ATT_BANKRIGHT:
    case THGROUP_ATT_RIGHT:
    case THGROUP_ATT_LEFT: return ViewId::Front;
    default: return ViewId::Side;
  }
}

struct Panel {
  ViewId id;
  P corner;  // top left of the frame
  double width, height;
  ViewBox box;
  double inset;  // from the frame's left to the view's, past the padding
};

// A panel holding the view of `bounds` at that scale, padded for the glyphs
// that reach past the items' places, and at least minWidth wide (the view
// centred in it).
Panel makePanel(ViewId id, const Bounds3 &bounds, double scale, double pad, P corner, double minWidth = 0) {
  const ViewBox box = bounds.in(viewAxes(id));
  const double width = box.width() * scale + 2 * pad;
  const double wide = std::max(width, minWidth);
  return Panel{id, corner, wide, box.height() * scale + 2 * pad + kTitle, box, pad + (wide - width) / 2};
}

ViewMap mapOf(const Panel &panel, double scale) {
  return ViewMap(viewAxes(panel.id), scale,
                 {panel.corner.x + panel.inset - panel.box.left * scale,
                  panel.corner.y + kTitle + (panel.height - kTitle - panel.box.height() * scale) / 2 +
                      panel.box.top * scale});
}

void drawFrame(SvgWriter &svg, const Panel &panel, const std::string &title) {
  svg.text(panel.corner + P{0, 13}, title, "class=\"viewtitle\"");
  svg.rect(panel.corner + P{0, kTitle}, panel.width, panel.height - kTitle, "class=\"frame\"");
}

// The origin and the two axes of the view, named, pointing the positive way.
void drawOrigin(SvgWriter &svg, const ViewMap &view) {
  const ViewAxes &a = view.axes();
  const P o = view.origin();
  svg.beginGroup("class=\"origin\"");
  svg.arrow(o, o + P{28 * a.rightSign, 0}, 5, "#888888");
  svg.arrow(o, o + P{0, -28}, 5, "#888888");
  svg.text(o + P{a.rightSign > 0 ? 31.0 : -38.0, 4}, a.rightName, "class=\"axisname\"");
  svg.text(o + P{-3, -32}, a.upName, "class=\"axisname\"");
  svg.circle(o, 3, "fill=\"none\" stroke=\"#888888\"");
  svg.text(o + P{4, 12}, "0", "class=\"axisname\"");
  svg.endGroup();
}

void drawItems(SvgWriter &svg, const vhost::VesselRecord &r, const Views &views) {
  drawMeshes(svg, r, views);
  drawTouchdownPoints(svg, r, views);
  drawLights(svg, r, views);
  drawThrusters(svg, r, views);
  drawDockPorts(svg, r, views);
  drawAttachments(svg, r, views);
  drawBeacons(svg, r, views);
  drawCamera(svg, r, views);
}

std::string counted(std::size_t n, const char *one, const char *many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

std::string summary(const vhost::VesselRecord &r) {
  std::size_t thrusters = 0, idle = 0, groups = 0, meshes = 0;
  for (const vhost::ThrusterRecord &t : r.thrusters)
    if (!t.deleted) {
      ++thrusters;
      if (!(t.maxThrust > 0)) ++idle;
    }
  for (const vhost::ThrusterGroupRecord &g : r.thrusterGroups) groups += g.exists;
  for (const vhost::MeshRecord &m : r.meshes) meshes += !m.deleted;
  return counted(thrusters, "thruster", "thrusters") +
         (idle ? " (" + std::to_string(idle) + " without thrust)" : "") + ", " +
         counted(groups, "group", "groups") + ", " +
         counted(r.touchdownPoints.size(), "touchdown point", "touchdown points") + ", " +
         counted(r.dockPorts.size(), "docking port", "docking ports") + ", " +
         counted(r.attachments.size(), "attachment point", "attachment points") + ", " +
         counted(r.lights.size(), "light", "lights") + ", " + counted(r.beacons.size(), "beacon", "beacons") + ", " +
         counted(meshes, "mesh", "meshes");
}

// Scale bar, symbol key and group colours, from `corner`; returns the
// height taken.
double drawKey(SvgWriter &svg, const vhost::VesselRecord &r, double scale, P corner) {
  P p = corner;
  const double metres = roundStep(100 / scale);
  const double len = metres * scale;
  svg.beginGroup("class=\"scalebar\"");
  svg.line(p + P{0, 12}, p + P{len, 12}, "stroke=\"#000000\" stroke-width=\"3\"");
  for (double x : {0.0, len}) svg.line(p + P{x, 6}, p + P{x, 18}, "stroke=\"#000000\"");
  svg.text(p + P{len + 8, 16}, value(metres) + " m", "");
  svg.endGroup();
  p.y += 34;

  svg.beginGroup("class=\"key\"");
  const std::string largest = value(largestThrust(r));
  const char *const lines[] = {
      "Thruster: an arrow the way its flame goes, longer the more it can push",
      "  (cube root of its maximum thrust; the largest here is ",
      "  dashed with an open head: no thrust (flame only)",
      "  ring with a dot: flame toward you; ring with a cross: away from you",
      "Touchdown point: numbered circle; dashed: the polygon they span",
      "Docking port: blue square, arrow the way it faces, tick its rotation",
      "Attachment: diamond as child, square as parent; arrow and tick likewise",
      "Light: its colour, filled when on, dashed when off; spot: its cone",
      "Beacon: its colour, filled when active, open and dashed when not",
      "Mesh: + at its offset, its name (grey italic: hidden); camera: box",
      "Hover over anything for its values.",
  };
  for (const char *line : lines) {
    std::string text = line;
    if (text.find("largest here is") != std::string::npos) text += largest + " N)";
    svg.text(p + P{0, 11}, text, "");
    p.y += kLine;
  }
  svg.endGroup();
  double height = p.y - corner.y;

  // The groups' colours beside the key.
  P q = corner + P{470, 34};
  svg.beginGroup("class=\"legend\"");
  svg.text(q + P{0, 11}, "Thruster groups:", "");
  q.y += kLine;
  bool any = false;
  for (int type = 0; type < kGroupTypes; ++type) {
    if (!r.thrusterGroups[type].exists) continue;
    any = true;
    svg.rect(q + P{0, 2}, 14, 10, "fill=\"" + std::string(groupColour(type)) + "\"");
    svg.text(q + P{20, 11}, groupName(type), "");
    q.y += kLine;
  }
  svg.rect(q + P{0, 2}, 14, 10, "fill=\"" + std::string(kNoGroupColour) + "\"");
  svg.text(q + P{20, 11}, any ? "in no group" : "no groups", "");
  q.y += kLine;
  svg.text(q + P{0, 11}, "(a thruster in several groups takes its first)", "class=\"index\"");
  q.y += kLine;
  svg.endGroup();
  return std::max(height, q.y - corner.y);
}

// One small view per thruster group: its members in its colour, every
// other thruster a grey dot. Returns the height taken.
double drawGroups(SvgWriter &svg, const vhost::VesselRecord &r, const Bounds3 &bounds, double scale, P corner,
                  double pageWidth) {
  const double largest = largestThrust(r);
  P at = corner;
  double rowHeight = 0;
  for (int type = 0; type < kGroupTypes; ++type) {
    const vhost::ThrusterGroupRecord &g = r.thrusterGroups[type];
    if (!g.exists) continue;
    const ViewId id = groupView(type);
    const ViewBox box = bounds.in(viewAxes(id));
    const double s = std::min(scale, kGroupPanel / std::max(box.width(), box.height()));
    Panel panel = makePanel(id, bounds, s, kGroupPad, at, kGroupMinWidth);
    if (at.x > corner.x && at.x + panel.width > pageWidth - kMargin) {
      at = P{corner.x, at.y + rowHeight + kGap / 2};
      rowHeight = 0;
      panel = makePanel(id, bounds, s, kGroupPad, at, kGroupMinWidth);
    }
    const ViewMap view = mapOf(panel, s);

    std::string members;
    double thrust = 0;
    for (int th : g.thrusters) {
      members += (members.empty() ? "" : ", ") + std::to_string(th);
      if (th >= 0 && static_cast<std::size_t>(th) < r.thrusters.size()) thrust += r.thrusters[th].maxThrust;
    }
    svg.beginItem("group", std::string("group ") + groupName(type) + ": " +
                               counted(g.thrusters.size(), "thruster", "thrusters") +
                               (members.empty() ? "" : " (" + members + ")") + ", " + value(thrust) + " N in all");
    drawFrame(svg, panel, std::string(groupName(type)) + " (" + std::to_string(g.thrusters.size()) + ")");
    svg.text(panel.corner + P{panel.width - 4, 13}, viewAxes(id).shortTitle, "class=\"axisname\" text-anchor=\"end\"");
    for (const vhost::ThrusterRecord &t : r.thrusters)
      if (!t.deleted) svg.circle(view.point(t.pos), 1.2, "class=\"other\"");
    for (int th : g.thrusters)
      if (th >= 0 && static_cast<std::size_t>(th) < r.thrusters.size() && !r.thrusters[th].deleted)
        drawThrusterGlyph(svg, view, r.thrusters[th], largest, groupColour(type));
    svg.endItem();
    at.x += panel.width + kGap / 2;
    rowHeight = std::max(rowHeight, panel.height);
  }
  return at.y + rowHeight - corner.y;
}

}  // namespace

std::string vesselSvg(const vhost::VesselRecord &r, double t) {
  Bounds3 bounds = itemBounds(r);
  const VECTOR3 size = bounds.hi - bounds.lo;
  bounds.widen(std::max(0.5, 0.25 * std::max({size.x, size.y, size.z})));
  const VECTOR3 ext = bounds.hi - bounds.lo;
  const double scale = std::min(kMainWidth / (ext.z + ext.x), kMainHeight / (ext.y + ext.z));

  const Panel side = makePanel(ViewId::Side, bounds, scale, kPad, {kMargin, kMargin + kHeader});
  const Panel front = makePanel(ViewId::Front, bounds, scale, kPad, {side.corner.x + side.width + kGap, side.corner.y});
  const Panel above = makePanel(ViewId::Above, bounds, scale, kPad, {kMargin, side.corner.y + side.height + kGap});
  const P keyCorner{above.corner.x + above.width + kGap, above.corner.y + kTitle};
  const double pageWidth =
      std::max({front.corner.x + front.width, keyCorner.x + kKeyWidth, 4 * (kGroupPanel + 2 * kGroupPad)}) + kMargin;

  const std::string heading =
      "\"" + toUtf8(r.name) + "\" (class " + toUtf8(r.className) + ") at t = " + value(t) + " s";
  SvgWriter svg("Layout of " + heading, kStyle);
  svg.text({kMargin, kMargin + 14}, heading, "class=\"heading\"");
  svg.text({kMargin, kMargin + 34}, summary(r), "");
  svg.text({kMargin, kMargin + 52},
           "Vessel frame, metres: x right, y up, z forward. Three views to one scale; the small views below show "
           "each thruster group.",
           "");

  Views views;
  for (const Panel *panel : {&side, &front, &above}) {
    drawFrame(svg, *panel, viewAxes(panel->id).title);
    views.push_back(mapOf(*panel, scale));
    drawOrigin(svg, views.back());
  }
  drawItems(svg, r, views);

  const double keyHeight = drawKey(svg, r, scale, keyCorner);
  const double groupsTop = std::max(above.corner.y + above.height, keyCorner.y + keyHeight) + kGap;
  const double groupsHeight = drawGroups(svg, r, bounds, scale, {kMargin, groupsTop}, pageWidth);
  return svg.finish(pageWidth, groupsTop + groupsHeight + kMargin);
}

}  // namespace vesselhost
