// The host's inner state: the simulation, its vessels and the context of the
// callback now running. Everything the SDK functions reach goes through the
// one live Simulation::Impl.
#ifndef VHOST_HOSTCORE_H
#define VHOST_HOSTCORE_H

#include <cstdarg>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "ClassConfig.h"
#include "Handles.h"
#include "ScenarioText.h"
#include "vhost/ModuleInterface.h"
#include "vhost/Simulation.h"

namespace vhost {
namespace detail {

struct LoadedModule {
  std::string name, path;
  void *library = nullptr;
  OVC_INIT_FUNC init = nullptr;
  OVC_EXIT_FUNC exit = nullptr;
  int users = 0;
  std::size_t info = 0;  // index in Impl::moduleInfos
};

// What the host is doing when a plug-in calls it; some operations belong to
// one callback only.
enum class Phase {
  Host,
  Init,
  ClassCaps,
  LoadState,
  PostCreation,
  PreStep,
  DirectKey,
  PostStep,
  BufferedKey,
  SaveState,
  LoadVC,
  DrawHUD,
  Visual,
  InputBox,
  Exit,
};

class VesselImpl;

// One side of an attachment: the point's own id and what it is linked to.
struct AttachLink {
  std::uint32_t id = 0;
  std::uint32_t partnerSerial = 0;  // 0: free
  std::uint32_t partnerId = 0;
};

// The file handle of a running clbkLoadStateEx.
struct ReadContext {
  std::uint32_t id = 0;
  VesselImpl *vessel = nullptr;
  const std::vector<ScenarioLine> *lines = nullptr;
  std::size_t next = 0;
  std::vector<char> buffer;  // the line handed out, writable
  int currentLine = 0;
};

// The file handle of a running clbkSaveState.
struct WriteContext {
  std::uint32_t id = 0;
  VesselImpl *vessel = nullptr;
  std::vector<std::string> *out = nullptr;
};

// The file handle of a running clbkSetClassCaps.
struct ConfigContext {
  std::uint32_t id = 0;
  const ClassConfig *config = nullptr;
};

enum FileKind : std::uint32_t { FileRead = 1, FileWrite = 2, FileConfig = 3 };

class VesselImpl final : public Vessel {
public:
  const VesselRecord &record() const override { return rec; }
  OBJHANDLE handle() const override { return makeHandle(HandleKind::Vessel, 0, serial); }
  VESSEL *plugin() const override { return pluginObject; }
  VESSEL *iface() const override { return pluginObject ? pluginObject : hostInterface.get(); }
  MATRIX3 rotation() const override;
  bool groundContact() const override {
    return rec.motion.contactOverride >= 0 ? rec.motion.contactOverride == 1 : rec.motion.landed;
  }

  std::uint32_t serial = 0;
  VesselRecord rec;
  VESSEL *pluginObject = nullptr;
  VESSEL2 *callbacks = nullptr;   // the plug-in's object, when it has callbacks
  VESSEL3 *callbacks3 = nullptr;  // ... and the HUD drawing ones
  std::unique_ptr<VESSEL> hostInterface;  // passive vessels
  LoadedModule *module = nullptr;
  int body = 0;  // index in kBodies

  std::vector<std::uint32_t> dockIds;  // parallel to rec.dockPorts
  std::uint32_t nextDockId = 0;
  std::vector<AttachLink> links;  // parallel to rec.attachments
  std::uint32_t nextAttachmentId = 0;
  std::size_t exhaustsEver = 0;  // most exhausts the vessel ever had

  std::vector<std::string> keptLines;  // lines handed to the host it does not read
  std::vector<SavedAttachment> savedAttachments;
  std::string scenarioFile;

  char held[256] = {};    // keys held through the host's API
  char kstate[256] = {};  // what the direct-key callback is given
  std::uint32_t visualGeneration = 0;
  bool deleting = false;

  // The index of the attachment point with that id, -1 for none.
  int attachmentIndex(std::uint32_t id) const;
  int dockIndex(std::uint32_t id) const;
  VISHANDLE visualHandle() const { return makeHandle(HandleKind::Visual, serial, visualGeneration); }
  double mass() const;
};

}  // namespace detail

class Simulation::Impl {
public:
  explicit Impl(SimulationOptions o);
  ~Impl();

  static Impl *live;

