// VESSEL: propellant resources, thrusters, thruster groups, exhausts.
#include <algorithm>
#include <cmath>

#include "Handles.h"
#include "HostCore.h"
#include "MeshTextureNames.h"
#include "Motion.h"
#include "VesselImpl.h"

using vhost::detail::Call;
using vhost::detail::enter;
using vhost::detail::HandleKind;
using vhost::detail::makeHandle;

namespace {

constexpr int kGroupTypes = 15;

// The resource index behind ph: -1 with a warning for a handle the host never
// gave out, -1 quietly for a deleted resource.
int resourceOf(const Call &c, PROPELLANT_HANDLE ph, const char *call) {
  std::uint32_t owner = 0, i = 0;
  if (!vhost::detail::decodeHandle(ph, HandleKind::Propellant, owner, i) || owner != c.v->serial ||
      i >= c.v->rec.propellant.size()) {
    c.sim->warn(c.v, call, "not a propellant resource handle of this vessel");
    return -1;
  }
  return c.v->rec.propellant[i].deleted ? -1 : int(i);
}

// The thruster index behind th: -1 with a warning for a handle the host
// never gave out, and for a deleted thruster, whose record the real host
// has freed; -1 quietly for a deleted one when the call only looks it up.
int thrusterOf(const Call &c, THRUSTER_HANDLE th, const char *call, bool deletedIsMisuse = true) {
  std::uint32_t owner = 0, i = 0;
  if (!vhost::detail::decodeHandle(th, HandleKind::Thruster, owner, i) || owner != c.v->serial ||
      i >= c.v->rec.thrusters.size()) {
    c.sim->warn(c.v, call, "not a thruster handle of this vessel");
    return -1;
  }
  if (!c.v->rec.thrusters[i].deleted) return int(i);
  if (deletedIsMisuse)
    c.sim->warn(c.v, call, "thruster %u was deleted; the real host would reach its freed record", unsigned(i));
  return -1;
}

// The group type behind a group handle; -1 with a warning when it is none.
int groupOf(const Call &c, THGROUP_HANDLE h, const char *call) {
  std::uint32_t owner = 0, type = 0;
  if (!vhost::detail::decodeHandle(h, HandleKind::ThrusterGroup, owner, type) || owner != c.v->serial ||
      type >= kGroupTypes) {
    c.sim->warn(c.v, call, "not a thruster group handle of this vessel");
    return -1;
  }
  return int(type);
}

bool standardGroup(const Call &c, THGROUP_TYPE type, const char *call) {
  if (int(type) >= 0 && int(type) < kGroupTypes) return true;
  c.sim->warn(c.v, call, "thruster group type %d is not one of the standard types 0..14", int(type));
  return false;
}

// Thruster t goes, with its flames, from every group but skip.
void deleteThruster(vhost::VesselRecord &r, int t, const vhost::ThrusterGroupRecord *skip) {
  r.thrusters[t].deleted = true;
  r.exhausts.erase(std::remove_if(r.exhausts.begin(), r.exhausts.end(),
                                  [t](const vhost::ExhaustRecord &e) { return e.thruster == t; }),
                   r.exhausts.end());
  for (vhost::ThrusterGroupRecord &g : r.thrusterGroups) {
    if (&g == skip) continue;
    g.thrusters.erase(std::remove(g.thrusters.begin(), g.thrusters.end(), t), g.thrusters.end());
  }
}

void removeGroup(vhost::VesselRecord &r, int type, bool delth) {
  vhost::ThrusterGroupRecord &g = r.thrusterGroups[type];
  if (delth)
    for (int t : g.thrusters) deleteThruster(r, t, &g);
  g.exists = false;
  g.thrusters.clear();  // keeps its capacity for the next group of the type
}

}  // namespace

// --- propellant ------------------------------------------------------------------

PROPELLANT_HANDLE VESSEL::CreatePropellantResource(double maxmass, double mass, double efficiency) const {
  Call c = enter(hVessel_, "CreatePropellantResource", maxmass, mass, efficiency);
  if (!c) return nullptr;
  vhost::PropellantRecord p;
  p.maxMass = maxmass;
  p.mass = mass < 0 ? maxmass : mass;
  p.efficiency = efficiency;
  c.v->rec.propellant.push_back(p);
  std::uint32_t i = std::uint32_t(c.v->rec.propellant.size() - 1);
  if (c.v->rec.defaultPropellant < 0) c.v->rec.defaultPropellant = int(i);
  return makeHandle(HandleKind::Propellant, c.v->serial, i);
}

