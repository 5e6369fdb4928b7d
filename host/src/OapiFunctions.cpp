// The SDK's free functions.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <deque>
#include <mutex>

#include "HostCore.h"
#include "Motion.h"

using vhost::Simulation;
using vhost::detail::enterFree;
using vhost::detail::FileKind;
using vhost::detail::HandleKind;
using vhost::detail::makeHandle;
using vhost::detail::Phase;
using vhost::detail::VesselImpl;

namespace vhost {
namespace detail {

namespace {

// Names behind mesh and texture handles; a deque keeps each name in place.
struct NameTable {
  std::deque<std::string> names;
  std::uint32_t find(const char *name) {
    for (std::size_t i = 0; i < names.size(); ++i)
      if (names[i] == name) return std::uint32_t(i);
    names.emplace_back(name);
    return std::uint32_t(names.size() - 1);
  }
  const char *at(const void *h, HandleKind kind) const {
    std::uint32_t owner = 0, i = 0;
    if (!decodeHandle(h, kind, owner, i) || i >= names.size()) return nullptr;
    return names[i].c_str();
  }
};

NameTable &meshes() {
  static NameTable t;
  return t;
}

NameTable &textures() {
  static NameTable t;
  return t;
}

}  // namespace

MESHHANDLE meshHandleFor(const char *name) { return makeHandle(HandleKind::Mesh, 0, meshes().find(name)); }
SURFHANDLE textureHandleFor(const char *name) { return makeHandle(HandleKind::Surface, 0, textures().find(name)); }
const char *meshName(MESHHANDLE h) { return meshes().at(h, HandleKind::Mesh); }
const char *textureName(SURFHANDLE h) { return textures().at(h, HandleKind::Surface); }

}  // namespace detail
}  // namespace vhost

namespace {

constexpr double kMjdAtStart = 51544.5;  // the simulation starts at this date

char fallbackDebug[257];

// The context behind a file handle of the given kind; null with a warning
// when the handle is not the one the running callback was given.
template <class Ctx>
Ctx *fileContext(Simulation::Impl *s, FILEHANDLE f, FileKind kind, Ctx *active, const char *call,
                 const char *where) {
  std::uint32_t k = 0, id = 0;
  if (!active || !vhost::detail::decodeHandle(f, HandleKind::File, k, id) || k != kind || id != active->id) {
    s->warn(nullptr, call, "only inside %s, with the file handle it was given", where);
    return nullptr;
  }
  return active;
}

void writeLine(FILEHANDLE scn, const char *call, const char *item, const char *value) {
  Simulation::Impl *s = Simulation::Impl::live;
  if (!s) return;
  vhost::detail::WriteContext *w = fileContext(s, scn, FileKind::FileWrite, s->writing, call, "clbkSaveState");
  if (!w) return;
  std::string line;
  if (item && *item) {
    line = item;
    line += ' ';
  }
  line += value;
  // One line per call: a line break inside would start a line of its own
  // that the vessel never wrote as such.
  std::replace(line.begin(), line.end(), '\n', ' ');
  std::replace(line.begin(), line.end(), '\r', ' ');
  w->out->push_back(line);
}

const std::string *configItem(FILEHANDLE f, const char *call, const char *item) {
  Simulation::Impl *s = Simulation::Impl::live;
  if (!s) return nullptr;
  vhost::detail::ConfigContext *c =
      fileContext(s, f, FileKind::FileConfig, s->configuring, call, "clbkSetClassCaps");
  if (!c || !item) return nullptr;
  return c->config->find(item);
}

}  // namespace

// --- time ------------------------------------------------------------------------

double oapiGetSimTime() {
  Simulation::Impl *s = enterFree("oapiGetSimTime");
  return s ? s->callbackTime() : 0.0;
}

double oapiGetSimStep() {
  Simulation::Impl *s = enterFree("oapiGetSimStep");
  return s ? s->opt.dt : 0.0;
}

double oapiGetSimMJD() {
  Simulation::Impl *s = enterFree("oapiGetSimMJD");
  return kMjdAtStart + (s ? s->callbackTime() : 0.0) / 86400.0;
}

// --- objects and vessels -----------------------------------------------------------

OBJHANDLE oapiGetObjectByName(char *name) {
  Simulation::Impl *s = enterFree("oapiGetObjectByName", name);
  if (!s || !name) return nullptr;
  if (VesselImpl *v = s->findName(name)) return v->handle();
  int b = vhost::detail::findBody(name);
  return b >= 0 ? makeHandle(HandleKind::Body, 0, std::uint32_t(b)) : nullptr;
}

