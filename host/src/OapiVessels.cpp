// The SDK's free functions: simulation time, objects and vessels.
#include <cstdint>
#include <cstring>
#include <string>

#include "Handles.h"
#include "HostCore.h"
#include "Motion.h"
#include "VesselImpl.h"

using vhost::Simulation;
using vhost::detail::enterFree;
using vhost::detail::HandleKind;
using vhost::detail::makeHandle;
using vhost::detail::VesselImpl;

// --- time ------------------------------------------------------------------------

double oapiGetSimTime() {
  Simulation::Impl *s = enterFree("oapiGetSimTime");
  return s ? s->simClock() : 0.0;
}

double oapiGetSimStep() {
  Simulation::Impl *s = enterFree("oapiGetSimStep");
  return s ? s->opt.dt : 0.0;
}

double oapiGetSimMJD() {
  Simulation::Impl *s = enterFree("oapiGetSimMJD");
  return s ? s->mjdAt(s->simClock()) : 51544.5;
}

// --- objects and vessels -----------------------------------------------------------

OBJHANDLE oapiGetObjectByName(char *name) {
  Simulation::Impl *s = enterFree("oapiGetObjectByName", name);
  if (!s || !name) return nullptr;
  if (VesselImpl *v = s->findName(name)) return v->handle();
  int b = vhost::detail::findBody(name);
  return b >= 0 ? makeHandle(HandleKind::Body, 0, std::uint32_t(b)) : nullptr;
}

OBJHANDLE oapiGetVesselByName(char *name) {
  Simulation::Impl *s = enterFree("oapiGetVesselByName", name);
  if (!s || !name) return nullptr;
  VesselImpl *v = s->findName(name);
  return v ? v->handle() : nullptr;
}

DWORD oapiGetVesselCount() {
  Simulation::Impl *s = enterFree("oapiGetVesselCount");
  return s ? DWORD(s->vessels.size()) : 0;
}

OBJHANDLE oapiGetVesselByIndex(int index) {
  Simulation::Impl *s = enterFree("oapiGetVesselByIndex", index);
  if (!s || index < 0 || std::size_t(index) >= s->vessels.size()) return nullptr;
  return s->vessels[index]->handle();
}

VESSEL *oapiGetVesselInterface(OBJHANDLE hVessel) {
  Simulation::Impl *s = enterFree("oapiGetVesselInterface", hVessel);
  if (!s) return nullptr;
  VesselImpl *v = s->vesselOf(hVessel);
  if (!v) {
    s->warn(nullptr, "oapiGetVesselInterface", "not a live vessel handle");
    return nullptr;
  }
  return v->iface();
}

OBJHANDLE oapiGetFocusObject() {
  Simulation::Impl *s = enterFree("oapiGetFocusObject");
  if (!s) return nullptr;
  VesselImpl *v = s->focusVessel();
  return v ? v->handle() : nullptr;
}

bool oapiIsVessel(OBJHANDLE hVessel) {
  Simulation::Impl *s = enterFree("oapiIsVessel", hVessel);
  return s && s->vesselOf(hVessel) != nullptr;
}

OBJHANDLE oapiCreateVessel(const char *name, const char *classname, const VESSELSTATUS &status) {
  Simulation::Impl *s = enterFree("oapiCreateVessel", name, classname, vhost::TraceValue());
  if (!s) return nullptr;
  if (!name || !classname) {
    s->warn(nullptr, "oapiCreateVessel", "no name or no class name");
    return nullptr;
  }
  std::string error;
  VesselImpl *v = nullptr;
  try {
    v = s->makeVessel(name, classname, nullptr, "", &status, error);
  } catch (const vhost::ScenarioError &e) {
    error = e.what();
  }
  if (!v) {
    std::size_t n = std::strlen(name);
    s->warn(nullptr, "oapiCreateVessel", "cannot create \"%.60s%s\" (%zu characters) of class %.100s: %s", name,
            n > 60 ? "..." : "", n, classname, error.c_str());
    return nullptr;
  }
  vhost::CreatedVessel c;
  c.name = name;
  c.className = classname;
  c.t = s->callbackTime();
  c.by = s->callerName(nullptr);
  if (s->ctxVessel && s->ctxVessel->module) c.byModule = s->ctxVessel->module->name;
  s->created.push_back(c);
  OBJHANDLE h = v->handle();
  s->postCreate(*v);
  return h;
}

bool oapiDeleteVessel(OBJHANDLE hVessel, OBJHANDLE hAlternativeCameraTarget) {
  Simulation::Impl *s = enterFree("oapiDeleteVessel", hVessel, hAlternativeCameraTarget);
  if (!s) return false;
  VesselImpl *v = s->vesselOf(hVessel);
  if (!v) {
    s->warn(nullptr, "oapiDeleteVessel", "not a live vessel handle");
    return false;
  }
  v->deleting = true;
  s->deletionsPending = true;
  return true;
}
