// The spotlight's input boxes: each input line opens one of its three boxes
// (attach to a parent, range, spread; chosen by the line's first byte) and
// answers it with the rest of the line; frames run between the answers and
// the lamp is saved and reloaded at the end.
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  static const DWORD boxKeys[] = {OAPI_KEY_V, OAPI_KEY_N, OAPI_KEY_M};
  std::string saved;
  {
    vhost::Simulation sim(fuzzing::options());
    sim.loadScenario(
        "BEGIN_SHIPS\nMast:LightMast\n  STATUS Landed Earth\nEND\nSpot:beamwick2\n  STATUS Landed Earth\n"
        "  SPT 1 50.0 20.0\nEND\nEND_SHIPS\n",
        "fuzz.scn");
    for (const std::string &line : fuzzing::lines(data, size)) {
      if (line.empty()) continue;
      sim.pressKey("Spot", boxKeys[static_cast<unsigned char>(line[0]) % 3]);
      sim.answerInputBox(line.substr(1));
      sim.step();
      fuzzing::expectAnimationsInRange(sim);
    }
    sim.pressKey("Spot", OAPI_KEY_B);
    sim.step();
    saved = sim.saveScenario();
  }
  vhost::Simulation again(fuzzing::options());
  again.loadScenario(saved, "fuzz-saved.scn");
  again.step();
  fuzzing::expectAnimationsInRange(again);
  return 0;
}
