#include "vessel_common/Mechanism.h"

namespace vmod {

bool StepMechanism(int &status, double &position, bool &open, double delta) {
  if (status < 0) return false;
  switch (status) {
    case STATUS_CLOSED:
      position = 0.0;
      return false;
    case STATUS_OPEN:
      position = 1.0;
      return true;
    case STATUS_CLOSING:
      if (position > 0.0) {
        open = false;
        position = position - delta > 0.0 ? position - delta : 0.0;
      } else {
        status = STATUS_CLOSED;
        open = false;
      }
      return true;
    default:  // STATUS_OPENING and anything above it
      if (position >= 1.0) {
        status = STATUS_OPEN;
      } else {
        position = position + delta < 1.0 ? position + delta : 1.0;
      }
      open = true;
      return true;
  }
}

}  // namespace vmod
