// The host's core: the simulation, the context of the callback now running
// and the way every SDK call enters the host. Everything the SDK functions
// reach goes through the one live Simulation::Impl. What a vessel holds, the
// contexts behind file handles, the trace forms of arguments and the
// mesh and texture name tables have headers of their own.
#ifndef VHOST_HOSTCORE_H
#define VHOST_HOSTCORE_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ClassConfig.h"
#include "ScenarioText.h"
#include "TraceArguments.h"
#include "vhost/ModuleInterface.h"
#include "vhost/SharedLibrary.h"
#include "vhost/Simulation.h"

// The printf the host formats its texts with: C99's (gnu_printf) also in the
// Windows build, whose C library is told to format as C99 says.
#if defined(__MINGW32__)
#define VHOST_PRINTF gnu_printf
#else
#define VHOST_PRINTF printf
#endif

namespace vhost {
namespace detail {

struct LoadedModule {
  std::string name, path;
  SharedLibrary library;
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
  FocusChanged,
  LoadGenericCockpit,
  LoadPanel,
  LoadVC,
  DrawHUD,
  VisualCreated,
  VisualDestroyed,
  InputBox,
  Exit,
};

// The callback a phase runs ("clbkPostStep"), "" for the host's own work.
const char *callbackName(Phase p);

// Held by pointer only; their headers say what they are.
class VesselImpl;
struct ReadContext;
struct WriteContext;
struct ConfigContext;
struct LoadStatus;

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
  std::vector<FileRequest> fileRequests;
  void noteFileRequest(const char *kind, const char *name, bool found);
  std::vector<std::unique_ptr<detail::LoadedModule>> modules;
  std::map<std::string, detail::ClassConfig> classConfigs;

  long long frames = 0;  // frames run
  double mjd0 = 51544.5;  // the date the simulation starts at (the scenario's Date)
  // While a frame's vessels step, the simulator's clock still shows the
  // frame's start (oapiGetSimTime); it moves on once they all have.
  bool inFrame = false;
  double simClock() const { return inFrame ? now() : callbackTime(); }
  // The scenario's blocks other than the ships, carried to every save.
  std::vector<detail::ScenarioBlock> blocks;
  // The callback now running.
  detail::VesselImpl *ctxVessel = nullptr;
  detail::Phase phase = detail::Phase::Host;
  double ctxTime = 0;
  bool ctxTimeSet = false;

  detail::ReadContext *reading = nullptr;
  detail::WriteContext *writing = nullptr;
  detail::ConfigContext *configuring = nullptr;
  std::uint32_t nextFileId = 1;
  std::uint32_t takeFileId() {
    const std::uint32_t id = nextFileId;
    nextFileId = nextFileId % detail::kFileIdLimit + 1;
    return id;
  }

  char debug[257] = {};
  char debugSeen[257] = {};

  bool boxOpen = false;
  InputBoxRecord box;
  bool (*boxCallback)(void *id, char *str, void *usrdata) = nullptr;
  void *boxUserData = nullptr;
  std::uint32_t boxOwner = 0;
  std::uint32_t boxGeneration = 0;

  // The cockpit: 0 until the first one is loaded once the scenario's
  // vessels exist, then COCKPIT_*; the virtual cockpit's position (-1: none
  // loaded) and the neighbours its last load gave.
  int cockpit = 0;
  int vcPos = -1;
  int neighbours[4] = {-1, -1, -1, -1};
  std::uint32_t focusSerial = 0;
  // The keyboard: keys held (bit 0x80) and what the direct-key callback is
  // given (its own copy, which it may write).
  char held[256] = {};
  char kstate[256] = {};

