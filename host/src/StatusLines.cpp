#include "StatusLines.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "Motion.h"
#include "Placement.h"
#include "vessel_common/PortableMath.h"
#include "ScenarioText.h"

namespace vhost {
namespace detail {

namespace {

const char *skipBlanks(const char *p) {
  while (*p == ' ' || *p == '\t') ++p;
  return p;
}

bool finite3(const double *v, int n) {
  for (int i = 0; i < n; ++i)
    if (!std::isfinite(v[i])) return false;
  return true;
}

// Up to n numbers as the simulator scans them; the fields that read are
// set, the rest keep what they held. False unless all n read and are
// finite (numbers that are not finite are not taken: no state is made of
// them).
bool scanNumbers(const char *rest, double *out, int n, const char *key, std::string &problem) {
  double v[3] = {out[0], n > 1 ? out[1] : 0, n > 2 ? out[2] : 0};
  const int got = n == 1   ? std::sscanf(rest, "%lf", &v[0])
                  : n == 2 ? std::sscanf(rest, "%lf %lf", &v[0], &v[1])
                           : std::sscanf(rest, "%lf %lf %lf", &v[0], &v[1], &v[2]);
  const int read = got < 0 ? 0 : got;
  if (!finite3(v, read)) {
    problem = std::string(key) + " holds a number that is not finite; the line is not used";
    return false;
  }
  for (int i = 0; i < read; ++i) out[i] = v[i];
  if (read == n) return true;
  problem = std::string(key) + " needs " + std::to_string(n) + " number" + (n > 1 ? "s" : "") + "; " +
            std::to_string(read) + " read";
  return false;
}

bool scanVector(const char *rest, VECTOR3 &v, double scale, const char *key, std::string &problem) {
  double d[3] = {v.x / scale, v.y / scale, v.z / scale};
  const bool ok = scanNumbers(rest, d, 3, key, problem);
  v = _V(d[0] * scale, d[1] * scale, d[2] * scale);
  return ok;
}

// "i:level i:level ...", tokens split at single blanks, each an index, any
// one character and a number; a token that does not read is passed over.
bool scanLevels(const char *rest, std::vector<std::pair<int, double>> &list, const char *key, std::string &problem) {
  list.clear();
  bool allRead = true;
  std::string s(rest);
  std::size_t b = 0;
  while (b <= s.size()) {
    std::size_t e = s.find(' ', b);
    if (e == std::string::npos) e = s.size();
    const std::string token = s.substr(b, e - b);
    b = e + 1;
    if (token.empty()) continue;
    int index = 0;
    char sep = 0;
    double level = 0;
    if (std::sscanf(token.c_str(), "%d%c%lf", &index, &sep, &level) == 3 && std::isfinite(level))
      list.emplace_back(index, level);
    else
      allRead = false;
  }
  if (!allRead) problem = std::string(key) + " has an item that is not INDEX:LEVEL; it is passed over";
  return allRead;
}

enum Key {
  STATUS, BASE, POS, HEADING, PRPLEVEL, FUEL, THLEVEL, ENGINE_MAIN, ENGINE_HOVR, DOCKINFO, RPOS, RVEL, AROT,
  VROT, ALT, ELEMENTS, IDS, NAVFREQ, XPDR, RCSMODE, AFCMODE, ATTACHED, FLIGHTDATA,
};

struct KeyName {
  Key key;
  const char *name;
};

// In the order the simulator tries them.
const KeyName kKeys[] = {
    {STATUS, "STATUS"},     {BASE, "BASE"},     {POS, "POS"},           {HEADING, "HEADING"},
    {PRPLEVEL, "PRPLEVEL"}, {FUEL, "FUEL"},     {THLEVEL, "THLEVEL"},   {ENGINE_MAIN, "ENGINE_MAIN"},
    {ENGINE_HOVR, "ENGINE_HOVR"}, {DOCKINFO, "DOCKINFO"}, {RPOS, "RPOS"}, {RVEL, "RVEL"},
    {AROT, "AROT"},         {VROT, "VROT"},     {ALT, "ALT"},           {ELEMENTS, "ELEMENTS"},
    {IDS, "IDS"},           {NAVFREQ, "NAVFREQ"}, {XPDR, "XPDR"},       {RCSMODE, "RCSMODE"},
    {AFCMODE, "AFCMODE"},   {ATTACHED, "ATTACHED"}, {FLIGHTDATA, "FLIGHTDATA"},
};

StatusLineKind readStatus(const char *rest, LoadStatus &st, std::string &problem) {
  std::string s = cutLine(rest);
  bool landed;
  std::size_t word;
  if (startsWithText(s.c_str(), "LANDED")) {
    landed = true;
    word = 6;
  } else if (startsWithText(s.c_str(), "ORBITING")) {
    landed = false;
    word = 8;
  } else {
    problem = "STATUS must be Landed or Orbiting; the line is not used";
    return StatusLineKind::Bad;
  }
  const std::string body = cutLine(s.substr(word));
  const int b = findBody(body.c_str());
  st.landed = landed;
  if (landed) {
    st.heading = 0;
    st.attitudeGiven = false;
  }
  if (b < 0) {
    problem = "unknown body \"" + body + "\" (this host has Earth and Moon); the vessel stays at " +
              kBodies[st.body].name;
    return StatusLineKind::Bad;
  }
  st.body = b;
  return StatusLineKind::Read;
}

}  // namespace

StatusLineKind readStatusLine(const char *line, LoadStatus &st, std::string &problem) {
  if (!line) return StatusLineKind::NotHost;
  line = skipBlanks(line);
  const KeyName *k = nullptr;
  for (const KeyName &candidate : kKeys)
    if (startsWithText(line, candidate.name)) {
      k = &candidate;
      break;
    }
  if (!k) return StatusLineKind::NotHost;
  const char *rest = line + std::strlen(k->name);
  auto result = [](bool ok) { return ok ? StatusLineKind::Read : StatusLineKind::Bad; };
  switch (k->key) {
    case STATUS:
      return readStatus(rest, st, problem);
    case POS: {
      double d[2] = {st.lng * DEG, st.lat * DEG};
      const bool ok = scanNumbers(rest, d, 2, "POS", problem);
      st.lng = d[0] * RAD;
      st.lat = d[1] * RAD;
      return result(ok);
    }
    case HEADING: {
      double d = st.heading * DEG;
      const bool ok = scanNumbers(rest, &d, 1, "HEADING", problem);
      st.heading = d * RAD;
      return result(ok);
    }
    case PRPLEVEL:
      st.fuelAll = false;
      return result(scanLevels(rest, st.fuel, "PRPLEVEL", problem));
    case FUEL: {
      double d = 0;
      if (!scanNumbers(rest, &d, 1, "FUEL", problem)) return StatusLineKind::Bad;
      st.fuel.clear();
      st.fuelAll = true;
      st.fuelAllLevel = d;
      return StatusLineKind::Read;
    }
    case THLEVEL:
      return result(scanLevels(rest, st.thrust, "THLEVEL", problem));
    case RPOS:
      return result(scanVector(rest, st.rpos, 1.0, "RPOS", problem));
    case RVEL:
      return result(scanVector(rest, st.rvel, 1.0, "RVEL", problem));
    case AROT:
      st.attitudeGiven = true;
      return result(scanVector(rest, st.arot, RAD, "AROT", problem));
    case VROT:
      return result(scanVector(rest, st.vrot, RAD, "VROT", problem));
    case ALT:
      // The simulator keeps ALT where VROT keeps its first number.
      return result(scanNumbers(rest, &st.vrot.x, 1, "ALT", problem));
    case NAVFREQ: {
      st.navGiven = true;
      st.nav.clear();
      const char *p = rest;
      for (;;) {
        p = skipBlanks(p);
        if (!*p) break;
        int step = 0, used = 0;
        if (std::sscanf(p, "%d%n", &step, &used) == 1) st.nav.push_back(step);
        while (*p && *p != ' ' && *p != '\t') ++p;
      }
      return StatusLineKind::Read;
    }
    case XPDR: {
      int v = 0;
      if (std::sscanf(rest, "%d", &v) == 1) return StatusLineKind::Read;
      problem = "XPDR needs a number";
      return StatusLineKind::Bad;
    }
    case RCSMODE:
    case AFCMODE: {
      int v = 0;
      if (std::sscanf(rest, "%d", &v) != 1) {
        problem = std::string(k->name) + " needs a number";
        return StatusLineKind::Bad;
      }
      (k->key == RCSMODE ? st.rcsMode : st.afcMode) = v;
      return StatusLineKind::Read;
    }
    case ATTACHED: {
      SavedAttachment a;
      char parent[256] = {};
      if (std::sscanf(rest, "%d:%d,%255s", &a.childPoint, &a.parentPoint, parent) != 3 || a.childPoint < 0 ||
          a.parentPoint < 0) {
        problem = "ATTACHED needs C:P,PARENT; the line is not used";
        return StatusLineKind::Bad;
      }
      a.parent = parent;
      st.attachments.push_back(a);
      return StatusLineKind::Read;
    }
    default:
      problem = std::string(k->name) + " is not modelled by this host; the line is not used";
      return StatusLineKind::Unmodelled;
  }
}

namespace {

// The local frame at a longitude and latitude of a body centred at the
// origin: up, north, east.
void localFrame(double lng, double lat, VECTOR3 &up, VECTOR3 &north, VECTOR3 &east) {
  double slng, clng, slat, clat;
  vmod::portableSinCos(lng, slng, clng);
  vmod::portableSinCos(lat, slat, clat);
  up = _V(clat * clng, slat, clat * slng);
  north = _V(-slat * clng, clat, -slat * slng);
  east = _V(-slng, 0, clng);
}

}  // namespace

double standingHeight(const std::vector<TOUCHDOWNVTX> &points) {
  if (points.size() < 3) return 0;
  VECTOR3 n = crossp(points[1].pos - points[0].pos, points[2].pos - points[0].pos);
  const double len = length(n);
  if (!(len > 0) || !std::isfinite(len)) return 0;
  n = n / len;
  if (n.y < 0) n = -n;
  const double h = -dotp(n, points[0].pos);
  return std::isfinite(h) && h > 0 ? h : 0;
}

void applyStatus(const LoadStatus &st, double bodyRadius, VesselRecord &r) {
  for (PropellantRecord &p : r.propellant) p.mass = 0;
  if (st.fuelAll)
    for (PropellantRecord &p : r.propellant) p.mass = std::fmin(st.fuelAllLevel * p.maxMass, p.maxMass);
  for (const auto &f : st.fuel)
    if (f.first == -1)
      for (PropellantRecord &p : r.propellant) p.mass = std::fmin(f.second * p.maxMass, p.maxMass);
    else if (f.first >= 0 && std::size_t(f.first) < r.propellant.size())
      r.propellant[f.first].mass = std::fmin(f.second * r.propellant[f.first].maxMass, r.propellant[f.first].maxMass);
  for (ThrusterRecord &t : r.thrusters) t.level = 0;
  for (const auto &t : st.thrust)
    if (t.first >= 0 && std::size_t(t.first) < r.thrusters.size()) r.thrusters[t.first].level = t.second;
  if (st.navGiven) r.navSteps = st.nav;
  r.rcsMode = st.rcsMode;
  r.afcMode = st.afcMode;

  MotionRecord &m = r.motion;
  m.body = kBodies[st.body].name;
  if (st.landed) {
    if (st.attitudeGiven)
      placeLanded(st.lng, st.lat, st.heading, &st.arot, st.vrot.x, bodyRadius, r);
    else
      placeLanded(st.lng, st.lat, st.heading, nullptr, 0, bodyRadius, r);
  } else {
    m.landed = false;
    m.rpos = st.rpos;
    if (!(safeLength(m.rpos) > 0)) m.rpos = _V(0, 0, 1);
    m.rvel = st.rvel;
    m.arot = st.arot;
    m.vrot = st.vrot;
    altitudeFromPosition(m, bodyRadius);
  }
}

void placeLanded(double lng, double lat, double heading, const VECTOR3 *arot, double height, double bodyRadius,
                 VesselRecord &r) {
  MotionRecord &m = r.motion;
  VECTOR3 up, north, east;
  localFrame(lng, lat, up, north, east);
  m.landed = true;
  m.lng = lng;
  m.lat = lat;
  m.heading = heading;
  if (arot) {
    m.arot = *arot;
    m.altitude = height > 0 ? height : 0;
  } else {
    double sh, ch;
    vmod::portableSinCos(heading, sh, ch);
    const VECTOR3 right = east * ch - north * sh, forward = north * ch + east * sh;
    m.arot = eulerAngles(_M(right.x, up.x, forward.x, right.y, up.y, forward.y, right.z, up.z, forward.z));
    m.altitude = standingHeight(r.touchdownPoints);
  }
  m.rpos = up * (bodyRadius + m.altitude);
  m.rvel = _V(0, 0, 0);
  m.vrot = _V(0, 0, 0);
}

void noteSurface(MotionRecord &m) {
  const VECTOR3 up = upDirection(m);
  m.lat = vmod::portableAsin(std::fmax(-1.0, std::fmin(1.0, up.y)));
  m.lng = vmod::portableAtan2(up.z, up.x);
  VECTOR3 u, north, east;
  localFrame(m.lng, m.lat, u, north, east);
  const VECTOR3 forward = mul(eulerRotation(m.arot), _V(0, 0, 1));
  double heading = vmod::portableAtan2(dotp(forward, east), dotp(forward, north));
  if (heading < 0) heading += PI2;
  m.heading = heading;
}

namespace {

std::string fixed(const char *key, const double *v, int n, int decimals) {
  std::string s = key;
  char buf[400];
  for (int i = 0; i < n; ++i) {
    std::snprintf(buf, sizeof buf, " %.*f", decimals, v[i]);
    s += buf;
  }
  return s;
}

std::string fixedVector(const char *key, const VECTOR3 &v, double scale, int decimals) {
  const double d[3] = {v.x * scale, v.y * scale, v.z * scale};
  return fixed(key, d, 3, decimals);
}

}  // namespace

void writeMotionLines(const VesselRecord &r, std::vector<std::string> &out) {
  const MotionRecord &m = r.motion;
  out.push_back(std::string("STATUS ") + (m.landed ? "Landed " : "Orbiting ") + m.body);
  if (m.landed) {
    const double pos[2] = {m.lng * DEG, m.lat * DEG}, heading = m.heading * DEG;
    out.push_back(fixed("POS", pos, 2, 7));
    out.push_back(fixed("HEADING", &heading, 1, 2));
    out.push_back(fixed("ALT", &m.altitude, 1, 3));
    out.push_back(fixedVector("AROT", m.arot, DEG, 3));
    return;
  }
  out.push_back(fixedVector("RPOS", m.rpos, 1.0, 3));
  out.push_back(fixedVector("RVEL", m.rvel, 1.0, 4));
  out.push_back(fixedVector("AROT", m.arot, DEG, 3));
  if (dotp(m.vrot, m.vrot) > 1e-8) out.push_back(fixedVector("VROT", m.vrot, DEG, 4));
}

void writeLevelLines(const VesselRecord &r, std::vector<std::string> &out) {
  if (r.rcsMode != 1) out.push_back("RCSMODE " + std::to_string(r.rcsMode));
  if (r.afcMode != 0) out.push_back("AFCMODE " + std::to_string(r.afcMode));
  char buf[400];
  std::string prp = "PRPLEVEL";
  for (std::size_t i = 0; i < r.propellant.size(); ++i) {
    const PropellantRecord &p = r.propellant[i];
    const double level = p.maxMass > 0 ? p.mass / p.maxMass : 0;
    if (p.deleted || level == 0) continue;
    std::snprintf(buf, sizeof buf, " %zu:%.6f", i, level);
    prp += buf;
  }
  const bool prpWritten = prp.size() > 8;
  if (prpWritten) out.push_back(prp);
  // The simulator writes these with the decimals of the line before.
  const bool vrotWritten = !r.motion.landed && dotp(r.motion.vrot, r.motion.vrot) > 1e-8;
  const int decimals = prpWritten ? 6 : r.motion.landed ? 3 : vrotWritten ? 4 : 3;
  std::string th = "THLEVEL";
  for (std::size_t i = 0; i < r.thrusters.size(); ++i) {
    if (r.thrusters[i].deleted || r.thrusters[i].level == 0) continue;
    std::snprintf(buf, sizeof buf, " %zu:%.*f", i, decimals, r.thrusters[i].level);
    th += buf;
  }
  if (th.size() > 7) out.push_back(th);
  if (!r.navSteps.empty()) {
    std::string nav = "NAVFREQ";
    for (int step : r.navSteps) nav += " " + std::to_string(step);
    out.push_back(nav);
  }
}

}  // namespace detail
}  // namespace vhost
