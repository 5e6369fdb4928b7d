#include "landerfamily/Animations.h"

namespace landers {
namespace {

struct GearJoint {
  bool leg;       // a leg hinged high up; otherwise a lower strut
  double x, z;    // hinge corner
  VECTOR3 axis;   // as the mesh needs it, not normalised
};

const double LEG_ANGLE_DEG = 15;
const double STRUT_ANGLE_DEG = 48;
const double STRUT_HINGE_HEIGHT = 1.7;

const GearJoint kGearJoints[GEAR_JOINTS] = {
    {true, -2.4, -2.4, {{1, 0, -1}}},    {true, 2.4, -2.4, {{1, 0, 1}}},
    {true, 2.4, 2.4, {{-1, 0, 1}}},      {true, -2.4, 2.4, {{-1, 0, -1}}},
    {false, -2.48, -2.48, {{1, 0, -0.9}}}, {false, 2.48, -2.48, {{1, 0, 0.9}}},
    {false, 2.48, 2.48, {{-1, 0, 0.9}}},   {false, -2.48, 2.48, {{-1, 0, -0.9}}},
};

const double PALETTE_HINGE_Z = -3.72874;
const double PALETTE_SWING_DEG = 90;

}  // namespace

void AddRotation(const VESSEL &vessel, UINT anim, double state0, double state1, SharedRotation &component, UINT mesh,
                 UINT *group, const VECTOR3 &ref, const VECTOR3 &axis, double angleDeg) {
  MGROUP_ROTATE *rotation = component.Build(mesh, group, 1u, ref, axis, static_cast<float>(angleDeg * RAD));
  vessel.AddAnimationComponent(anim, state0, state1, rotation);
}

void AddGearComponents(const VESSEL &vessel, UINT anim, UINT mesh, UINT (&groups)[GEAR_JOINTS],
                       double legHingeHeight, SharedRotation (&joints)[GEAR_JOINTS]) {
  for (int i = 0; i < GEAR_JOINTS; ++i) {
    const GearJoint &j = kGearJoints[i];
    const VECTOR3 ref = _V(j.x, j.leg ? legHingeHeight : STRUT_HINGE_HEIGHT, j.z);
    AddRotation(vessel, anim, 0, 1, joints[i], mesh, &groups[i], ref, j.axis,
                j.leg ? LEG_ANGLE_DEG : STRUT_ANGLE_DEG);
  }
}

void AddPaletteComponents(const VESSEL &vessel, UINT anim, UINT mesh, UINT *group, double hingeHeight, double drop,
                          SharedRotation &swing, SharedTranslation &slide) {
  AddRotation(vessel, anim, 0, 0.5, swing, mesh, group, _V(0, hingeHeight, PALETTE_HINGE_Z), _V(1, 0, 0),
              PALETTE_SWING_DEG);
  MGROUP_TRANSLATE *translation = slide.Build(mesh, group, 1u, _V(0, -drop, 0));
  vessel.AddAnimationComponent(anim, 0.5, 1, translation);
}

void DefineDescentAnimations(const VESSEL &vessel, UINT mesh, const DescentGeometry &geometry, DescentGroups &groups,
                             DescentComponents &components, UINT &animPalette, UINT &animGear) {
  animPalette = vessel.CreateAnimation(0);
  AddPaletteComponents(vessel, animPalette, mesh, groups.palette, geometry.paletteHingeHeight, geometry.paletteDrop,
                       components.paletteSwing, components.paletteSlide);
  animGear = vessel.CreateAnimation(0);
  AddGearComponents(vessel, animGear, mesh, groups.gear, geometry.gearLegHingeHeight, components.gearJoints);
}

}  // namespace landers