void VESSEL::DelPropellantResource(PROPELLANT_HANDLE &ph) const {
  Call c = enter(hVessel_, "DelPropellantResource", ph);
  if (!c) return;
  int i = resourceOf(c, ph, "DelPropellantResource");
  ph = nullptr;
  if (i < 0) return;
  vhost::VesselRecord &r = c.v->rec;
  r.propellant[i].deleted = true;
  for (vhost::ThrusterRecord &t : r.thrusters)
    if (t.propellant == i) t.propellant = -1;
  if (r.defaultPropellant == i) {
    r.defaultPropellant = -1;
    for (std::size_t k = 0; k < r.propellant.size(); ++k)
      if (!r.propellant[k].deleted) {
        r.defaultPropellant = int(k);
        break;
      }
  }
}

void VESSEL::SetPropellantMaxMass(PROPELLANT_HANDLE ph, double maxmass) const {
  Call c = enter(hVessel_, "SetPropellantMaxMass", ph, maxmass);
  if (!c) return;
  int i = resourceOf(c, ph, "SetPropellantMaxMass");
  if (i < 0) return;
  vhost::PropellantRecord &p = c.v->rec.propellant[i];
  p.maxMass = maxmass;
  // A tank made smaller keeps no more than it now holds.
  if (p.mass > maxmass) p.mass = maxmass;
}

double VESSEL::GetPropellantMaxMass(PROPELLANT_HANDLE ph) const {
  Call c = enter(hVessel_, "GetPropellantMaxMass", ph);
  if (!c) return 0;
  int i = resourceOf(c, ph, "GetPropellantMaxMass");
  return i >= 0 ? c.v->rec.propellant[i].maxMass : 0.0;
}

void VESSEL::SetPropellantMass(PROPELLANT_HANDLE ph, double mass) const {
  Call c = enter(hVessel_, "SetPropellantMass", ph, mass);
  if (!c) return;
  int i = resourceOf(c, ph, "SetPropellantMass");
  if (i < 0) return;
  vhost::PropellantRecord &p = c.v->rec.propellant[i];
  if (!(mass >= 0.0 && mass <= p.maxMass)) {
    c.sim->warn(c.v, "SetPropellantMass", "mass %g kg is outside the tank's 0..%g kg; it is held to that range", mass,
                p.maxMass);
    mass = mass > p.maxMass ? p.maxMass : 0.0;
  }
  p.mass = mass;
}

double VESSEL::GetPropellantMass(PROPELLANT_HANDLE ph) const {
  Call c = enter(hVessel_, "GetPropellantMass", ph);
  if (!c) return 0;
  int i = resourceOf(c, ph, "GetPropellantMass");
  return i >= 0 ? c.v->rec.propellant[i].mass : 0.0;
}

void VESSEL::SetDefaultPropellantResource(PROPELLANT_HANDLE ph) const {
  Call c = enter(hVessel_, "SetDefaultPropellantResource", ph);
  if (!c) return;
  int i = resourceOf(c, ph, "SetDefaultPropellantResource");
  if (i >= 0) c.v->rec.defaultPropellant = i;
}

DWORD VESSEL::GetPropellantCount() const {
  Call c = enter(hVessel_, "GetPropellantCount");
  if (!c) return 0;
  UINT n = 0;
  for (const vhost::PropellantRecord &p : c.v->rec.propellant) n += p.deleted ? 0 : 1;
  return n;
}

// --- thrusters -------------------------------------------------------------------

THRUSTER_HANDLE VESSEL::CreateThruster(const VECTOR3 &pos, const VECTOR3 &dir, double maxth0, PROPELLANT_HANDLE hp,
                                       double isp0, double isp_ref, double p_ref) const {
  Call c = enter(hVessel_, "CreateThruster", pos, dir, maxth0, hp, isp0, isp_ref, p_ref);
  if (!c) return nullptr;
  vhost::ThrusterRecord t;
  t.pos = pos;
  // The direction is made a unit vector, and an impulse of 0 or less is
  // the vessel's default one, as the simulator keeps them.
  const double len = vhost::detail::safeLength(dir);
  if (len > 0 && std::isfinite(len)) {
    t.dir = dir / len;
  } else {
    c.sim->warn(c.v, "CreateThruster", "a direction of no length: the real host would make it not a number");
    t.dir = dir;
  }
  t.maxThrust = maxth0;
  t.isp = isp0 > 0 ? isp0 : vhost::detail::kDefaultIsp;
  t.ispRef = isp_ref;
  t.pRef = p_ref;
  t.propellant = hp ? resourceOf(c, hp, "CreateThruster") : -1;
  c.v->rec.thrusters.push_back(t);
  return makeHandle(HandleKind::Thruster, c.v->serial, std::uint32_t(c.v->rec.thrusters.size() - 1));
}

