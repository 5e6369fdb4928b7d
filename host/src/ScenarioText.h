// The host's scenario text: the file split into its blocks and the ships
// into vessels; numbers written so that they read back to the same value.
#ifndef VHOST_SCENARIOTEXT_H
#define VHOST_SCENARIOTEXT_H

#include <string>
#include <vector>

#include "vhost/Records.h"

namespace vhost {
namespace detail {

struct ScenarioLine {
  std::string text;  // ';' comment cut, leading and trailing blanks removed; may be ""
  int line = 0;      // 1-based line number in the scenario file
  std::size_t length = 0;  // the line's bytes as it stands in the file
};

struct ScenarioVessel {
  std::string name, className;
  int line = 0;  // the NAME:CLASS line
  std::vector<ScenarioLine> lines;
};

// A block of the file other than the ships, "BEGIN_X ..." to "END_X", as
// it stands (its first and last line included).
struct ScenarioBlock {
  std::string name;  // X, upper case: "ENVIRONMENT", "FOCUS", "CAMERA", "MFD", "DESC", ...
  int line = 0;
  std::vector<std::string> text;
};

struct ScenarioFile {
  std::vector<ScenarioBlock> blocks;  // in file order
  std::vector<ScenarioVessel> ships;
};

// A scenario as the simulator reads it. Every line is cut at ';' and
// trimmed; blocks are found by their BEGIN_ line in any case. In the ships
// block a vessel line is NAME:CLASS (split at the first ':', blanks kept)
// or NAME alone (class NAME), its block ends at a line "END" in any case,
// and "END_SHIPS" in any case ends the list. Throws ScenarioError where the
// simulator would stop or lose the rest of the file: a blank or comment
// line between vessel blocks (a vessel with no name there), a vessel line
// (NAME:CLASS) of 256 bytes or more (its reader's line), a vessel block
// without END, a block without its END_ line; also for text that holds
// nothing to fly (no BEGIN_SHIPS block, an empty one, or bytes that are not
// text: a zero byte or a control character other than a tab or a line or
// page break). A UTF-8 byte-order mark before the first line is skipped.
ScenarioFile parseScenario(const std::string &text, const std::string &file);

// The longest line the simulator's ship list reader takes.
constexpr std::size_t kMaxShipsLine = 255;

// ';' comment cut, blanks at both ends removed.
std::string cutLine(const std::string &raw);

// Case-insensitive comparisons, as the simulator makes them.
bool sameText(const std::string &a, const char *b);
bool startsWithText(const char *text, const char *prefix);

// The shortest decimal text that reads back to exactly d.
std::string formatNumber(double d);
std::string formatVector(const VECTOR3 &v);

// True when a word of the line is a number that is not finite as C
// libraries print one ("nan", "-inf", "NAN", "-nan(ind)", "1.#INF") or a
// number too large for a double ("1e999"): a value no reader takes back.
// Words such as "Infinity" or "nanometre" are text.
bool holdsNonFiniteNumber(const std::string &line);

// The line's key: its first word.
std::string lineKey(const std::string &line);

// The longest vessel name the host accepts.
constexpr std::size_t kMaxVesselName = 255;

}  // namespace detail
}  // namespace vhost

#endif  // VHOST_SCENARIOTEXT_H
