// "vesselhost draw": a vessel of a scenario drawn as the host holds it once
// the scenario is loaded and one frame has run (so a configuration that
// waits for the first post-step is in place).
#ifndef VESSELHOST_DRAW_H
#define VESSELHOST_DRAW_H

#include <ostream>
#include <string>

namespace vesselhost {

struct DrawOptions {
  std::string scenario;
  std::string out;     // the SVG file
  std::string vessel;  // "" for the scenario's first vessel
  std::string configDir, moduleDir;
};

// Errors, naming the file or the vessel at fault, go to err. Returns the
// exit code; the SVG file is written whole, or not at all.
int drawCommand(const DrawOptions &options, std::ostream &err);

// What the drawing shows, for help texts.
std::string drawHelp();

}  // namespace vesselhost

#endif  // VESSELHOST_DRAW_H
