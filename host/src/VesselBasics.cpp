// VESSEL: identity, physical parameters, camera, docking ports, touchdown
// points.
#include <cstring>

#include "Handles.h"
#include "HostCore.h"
#include "TraceArguments.h"
#include "VesselImpl.h"

using vhost::detail::Call;
using vhost::detail::enter;
using vhost::detail::HandleKind;
using vhost::detail::makeHandle;

namespace {
char noName[1] = {0};
}

VESSEL::VESSEL(OBJHANDLE hVessel, int fmodel) : hVessel_(hVessel), flightModel_(short(fmodel)), version(0) {}

OAPI_CONST_RETURN OBJHANDLE VESSEL::GetHandle() const {
  enter(hVessel_, "GetHandle");
  return hVessel_;
}

char *VESSEL::GetName() const {
  Call c = enter(hVessel_, "GetName");
  return c ? &c.v->rec.name[0] : noName;
}

char *VESSEL::GetClassName() const {
  Call c = enter(hVessel_, "GetClassName");
  return c ? &c.v->rec.className[0] : noName;
}

int VESSEL::GetFlightModel() const {
  enter(hVessel_, "GetFlightModel");
  return flightModel_;
}

// --- physical parameters -------------------------------------------------------

void VESSEL::SetEmptyMass(double m) const {
  if (Call c = enter(hVessel_, "SetEmptyMass", m)) c.v->rec.emptyMass = m;
}

double VESSEL::GetEmptyMass() const {
  Call c = enter(hVessel_, "GetEmptyMass");
  return c ? c.v->rec.emptyMass : 0.0;
}

double VESSEL::GetMass() const {
  Call c = enter(hVessel_, "GetMass");
  return c ? c.v->mass() : 0.0;
}

void VESSEL::SetSize(double size) const {
  if (Call c = enter(hVessel_, "SetSize", size)) c.v->rec.size = size;
}

double VESSEL::GetSize() const {
  Call c = enter(hVessel_, "GetSize");
  return c ? c.v->rec.size : 0.0;
}

void VESSEL::SetCrossSections(const VECTOR3 &cs) const {
  if (Call c = enter(hVessel_, "SetCrossSections", cs)) c.v->rec.crossSections = cs;
}

void VESSEL::GetCrossSections(VECTOR3 &cs) const {
  Call c = enter(hVessel_, "GetCrossSections", vhost::TraceValue());
  cs = c ? c.v->rec.crossSections : _V(0, 0, 0);
}

void VESSEL::SetPMI(const VECTOR3 &pmi) const {
  if (Call c = enter(hVessel_, "SetPMI", pmi)) c.v->rec.pmi = pmi;
}

void VESSEL::GetPMI(VECTOR3 &pmi) const {
  Call c = enter(hVessel_, "GetPMI", vhost::TraceValue());
  pmi = c ? c.v->rec.pmi : _V(0, 0, 0);
}

void VESSEL::SetRotDrag(const VECTOR3 &rd) const {
  if (Call c = enter(hVessel_, "SetRotDrag", rd)) c.v->rec.rotDrag = rd;
}

void VESSEL::GetRotDrag(VECTOR3 &rd) const {
  Call c = enter(hVessel_, "GetRotDrag", vhost::TraceValue());
  rd = c ? c.v->rec.rotDrag : _V(0, 0, 0);
}

void VESSEL::SetVisibilityLimit(double vislimit, double spotlimit) const {
  if (Call c = enter(hVessel_, "SetVisibilityLimit", vislimit, spotlimit)) {
    c.v->rec.visLimit = vislimit;
    c.v->rec.spotLimit = spotlimit;
  }
}

void VESSEL::SetCW(double cw_z_pos, double cw_z_neg, double cw_x, double cw_y) const {
  if (Call c = enter(hVessel_, "SetCW", cw_z_pos, cw_z_neg, cw_x, cw_y)) {
    double *cw = c.v->rec.cw;
    cw[0] = cw_z_pos;
    cw[1] = cw_z_neg;
    cw[2] = cw_x;
    cw[3] = cw_y;
  }
}

