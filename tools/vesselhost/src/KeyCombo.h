// Key combinations as a script spells them: modifiers and one key joined by
// '+', e.g. "Alt+J", "Shift+Alt+B", "NumPad4", "RCtrl+Up".
#ifndef VESSELHOST_KEYCOMBO_H
#define VESSELHOST_KEYCOMBO_H

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Orbitersdk.h"

namespace vesselhost {

struct KeyCombo {
  std::string text;              // as written in the script
  DWORD key = 0;                 // 0 when the combo is modifiers only
  std::vector<DWORD> modifiers;  // scan codes, in the order written

  // Every scan code the combo holds down: modifiers first, then the key.
  std::vector<DWORD> allKeys() const;
};

// Reads a combo. Names are matched without regard to case. With
// modifiersOnly allowed, a combo may consist of modifiers alone (a held
// Shift, say); otherwise exactly one key is required. On failure returns
// nothing and says why in *error.
std::optional<KeyCombo> parseKeyCombo(std::string_view text, bool modifiersOnlyAllowed, std::string *error);

// The names a combo may use, for help texts.
std::string keyComboHelp();

}  // namespace vesselhost

#endif  // VESSELHOST_KEYCOMBO_H
