// Compiled to assembly against one SDK folder at a time by
// windows/checks/abi.py, which compares what it lays out:
//  - the virtual tables of a VESSEL3 subclass, an animation component and a
//    sketchpad subclass (the names of the functions in their slots);
//  - the sizes and member offsets of the records the modules use, one
//    constant per value, named layout_<record>_<member>.
// Nothing here runs.
#include <cstddef>

#include "Orbitersdk.h"

// A module's vessel class overriding a few callbacks, as the modules do; its
// virtual table is laid out in this file.
class ProbeVessel : public VESSEL3 {
public:
  ProbeVessel(OBJHANDLE h, int fmodel) : VESSEL3(h, fmodel) {}
  void clbkSetClassCaps(FILEHANDLE cfg) override;
  void clbkPostStep(double simt, double simdt, double mjd) override;
  bool clbkDrawHUD(int mode, const HUDPAINTSPEC *hps, oapi::Sketchpad *skp) override;
};
void ProbeVessel::clbkSetClassCaps(FILEHANDLE) {}
void ProbeVessel::clbkPostStep(double, double, double) {}
bool ProbeVessel::clbkDrawHUD(int, const HUDPAINTSPEC *, oapi::Sketchpad *) { return true; }

// A sketchpad as a host would derive one; the modules call into its table.
class ProbeSketchpad : public oapi::Sketchpad {
public:
  ProbeSketchpad() : oapi::Sketchpad(0) {}
  bool Text(int x, int y, const char *str, int len) override;
};
bool ProbeSketchpad::Text(int, int, const char *, int) { return true; }

VESSEL *probeVessel(OBJHANDLE h) { return new ProbeVessel(h, 1); }
oapi::Sketchpad *probeSketchpad() { return new ProbeSketchpad(); }
MGROUP_TRANSFORM *probeRotation(UINT *grp) { return new MGROUP_ROTATE(0, grp, 1, _V(0, 0, 0), _V(0, 0, 1), 1.0f); }

// Protected members are reached through a derived class, once it is
// complete.
#define AT(C, f) \
  static constexpr std::size_t at_##f() { return offsetof(C, f); }
struct VesselLayout : VESSEL3 {
  AT(VesselLayout, version)
};
struct LightLayout : SpotLight {
  AT(LightLayout, ltype) AT(LightLayout, visibility) AT(LightLayout, hRef) AT(LightLayout, active)
  AT(LightLayout, col_diff) AT(LightLayout, col_spec) AT(LightLayout, col_ambi) AT(LightLayout, intens)
  AT(LightLayout, lintens) AT(LightLayout, pos) AT(LightLayout, dir) AT(LightLayout, lpos) AT(LightLayout, ldir)
  AT(LightLayout, range) AT(LightLayout, att) AT(LightLayout, umbra) AT(LightLayout, penumbra)
};

#define SIZE(R) extern "C" const std::size_t layout_##R##_sizeof = sizeof(R);
#define FIELD(R, f) extern "C" const std::size_t layout_##R##_##f = offsetof(R, f);
#define HIDDEN(R, f, from) extern "C" const std::size_t layout_##R##_##f = from::at_##f();

