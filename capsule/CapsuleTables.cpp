#include "CapsuleTables.h"

#include <cmath>

namespace tarva {

namespace {
const double STANDARD_GRAVITY = 9.80655;  // m/s^2, as the suspension was tuned
const int TOUCHDOWN_LEGS = 3;            // the weight rests on three points
}  // namespace

const double TOUCHDOWN_REF_MASS = 20057.0;
const double TOUCHDOWN_REF_COMPRESSION = -0.1;
const double TOUCHDOWN_STIFFNESS =
    -(TOUCHDOWN_REF_MASS * STANDARD_GRAVITY) / (TOUCHDOWN_LEGS * TOUCHDOWN_REF_COMPRESSION);
const double TOUCHDOWN_DAMPING = 0.9 * 2 * std::sqrt(TOUCHDOWN_REF_MASS * TOUCHDOWN_STIFFNESS);

// Defined after the constants above, so they are set when this is built.
const TOUCHDOWNVTX TOUCHDOWN_POINTS[TOUCHDOWN_COUNT] = {
    {{{-1.0, 1.501, -1.745}}, TOUCHDOWN_STIFFNESS, TOUCHDOWN_DAMPING, 30, 30},
    {{{1.0, 1.501, -1.745}}, TOUCHDOWN_STIFFNESS, TOUCHDOWN_DAMPING, 30, 30},
    {{{1.0, -1.501, -1.745}}, TOUCHDOWN_STIFFNESS, TOUCHDOWN_DAMPING, 30, 30},
    {{{-1.0, -1.501, -1.745}}, TOUCHDOWN_STIFFNESS, TOUCHDOWN_DAMPING, 30, 0},
};

const VECTOR3 OWN_CROSS_SECTIONS = {{10.63, 10.74, 19.35}};
const VECTOR3 OWN_PMI = {{1.53, 1.54, 2.08}};
const VECTOR3 OWN_ROT_DRAG = {{0.04, 0.05, 0.04}};
const VECTOR3 REENTRY_CROSS_SECTIONS = {{10.34, 10.34, 50.8}};
const VECTOR3 REENTRY_PMI = {{15, 11, 50}};
const VECTOR3 REENTRY_ROT_DRAG = {{1.5, 2.3, 50.3}};

const PointLightSpec POINT_LIGHTS[4] = {
    {{{-2.55, 0, -0.8}}, {1, 0, 0, 0}},  // red
    {{{2.55, 0, -0.8}}, {0, 1, 0, 0}},   // green
    {{{0, 2.55, -0.8}}, {1, 1, 0, 0}},   // yellow
    {{{0, 2.55, -0.8}}, {1, 1, 0, 0}},   // yellow
};

// T1-T24: four clusters of six at the rear; T25-T32: the forward ring, no
// flames; T33-T39: no thrust, flames only, at the places of T19, T20, T14,
// T15, T7, T2 and T3 so the translation groups show flames there.
const ThrusterSpec THRUSTERS[THRUSTER_COUNT] = {
    {{{0, 0, -5.5}}, {{0, 0, 1}}, 33330, 3048, MAIN_FLAME},             // T0
    {{{-1.93, -1.76, -2.55}}, {{0, 0, -1}}, 350, 3048, ATTITUDE_FLAME},  // T1
    {{{-1.77, -1.89, -2.55}}, {{0, 0, -1}}, 350, 3048, ATTITUDE_FLAME},  // T2
    {{{-1.55, -2.08, -2.94}}, {{-1, 1, 0}}, 350, 3048, ATTITUDE_FLAME},  // T3
    {{{-1.93, -1.76, -3.32}}, {{0, 0, 1}}, 350, 3048, ATTITUDE_FLAME},   // T4
    {{{-1.77, -1.89, -3.32}}, {{0, 0, 1}}, 350, 3048, ATTITUDE_FLAME},   // T5
    {{{-2.08, -1.55, -2.94}}, {{1, -1, 0}}, 350, 3048, ATTITUDE_FLAME},  // T6
    {{{1.93, 1.76, -2.55}}, {{0, 0, -1}}, 350, 3048, ATTITUDE_FLAME},    // T7
    {{{1.77, 1.89, -2.55}}, {{0, 0, -1}}, 350, 3048, ATTITUDE_FLAME},    // T8
    {{{1.55, 2.08, -2.94}}, {{1, -1, 0}}, 350, 3048, ATTITUDE_FLAME},    // T9
    {{{1.93, 1.76, -3.32}}, {{0, 0, 1}}, 350, 3048, ATTITUDE_FLAME},     // T10
    {{{1.77, 1.89, -3.32}}, {{0, 0, 1}}, 350, 3048, ATTITUDE_FLAME},     // T11
    {{{2.08, 1.55, -2.94}}, {{-1, 1, 0}}, 350, 3048, ATTITUDE_FLAME},    // T12
    {{{-1.76, 1.93, -2.55}}, {{0, 0, -1}}, 350, 3048, ATTITUDE_FLAME},   // T13
    {{{-1.89, 1.77, -2.55}}, {{0, 0, -1}}, 350, 3048, ATTITUDE_FLAME},   // T14
    {{{-1.55, 2.08, -2.94}}, {{-1, -1, 0}}, 350, 3048, ATTITUDE_FLAME},  // T15
    {{{-1.76, 1.93, -3.32}}, {{0, 0, 1}}, 350, 3048, ATTITUDE_FLAME},    // T16
    {{{-1.89, 1.77, -3.32}}, {{0, 0, 1}}, 350, 3048, ATTITUDE_FLAME},    // T17
    {{{-2.08, 1.55, -2.94}}, {{1, 1, 0}}, 350, 3048, ATTITUDE_FLAME},    // T18
    {{{1.76, -1.93, -2.55}}, {{0, 0, -1}}, 350, 3048, ATTITUDE_FLAME},   // T19
    {{{1.89, -1.77, -2.55}}, {{0, 0, -1}}, 350, 3048, ATTITUDE_FLAME},   // T20
    {{{1.55, -2.08, -2.94}}, {{1, 1, 0}}, 350, 3048, ATTITUDE_FLAME},    // T21
    {{{1.76, -1.93, -3.32}}, {{0, 0, 1}}, 350, 3048, ATTITUDE_FLAME},    // T22
    {{{1.89, -1.77, -3.32}}, {{0, 0, 1}}, 350, 3048, ATTITUDE_FLAME},    // T23
    {{{2.08, -1.55, -2.94}}, {{-1, -1, 0}}, 350, 3048, ATTITUDE_FLAME},  // T24
    {{{-1.55, -2.08, 2.94}}, {{-1, 1, 0}}, 350, 3048, NO_FLAME},         // T25
    {{{-1.55, 2.08, 2.94}}, {{-1, -1, 0}}, 350, 3048, NO_FLAME},         // T26
    {{{1.55, 2.08, 2.94}}, {{1, -1, 0}}, 350, 3048, NO_FLAME},           // T27
    {{{1.55, -2.08, 2.94}}, {{1, 1, 0}}, 350, 3048, NO_FLAME},           // T28
    {{{2.08, 1.55, 2.94}}, {{-1, 1, 0}}, 350, 3048, NO_FLAME},           // T29
    {{{-2.08, 1.55, 2.94}}, {{1, 1, 0}}, 350, 3048, NO_FLAME},           // T30
    {{{-2.08, -1.55, 2.94}}, {{1, -1, 0}}, 350, 3048, NO_FLAME},         // T31
    {{{2.08, -1.55, 2.94}}, {{-1, -1, 0}}, 350, 3048, NO_FLAME},         // T32
    {{{1.76, -1.93, -2.55}}, {{0, 0, -1}}, 0, 0, ATTITUDE_FLAME},        // T33
    {{{1.89, -1.77, -2.55}}, {{0, 0, -1}}, 0, 0, ATTITUDE_FLAME},        // T34
    {{{-1.89, 1.77, -2.55}}, {{0, 0, -1}}, 0, 0, ATTITUDE_FLAME},        // T35
    {{{-1.55, 2.08, -2.94}}, {{-1, -1, 0}}, 0, 0, ATTITUDE_FLAME},       // T36
    {{{1.93, 1.76, -2.55}}, {{0, 0, -1}}, 0, 0, ATTITUDE_FLAME},         // T37
    {{{-1.77, -1.89, -2.55}}, {{0, 0, -1}}, 0, 0, ATTITUDE_FLAME},       // T38
    {{{-1.55, -2.08, -2.94}}, {{-1, 1, 0}}, 0, 0, ATTITUDE_FLAME},       // T39
};

// Only the capsule, its cockpit and the crew show at first; each stage's
// configuration shows the rest it carries. The shared animation components
// rely on every capsule getting these slots in this order.
const MeshSlotSpec MESH_SLOTS[MESH_SLOT_COUNT] = {
    {"tarvaqel1/cm", {{0, 0, 0}}, MESHVIS_EXTERNAL},
    {"tarvaqel1/cm_burned", {{0, 0, 0}}, MESHVIS_NEVER},
    {"tarvaqel1/sm_open2", {{0, 0, 0}}, MESHVIS_NEVER},
    {"tarvaqel1/lsp", {{0, 0, 0}}, MESHVIS_NEVER},
    {"tarvaqel1/sm_cover", {{0, 0, 0}}, MESHVIS_NEVER},
    {"tarvaqel1/shield", {{0, 0, 0}}, MESHVIS_NEVER},
    {"tarvaqel1/drogue", {{0, 0, 0}}, MESHVIS_NEVER},
    {"brendavel/las", {{0, 0, 8}}, MESHVIS_NEVER},
    {"tarvaqel1/palette", {{0, 0, 0}}, MESHVIS_NEVER},
    {"tarvaqel1/cm_vc", {{0, 0, 0}}, MESHVIS_VC},
    {"tarvaqel1/seated", {{-0.36, 0.3, 0}}, MESHVIS_COCKPIT},
    {"tarvaqel1/seated", {{0.4, 0.3, -0.2}}, MESHVIS_COCKPIT},
    {"tarvaqel1/seated", {{-0.36, -1.0, 0}}, MESHVIS_COCKPIT},
    {"tarvaqel1/seated", {{0.4, -1.0, -0.2}}, MESHVIS_COCKPIT},
};

const BeaconSpec BEACONS[6] = {
    {BEACONSHAPE_COMPACT, {{-2.47, 0, -0.8}}, {{1, 0, 0}}, 0.05, 0.4, 0, 1.0, 1.0, true},
    {BEACONSHAPE_COMPACT, {{2.47, 0, -0.8}}, {{0, 1, 0}}, 0.05, 0.4, 0, 1.0, 1.0, true},
    {BEACONSHAPE_COMPACT, {{0.4, 2.47, -0.8}}, {{1, 1, 0}}, 0.05, 0.4, 0, 1.0, 1.0, true},
    {BEACONSHAPE_COMPACT, {{0.4, 2.47, -0.8}}, {{1, 1, 0}}, 0.05, 0.4, 0, 1.0, 1.0, true},
    {BEACONSHAPE_COMPACT, {{0, 0, 0}}, {{0, 0, 0}}, 0.05, 0.4, 0, 1.0, 1.0, true},
    // The strobe, switched with the lights.
    {BEACONSHAPE_STAR, {{0, 2.47, -0.8}}, {{0.9, 1, 1}}, 0.5, 1.0, 1.0, 0.02, 0, false},
};

// The same in every stage. Each translation group lists two rear diagonal
// thrusters, two flame-only thrusters and two forward ones; T39 is the
// flame-only thruster at T3's place, so it belongs to LEFT beside T3.
const ThrusterGroupSpec THRUSTER_GROUPS[THRUSTER_GROUP_COUNT] = {
    {THGROUP_MAIN, 1, {0}},
    {THGROUP_ATT_PITCHDOWN, 8, {17, 16, 11, 10, 1, 2, 19, 20}},
    {THGROUP_ATT_PITCHUP, 8, {5, 4, 23, 22, 7, 8, 13, 14}},
    {THGROUP_ATT_BANKLEFT, 4, {6, 15, 12, 21}},
    {THGROUP_ATT_BANKRIGHT, 4, {3, 18, 9, 24}},
    {THGROUP_ATT_YAWLEFT, 8, {1, 2, 13, 14, 11, 10, 23, 22}},
    {THGROUP_ATT_YAWRIGHT, 8, {7, 8, 19, 20, 17, 16, 5, 4}},
    {THGROUP_ATT_UP, 6, {18, 12, 37, 35, 29, 30}},
    {THGROUP_ATT_DOWN, 6, {6, 24, 33, 38, 31, 32}},
    {THGROUP_ATT_RIGHT, 6, {9, 21, 37, 34, 27, 28}},
    {THGROUP_ATT_LEFT, 6, {3, 39, 15, 36, 25, 26}},
    {THGROUP_ATT_BACK, 8, {1, 13, 7, 19, 2, 14, 8, 20}},
    {THGROUP_ATT_FORWARD, 8, {5, 17, 11, 23, 4, 16, 10, 22}},
};

const THGROUP_TYPE CLEARED_GROUP_TYPES[CLEARED_GROUP_TYPE_COUNT] = {
    THGROUP_MAIN,          THGROUP_HOVER,        THGROUP_ATT_PITCHUP,  THGROUP_ATT_PITCHDOWN, THGROUP_ATT_BANKLEFT,
    THGROUP_ATT_BANKRIGHT, THGROUP_ATT_YAWLEFT,  THGROUP_ATT_YAWRIGHT, THGROUP_ATT_RIGHT,     THGROUP_ATT_LEFT,
    THGROUP_ATT_UP,        THGROUP_ATT_DOWN,     THGROUP_ATT_FORWARD,  THGROUP_ATT_BACK,
};

const SeparationSpec SEPARATIONS[6] = {
    {"-LES", "Tarva_QEL_LES", {{32, 0, 160}}},
    {"-DescentStage", "Tarva_QEL_SM", {{0, 0, -2}}},
    {"-LSP", "Tarva_QEL_lsp", {{0, 0, -2}}},
    {"-Cover", "Tarva_QEL_Cover", {{-2, 0, 0}}},
    {"-Shield", "Tarva_QEL_shield", {{-0.375, 0, -1.5}}},
    {"-drogue", "Tarva_QEL_Drogue", {{-0.375, 0, -1.5}}},
};

const CockpitPositionSpec COCKPIT_POSITIONS[COCKPIT_POSITION_COUNT] = {
    {{{-0.3, 1.2, 0}}, 3, 2, 1, 4},
    {{{-0.4, 1.45, 0.3}}, -1, -1, -1, 0},
    {{{1.1, 1.1, 0}}, 0, -1, -1, -1},
    {{{-1.1, 1.1, 0}}, -1, 0, -1, -1},
    {{{-0.3, -0.1, 0}}, -1, -1, 0, -1},
};

}  // namespace tarva