void VESSEL::SetTrimScale(double scale) const {
  if (Call c = enter(hVessel_, "SetTrimScale", scale)) c.v->rec.trimScale = scale;
}

void VESSEL::SetPitchMomentScale(double scale) const {
  if (Call c = enter(hVessel_, "SetPitchMomentScale", scale)) c.v->rec.pitchMomentScale = scale;
}

void VESSEL::SetBankMomentScale(double scale) const {
  if (Call c = enter(hVessel_, "SetBankMomentScale", scale)) c.v->rec.bankMomentScale = scale;
}

void VESSEL::SetSurfaceFrictionCoeff(double mu_lng, double mu_lat) const {
  if (Call c = enter(hVessel_, "SetSurfaceFrictionCoeff", mu_lng, mu_lat)) {
    c.v->rec.muLng = mu_lng;
    c.v->rec.muLat = mu_lat;
    // Every touchdown point takes the new coefficients.
    for (TOUCHDOWNVTX &t : c.v->rec.touchdownPoints) {
      t.mu = mu_lat;
      t.mu_lng = mu_lng;
    }
  }
}

void VESSEL::ClearAirfoilDefinitions() const {
  if (Call c = enter(hVessel_, "ClearAirfoilDefinitions")) ++c.v->rec.airfoilsCleared;
}

void VESSEL::SetEnableFocus(bool enable) const {
  if (Call c = enter(hVessel_, "SetEnableFocus", enable)) c.v->rec.enableFocus = enable;
}

void VESSEL::ShiftCG(const VECTOR3 &shift) {
  if (Call c = enter(hVessel_, "ShiftCG", shift)) c.v->rec.cgShift += shift;
}

void VESSEL::SetTouchdownPoints(const TOUCHDOWNVTX *tdvtx, DWORD ntdvtx) const {
  Call c = enter(hVessel_, "SetTouchdownPoints", tdvtx ? vhost::detail::traceList({double(ntdvtx)}) : vhost::TraceValue(),
                 ntdvtx);
  if (!c) return;
  if (!tdvtx || ntdvtx < 3) {
    c.sim->warn(c.v, "SetTouchdownPoints", "needs at least three points, was given %s%u",
                tdvtx ? "" : "no array for ", (unsigned)ntdvtx);
    return;
  }
  c.v->rec.touchdownPoints.assign(tdvtx, tdvtx + ntdvtx);
}

void VESSEL::SetTouchdownPoints(const VECTOR3 &pt1, const VECTOR3 &pt2, const VECTOR3 &pt3) const {
  Call c = enter(hVessel_, "SetTouchdownPoints", pt1, pt2, pt3);
  if (!c) return;
  // Points defined by position alone: a stiffness of 10^6 while the empty
  // mass is the default one, else 20 times the empty mass; a tenth of that
  // for damping; the vessel's friction as it is now.
  const VECTOR3 pts[3] = {pt1, pt2, pt3};
  const vhost::VesselRecord &r = c.v->rec;
  const double stiffness = r.emptyMass == 1000 ? 1e6 : 20 * r.emptyMass;
  std::vector<TOUCHDOWNVTX> &td = c.v->rec.touchdownPoints;
  td.resize(3);
  for (int i = 0; i < 3; ++i) td[i] = TOUCHDOWNVTX{pts[i], stiffness, 0.1 * stiffness, r.muLat, r.muLng};
}

// --- camera --------------------------------------------------------------------

void VESSEL::SetCameraOffset(const VECTOR3 &co) const {
  if (Call c = enter(hVessel_, "SetCameraOffset", co)) c.v->rec.cameraOffset = co;
}

void VESSEL::SetCameraDefaultDirection(const VECTOR3 &cd) const {
  if (Call c = enter(hVessel_, "SetCameraDefaultDirection", cd)) {
    c.v->rec.cameraDirection = cd;
    c.v->rec.cameraTilt = 0;
  }
}

void VESSEL::SetCameraDefaultDirection(const VECTOR3 &cd, double tilt) const {
  if (Call c = enter(hVessel_, "SetCameraDefaultDirection", cd, tilt)) {
    c.v->rec.cameraDirection = cd;
    c.v->rec.cameraTilt = tilt;
  }
}

