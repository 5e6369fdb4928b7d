// VESSEL: state, frames and the host's scenario lines.
#include <cstring>

#include "FileContexts.h"
#include "Handles.h"
#include "HostCore.h"
#include "Motion.h"
#include "StatusLines.h"
#include "VesselImpl.h"

using vhost::detail::Call;
using vhost::detail::enter;
using vhost::detail::HandleKind;
using vhost::detail::makeHandle;
using vhost::detail::VesselImpl;

namespace vhost {
namespace detail {

MATRIX3 VesselImpl::rotation() const { return eulerRotation(rec.motion.arot); }

double VesselImpl::mass() const {
  double m = rec.emptyMass;
  for (const PropellantRecord &p : rec.propellant)
    if (!p.deleted) m += p.mass;
  return m;
}

int VesselImpl::dockIndex(std::uint32_t id) const {
  for (std::size_t i = 0; i < dockIds.size(); ++i)
    if (dockIds[i] == id) return int(i);
  return -1;
}

}  // namespace detail

void Simulation::Impl::writeHostLines(VesselImpl &v, std::vector<std::string> &out) {
  detail::writeMotionLines(v.rec, out);
  for (std::size_t i = 0; i < v.links.size(); ++i) {
    const AttachmentRecord &a = v.rec.attachments[i];
    if (!a.toParent || !v.links[i].partnerSerial) continue;
    VesselImpl *parent = findSerial(v.links[i].partnerSerial);
    if (!parent) continue;
    const int c = v.pointNumber(int(i));
    const int pi = parent->attachmentIndex(v.links[i].partnerId);
    const int p = pi < 0 ? 0 : parent->pointNumber(pi);
    out.push_back("ATTACHED " + std::to_string(c) + ":" + std::to_string(p) + "," + parent->rec.name);
  }
  detail::writeLevelLines(v.rec, out);
}

void Simulation::Impl::readScenarioLine(VesselImpl &v, const char *line, int lineNo, const std::string &file,
                                        detail::LoadStatus &st) {
  std::string problem;
  const std::size_t attachments = st.attachments.size();
  const detail::StatusLineKind kind = detail::readStatusLine(line, st, problem);
  if (st.attachments.size() > attachments) st.attachments.back().line = lineNo;
  switch (kind) {
    case detail::StatusLineKind::Bad:
    case detail::StatusLineKind::Unmodelled:
      warn(&v, "scenario line", "%s:%d: %s", file.c_str(), lineNo, problem.c_str());
      return;
    default:
      // The plug-in's own lines are its to write again on save.
      return;
  }
}

}  // namespace vhost

void VESSEL::GetStatus(VESSELSTATUS &status) const {
  Call c = enter(hVessel_, "GetStatus", vhost::TraceValue());
  std::memset(&status, 0, sizeof status);
  if (!c) return;
  const vhost::MotionRecord &m = c.v->rec.motion;
  status.rpos = m.rpos;
  status.rvel = m.rvel;
  status.vrot = m.vrot;
  status.arot = m.arot;
  const vhost::VesselRecord &r = c.v->rec;
  if (r.defaultPropellant >= 0) {
    const vhost::PropellantRecord &p = r.propellant[r.defaultPropellant];
    status.fuel = p.maxMass > 0 ? p.mass / p.maxMass : 0;
  }
  status.rbody = makeHandle(HandleKind::Body, 0, std::uint32_t(c.v->body));
  status.status = m.landed ? 1 : 0;
  if (m.landed) {
    // Where it stands, and its height where a turning vessel has its spin.
    status.vdata[0] = _V(m.lng, m.lat, m.heading);
    status.vrot = _V(m.altitude, 0, 0);
  }
}

void VESSEL::DefSetState(const VESSELSTATUS *status) const {
  Call c = enter(hVessel_, "DefSetState", vhost::TraceValue());
  if (!c) return;
  if (!status) {
    c.sim->warn(c.v, "DefSetState", "no status record");
    return;
  }
  if (const char *bad = vhost::detail::nonFiniteStatus(*status)) {
    c.sim->warn(c.v, "DefSetState", "the status's %s is not finite or overflows; the vessel stays as it was", bad);
    return;
  }
  vhost::MotionRecord &m = c.v->rec.motion;
  std::uint32_t owner = 0, body = 0;
  if (status->rbody) {
    if (vhost::detail::decodeHandle(status->rbody, HandleKind::Body, owner, body) && body < vhost::detail::kBodyCount) {
      c.v->body = int(body);
      m.body = vhost::detail::kBodies[body].name;
    } else {
      c.sim->warn(c.v, "DefSetState", "the reference body is not a body handle; it stays as it was");
    }
  }
  const double radius = vhost::detail::kBodies[c.v->body].radius;
  if (status->status == 1) {
    vhost::detail::placeLanded(status->vdata[0].x, status->vdata[0].y, status->vdata[0].z, nullptr, 0, radius, c.v->rec);
    return;
  }
  m.rpos = status->rpos;
  m.rvel = status->rvel;
  m.vrot = status->vrot;
  m.arot = status->arot;
  m.landed = false;
  vhost::detail::altitudeFromPosition(m, radius);
}

