// The headless host: loads vessel modules, drives them through the host's
// callback order at a fixed step and records what they configure.
//
// One Simulation is live at a time (the SDK's free functions reach it); it
// owns its vessels, calls ovcExit for each when it ends and unloads the
// modules after the last of them.
//
//   vhost::SimulationOptions opt;          // configDir, moduleDir, dt, physics
//   vhost::Simulation sim(opt);
//   sim.loadScenario(text, "flight.scn");  // vessels made, caps, state, post-creation
//   sim.pressKey("Lander", OAPI_KEY_J, {OAPI_KEY_LALT});
//   sim.step();                            // one frame
//   const vhost::VesselRecord &r = sim.vessel("Lander").record();
//
// Time: frame n runs from (n-1) dt to n dt: every vessel's clbkPreStep
// (simt (n-1) dt), the flight model, every vessel's clbkPostStep (simt
// n dt), the removal of the vessels marked for deletion, the clock moving
// to n dt, then the keyboard: the focus vessel's clbkConsumeDirectKey with
// the keys held. Each loop reads the vessel list afresh, so a vessel made
// in a pre-step has its pre-step, flight and post-step in the same frame,
// and one made in a post-step its post-step. A vessel given to
// oapiDeleteVessel keeps its callbacks until the frame's end; one deleted
// between frames (from a key, an input box, a cockpit load) lives through
// the next frame. Buffered keys, input boxes, cockpit, visual, HUD and
// saving run between frames at time().
//
// Keys: only the focus vessel gets them, buffered or held. pressKey and
// holdKeys give the focus to the vessel they name first (a focus change,
// event "focus"). While an input box is open no key reaches any vessel; a
// key still held counts again from the first frame after the box closed.
//
// Cockpit: one, the focus vessel's. The first is loaded (generic) once the
// scenario's vessels exist; until then oapiCockpitMode() is 0. Each load
// starts afresh (no neighbours, no HUD or MFD registered); a mode the
// vessel refuses gives way to the next (generic, panel, virtual, generic):
// a refused clbkLoadVC ends in the generic cockpit. Entering the virtual
// cockpit loads position 0. A focus change loads the new focus's cockpit in
// the mode there is, then calls clbkFocusChanged on the old and the new.
//
// Checks: handles given to plug-ins are tagged values that the host decodes
// and checks, never dereferences. Where the real host answers a bad index
// or handle safely (deleting a mesh or flame that is not there, a missing
// port or group, a mesh index past the list for a visibility), ours gives
// the same answer quietly. A call the real host would crash on or corrupt
// its memory with is a host-contract violation: recorded as a Warning
// (naming the call, the vessel and the callback it came from) and answered
// with a harmless value: a handle or index that never existed, a deleted
// mesh's empty slot, a deleted thruster, a null record, a call made outside
// the callback it belongs to (scenario reading and writing, class items,
// virtual-cockpit registration, HUD display choices), a text longer than
// the real host's buffer. At most 10000 warnings are kept per simulation.
//
// Events (onEvent), their `what`: "created class C", "key COMBO consumed"
// (COMBO as Shift+Alt+J, RShift+..., named keys), "input box \"T\" opened",
// "debug line \"TEXT\"", "landed", "mesh N deleted", "mesh N visibility M" (when
// the mode changes), "focus" (a vessel took the focus from another),
// "deleted", "scenario saved".
//
// Scenario files are read and written as the simulator reads and writes
// them (host/src/ScenarioText.h for the file, host/src/StatusLines.h for a
// vessel's host lines): every line cut at ';' and trimmed, keywords in any
// case; "STATUS Landed" placed by POS and HEADING, "STATUS Orbiting" by
// RPOS, RVEL, AROT, VROT; once a vessel's lines are read its tanks are
// emptied and filled again from PRPLEVEL, its thruster levels from THLEVEL;
// ATTACHED C:P,PARENT restored once all vessels exist, before
// clbkPostCreation. A value that does not read is taken as far as it reads
// and warned about ("scenario line", with file and line); where the
// simulator would stop (a class without a class file, a blank line between
// vessels, a vessel line of 256 bytes or more) loadScenario throws. Names
// are found without regard to case, the first of a shared one. The file's
// other blocks are carried to every save; the saved environment has the
// date now, the focus block the focus vessel. A module's own lines are its
// own to write: the host drops what it does not read; a passive vessel
// writes the host's lines only.
//
// Attachments: a child's point is put on its parent's point at every frame,
// the child turned so that its point's direction points back along the
// parent point's direction and the two rotation vectors agree; velocity and
// landed status follow the parent. A point whose direction has length 0 or
// whose rotation vector lies along it (or is 0) has no frame: then the child
// is not turned but takes the parent's attitude, its point still on the
// parent's (host/src/Placement.h).
//
// Numbers: what the host saves it must read back. Attachment vectors that are
// not finite, or whose squared length overflows, are refused with a warning
// (SetAttachmentParams keeps the point, CreateAttachment makes none); so is
// a status that is not finite (DefSetState, oapiCreateVessel). A placement or
// a flight step that would leave a position, velocity, attitude or altitude
// that is not finite is not taken: the vessel stays where it was, with one
// warning ("placement", "AttachChild", "flight model") until it mends. A
// save that would still write nan or inf (a plug-in's own line) throws
// SaveError naming the vessel and the line's key.
#ifndef VHOST_SIMULATION_H
#define VHOST_SIMULATION_H

