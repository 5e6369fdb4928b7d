// The host's own lines of a vessel in a scenario, read and written as the
// simulator reads and writes them. Reading gathers a vessel's lines into a
// LoadStatus (the simulator's status record of a vessel being loaded);
// once the vessel's lines are read, the status is applied: tanks emptied
// and filled again from PRPLEVEL, thruster levels likewise, the vessel put
// where STATUS and its lines say.
//
// Keywords are matched in any case as the start of the line, in a fixed
// order (so "ALTITUDE" is ALT): STATUS, BASE, POS, HEADING, PRPLEVEL, FUEL,
// THLEVEL, ENGINE_MAIN, ENGINE_HOVR, DOCKINFO, RPOS, RVEL, AROT, VROT, ALT,
// ELEMENTS, IDS, NAVFREQ, XPDR, RCSMODE, AFCMODE, ATTACHED, FLIGHTDATA.
// "STATUS Landed BODY" places the vessel by POS (longitude and latitude,
// degrees) and HEADING (degrees from north towards east); with an AROT after
// STATUS its attitude is AROT and its height ALT, else it stands level on
// its first three touchdown points. "STATUS Orbiting BODY" places it by
// RPOS, RVEL, AROT and VROT (m, m/s, degrees, degrees a second); ALT shares
// VROT's first field, as in the simulator.
#ifndef VHOST_STATUSLINES_H
#define VHOST_STATUSLINES_H

#include <string>
#include <utility>
#include <vector>

#include "vhost/Records.h"

namespace vhost {
namespace detail {

// An ATTACHED line: this vessel's point for a parent `childPoint` hangs on
// point `parentPoint` of the vessel `parent`.
struct SavedAttachment {
  int childPoint = 0, parentPoint = 0;
  std::string parent;
  int line = 0;
};

struct LoadStatus {
  bool landed = false;
  int body = 0;  // index in kBodies
  double lng = 0, lat = 0, heading = 0;  // rad
  VECTOR3 rpos{}, rvel{}, arot{}, vrot{};  // m, m/s, rad, rad/s; landed: vrot.x is the height (m)
  bool attitudeGiven = false;  // an AROT after STATUS
  bool fuelAll = false;        // FUEL: every tank at fuelAllLevel
  double fuelAllLevel = 0;
  std::vector<std::pair<int, double>> fuel, thrust;  // PRPLEVEL, THLEVEL: index, level
  bool navGiven = false;
  std::vector<int> nav;  // NAVFREQ steps
  int rcsMode = 1, afcMode = 0;
  std::vector<SavedAttachment> attachments;
};

enum class StatusLineKind {
  NotHost,     // no keyword of the host's: the plug-in's own line
  Read,        // read
  Bad,         // the keyword's, but its value does not read: taken as far as it reads
  Unmodelled,  // a keyword this host does not model (BASE, DOCKINFO, ...): nothing done
};

// Reads one line into st; for Bad and Unmodelled, problem says why.
StatusLineKind readStatusLine(const char *line, LoadStatus &st, std::string &problem);

// Applies a read status to a vessel: tanks and thruster levels reset and
// filled from the lists, the vessel placed (bodyRadius of its body).
void applyStatus(const LoadStatus &st, double bodyRadius, VesselRecord &r);

// Puts a vessel on the ground at a longitude, latitude and heading (rad):
// with arot, at that attitude and height; without, standing level on its
// touchdown points. It stands still.
void placeLanded(double lng, double lat, double heading, const VECTOR3 *arot, double height, double bodyRadius,
                 VesselRecord &r);

// The height of a vessel's origin above the plane of its first three
// touchdown points: where its centre is when it stands level; 0 without
// them.
double standingHeight(const std::vector<TOUCHDOWNVTX> &points);

// The surface position a landed vessel's lines give (longitude, latitude,
// heading) from its place and attitude.
void noteSurface(MotionRecord &m);

// The host's lines of a vessel as the simulator writes them, fixed decimals
// each: landed STATUS, POS, HEADING, ALT, AROT; orbiting STATUS, RPOS, RVEL,
// AROT, VROT while it turns; then RCSMODE, AFCMODE when not the default,
// PRPLEVEL for the tanks that are not empty, THLEVEL, NAVFREQ. ATTACHED is
// the caller's (it knows the parent).
void writeMotionLines(const VesselRecord &r, std::vector<std::string> &out);
void writeLevelLines(const VesselRecord &r, std::vector<std::string> &out);

}  // namespace detail
}  // namespace vhost

#endif  // VHOST_STATUSLINES_H