OBJHANDLE oapiGetVesselByName(char *name) {
  Simulation::Impl *s = enterFree("oapiGetVesselByName", name);
  if (!s || !name) return nullptr;
  VesselImpl *v = s->findName(name);
  return v ? v->handle() : nullptr;
}

DWORD oapiGetVesselCount() {
  Simulation::Impl *s = enterFree("oapiGetVesselCount");
  return s ? DWORD(s->vessels.size()) : 0;
}

OBJHANDLE oapiGetVesselByIndex(int index) {
  Simulation::Impl *s = enterFree("oapiGetVesselByIndex", index);
  if (!s || index < 0 || std::size_t(index) >= s->vessels.size()) return nullptr;
  return s->vessels[index]->handle();
}

VESSEL *oapiGetVesselInterface(OBJHANDLE hVessel) {
  Simulation::Impl *s = enterFree("oapiGetVesselInterface", hVessel);
  if (!s) return nullptr;
  VesselImpl *v = s->vesselOf(hVessel);
  if (!v) {
    s->warn(nullptr, "oapiGetVesselInterface", "not a live vessel handle");
    return nullptr;
  }
  return v->iface();
}

OBJHANDLE oapiGetFocusObject() {
  Simulation::Impl *s = enterFree("oapiGetFocusObject");
  if (!s) return nullptr;
  VesselImpl *v = s->findSerial(s->focusSerial);
  if (!v && !s->vessels.empty()) v = s->vessels.front().get();
  return v ? v->handle() : nullptr;
}

bool oapiIsVessel(OBJHANDLE hVessel) {
  Simulation::Impl *s = enterFree("oapiIsVessel", hVessel);
  return s && s->vesselOf(hVessel) != nullptr;
}

OBJHANDLE oapiCreateVessel(const char *name, const char *classname, const VESSELSTATUS &status) {
  Simulation::Impl *s = enterFree("oapiCreateVessel", name, classname, vhost::TraceValue());
  if (!s) return nullptr;
  if (!name || !classname) {
    s->warn(nullptr, "oapiCreateVessel", "no name or no class name");
    return nullptr;
  }
  std::string error;
  VesselImpl *v = nullptr;
  try {
    v = s->makeVessel(name, classname, nullptr, "", &status, error);
  } catch (const vhost::ScenarioError &e) {
    error = e.what();
  }
  if (!v) {
    std::size_t n = std::strlen(name);
    s->warn(nullptr, "oapiCreateVessel", "cannot create \"%.60s%s\" (%zu characters) of class %.100s: %s", name,
            n > 60 ? "..." : "", n, classname, error.c_str());
    return nullptr;
  }
  vhost::CreatedVessel c;
  c.name = name;
  c.className = classname;
  c.t = s->callbackTime();
  c.by = s->callerName(nullptr);
  s->created.push_back(c);
  OBJHANDLE h = v->handle();
  s->postCreate(*v);
  return h;
}

bool oapiDeleteVessel(OBJHANDLE hVessel, OBJHANDLE hAlternativeCameraTarget) {
  Simulation::Impl *s = enterFree("oapiDeleteVessel", hVessel, hAlternativeCameraTarget);
  if (!s) return false;
  VesselImpl *v = s->vesselOf(hVessel);
  if (!v) {
    s->warn(nullptr, "oapiDeleteVessel", "not a live vessel handle");
    return false;
  }
  v->deleting = true;
  s->deletionsPending = true;
  return true;
}

// --- scenario files ----------------------------------------------------------------

bool oapiReadScenario_nextline(FILEHANDLE scn, char *&line) {
  Simulation::Impl *s = enterFree("oapiReadScenario_nextline", scn, vhost::TraceValue());
  if (!s) return false;
  vhost::detail::ReadContext *r =
      fileContext(s, scn, FileKind::FileRead, s->reading, "oapiReadScenario_nextline", "clbkLoadStateEx");
  if (!r || r->next >= r->lines->size()) return false;
  const vhost::detail::ScenarioLine &l = (*r->lines)[r->next++];
  // The plug-in may edit the line in place; it gets room beyond its end.
  std::size_t need = std::max<std::size_t>(l.text.size() + 1, 256);
  if (r->buffer.size() < need) r->buffer.resize(need);
  std::fill(r->buffer.begin(), r->buffer.end(), 0);
  std::memcpy(r->buffer.data(), l.text.c_str(), l.text.size());
  r->currentLine = l.line;
  line = r->buffer.data();
  return true;
}

void oapiWriteScenario_string(FILEHANDLE scn, char *item, char *string) {
  enterFree("oapiWriteScenario_string", scn, item, string);
  writeLine(scn, "oapiWriteScenario_string", item, string ? string : "");
}