void VESSEL::GetGlobalPos(VECTOR3 &pos) const {
  Call c = enter(hVessel_, "GetGlobalPos", vhost::TraceValue());
  pos = c ? c.v->rec.motion.rpos : _V(0, 0, 0);
}

void VESSEL::GetGlobalVel(VECTOR3 &vel) const {
  Call c = enter(hVessel_, "GetGlobalVel", vhost::TraceValue());
  vel = c ? c.v->rec.motion.rvel : _V(0, 0, 0);
}

namespace {

// A vessel's position or velocity (member of its motion record) relative to
// another vessel or to a body; bodies sit at the origin of the frame.
VECTOR3 relativeTo(const Call &c, OBJHANDLE hRef, VECTOR3 vhost::MotionRecord::*member, const char *call) {
  VECTOR3 value = c.v->rec.motion.*member;
  std::uint32_t owner = 0, body = 0;
  if (VesselImpl *o = c.sim->vesselOf(hRef))
    value -= o->rec.motion.*member;
  else if (!vhost::detail::decodeHandle(hRef, HandleKind::Body, owner, body))
    c.sim->warn(c.v, call, "the reference is no vessel or body");
  return value;
}

}  // namespace

void VESSEL::GetRelativePos(OBJHANDLE hRef, VECTOR3 &pos) const {
  Call c = enter(hVessel_, "GetRelativePos", hRef, vhost::TraceValue());
  pos = c ? relativeTo(c, hRef, &vhost::MotionRecord::rpos, "GetRelativePos") : _V(0, 0, 0);
}

void VESSEL::GetRelativeVel(OBJHANDLE hRef, VECTOR3 &vel) const {
  Call c = enter(hVessel_, "GetRelativeVel", hRef, vhost::TraceValue());
  vel = c ? relativeTo(c, hRef, &vhost::MotionRecord::rvel, "GetRelativeVel") : _V(0, 0, 0);
}

void VESSEL::GetRotationMatrix(MATRIX3 &R) const {
  Call c = enter(hVessel_, "GetRotationMatrix", vhost::TraceValue());
  R = c ? c.v->rotation() : _M(1, 0, 0, 0, 1, 0, 0, 0, 1);
}

void VESSEL::Local2Rel(const VECTOR3 &local, VECTOR3 &rel) const {
  Call c = enter(hVessel_, "Local2Rel", local, vhost::TraceValue());
  rel = c ? c.v->rec.motion.rpos + mul(c.v->rotation(), local) : local;
}

void VESSEL::Local2Global(const VECTOR3 &local, VECTOR3 &global) const {
  Call c = enter(hVessel_, "Local2Global", local, vhost::TraceValue());
  global = c ? c.v->rec.motion.rpos + mul(c.v->rotation(), local) : local;
}

void VESSEL::Global2Local(const VECTOR3 &global, VECTOR3 &local) const {
  Call c = enter(hVessel_, "Global2Local", global, vhost::TraceValue());
  local = c ? tmul(c.v->rotation(), global - c.v->rec.motion.rpos) : global;
}

void VESSEL::GlobalRot(const VECTOR3 &rloc, VECTOR3 &rglob) const {
  Call c = enter(hVessel_, "GlobalRot", rloc, vhost::TraceValue());
  rglob = c ? mul(c.v->rotation(), rloc) : rloc;
}

OAPI_CONST_RETURN OBJHANDLE VESSEL::GetSurfaceRef() const {
  Call c = enter(hVessel_, "GetSurfaceRef");
  return c ? makeHandle(HandleKind::Body, 0, std::uint32_t(c.v->body)) : nullptr;
}

OAPI_CONST_RETURN OBJHANDLE VESSEL::GetGravityRef() const {
  Call c = enter(hVessel_, "GetGravityRef");
  return c ? makeHandle(HandleKind::Body, 0, std::uint32_t(c.v->body)) : nullptr;
}

double VESSEL::GetAltitude() const {
  Call c = enter(hVessel_, "GetAltitude");
  return c ? c.v->rec.motion.altitude : 0.0;
}

bool VESSEL::GroundContact() const {
  Call c = enter(hVessel_, "GroundContact");
  return c && c.v->groundContact();
}

void VESSEL::ParseScenarioLineEx(char *line, void *status) const {
  Call c = enter(hVessel_, "ParseScenarioLineEx", line, vhost::TraceValue());
  if (!c) return;
  vhost::Simulation::Impl &s = *c.sim;
  if (s.phase != vhost::detail::Phase::LoadState || !s.reading || s.reading->vessel != c.v || status != s.reading) {
    s.warn(c.v, "ParseScenarioLineEx", "only inside this vessel's clbkLoadStateEx, with the status it was given");
    return;
  }
  if (!line) {
    s.warn(c.v, "ParseScenarioLineEx", "no line");
    return;
  }
  s.readScenarioLine(*c.v, line, s.reading->currentLine, *s.reading->file, *s.reading->status);
}