  Simulation *owner = nullptr;
  SimulationOptions opt;
  // Creation order, which is also ascending serial order (findSerial
  // searches it by halves).
  std::vector<std::unique_ptr<detail::VesselImpl>> vessels;
  std::vector<CreatedVessel> created;
  std::vector<Warning> warnings;
  std::size_t warningsDropped = 0;
  std::vector<ModuleInfo> moduleInfos;
  std::vector<std::unique_ptr<detail::LoadedModule>> modules;
  std::map<std::string, detail::ClassConfig> classConfigs;

  long long frames = 0;  // frames run
  // The callback now running.
  detail::VesselImpl *ctxVessel = nullptr;
  detail::Phase phase = detail::Phase::Host;
  double ctxTime = 0;
  bool ctxTimeSet = false;

  detail::ReadContext *reading = nullptr;
  detail::WriteContext *writing = nullptr;
  detail::ConfigContext *configuring = nullptr;
  std::uint32_t nextFileId = 1;

  char debug[257] = {};
  char debugSeen[257] = {};

  bool boxOpen = false;
  InputBoxRecord box;
  bool (*boxCallback)(void *id, char *str, void *usrdata) = nullptr;
  void *boxUserData = nullptr;
  std::uint32_t boxOwner = 0;
  std::uint32_t boxGeneration = 0;

  int cockpit = COCKPIT_GENERIC;
  int vcPos = -1;
  int neighbours[4] = {-1, -1, -1, -1};
  std::uint32_t focusSerial = 0;

  std::function<void(const Event &)> eventSink;
  std::function<void(const TraceEntry &)> traceSink;
  bool tracing = false;
  Event scratchEvent;  // reused so that frequent events need no new memory
  long loadingModule = -1;  // moduleInfos index while a module is opened
  bool deletionsPending = false;
  bool ending = false;  // the destructor runs: no new vessels

  // --- lookups -----------------------------------------------------------
  detail::VesselImpl *findSerial(std::uint32_t serial) const;
  detail::VesselImpl *vesselOf(const void *h) const;
  detail::VesselImpl *findName(const char *name) const;

  // --- time ----------------------------------------------------------------
  double now() const { return double(frames) * opt.dt; }
  double callbackTime() const { return ctxTimeSet ? ctxTime : now(); }

  // --- records of misuse, events and traces ------------------------------
  void warn(const detail::VesselImpl *target, const char *call, const char *format, ...)
      __attribute__((format(printf, 4, 5)));
  void event(const detail::VesselImpl *v, const char *format, ...) __attribute__((format(printf, 3, 4)));
  // The vessel a call is made by: the one whose callback runs, else target.
  const char *callerName(const detail::VesselImpl *target) const;
  void noticeDebugLine();

  template <class... A>
  void traceCall(const detail::VesselImpl *target, const char *call, const A &...args);

  // --- vessels -------------------------------------------------------------
  const detail::ClassConfig &classConfig(const std::string &className);
  detail::LoadedModule *acquireModule(const std::string &name, std::string &error);
  void releaseModule(detail::LoadedModule *m);
  // Makes a vessel: class caps and, when lines is given, scenario state. Null
  // with a reason in error when it cannot be made.
  detail::VesselImpl *makeVessel(const std::string &name, const std::string &className,
                                 const std::vector<detail::ScenarioLine> *lines, const std::string &file,
                                 const VESSELSTATUS *status, std::string &error);
  void postCreate(detail::VesselImpl &v);
  void restoreAttachments(detail::VesselImpl &v);
  void destroyVessel(detail::VesselImpl &v);
  void flushDeletions();
  void saveLines(detail::VesselImpl &v, std::vector<std::string> &out);
  void writeHostLines(detail::VesselImpl &v, std::vector<std::string> &out);

