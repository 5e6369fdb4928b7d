#include "ScenarioText.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <strings.h>

#include "Motion.h"
#include "vhost/Simulation.h"

namespace vhost {
namespace detail {

namespace {

std::string trim(const std::string &s) {
  std::size_t b = 0, e = s.size();
  while (b < e && (s[b] == ' ' || s[b] == '\t' || s[b] == '\r' || s[b] == '\n')) ++b;
  while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t' || s[e - 1] == '\r' || s[e - 1] == '\n')) --e;
  return s.substr(b, e - b);
}

bool startsWithWord(const char *line, const char *word, const char **rest) {
  std::size_t n = std::strlen(word);
  if (std::strncmp(line, word, n) != 0) return false;
  char c = line[n];
  if (c != 0 && c != ' ' && c != '\t') return false;
  *rest = line + n;
  return true;
}

// Reads exactly `count` numbers separated by blanks, nothing else after them.
bool readNumbers(const char *text, double *out, int count) {
  const char *p = text;
  for (int i = 0; i < count; ++i) {
    while (*p == ' ' || *p == '\t') ++p;
    if (!*p) return false;
    char *end = nullptr;
    errno = 0;
    double d = std::strtod(p, &end);
    // Overflow is refused; an underflow reads as the tiny number it is.
    if (end == p || (errno == ERANGE && std::fabs(d) > 1) || !std::isfinite(d)) return false;
    if (*end && *end != ' ' && *end != '\t') return false;
    out[i] = d;
    p = end;
  }
  while (*p == ' ' || *p == '\t') ++p;
  return *p == 0;
}

bool readInt(const char *&p, int &v) {
  char *end = nullptr;
  errno = 0;
  long l = std::strtol(p, &end, 10);
  if (end == p || errno == ERANGE || l < 0 || l > 1000000) return false;
  v = int(l);
  p = end;
  return true;
}

// Where the text stops being text: the line and the byte of the first zero
// byte or control character that no text file holds (tab, line and page
// breaks are text). 0 when it is all text.
int firstNonTextLine(const std::string &text, unsigned char &bad) {
  int lineNo = 1;
  for (const char ch : text) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c == '\n') {
      ++lineNo;
    } else if (c < 0x20 && c != '\t' && c != '\r' && c != '\v' && c != '\f') {
      bad = c;
      return lineNo;
    }
  }
  return 0;
}

// "END_X" closes "BEGIN_X", also when a word follows the keyword
// ("BEGIN_MFD Left" ... "END_MFD").
std::string firstWord(const std::string &line) { return line.substr(0, line.find_first_of(" \t")); }

}  // namespace

