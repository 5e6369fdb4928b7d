#include "KeyCombo.h"

#include "vhost/KeyNames.h"

namespace vesselhost {

std::vector<DWORD> KeyCombo::allKeys() const {
  std::vector<DWORD> keys = modifiers;
  if (key) keys.push_back(key);
  return keys;
}

std::optional<KeyCombo> parseKeyCombo(std::string_view text, bool modifiersOnlyAllowed, std::string *error) {
  auto fail = [&](std::string why) -> std::optional<KeyCombo> {
    if (error) *error = std::move(why);
    return std::nullopt;
  };
  KeyCombo combo;
  combo.text = std::string(text);
  if (text.empty()) return fail("empty key combination");

  std::size_t begin = 0;
  while (begin <= text.size()) {
    std::size_t end = text.find('+', begin);
    if (end == std::string_view::npos) end = text.size();
    std::string_view part = text.substr(begin, end - begin);
    if (part.empty()) return fail("key combination \"" + combo.text + "\" has an empty part");

    const vhost::KeyName *named = vhost::findKey(part.data(), part.size());
    if (named && named->modifier) {
      for (DWORD m : combo.modifiers)
        if (m == named->code) return fail("modifier \"" + std::string(part) + "\" given twice in \"" + combo.text + "\"");
      combo.modifiers.push_back(named->code);
    } else if (named) {
      if (combo.key) return fail("key combination \"" + combo.text + "\" names more than one key");
      combo.key = named->code;
    } else {
      return fail("unknown key \"" + std::string(part) + "\" in \"" + combo.text + "\" (" + keyComboHelp() + ")");
    }
    begin = end + 1;
  }
  if (!combo.key && !modifiersOnlyAllowed)
    return fail("key combination \"" + combo.text + "\" names no key, only modifiers");
  return combo;
}

std::string keyComboHelp() {
  return "modifiers Shift, RShift, Ctrl, RCtrl, Alt, RAlt and one key A-Z, 0-9, NumPad0-NumPad9, "
         "Up, Down, Left, Right, joined by '+'";
}

}  // namespace vesselhost