void VESSEL::SetCameraRotationRange(double left, double right, double up, double down) const {
  if (Call c = enter(hVessel_, "SetCameraRotationRange", left, right, up, down)) {
    double *r = c.v->rec.cameraRange;
    r[0] = left;
    r[1] = right;
    r[2] = up;
    r[3] = down;
  }
}

// --- docking ports ---------------------------------------------------------------

namespace {

// The port index behind a dock handle of vessel v; -1 with a warning for a
// handle the host never gave out, -1 quietly for a port that is gone.
int portOf(const Call &c, DOCKHANDLE h, const char *call) {
  std::uint32_t owner = 0, id = 0;
  if (!vhost::detail::decodeHandle(h, HandleKind::Dock, owner, id) || owner != c.v->serial ||
      id >= c.v->nextDockId) {
    c.sim->warn(c.v, call, "not a docking port handle of this vessel");
    return -1;
  }
  return c.v->dockIndex(id);
}

}  // namespace

void VESSEL::SetDockParams(const VECTOR3 &pos, const VECTOR3 &dir, const VECTOR3 &rot) const {
  Call c = enter(hVessel_, "SetDockParams", pos, dir, rot);
  if (!c) return;
  std::vector<vhost::DockPortRecord> &ports = c.v->rec.dockPorts;
  if (ports.empty()) {
    ports.emplace_back();
    c.v->dockIds.push_back(c.v->nextDockId++);
  }
  ports[0].pos = pos;
  ports[0].dir = dir;
  ports[0].rot = rot;
}

DOCKHANDLE VESSEL::CreateDock(const VECTOR3 &pos, const VECTOR3 &dir, const VECTOR3 &rot) const {
  Call c = enter(hVessel_, "CreateDock", pos, dir, rot);
  if (!c) return nullptr;
  vhost::DockPortRecord r;
  r.pos = pos;
  r.dir = dir;
  r.rot = rot;
  c.v->rec.dockPorts.push_back(r);
  std::uint32_t id = c.v->nextDockId++;
  c.v->dockIds.push_back(id);
  return makeHandle(HandleKind::Dock, c.v->serial, id);
}

bool VESSEL::DelDock(DOCKHANDLE hDock) const {
  Call c = enter(hVessel_, "DelDock", hDock);
  if (!c) return false;
  int i = portOf(c, hDock, "DelDock");
  if (i < 0) return false;
  c.v->rec.dockPorts.erase(c.v->rec.dockPorts.begin() + i);
  c.v->dockIds.erase(c.v->dockIds.begin() + i);
  return true;
}

void VESSEL::ClearDockDefinitions() const {
  if (Call c = enter(hVessel_, "ClearDockDefinitions")) {
    c.v->rec.dockPorts.clear();
    c.v->dockIds.clear();
  }
}

UINT VESSEL::DockCount() const {
  Call c = enter(hVessel_, "DockCount");
  return c ? UINT(c.v->rec.dockPorts.size()) : 0;
}

DOCKHANDLE VESSEL::GetDockHandle(UINT n) const {
  Call c = enter(hVessel_, "GetDockHandle", n);
  if (!c || n >= c.v->dockIds.size()) return nullptr;
  return makeHandle(HandleKind::Dock, c.v->serial, c.v->dockIds[n]);
}

OBJHANDLE VESSEL::GetDockStatus(DOCKHANDLE hDock) const {
  Call c = enter(hVessel_, "GetDockStatus", hDock);
  if (!c) return nullptr;
  portOf(c, hDock, "GetDockStatus");
  // Docking is set through the host's API without a mate vessel, so there
  // is never a vessel to name here.
  return nullptr;
}

UINT VESSEL::DockingStatus(UINT port) const {
  Call c = enter(hVessel_, "DockingStatus", port);
  if (!c || port >= c.v->rec.dockPorts.size()) return 0;
  return c.v->rec.dockPorts[port].docked ? 1 : 0;
}