std::vector<ScenarioVessel> parseShips(const std::string &text, const std::string &file) {
  unsigned char bad = 0;
  if (const int badLine = firstNonTextLine(text, bad)) {
    char what[80];
    std::snprintf(what, sizeof what, "not a scenario: byte 0x%02X is not text", unsigned(bad));
    throw ScenarioError(file, badLine, what);
  }
  std::vector<ScenarioVessel> ships;
  enum { Outside, InShips, InVessel, InOtherBlock } state = Outside;
  std::string otherEnd;
  int lineNo = 0, shipsLine = 0, otherLine = 0;
  // A byte-order mark, which some editors put before the first line.
  std::size_t pos = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
  while (pos <= text.size()) {
    std::size_t nl = text.find('\n', pos);
    if (nl == std::string::npos) nl = text.size();
    std::string line = trim(text.substr(pos, nl - pos));
    pos = nl + 1;
    ++lineNo;
    if (line.empty()) continue;
    switch (state) {
      case Outside:
        if (line[0] == ';') break;
        if (line == "BEGIN_SHIPS") {
          state = InShips;
          if (!shipsLine) shipsLine = lineNo;
        } else if (line.compare(0, 6, "BEGIN_") == 0) {
          otherEnd = "END_" + firstWord(line).substr(6);
          otherLine = lineNo;
          state = InOtherBlock;
        }
        break;
      case InOtherBlock:
        if (firstWord(line) == otherEnd) state = Outside;
        break;
      case InShips: {
        if (line[0] == ';') break;
        if (line == "END_SHIPS") {
          state = Outside;
          break;
        }
        std::size_t colon = line.find(':');
        if (colon == std::string::npos)
          throw ScenarioError(file, lineNo, "vessel line \"" + line + "\" has no :CLASS");
        ScenarioVessel v;
        v.name = trim(line.substr(0, colon));
        v.className = trim(line.substr(colon + 1));
        v.line = lineNo;
        if (v.name.empty()) throw ScenarioError(file, lineNo, "vessel line without a name");
        if (v.className.empty()) throw ScenarioError(file, lineNo, "vessel line \"" + line + "\" has no :CLASS");
        if (v.name.size() > kMaxVesselName)
          throw ScenarioError(file, lineNo, "vessel name longer than 255 characters");
        for (const ScenarioVessel &o : ships)
          if (o.name == v.name) throw ScenarioError(file, lineNo, "vessel name \"" + v.name + "\" used twice");
        ships.push_back(std::move(v));
        state = InVessel;
        break;
      }
      case InVessel: {
        if (line == "END") {
          state = InShips;
          break;
        }
        if (line == "END_SHIPS")
          throw ScenarioError(file, lineNo, "vessel \"" + ships.back().name + "\" has no END");
        MotionRecord m;
        SavedAttachment a;
        bool isAttachment = false;
        std::string error;
        if (readHostLine(line.c_str(), m, a, isAttachment, error) == HostLineKind::Bad)
          throw ScenarioError(file, lineNo, error);
        ships.back().lines.push_back({line, lineNo});
        break;
      }
    }
  }
  if (state == InVessel)
    throw ScenarioError(file, ships.back().line, "vessel \"" + ships.back().name + "\" has no END");
  if (state == InShips) throw ScenarioError(file, shipsLine, "BEGIN_SHIPS has no END_SHIPS");
  if (ships.empty()) {
    if (shipsLine) throw ScenarioError(file, shipsLine, "the BEGIN_SHIPS block holds no vessel: nothing to fly");
    if (state == InOtherBlock)
      throw ScenarioError(file, otherLine, "BEGIN_" + otherEnd.substr(4) + " has no " + otherEnd +
                                               ", and no BEGIN_SHIPS block was found: nothing to fly");
    throw ScenarioError(file, 0, "no BEGIN_SHIPS block: nothing to fly");
  }
  return ships;
}

HostLineKind readHostLine(const char *line, MotionRecord &m, SavedAttachment &att, bool &isAttachment,
                          std::string &error) {
  isAttachment = false;
  if (!line) return HostLineKind::NotHost;
  while (*line == ' ' || *line == '\t') ++line;
  const char *rest = nullptr;
  double v[3];
  if (startsWithWord(line, "STATUS", &rest)) {
    char word[32], body[64];
    char extra[2];
    int n = std::sscanf(rest, "%31s %63s %1s", word, body, extra);
    if (n != 2) {
      error = "STATUS needs Landed or Orbiting and a body";
      return HostLineKind::Bad;
    }
    bool landed;
    if (std::strcmp(word, "Landed") == 0)
      landed = true;
    else if (std::strcmp(word, "Orbiting") == 0)
      landed = false;
    else {
      error = std::string("STATUS must be Landed or Orbiting, not \"") + word + "\"";
      return HostLineKind::Bad;
    }
    if (findBody(body) < 0) {
      error = std::string("unknown body \"") + body + "\" (Earth or Moon)";
      return HostLineKind::Bad;
    }
    m.landed = landed;
    m.body = body;
    return HostLineKind::Read;
  }
  struct VectorKey {
    const char *key;
    VECTOR3 MotionRecord::*field;
    double scale;
  };
  static const VectorKey vectorKeys[] = {
      {"RPOS", &MotionRecord::rpos, 1.0},
      {"RVEL", &MotionRecord::rvel, 1.0},
      {"AROT", &MotionRecord::arot, RAD},
      {"VROT", &MotionRecord::vrot, RAD},
  };
  for (const VectorKey &k : vectorKeys) {
    if (!startsWithWord(line, k.key, &rest)) continue;
    if (!readNumbers(rest, v, 3)) {
      error = std::string(k.key) + " needs three numbers";
      return HostLineKind::Bad;
    }
    m.*k.field = _V(v[0] * k.scale, v[1] * k.scale, v[2] * k.scale);
    return HostLineKind::Read;
  }
  if (startsWithWord(line, "ALT", &rest)) {
    if (!readNumbers(rest, v, 1)) {
      error = "ALT needs one number (metres)";
      return HostLineKind::Bad;
    }
    m.altitude = v[0] > 0 ? v[0] : 0;
    m.altitudeSet = true;
    return HostLineKind::Read;
  }
  if (startsWithWord(line, "ATTACHED", &rest)) {
    const char *p = rest;
    while (*p == ' ' || *p == '\t') ++p;
    int c = 0, pp = 0;
    bool ok = readInt(p, c) && *p == ':';
    if (ok) {
      ++p;
      ok = readInt(p, pp) && *p == ',';
    }
    std::string parent;
    if (ok) parent = trim(std::string(p + 1));
    if (!ok || parent.empty()) {
      error = "ATTACHED needs C:P,PARENT";
      return HostLineKind::Bad;
    }
    att.childPoint = c;
    att.parentPoint = pp;
    att.parent = parent;
    isAttachment = true;
    return HostLineKind::Read;
  }
  return HostLineKind::NotHost;
}

