// VESSEL: meshes, animations, beacons and lights.
#include <algorithm>
#include <cstring>

#include "Handles.h"
#include "HostCore.h"
#include "MeshFiles.h"
#include "MeshTextureNames.h"
#include "TraceArguments.h"
#include "VesselImpl.h"

using vhost::detail::Call;
using vhost::detail::enter;
using vhost::detail::HandleKind;
using vhost::detail::makeHandle;

namespace {

// A mesh index that reaches a mesh: false with a warning for one past the
// vessel's list, and for a deleted mesh, whose slot the real host reads
// through a null record (a crash there).
bool meshPresent(const Call &c, UINT idx, const char *call) {
  const std::vector<vhost::MeshRecord> &m = c.v->rec.meshes;
  if (idx >= m.size()) {
    c.sim->warn(c.v, call, "mesh %u never existed", (unsigned)idx);
    return false;
  }
  if (m[idx].deleted) {
    c.sim->warn(c.v, call, "mesh %u was deleted; a call on its empty slot crashes the real host", (unsigned)idx);
    return false;
  }
  return true;
}

// A new mesh takes the first slot a deleted one left, else the next index.
UINT addMesh(const Call &c, const char *name, bool found, const VECTOR3 *ofs) {
  std::vector<vhost::MeshRecord> &list = c.v->rec.meshes;
  vhost::MeshRecord m;
  m.name = name;
  m.found = found;
  if (ofs) m.offset = *ofs;
  for (std::size_t i = 0; i < list.size(); ++i)
    if (list[i].deleted) {
      list[i] = m;
      return UINT(i);
    }
  list.push_back(m);
  return UINT(list.size() - 1);
}

// The real host keeps a mesh name in a field of this many bytes.
constexpr std::size_t kMeshNameField = 64;

// Removes component k of animation a with every component below it, in any
// animation.
void removeComponent(std::vector<vhost::AnimationRecord> &anims, std::size_t a, std::size_t k) {
  anims[a].components[k].removed = true;
  for (std::size_t b = 0; b < anims.size(); ++b)
    for (std::size_t j = 0; j < anims[b].components.size(); ++j) {
      const vhost::ComponentRecord &child = anims[b].components[j];
      if (!child.removed && child.parentAnimation == int(a) && child.parentComponent == int(k))
        removeComponent(anims, b, j);
    }
}

// An animation left without components is reset: state and default 0.
void resetEmptyAnimations(std::vector<vhost::AnimationRecord> &anims) {
  for (vhost::AnimationRecord &a : anims)
    if (a.liveComponents() == 0) a.state = a.defaultState = 0;
}

// The animation index for an operation: false (with a warning when warnCall
// is given) for one that was never created.
bool animationExists(const Call &c, UINT anim, const char *warnCall) {
  if (anim < c.v->rec.animations.size()) return true;
  if (warnCall) c.sim->warn(c.v, warnCall, "animation %u was never created", (unsigned)anim);
  return false;
}

}  // namespace

std::size_t vhost::AnimationRecord::liveComponents() const {
  std::size_t n = 0;
  for (const ComponentRecord &comp : components) n += comp.removed ? 0 : 1;
  return n;
}

// --- meshes --------------------------------------------------------------------

// A null handle (a mesh file that was not found) still takes an index: the
// vessel then shows nothing there.
UINT VESSEL::AddMesh(MESHHANDLE hMesh, const VECTOR3 *ofs) const {
  Call c = enter(hVessel_, "AddMesh", hMesh, vhost::detail::traceVectorPtr(ofs));
  if (!c) return UINT(-1);
  if (!hMesh) return addMesh(c, "", false, ofs);
  const char *name = vhost::detail::meshName(hMesh);
  if (!name) {
    c.sim->warn(c.v, "AddMesh", "not a mesh handle from oapiLoadMesh or oapiLoadMeshGlobal");
    return UINT(-1);
  }
  return addMesh(c, name, true, ofs);
}

UINT VESSEL::AddMesh(const char *meshname, const VECTOR3 *ofs) const {
  Call c = enter(hVessel_, "AddMesh", meshname, vhost::detail::traceVectorPtr(ofs));
  if (!c) return UINT(-1);
  if (!meshname) {
    c.sim->warn(c.v, "AddMesh", "no mesh name");
    return UINT(-1);
  }
  if (std::strlen(meshname) >= kMeshNameField)
    c.sim->warn(c.v, "AddMesh", "a mesh name of %zu characters overflows the real host's %zu-byte field",
                std::strlen(meshname), kMeshNameField);
  // The file is looked for only when a visual shows the mesh.
  const bool found = vhost::detail::meshFileExists(c.sim->opt.meshDir, meshname);
  c.sim->noteFileRequest("mesh", meshname, found);
  return addMesh(c, meshname, found, ofs);
}

