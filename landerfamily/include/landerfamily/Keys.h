// The landers' command keys: presses only, never with Shift or Control held;
// Alt tells a command key from a plain one.
#ifndef LANDERFAMILY_KEYS_H
#define LANDERFAMILY_KEYS_H

#include <cstddef>

#include "Orbitersdk.h"

namespace landers {

// True while either Shift or either Control key is held: every command is
// refused then.
bool CommandsRefused(const char *kstate);
// True while either Alt key is held.
bool AltHeld(const char *kstate);

template <class V>
struct KeyCommand {
  DWORD key;
  bool alt;  // the command needs Alt held; otherwise Alt must not be held
  void (V::*action)();
};

// Finds the key in the table (each key has one command, tested in table
// order) and runs its action. 1 when a command was run, also when it has no
// effect; 0 for a release, a refused or wrong-Alt command or any other key.
template <class V, std::size_t N>
int ConsumeCommandKey(V &vessel, const KeyCommand<V> (&commands)[N], DWORD key, bool down, const char *kstate) {
  if (!down || !kstate || CommandsRefused(kstate)) return 0;
  const bool alt = AltHeld(kstate);
  for (const KeyCommand<V> &c : commands)
    if (c.key == key) {
      if (c.alt != alt) return 0;
      (vessel.*c.action)();
      return 1;
    }
  return 0;
}

}  // namespace landers

#endif  // LANDERFAMILY_KEYS_H
