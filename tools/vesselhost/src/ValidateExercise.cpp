#include "ValidateExercise.h"

#include <vector>

namespace vesselhost {
namespace {

// Long enough for the slowest mechanism of a vessel to run its travel.
constexpr double kSettleSeconds = 8.0;

// The modifier sets every key is tried with.
const std::vector<std::vector<DWORD>> kModifierSets = {
    {}, {OAPI_KEY_LALT}, {OAPI_KEY_LSHIFT}, {OAPI_KEY_LCONTROL}, {OAPI_KEY_LSHIFT, OAPI_KEY_LALT}};

bool isModifier(DWORD key) {
  return key == OAPI_KEY_LSHIFT || key == OAPI_KEY_RSHIFT || key == OAPI_KEY_LCONTROL || key == OAPI_KEY_RCONTROL ||
         key == OAPI_KEY_LALT || key == OAPI_KEY_RALT;
}

// Altitudes (m) from above the atmosphere to the ground, slowly enough in
// the lower air for altitude-triggered events to fire one after another.
const double kAltitudes[] = {200000, 120000, 99000, 9200, 9050, 8000, 2500, 1900, 600, 45, 10, 0};

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

// An input box a key opened is answered empty, then with a small number;
// one that still wants more stays open.
void answerBoxes(vhost::Simulation &sim, const SimulationObserver &observe) {
  for (const char *answer : {"", "1"}) {
    if (!sim.inputBox()) return;
    sim.answerInputBox(answer);
    observe(sim);
  }
}

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

  for (const std::vector<DWORD> &mods : kModifierSets)
    for (DWORD key = 1; key < 256 && alive(); ++key) {
      if (isModifier(key)) continue;
      sim.pressKey(vessel, key, mods);
      observe(sim);
      answerBoxes(sim, observe);
      settle(sim, kSettleSeconds, observe);
    }

  for (const std::vector<DWORD> &mods : kModifierSets)
    for (DWORD key = 1; key < 256 && alive(); ++key) {
      if (isModifier(key)) continue;
      std::vector<DWORD> keys = mods;
      keys.push_back(key);
      holdWhileMoving(sim, vessel, keys, observe);
    }
  if (!alive()) return;

  for (double h : kAltitudes) {
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
