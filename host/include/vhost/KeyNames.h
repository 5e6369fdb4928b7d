// The names of the keys a script or a timeline line gives: the host's one
// table, read by the host for its event texts ("key Alt+J consumed") and by
// the runner for the combinations scripts spell.
#ifndef VHOST_KEYNAMES_H
#define VHOST_KEYNAMES_H

#include <cstddef>

#include "Orbitersdk.h"

namespace vhost {

struct KeyName {
  const char *name;  // "Alt", "J", "NumPad4", "Up"
  DWORD code;        // the scan code
  bool modifier;     // Shift, Ctrl, Alt and their right-hand keys
};

// Every named key, modifiers first; Shift, Ctrl and Alt are the left-hand
// keys.
extern const KeyName kKeyNames[];
extern const std::size_t kKeyNameCount;

// The name of a scan code, null for one without a name.
const char *keyName(DWORD code);

// The key of that name, matched without regard to case; null for none.
const KeyName *findKey(const char *name, std::size_t length);

}  // namespace vhost

#endif  // VHOST_KEYNAMES_H
