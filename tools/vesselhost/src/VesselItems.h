// The things a plug-in configured, drawn into the views of a vessel's
// layout: one SVG item per thruster, touchdown point, docking port,
// attachment point, light, beacon, mesh and the camera, each with a class
// naming its kind and a title naming it and its values.
#ifndef VESSELHOST_VESSELITEMS_H
#define VESSELHOST_VESSELITEMS_H

#include <string>
#include <vector>

#include "Projection.h"
#include "Svg.h"
#include "vhost/Records.h"

namespace vesselhost {

constexpr int kGroupTypes = 15;  // THGROUP_MAIN .. THGROUP_ATT_BACK

const char *groupName(int type);  // "MAIN", "PITCHUP", ...
const char *groupColour(int type);
constexpr const char *kNoGroupColour = "#8c8c8c";

// For each thruster, the group types it belongs to, in type order.
std::vector<std::vector<int>> groupsOfThrusters(const vhost::VesselRecord &r);
// The largest maximum thrust of the vessel's thrusters (0 when none push).
double largestThrust(const vhost::VesselRecord &r);
// Every place an item is drawn at.
Bounds3 itemBounds(const vhost::VesselRecord &r);

// A thruster's arrow in one view: from its position the way its flame goes,
// longer the more it can push; a thruster with no thrust is a short dashed
// arrow with an open head. One pointing along the line of sight gets a
// ring: dotted when the flame comes at the viewer, crossed when it goes away.
void drawThrusterGlyph(SvgWriter &svg, const ViewMap &view, const vhost::ThrusterRecord &t, double largest,
                       const char *colour);

using Views = std::vector<ViewMap>;

void drawThrusters(SvgWriter &svg, const vhost::VesselRecord &r, const Views &views);
void drawTouchdownPoints(SvgWriter &svg, const vhost::VesselRecord &r, const Views &views);
void drawDockPorts(SvgWriter &svg, const vhost::VesselRecord &r, const Views &views);
void drawAttachments(SvgWriter &svg, const vhost::VesselRecord &r, const Views &views);
void drawLights(SvgWriter &svg, const vhost::VesselRecord &r, const Views &views);
void drawBeacons(SvgWriter &svg, const vhost::VesselRecord &r, const Views &views);
void drawMeshes(SvgWriter &svg, const vhost::VesselRecord &r, const Views &views);
void drawCamera(SvgWriter &svg, const vhost::VesselRecord &r, const Views &views);

}  // namespace vesselhost

#endif  // VESSELHOST_VESSELITEMS_H
