// The SDK's free functions: meshes, materials, exhaust textures.
#include <cstdint>
#include <vector>

#include "Handles.h"
#include "HostCore.h"
#include "MeshFiles.h"
#include "MeshTextureNames.h"
#include "TraceArguments.h"
#include "VesselImpl.h"

using vhost::Simulation;
using vhost::detail::enterFree;
using vhost::detail::HandleKind;
using vhost::detail::VesselImpl;

MESHHANDLE oapiLoadMesh(const char *fname) {
  Simulation::Impl *s = enterFree("oapiLoadMesh", fname);
  if (!fname) {
    if (s) s->warn(nullptr, "oapiLoadMesh", "no mesh name");
    return nullptr;
  }
  if (s) s->noteFileRequest("mesh", fname, vhost::detail::meshFileExists(s->opt.meshDir, fname));
  return vhost::detail::meshHandleFor(fname);
}

// A mesh whose file is not in the mesh folder gives null, as in the real
// host; oapiLoadMesh gives an empty mesh instead.
OAPI_CONST_RETURN MESHHANDLE oapiLoadMeshGlobal(const char *fname) {
  Simulation::Impl *s = enterFree("oapiLoadMeshGlobal", fname);
  if (!fname) {
    if (s) s->warn(nullptr, "oapiLoadMeshGlobal", "no mesh name");
    return nullptr;
  }
  const bool found = !s || vhost::detail::meshFileExists(s->opt.meshDir, fname);
  if (s) s->noteFileRequest("mesh", fname, found);
  return found ? vhost::detail::meshHandleFor(fname) : nullptr;
}

void oapiDeleteMesh(MESHHANDLE hMesh) {
  Simulation::Impl *s = enterFree("oapiDeleteMesh", hMesh);
  if (s && !vhost::detail::meshName(hMesh)) s->warn(nullptr, "oapiDeleteMesh", "not a mesh handle");
}

int oapiSetMaterial(DEVMESHHANDLE hMesh, DWORD matidx, const MATERIAL *mat) {
  // The material's numbers become a list only for a trace: a plug-in may set
  // a material at every frame (the spotlight does while it is dimmed).
  Simulation::Impl *s = Simulation::Impl::live;
  if (s && s->tracing)
    enterFree("oapiSetMaterial", hMesh, matidx,
              mat ? vhost::detail::traceList({mat->diffuse.r, mat->diffuse.g, mat->diffuse.b, mat->diffuse.a,
                                              mat->ambient.r, mat->ambient.g, mat->ambient.b, mat->ambient.a,
                                              mat->specular.r, mat->specular.g, mat->specular.b, mat->specular.a,
                                              mat->emissive.r, mat->emissive.g, mat->emissive.b, mat->emissive.a,
                                              mat->power})
                  : vhost::TraceValue());
  if (!s) return 1;
  std::uint32_t owner = 0, code = 0;
  VesselImpl *v = nullptr;
  if (vhost::detail::decodeHandle(hMesh, HandleKind::DevMesh, owner, code)) v = s->findSerial(owner);
  if (!v || !v->rec.hasVisual || (code >> 16) != (v->visualGeneration & 0xFFFFu)) {
    s->warn(v, "oapiSetMaterial", "not a mesh of a visual that exists now");
    return 1;
  }
  UINT mesh = code & 0xFFFFu;
  if (!mat) {
    s->warn(v, "oapiSetMaterial", "no material");
    return 1;
  }
  if (mesh >= v->rec.meshes.size() || v->rec.meshes[mesh].deleted) return 1;
  std::vector<vhost::MaterialRecord> &list = v->rec.materials;
  for (vhost::MaterialRecord &m : list)
    if (m.mesh == mesh && m.index == matidx) {
      m.material = *mat;
      return 0;
    }
  vhost::MaterialRecord m;
  m.mesh = mesh;
  m.index = matidx;
  m.material = *mat;
  list.push_back(m);
  return 0;
}

SURFHANDLE oapiRegisterExhaustTexture(char *name) {
  Simulation::Impl *s = enterFree("oapiRegisterExhaustTexture", name);
  if (!name) {
    if (s) s->warn(nullptr, "oapiRegisterExhaustTexture", "no texture name");
    return nullptr;
  }
  if (s) s->noteFileRequest("texture", name, true);
  return vhost::detail::textureHandleFor(name);
}
