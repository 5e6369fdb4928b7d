// The public API of the headless host.
#include "vhost/Simulation.h"

#include <cstring>
#include <stdexcept>

#include "FlightModel.h"
#include "HostCore.h"
#include "ModuleSketchpad.h"
#include "Motion.h"
#include "VesselImpl.h"
#include "vhost/KeyNames.h"

namespace vhost {

using detail::CallbackScope;
using detail::Phase;
using detail::VesselImpl;

namespace {

// Line 0: the file as a whole.
std::string where(const std::string &file, int line, const std::string &message) {
  return file + ":" + (line > 0 ? std::to_string(line) + ":" : "") + " " + message;
}

VesselImpl &need(const Simulation::Impl &s, const std::string &name) {
  VesselImpl *v = s.findName(name.c_str());
  if (!v) throw std::out_of_range("no vessel named \"" + name + "\"");
  return *v;
}

std::string comboName(DWORD key, const std::vector<DWORD> &mods) {
  std::string s;
  auto add = [&s](DWORD k) {
    const char *n = vhost::keyName(k);
    char buf[16];
    if (!n) {
      std::snprintf(buf, sizeof buf, "0x%02X", unsigned(k));
      n = buf;
    }
    s += n;
  };
  for (DWORD m : mods) {
    add(m);
    s += '+';
  }
  add(key);
  return s;
}

// A sketchpad that records the text drawn on it.
class RecordingSketchpad : public oapi::Sketchpad {
public:
  explicit RecordingSketchpad(std::vector<HudTextRecord> &out) : oapi::Sketchpad(nullptr), out_(out) {}
  DWORD SetTextColor(DWORD col) override {
    DWORD old = colour_;
    colour_ = col;
    return old;
  }
  bool Text(int x, int y, const char *str, int len) override {
    HudTextRecord r;
    r.x = x;
    r.y = y;
    r.colour = colour_;
    if (str && len > 0) r.text.assign(str, strnlen(str, std::size_t(len)));
    out_.push_back(r);
    return true;
  }

private:
  std::vector<HudTextRecord> &out_;
  DWORD colour_ = 0xFFFFFF;
};

}  // namespace

ScenarioError::ScenarioError(std::string file, int line, const std::string &message)
    : std::runtime_error(where(file, line, message)), file_(std::move(file)), line_(line) {}

SaveError::SaveError(std::string vessel, std::string field)
    : std::runtime_error("vessel \"" + vessel + "\": " + field +
                         " would be written with a number that is not finite (nan or inf), which no scenario "
                         "reader takes back; nothing was saved"),
      vessel_(std::move(vessel)),
      field_(std::move(field)) {}

Simulation::Simulation(SimulationOptions options) {
  if (options.dt <= 0) throw std::invalid_argument("the step length must be above 0");
  if (Impl::live) throw std::logic_error("only one simulation can run at a time");
  impl_ = std::make_unique<Impl>(std::move(options));
  impl_->owner = this;
  Impl::live = impl_.get();
}

Simulation::~Simulation() { impl_.reset(); }

Simulation *Simulation::current() { return Impl::live ? Impl::live->owner : nullptr; }

// --- scenario ------------------------------------------------------------------

// loadScenario and saveScenario: ScenarioFiles.cpp.

// --- time ----------------------------------------------------------------------

void Simulation::step() {
  Impl &s = *impl_;
  const double dt = s.opt.dt;
  const double t0 = s.now();
  const double t1 = double(s.frames + 1) * dt;
  const double mjd0 = s.mjdAt(t0), mjd1 = s.mjdAt(t1);
  s.inFrame = true;
  // Each loop reads the vessel list afresh: a vessel made in a pre-step has
  // its own pre-step, flight and post-step in this frame, one made in a
  // post-step its post-step. Vessels marked for deletion keep their
  // callbacks until the frame's end.
  for (std::size_t i = 0; i < s.vessels.size(); ++i) {
    VesselImpl *v = s.vessels[i].get();
    if (!v->callbacks) continue;
    CallbackScope scope(s, v, Phase::PreStep, t0);
    v->callbacks->clbkPreStep(t0, dt, mjd0);
  }
  {
    CallbackScope scope(s, nullptr, Phase::Host, t1);
    for (std::size_t i = 0; i < s.vessels.size() && s.opt.physics; ++i) {
      VesselImpl *v = s.vessels[i].get();
      if (s.parentOf(*v)) continue;
      switch (detail::flyVertical(*v, dt)) {
        case detail::FlightStep::Landed:
          s.event(v, "landed");
          [[fallthrough]];
        case detail::FlightStep::Moved:
          v->motionRefused = false;
          break;
        case detail::FlightStep::Refused:
          if (!v->motionRefused)
            s.warn(v, "flight model", "the step would take %s beyond finite numbers; it stays where it was",
                   v->rec.name.c_str());
          v->motionRefused = true;
          break;
      }
    }
    for (std::size_t i = 0; i < s.vessels.size(); ++i)
      if (!s.parentOf(*s.vessels[i])) s.placeDescendants(*s.vessels[i]);
  }
  for (std::size_t i = 0; i < s.vessels.size(); ++i) {
    VesselImpl *v = s.vessels[i].get();
    if (!v->callbacks) continue;
    CallbackScope scope(s, v, Phase::PostStep, t1);
    v->callbacks->clbkPostStep(t1, dt, mjd1);
  }
  s.flushDeletions();
  s.inFrame = false;
  ++s.frames;
  // The keyboard is read once the frame is done: the held keys go to the
  // focus vessel, unless an input box has the keyboard.
  VesselImpl *focus = s.focusVessel();
  if (focus && focus->callbacks && !s.boxOpen) {
    std::memcpy(s.kstate, s.held, sizeof s.kstate);
    CallbackScope scope(s, focus, Phase::DirectKey, s.now());
    focus->callbacks->clbkConsumeDirectKey(s.kstate);
  }
}

void Simulation::runUntil(double t) {
  // A frame runs while its start lies below t; the start is computed from
  // the frame count so that no rounding builds up.
  while (impl_->now() < t - 1e-9 * impl_->opt.dt) step();
}

double Simulation::time() const { return impl_->now(); }
double Simulation::dt() const { return impl_->opt.dt; }
double Simulation::callbackTime() const { return impl_->callbackTime(); }

// --- input ---------------------------------------------------------------------

int Simulation::pressKey(const std::string &vessel, DWORD key, std::initializer_list<DWORD> modifiers) {
  return pressKey(vessel, key, std::vector<DWORD>(modifiers));
}

int Simulation::pressKey(const std::string &vessel, DWORD key, const std::vector<DWORD> &modifiers) {
  Impl &s = *impl_;
  VesselImpl &v = need(s, vessel);
  if (key > 255) throw std::invalid_argument("key codes are below 256");
  for (DWORD m : modifiers)
    if (m > 255) throw std::invalid_argument("key codes are below 256");
  // An input box has the keyboard: the key reaches no vessel.
  if (s.boxOpen) return 0;
  s.changeFocus(&v);
  if (!v.callbacks) return 0;
  char ks[256];
  std::memcpy(ks, s.held, sizeof ks);
  for (DWORD m : modifiers) ks[m] = char(0x80);
  ks[key] = char(0x80);
  int consumed;
  {
    CallbackScope scope(s, &v, Phase::BufferedKey, s.now());
    consumed = v.callbacks->clbkConsumeBufferedKey(key, true, ks);
  }
  if (consumed) s.event(&v, "key %s consumed", comboName(key, modifiers).c_str());
  // The release goes to whichever vessel has the focus now, unless the
  // press opened an input box.
  VesselImpl *focus = s.focusVessel();
  if (focus && focus->callbacks && !s.boxOpen) {
    std::memcpy(ks, s.held, sizeof ks);
    for (DWORD m : modifiers) ks[m] = char(0x80);
    ks[key] = s.held[key];
    CallbackScope scope(s, focus, Phase::BufferedKey, s.now());
    focus->callbacks->clbkConsumeBufferedKey(key, false, ks);
  }
  return consumed;
}

void Simulation::holdKeys(const std::string &vessel, const std::vector<DWORD> &keys) {
  Impl &s = *impl_;
  VesselImpl &v = need(s, vessel);
  for (DWORD k : keys)
    if (k > 255) throw std::invalid_argument("key codes are below 256");
  s.changeFocus(&v);
  std::memset(s.held, 0, sizeof s.held);
  for (DWORD k : keys) s.held[k] = char(0x80);
}

void Simulation::releaseKeys() { std::memset(impl_->held, 0, sizeof impl_->held); }

bool Simulation::keyboardTaken() const { return impl_->boxOpen; }

const InputBoxRecord *Simulation::inputBox() const { return impl_->boxOpen ? &impl_->box : nullptr; }

bool Simulation::answerInputBox(const std::string &text) {
  Impl &s = *impl_;
  if (!s.boxOpen) return false;
  VesselImpl *owner = s.findSerial(s.boxOwner);
  // The callback may keep or edit the text; it gets a line of the host's size
  // at least.
  std::vector<char> buf(std::max<std::size_t>(text.size() + 1, 256), 0);
  std::memcpy(buf.data(), text.data(), text.size());
  const std::uint32_t generation = s.boxGeneration;
  void *id = detail::makeHandle(detail::HandleKind::InputBox, 0, generation);
  bool closed;
  {
    CallbackScope scope(s, owner, Phase::InputBox, s.now());
    closed = s.boxCallback(id, buf.data(), s.boxUserData);
  }
  // A box the callback opened anew stays open.
  if (closed && s.boxGeneration == generation) s.boxOpen = false;
  return closed;
}

// --- environment and view --------------------------------------------------------

void Simulation::setAltitude(const std::string &vessel, double metres) {
  VesselImpl &v = need(*impl_, vessel);
  MotionRecord &m = v.rec.motion;
  m.altitude = metres > 0 ? metres : 0;
  if (metres > 0) m.landed = false;
  detail::placeAtAltitude(m, detail::kBodies[v.body].radius);
}

void Simulation::setGroundContact(const std::string &vessel, bool on) {
  need(*impl_, vessel).rec.motion.contactOverride = on ? 1 : 0;
}

void Simulation::clearGroundContact(const std::string &vessel) {
  need(*impl_, vessel).rec.motion.contactOverride = -1;
}

void Simulation::setDockingStatus(const std::string &vessel, int port, bool docked) {
  VesselImpl &v = need(*impl_, vessel);
  if (port < 0 || std::size_t(port) >= v.rec.dockPorts.size())
    throw std::out_of_range("vessel \"" + vessel + "\" has no docking port " + std::to_string(port));
  v.rec.dockPorts[port].docked = docked;
}

void Simulation::setCockpitMode(int mode) {
  if (mode < COCKPIT_GENERIC || mode > COCKPIT_VIRTUAL) throw std::invalid_argument("cockpit modes are 1, 2 and 3");
  if (mode != impl_->cockpit) impl_->loadCockpit(mode);
}

int Simulation::cockpitMode() const { return impl_->cockpit; }

bool Simulation::loadVC(int id) {
  Impl &s = *impl_;
  if (s.cockpit != COCKPIT_VIRTUAL && !s.loadCockpit(COCKPIT_VIRTUAL)) return false;
  if (s.cockpit != COCKPIT_VIRTUAL) return false;  // refused: another mode took over
  if (s.vcPos == id) return true;
  return s.selectVirtualCockpit(id);
}

int Simulation::vcPosition() const { return impl_->vcPos; }
const int *Simulation::vcNeighbours() const { return impl_->neighbours; }

void Simulation::setFocus(const std::string &vessel) { impl_->changeFocus(&need(*impl_, vessel)); }

Vessel *Simulation::focus() const { return impl_->focusVessel(); }

void Simulation::setVisual(const std::string &vessel, bool on) {
  Impl &s = *impl_;
  VesselImpl &v = need(s, vessel);
  if (on == v.rec.hasVisual) return;
  if (on) {
    ++v.visualGeneration;
    v.rec.hasVisual = true;
    if (v.callbacks) {
      CallbackScope scope(s, &v, Phase::VisualCreated, s.now());
      v.callbacks->clbkVisualCreated(v.visualHandle(), 1);
    }
  } else {
    if (v.callbacks) {
      CallbackScope scope(s, &v, Phase::VisualDestroyed, s.now());
      v.callbacks->clbkVisualDestroyed(v.visualHandle(), 1);
    }
    // The materials belonged to the visual's meshes.
    v.rec.hasVisual = false;
    v.rec.materials.clear();
  }
}

bool Simulation::drawHud(const std::string &vessel, int width, int height) {
  Impl &s = *impl_;
  VesselImpl &v = need(s, vessel);
  if (width <= 0 || height <= 0) throw std::invalid_argument("a HUD needs a width and a height above 0");
  v.rec.hud.clear();
  if (!v.callbacks3) return false;
  HUDPAINTSPEC hps;
  hps.W = width;
  hps.H = height;
  hps.CX = width / 2;
  hps.CY = height / 2;
  hps.Scale = height / 60.0;
  hps.Markersize = height / 50;
  RecordingSketchpad skp(v.rec.hud);
  detail::ModuleSketchpad view(skp);
  bool drawn;
  {
    CallbackScope scope(s, &v, Phase::DrawHUD, s.now());
    s.hudSketchpad = &skp;
    drawn = v.callbacks3->clbkDrawHUD(1, &hps, view.get());
    s.hudSketchpad = nullptr;
  }
  return drawn;
}

// --- inspection --------------------------------------------------------------------

Vessel &Simulation::vessel(const std::string &name) const { return need(*impl_, name); }

Vessel *Simulation::findVessel(const std::string &name) const { return impl_->findName(name.c_str()); }

std::vector<Vessel *> Simulation::vessels() const {
  std::vector<Vessel *> out;
  for (const auto &v : impl_->vessels) out.push_back(v.get());
  return out;
}

const std::vector<CreatedVessel> &Simulation::created() const { return impl_->created; }
const std::vector<Warning> &Simulation::warnings() const { return impl_->warnings; }
const std::string &Simulation::halted() const { return impl_->halted; }
const std::vector<ModuleInfo> &Simulation::modules() const { return impl_->moduleInfos; }
const std::vector<FileRequest> &Simulation::fileRequests() const { return impl_->fileRequests; }
const char *Simulation::debugString() const { return impl_->debug; }

void Simulation::onEvent(std::function<void(const Event &)> sink) { impl_->eventSink = std::move(sink); }

void Simulation::onTrace(std::function<void(const TraceEntry &)> sink) {
  impl_->traceSink = std::move(sink);
  impl_->tracing = impl_->opt.trace && impl_->traceSink != nullptr;
}

const SimulationOptions &Simulation::options() const { return impl_->opt; }

}  // namespace vhost
