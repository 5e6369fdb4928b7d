#include "ScenarioText.h"

#include <cctype>
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

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

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

std::string firstWord(const std::string &line) { return line.substr(0, line.find_first_of(" \t")); }

std::string upper(std::string s) {
  for (char &c : s) c = char(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// The file's lines, without their line breaks.
struct Lines {
  const std::string &text;
  std::size_t pos;
  int number = 0;
  bool next(std::string &raw) {
    if (pos > text.size()) return false;
    std::size_t nl = text.find('\n', pos);
    if (nl == std::string::npos) nl = text.size();
    raw = text.substr(pos, nl - pos);
    if (!raw.empty() && raw.back() == '\r') raw.pop_back();
    pos = nl + 1;
    ++number;
    return true;
  }
};

void checkShipsLine(const std::string &raw, const std::string &file, int lineNo) {
  if (raw.size() > kMaxShipsLine)
    throw ScenarioError(file, lineNo,
                        "a line of " + std::to_string(raw.size()) +
                            " bytes: the simulator reads at most 255 a line here and would stop reading the vessels");
}

}  // namespace

namespace {

std::string trimBlanks(const std::string &s) {
  std::size_t b = 0, e = s.size();
  while (b < e && isBlank(s[b])) ++b;
  while (e > b && isBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

}  // namespace

std::string cutLine(const std::string &raw) { return trimBlanks(raw.substr(0, raw.find(';'))); }

bool sameText(const std::string &a, const char *b) { return strcasecmp(a.c_str(), b) == 0; }

bool startsWithText(const char *text, const char *prefix) {
  return strncasecmp(text, prefix, std::strlen(prefix)) == 0;
}

ScenarioFile parseScenario(const std::string &text, const std::string &file) {
  unsigned char bad = 0;
  if (const int badLine = firstNonTextLine(text, bad)) {
    char what[80];
    std::snprintf(what, sizeof what, "not a scenario: byte 0x%02X is not text", unsigned(bad));
    throw ScenarioError(file, badLine, what);
  }
  ScenarioFile out;
  // A byte-order mark, which some editors put before the first line.
  Lines lines{text, std::size_t(text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0)};
  std::string raw;
  int shipsLine = 0;
  bool shipsSeen = false;
  while (lines.next(raw)) {
    const std::string line = cutLine(raw);
    if (!startsWithText(line.c_str(), "BEGIN_")) continue;
    const std::string name = upper(firstWord(line).substr(6));
    if (name == "SHIPS") {
      if (shipsSeen) continue;  // the first ships block is the one read
      shipsSeen = true;
      shipsLine = lines.number;
      for (;;) {
        if (!lines.next(raw)) throw ScenarioError(file, shipsLine, "BEGIN_SHIPS has no END_SHIPS");
        checkShipsLine(raw, file, lines.number);
        const std::string head = cutLine(raw);
        if (sameText(head, "END_SHIPS")) break;
        if (head.empty())
          throw ScenarioError(file, lines.number,
                              "a blank or comment line between vessel blocks: the simulator takes it for a vessel "
                              "without a name and stops");
        ScenarioVessel v;
        const std::size_t colon = head.find(':');
        v.name = head.substr(0, colon);
        v.className = colon == std::string::npos ? v.name : head.substr(colon + 1);
        v.line = lines.number;
        if (v.name.empty()) throw ScenarioError(file, lines.number, "vessel line without a name");
        for (;;) {
          if (!lines.next(raw)) throw ScenarioError(file, v.line, "vessel \"" + v.name + "\" has no END");
          std::string l = cutLine(raw);
          if (sameText(l, "END")) break;
          if (sameText(l, "END_SHIPS")) throw ScenarioError(file, lines.number, "vessel \"" + v.name + "\" has no END");
          v.lines.push_back({std::move(l), lines.number, raw.size()});
        }
        out.ships.push_back(std::move(v));
      }
      continue;
    }
    ScenarioBlock b;
    b.name = name;
    b.line = lines.number;
    b.text.push_back(raw);
    const std::string end = "END_" + name;
    for (;;) {
      if (!lines.next(raw)) throw ScenarioError(file, b.line, "BEGIN_" + name + " has no " + end);
      b.text.push_back(raw);
      // A description is text of its own: a ';' in it is no comment.
      if (sameText(firstWord(name == "DESC" ? trimBlanks(raw) : cutLine(raw)), end.c_str())) break;
    }
    out.blocks.push_back(std::move(b));
  }
  if (out.ships.empty()) {
    if (shipsLine) throw ScenarioError(file, shipsLine, "the BEGIN_SHIPS block holds no vessel: nothing to fly");
    throw ScenarioError(file, 0, "no BEGIN_SHIPS block: nothing to fly");
  }
  return out;
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