#include <functional>
#include <initializer_list>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "Orbitersdk.h"
#include "vhost/Records.h"

namespace vhost {

// Bodies: Earth (radius 6371 km, 9.81 m/s^2, atmosphere), Moon (1737.4 km,
// 1.62 m/s^2). The flight model is described in host/src/FlightModel.h:
// vertical motion under constant surface gravity, Earth drag on the
// z-negative CW and the largest cross section, landing at altitude 0.
struct SimulationOptions {
  std::string configDir;  // class configuration files <Class>.cfg
  std::string moduleDir;  // modules <Module>.so (<Module>.dll on Windows)
  double dt = 0.02;       // fixed step, s
  bool physics = true;    // vertical flight model
  bool trace = false;     // record every host call a plug-in makes
  // A simulator's mesh folder (its "Meshes") to look mesh files up in:
  // oapiLoadMeshGlobal gives null for one that is not there. "": every
  // mesh is there.
  std::string meshDir;
};

// A scenario (or class configuration) that cannot be read: where and why.
// Line 0 when the fault is the file as a whole (nothing to fly in it).
class ScenarioError : public std::runtime_error {
public:
  ScenarioError(std::string file, int line, const std::string &message);
  const std::string &file() const { return file_; }
  int line() const { return line_; }

private:
  std::string file_;
  int line_;
};

// A save that would write what the host cannot read back: a number that is
// not finite in a vessel's lines, or no vessel at all. Nothing of the save is
// returned.
class SaveError : public std::runtime_error {
public:
  SaveError(std::string vessel, std::string field);
  // A save of no vessel at all (vessel and field empty).
  explicit SaveError(const std::string &message) : std::runtime_error(message) {}
  const std::string &vessel() const { return vessel_; }
  const std::string &field() const { return field_; }  // the line's key, e.g. "RPOS"

private:
  std::string vessel_, field_;
};

// A misuse of the host by a plug-in, recorded instead of crashing.
struct Warning {
  double t = 0;
  std::string vessel;
  std::string in;    // the callback the call came from ("clbkPostStep"), "" outside any
  std::string call;  // the SDK operation's name
  std::string message;
};

// Something worth a line in the timeline.
struct Event {
  double t = 0;
  std::string vessel;  // "" for the host itself
  std::string what;    // e.g. "created class Selvar_DM", "landed", "mesh 4 deleted" (list above)
};

// A vessel made by a plug-in through oapiCreateVessel.
struct CreatedVessel {
  std::string name, className;
  double t = 0;
  std::string by;        // the vessel whose callback made it
  std::string byModule;  // that vessel's module, "" for none
};

// One argument of a traced call: enums and counts as Int, handles as the
// host's index for them (Null for none), strings as String (Null for a null
// pointer), vectors as Vector, colours (r, g, b, a), arrays of handles or
// numbers as List. Output parameters are Null.
struct TraceValue {
  enum Kind { Null, Bool, Int, Number, String, Vector, List } kind = Null;
  bool b = false;
  long long i = 0;
  double number = 0;
  std::string text;
  VECTOR3 vec{};
  std::vector<double> list;
};

struct TraceEntry {
  double t = 0;
  std::string vessel;
  // The callback the call was made from: "clbkPostStep", "ovcInit",
  // "input box callback", "module load" (while the module is opened), ""
  // outside any.
  std::string in;
  std::string call;
  // In the operation's parameter order; a light emitter's operations have
  // the light's index among its vessel's lights first.
  std::vector<TraceValue> args;
};

// A mesh or an exhaust texture a plug-in asked the host for by name, once
// per name.
struct FileRequest {
  std::string kind;  // "mesh" or "texture"
  std::string name;  // as the plug-in gave it
  bool found = true;  // a mesh in the mesh folder (always, without one; textures always)
  std::vector<std::string> modules;  // the modules whose callbacks asked for it, first asker first
};

struct ModuleInfo {
  std::string name, path;
  bool announced = false;  // the module called InitLib while it was loaded
  bool hasDate = false;
  std::string date;  // ModuleDate(), when exported
  bool hasVersion = false;
  int version = 0;   // GetModuleVersion(), when exported
};

struct InputBoxRecord {
  std::string title;
  int width = 0;
  std::string initial;
};

// One vessel of the simulation.
class Vessel {
public:
  virtual ~Vessel() = default;
  virtual const VesselRecord &record() const = 0;
  virtual OBJHANDLE handle() const = 0;
  // The plug-in's object, or null for a passive vessel.
  virtual VESSEL *plugin() const = 0;
  // The host's interface for this vessel (also for passive vessels).
  virtual VESSEL *iface() const = 0;
  // The 3x3 rotation GlobalRot applies, rows first.
  virtual MATRIX3 rotation() const = 0;
  // What GroundContact() tells the plug-in: the forced value when the API
  // set one, else whether the vessel is landed.
  virtual bool groundContact() const = 0;
};

class Simulation {
public:
  explicit Simulation(SimulationOptions options);
  ~Simulation();
  Simulation(const Simulation &) = delete;
  Simulation &operator=(const Simulation &) = delete;

