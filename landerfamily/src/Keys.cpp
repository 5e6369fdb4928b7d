#include "landerfamily/Keys.h"

namespace landers {

bool CommandsRefused(const char *kstate) { return KEYMOD_SHIFT(kstate) || KEYMOD_CONTROL(kstate); }

bool AltHeld(const char *kstate) { return KEYMOD_ALT(kstate); }

}  // namespace landers