  // --- attachments ---------------------------------------------------------
  // Links parent point pi with child point ci; both must be free.
  void link(detail::VesselImpl &parent, int pi, detail::VesselImpl &child, int ci);
  void unlink(detail::VesselImpl &v, int i);
  void syncAttachment(detail::VesselImpl &v, int i);
  void followParent(detail::VesselImpl &child);
  detail::VesselImpl *parentOf(const detail::VesselImpl &v, int *childPoint = nullptr, int *parentPoint = nullptr);
};

namespace detail {

// Process-wide tables of mesh and exhaust-texture names (plug-ins may keep
// such handles in module-wide statics beyond one simulation).
MESHHANDLE meshHandleFor(const char *name);
SURFHANDLE textureHandleFor(const char *name);
// The name behind a handle, null for a value that is no such handle.
const char *meshName(MESHHANDLE h);
const char *textureName(SURFHANDLE h);

// A scope in which a callback of vessel v runs; restores the previous one.
class CallbackScope {
public:
  CallbackScope(Simulation::Impl &s, VesselImpl *v, Phase p, double t)
      : s_(s), vessel_(s.ctxVessel), phase_(s.phase), time_(s.ctxTime), timeSet_(s.ctxTimeSet) {
    s.ctxVessel = v;
    s.phase = p;
    s.ctxTime = t;
    s.ctxTimeSet = true;
  }
  ~CallbackScope() {
    s_.noticeDebugLine();  // put down to the callback that wrote it
    s_.ctxVessel = vessel_;
    s_.phase = phase_;
    s_.ctxTime = time_;
    s_.ctxTimeSet = timeSet_;
  }
  CallbackScope(const CallbackScope &) = delete;
  CallbackScope &operator=(const CallbackScope &) = delete;

private:
  Simulation::Impl &s_;
  VesselImpl *vessel_;
  Phase phase_;
  double time_;
  bool timeSet_;
};

// --- trace arguments ---------------------------------------------------------

inline TraceValue traceList(std::initializer_list<double> values) {
  TraceValue v;
  v.kind = TraceValue::List;
  v.list.assign(values);
  return v;
}

inline TraceValue traceVectorPtr(const VECTOR3 *p) {
  TraceValue v;
  if (p) {
    v.kind = TraceValue::Vector;
    v.vec = *p;
  }
  return v;
}

template <class T>
TraceValue toTrace(const T &a) {
  TraceValue v;
  if constexpr (std::is_same_v<T, TraceValue>) {
    v = a;
  } else if constexpr (std::is_same_v<T, bool>) {
    v.kind = TraceValue::Bool;
    v.b = a;
  } else if constexpr (std::is_enum_v<T> || std::is_integral_v<T>) {
    v.kind = TraceValue::Int;
    v.i = (long long)a;
  } else if constexpr (std::is_floating_point_v<T>) {
    v.kind = TraceValue::Number;
    v.number = double(a);
  } else if constexpr (std::is_same_v<T, VECTOR3>) {
    v.kind = TraceValue::Vector;
    v.vec = a;
  } else if constexpr (std::is_same_v<T, COLOUR4>) {
    v = traceList({a.r, a.g, a.b, a.a});
  } else if constexpr (std::is_same_v<T, char *> || std::is_same_v<T, const char *>) {
    if (a) {
      v.kind = TraceValue::String;
      v.text = a;
    }
  } else if constexpr (std::is_pointer_v<T>) {
    long long idx = handleIndex(reinterpret_cast<const void *>(a));
    if (idx >= 0) {
      v.kind = TraceValue::Int;
      v.i = idx;
    }
  } else {
    static_assert(std::is_pointer_v<T>, "no trace form for this argument type");
  }
  return v;
}

}  // namespace detail

template <class... A>
void Simulation::Impl::traceCall(const detail::VesselImpl *target, const char *call, const A &...args) {
  TraceEntry e;
  e.t = callbackTime();
  e.vessel = callerName(target);
  e.call = call;
  e.args.reserve(sizeof...(A));
  (e.args.push_back(detail::toTrace(args)), ...);
  if (traceSink) traceSink(e);
}

namespace detail {

// The live simulation and the vessel behind a VESSEL interface's handle,
// with the call traced. v is null (and a warning recorded) when the handle
// is no live vessel; sim is null when no simulation runs.
struct Call {
  Simulation::Impl *sim = nullptr;
  VesselImpl *v = nullptr;
  explicit operator bool() const { return v != nullptr; }
};

template <class... A>
Call enter(OBJHANDLE self, const char *call, const A &...args) {
  Call c;
  c.sim = Simulation::Impl::live;
  if (!c.sim) return c;
  c.v = c.sim->vesselOf(self);
  if (c.sim->tracing) c.sim->traceCall(c.v, call, args...);
  if (!c.v) c.sim->warn(nullptr, call, "the interface's vessel handle is no live vessel");
  return c;
}

// For free functions: the live simulation, with the call traced.
template <class... A>
Simulation::Impl *enterFree(const char *call, const A &...args) {
  Simulation::Impl *s = Simulation::Impl::live;
  if (s && s->tracing) s->traceCall(nullptr, call, args...);
  return s;
}

}  // namespace detail
}  // namespace vhost

#endif  // VHOST_HOSTCORE_H
