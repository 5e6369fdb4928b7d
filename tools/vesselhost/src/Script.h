// Scripts: timed commands for a run, one a line.
//
//   # comment
//   at 1.5 key Lander Alt+J
//   at 2   hold Spot Shift+Up 0.5
//   at 3   input Lander 1
//
// parseScript reads the text alone (syntax, numbers, key names); which
// vessels exist is known only once the scenario is loaded, so checkVessels
// is a second pass.
#ifndef VESSELHOST_SCRIPT_H
#define VESSELHOST_SCRIPT_H

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "KeyCombo.h"

namespace vesselhost {

enum class CommandKind { Key, Hold, Input, Altitude, Contact, Dock, Cockpit, Focus, Visual, Hud, Save, State, Draw };

// The command's name as a script writes it.
const char *commandName(CommandKind kind);

struct ScriptCommand {
  int line = 0;      // 1-based line in the script
  double time = 0;   // when it is due, s
  CommandKind kind = CommandKind::Key;
  std::string vessel;  // key, hold, altitude, contact, dock, focus, visual, hud
  KeyCombo combo;      // key, hold
  double number = 0;   // hold: seconds; altitude: metres
  bool on = false;     // contact, dock, visual
  int port = 0;        // dock
  int cockpitMode = 0;     // cockpit: COCKPIT_*
  bool hasVcId = false;    // cockpit vc ID
  int vcId = 0;
  int width = 0, height = 0;  // hud
  std::string text;    // input: the answer; save, state, draw: the file
};

struct Script {
  std::string fileName;
  std::vector<ScriptCommand> commands;  // in file order

  bool empty() const { return commands.empty(); }
  double lastTime() const;  // 0 for an empty script
};

struct ScriptError {
  std::string file;
  int line = 0;
  std::string message;
  // "file:line: message"
  std::string describe() const;
};

struct ScriptParse {
  Script script;
  std::optional<ScriptError> error;  // the first fault found
};

ScriptParse parseScript(std::string_view text, const std::string &fileName);

// Checks every vessel a command names against the vessels that exist once
// the scenario is loaded. A name that is not among them is still accepted
// when it extends one of them (pieces a plug-in spawns are named after
// their maker, e.g. "Lander-DescentStage"); such a command is checked again
// when it is due.
std::optional<ScriptError> checkVessels(const Script &script, const std::vector<std::string> &known);

// The script language, for help texts.
std::string scriptHelp();

}  // namespace vesselhost

#endif  // VESSELHOST_SCRIPT_H
