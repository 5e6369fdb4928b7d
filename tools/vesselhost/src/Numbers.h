// Strict number reading for command-line and script values: the whole text
// must be the number, and it must be finite.
#ifndef VESSELHOST_NUMBERS_H
#define VESSELHOST_NUMBERS_H

#include <string_view>

namespace vesselhost {

bool readNumber(std::string_view text, double &value);
// A whole number that fits an int.
bool readInt(std::string_view text, int &value);

}  // namespace vesselhost

#endif  // VESSELHOST_NUMBERS_H
