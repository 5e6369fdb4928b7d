// The host's scenario text: the BEGIN_SHIPS block split into vessels, the
// host's own status lines read and written, numbers written so that they
// read back to the same value.
#ifndef VHOST_SCENARIOTEXT_H
#define VHOST_SCENARIOTEXT_H

#include <string>
#include <vector>

#include "vhost/Records.h"

namespace vhost {
namespace detail {

struct ScenarioLine {
  std::string text;  // leading and trailing blanks removed
  int line = 0;      // 1-based line number in the scenario file
};

struct ScenarioVessel {
  std::string name, className;
  int line = 0;  // the NAME:CLASS line
  std::vector<ScenarioLine> lines;
};

// The vessels of the text's BEGIN_SHIPS ... END_SHIPS block, in order.
// Throws ScenarioError for text that holds nothing to fly (no BEGIN_SHIPS
// block, an empty one, or bytes that are not text: a zero byte or a control
// character other than a tab or a line or page break), a vessel line
// without ":CLASS", a vessel block without END, a ships block without
// END_SHIPS, a name longer than the host's limit, a repeated name, or a
// host line whose values do not read. Blocks other than BEGIN_SHIPS
// ("BEGIN_X ..." to "END_X") and ";" comment lines outside vessels are read
// past; a UTF-8 byte-order mark before the first line is skipped.
std::vector<ScenarioVessel> parseShips(const std::string &text, const std::string &file);

// An ATTACHED line: this vessel's point for a parent `childPoint` hangs on
// point `parentPoint` of the vessel `parent`.
struct SavedAttachment {
  int childPoint = 0, parentPoint = 0;
  std::string parent;
  int line = 0;
};

enum class HostLineKind { NotHost, Read, Bad };

// Reads one of the host's own lines (STATUS, RPOS, RVEL, AROT, VROT, ALT,
// ATTACHED) into m or att. NotHost for any other line; Bad with a reason in
// error when the keyword is the host's but the values do not read.
HostLineKind readHostLine(const char *line, MotionRecord &m, SavedAttachment &att, bool &isAttachment,
                          std::string &error);

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
