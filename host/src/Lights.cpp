// Light emitters. The emitter object is the host's record of the light: the
// plug-in changes it through these members and the host reads it as it is.
#include "HostCore.h"
#include "VesselImpl.h"

namespace {

// Traced with the light's index among its vessel's lights first, so that a
// trace tells the lights apart.
template <class... A>
void traceLight(const LightEmitter *light, OBJHANDLE owner, const char *call, const A &...args) {
  vhost::Simulation::Impl *s = vhost::Simulation::Impl::live;
  if (!s || !s->tracing) return;
  vhost::detail::VesselImpl *v = s->vesselOf(owner);
  vhost::TraceValue index;
  if (v)
    for (std::size_t i = 0; i < v->rec.lights.size(); ++i)
      if (v->rec.lights[i].get() == light) {
        index.kind = vhost::TraceValue::Int;
        index.i = static_cast<long long>(i);
      }
  s->traceCall(v, call, index, args...);
}

}  // namespace

LightEmitter::LightEmitter(OBJHANDLE hRef_, COLOUR4 diffuse, COLOUR4 specular, COLOUR4 ambient)
    : ltype(LT_NONE),
      hRef(hRef_),
      pos{{0, 0, 0}},
      dir{{0, 0, 1}},
      col_diff(diffuse),
      col_spec(specular),
      col_amb(ambient),
      intens(1.0),
      active(true),
      visibility(VIS_ALWAYS) {}

LightEmitter::~LightEmitter() {}

void LightEmitter::Activate(bool act) {
  traceLight(this, hRef, "Activate", act);
  active = act;
}

void LightEmitter::SetIntensity(double in) {
  traceLight(this, hRef, "SetIntensity", in);
  intens = in;
}

void LightEmitter::SetPosition(const VECTOR3 &p) {
  traceLight(this, hRef, "SetPosition", p);
  pos = p;
}

void LightEmitter::SetDirection(const VECTOR3 &d) {
  traceLight(this, hRef, "SetDirection", d);
  dir = d;
}

void LightEmitter::SetVisibility(VISIBILITY vis) {
  traceLight(this, hRef, "SetVisibility", vis);
  visibility = vis;
}

PointLight::PointLight(OBJHANDLE hRef_, const VECTOR3 &p, double range_, double att0, double att1, double att2,
                       COLOUR4 diffuse, COLOUR4 specular, COLOUR4 ambient)
    : LightEmitter(hRef_, diffuse, specular, ambient), range(range_), att{att0, att1, att2} {
  ltype = LT_POINT;
  pos = p;
}

void PointLight::SetRange(double r) {
  traceLight(this, hRef, "SetRange", r);
  range = r;
}

void PointLight::SetAttenuation(double att0, double att1, double att2) {
  traceLight(this, hRef, "SetAttenuation", att0, att1, att2);
  att[0] = att0;
  att[1] = att1;
  att[2] = att2;
}

SpotLight::SpotLight(OBJHANDLE hRef_, const VECTOR3 &p, const VECTOR3 &d, double range_, double att0, double att1,
                     double att2, double umbra_, double penumbra_, COLOUR4 diffuse, COLOUR4 specular,
                     COLOUR4 ambient)
    : PointLight(hRef_, p, range_, att0, att1, att2, diffuse, specular, ambient), umbra(umbra_), penumbra(penumbra_) {
  ltype = LT_SPOT;
  dir = d;
}

void SpotLight::SetAperture(double u, double p) {
  traceLight(this, hRef, "SetAperture", u, p);
  umbra = u;
  penumbra = p;
}
