// The top level of the JSON state: what the simulation as a whole holds.
#include "StateJson.h"
#include "Text.h"

namespace vesselhost {

Json stateJson(const vhost::Simulation &sim, const std::vector<KeyPress> &keys) {
  Json j;
  j["time"] = sim.time();
  j["dt"] = sim.dt();
  j["cockpitMode"] = sim.cockpitMode();
  j["vcPosition"] = sim.vcPosition();
  const int *n = sim.vcNeighbours();
  j["vcNeighbours"] = n ? Json::array({n[0], n[1], n[2], n[3]}) : Json::array({-1, -1, -1, -1});
  const vhost::Vessel *focus = sim.focus();
  j["focus"] = focus ? Json(toUtf8(focus->record().name)) : Json(nullptr);
  const char *debug = sim.debugString();
  j["debugString"] = toUtf8(debug ? debug : "");
  if (const vhost::InputBoxRecord *box = sim.inputBox())
    j["inputBox"] = Json{{"title", toUtf8(box->title)}, {"width", box->width}, {"initial", toUtf8(box->initial)}};
  else
    j["inputBox"] = nullptr;

  Json keyList = Json::array();
  for (const KeyPress &k : keys)
    keyList.push_back(Json{{"t", k.t}, {"vessel", toUtf8(k.vessel)}, {"combo", toUtf8(k.combo)}, {"consumed", k.consumed}});
  j["keys"] = keyList;

  Json created = Json::array();
  for (const vhost::CreatedVessel &c : sim.created())
    created.push_back(Json{{"name", toUtf8(c.name)}, {"class", toUtf8(c.className)}, {"time", c.t}, {"by", toUtf8(c.by)}});
  j["created"] = created;

  Json warnings = Json::array();
  for (const vhost::Warning &w : sim.warnings())
    warnings.push_back(Json{{"t", w.t}, {"vessel", toUtf8(w.vessel)}, {"in", toUtf8(w.in)}, {"call", toUtf8(w.call)}, {"message", toUtf8(w.message)}});
  j["warnings"] = warnings;

  Json modules = Json::array();
  for (const vhost::ModuleInfo &m : sim.modules())
    modules.push_back(Json{{"name", toUtf8(m.name)}, {"path", toUtf8(m.path)},
                           {"date", m.hasDate ? Json(toUtf8(m.date)) : Json(nullptr)},
                           {"version", m.hasVersion ? Json(m.version) : Json(nullptr)},
                           {"announced", m.announced}});
  j["modules"] = modules;

  Json files = Json::array();
  for (const vhost::FileRequest &f : sim.fileRequests())
    files.push_back(Json{{"kind", f.kind}, {"name", toUtf8(f.name)}, {"found", f.found}});
  j["files"] = files;

  Json vessels = Json::array();
  for (const vhost::Vessel *v : sim.vessels()) vessels.push_back(vesselJson(v->record(), v->rotation(), v->groundContact()));
  j["vessels"] = vessels;
  return j;
}

}  // namespace vesselhost
