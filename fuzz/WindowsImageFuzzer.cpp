// check-install's reader of Windows programs and DLLs: the input is the
// file's bytes, damaged or foreign ones included.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "WindowsImage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
  vesselhost::WindowsImage image;
  std::string why;
  if (!vesselhost::readWindowsImage(std::vector<unsigned char>(data, data + size), image, why) && why.empty())
    __builtin_trap();  // a refusal always says why
  return 0;
}