  // The live simulation, or null. Constructing a second one while one is
  // live throws std::logic_error; a dt of 0 or less std::invalid_argument.
  static Simulation *current();

  // --- Scenario --------------------------------------------------------
  // Reads a scenario and brings every vessel of its ships block up in the
  // host's order: for each vessel ovcInit, clbkSetClassCaps, the class
  // file's items, clbkLoadStateEx with its lines, its status applied (tanks
  // emptied and filled again, placed); then saved attachments restored; the
  // focus given; clbkPostCreation for each; the first cockpit loaded. The
  // file's date and other blocks are taken on the first load. Throws
  // ScenarioError naming the file and line at fault, also for text with no
  // vessel in it or bytes that are not text.
  void loadScenario(const std::string &text, const std::string &fileName);
  // The whole scenario as the simulator writes one: the carried blocks, the
  // environment with the date now, the focus, then the ships, each vessel's
  // host lines then its plug-in lines. Throws SaveError when a line would
  // hold a number that is not finite (nan, inf), or be longer than the
  // simulator reads, or when every vessel is gone: a scenario with nothing
  // to fly does not load.
  std::string saveScenario();
  // One vessel's lines as clbkSaveState writes them (host lines first);
  // SaveError as saveScenario.
  std::vector<std::string> saveVessel(const std::string &name);

