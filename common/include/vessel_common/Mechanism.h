// The moving-part pattern shared by the landers and the capsule: a status, a
// position from 0 (closed) to 1 (open), an open flag and an animation. The
// plug-ins keep these as their own members (gearStatus, gearProc, ...); the
// rules that move them live here once.
#ifndef VESSEL_COMMON_MECHANISM_H
#define VESSEL_COMMON_MECHANISM_H

#include "Orbitersdk.h"

const int STATUS_CLOSED = 0;
const int STATUS_OPEN = 1;
const int STATUS_CLOSING = 2;
const int STATUS_OPENING = 3;

namespace vmod {

// One step of a mechanism by delta (rate times step length). Returns true
// when the part's animation is to be set to the new position:
//  closed:  position 0, animation left alone;
//  open:    position 1, animation set;
//  closing: flag cleared, position falls by delta to 0; a step that starts
//           at 0 makes it closed;
//  opening: flag set, position rises by delta to 1; a step that starts at 1
//           makes it open (so it opens one step after reaching 1).
// A status above 3 steps as opening; a negative one is left alone.
bool StepMechanism(int &status, double &position, bool &open, double delta);

// StepMechanism, then the host call that shows the new position.
inline void AdvanceMechanism(const VESSEL &vessel, UINT anim, int &status, double &position, bool &open,
                             double delta) {
  if (StepMechanism(status, position, open, delta)) vessel.SetAnimation(anim, position);
}

// The key rule: an open part starts closing; anything else starts (or keeps)
// opening, so a closing part reverses and an opening one goes on.
inline void ToggleMechanism(int &status) { status = (status == STATUS_OPEN) ? STATUS_CLOSING : STATUS_OPENING; }

}  // namespace vmod

#endif  // VESSEL_COMMON_MECHANISM_H
