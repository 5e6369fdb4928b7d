// Class configuration files: <configDir>/<Class>.cfg with "Key = value"
// lines (";" starts a comment, keys compare without regard to case) and an
// optional BEGIN_ATTACHMENT ... END_ATTACHMENT block, one point a line:
//   C|P  px py pz  dx dy dz  rx ry rz  ID [LOOSE]
// C is a point for children, P a point by which the vessel hangs on a parent.
#ifndef VHOST_CLASSCONFIG_H
#define VHOST_CLASSCONFIG_H

#include <string>
#include <utility>
#include <vector>

#include "Orbitersdk.h"

namespace vhost {
namespace detail {

struct ConfigAttachment {
  bool toParent = false;
  VECTOR3 pos{}, dir{}, rot{};
  std::string id;
  bool loose = false;
};

struct ClassConfig {
  std::string path;
  bool exists = false;
  std::vector<std::pair<std::string, std::string>> items;  // keys lower case
  std::vector<ConfigAttachment> attachments;

  // The value of key (any case), or null.
  const std::string *find(const char *key) const;
  // The Module item, "" when there is none (a passive class).
  std::string module() const;
};

// A class name usable as a file name under the configuration folder.
bool usableClassName(const std::string &className);

// Reads the class's file; a class without a file gives exists == false.
// Throws ScenarioError (the file and line) for a bad attachment line.
ClassConfig readClassConfig(const std::string &dir, const std::string &className);

// Values of a configuration item, strictly: finite numbers and nothing
// after them. The host reads its own items (Size, Mass, ...) so.
bool readVectorValue(const std::string &text, VECTOR3 &v);
bool readDoubleValue(const std::string &text, double &d);
bool readIntValue(const std::string &text, int &i);
bool readBoolValue(const std::string &text, bool &b);

// Numbers of an item as oapiReadItem_vec and oapiReadItem_float give them to
// a plug-in: by formatted reading, as the simulator does. Each number reads
// as "%lf" reads it ("nan", "inf" and out-of-range numbers pass through) and
// text after the last one is not looked at; false unless all of them read.
bool scanVectorValue(const std::string &text, VECTOR3 &v);
bool scanDoubleValue(const std::string &text, double &d);

}  // namespace detail
}  // namespace vhost

#endif  // VHOST_CLASSCONFIG_H