  // --- Time ------------------------------------------------------------
  // One frame: pre-step for every vessel, flight model, post-step,
  // deletions; then the time advances by dt and the focus vessel reads the
  // keys held.
  void step();
  // Frames while their start is below t.
  void runUntil(double t);
  double time() const;
  double dt() const;
  // Simulation time of the callback now running (what oapiGetSimTime gives).
  double callbackTime() const;

  // --- Input -----------------------------------------------------------
  // A buffered key press and its release; modifiers are held during both.
  // The vessel is given the focus first. Returns what the press callback
  // returned; 0, with no callback, while an input box is open.
  int pressKey(const std::string &vessel, DWORD key, std::initializer_list<DWORD> modifiers = {});
  int pressKey(const std::string &vessel, DWORD key, const std::vector<DWORD> &modifiers);
  // Keys held on the keyboard from now until released; the vessel is given
  // the focus first. The focus vessel's direct-key callback sees them.
  void holdKeys(const std::string &vessel, const std::vector<DWORD> &keys);
  void releaseKeys();
  // An input box is open and has the keyboard: no key reaches a vessel.
  bool keyboardTaken() const;
  // The open input box, or null.
  const InputBoxRecord *inputBox() const;
  // Answers the open input box; returns what its callback returned (the box
  // closes on true). False when no box is open.
  bool answerInputBox(const std::string &text);

  // --- Environment and view ------------------------------------------------
  void setAltitude(const std::string &vessel, double metres);
  // on/off forces ground contact; clearContact gives it back to the flight model.
  void setGroundContact(const std::string &vessel, bool on);
  void clearGroundContact(const std::string &vessel);
  void setDockingStatus(const std::string &vessel, int port, bool docked);
  // Loads the focus vessel's cockpit in that mode (COCKPIT_*; nothing when
  // it is the mode there is), falling through as above.
  void setCockpitMode(int mode);
  int cockpitMode() const;
  // The virtual cockpit at position id: enters it first (position 0) when
  // another mode is on, then loads id (clbkLoadVC(id)) unless it is loaded.
  // False when a load was refused: then no position is loaded, or another
  // mode took over.
  bool loadVC(int id);
  int vcPosition() const;  // -1: none loaded
  const int *vcNeighbours() const;  // left, right, top, bottom
  void setFocus(const std::string &vessel);
  Vessel *focus() const;
  // Creates or destroys the vessel's visual (clbkVisualCreated / Destroyed).
  void setVisual(const std::string &vessel, bool on);
  // Draws the vessel's HUD on a w x h sketchpad; the text lands in hud.
  bool drawHud(const std::string &vessel, int width, int height);

  // --- Inspection ----------------------------------------------------------
  // Every call taking a vessel name throws std::out_of_range for an unknown
  // one (setDockingStatus also for a port the vessel does not have).
  // The vessel of that name; throws std::out_of_range when there is none.
  Vessel &vessel(const std::string &name) const;
  Vessel *findVessel(const std::string &name) const;
  std::vector<Vessel *> vessels() const;  // creation order
  const std::vector<CreatedVessel> &created() const;
  const std::vector<Warning> &warnings() const;
  // Where the simulator itself would have stopped the run (a plug-in made a
  // vessel of a class without a class file: it ends there), naming the
  // call; "" while it would go on. The host goes on; the runner stops.
  const std::string &halted() const;
  const std::vector<ModuleInfo> &modules() const;
  // Every mesh and texture asked for, in the order first asked.
  const std::vector<FileRequest> &fileRequests() const;
  const char *debugString() const;

  // Called for every timeline event / traced call as it happens (not while
  // the simulation ends: the vessels' ovcExit is neither traced nor told).
  // A frame whose plug-ins behave allocates nothing for the events it
  // raises; the sink's own work is its own.
  void onEvent(std::function<void(const Event &)> sink);
  void onTrace(std::function<void(const TraceEntry &)> sink);

  const SimulationOptions &options() const;

  class Impl;

private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace vhost

#endif  // VHOST_SIMULATION_H
