// The timeline: one line per notable event, for a person watching a run.
//
//       0.00  Lander            created class Tessavane
//       1.52  Lander            key Alt+J consumed
//
// Times have as many fixed decimals as the step needs (at least two).
#ifndef VESSELHOST_TIMELINE_H
#define VESSELHOST_TIMELINE_H

#include <ostream>
#include <string>

namespace vesselhost {

class StatusLine;

// Decimals that show every frame start of step dt distinctly (2 to 6).
int timeDecimals(double dt);

std::string formatTimelineLine(double t, int decimals, const std::string &vessel, int vesselWidth,
                               const std::string &what);

class Timeline {
public:
  Timeline(std::ostream &out, double dt, bool enabled);
  // Column width for vessel names; names longer than this still print whole.
  void setVesselWidth(int width);
  // A status line on the same terminal steps aside for every line.
  void setStatusLine(StatusLine *status) { status_ = status; }
  // vessel "" is the host itself.
  void line(double t, const std::string &vessel, const std::string &what);
  // While the script presses a key it writes the key's line itself, with
  // the combo as the script spells it; the host's own key line is dropped.
  void setScriptKeyActive(bool active) { scriptKey_ = active; }
  bool isDuplicateKeyLine(const std::string &what) const { return scriptKey_ && what.rfind("key ", 0) == 0; }

private:
  std::ostream &out_;
  int decimals_;
  int vesselWidth_ = 12;
  bool enabled_;
  bool scriptKey_ = false;
  StatusLine *status_ = nullptr;
};

}  // namespace vesselhost

#endif  // VESSELHOST_TIMELINE_H
