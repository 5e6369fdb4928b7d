// What a module draws its HUD on. Where module and host share the
// compiler's ABI (Linux), the host's sketchpad itself; where they do not
// (the Windows host, windows/host/abi), a view of it whose virtual table is
// laid out as the module's compiler expects.
#ifndef VHOST_MODULESKETCHPAD_H
#define VHOST_MODULESKETCHPAD_H

#if defined(_WIN32)
#include "SketchpadView.h"
#else

#include "Orbitersdk.h"

namespace vhost {
namespace detail {

class ModuleSketchpad {
public:
  explicit ModuleSketchpad(oapi::Sketchpad &host) : host_(host) {}
  oapi::Sketchpad *get() { return &host_; }

private:
  oapi::Sketchpad &host_;
};

}  // namespace detail
}  // namespace vhost

#endif
#endif  // VHOST_MODULESKETCHPAD_H