bool VESSEL::DelThruster(THRUSTER_HANDLE &th) const {
  Call c = enter(hVessel_, "DelThruster", th);
  if (!c) return false;
  int i = thrusterOf(c, th, "DelThruster", false);
  if (i < 0) return false;
  th = nullptr;
  deleteThruster(c.v->rec, i, nullptr);
  return true;
}

DWORD VESSEL::GetThrusterCount() const {
  Call c = enter(hVessel_, "GetThrusterCount");
  if (!c) return 0;
  UINT n = 0;
  for (const vhost::ThrusterRecord &t : c.v->rec.thrusters) n += t.deleted ? 0 : 1;
  return n;
}

void VESSEL::SetThrusterRef(THRUSTER_HANDLE th, const VECTOR3 &pos) const {
  Call c = enter(hVessel_, "SetThrusterRef", th, pos);
  if (!c) return;
  int i = thrusterOf(c, th, "SetThrusterRef");
  if (i >= 0) c.v->rec.thrusters[i].pos = pos;
}

void VESSEL::SetThrusterDir(THRUSTER_HANDLE th, const VECTOR3 &dir) const {
  Call c = enter(hVessel_, "SetThrusterDir", th, dir);
  if (!c) return;
  int i = thrusterOf(c, th, "SetThrusterDir");
  if (i >= 0) c.v->rec.thrusters[i].dir = dir;
}

void VESSEL::SetThrusterMax0(THRUSTER_HANDLE th, double maxth0) const {
  Call c = enter(hVessel_, "SetThrusterMax0", th, maxth0);
  if (!c) return;
  int i = thrusterOf(c, th, "SetThrusterMax0");
  if (i >= 0) c.v->rec.thrusters[i].maxThrust = maxth0;
}

void VESSEL::SetThrusterIsp(THRUSTER_HANDLE th, double isp) const {
  Call c = enter(hVessel_, "SetThrusterIsp", th, isp);
  if (!c) return;
  int i = thrusterOf(c, th, "SetThrusterIsp");
  if (i < 0) return;
  // One impulse at every pressure.
  c.v->rec.thrusters[i].isp = isp;
  c.v->rec.thrusters[i].ispRef = 0;
}

void VESSEL::SetThrusterIsp(THRUSTER_HANDLE th, double isp, double isp_ref, double p_ref) const {
  Call c = enter(hVessel_, "SetThrusterIsp", th, isp, isp_ref, p_ref);
  if (!c) return;
  int i = thrusterOf(c, th, "SetThrusterIsp");
  if (i < 0) return;
  vhost::ThrusterRecord &t = c.v->rec.thrusters[i];
  t.isp = isp;
  t.ispRef = isp_ref;
  t.pRef = p_ref;
}

void VESSEL::SetThrusterResource(THRUSTER_HANDLE th, PROPELLANT_HANDLE ph) const {
  Call c = enter(hVessel_, "SetThrusterResource", th, ph);
  if (!c) return;
  int i = thrusterOf(c, th, "SetThrusterResource");
  if (i < 0) return;
  int p = ph ? resourceOf(c, ph, "SetThrusterResource") : -1;
  if (ph && p < 0) return;
  c.v->rec.thrusters[i].propellant = p;
}

// --- thruster groups -------------------------------------------------------------

THGROUP_HANDLE VESSEL::CreateThrusterGroup(THRUSTER_HANDLE *th, int nth, THGROUP_TYPE thgt) const {
  Call c;
  if (vhost::Simulation::Impl::live && vhost::Simulation::Impl::live->tracing) {
    vhost::TraceValue list;
    list.kind = th ? vhost::TraceValue::List : vhost::TraceValue::Null;
    for (int k = 0; th && k < nth; ++k) list.list.push_back(double(vhost::detail::handleIndex(th[k])));
    c = enter(hVessel_, "CreateThrusterGroup", list, nth, thgt);
  } else {
    c = enter(hVessel_, "CreateThrusterGroup");
  }
  if (!c || !standardGroup(c, thgt, "CreateThrusterGroup")) return nullptr;
  if (nth < 0 || (nth > 0 && !th)) {
    c.sim->warn(c.v, "CreateThrusterGroup", "no thruster list for %d thrusters", nth);
    return nullptr;
  }
  vhost::ThrusterGroupRecord &g = c.v->rec.thrusterGroups[thgt];
  g.thrusters.clear();
  g.thrusters.reserve(std::size_t(nth));
  for (int k = 0; k < nth; ++k) {
    int t = thrusterOf(c, th[k], "CreateThrusterGroup");
    if (t >= 0) g.thrusters.push_back(t);
  }
  g.exists = true;
  return makeHandle(HandleKind::ThrusterGroup, c.v->serial, std::uint32_t(thgt));
}