bool VESSEL::DelMesh(UINT idx, bool retain_anim) const {
  Call c = enter(hVessel_, "DelMesh", idx, retain_anim);
  if (!c) return false;
  std::vector<vhost::MeshRecord> &meshes = c.v->rec.meshes;
  if (idx >= meshes.size() || meshes[idx].deleted) return false;
  meshes[idx].deleted = true;
  if (!retain_anim) {
    // The animation parts that move the mesh go with it.
    std::vector<vhost::AnimationRecord> &anims = c.v->rec.animations;
    for (std::size_t a = 0; a < anims.size(); ++a)
      for (std::size_t k = anims[a].components.size(); k-- > 0;) {
        const vhost::ComponentRecord &comp = anims[a].components[k];
        if (!comp.removed && comp.transform->mesh == idx) removeComponent(anims, a, k);
      }
    resetEmptyAnimations(anims);
  }
  c.sim->event(c.v, "mesh %u deleted", (unsigned)idx);
  return true;
}

void VESSEL::SetMeshVisibilityMode(UINT idx, WORD mode) const {
  Call c = enter(hVessel_, "SetMeshVisibilityMode", idx, mode);
  if (!c) return;
  // An index past the list is ignored quietly, as the real host does.
  if (idx >= c.v->rec.meshes.size() || !meshPresent(c, idx, "SetMeshVisibilityMode")) return;
  WORD &current = c.v->rec.meshes[idx].visibility;
  if (current == mode) return;  // re-applied modes stay out of the timeline
  current = mode;
  // A mode set while the class is being defined is the mesh's starting
  // mode, part of its definition rather than a change worth a line.
  if (c.sim->phase == vhost::detail::Phase::ClassCaps) return;
  c.sim->event(c.v, "mesh %u visibility %u", (unsigned)idx, (unsigned)mode);
}

UINT VESSEL::GetMeshCount() const {
  Call c = enter(hVessel_, "GetMeshCount");
  return c ? UINT(c.v->rec.meshes.size()) : 0;
}

DEVMESHHANDLE VESSEL::GetDevMesh(VISHANDLE vis, UINT idx) const {
  Call c = enter(hVessel_, "GetDevMesh", vis, idx);
  if (!c) return nullptr;
  if (!c.v->rec.hasVisual || vis != c.v->visualHandle()) {
    c.sim->warn(c.v, "GetDevMesh", "not a visual of this vessel that exists now");
    return nullptr;
  }
  if (idx >= c.v->rec.meshes.size() || c.v->rec.meshes[idx].deleted || idx > 0xFFFF) return nullptr;
  return static_cast<DEVMESHHANDLE>(
      makeHandle(HandleKind::DevMesh, c.v->serial, ((c.v->visualGeneration & 0xFFFFu) << 16) | idx));
}

// --- animations ------------------------------------------------------------------

UINT VESSEL::CreateAnimation(double initial_state) const {
  Call c = enter(hVessel_, "CreateAnimation", initial_state);
  if (!c) return UINT(-1);
  vhost::AnimationRecord a;
  a.defaultState = initial_state;
  a.state = initial_state;
  c.v->rec.animations.push_back(a);
  return UINT(c.v->rec.animations.size() - 1);
}

// The animation's components go; its index stays and can take new ones.
bool VESSEL::DelAnimation(UINT anim) const {
  Call c = enter(hVessel_, "DelAnimation", anim);
  if (!c || !animationExists(c, anim, nullptr)) return false;
  std::vector<vhost::AnimationRecord> &anims = c.v->rec.animations;
  for (std::size_t k = 0; k < anims[anim].components.size(); ++k)
    if (!anims[anim].components[k].removed) removeComponent(anims, anim, k);
  anims[anim].state = anims[anim].defaultState = 0;
  return true;
}

