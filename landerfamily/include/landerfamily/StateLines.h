// The landers' scenario lines: a seven-letter key, a blank and an integer,
// such as "GEARRPR 1". Keys match in any case on their seven characters; the
// integer follows the key; anything after it is ignored.
#ifndef LANDERFAMILY_STATELINES_H
#define LANDERFAMILY_STATELINES_H

#include <cstddef>

#include "Orbitersdk.h"
#include "vessel_common/Mechanism.h"

namespace landers {

const std::size_t STATE_KEY_LENGTH = 7;

// True when the first n characters of a and b are equal in any case; a
// string that ends before n characters matches only a string ending there too.
bool EqualNoCase(const char *a, const char *b, std::size_t n);

// True when line starts with the seven-character key, in any case.
bool KeyMatches(const char *line, const char *key);

// True when the integer after the key reads and is not 0.
bool ValueSet(const char *line);

// Writes "KEY 1" as one line with an empty item name.
void WriteSetLine(FILEHANDLE scn, const char *key);

// A mechanism's saved flag: written as "KEY 1" while the flag is set; read
// back, it marks the mechanism open.
template <class V>
struct MechanismKey {
  const char *key;
  bool V::*flag;
  int V::*status;
};

// A line the vessel keeps from the host: read, it calls apply when its value
// is set.
template <class V>
struct ConfigKey {
  const char *key;
  void (V::*apply)();
};

template <class V, std::size_t N>
void WriteMechanismLines(FILEHANDLE scn, const V &vessel, const MechanismKey<V> (&keys)[N]) {
  for (const MechanismKey<V> &k : keys)
    if (vessel.*k.flag) WriteSetLine(scn, k.key);
}

// Reads the vessel's block. The mechanism keys are independent tests and a
// mechanism line still goes on to the host's reader; only the configuration
// keys are withheld from it, and of those the first that matches applies.
template <class V, std::size_t M, std::size_t C>
void ReadStateLines(V &vessel, FILEHANDLE scn, void *status, const MechanismKey<V> (&mechanisms)[M],
                    const ConfigKey<V> (&configs)[C]) {
  char *line = nullptr;
  while (oapiReadScenario_nextline(scn, line)) {
    if (!line) continue;
    for (const MechanismKey<V> &k : mechanisms)
      if (KeyMatches(line, k.key)) {
        if (ValueSet(line)) {
          vessel.*k.flag = true;
          vessel.*k.status = STATUS_OPEN;
        }
      }
    bool own = false;
    for (const ConfigKey<V> &k : configs)
      if (KeyMatches(line, k.key)) {
        own = true;
        if (ValueSet(line)) (vessel.*k.apply)();
        break;
      }
    if (!own) vessel.ParseScenarioLineEx(line, status);
  }
}

}  // namespace landers

#endif  // LANDERFAMILY_STATELINES_H
