// Puts a vessel through everything a person at the host could do to it:
// every key with every modifier, pressed and held, altitudes from orbit
// to the ground, docking, cockpit views, HUD drawing and the visual coming
// and going. After each frame and each callback the observer sees the
// simulation, so a check can watch what the plug-in does along the way.
#ifndef VESSELHOST_VALIDATEEXERCISE_H
#define VESSELHOST_VALIDATEEXERCISE_H

#include <functional>
#include <string>
#include <vector>

#include "vhost/Simulation.h"

namespace vesselhost {

using SimulationObserver = std::function<void(vhost::Simulation &)>;
// Runs one frame of the exercise (by default sim.step()), so that a check
// can watch the frame itself.
using FrameRunner = std::function<void(vhost::Simulation &)>;

// The modifier sets every key is tried with: none, Alt, Shift, Ctrl,
// Shift+Alt.
const std::vector<std::vector<DWORD>> &modifierSets();
bool isModifierKey(DWORD key);
// Altitudes (m) from above the atmosphere to the ground, one after another
// slowly enough in the lower air for altitude-triggered events to fire in
// turn.
const std::vector<double> &exerciseAltitudes();
// An input box a key opened is answered empty, then with a small number;
// one that still wants more stays open.
void answerInputBoxes(vhost::Simulation &sim, const SimulationObserver &observe);

// Runs the whole sweep on the named vessel; stops early if the vessel goes.
void exerciseVessel(vhost::Simulation &sim, const std::string &vessel, const SimulationObserver &observe,
                    const FrameRunner &frame = nullptr);

}  // namespace vesselhost

#endif  // VESSELHOST_VALIDATEEXERCISE_H
