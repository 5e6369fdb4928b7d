// Included before everything else when the modules build against the
// simulator's own SDK headers (scripts/build-windows --sdk). Those headers
// use min and max as the macros <windows.h> defines unless NOMINMAX is set;
// the build sets NOMINMAX, so that the C++ library's headers keep working,
// and gives the headers the standard library's functions under those names.
#ifndef VH_REAL_SDK_PRELUDE_H
#define VH_REAL_SDK_PRELUDE_H

#include <algorithm>

using std::max;
using std::min;

#endif  // VH_REAL_SDK_PRELUDE_H
