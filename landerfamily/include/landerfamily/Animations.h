// Animation components of the lander family. The host keeps a pointer to
// every component (and to its group list) for as long as the animation
// exists, and every lander of a class shares one set: each component is a
// module-wide static, built by the first vessel that defines its animations
// and left alone by every later one. Components live in static storage, not
// on the heap, and are never destroyed.
#ifndef LANDERFAMILY_ANIMATIONS_H
#define LANDERFAMILY_ANIMATIONS_H

#include <new>
#include <utility>

#include "Orbitersdk.h"

namespace landers {

// Static storage for one component, built at most once.
template <class T>
class SharedComponent {
public:
  bool built() const { return object_ != nullptr; }

  // The component; the arguments are used only by the first call.
  template <class... Args>
  T *Build(Args &&...args) {
    if (!object_) object_ = new (storage_) T(std::forward<Args>(args)...);
    return object_;
  }

private:
  alignas(T) unsigned char storage_[sizeof(T)];
  T *object_ = nullptr;
};

typedef SharedComponent<MGROUP_ROTATE> SharedRotation;
typedef SharedComponent<MGROUP_TRANSLATE> SharedTranslation;

// A rotation of one mesh group by angleDeg about an axis through ref over the
// state range [state0, state1], added to anim.
void AddRotation(const VESSEL &vessel, UINT anim, double state0, double state1, SharedRotation &component, UINT mesh,
                 UINT *group, const VECTOR3 &ref, const VECTOR3 &axis, double angleDeg);

const int GEAR_JOINTS = 8;

// The landing gear: four legs swing 15 degrees about their hinges at
// legHingeHeight, four lower struts 48 degrees; groups[i] is the mesh group
// of joint i (legs then struts, in the corners' order).
void AddGearComponents(const VESSEL &vessel, UINT anim, UINT mesh, UINT (&groups)[GEAR_JOINTS],
                       double legHingeHeight, SharedRotation (&joints)[GEAR_JOINTS]);

// The cargo palette: swings down 90 degrees about its hinge at hingeHeight
// over the first half of the animation, then slides down by drop metres.
void AddPaletteComponents(const VESSEL &vessel, UINT anim, UINT mesh, UINT *group, double hingeHeight, double drop,
                          SharedRotation &swing, SharedTranslation &slide);

// Where one lander's palette and gear hinge (vessel y, m).
struct DescentGeometry {
  double paletteHingeHeight;
  double paletteDrop;  // how far the palette slides down once swung out
  double gearLegHingeHeight;
};

// The mesh groups the descent-stage animations move. The host keeps pointers
// into these lists, so a module keeps them as writable statics.
struct DescentGroups {
  UINT palette[1];
  UINT gear[GEAR_JOINTS];
};

// The descent-stage components a module shares between its landers.
struct DescentComponents {
  SharedRotation paletteSwing;
  SharedTranslation paletteSlide;
  SharedRotation gearJoints[GEAR_JOINTS];
};

// Creates the palette animation and then the gear animation on mesh.
void DefineDescentAnimations(const VESSEL &vessel, UINT mesh, const DescentGeometry &geometry, DescentGroups &groups,
                             DescentComponents &components, UINT &animPalette, UINT &animGear);

}  // namespace landers

#endif  // LANDERFAMILY_ANIMATIONS_H
