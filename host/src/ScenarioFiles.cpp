// Whole scenarios: loaded as the simulator loads them and saved in its
// layout. The blocks other than the ships are carried from the load to
// every save; the environment's date, the focus and the cockpit mode are
// written as they are now.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "HostCore.h"
#include "Motion.h"
#include "ScenarioText.h"
#include "StatusLines.h"
#include "VesselImpl.h"

namespace vhost {

using detail::ScenarioBlock;
using detail::VesselImpl;

namespace {

const ScenarioBlock *findBlock(const std::vector<ScenarioBlock> &blocks, const char *name) {
  for (const ScenarioBlock &b : blocks)
    if (b.name == name) return &b;
  return nullptr;
}

std::string firstWord(const std::string &line) { return line.substr(0, line.find_first_of(" \t")); }

// The date the environment gives: "Date MJD x", "Date JD x" or "Date JE x".
bool readDate(const ScenarioBlock &env, double &mjd) {
  for (std::size_t i = 1; i + 1 < env.text.size(); ++i) {
    const std::string line = detail::cutLine(env.text[i]);
    if (!detail::startsWithText(line.c_str(), "Date")) continue;
    const std::string rest = detail::cutLine(line.substr(4));
    double x = 0;
    if (detail::startsWithText(rest.c_str(), "MJD") && std::sscanf(rest.c_str() + 3, "%lf", &x) == 1) {
      mjd = x;
    } else if (detail::startsWithText(rest.c_str(), "JD") && std::sscanf(rest.c_str() + 2, "%lf", &x) == 1) {
      mjd = x - 2400000.5;
    } else if (detail::startsWithText(rest.c_str(), "JE") && std::sscanf(rest.c_str() + 2, "%lf", &x) == 1) {
      mjd = (x - 2000.0) * 365.25 + 51544.5;
    } else {
      return false;
    }
    return std::isfinite(mjd);
  }
  return true;
}

// The environment's lines the simulator carries to its saves.
bool carriedEnvironmentLine(const std::string &line, const char *key) {
  return detail::sameText(firstWord(detail::cutLine(line)), key);
}

void appendBlock(std::string &out, const ScenarioBlock &b) {
  for (const std::string &line : b.text) out += line + "\n";
  out += "\n";
}

// Written before the ships, where the simulator writes its camera and
// cockpit; any other block (a plug-in's) after them.
bool beforeShips(const std::string &name) { return name == "CAMERA" || name == "HUD" || name == "MFD"; }
bool generated(const std::string &name) {
  return name == "ENVIRONMENT" || name == "FOCUS" || name == "PANEL" || name == "VC" || name == "DESC";
}

}  // namespace

void Simulation::loadScenario(const std::string &text, const std::string &fileName) {
  Impl &s = *impl_;
  detail::ScenarioFile file = detail::parseScenario(text, fileName);
  const bool first = s.vessels.empty() && s.frames == 0;
  if (first) {
    if (const ScenarioBlock *env = findBlock(file.blocks, "ENVIRONMENT")) {
      double mjd = s.mjd0;
      if (!readDate(*env, mjd))
        s.warn(nullptr, "scenario line", "%s:%d: the Date is not MJD, JD or JE and a number; it is not used",
               fileName.c_str(), env->line);
      else
        s.mjd0 = mjd;
    }
    s.blocks = file.blocks;
  }
  std::vector<VesselImpl *> made;
  for (const detail::ScenarioVessel &sv : file.ships) {
    std::string error;
    VesselImpl *v = s.makeVessel(sv.name, sv.className, &sv.lines, fileName, nullptr, error);
    if (!v) throw ScenarioError(fileName, sv.line, "cannot make vessel \"" + sv.name + "\": " + error);
    made.push_back(v);
  }
  for (VesselImpl *v : made) s.restoreAttachments(*v);
  // Placed once every link is made, parents before children, whatever the
  // order of the blocks.
  for (const auto &v : s.vessels)
    if (!s.parentOf(*v)) s.placeDescendants(*v);
  // The focus (the scenario's, by its exact name, else the first vessel)
  // is given before any post-creation; its cockpit is loaded once all are
  // created.
  if (!s.findSerial(s.focusSerial) && !made.empty()) {
    VesselImpl *focus = made.front();
    if (const ScenarioBlock *f = findBlock(file.blocks, "FOCUS"))
      for (std::size_t i = 1; i + 1 < f->text.size(); ++i) {
        const std::string line = detail::cutLine(f->text[i]);
        if (!detail::startsWithText(line.c_str(), "Ship")) continue;
        const std::string name = detail::cutLine(line.substr(4));
        for (VesselImpl *v : made)
          if (v->rec.name == name) {
            focus = v;
            break;
          }
      }
    s.changeFocus(focus);
  }
  for (VesselImpl *v : made) s.postCreate(*v);
  if (s.cockpit == 0)
    s.loadCockpit(findBlock(file.blocks, "PANEL") ? COCKPIT_PANELS
                  : findBlock(file.blocks, "VC")  ? COCKPIT_VIRTUAL
                                                  : COCKPIT_GENERIC);
}

std::string Simulation::saveScenario() {
  Impl &s = *impl_;
  if (s.vessels.empty()) throw SaveError("every vessel is gone, and a scenario without vessels does not load");
  std::string ships = "BEGIN_SHIPS\n";
  std::vector<std::string> lines;
  for (std::size_t i = 0; i < s.vessels.size(); ++i) {
    VesselImpl &v = *s.vessels[i];
    lines.clear();
    s.saveLines(v, lines);
    const std::string head = v.rec.name + ":" + v.rec.className;
    if (head.size() > detail::kMaxShipsLine)
      throw SaveError("vessel \"" + v.rec.name.substr(0, 60) + "...\": its line NAME:CLASS would be " +
                      std::to_string(head.size()) +
                      " characters long, more than the simulator reads (255); nothing was saved");
    ships += head + "\n";
    for (const std::string &l : lines) ships += "  " + l + "\n";
    ships += "END\n";
  }
  ships += "END_SHIPS\n";

  std::string out;
  if (const ScenarioBlock *desc = findBlock(s.blocks, "DESC")) appendBlock(out, *desc);
  const ScenarioBlock *env = findBlock(s.blocks, "ENVIRONMENT");
  std::string system = "  System Sol", help = "  Help CurrentState", others;
  if (env)
    for (std::size_t i = 1; i + 1 < env->text.size(); ++i) {
      const std::string &line = env->text[i];
      if (carriedEnvironmentLine(line, "System"))
        system = "  " + detail::cutLine(line);
      else if (carriedEnvironmentLine(line, "Help"))
        help = "  " + detail::cutLine(line);
      else if (carriedEnvironmentLine(line, "Context") || carriedEnvironmentLine(line, "Script") ||
               carriedEnvironmentLine(line, "Playback"))
        others += "  " + detail::cutLine(line) + "\n";
    }
  char date[64];
  std::snprintf(date, sizeof date, "  Date MJD %.10f", s.mjdAt(s.now()));
  out += "BEGIN_ENVIRONMENT\n" + system + "\n" + date + "\n" + others + help + "\nEND_ENVIRONMENT\n\n";
  if (const VesselImpl *focus = s.focusVessel()) out += "BEGIN_FOCUS\n  Ship " + focus->rec.name + "\nEND_FOCUS\n\n";
  for (const ScenarioBlock &b : s.blocks)
    if (beforeShips(b.name)) appendBlock(out, b);
  if (s.cockpit == COCKPIT_PANELS) out += "BEGIN_PANEL\nEND_PANEL\n\n";
  if (s.cockpit == COCKPIT_VIRTUAL) out += "BEGIN_VC\nEND_VC\n\n";
  out += ships;
  for (const ScenarioBlock &b : s.blocks)
    if (!beforeShips(b.name) && !generated(b.name)) {
      out += "\n";
      for (const std::string &line : b.text) out += line + "\n";
    }
  s.event(nullptr, "scenario saved");
  return out;
}

std::vector<std::string> Simulation::saveVessel(const std::string &name) {
  Impl &s = *impl_;
  VesselImpl *v = s.findName(name.c_str());
  if (!v) throw std::out_of_range("no vessel named \"" + name + "\"");
  std::vector<std::string> lines;
  s.saveLines(*v, lines);
  return lines;
}

}  // namespace vhost
