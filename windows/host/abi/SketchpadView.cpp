#include "SketchpadView.h"

namespace vhost {
namespace detail {

oapi::Sketchpad *hostSketchpad(oapi::Sketchpad *seen) {
  if (seen && *reinterpret_cast<const void *const *const *>(seen) == kModuleSketchpadTable)
    return reinterpret_cast<ModuleSketchpad *>(seen)->host();
  return seen;
}

}  // namespace detail
}  // namespace vhost
