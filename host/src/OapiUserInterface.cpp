// The SDK's free functions: debug string, input box, cockpit mode, virtual
// cockpit registration, the HUD's display choices.
#include <algorithm>
#include <utility>

#include "HostCore.h"
#include "TraceArguments.h"
#include "VesselImpl.h"

using vhost::Simulation;
using vhost::detail::enterFree;
using vhost::detail::Phase;
using vhost::detail::VesselImpl;

namespace {

char fallbackDebug[257];

}  // namespace

char *oapiDebugString() {
  Simulation::Impl *s = enterFree("oapiDebugString");
  return s ? s->debug : fallbackDebug;
}

void oapiOpenInputBox(char *title, bool (*Clbk)(void *, char *, void *), char *buf, int vislen, void *usrdata) {
  Simulation::Impl *s = enterFree("oapiOpenInputBox", title, vhost::TraceValue(), buf, vislen, vhost::TraceValue());
  if (!s) return;
  if (!Clbk) {
    s->warn(nullptr, "oapiOpenInputBox", "no callback; the box is not opened");
    return;
  }
  s->boxOpen = true;
  s->box.title = title ? title : "";
  s->box.width = vislen;
  s->box.initial = buf ? buf : "";
  // The real host copies the text into a line of 256 bytes, unchecked.
  if (s->box.initial.size() > 255) {
    s->warn(nullptr, "oapiOpenInputBox", "a text of %zu characters overflows the real host's 256-byte line; 255 kept",
            s->box.initial.size());
    s->box.initial.resize(255);
  }
  s->boxCallback = Clbk;
  s->boxUserData = usrdata;
  s->boxOwner = s->ctxVessel ? s->ctxVessel->serial : 0;
  ++s->boxGeneration;
  s->event(s->ctxVessel, "input box \"%s\" opened", s->box.title.c_str());
}

int oapiCockpitMode() {
  Simulation::Impl *s = enterFree("oapiCockpitMode");
  return s ? s->cockpit : COCKPIT_GENERIC;
}

namespace {

// The vessel whose callback of that phase runs; null, with a warning, when
// the call comes from anywhere else.
VesselImpl *inCallback(Simulation::Impl *s, Phase phase, const char *call) {
  if (s->phase != phase || !s->ctxVessel) {
    s->warn(nullptr, call, "only inside %s", vhost::detail::callbackName(phase));
    return nullptr;
  }
  return s->ctxVessel;
}

VesselImpl *inLoadVC(Simulation::Impl *s, const char *call) { return inCallback(s, Phase::LoadVC, call); }
VesselImpl *inDrawHUD(Simulation::Impl *s, const char *call) { return inCallback(s, Phase::DrawHUD, call); }

}  // namespace

void oapiVCRegisterHUD(const VCHUDSPEC *spec) {
  Simulation::Impl *s = enterFree(
      "oapiVCRegisterHUD",
      spec ? vhost::detail::traceList({double(spec->nmesh), double(spec->ngroup), spec->hudcnt.x, spec->hudcnt.y,
                                       spec->hudcnt.z, spec->size})
           : vhost::TraceValue());
  if (!s) return;
  VesselImpl *v = inLoadVC(s, "oapiVCRegisterHUD");
  if (!v) return;
  if (!spec) {
    s->warn(v, "oapiVCRegisterHUD", "no HUD placement given (null record)");
    return;
  }
  v->rec.vc.hasHud = true;
  v->rec.vc.hud = *spec;
  v->rec.vc.hudGiven = spec;
}

void oapiVCRegisterMFD(int mfd, const VCMFDSPEC *spec) {
  Simulation::Impl *s = enterFree(
      "oapiVCRegisterMFD", mfd,
      spec ? vhost::detail::traceList({double(spec->nmesh), double(spec->ngroup)}) : vhost::TraceValue());
  if (!s) return;
  VesselImpl *v = inLoadVC(s, "oapiVCRegisterMFD");
  if (!v) return;
  if (!spec) {
    s->warn(v, "oapiVCRegisterMFD", "no MFD placement given (null record)");
    return;
  }
  // The real host writes into its table of 12 displays unchecked.
  if (mfd < 0 || mfd >= 12) {
    s->warn(v, "oapiVCRegisterMFD", "MFD %d is outside 0..11", mfd);
    return;
  }
  auto &mfds = v->rec.vc.mfds;
  auto it = std::lower_bound(mfds.begin(), mfds.end(), mfd,
                             [](const std::pair<int, VCMFDSPEC> &e, int id) { return e.first < id; });
  auto given = v->rec.vc.mfdsGiven.begin() + (it - mfds.begin());
  if (it != mfds.end() && it->first == mfd) {
    it->second = *spec;
    *given = spec;
  } else {
    mfds.insert(it, {mfd, *spec});
    v->rec.vc.mfdsGiven.insert(given, spec);
  }
}

void oapiVCSetNeighbours(int left, int right, int top, int bottom) {
  Simulation::Impl *s = enterFree("oapiVCSetNeighbours", left, right, top, bottom);
  if (!s || !inLoadVC(s, "oapiVCSetNeighbours")) return;
  s->neighbours[0] = left;
  s->neighbours[1] = right;
  s->neighbours[2] = top;
  s->neighbours[3] = bottom;
}

void oapiSetDefNavDisplay(int mode) {
  Simulation::Impl *s = enterFree("oapiSetDefNavDisplay", mode);
  if (!s) return;
  if (VesselImpl *v = inDrawHUD(s, "oapiSetDefNavDisplay")) v->rec.hudNavDisplay = mode;
}

void oapiSetDefRCSDisplay(int mode) {
  Simulation::Impl *s = enterFree("oapiSetDefRCSDisplay", mode);
  if (!s) return;
  if (VesselImpl *v = inDrawHUD(s, "oapiSetDefRCSDisplay")) v->rec.hudRcsDisplay = mode;
}
