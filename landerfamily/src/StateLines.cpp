#include "landerfamily/StateLines.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace landers {

bool EqualNoCase(const char *a, const char *b, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    const int ca = std::toupper(static_cast<unsigned char>(a[i]));
    const int cb = std::toupper(static_cast<unsigned char>(b[i]));
    if (ca != cb) return false;
    if (ca == 0) return true;
  }
  return true;
}

bool KeyMatches(const char *line, const char *key) { return EqualNoCase(line, key, STATE_KEY_LENGTH); }

bool ValueSet(const char *line) {
  // KeyMatches has seen seven characters, none of them the end.
  const char *text = line + STATE_KEY_LENGTH;
  while (*text == ' ' || *text == '\t') ++text;
  char *end = nullptr;
  // strtol rather than a scanf %d: an out-of-range number saturates instead
  // of being undefined.
  const long value = std::strtol(text, &end, 10);
  return end != text && value != 0;
}

void WriteSetLine(FILEHANDLE scn, const char *key) {
  char item[] = "";
  char line[32];
  std::snprintf(line, sizeof line, "%.7s 1", key);
  oapiWriteScenario_string(scn, item, line);
}

}  // namespace landers
