// The JSON state of a run: the simulation's view and view-independent
// records, every vessel with everything its plug-in configured, the vessels
// plug-ins created, the host's warnings, the modules and the keys given.
// Field order is fixed, so two states of the same run compare line by line.
#ifndef VESSELHOST_STATEJSON_H
#define VESSELHOST_STATEJSON_H

#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "vhost/Records.h"
#include "vhost/Simulation.h"

namespace vesselhost {

using Json = nlohmann::ordered_json;

// A buffered key press given to a vessel by the script.
struct KeyPress {
  double t = 0;
  std::string vessel;
  std::string combo;  // as the script spells it
  bool consumed = false;
};

Json vectorJson(const VECTOR3 &v);
// groundContact: what the host tells the plug-in (the record alone cannot say).
Json vesselJson(const vhost::VesselRecord &record, const MATRIX3 &rotation, bool groundContact);
Json stateJson(const vhost::Simulation &sim, const std::vector<KeyPress> &keys);
// One trace line: {t, vessel, in, call, args}; in is null outside a callback.
Json traceJson(const vhost::TraceEntry &entry);

// The text written to a file: indented, UTF-8, newline at the end.
std::string dumpState(const Json &state);
// One line, no newline.
std::string dumpLine(const Json &value);

}  // namespace vesselhost

#endif  // VESSELHOST_STATEJSON_H