void oapiWriteScenario_int(FILEHANDLE scn, char *item, int i) {
  enterFree("oapiWriteScenario_int", scn, item, i);
  char buf[32];
  std::snprintf(buf, sizeof buf, "%d", i);
  writeLine(scn, "oapiWriteScenario_int", item, buf);
}

void oapiWriteScenario_float(FILEHANDLE scn, char *item, double d) {
  enterFree("oapiWriteScenario_float", scn, item, d);
  writeLine(scn, "oapiWriteScenario_float", item, vhost::detail::formatNumber(d).c_str());
}

void oapiWriteScenario_vec(FILEHANDLE scn, char *item, const VECTOR3 &vec) {
  enterFree("oapiWriteScenario_vec", scn, item, vec);
  writeLine(scn, "oapiWriteScenario_vec", item, vhost::detail::formatVector(vec).c_str());
}

// --- class configuration items -------------------------------------------------------

bool oapiReadItem_string(FILEHANDLE f, char *item, char *string) {
  enterFree("oapiReadItem_string", f, item, vhost::TraceValue());
  const std::string *v = configItem(f, "oapiReadItem_string", item);
  if (!v || !string) return false;
  // The caller's buffer has no stated size; values are cut to the host's
  // line length so that a long value cannot run past a usual buffer.
  std::size_t n = std::min<std::size_t>(v->size(), 255);
  std::memcpy(string, v->data(), n);
  string[n] = 0;
  return true;
}

bool oapiReadItem_float(FILEHANDLE f, char *item, double &val) {
  enterFree("oapiReadItem_float", f, item, vhost::TraceValue());
  const std::string *v = configItem(f, "oapiReadItem_float", item);
  return v && vhost::detail::readDoubleValue(*v, val);
}

bool oapiReadItem_int(FILEHANDLE f, char *item, int &val) {
  enterFree("oapiReadItem_int", f, item, vhost::TraceValue());
  const std::string *v = configItem(f, "oapiReadItem_int", item);
  return v && vhost::detail::readIntValue(*v, val);
}

bool oapiReadItem_bool(FILEHANDLE f, char *item, bool &val) {
  enterFree("oapiReadItem_bool", f, item, vhost::TraceValue());
  const std::string *v = configItem(f, "oapiReadItem_bool", item);
  return v && vhost::detail::readBoolValue(*v, val);
}

bool oapiReadItem_vec(FILEHANDLE f, char *item, VECTOR3 &val) {
  enterFree("oapiReadItem_vec", f, item, vhost::TraceValue());
  const std::string *v = configItem(f, "oapiReadItem_vec", item);
  return v && vhost::detail::readVectorValue(*v, val);
}

// --- meshes, materials, textures -------------------------------------------------------

MESHHANDLE oapiLoadMesh(const char *fname) {
  Simulation::Impl *s = enterFree("oapiLoadMesh", fname);
  if (!fname) {
    if (s) s->warn(nullptr, "oapiLoadMesh", "no mesh name");
    return nullptr;
  }
  return vhost::detail::meshHandleFor(fname);
}

OAPI_CONST_RETURN MESHHANDLE oapiLoadMeshGlobal(const char *fname) {
  Simulation::Impl *s = enterFree("oapiLoadMeshGlobal", fname);
  if (!fname) {
    if (s) s->warn(nullptr, "oapiLoadMeshGlobal", "no mesh name");
    return nullptr;
  }
  return vhost::detail::meshHandleFor(fname);
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
  return vhost::detail::textureHandleFor(name);
}

// --- user interface --------------------------------------------------------------------

char *oapiDebugString() {
  Simulation::Impl *s = enterFree("oapiDebugString");
  return s ? s->debug : fallbackDebug;
}

void oapiOpenInputBox(char *title, bool (*Clbk)(void *, char *, void *), char *buf, int vislen, void *usrdata) {
  Simulation::Impl *s = enterFree("oapiOpenInputBox", title, vhost::TraceValue(), buf, vislen, vhost::TraceValue());
  if (!s) return;
  if (!Clbk) {
    s->warn(nullptr, "oapiOpenInputBox", "no callback; the box is not opened");
    return;
  }
  s->boxOpen = true;
  s->box.title = title ? title : "";
  s->box.width = vislen;
  s->box.initial = buf ? buf : "";
  s->boxCallback = Clbk;
  s->boxUserData = usrdata;
  s->boxOwner = s->ctxVessel ? s->ctxVessel->serial : 0;
  ++s->boxGeneration;
  s->event(s->ctxVessel, "input box \"%s\" opened", s->box.title.c_str());
}

int oapiCockpitMode() {
  Simulation::Impl *s = enterFree("oapiCockpitMode");
  return s ? s->cockpit : COCKPIT_GENERIC;
}

