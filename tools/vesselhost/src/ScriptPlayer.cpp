#include "ScriptPlayer.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <set>

#include "AtomicFile.h"
#include "StopSignals.h"
#include "VesselDrawing.h"

namespace vesselhost {
namespace {

std::string number(double v) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%g", v);
  return buf;
}

const char *onOff(bool on) { return on ? "on" : "off"; }

}  // namespace

ScriptPlayer::ScriptPlayer(const Script &script, vhost::Simulation &sim, Timeline &timeline)
    : script_(script), sim_(sim), timeline_(timeline) {
  order_.resize(script.commands.size());
  for (std::size_t i = 0; i < order_.size(); ++i) order_[i] = i;
  std::stable_sort(order_.begin(), order_.end(), [&](std::size_t a, std::size_t b) {
    return script.commands[a].time < script.commands[b].time;
  });
}

std::optional<ScriptError> ScriptPlayer::runDue(double t) {
  // Frame starts are multiples of the step; a time written in the script
  // as 0.1 must meet the frame that starts at 5 x 0.02.
  const double eps = sim_.dt() * 1e-6;
  updateHolds(t + eps);  // holds that ended go first
  while (next_ < order_.size() && !stopSignal()) {
    const ScriptCommand &cmd = script_.commands[order_[next_]];
    if (cmd.time > t + eps) break;
    ++next_;
    std::string why;
    try {
      why = execute(cmd);
    } catch (const std::exception &e) {
      why = e.what();
    }
    if (!why.empty()) return ScriptError{script_.fileName, cmd.line, std::string(commandName(cmd.kind)) + ": " + why};
  }
  updateHolds(t + eps);
  return std::nullopt;
}

std::vector<const ScriptCommand *> ScriptPlayer::pending() const {
  std::vector<const ScriptCommand *> out;
  for (std::size_t i = next_; i < order_.size(); ++i) out.push_back(&script_.commands[order_[i]]);
  return out;
}

void ScriptPlayer::updateHolds(double t) {
  holds_.erase(std::remove_if(holds_.begin(), holds_.end(), [&](const Hold &h) { return h.until <= t; }),
               holds_.end());
  // One keyboard: a key held by any running hold is held, and goes to the
  // vessel of the hold that started last, which has the focus.
  std::vector<DWORD> keys;
  std::set<std::string> holding;
  for (const Hold &h : holds_) {
    holding.insert(h.vessel);
    for (DWORD k : h.keys)
      if (std::find(keys.begin(), keys.end(), k) == keys.end()) keys.push_back(k);
  }
  std::sort(keys.begin(), keys.end());
  for (const std::string &v : holdingNow_)
    if (!holding.count(v)) timeline_.line(sim_.time(), v, "keys released");
  holdingNow_ = holding;
  const std::string vessel = holds_.empty() ? std::string() : holds_.back().vessel;
  if (keys == heldKeys_ && vessel == heldBy_) return;
  heldKeys_ = keys;
  heldBy_ = vessel;
  if (keys.empty())
    sim_.releaseKeys();
  else if (sim_.findVessel(vessel))
    sim_.holdKeys(vessel, keys);
}

