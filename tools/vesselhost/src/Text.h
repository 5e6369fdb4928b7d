// Text from plug-ins into UTF-8 for the JSON outputs.
#ifndef VESSELHOST_TEXT_H
#define VESSELHOST_TEXT_H

#include <string>
#include <string_view>

namespace vesselhost {

// Every byte is a Latin-1 character (the HUD's character set).
std::string latin1ToUtf8(std::string_view bytes);

// Text that is already valid UTF-8 stays as it is; anything else is read as
// Latin-1, so no byte a plug-in writes can make an output unreadable.
std::string toUtf8(std::string_view bytes);

}  // namespace vesselhost

#endif  // VESSELHOST_TEXT_H
