// One plug-in's scenario reader: the input becomes the lines of one vessel
// of the class FUZZ_CLASS (beside a light mast a spotlight can hang on),
// read by the plug-in's clbkLoadStateEx, then post-creation, a few frames,
// a save and a reload of what was saved.
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  std::string text = "BEGIN_SHIPS\nMast:LightMast\n  STATUS Landed Earth\nEND\nV:" FUZZ_CLASS "\n";
  for (const std::string &line : fuzzing::lines(data, size)) {
    // Lines that would close the block or open another are the host's
    // parser's business, not the plug-in's reader's.
    const std::size_t start = line.find_first_not_of(" \t");
    if (start != std::string::npos && (line.compare(start, 3, "END") == 0 || line.compare(start, 5, "BEGIN") == 0))
      continue;
    text += "  " + line + "\n";
  }
  text += "END\nEND_SHIPS\n";
  fuzzing::flyScenario(text);
  return 0;
}
