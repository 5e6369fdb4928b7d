// Plays a script into a simulation: before each frame, the commands that
// are due, in file order, then the keys every running hold keeps down.
#ifndef VESSELHOST_SCRIPTPLAYER_H
#define VESSELHOST_SCRIPTPLAYER_H

#include <set>
#include <optional>
#include <string>
#include <vector>

#include "Script.h"
#include "StateJson.h"
#include "Timeline.h"
#include "vhost/Simulation.h"

namespace vesselhost {

class ScriptPlayer {
public:
  // The script and the timeline must outlive the player.
  ScriptPlayer(const Script &script, vhost::Simulation &sim, Timeline &timeline);

  // Runs every command due at or before t (a frame's start) that has not
  // run yet, then sets the keys held by the holds running at t. Stops at
  // the first command that cannot be carried out.
  std::optional<ScriptError> runDue(double t);

  // Commands not run yet; their line and time.
  std::vector<const ScriptCommand *> pending() const;

  // Every buffered key press given so far.
  const std::vector<KeyPress> &keys() const { return keys_; }

private:
  struct Hold {
    std::string vessel;
    std::vector<DWORD> keys;
    double until;  // first frame start it no longer covers
  };

  // "" when done, else what went wrong.
  std::string execute(const ScriptCommand &cmd);
  void updateHolds(double t);

  const Script &script_;
  vhost::Simulation &sim_;
  Timeline &timeline_;
  std::vector<std::size_t> order_;  // command indices by due time, file order within a time
  std::size_t next_ = 0;
  std::vector<Hold> holds_;
  std::vector<DWORD> heldKeys_;      // the keyboard's held keys now
  std::string heldBy_;               // the vessel they were held for
  std::set<std::string> holdingNow_;  // vessels with a running hold
  std::vector<KeyPress> keys_;
};

}  // namespace vesselhost

#endif  // VESSELHOST_SCRIPTPLAYER_H