ANIMATIONCOMPONENT_HANDLE VESSEL::AddAnimationComponent(UINT anim, double state0, double state1,
                                                        MGROUP_TRANSFORM *trans,
                                                        ANIMATIONCOMPONENT_HANDLE parent) const {
  Call c = enter(hVessel_, "AddAnimationComponent", anim, state0, state1,
                 trans ? vhost::detail::traceList({double(trans->Type())}) : vhost::TraceValue(), parent);
  if (!c || !animationExists(c, anim, nullptr)) return nullptr;
  if (!trans) {
    c.sim->warn(c.v, "AddAnimationComponent", "no transform given; the real host stores it and crashes on it later");
    return nullptr;
  }
  std::vector<vhost::AnimationRecord> &anims = c.v->rec.animations;
  vhost::ComponentRecord comp;
  comp.kind = int(trans->Type());
  comp.transform = trans;
  comp.state0 = state0;
  comp.state1 = state1;
  if (parent) {
    std::uint32_t owner = 0, code = 0;
    std::uint32_t pa = 0, pc = 0;
    bool ok = vhost::detail::decodeHandle(parent, HandleKind::AnimationComponent, owner, code) &&
              owner == c.v->serial;
    if (ok) {
      pa = code >> 16;
      pc = code & 0xFFFFu;
      ok = pa < anims.size() && pc < anims[pa].components.size() && !anims[pa].components[pc].removed;
    }
    if (ok) {
      comp.parentAnimation = int(pa);
      comp.parentComponent = int(pc);
    } else {
      c.sim->warn(c.v, "AddAnimationComponent",
                  "the parent is no live component of this vessel (the real host would write into it); none is "
                  "used");
    }
  }
  std::vector<vhost::ComponentRecord> &list = anims[anim].components;
  if (anim > 0xFFFF || list.size() >= 0xFFFF) {
    c.sim->warn(c.v, "AddAnimationComponent", "too many animations or components");
    return nullptr;
  }
  list.push_back(comp);
  return makeHandle(HandleKind::AnimationComponent, c.v->serial, (anim << 16) | std::uint32_t(list.size() - 1));
}

// The state is kept as given, in or out of 0..1.
bool VESSEL::SetAnimation(UINT anim, double state) const {
  Call c = enter(hVessel_, "SetAnimation", anim, state);
  if (!c || !animationExists(c, anim, "SetAnimation")) return false;
  c.v->rec.animations[anim].state = state;
  return true;
}

double VESSEL::GetAnimation(UINT anim) const {
  Call c = enter(hVessel_, "GetAnimation", anim);
  if (!c || anim >= c.v->rec.animations.size()) return -1.0;
  return c.v->rec.animations[anim].state;
}

// --- beacons ---------------------------------------------------------------------

void VESSEL::AddBeacon(BEACONLIGHTSPEC *bs) {
  Call c = enter(hVessel_, "AddBeacon", vhost::TraceValue());
  if (!c) return;
  if (!bs) {
    c.sim->warn(c.v, "AddBeacon", "no beacon record");
    return;
  }
  // The same record given twice is two beacons, as in the real host.
  c.v->rec.beacons.push_back(bs);
}

bool VESSEL::DelBeacon(BEACONLIGHTSPEC *bs) {
  Call c = enter(hVessel_, "DelBeacon", vhost::TraceValue());
  if (!c) return false;
  std::vector<BEACONLIGHTSPEC *> &list = c.v->rec.beacons;
  auto it = std::find(list.begin(), list.end(), bs);
  if (it == list.end()) return false;
  list.erase(it);
  return true;
}

void VESSEL::ClearBeacons() {
  if (Call c = enter(hVessel_, "ClearBeacons")) c.v->rec.beacons.clear();
}

// --- lights ----------------------------------------------------------------------

LightEmitter *VESSEL::AddPointLight(const VECTOR3 &pos, double range, double att0, double att1, double att2,
                                    COLOUR4 diffuse, COLOUR4 specular, COLOUR4 ambient) const {
  Call c = enter(hVessel_, "AddPointLight", pos, range, att0, att1, att2, diffuse, specular, ambient);
  if (!c) return nullptr;
  c.v->rec.lights.emplace_back(new PointLight(hVessel_, pos, range, att0, att1, att2, diffuse, specular, ambient));
  return c.v->rec.lights.back().get();
}

LightEmitter *VESSEL::AddSpotLight(const VECTOR3 &pos, const VECTOR3 &dir, double range, double att0, double att1,
                                   double att2, double umbra, double penumbra, COLOUR4 diffuse, COLOUR4 specular,
                                   COLOUR4 ambient) const {
  Call c = enter(hVessel_, "AddSpotLight", pos, dir, range, att0, att1, att2, umbra, penumbra, diffuse, specular,
                 ambient);
  if (!c) return nullptr;
  c.v->rec.lights.emplace_back(
      new SpotLight(hVessel_, pos, dir, range, att0, att1, att2, umbra, penumbra, diffuse, specular, ambient));
  return c.v->rec.lights.back().get();
}

DWORD VESSEL::LightEmitterCount() const {
  Call c = enter(hVessel_, "LightEmitterCount");
  return c ? DWORD(c.v->rec.lights.size()) : 0;
}

const LightEmitter *VESSEL::GetLightEmitter(DWORD i) const {
  Call c = enter(hVessel_, "GetLightEmitter", i);
  if (!c || i >= c.v->rec.lights.size()) return nullptr;
  return c.v->rec.lights[i].get();
}
