// The SDK's free functions: reading and writing scenario lines, reading
// class configuration items.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "ClassConfig.h"
#include "FileContexts.h"
#include "Handles.h"
#include "HostCore.h"
#include "ScenarioText.h"

using vhost::Simulation;
using vhost::detail::enterFree;
using vhost::detail::FileKind;
using vhost::detail::HandleKind;

namespace {

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
  if (w->unsound.empty() && vhost::detail::holdsNonFiniteNumber(line)) w->unsound = vhost::detail::lineKey(line);
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
  return v && vhost::detail::scanDoubleValue(*v, val);
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
  return v && vhost::detail::scanVectorValue(*v, val);
}