namespace {

VesselImpl *inLoadVC(Simulation::Impl *s, const char *call) {
  if (s->phase != Phase::LoadVC || !s->ctxVessel) {
    s->warn(nullptr, call, "only inside clbkLoadVC");
    return nullptr;
  }
  return s->ctxVessel;
}

}  // namespace

void oapiVCRegisterHUD(const VCHUDSPEC *spec) {
  Simulation::Impl *s = enterFree(
      "oapiVCRegisterHUD",
      spec ? vhost::detail::traceList({double(spec->nmesh), double(spec->ngroup), spec->hudcnt.x, spec->hudcnt.y,
                                       spec->hudcnt.z, spec->size})
           : vhost::TraceValue());
  if (!s) return;
  VesselImpl *v = inLoadVC(s, "oapiVCRegisterHUD");
  if (!v) return;
  if (!spec) {
    s->warn(v, "oapiVCRegisterHUD", "no HUD placement given (null record)");
    return;
  }
  v->rec.vc.hasHud = true;
  v->rec.vc.hud = *spec;
}

void oapiVCRegisterMFD(int mfd, const VCMFDSPEC *spec) {
  Simulation::Impl *s = enterFree(
      "oapiVCRegisterMFD", mfd,
      spec ? vhost::detail::traceList({double(spec->nmesh), double(spec->ngroup)}) : vhost::TraceValue());
  if (!s) return;
  VesselImpl *v = inLoadVC(s, "oapiVCRegisterMFD");
  if (!v) return;
  if (!spec) {
    s->warn(v, "oapiVCRegisterMFD", "no MFD placement given (null record)");
    return;
  }
  auto &mfds = v->rec.vc.mfds;
  auto it = std::lower_bound(mfds.begin(), mfds.end(), mfd,
                             [](const std::pair<int, VCMFDSPEC> &e, int id) { return e.first < id; });
  if (it != mfds.end() && it->first == mfd)
    it->second = *spec;
  else
    mfds.insert(it, {mfd, *spec});
}

void oapiVCSetNeighbours(int left, int right, int top, int bottom) {
  Simulation::Impl *s = enterFree("oapiVCSetNeighbours", left, right, top, bottom);
  if (!s || !inLoadVC(s, "oapiVCSetNeighbours")) return;
  s->neighbours[0] = left;
  s->neighbours[1] = right;
  s->neighbours[2] = top;
  s->neighbours[3] = bottom;
}

namespace {

VesselImpl *inDrawHUD(Simulation::Impl *s, const char *call) {
  if (s->phase != Phase::DrawHUD || !s->ctxVessel) {
    s->warn(nullptr, call, "only inside clbkDrawHUD");
    return nullptr;
  }
  return s->ctxVessel;
}

}  // namespace

void oapiSetDefNavDisplay(int mode) {
  Simulation::Impl *s = enterFree("oapiSetDefNavDisplay", mode);
  if (!s) return;
  if (VesselImpl *v = inDrawHUD(s, "oapiSetDefNavDisplay")) v->rec.hudNavDisplay = mode;
}

void oapiSetDefRCSDisplay(int mode) {
  Simulation::Impl *s = enterFree("oapiSetDefRCSDisplay", mode);
  if (!s) return;
  if (VesselImpl *v = inDrawHUD(s, "oapiSetDefRCSDisplay")) v->rec.hudRcsDisplay = mode;
}

// --- module support -------------------------------------------------------------------

void InitLib(HINSTANCE hModule) {
  Simulation::Impl *s = enterFree("InitLib", vhost::TraceValue());
  (void)hModule;
  if (s && s->loadingModule >= 0) s->moduleInfos[std::size_t(s->loadingModule)].announced = true;
}

int Date2Int(char *date) {
  enterFree("Date2Int", date);
  if (!date) return 0;
  static const char *const months[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  int month = 0;
  for (int i = 0; i < 12; ++i)
    if (std::strncmp(date, months[i], 3) == 0) month = i + 1;
  if (!month || date[3] != ' ') return 0;
  const char *p = date + 4;
  if (*p == ' ') ++p;  // a one-digit day is padded with a blank
  int day = 0, digits = 0;
  while (std::isdigit((unsigned char)*p) && digits < 2) {
    day = day * 10 + (*p++ - '0');
    ++digits;
  }
  if (!digits || day < 1 || day > 31 || *p != ' ') return 0;
  ++p;
  int year = 0;
  for (int i = 0; i < 4; ++i) {
    if (!std::isdigit((unsigned char)p[i])) return 0;
    year = year * 10 + (p[i] - '0');
  }
  if (p[4] != 0) return 0;
  return year * 10000 + month * 100 + day;
}
