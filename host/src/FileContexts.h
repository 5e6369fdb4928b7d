// What stands behind a file handle given to a plug-in: the scenario lines a
// running clbkLoadStateEx reads, the lines a clbkSaveState writes, the class
// configuration a clbkSetClassCaps reads items from. Apart from the core,
// which only points at the context now open, so that only the code that
// opens or serves a file handle sees them.
#ifndef VHOST_FILECONTEXTS_H
#define VHOST_FILECONTEXTS_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vhost {
namespace detail {

// Only pointed at here.
struct ClassConfig;
struct ScenarioLine;
struct LoadStatus;
class VesselImpl;

// The file handle of a running clbkLoadStateEx.
struct ReadContext {
  std::uint32_t id = 0;
  VesselImpl *vessel = nullptr;
  const std::vector<ScenarioLine> *lines = nullptr;
  std::size_t next = 0;
  std::vector<char> buffer;  // the line handed out, writable
  int currentLine = 0;
  const std::string *file = nullptr;
  LoadStatus *status = nullptr;  // what the host's lines handed back say
};

// The file handle of a running clbkSaveState.
struct WriteContext {
  std::uint32_t id = 0;
  VesselImpl *vessel = nullptr;
  std::vector<std::string> *out = nullptr;
  std::string unsound;  // key of the first line with a number that is not finite
};

// The file handle of a running clbkSetClassCaps.
struct ConfigContext {
  std::uint32_t id = 0;
  const ClassConfig *config = nullptr;
};

enum FileKind : std::uint32_t { FileRead = 1, FileWrite = 2, FileConfig = 3 };

}  // namespace detail
}  // namespace vhost

#endif  // VHOST_FILECONTEXTS_H
