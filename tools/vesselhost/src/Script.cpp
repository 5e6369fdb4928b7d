#include "Script.h"

#include <algorithm>

#include "Numbers.h"

namespace vesselhost {
namespace {

struct CommandSpec {
  CommandKind kind;
  const char *name;
  const char *usage;  // arguments after the name
  const char *does;
};

const CommandSpec kCommands[] = {
    {CommandKind::Key, "key", "VESSEL COMBO",
     "a buffered key press and its release; keys go to the focus vessel only,\n"
     "      so a VESSEL without the focus is given it first (a \"focus\" line);\n"
     "      while an input box is open the key reaches no vessel (\"not delivered\")"},
    {CommandKind::Hold, "hold", "VESSEL COMBO SECONDS",
     "keys held that long on the one keyboard, seen by the focus vessel's\n"
     "      direct-key callback at the end of every frame; VESSEL is given the\n"
     "      focus first, and overlapping holds combine their keys; while an input\n"
     "      box is open no vessel sees them, from the frame after it closes again"},
    {CommandKind::Input, "input", "TEXT",
     "answer the open input box with the rest of the line, blanks kept (may be\n      empty; it ends at a '#' comment, with the blanks before it)"},
    {CommandKind::Altitude, "altitude", "VESSEL METRES", "set the altitude (with physics off it stays there)"},
    {CommandKind::Contact, "contact", "VESSEL on|off", "force ground contact; off gives it back to the flight model"},
    {CommandKind::Dock, "dock", "VESSEL PORT on|off", "set the docking status of a port (0, 1, ...)"},
    {CommandKind::Cockpit, "cockpit", "generic|panel|vc [ID]",
     "load the focus vessel's cockpit in that mode (a mode it refuses gives\n"
     "      way to the next: generic, panel, vc); vc enters at position 0, vc ID\n"
     "      then loads position ID"},
    {CommandKind::Focus, "focus", "VESSEL",
     "give the vessel the focus (at first: the first vessel); its cockpit is\n      loaded in the mode there is"},
    {CommandKind::Visual, "visual", "VESSEL on|off", "create or destroy the vessel's visual"},
    {CommandKind::Hud, "hud", "VESSEL WIDTHxHEIGHT", "draw the vessel's HUD on a sketchpad of that size (e.g. 800x600)"},
    {CommandKind::Save, "save", "FILE", "write the scenario now"},
    {CommandKind::State, "state", "FILE", "write the JSON state now"},
    {CommandKind::Draw, "draw", "VESSEL FILE", "draw the vessel's layout now, as SVG (see 'vesselhost draw --help')"},
};

const CommandSpec &specOf(CommandKind kind) {
  for (const CommandSpec &s : kCommands)
    if (s.kind == kind) return s;
  return kCommands[0];
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; }

std::string_view trim(std::string_view s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && isBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Takes the next blank-separated word off the front of s.
std::string_view nextWord(std::string_view &s) {
  while (!s.empty() && isBlank(s.front())) s.remove_prefix(1);
  std::size_t n = 0;
  while (n < s.size() && !isBlank(s[n])) ++n;
  std::string_view word = s.substr(0, n);
  s.remove_prefix(n);
  return word;
}

std::vector<std::string_view> words(std::string_view s) {
  std::vector<std::string_view> out;
  for (std::string_view w = nextWord(s); !w.empty(); w = nextWord(s)) out.push_back(w);
  return out;
}

std::string quoted(std::string_view s) {
  constexpr std::size_t kShown = 60;  // keep messages about huge tokens short
  if (s.size() > kShown) return "\"" + std::string(s.substr(0, kShown)) + "...\"";
  return "\"" + std::string(s) + "\"";
}

bool readSwitch(std::string_view word, bool &on) {
  if (word == "on") { on = true; return true; }
  if (word == "off") { on = false; return true; }
  return false;
}

// Reads the arguments of one command; returns "" or what is wrong.
std::string readArguments(ScriptCommand &cmd, std::string_view rest) {
  const CommandSpec &spec = specOf(cmd.kind);
  const std::string usage = std::string("usage: at TIME ") + spec.name + " " + spec.usage;

  if (cmd.kind == CommandKind::Input) {
    // The answer is the rest of the line as written, blanks included; only
    // the one blank that separates it from the command is dropped.
    if (!rest.empty() && isBlank(rest.front())) rest.remove_prefix(1);
    if (!rest.empty() && rest.back() == '\r') rest.remove_suffix(1);
    cmd.text = std::string(rest);
    return "";
  }

  if (cmd.kind == CommandKind::Save || cmd.kind == CommandKind::State) {
    rest = trim(rest);
    if (rest.empty()) return std::string(spec.name) + " needs a file name (" + usage + ")";
    cmd.text = std::string(rest);
    return "";
  }

  if (cmd.kind == CommandKind::Draw) {
    cmd.vessel = std::string(nextWord(rest));
    rest = trim(rest);
    if (cmd.vessel.empty() || rest.empty()) return "draw needs a vessel and a file name (" + usage + ")";
    cmd.text = std::string(rest);
    return "";
  }

  const std::vector<std::string_view> args = words(rest);
  auto count = [&](std::size_t lo, std::size_t hi) -> std::string {
    if (args.size() < lo) return std::string(spec.name) + " needs more arguments (" + usage + ")";
    if (args.size() > hi) return std::string(spec.name) + " has too many arguments (" + usage + ")";
    return "";
  };
  auto badSwitch = [&](std::string_view w) {
    return "expected on or off, not " + quoted(w) + " (" + usage + ")";
  };
  std::string why;

  switch (cmd.kind) {
    case CommandKind::Key:
    case CommandKind::Hold: {
      const bool hold = cmd.kind == CommandKind::Hold;
      if (!(why = count(hold ? 3 : 2, hold ? 3 : 2)).empty()) return why;
      cmd.vessel = std::string(args[0]);
      std::optional<KeyCombo> combo = parseKeyCombo(args[1], hold, &why);
      if (!combo) return why;
      cmd.combo = std::move(*combo);
      if (hold && (!readNumber(args[2], cmd.number) || cmd.number <= 0))
        return "bad number " + quoted(args[2]) + " for the seconds to hold (a number above 0)";
      return "";
    }
    case CommandKind::Altitude:
      if (!(why = count(2, 2)).empty()) return why;
      cmd.vessel = std::string(args[0]);
      if (!readNumber(args[1], cmd.number) || cmd.number < 0)
        return "bad number " + quoted(args[1]) + " for the altitude (metres, 0 or more)";
      return "";
    case CommandKind::Contact:
    case CommandKind::Visual:
      if (!(why = count(2, 2)).empty()) return why;
      cmd.vessel = std::string(args[0]);
      if (!readSwitch(args[1], cmd.on)) return badSwitch(args[1]);
      return "";
    case CommandKind::Dock:
      if (!(why = count(3, 3)).empty()) return why;
      cmd.vessel = std::string(args[0]);
      if (!readInt(args[1], cmd.port) || cmd.port < 0)
        return "bad number " + quoted(args[1]) + " for the docking port (0, 1, ...)";
      if (!readSwitch(args[2], cmd.on)) return badSwitch(args[2]);
      return "";
    case CommandKind::Cockpit:
      if (!(why = count(1, 2)).empty()) return why;
      if (args[0] == "generic") cmd.cockpitMode = COCKPIT_GENERIC;
      else if (args[0] == "panel") cmd.cockpitMode = COCKPIT_PANELS;
      else if (args[0] == "vc") cmd.cockpitMode = COCKPIT_VIRTUAL;
      else return "unknown cockpit mode " + quoted(args[0]) + " (" + usage + ")";
      if (args.size() == 2) {
        if (cmd.cockpitMode != COCKPIT_VIRTUAL) return "only the vc mode takes a position ID (" + usage + ")";
        if (!readInt(args[1], cmd.vcId)) return "bad number " + quoted(args[1]) + " for the virtual cockpit ID";
        cmd.hasVcId = true;
      }
      return "";
    case CommandKind::Focus:
      if (!(why = count(1, 1)).empty()) return why;
      cmd.vessel = std::string(args[0]);
      return "";
    case CommandKind::Hud: {
      if (!(why = count(2, 2)).empty()) return why;
      cmd.vessel = std::string(args[0]);
      const std::string_view size = args[1];
      const std::size_t x = size.find_first_of("xX");
      constexpr int kMaxSide = 65536;
      if (x == std::string_view::npos || !readInt(size.substr(0, x), cmd.width) ||
          !readInt(size.substr(x + 1), cmd.height) || cmd.width <= 0 || cmd.height <= 0 ||
          cmd.width > kMaxSide || cmd.height > kMaxSide)
        return "bad HUD size " + quoted(size) + " (WIDTHxHEIGHT in pixels, e.g. 800x600)";
      return "";
    }
    default:
      return "";
  }
}

}  // namespace

const char *commandName(CommandKind kind) { return specOf(kind).name; }

double Script::lastTime() const {
  double last = 0;
  for (const ScriptCommand &c : commands) last = std::max(last, c.time);
  return last;
}

std::string ScriptError::describe() const { return file + ":" + std::to_string(line) + ": " + message; }

ScriptParse parseScript(std::string_view text, const std::string &fileName) {
  ScriptParse result;
  result.script.fileName = fileName;
  int lineNo = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    ++lineNo;

    auto fail = [&](std::string message) {
      result.error = ScriptError{fileName, lineNo, std::move(message)};
      return result;
    };

    const std::size_t hash = line.find('#');
    std::string_view rest = line.substr(0, hash);
    if (trim(rest).empty()) continue;

    const std::string_view at = nextWord(rest);
    if (at != "at") return fail("expected \"at TIME COMMAND ...\", not " + quoted(at));
    ScriptCommand cmd;
    cmd.line = lineNo;
    const std::string_view when = nextWord(rest);
    if (when.empty()) return fail("\"at\" needs a time in seconds");
    if (!readNumber(when, cmd.time) || cmd.time < 0)
      return fail("bad number " + quoted(when) + " for the time (seconds, 0 or more)");
    const std::string_view name = nextWord(rest);
    if (name.empty()) return fail("a command is missing after the time");
    const CommandSpec *spec = nullptr;
    for (const CommandSpec &s : kCommands)
      if (name == s.name) spec = &s;
    if (!spec) {
      std::string known;
      for (const CommandSpec &s : kCommands) known += std::string(known.empty() ? "" : ", ") + s.name;
      return fail("unknown command " + quoted(name) + " (commands: " + known + ")");
    }
    cmd.kind = spec->kind;
    // Blanks before a trailing comment are no part of an input answer.
    if (cmd.kind == CommandKind::Input && hash != std::string_view::npos)
      while (!rest.empty() && isBlank(rest.back())) rest.remove_suffix(1);
    const std::string why = readArguments(cmd, rest);
    if (!why.empty()) return fail(why);
    result.script.commands.push_back(std::move(cmd));
  }
  return result;
}

std::optional<ScriptError> checkVessels(const Script &script, const std::vector<std::string> &known) {
  for (const ScriptCommand &cmd : script.commands) {
    if (cmd.vessel.empty()) continue;
    bool exists = false, spawnable = false;
    for (const std::string &name : known) {
      if (cmd.vessel == name) exists = true;
      else if (cmd.vessel.size() > name.size() && cmd.vessel.compare(0, name.size(), name) == 0) spawnable = true;
    }
    if (!exists && !spawnable)
      return ScriptError{script.fileName, cmd.line, "unknown vessel " + quoted(cmd.vessel) + " in " + commandName(cmd.kind)};
  }
  return std::nullopt;
}

std::string scriptHelp() {
  std::string help =
      "Script (--script): one command a line, \"at TIME COMMAND ARGS\", TIME in seconds;\n"
      "'#' starts a comment. A frame first runs the commands due by its start, in file\n"
      "order; a save or state command captures what the frames before it left.\n";
  for (const CommandSpec &s : kCommands)
    help += std::string("  at TIME ") + s.name + " " + s.usage + "\n      " + s.does + "\n";
  help += "COMBO: modifiers Shift, RShift, Ctrl, RCtrl, Alt, RAlt (Shift, Ctrl, Alt: the left\n"
          "keys) and one key A-Z, 0-9, NumPad0-NumPad9, Up, Down, Left, Right, joined by '+',\n"
          "e.g. Alt+J, Shift+Alt+B, B. A hold may also hold modifiers alone.\n"
          "Files are named relative to the current directory. Every vessel named must exist\n"
          "once the scenario is loaded, except a piece a plug-in spawns later, whose name\n"
          "extends its maker's (e.g. Lander-DescentStage): it must exist when its command is\n"
          "due. Commands due after the end of the run are reported and not run.\n";
  return help;
}

}  // namespace vesselhost
