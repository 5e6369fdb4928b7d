// Light emitters. The emitter object is the host's record of the light: the
// plug-in changes it through these members and the host reads it as it is.
// Position, direction and intensity are read through pointers that point at
// the light's own copies unless a plug-in hands over vectors of its own.
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

const COLOUR4 kWhite = {1, 1, 1, 1};

}  // namespace

// A light starts switched off, seen from outside only; point and spot
// lights switch themselves on.
LightEmitter::LightEmitter() : LightEmitter(kWhite, kWhite, kWhite) {}

LightEmitter::LightEmitter(COLOUR4 diffuse, COLOUR4 specular, COLOUR4 ambient)
    : ltype(LT_NONE),
      visibility(VIS_EXTERNAL),
      hRef(nullptr),
      active(false),
      col_diff(diffuse),
      col_spec(specular),
      col_ambi(ambient),
      intens(&lintens),
      lintens(1.0),
      pos(&lpos),
      dir(&ldir),
      lpos{{0, 0, 0}},
      ldir{{0, 0, 1}} {}

OBJHANDLE LightEmitter::Attach(OBJHANDLE hObj) {
  OBJHANDLE previous = hRef;
  hRef = hObj;
  return previous;
}

OBJHANDLE LightEmitter::Detach() { return Attach(nullptr); }

void LightEmitter::Activate(bool act) {
  traceLight(this, hRef, "Activate", act);
  active = act;
}

bool LightEmitter::IsActive() const { return active; }

void LightEmitter::SetPosition(const VECTOR3 &p) {
  traceLight(this, hRef, "SetPosition", p);
  lpos = p;
  pos = &lpos;
}

void LightEmitter::SetPositionRef(const VECTOR3 *p) {
  traceLight(this, hRef, "SetPositionRef", vhost::detail::traceVectorPtr(p));
  pos = p ? p : &lpos;
}

const VECTOR3 *LightEmitter::GetPositionRef() const { return pos; }

void LightEmitter::ShiftExplicitPosition(const VECTOR3 &ofs) {
  traceLight(this, hRef, "ShiftExplicitPosition", ofs);
  lpos += ofs;
}

void LightEmitter::SetDirection(const VECTOR3 &d) {
  traceLight(this, hRef, "SetDirection", d);
  ldir = d;
  dir = &ldir;
}

VECTOR3 LightEmitter::GetDirection() const { return *dir; }

void LightEmitter::SetDirectionRef(const VECTOR3 *d) {
  traceLight(this, hRef, "SetDirectionRef", vhost::detail::traceVectorPtr(d));
  dir = d ? d : &ldir;
}

const VECTOR3 *LightEmitter::GetDirectionRef() const { return dir; }

void LightEmitter::SetIntensity(double in) {
  traceLight(this, hRef, "SetIntensity", in);
  lintens = in;
  intens = &lintens;
}

double LightEmitter::GetIntensity() const { return *intens; }

void LightEmitter::SetIntensityRef(double *pin) {
  traceLight(this, hRef, "SetIntensityRef", pin ? *pin : 0.0);
  intens = pin ? pin : &lintens;
}

const double *LightEmitter::GetIntensityRef() const { return intens; }

PointLight::PointLight(OBJHANDLE hObj, const VECTOR3 &position, double maxRange, double att0, double att1,
                       double att2)
    : PointLight(hObj, position, maxRange, att0, att1, att2, kWhite, kWhite, kWhite) {}

PointLight::PointLight(OBJHANDLE hObj, const VECTOR3 &position, double maxRange, double att0, double att1,
                       double att2, COLOUR4 diffuse, COLOUR4 specular, COLOUR4 ambient)
    : LightEmitter(diffuse, specular, ambient), range(maxRange), att{att0, att1, att2} {
  ltype = LT_POINT;
  Attach(hObj);
  lpos = position;
  active = true;
}

void PointLight::SetRange(double maxRange) {
  traceLight(this, hRef, "SetRange", maxRange);
  range = maxRange;
}

void PointLight::SetAttenuation(double att0, double att1, double att2) {
  traceLight(this, hRef, "SetAttenuation", att0, att1, att2);
  att[0] = att0;
  att[1] = att1;
  att[2] = att2;
}

SpotLight::SpotLight(OBJHANDLE hObj, const VECTOR3 &position, const VECTOR3 &direction, double maxRange,
                     double att0, double att1, double att2, double umbraAngle, double penumbraAngle)
    : SpotLight(hObj, position, direction, maxRange, att0, att1, att2, umbraAngle, penumbraAngle, kWhite, kWhite,
                kWhite) {}

SpotLight::SpotLight(OBJHANDLE hObj, const VECTOR3 &position, const VECTOR3 &direction, double maxRange,
                     double att0, double att1, double att2, double umbraAngle, double penumbraAngle,
                     COLOUR4 diffuse, COLOUR4 specular, COLOUR4 ambient)
    : PointLight(hObj, position, maxRange, att0, att1, att2, diffuse, specular, ambient),
      umbra(umbraAngle),
      penumbra(penumbraAngle) {
  ltype = LT_SPOT;
  ldir = direction;
}

void SpotLight::SetAperture(double umbraAngle, double penumbraAngle) {
  traceLight(this, hRef, "SetAperture", umbraAngle, penumbraAngle);
  umbra = umbraAngle;
  penumbra = penumbraAngle;
}

namespace vhost {

// The light classes have no virtual destructor: each is deleted as the class
// its type says it was made as.
void LightDeleter::operator()(LightEmitter *light) const {
  if (!light) return;
  switch (light->GetType()) {
    case LightEmitter::LT_SPOT:
      delete static_cast<SpotLight *>(light);
      break;
    case LightEmitter::LT_POINT:
      delete static_cast<PointLight *>(light);
      break;
    default:
      delete light;
      break;
  }
}

}  // namespace vhost