bool VESSEL::DelThrusterGroup(THGROUP_TYPE thgt, bool delth) const {
  Call c = enter(hVessel_, "DelThrusterGroup", thgt, delth);
  if (!c || !standardGroup(c, thgt, "DelThrusterGroup")) return false;
  if (!c.v->rec.thrusterGroups[thgt].exists) return false;
  removeGroup(c.v->rec, int(thgt), delth);
  return true;
}

bool VESSEL::DelThrusterGroup(THGROUP_HANDLE thg, bool delth) const {
  Call c = enter(hVessel_, "DelThrusterGroup", thg, delth);
  if (!c) return false;
  int type = groupOf(c, thg, "DelThrusterGroup");
  if (type < 0 || !c.v->rec.thrusterGroups[type].exists) return false;
  removeGroup(c.v->rec, type, delth);
  return true;
}

THGROUP_HANDLE VESSEL::GetThrusterGroupHandle(THGROUP_TYPE thgt) const {
  Call c = enter(hVessel_, "GetThrusterGroupHandle", thgt);
  // A standard type's handle is there whether the group has thrusters or not.
  if (!c || int(thgt) < 0 || int(thgt) >= kGroupTypes) return nullptr;
  return makeHandle(HandleKind::ThrusterGroup, c.v->serial, std::uint32_t(thgt));
}

DWORD VESSEL::GetGroupThrusterCount(THGROUP_TYPE thgt) const {
  Call c = enter(hVessel_, "GetGroupThrusterCount", thgt);
  if (!c || int(thgt) < 0 || int(thgt) >= kGroupTypes) return 0;
  const vhost::ThrusterGroupRecord &g = c.v->rec.thrusterGroups[thgt];
  return g.exists ? UINT(g.thrusters.size()) : 0;
}

// --- exhausts --------------------------------------------------------------------

namespace {

UINT addExhaust(const Call &c, THRUSTER_HANDLE th, double lscale, double wscale, double lofs, SURFHANDLE tex,
                const char *call) {
  // No thruster: a flame at full level where the vessel's centre is.
  int t = -1;
  if (th) {
    t = thrusterOf(c, th, call);
    if (t < 0) return UINT(-1);
  }
  std::vector<vhost::ExhaustRecord> &list = c.v->rec.exhausts;
  vhost::ExhaustRecord e;
  e.id = list.empty() ? 0 : list.back().id + 1;
  e.thruster = t;
  e.lscale = lscale;
  e.wscale = wscale;
  e.lofs = lofs;
  if (tex) {
    const char *name = vhost::detail::textureName(tex);
    if (name)
      e.texture = name;
    else
      c.sim->warn(c.v, call, "not an exhaust texture handle; the flame has no texture");
  }
  list.push_back(e);
  return e.id;
}

}  // namespace

UINT VESSEL::AddExhaust(THRUSTER_HANDLE th, double lscale, double wscale, SURFHANDLE tex) const {
  Call c = enter(hVessel_, "AddExhaust", th, lscale, wscale, tex);
  return c ? addExhaust(c, th, lscale, wscale, 0.0, tex, "AddExhaust") : UINT(-1);
}

UINT VESSEL::AddExhaust(THRUSTER_HANDLE th, double lscale, double wscale, double lofs, SURFHANDLE tex) const {
  Call c = enter(hVessel_, "AddExhaust", th, lscale, wscale, lofs, tex);
  return c ? addExhaust(c, th, lscale, wscale, lofs, tex, "AddExhaust") : UINT(-1);
}

// By identifier: the others keep theirs. One the vessel does not have is
// false.
bool VESSEL::DelExhaust(UINT idx) const {
  Call c = enter(hVessel_, "DelExhaust", idx);
  if (!c) return false;
  std::vector<vhost::ExhaustRecord> &list = c.v->rec.exhausts;
  for (auto it = list.begin(); it != list.end(); ++it)
    if (it->id == idx) {
      list.erase(it);
      return true;
    }
  return false;
}

DWORD VESSEL::GetExhaustCount() const {
  Call c = enter(hVessel_, "GetExhaustCount");
  return c ? DWORD(c.v->rec.exhausts.size()) : 0;
}