std::string formatNumber(double d) {
  if (d == 0) return "0";  // also for -0
  char buf[64];
  // Plain decimals where they stay short, the exponent form elsewhere; in
  // both the fewest digits that read back to exactly d.
  const double a = std::fabs(d);
  if (a >= 1e-4 && a < 1e15)
    for (int places = 0; places <= 20; ++places) {
      std::snprintf(buf, sizeof buf, "%.*f", places, d);
      if (std::strtod(buf, nullptr) == d) return buf;
    }
  for (int precision = 1; precision <= 17; ++precision) {
    std::snprintf(buf, sizeof buf, "%.*g", precision, d);
    if (std::strtod(buf, nullptr) == d) break;
  }
  return buf;
}

namespace {

// How C libraries print a number that is not finite: "inf", "-nan",
// "NAN", "nan(ind)", "-1.#IND", "1.#QNAN", any case, any sign.
bool isNonFiniteText(const char *word, std::size_t n) {
  if (n && (*word == '-' || *word == '+')) ++word, --n;
  auto starts = [&](const char *prefix) {
    const std::size_t k = std::strlen(prefix);
    return n >= k && strncasecmp(word, prefix, k) == 0;
  };
  if (n == 3 && (starts("inf") || starts("nan"))) return true;
  if (starts("nan(") && word[n - 1] == ')') return true;
  return starts("1.#inf") || starts("1.#ind") || starts("1.#qnan") || starts("1.#snan");
}

}  // namespace

bool holdsNonFiniteNumber(const std::string &line) {
  const char *p = line.c_str();
  while (*p) {
    while (*p == ' ' || *p == '\t') ++p;
    if (!*p) break;
    const char *word = p;
    while (*p && *p != ' ' && *p != '\t') ++p;
    if (isNonFiniteText(word, std::size_t(p - word))) return true;
    // A number too large for a double ("1e999"): its reader would overflow.
    char *end = nullptr;
    errno = 0;
    const double d = std::strtod(word, &end);
    if (end == p && errno == ERANGE && std::fabs(d) > 1) return true;
  }
  return false;
}

std::string lineKey(const std::string &line) {
  std::size_t b = line.find_first_not_of(" \t");
  if (b == std::string::npos) return "";
  return line.substr(b, line.find_first_of(" \t", b) - b);
}

std::string formatVector(const VECTOR3 &v) {
  return formatNumber(v.x) + " " + formatNumber(v.y) + " " + formatNumber(v.z);
}

}  // namespace detail
}  // namespace vhost