SIZE(VECTOR3) FIELD(VECTOR3, x) FIELD(VECTOR3, y) FIELD(VECTOR3, z)
SIZE(MATRIX3) FIELD(MATRIX3, m11) FIELD(MATRIX3, m23) FIELD(MATRIX3, m33)
SIZE(COLOUR4) FIELD(COLOUR4, r) FIELD(COLOUR4, g) FIELD(COLOUR4, b) FIELD(COLOUR4, a)
SIZE(MATERIAL) FIELD(MATERIAL, diffuse) FIELD(MATERIAL, ambient) FIELD(MATERIAL, specular)
FIELD(MATERIAL, emissive) FIELD(MATERIAL, power)
SIZE(VESSELSTATUS) FIELD(VESSELSTATUS, rpos) FIELD(VESSELSTATUS, rvel) FIELD(VESSELSTATUS, vrot)
FIELD(VESSELSTATUS, arot) FIELD(VESSELSTATUS, fuel) FIELD(VESSELSTATUS, eng_main) FIELD(VESSELSTATUS, eng_hovr)
FIELD(VESSELSTATUS, rbody) FIELD(VESSELSTATUS, base) FIELD(VESSELSTATUS, port) FIELD(VESSELSTATUS, status)
FIELD(VESSELSTATUS, vdata) FIELD(VESSELSTATUS, fdata) FIELD(VESSELSTATUS, flag)
SIZE(BEACONLIGHTSPEC) FIELD(BEACONLIGHTSPEC, shape) FIELD(BEACONLIGHTSPEC, pos) FIELD(BEACONLIGHTSPEC, col)
FIELD(BEACONLIGHTSPEC, size) FIELD(BEACONLIGHTSPEC, falloff) FIELD(BEACONLIGHTSPEC, period)
FIELD(BEACONLIGHTSPEC, duration) FIELD(BEACONLIGHTSPEC, tofs) FIELD(BEACONLIGHTSPEC, active)
SIZE(TOUCHDOWNVTX) FIELD(TOUCHDOWNVTX, pos) FIELD(TOUCHDOWNVTX, stiffness) FIELD(TOUCHDOWNVTX, damping)
FIELD(TOUCHDOWNVTX, mu) FIELD(TOUCHDOWNVTX, mu_lng)
SIZE(VCHUDSPEC) FIELD(VCHUDSPEC, nmesh) FIELD(VCHUDSPEC, ngroup) FIELD(VCHUDSPEC, hudcnt) FIELD(VCHUDSPEC, size)
SIZE(VCMFDSPEC) FIELD(VCMFDSPEC, nmesh) FIELD(VCMFDSPEC, ngroup)
SIZE(HUDPAINTSPEC) FIELD(HUDPAINTSPEC, W) FIELD(HUDPAINTSPEC, H) FIELD(HUDPAINTSPEC, CX) FIELD(HUDPAINTSPEC, CY)
FIELD(HUDPAINTSPEC, Scale) FIELD(HUDPAINTSPEC, Markersize)
SIZE(MGROUP_TRANSFORM) FIELD(MGROUP_TRANSFORM, mesh) FIELD(MGROUP_TRANSFORM, grp) FIELD(MGROUP_TRANSFORM, ngrp)
SIZE(MGROUP_ROTATE) FIELD(MGROUP_ROTATE, ref) FIELD(MGROUP_ROTATE, axis) FIELD(MGROUP_ROTATE, angle)
SIZE(MGROUP_TRANSLATE) FIELD(MGROUP_TRANSLATE, shift)
SIZE(MGROUP_SCALE) FIELD(MGROUP_SCALE, ref) FIELD(MGROUP_SCALE, scale)
SIZE(VESSEL) SIZE(VESSEL2) SIZE(VESSEL3) HIDDEN(VESSEL3, version, VesselLayout)
SIZE(LightEmitter) SIZE(PointLight) SIZE(SpotLight)
HIDDEN(SpotLight, ltype, LightLayout) HIDDEN(SpotLight, visibility, LightLayout) HIDDEN(SpotLight, hRef, LightLayout)
HIDDEN(SpotLight, active, LightLayout) HIDDEN(SpotLight, col_diff, LightLayout)
HIDDEN(SpotLight, col_spec, LightLayout) HIDDEN(SpotLight, col_ambi, LightLayout)
HIDDEN(SpotLight, intens, LightLayout) HIDDEN(SpotLight, lintens, LightLayout) HIDDEN(SpotLight, pos, LightLayout)
HIDDEN(SpotLight, dir, LightLayout) HIDDEN(SpotLight, lpos, LightLayout) HIDDEN(SpotLight, ldir, LightLayout)
HIDDEN(SpotLight, range, LightLayout) HIDDEN(SpotLight, att, LightLayout) HIDDEN(SpotLight, umbra, LightLayout)
HIDDEN(SpotLight, penumbra, LightLayout)
typedef oapi::Sketchpad Sketchpad;
typedef oapi::IVECTOR2 IVECTOR2;
SIZE(Sketchpad) SIZE(IVECTOR2) FIELD(IVECTOR2, x) FIELD(IVECTOR2, y)
