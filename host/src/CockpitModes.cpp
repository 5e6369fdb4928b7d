// The focus vessel and its cockpit. There is one cockpit, the focus
// vessel's; every load starts a fresh one (no neighbours, no HUD or MFD
// registered), and a mode whose load the vessel refuses gives way to the
// next: generic, panel, virtual, generic again.
#include <cstring>

#include "HostCore.h"
#include "VesselImpl.h"

namespace vhost {

using detail::CallbackScope;
using detail::Phase;
using detail::VesselImpl;

namespace {

// The cockpit a vessel registered is gone with a new load or a new focus.
void clearRegistrations(Simulation::Impl &s, VesselImpl *v) {
  if (v) v->rec.vc = VcRecord();
  for (int &n : s.neighbours) n = -1;
  s.vcPos = -1;
}

// One attempt at a mode; a vessel without callbacks takes the generic one.
// The headless host has no graphics client, so the two-dimensional panel
// (clbkLoadPanel2D, which needs one) is never offered: a panel is the
// older clbkLoadPanel.
bool tryMode(Simulation::Impl &s, VesselImpl *v, int mode, int id) {
  VESSEL2 *callbacks = v ? v->callbacks : nullptr;
  if (!callbacks) return mode == COCKPIT_GENERIC;
  switch (mode) {
    case COCKPIT_GENERIC: {
      CallbackScope scope(s, v, Phase::LoadGenericCockpit, s.now());
      return callbacks->clbkLoadGenericCockpit();
    }
    case COCKPIT_PANELS: {
      CallbackScope scope(s, v, Phase::LoadPanel, s.now());
      return callbacks->clbkLoadPanel(id);
    }
    default: {
      CallbackScope scope(s, v, Phase::LoadVC, s.now());
      return callbacks->clbkLoadVC(id);
    }
  }
}

}  // namespace

VesselImpl *Simulation::Impl::focusVessel() const {
  VesselImpl *v = findSerial(focusSerial);
  if (!v && !vessels.empty()) v = vessels.front().get();
  return v;
}

bool Simulation::Impl::loadCockpit(int mode) {
  VesselImpl *v = focusVessel();
  const int requested = mode;
  for (int attempt = 0; attempt < 3; ++attempt) {
    // Registrations of a refused attempt do not carry into the next one.
    clearRegistrations(*this, v);
    if (tryMode(*this, v, mode, 0)) {
      cockpit = mode;
      if (mode == COCKPIT_VIRTUAL) vcPos = 0;
      return true;
    }
    mode = mode % 3 + 1;
  }
  // Every mode refused: the mode asked for stands, with nothing loaded.
  cockpit = requested;
  return false;
}

bool Simulation::Impl::selectVirtualCockpit(int id) {
  VesselImpl *v = focusVessel();
  clearRegistrations(*this, v);
  if (!tryMode(*this, v, COCKPIT_VIRTUAL, id)) return false;
  vcPos = id;
  return true;
}

void Simulation::Impl::changeFocus(VesselImpl *v) {
  VesselImpl *old = findSerial(focusSerial);
  if (!v || v == old) return;
  focusSerial = v->serial;
  if (old) {
    old->rec.vc = VcRecord();
    event(v, "focus");
  }
  if (cockpit != 0) loadCockpit(cockpit);
  const OBJHANDLE newHandle = v->handle(), oldHandle = old ? old->handle() : nullptr;
  if (old && old->callbacks) {
    CallbackScope scope(*this, old, Phase::FocusChanged, now());
    old->callbacks->clbkFocusChanged(false, newHandle, oldHandle);
  }
  if (findSerial(focusSerial) == v && v->callbacks) {
    CallbackScope scope(*this, v, Phase::FocusChanged, now());
    v->callbacks->clbkFocusChanged(true, newHandle, oldHandle);
  }
}

}  // namespace vhost
