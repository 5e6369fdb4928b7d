#include "landerfamily/Mechanisms.h"

#include "vessel_common/Mechanism.h"

namespace landers {

void AdvanceDescentMechanisms(const VESSEL &vessel, const MechanismRef &palette, const MechanismRef &gear,
                              double simdt) {
  vmod::AdvanceMechanism(vessel, palette.anim, palette.status, palette.proc, palette.flag, PALETTE_SPEED * simdt);
  vmod::AdvanceMechanism(vessel, gear.anim, gear.status, gear.proc, gear.flag, GEAR_SPEED * simdt);
}

}  // namespace landers
