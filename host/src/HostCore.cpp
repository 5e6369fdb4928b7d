// The simulation's inner workings: lookups, warnings and events, making and
// removing vessels.
#include "HostCore.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <strings.h>

#include "FileContexts.h"
#include "Handles.h"
#include "Motion.h"
#include "VesselImpl.h"

namespace vhost {

using detail::CallbackScope;
using detail::Phase;
using detail::VesselImpl;

Simulation::Impl *Simulation::Impl::live = nullptr;

const char *detail::callbackName(Phase p) {
  struct Name {
    Phase phase;
    const char *callback;
  };
  static const Name names[] = {
      {Phase::Init, "ovcInit"},
      {Phase::ClassCaps, "clbkSetClassCaps"},
      {Phase::LoadState, "clbkLoadStateEx"},
      {Phase::PostCreation, "clbkPostCreation"},
      {Phase::PreStep, "clbkPreStep"},
      {Phase::DirectKey, "clbkConsumeDirectKey"},
      {Phase::PostStep, "clbkPostStep"},
      {Phase::BufferedKey, "clbkConsumeBufferedKey"},
      {Phase::SaveState, "clbkSaveState"},
      {Phase::FocusChanged, "clbkFocusChanged"},
      {Phase::LoadGenericCockpit, "clbkLoadGenericCockpit"},
      {Phase::LoadPanel, "clbkLoadPanel"},
      {Phase::LoadVC, "clbkLoadVC"},
      {Phase::DrawHUD, "clbkDrawHUD"},
      {Phase::VisualCreated, "clbkVisualCreated"},
      {Phase::VisualDestroyed, "clbkVisualDestroyed"},
      {Phase::InputBox, "input box callback"},
      {Phase::Exit, "ovcExit"},
  };
  for (const Name &n : names)
    if (n.phase == p) return n.callback;
  return "";
}

namespace {

// Serials are never reused in a process, so a handle of a vessel that is
// gone, or of another simulation's vessel, is recognised as such.
std::uint32_t nextSerial = 1;

// Warnings kept per simulation; a plug-in that misuses the host at every
// frame would otherwise grow the list without end.
constexpr std::size_t kMaxWarnings = 10000;

}  // namespace

Simulation::Impl::Impl(SimulationOptions o) : opt(std::move(o)) {}

Simulation::Impl::~Impl() {
  // The sinks may belong to objects that are going too.
  eventSink = nullptr;
  traceSink = nullptr;
  tracing = false;
  ending = true;
  // Every vessel's object is destroyed while the simulation is still live,
  // so that destructors may still call the host; the modules go after.
  for (std::size_t i = 0; i < vessels.size(); ++i) {
    VesselImpl *v = vessels[i].get();
    if (v->pluginObject && v->module) {
      CallbackScope scope(*this, v, Phase::Exit, now());
      VESSEL *obj = v->pluginObject;
      v->pluginObject = nullptr;
      v->callbacks = nullptr;
      v->callbacks3 = nullptr;
      v->module->exit(obj);
    }
  }
  std::vector<detail::LoadedModule *> used;
  for (auto &v : vessels) used.push_back(v->module);
  vessels.clear();
  for (detail::LoadedModule *m : used) releaseModule(m);
  if (live == this) live = nullptr;
}

VesselImpl *Simulation::Impl::findSerial(std::uint32_t serial) const {
  if (!serial) return nullptr;
  // Every SDK call on a vessel comes here, mostly from that vessel's own
  // callback; a scan would make each frame quadratic in the vessel count.
  if (ctxVessel && ctxVessel->serial == serial) return ctxVessel;
  auto it = std::lower_bound(vessels.begin(), vessels.end(), serial,
                             [](const std::unique_ptr<VesselImpl> &v, std::uint32_t s) { return v->serial < s; });
  return it != vessels.end() && (*it)->serial == serial ? it->get() : nullptr;
}

VesselImpl *Simulation::Impl::vesselOf(const void *h) const {
  std::uint32_t owner = 0, serial = 0;
  if (!detail::decodeHandle(h, detail::HandleKind::Vessel, owner, serial) || owner != 0) return nullptr;
  return findSerial(serial);
}

// Without regard to case, the first of that name, as the simulator looks
// vessels up.
VesselImpl *Simulation::Impl::findName(const char *name) const {
  if (!name) return nullptr;
  for (const auto &v : vessels)
    if (strcasecmp(v->rec.name.c_str(), name) == 0) return v.get();
  return nullptr;
}

const char *Simulation::Impl::callerName(const VesselImpl *target) const {
  if (ctxVessel) return ctxVessel->rec.name.c_str();
  return target ? target->rec.name.c_str() : "";
}

void Simulation::Impl::warn(const VesselImpl *target, const char *call, const char *format, ...) {
  if (warnings.size() >= kMaxWarnings) {
    ++warningsDropped;
    return;
  }
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  Warning w;
  w.t = callbackTime();
  w.vessel = callerName(target);
  w.in = callbackNow();
  w.call = call;
  w.message = text;
  if (warnings.size() + 1 == kMaxWarnings)
    w.message += " (the host keeps no more warnings after this one)";
  warnings.push_back(std::move(w));
}

void Simulation::Impl::event(const VesselImpl *v, const char *format, ...) {
  if (!eventSink) return;
  char text[512];
  va_list args;
  va_start(args, format);
  std::vsnprintf(text, sizeof text, format, args);
  va_end(args);
  scratchEvent.t = callbackTime();
  scratchEvent.vessel.assign(v ? v->rec.name.c_str() : "");
  scratchEvent.what.assign(text);
  eventSink(scratchEvent);
}

void Simulation::Impl::noteFileRequest(const char *kind, const char *name, bool found) {
  const std::string *module = ctxVessel && ctxVessel->module ? &ctxVessel->module->name : nullptr;
  for (FileRequest &r : fileRequests)
    if (r.kind == kind && r.name == name) {
      if (module && std::find(r.modules.begin(), r.modules.end(), *module) == r.modules.end())
        r.modules.push_back(*module);
      return;
    }
  fileRequests.push_back(FileRequest{kind, name, found, {}});
  if (module) fileRequests.back().modules.push_back(*module);
}

void Simulation::Impl::noticeDebugLine() {
  debug[256] = 0;
  if (std::strcmp(debug, debugSeen) == 0) return;
  std::memcpy(debugSeen, debug, sizeof debug);
  event(ctxVessel, "debug line \"%s\"", debug);
}

const detail::ClassConfig &Simulation::Impl::classConfig(const std::string &className) {
  auto it = classConfigs.find(className);
  if (it != classConfigs.end()) return it->second;
  detail::ClassConfig cfg = detail::readClassConfig(opt.configDir, className);
  return classConfigs.emplace(className, std::move(cfg)).first->second;
}

namespace {

// The class file's items for the flight model, read after the module's
// class caps (so they win over them), as the simulator reads them.
void readGenericItems(const detail::ClassConfig &cfg, VesselRecord &r) {
  if (const std::string *s = cfg.find("Size")) detail::readDoubleValue(*s, r.size);
  if (const std::string *s = cfg.find("Mass")) detail::readDoubleValue(*s, r.emptyMass);
  if (const std::string *s = cfg.find("CrossSections")) detail::readVectorValue(*s, r.crossSections);
  if (const std::string *s = cfg.find("CW")) {
    double cw[4];
    if (std::sscanf(s->c_str(), "%lf %lf %lf %lf", &cw[0], &cw[1], &cw[2], &cw[3]) == 4)
      for (int i = 0; i < 4; ++i) r.cw[i] = cw[i];
  }
}

}  // namespace

VesselImpl *Simulation::Impl::makeVessel(const std::string &name, const std::string &className,
                                         const std::vector<detail::ScenarioLine> *lines, const std::string &file,
                                         const VESSELSTATUS *status, std::string &error) {
  if (ending) {
    error = "the simulation is ending";
    return nullptr;
  }
  if (name.empty()) {
    error = "a vessel needs a name";
    return nullptr;
  }
  if (name.size() > detail::kMaxVesselName) {
    error = "vessel names hold at most 255 characters";
    return nullptr;
  }
  if (!detail::usableClassName(className)) {
    error = "the class name \"" + className + "\" cannot name a configuration file";
    return nullptr;
  }
  const detail::ClassConfig &cfg = classConfig(className);
  if (!cfg.exists) {
    // The simulator ends the run here, at a scenario's vessel and at a spawn
    // alike.
    error = "class " + className + " has no class configuration file (" + cfg.path + "): the simulator stops here";
    if (!lines && halted.empty()) halted = "oapiCreateVessel(\"" + name.substr(0, 100) + "\", \"" + className + "\"): " + error;
    return nullptr;
  }
  if (findName(name.c_str()))
    warn(nullptr, "vessel name", "a vessel named \"%.100s\" exists already; lookups by name find the first",
         name.c_str());
  const std::string moduleName = cfg.module();
  detail::LoadedModule *module = nullptr;
  if (!moduleName.empty()) {
    // A module that does not load leaves a passive vessel, as in the
    // simulator, which says so in its log.
    std::string why;
    module = acquireModule(moduleName, why);
    if (!module) warn(nullptr, "module", "vessel \"%.100s\": %s; the vessel is passive", name.c_str(), why.c_str());
  }

  auto owned = std::make_unique<VesselImpl>();
  VesselImpl *v = owned.get();
  v->serial = nextSerial++;
  v->rec.name = name;
  v->rec.className = className;
  v->rec.module = moduleName;
  v->scenarioFile = file;
  MotionRecord &m = v->rec.motion;
  if (status) {
    if (const char *bad = detail::nonFiniteStatus(*status)) {
      error = std::string("the status's ") + bad + " is not finite or overflows";
      return nullptr;
    }
    m.rpos = status->rpos;
    m.rvel = status->rvel;
    m.arot = status->arot;
    m.vrot = status->vrot;
    m.landed = status->status == 1;
    std::uint32_t owner = 0, body = 0;
    if (detail::decodeHandle(status->rbody, detail::HandleKind::Body, owner, body) && body < detail::kBodyCount)
      v->body = int(body);
    else if (ctxVessel)
      v->body = ctxVessel->body;
    m.body = detail::kBodies[v->body].name;
  }
  for (const detail::ConfigAttachment &a : cfg.attachments) {
    AttachmentRecord r;
    r.id = a.id;
    r.toParent = a.toParent;
    r.pos = a.pos;
    r.dir = a.dir;
    r.rot = a.rot;
    r.loose = a.loose;
    v->rec.attachments.push_back(r);
    detail::AttachLink l;
    l.id = v->nextAttachmentId++;
    v->links.push_back(l);
  }
  vessels.push_back(std::move(owned));
  event(v, "created class %s", className.c_str());

  VESSEL *obj = nullptr;
  if (module) {
    v->module = module;
    {
      CallbackScope scope(*this, v, Phase::Init, callbackTime());
      obj = module->init(v->handle(), 1);
    }
    if (!obj) {
      warn(v, "ovcInit", "module %s made no vessel object; the vessel is passive", moduleName.c_str());
      v->module = nullptr;
      v->rec.module.clear();
      releaseModule(module);
    }
  }
  detail::LoadStatus st;
  st.body = v->body;
  if (obj) {
    v->pluginObject = obj;
    // The object tells which interface class it was built as; the callback
    // classes are reached by converting down to them, as the VESSEL part
    // does not start an object that has callbacks.
    const int version = obj->Version();
    v->callbacks = version >= 1 ? static_cast<VESSEL2 *>(obj) : nullptr;
    v->callbacks3 = version >= 2 ? static_cast<VESSEL3 *>(obj) : nullptr;
  } else {
    v->hostInterface = std::make_unique<VESSEL>(v->handle());
  }
  if (VESSEL2 *callbacks = v->callbacks) {
    detail::ConfigContext cc;
    cc.id = takeFileId();
    cc.config = &cfg;
    detail::ConfigContext *outerConfig = configuring;
    configuring = &cc;
    {
      CallbackScope scope(*this, v, Phase::ClassCaps, callbackTime());
      callbacks->clbkSetClassCaps(makeHandle(detail::HandleKind::File, detail::FileConfig, cc.id));
    }
    configuring = outerConfig;
    readGenericItems(cfg, v->rec);
    if (lines) {
      detail::ReadContext rc;
      rc.id = takeFileId();
      rc.vessel = v;
      rc.lines = lines;
      rc.file = &file;
      rc.status = &st;
      detail::ReadContext *outerRead = reading;
      reading = &rc;
      {
        CallbackScope scope(*this, v, Phase::LoadState, callbackTime());
        callbacks->clbkLoadStateEx(makeHandle(detail::HandleKind::File, detail::FileRead, rc.id), &rc);
      }
      reading = outerRead;
    }
  } else {
    readGenericItems(cfg, v->rec);
  }
  // Inertia nobody gave follows the size.
  VECTOR3 &pmi = v->rec.pmi;
  if (pmi.x < 0 || pmi.y < 0 || pmi.z < 0) pmi = _V(2 * v->rec.size, 2 * v->rec.size, v->rec.size);
  if (!v->callbacks && lines) {
    // The simulator reads a passive vessel's lines into a line of its own
    // size, and a longer one ends its reading of the file.
    for (const detail::ScenarioLine &l : *lines)
      if (l.length > detail::kMaxShipsLine) {
        error = "line " + std::to_string(l.line) + " is " + std::to_string(l.length) +
                " bytes long: the simulator reads at most 255 a line of a vessel without a module, and would "
                "stop reading the file there";
        destroyVessel(*v);
        return nullptr;
      }
    for (const detail::ScenarioLine &l : *lines) readScenarioLine(*v, l.text.c_str(), l.line, file, st);
  }

  if (lines) {
    // Once its lines are read, the vessel is what they say: tanks and
    // thruster levels reset and filled from them, placed by its status.
    v->body = st.body;
    detail::applyStatus(st, detail::kBodies[v->body].radius, v->rec);
    v->savedAttachments = st.attachments;
  } else if (m.landed) {
    // A landed status places the vessel by its longitude, latitude and
    // heading; its position, velocity and angles are not looked at.
    m.body = detail::kBodies[v->body].name;
    detail::placeLanded(status->vdata[0].x, status->vdata[0].y, status->vdata[0].z, nullptr, 0,
                        detail::kBodies[v->body].radius, v->rec);
  } else {
    m.body = detail::kBodies[v->body].name;
    detail::altitudeFromPosition(m, detail::kBodies[v->body].radius);
  }
  if (const char *bad = detail::nonFiniteField(m)) {
    // Too far out for the host's numbers (a position or altitude near the
    // largest double): it could neither fly nor save the vessel.
    error = std::string(bad) + " puts the vessel beyond finite numbers";
    destroyVessel(*v);
    return nullptr;
  }
  return v;
}

void Simulation::Impl::postCreate(VesselImpl &v) {
  VESSEL2 *callbacks = v.callbacks;
  if (!callbacks) return;
  CallbackScope scope(*this, &v, Phase::PostCreation, callbackTime());
  callbacks->clbkPostCreation();
}

void Simulation::Impl::restoreAttachments(VesselImpl &v) {
  for (const detail::SavedAttachment &a : v.savedAttachments) {
    VesselImpl *parent = findName(a.parent.c_str());
    if (!parent) throw ScenarioError(v.scenarioFile, a.line, "ATTACHED names no vessel \"" + a.parent + "\"");
    int ci = -1, pi = -1;
    for (int i = 0, n = 0; i < int(v.rec.attachments.size()); ++i)
      if (v.rec.attachments[i].toParent && n++ == a.childPoint) ci = i;
    for (int i = 0, n = 0; i < int(parent->rec.attachments.size()); ++i)
      if (!parent->rec.attachments[i].toParent && n++ == a.parentPoint) pi = i;
    if (ci < 0)
      throw ScenarioError(v.scenarioFile, a.line, v.rec.name + " has no point for a parent numbered " +
                                                      std::to_string(a.childPoint));
    if (pi < 0)
      throw ScenarioError(v.scenarioFile, a.line, a.parent + " has no point for children numbered " +
                                                      std::to_string(a.parentPoint));
    if (v.links[ci].partnerSerial || parent->links[pi].partnerSerial || parentOf(v))
      throw ScenarioError(v.scenarioFile, a.line, "a point is taken, or the vessel hangs on a parent already");
    if (parent == &v) throw ScenarioError(v.scenarioFile, a.line, "a vessel cannot hang on its own point");
    if (isAncestor(&v, parent))
      throw ScenarioError(v.scenarioFile, a.line,
                          "\"" + a.parent + "\" hangs below " + v.rec.name + ", which cannot hang below it in turn");
    link(*parent, pi, v, ci);
  }
  v.savedAttachments.clear();
}

void Simulation::Impl::destroyVessel(VesselImpl &v) {
  // The focus passes on first, to the first vessel that stays.
  if (focusSerial == v.serial && !ending) {
    VesselImpl *next = nullptr;
    for (const auto &o : vessels)
      if (o.get() != &v && (!next || (next->deleting && !o->deleting))) next = o.get();
    if (next) changeFocus(next);
  }
  for (std::size_t i = 0; i < v.links.size(); ++i) unlink(v, int(i));
  if (v.pluginObject && v.module) {
    CallbackScope scope(*this, &v, Phase::Exit, callbackTime());
    VESSEL *obj = v.pluginObject;
    v.pluginObject = nullptr;
    v.callbacks = nullptr;
    v.callbacks3 = nullptr;
    v.module->exit(obj);
  }
  // An open input box of the vessel would call back into an object that
  // no longer exists.
  if (boxOpen && boxOwner == v.serial) boxOpen = false;
  detail::LoadedModule *module = v.module;
  for (std::size_t i = 0; i < vessels.size(); ++i)
    if (vessels[i].get() == &v) {
      vessels.erase(vessels.begin() + long(i));
      break;
    }
  releaseModule(module);
}

void Simulation::Impl::flushDeletions() {
  while (deletionsPending) {
    deletionsPending = false;
    for (std::size_t i = 0; i < vessels.size(); ++i)
      if (vessels[i]->deleting) {
        event(vessels[i].get(), "deleted");
        destroyVessel(*vessels[i]);
        deletionsPending = true;
        break;
      }
  }
}

void Simulation::Impl::saveLines(VesselImpl &v, std::vector<std::string> &out) {
  detail::WriteContext wc;
  if (VESSEL2 *callbacks = v.callbacks) {
    wc.id = takeFileId();
    wc.vessel = &v;
    wc.out = &out;
    detail::WriteContext *outer = writing;
    writing = &wc;
    {
      CallbackScope scope(*this, &v, Phase::SaveState, callbackTime());
      callbacks->clbkSaveState(makeHandle(detail::HandleKind::File, detail::FileWrite, wc.id));
    }
    writing = outer;
  } else {
    writeHostLines(v, out);
  }
  // The host's own numbers first: they are the ones a reader meets first.
  if (const char *bad = detail::nonFiniteField(v.rec.motion)) throw SaveError(v.rec.name, bad);
  // The simulator reads a passive vessel's lines into a line of its size.
  if (!v.callbacks)
    for (const std::string &line : out)
      if (line.size() + 2 > detail::kMaxShipsLine)
        throw SaveError("vessel \"" + v.rec.name.substr(0, 100) + "\": its " + detail::lineKey(line) + " line would be " +
                        std::to_string(line.size() + 2) +
                        " characters long, more than the simulator reads for a vessel without a module (255); "
                        "nothing was saved");
  if (!wc.unsound.empty()) throw SaveError(v.rec.name, wc.unsound);
}

}  // namespace vhost
