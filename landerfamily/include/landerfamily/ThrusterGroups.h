// The landers' thruster groups: the descent engines hover, the attitude
// thrusters turn and translate, and each group also fires the RCS flames
// that show it. There is no main and no retro group.
#ifndef LANDERFAMILY_THRUSTERGROUPS_H
#define LANDERFAMILY_THRUSTERGROUPS_H

#include "landerfamily/Hardware.h"

namespace landers {

// Fills hw.groupThrusters from the thrusters in hw, once they exist.
void ResolveThrusterGroups(Hardware &hw);

// Deletes every group (the thrusters stay) and creates them again from the
// resolved lists. Runs every frame: it allocates nothing.
void UpdateThrusterGroups(const VESSEL &vessel, Hardware &hw);

}  // namespace landers

#endif  // LANDERFAMILY_THRUSTERGROUPS_H
