// The host's scenario parser as vesselhost uses it: the input is a whole
// scenario file, vessels of any class the configurations know included.
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  fuzzing::flyScenario(std::string(reinterpret_cast<const char *>(data), size));
  return 0;
}
