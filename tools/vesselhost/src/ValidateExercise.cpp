#include "ValidateExercise.h"

#include <vector>

namespace vesselhost {
namespace {

// Long enough for the slowest mechanism of a vessel to run its travel.
constexpr double kSettleSeconds = 8.0;


std::vector<double> animationStates(const vhost::Simulation &sim) {
  std::vector<double> states;
  for (const vhost::Vessel *v : sim.vessels())
    for (const vhost::AnimationRecord &a : v->record().animations) states.push_back(a.state);
  return states;
}

// The frame runner of the exercise now running, if it has one.
const FrameRunner *currentFrame = nullptr;

void stepObserved(vhost::Simulation &sim, const SimulationObserver &observe) {
  if (currentFrame && *currentFrame)
    (*currentFrame)(sim);
  else
    sim.step();
  observe(sim);
}

// Frames until no animation of any vessel moves any more (at least two,
// at most `seconds` of simulated time).
void settle(vhost::Simulation &sim, double seconds, const SimulationObserver &observe);

// Holds the keys while anything moves, up to kSettleSeconds.
void holdWhileMoving(vhost::Simulation &sim, const std::string &vessel, const std::vector<DWORD> &keys,
                     const SimulationObserver &observe) {
  sim.holdKeys(vessel, keys);
  std::vector<double> before = animationStates(sim);
  stepObserved(sim, observe);
  const long maxFrames = long(kSettleSeconds / sim.dt()) + 1;
  for (long i = 0; i < maxFrames && sim.findVessel(vessel); ++i) {
    stepObserved(sim, observe);
    std::vector<double> now = animationStates(sim);
    if (now == before) break;
    before.swap(now);
  }
  if (sim.findVessel(vessel)) sim.releaseKeys();
}

void settle(vhost::Simulation &sim, double seconds, const SimulationObserver &observe) {
  std::vector<double> before = animationStates(sim);
  stepObserved(sim, observe);
  const long maxFrames = long(seconds / sim.dt()) + 1;
  for (long i = 0; i < maxFrames; ++i) {
    stepObserved(sim, observe);
    std::vector<double> now = animationStates(sim);
    if (now == before) return;
    before.swap(now);
  }
}

}  // namespace

const std::vector<std::vector<DWORD>> &modifierSets() {
  static const std::vector<std::vector<DWORD>> sets = {
      {}, {OAPI_KEY_LALT}, {OAPI_KEY_LSHIFT}, {OAPI_KEY_LCONTROL}, {OAPI_KEY_LSHIFT, OAPI_KEY_LALT}};
  return sets;
}

bool isModifierKey(DWORD key) {
  return key == OAPI_KEY_LSHIFT || key == OAPI_KEY_RSHIFT || key == OAPI_KEY_LCONTROL || key == OAPI_KEY_RCONTROL ||
         key == OAPI_KEY_LALT || key == OAPI_KEY_RALT;
}

const std::vector<double> &exerciseAltitudes() {
  static const std::vector<double> altitudes = {200000, 120000, 99000, 9200, 9050, 8000,
                                                2500,   1900,   600,   45,   10,   0};
  return altitudes;
}

void answerInputBoxes(vhost::Simulation &sim, const SimulationObserver &observe) {
  for (const char *answer : {"", "1"}) {
    if (!sim.inputBox()) return;
    sim.answerInputBox(answer);
    observe(sim);
  }
}

void exerciseVessel(vhost::Simulation &sim, const std::string &vessel, const SimulationObserver &observe,
                    const FrameRunner &frame) {
  struct FrameScope {
    explicit FrameScope(const FrameRunner *f) { currentFrame = f; }
    ~FrameScope() { currentFrame = nullptr; }
  } scope(&frame);
  auto alive = [&] { return sim.findVessel(vessel) != nullptr; };
  sim.setVisual(vessel, true);
  observe(sim);
  settle(sim, kSettleSeconds, observe);

  for (const std::vector<DWORD> &mods : modifierSets())
    for (DWORD key = 1; key < 256 && alive(); ++key) {
      if (isModifierKey(key)) continue;
      sim.pressKey(vessel, key, mods);
      observe(sim);
      answerInputBoxes(sim, observe);
      settle(sim, kSettleSeconds, observe);
    }

  for (const std::vector<DWORD> &mods : modifierSets())
    for (DWORD key = 1; key < 256 && alive(); ++key) {
      if (isModifierKey(key)) continue;
      std::vector<DWORD> keys = mods;
      keys.push_back(key);
      holdWhileMoving(sim, vessel, keys, observe);
    }
  if (!alive()) return;

  for (double h : exerciseAltitudes()) {
    if (!alive()) return;
    sim.setAltitude(vessel, h);
    observe(sim);
    settle(sim, kSettleSeconds, observe);
  }

  const std::size_t ports = alive() ? sim.vessel(vessel).record().dockPorts.size() : 0;
  for (std::size_t p = 0; p < ports && alive(); ++p)
    for (bool docked : {true, false}) {
      sim.setDockingStatus(vessel, int(p), docked);
      settle(sim, kSettleSeconds, observe);
    }

  if (!alive()) return;
  sim.setFocus(vessel);
  for (int mode : {COCKPIT_GENERIC, COCKPIT_PANELS}) {
    sim.setCockpitMode(mode);
    stepObserved(sim, observe);
    if (alive()) sim.drawHud(vessel, 1280, 720);
    observe(sim);
  }
  for (int id = 0; id < 4 && alive(); ++id) {
    sim.loadVC(id);
    observe(sim);
    stepObserved(sim, observe);
    if (alive()) sim.drawHud(vessel, 1920, 1080);
    observe(sim);
  }
  sim.setCockpitMode(COCKPIT_GENERIC);
  stepObserved(sim, observe);
  if (!alive()) return;
  sim.setVisual(vessel, false);
  observe(sim);
  stepObserved(sim, observe);
  if (!alive()) return;
  sim.setVisual(vessel, true);
  observe(sim);
  settle(sim, kSettleSeconds, observe);
}

}  // namespace vesselhost
