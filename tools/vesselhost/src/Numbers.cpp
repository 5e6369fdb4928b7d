#include "Numbers.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <string>

namespace vesselhost {

bool readNumber(std::string_view text, double &value) {
  if (text.empty() || std::isspace(static_cast<unsigned char>(text.front()))) return false;
  const std::string copy(text);  // strtod needs the terminator
  char *end = nullptr;
  errno = 0;
  const double v = std::strtod(copy.c_str(), &end);
  if (end != copy.c_str() + copy.size() || !std::isfinite(v)) return false;
  value = v;
  return true;
}

bool readInt(std::string_view text, int &value) {
  if (text.empty() || std::isspace(static_cast<unsigned char>(text.front()))) return false;
  const std::string copy(text);
  char *end = nullptr;
  errno = 0;
  const long v = std::strtol(copy.c_str(), &end, 10);
  if (end != copy.c_str() + copy.size() || errno == ERANGE || v < INT_MIN || v > INT_MAX) return false;
  value = static_cast<int>(v);
  return true;
}

}  // namespace vesselhost