  std::function<void(const Event &)> eventSink;
  std::function<void(const TraceEntry &)> traceSink;
  bool tracing = false;
  Event scratchEvent;  // reused so that frequent events need no new memory
  long loadingModule = -1;  // moduleInfos index while a module is opened
  // The handle the module being opened gave InitLib, checked against its own
  // once it is open.
  bool initLibCalled = false;
  const void *initLibHandle = nullptr;
  bool deletionsPending = false;
  // Why the simulator itself would have stopped (a spawn of a class without
  // a class file), "" while it would run on.
  std::string halted;
  bool ending = false;  // the destructor runs: no new vessels
  // The sketchpad lent for the HUD being drawn, null between HUD draws.
  const oapi::Sketchpad *hudSketchpad = nullptr;

  // --- lookups -----------------------------------------------------------
  detail::VesselImpl *findSerial(std::uint32_t serial) const;
  detail::VesselImpl *vesselOf(const void *h) const;
  detail::VesselImpl *findName(const char *name) const;

  // --- time ----------------------------------------------------------------
  double now() const { return double(frames) * opt.dt; }
  double mjdAt(double t) const { return mjd0 + t / 86400.0; }
  double callbackTime() const { return ctxTimeSet ? ctxTime : now(); }

  // --- records of misuse, events and traces ------------------------------
  void warn(const detail::VesselImpl *target, const char *call, const char *format, ...)
      __attribute__((format(VHOST_PRINTF, 4, 5)));
  void event(const detail::VesselImpl *v, const char *format, ...) __attribute__((format(VHOST_PRINTF, 3, 4)));
  // The callback now running, as traces and warnings name it.
  const char *callbackNow() const {
    return loadingModule >= 0 && phase == detail::Phase::Host ? "module load" : detail::callbackName(phase);
  }
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
  // Removes the vessels marked for deletion: once a frame, after the
  // post-steps.
  void flushDeletions();

  // --- focus and cockpit (CockpitModes.cpp) --------------------------------
  detail::VesselImpl *focusVessel() const;
  // Gives the focus to v: the new focus's cockpit is loaded in the current
  // mode, then the old and the new focus are told (clbkFocusChanged).
  void changeFocus(detail::VesselImpl *v);
  // Loads the focus vessel's cockpit in mode, falling through the other
  // modes (panel, virtual, generic, in turn) while a load is refused. False
  // when every mode refused.
  bool loadCockpit(int mode);
  // In the virtual cockpit: loads position id anew. False when refused;
  // then no position is loaded.
  bool selectVirtualCockpit(int id);
  // v's scenario lines; throws SaveError when one would hold a number that
  // is not finite.
  void saveLines(detail::VesselImpl &v, std::vector<std::string> &out);
  void writeHostLines(detail::VesselImpl &v, std::vector<std::string> &out);
  // One of a vessel's scenario lines handed to the host: read into st, a
  // value that does not read warned about with the file and line.
  void readScenarioLine(detail::VesselImpl &v, const char *line, int lineNo, const std::string &file,
                        detail::LoadStatus &st);

  // --- attachments ---------------------------------------------------------
  // Links parent point pi with child point ci; both must be free.
  void link(detail::VesselImpl &parent, int pi, detail::VesselImpl &child, int ci);
  void unlink(detail::VesselImpl &v, int i);
  void syncAttachment(detail::VesselImpl &v, int i);
  // Puts child on its parent's point; a placement that would not be finite
  // is refused with a warning (under call) and the child stays where it was.
  void followParent(detail::VesselImpl &child, const char *call = "placement");
  // Puts every vessel hanging below root (children, their children, ...) on
  // its parent's point, each parent before its children, so that a chain
  // moves as one in the frame its root moves. root itself stays.
  void placeDescendants(detail::VesselImpl &root);
  detail::VesselImpl *parentOf(const detail::VesselImpl &v, int *childPoint = nullptr, int *parentPoint = nullptr);
  // True when candidate is v or hangs above it.
  bool isAncestor(const detail::VesselImpl *candidate, detail::VesselImpl *v);
};

namespace detail {

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

}  // namespace detail

template <class... A>
void Simulation::Impl::traceCall(const detail::VesselImpl *target, const char *call, const A &...args) {
  TraceEntry e;
  e.t = callbackTime();
  e.vessel = callerName(target);
  e.in = callbackNow();
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