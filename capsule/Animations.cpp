// The capsule's 25 animations. Their components are module-wide: the first
// capsule that defines its animations builds each one with its own mesh
// indices and the group lists below; every later capsule registers the same
// objects (all capsules get the same mesh slots). They are never freed, and
// the host keeps pointers to them and to their group lists.
#include <new>

#include "Tessavane.h"

namespace tarva {

namespace {

// Room for one component, built on first use and kept for the life of the
// library. Static storage: nothing is allocated and nothing is destroyed.
template <class T>
class SharedComponent {
public:
  template <class... Args>
  T *Build(Args... args) {
    if (!object_) object_ = new (storage_) T(args...);
    return object_;
  }

private:
  alignas(T) unsigned char storage_[sizeof(T)];
  T *object_;  // null until built
};

struct RotationSpec {
  UINT *groups;
  UINT groupCount;
  VECTOR3 ref;
  VECTOR3 axis;     // passed as written, not normalised
  double angleDeg;  // stored as the SDK's single-precision radians
  double state0, state1;
  bool childOfPrevious;  // hangs on the component made just before it
};

struct ScaleSpec {
  UINT *groups;
  UINT groupCount;
};

float Radians(double degrees) { return static_cast<float>(degrees * RAD); }

// Hatch: the same door on the clean hull, the scorched hull and the cockpit
// mesh, so whichever is shown moves with the others.
UINT HATCH_CM_OUTER[] = {21};
UINT HATCH_CM_INNER[] = {22};
UINT HATCH_BURNED_OUTER[] = {21};
UINT HATCH_BURNED_INNER[] = {22};
UINT HATCH_VC[] = {8};
const VECTOR3 HATCH_REF = {{-1.595028, -0.5149729, 0.5013002}};
const VECTOR3 HATCH_AXIS = {{0.5, 0.2, 1.0}};
const double HATCH_ANGLE = 85;
const int HATCH_PART_COUNT = 5;
const RotationSpec HATCH_PARTS[HATCH_PART_COUNT] = {
    {HATCH_CM_OUTER, 1, HATCH_REF, HATCH_AXIS, HATCH_ANGLE, 0, 1, false},
    {HATCH_CM_INNER, 1, HATCH_REF, HATCH_AXIS, HATCH_ANGLE, 0, 1, false},
    {HATCH_BURNED_OUTER, 1, HATCH_REF, HATCH_AXIS, HATCH_ANGLE, 0, 1, false},
    {HATCH_BURNED_INNER, 1, HATCH_REF, HATCH_AXIS, HATCH_ANGLE, 0, 1, false},
    {HATCH_VC, 1, HATCH_REF, HATCH_AXIS, HATCH_ANGLE, 0, 1, false},
};

UINT INS_PALETTE[] = {0};
const RotationSpec INS_PART = {INS_PALETTE, 1, {{-2.01, 1.33, -3.07}}, {{0, 0, -1}}, 45, 0, 1, false};

// Parachute canopies and landing gear sit shrunk inside the scorched hull and
// grow a hundredfold.
const VECTOR3 GROW_REF = {{0, 0, 0}};
const VECTOR3 GROW_SCALE = {{100, 100, 100}};
UINT CHUTE_A[] = {8};
UINT CHUTE_B[] = {9};
UINT CHUTE_C[] = {10};
const int CHUTE_PART_COUNT = 3;
const ScaleSpec CHUTE_PARTS[CHUTE_PART_COUNT] = {{CHUTE_A, 1}, {CHUTE_B, 1}, {CHUTE_C, 1}};
UINT LANDING_A[] = {2};
UINT LANDING_B[] = {3};
UINT LANDING_C[] = {4};
UINT LANDING_D[] = {5};
const int LANDING_PART_COUNT = 4;
const ScaleSpec LANDING_PARTS[LANDING_PART_COUNT] = {{LANDING_A, 1}, {LANDING_B, 1}, {LANDING_C, 1}, {LANDING_D, 1}};

// Solar wings on the service module: each wing's nine panels fan out one
// after another over the first nine tenths, each carrying the panels after
// it; the root hinge, which carries the whole wing, swings in the last tenth.
// Group 27 turns over the whole travel.
UINT WING1_HINGE[] = {35, 20};
UINT WING1_P1[] = {16};
UINT WING1_P2[] = {17};
UINT WING1_P3[] = {18};
UINT WING1_P4[] = {19};
UINT WING1_P5[] = {12};
UINT WING1_P6[] = {11};
UINT WING1_P7[] = {13};
UINT WING1_P8[] = {14};
UINT WING1_P9[] = {15};
UINT WING2_HINGE[] = {36, 1};
UINT WING2_P1[] = {3};
UINT WING2_P2[] = {4};
UINT WING2_P3[] = {6};
UINT WING2_P4[] = {5};
UINT WING2_P5[] = {7};
UINT WING2_P6[] = {8};
UINT WING2_P7[] = {9};
UINT WING2_P8[] = {10};
UINT WING2_P9[] = {2};
UINT SM_GROUP_27[] = {27};
const VECTOR3 WING1_HINGE_REF = {{-0.35, 2.22, -3.74}};
const VECTOR3 WING1_PANEL_REF = {{-0.34, 5.54, -3.18}};
const VECTOR3 WING1_PANEL_AXIS = {{0, 0, 1}};
const VECTOR3 WING2_HINGE_REF = {{0.35, -2.21, -3.74}};
const VECTOR3 WING2_PANEL_REF = {{0.39, -5.59, -3.18}};
const VECTOR3 WING2_PANEL_AXIS = {{0, 0, -1}};
const VECTOR3 HINGE_AXIS = {{-1, 0, 0}};
const RotationSpec SOLAR_PARTS[SOLAR_ANIM_COUNT] = {
    {WING1_HINGE, 2, WING1_HINGE_REF, HINGE_AXIS, 118, 0.9, 1.0, false},
    {WING1_P1, 1, WING1_PANEL_REF, WING1_PANEL_AXIS, 36, 0.0, 0.1, true},
    {WING1_P2, 1, WING1_PANEL_REF, WING1_PANEL_AXIS, 36, 0.1, 0.2, true},
    {WING1_P3, 1, WING1_PANEL_REF, WING1_PANEL_AXIS, 36, 0.2, 0.3, true},
    {WING1_P4, 1, WING1_PANEL_REF, WING1_PANEL_AXIS, 36, 0.3, 0.4, true},
    {WING1_P5, 1, WING1_PANEL_REF, WING1_PANEL_AXIS, 36, 0.4, 0.5, true},
    {WING1_P6, 1, WING1_PANEL_REF, WING1_PANEL_AXIS, 36, 0.5, 0.6, true},
    {WING1_P7, 1, WING1_PANEL_REF, WING1_PANEL_AXIS, 36, 0.6, 0.7, true},
    {WING1_P8, 1, WING1_PANEL_REF, WING1_PANEL_AXIS, 36, 0.7, 0.8, true},
    {WING1_P9, 1, WING1_PANEL_REF, WING1_PANEL_AXIS, 36, 0.8, 0.9, true},
    {WING2_HINGE, 2, WING2_HINGE_REF, HINGE_AXIS, -118, 0.9, 1.0, false},
    {WING2_P1, 1, WING2_PANEL_REF, WING2_PANEL_AXIS, 36, 0.0, 0.1, true},
    {WING2_P2, 1, WING2_PANEL_REF, WING2_PANEL_AXIS, 36, 0.1, 0.2, true},
    {WING2_P3, 1, WING2_PANEL_REF, WING2_PANEL_AXIS, 36, 0.2, 0.3, true},
    {WING2_P4, 1, WING2_PANEL_REF, WING2_PANEL_AXIS, 36, 0.3, 0.4, true},
    {WING2_P5, 1, WING2_PANEL_REF, WING2_PANEL_AXIS, 36, 0.4, 0.5, true},
    {WING2_P6, 1, WING2_PANEL_REF, WING2_PANEL_AXIS, 36, 0.5, 0.6, true},
    {WING2_P7, 1, WING2_PANEL_REF, WING2_PANEL_AXIS, 36, 0.6, 0.7, true},
    {WING2_P8, 1, WING2_PANEL_REF, WING2_PANEL_AXIS, 36, 0.7, 0.8, true},
    {WING2_P9, 1, WING2_PANEL_REF, WING2_PANEL_AXIS, 36, 0.8, 0.9, true},
    {SM_GROUP_27, 1, {{2.35, -0.32, -3.43}}, {{0, 1, 0}}, 120, 0.0, 1.0, false},
};

SharedComponent<MGROUP_ROTATE> hatchComponents[HATCH_PART_COUNT];
SharedComponent<MGROUP_ROTATE> insComponent;
SharedComponent<MGROUP_SCALE> chuteComponents[CHUTE_PART_COUNT];
SharedComponent<MGROUP_SCALE> landingComponents[LANDING_PART_COUNT];
SharedComponent<MGROUP_ROTATE> solarComponents[SOLAR_ANIM_COUNT];

MGROUP_ROTATE *SharedRotation(SharedComponent<MGROUP_ROTATE> &component, UINT mesh, const RotationSpec &spec) {
  return component.Build(mesh, spec.groups, spec.groupCount, spec.ref, spec.axis, Radians(spec.angleDeg));
}

MGROUP_SCALE *SharedScale(SharedComponent<MGROUP_SCALE> &component, UINT mesh, const ScaleSpec &spec) {
  return component.Build(mesh, spec.groups, spec.groupCount, GROW_REF, GROW_SCALE);
}

}  // namespace

void Tessavane::DefineAnimations() {
  const UINT hatchMesh[HATCH_PART_COUNT] = {idxCm, idxCm, idxCmBurned, idxCmBurned, idxCmVc};
  animHatch = CreateAnimation(0.0);
  for (int i = 0; i < HATCH_PART_COUNT; ++i)
    AddAnimationComponent(animHatch, HATCH_PARTS[i].state0, HATCH_PARTS[i].state1,
                          SharedRotation(hatchComponents[i], hatchMesh[i], HATCH_PARTS[i]));

  animIns = CreateAnimation(0.0);
  AddAnimationComponent(animIns, INS_PART.state0, INS_PART.state1, SharedRotation(insComponent, idxPalette, INS_PART));

  animMainChute = CreateAnimation(0.0);
  for (int i = 0; i < CHUTE_PART_COUNT; ++i)
    AddAnimationComponent(animMainChute, 0, 1, SharedScale(chuteComponents[i], idxCmBurned, CHUTE_PARTS[i]));

  animLanding = CreateAnimation(0.0);
  for (int i = 0; i < LANDING_PART_COUNT; ++i)
    AddAnimationComponent(animLanding, 0, 1, SharedScale(landingComponents[i], idxCmBurned, LANDING_PARTS[i]));

  ANIMATIONCOMPONENT_HANDLE previous = 0;
  for (int i = 0; i < SOLAR_ANIM_COUNT; ++i) {
    const RotationSpec &spec = SOLAR_PARTS[i];
    animSolar[i] = CreateAnimation(0.0);
    previous = AddAnimationComponent(animSolar[i], spec.state0, spec.state1,
                                     SharedRotation(solarComponents[i], idxSm, spec),
                                     spec.childOfPrevious ? previous : 0);
  }
}

}  // namespace tarva