std::string ScriptPlayer::execute(const ScriptCommand &cmd) {
  const double t = sim_.time();
  if (!cmd.vessel.empty() && !sim_.findVessel(cmd.vessel))
    return "no vessel \"" + cmd.vessel + "\" exists at " + number(t) + " s";

  switch (cmd.kind) {
    case CommandKind::Key: {
      if (sim_.keyboardTaken()) {
        keys_.push_back(KeyPress{t, cmd.vessel, cmd.combo.text, false});
        timeline_.line(t, cmd.vessel, "key " + cmd.combo.text + " not delivered: an input box has the keyboard");
        return "";
      }
      timeline_.setScriptKeyActive(true);
      int result = 0;
      try {
        result = sim_.pressKey(cmd.vessel, cmd.combo.key, cmd.combo.modifiers);
      } catch (...) {
        timeline_.setScriptKeyActive(false);
        throw;
      }
      timeline_.setScriptKeyActive(false);
      keys_.push_back(KeyPress{t, cmd.vessel, cmd.combo.text, result != 0});
      timeline_.line(t, cmd.vessel, "key " + cmd.combo.text + (result ? " consumed" : " not consumed"));
      return "";
    }
    case CommandKind::Hold:
      holds_.push_back(Hold{cmd.vessel, cmd.combo.allKeys(), t + cmd.number});
      timeline_.line(t, cmd.vessel, "hold " + cmd.combo.text + " for " + number(cmd.number) + " s");
      return "";
    case CommandKind::Input: {
      if (!sim_.inputBox()) return "no input box is open";
      const bool closed = sim_.answerInputBox(cmd.text);
      timeline_.line(t, "", "input \"" + cmd.text + "\"" + (closed ? ", box closed" : ", box stays open"));
      return "";
    }
    case CommandKind::Altitude:
      sim_.setAltitude(cmd.vessel, cmd.number);
      timeline_.line(t, cmd.vessel, "altitude set to " + number(cmd.number) + " m");
      return "";
    case CommandKind::Contact:
      if (cmd.on) sim_.setGroundContact(cmd.vessel, true);
      else sim_.clearGroundContact(cmd.vessel);
      timeline_.line(t, cmd.vessel, cmd.on ? "ground contact forced on" : "ground contact back to the flight model");
      return "";
    case CommandKind::Dock: {
      const std::size_t ports = sim_.vessel(cmd.vessel).record().dockPorts.size();
      if (static_cast<std::size_t>(cmd.port) >= ports)
        return "\"" + cmd.vessel + "\" has no docking port " + std::to_string(cmd.port) + " (it has " +
               std::to_string(ports) + ")";
      sim_.setDockingStatus(cmd.vessel, cmd.port, cmd.on);
      timeline_.line(t, cmd.vessel, "docking port " + std::to_string(cmd.port) + " " + onOff(cmd.on));
      return "";
    }
    case CommandKind::Cockpit: {
      sim_.setCockpitMode(cmd.cockpitMode);
      static const char *const kModes[] = {"", "generic", "panel", "virtual"};
      std::string what = std::string("cockpit ") + kModes[cmd.cockpitMode];
      if (cmd.hasVcId) {
        const bool loaded = sim_.loadVC(cmd.vcId);
        what += ", position " + std::to_string(cmd.vcId) + (loaded ? " loaded" : " refused");
      }
      const vhost::Vessel *focus = sim_.focus();
      timeline_.line(t, focus ? focus->record().name : "", what);
      return "";
    }
    case CommandKind::Focus: {
      // A change of focus has the host's own line.
      const vhost::Vessel *before = sim_.focus();
      sim_.setFocus(cmd.vessel);
      if (sim_.focus() == before) timeline_.line(t, cmd.vessel, "focus kept");
      return "";
    }
    case CommandKind::Visual:
      sim_.setVisual(cmd.vessel, cmd.on);
      timeline_.line(t, cmd.vessel, cmd.on ? "visual created" : "visual destroyed");
      return "";
    case CommandKind::Hud: {
      sim_.drawHud(cmd.vessel, cmd.width, cmd.height);
      const std::size_t lines = sim_.vessel(cmd.vessel).record().hud.size();
      timeline_.line(t, cmd.vessel, "HUD drawn, " + std::to_string(lines) + " text item" + (lines == 1 ? "" : "s"));
      return "";
    }
    case CommandKind::Save:
    case CommandKind::State: {
      const bool save = cmd.kind == CommandKind::Save;
      std::string text;
      try {
        text = save ? sim_.saveScenario() : dumpState(stateJson(sim_, keys_));
      } catch (const vhost::SaveError &e) {
        return std::string("cannot save the scenario: ") + e.what();
      }
      // A stop asked for while the text was made: the run ends writing
      // nothing more.
      if (stopSignal()) return "";
      std::string error;
      if (!writeFileAtomically(cmd.text, text, &error)) return error;
      timeline_.line(t, "", std::string(save ? "scenario" : "state") + " written to " + cmd.text);
      return "";
    }
    case CommandKind::Draw: {
      const std::string svg = vesselSvg(sim_.vessel(cmd.vessel).record(), t);
      if (stopSignal()) return "";
      std::string error;
      if (!writeFileAtomically(cmd.text, svg, &error)) return error;
      timeline_.line(t, cmd.vessel, "drawn to " + cmd.text);
      return "";
    }
  }
  return "";
}

}  // namespace vesselhost
