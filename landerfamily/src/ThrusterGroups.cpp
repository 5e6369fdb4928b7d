#include "landerfamily/ThrusterGroups.h"

namespace landers {
namespace {

enum Bank { MAIN, RCS, FX };  // thMain, thRcs, thRcsFx

struct ThrusterRef {
  Bank bank;
  int index;
};

struct GroupRow {
  THGROUP_TYPE type;
  int count;
  ThrusterRef thrusters[MAX_GROUP_THRUSTERS];
};

// Creation order of the groups.
const GroupRow kGroups[THRUSTER_GROUPS] = {
    {THGROUP_HOVER, 4, {{MAIN, 0}, {MAIN, 1}, {MAIN, 2}, {MAIN, 3}}},
    {THGROUP_ATT_PITCHUP, 6, {{RCS, 0}, {RCS, 1}, {FX, 15}, {FX, 9}, {FX, 0}, {FX, 18}}},
    {THGROUP_ATT_PITCHDOWN, 6, {{RCS, 6}, {RCS, 7}, {FX, 12}, {FX, 6}, {FX, 3}, {FX, 21}}},
    {THGROUP_ATT_BANKLEFT, 6, {{RCS, 16}, {RCS, 17}, {FX, 12}, {FX, 0}, {FX, 9}, {FX, 21}}},
    {THGROUP_ATT_BANKRIGHT, 6, {{RCS, 14}, {RCS, 15}, {FX, 15}, {FX, 3}, {FX, 6}, {FX, 18}}},
    {THGROUP_ATT_UP, 10,
     {{RCS, 2}, {RCS, 3}, {FX, 4}, {FX, 16}, {FX, 10}, {FX, 22}, {FX, 3}, {FX, 15}, {FX, 9}, {FX, 21}}},
    {THGROUP_ATT_DOWN, 10,
     {{RCS, 4}, {RCS, 5}, {FX, 0}, {FX, 12}, {FX, 6}, {FX, 18}, {FX, 1}, {FX, 13}, {FX, 7}, {FX, 19}}},
    {THGROUP_ATT_YAWLEFT, 6, {{RCS, 8}, {RCS, 9}, {FX, 2}, {FX, 8}, {FX, 17}, {FX, 20}}},
    {THGROUP_ATT_YAWRIGHT, 6, {{RCS, 10}, {RCS, 11}, {FX, 5}, {FX, 11}, {FX, 14}, {FX, 23}}},
    {THGROUP_ATT_LEFT, 3, {{RCS, 12}, {FX, 11}, {FX, 20}}},
    {THGROUP_ATT_RIGHT, 3, {{RCS, 13}, {FX, 2}, {FX, 17}}},
    {THGROUP_ATT_FORWARD, 3, {{RCS, 18}, {FX, 2}, {FX, 20}}},
    {THGROUP_ATT_BACK, 3, {{RCS, 19}, {FX, 11}, {FX, 17}}},
};

// Deletion order: every standard group but retro, whether it exists or not.
const THGROUP_TYPE kDeleteOrder[] = {
    THGROUP_MAIN,         THGROUP_HOVER,          THGROUP_ATT_PITCHUP, THGROUP_ATT_PITCHDOWN, THGROUP_ATT_BANKLEFT,
    THGROUP_ATT_BANKRIGHT, THGROUP_ATT_YAWLEFT,   THGROUP_ATT_YAWRIGHT, THGROUP_ATT_RIGHT,    THGROUP_ATT_LEFT,
    THGROUP_ATT_UP,       THGROUP_ATT_DOWN,       THGROUP_ATT_FORWARD, THGROUP_ATT_BACK,
};

THRUSTER_HANDLE Resolve(const Hardware &hw, ThrusterRef ref) {
  switch (ref.bank) {
    case MAIN: return hw.thMain[ref.index];
    case RCS: return hw.thRcs[ref.index];
    default: return hw.thRcsFx[ref.index];
  }
}

}  // namespace

void ResolveThrusterGroups(Hardware &hw) {
  for (int g = 0; g < THRUSTER_GROUPS; ++g)
    for (int i = 0; i < kGroups[g].count; ++i) hw.groupThrusters[g][i] = Resolve(hw, kGroups[g].thrusters[i]);
}

void UpdateThrusterGroups(const VESSEL &vessel, Hardware &hw) {
  for (THGROUP_TYPE type : kDeleteOrder) vessel.DelThrusterGroup(type, false);
  for (int g = 0; g < THRUSTER_GROUPS; ++g)
    vessel.CreateThrusterGroup(hw.groupThrusters[g], kGroups[g].count, kGroups[g].type);
}

}  // namespace landers
