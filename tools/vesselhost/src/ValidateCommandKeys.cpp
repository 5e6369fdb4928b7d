// The command-keys check: every command key of a module, alone and with
// every modifier set, pressed twice over in every configuration the module
// reaches from its fresh vessel and from the examples, by keys and by
// altitudes. A configuration is what the vessel is made of in the host
// (meshes and their visibility, flames, thrusters, tanks, points, masses,
// the vessels around it); mechanisms half way and lights do not make one.
// Each configuration is reached anew from its start by the inputs that
// first led there, since a simulation cannot be copied, and every press
// that leaves a host-contract warning fails the check with the way there.
#include "ValidateCommandKeys.h"

#include <algorithm>
#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "ValidateExercise.h"
#include "ValidateSupport.h"
#include "vhost/KeyNames.h"

namespace vesselhost {
namespace {

// Frames stepped after every press or altitude.
constexpr int kFramesBetween = 3;
// Configurations explored at the most; a module with more is cut short, and
// says so.
constexpr std::size_t kMostConfigurations = 200;

struct Input {
  bool altitude = false;
  DWORD key = 0;
  std::vector<DWORD> modifiers;
  double metres = 0;
};

// Where the exploration starts: a scenario and the vessel of the module in it.
struct Start {
  std::string label;  // "a fresh vessel" or the example's file name
  std::string scenario;
  std::string vessel;
};

struct Trial {
  std::unique_ptr<vhost::Simulation> sim;
  bool warned = false;
};

std::string keyText(DWORD key) {
  if (const char *n = vhost::keyName(key)) return n;
  char code[8];
  std::snprintf(code, sizeof code, "0x%02X", unsigned(key));
  return code;
}

std::string describeInput(const Input &in) {
  if (in.altitude) return format("altitude %g m", in.metres);
  std::string s;
  for (DWORD m : in.modifiers) s += keyText(m) + "+";
  return s + keyText(in.key);
}

std::string describePath(const Start &start, const std::vector<Input> &path) {
  std::string s = "from " + start.label;
  for (const Input &in : path) s += ", " + describeInput(in);
  return s;
}

void apply(vhost::Simulation &sim, const std::string &vessel, const Input &in) {
  if (!sim.findVessel(vessel)) return;
  if (in.altitude)
    sim.setAltitude(vessel, in.metres);
  else
    sim.pressKey(vessel, in.key, in.modifiers);
  answerInputBoxes(sim, [](vhost::Simulation &) {});
  for (int i = 0; i < kFramesBetween; ++i) sim.step();
}

// What the vessel is made of, as text that compares.
std::string configurationOf(const vhost::Simulation &sim, const std::string &vessel) {
  const vhost::Vessel *v = sim.findVessel(vessel);
  if (!v) return "gone";
  const vhost::VesselRecord &r = v->record();
  std::ostringstream s;
  s.precision(10);
  s << sim.vessels().size() << " vessels;";
  for (const vhost::MeshRecord &m : r.meshes) s << (m.deleted ? "x" : std::to_string(m.visibility)) << ",";
  s << ";";
  for (const vhost::ExhaustRecord &e : r.exhausts) s << e.id << ",";
  s << ";";
  for (const vhost::ThrusterRecord &t : r.thrusters) s << (t.deleted ? -2 : t.propellant) << ",";
  s << ";";
  for (const vhost::PropellantRecord &p : r.propellant) s << (p.deleted ? -1.0 : p.maxMass) << ",";
  s << ";" << r.emptyMass << ";" << r.crossSections.x << "," << r.crossSections.y << "," << r.crossSections.z;
  s << ";" << r.touchdownPoints.size() << ";" << r.dockPorts.size() << ";" << r.attachments.size();
  for (const vhost::AttachmentRecord &a : r.attachments) s << (a.attached ? "+" : "-");
  for (const vhost::AnimationRecord &a : r.animations) s << a.liveComponents() << ",";
  return s.str();
}

Trial replay(const ValidateWorkspace &ws, const Start &start, const std::vector<Input> &path) {
  Trial t;
  t.sim = load(ws, start.scenario);
  for (const Input &in : path) apply(*t.sim, start.vessel, in);
  t.warned = !t.sim->warnings().empty();
  return t;
}

// The examples that hold a vessel of the module: each vessel of it is a
// start. A file that does not load here is passed over.
std::vector<Start> startsOf(const ValidateWorkspace &ws) {
  std::vector<Start> starts = {{"a fresh vessel", scenarioOf(ws, 1), "V1"}};
  if (ws.examplesDir().empty()) return starts;
  std::vector<std::filesystem::path> files;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(ws.examplesDir(), ec), end; !ec && it != end; it.increment(ec))
    if (it->path().extension() == ".scn") files.push_back(it->path());
  std::sort(files.begin(), files.end());
  for (const std::filesystem::path &f : files) {
    std::ifstream in(f, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    try {
      std::unique_ptr<vhost::Simulation> sim = load(ws, text.str());
      for (const vhost::Vessel *v : sim->vessels())
        if (v->record().module == ws.module())
          starts.push_back({f.filename().string() + " (" + v->record().name + ")", text.str(), v->record().name});
    } catch (const std::exception &) {
    }
  }
  return starts;
}

// The keys the vessel takes, with any modifier set, from this start: each
// with every modifier set, and every altitude.
std::vector<Input> inputsOf(const ValidateWorkspace &ws, const Start &start) {
  std::set<DWORD> taken;
  std::unique_ptr<vhost::Simulation> sim = load(ws, start.scenario);
  for (const std::vector<DWORD> &mods : modifierSets())
    for (DWORD key = 1; key < 256; ++key) {
      if (isModifierKey(key)) continue;
      // A box that wants more than the answers tried, or a vessel gone,
      // would hide the keys after it: the rest are tried on a new vessel.
      if (sim->keyboardTaken() || !sim->findVessel(start.vessel)) {
        sim.reset();
        sim = load(ws, start.scenario);
      }
      if (sim->pressKey(start.vessel, key, mods)) taken.insert(key);
      answerInputBoxes(*sim, [](vhost::Simulation &) {});
      sim->step();
    }
  std::vector<Input> inputs;
  for (DWORD key : taken)
    for (const std::vector<DWORD> &mods : modifierSets()) {
      Input in;
      in.key = key;
      in.modifiers = mods;
      inputs.push_back(in);
    }
  for (double h : exerciseAltitudes()) {
    Input in;
    in.altitude = true;
    in.metres = h;
    inputs.push_back(in);
  }
  return inputs;
}

}  // namespace

CheckResult exploreCommandKeys(const ValidateWorkspace &ws, const TrialObserver &observe) {
  const char *name = "command-keys";
  std::size_t configurations = 0, presses = 0, keys = 0;
  bool cut = false;
  for (const Start &start : startsOf(ws)) {
    const std::vector<Input> inputs = inputsOf(ws, start);
    keys = std::max<std::size_t>(keys, std::count_if(inputs.begin(), inputs.end(),
                                                     [](const Input &in) { return !in.altitude; }));
    std::set<std::string> seen;
    std::deque<std::vector<Input>> queue;
    {
      Trial t = replay(ws, start, {});
      if (t.warned && !observe)
        return result(name, false, describePath(start, {}) + ": " + describeWarning(t.sim->warnings().front()));
      seen.insert(configurationOf(*t.sim, start.vessel));
      if (observe) observe(*t.sim);
    }
    queue.push_back({});
    while (!queue.empty()) {
      const std::vector<Input> path = queue.front();
      queue.pop_front();
      ++configurations;
      for (const Input &in : inputs) {
        std::vector<Input> next = path;
        next.push_back(in);
        Trial t = replay(ws, start, next);
        const std::string reached = configurationOf(*t.sim, start.vessel);
        // The same input once more, where it led.
        if (!t.warned) apply(*t.sim, start.vessel, in);
        presses += 2;
        if (!t.sim->warnings().empty() && !observe) {
          if (!t.warned) next.push_back(in);
          return result(name, false,
                        describePath(start, next) + ": " + describeWarning(t.sim->warnings().front()));
        }
        if (observe) observe(*t.sim);
        if (seen.insert(reached).second) {
          if (seen.size() > kMostConfigurations)
            cut = true;
          else
            queue.push_back(next);
        }
      }
    }
  }
  std::string detail = std::to_string(keys) + " key presses (command keys with every modifier set) and " +
                       std::to_string(exerciseAltitudes().size()) + " altitudes, each twice over, in " +
                       std::to_string(configurations) + " configurations: no host warning in " +
                       std::to_string(presses) + " inputs";
  if (cut) detail += "; more configurations than " + std::to_string(kMostConfigurations) + ": the rest not tried";
  return result(name, true, detail);
}

CheckResult checkCommandKeys(const ValidateWorkspace &ws) { return exploreCommandKeys(ws, nullptr); }

}  // namespace vesselhost
