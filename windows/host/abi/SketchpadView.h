// The host's sketchpad as a module built with the simulator's ABI sees it.
// A module calls a sketchpad's drawing functions through its virtual table,
// and its compiler lays that table out differently from the host's (one slot
// for the virtual destructor where the host's compiler has two), so the
// module is handed this view instead: its first word points to a table in
// the module's order whose every slot calls the host's sketchpad
// (kModuleSketchpadTable, made by make-abi-bridge), its second holds the
// surface where the inline GetSurface reads it.
#ifndef VHOST_SKETCHPADVIEW_H
#define VHOST_SKETCHPADVIEW_H

#include "Orbitersdk.h"

namespace vhost {
namespace detail {

extern const void *const kModuleSketchpadTable[];

class ModuleSketchpad {
public:
  explicit ModuleSketchpad(oapi::Sketchpad &host)
      : table_(kModuleSketchpadTable), surface_(host.GetSurface()), host_(&host) {}
  ModuleSketchpad(const ModuleSketchpad &) = delete;
  ModuleSketchpad &operator=(const ModuleSketchpad &) = delete;

  // What the module is given to draw on.
  oapi::Sketchpad *get() { return reinterpret_cast<oapi::Sketchpad *>(this); }
  oapi::Sketchpad *host() const { return host_; }

private:
  const void *const *table_;
  SURFHANDLE surface_;
  oapi::Sketchpad *host_;
};

// The host's sketchpad behind a module's view of it (which a module hands
// back when it calls a default callback); any other pointer as it is.
oapi::Sketchpad *hostSketchpad(oapi::Sketchpad *seen);

}  // namespace detail
}  // namespace vhost

#endif  // VHOST_SKETCHPADVIEW_H
