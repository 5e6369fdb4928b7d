#include "KeyCombo.h"

#include <cctype>

namespace vesselhost {
namespace {

struct KeyName {
  const char *name;
  DWORD code;
};

// Shift, Ctrl and Alt are the left-hand keys.
const KeyName kModifiers[] = {
    {"Shift", OAPI_KEY_LSHIFT}, {"RShift", OAPI_KEY_RSHIFT}, {"Ctrl", OAPI_KEY_LCONTROL},
    {"RCtrl", OAPI_KEY_RCONTROL}, {"Alt", OAPI_KEY_LALT},    {"RAlt", OAPI_KEY_RALT},
};

const KeyName kKeys[] = {
    {"A", OAPI_KEY_A},   {"B", OAPI_KEY_B},   {"C", OAPI_KEY_C},   {"D", OAPI_KEY_D},
    {"E", OAPI_KEY_E},   {"F", OAPI_KEY_F},   {"G", OAPI_KEY_G},   {"H", OAPI_KEY_H},
    {"I", OAPI_KEY_I},   {"J", OAPI_KEY_J},   {"K", OAPI_KEY_K},   {"L", OAPI_KEY_L},
    {"M", OAPI_KEY_M},   {"N", OAPI_KEY_N},   {"O", OAPI_KEY_O},   {"P", OAPI_KEY_P},
    {"Q", OAPI_KEY_Q},   {"R", OAPI_KEY_R},   {"S", OAPI_KEY_S},   {"T", OAPI_KEY_T},
    {"U", OAPI_KEY_U},   {"V", OAPI_KEY_V},   {"W", OAPI_KEY_W},   {"X", OAPI_KEY_X},
    {"Y", OAPI_KEY_Y},   {"Z", OAPI_KEY_Z},
    {"0", OAPI_KEY_0},   {"1", OAPI_KEY_1},   {"2", OAPI_KEY_2},   {"3", OAPI_KEY_3},
    {"4", OAPI_KEY_4},   {"5", OAPI_KEY_5},   {"6", OAPI_KEY_6},   {"7", OAPI_KEY_7},
    {"8", OAPI_KEY_8},   {"9", OAPI_KEY_9},
    {"NumPad0", OAPI_KEY_NUMPAD0}, {"NumPad1", OAPI_KEY_NUMPAD1}, {"NumPad2", OAPI_KEY_NUMPAD2},
    {"NumPad3", OAPI_KEY_NUMPAD3}, {"NumPad4", OAPI_KEY_NUMPAD4}, {"NumPad5", OAPI_KEY_NUMPAD5},
    {"NumPad6", OAPI_KEY_NUMPAD6}, {"NumPad7", OAPI_KEY_NUMPAD7}, {"NumPad8", OAPI_KEY_NUMPAD8},
    {"NumPad9", OAPI_KEY_NUMPAD9},
    {"Up", OAPI_KEY_UP}, {"Down", OAPI_KEY_DOWN}, {"Left", OAPI_KEY_LEFT}, {"Right", OAPI_KEY_RIGHT},
};

bool sameName(std::string_view a, const char *b) {
  std::size_t i = 0;
  for (; i < a.size() && b[i]; ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return i == a.size() && !b[i];
}

template <std::size_t N>
const KeyName *lookUp(const KeyName (&table)[N], std::string_view name) {
  for (const KeyName &k : table)
    if (sameName(name, k.name)) return &k;
  return nullptr;
}

}  // namespace

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

    if (const KeyName *mod = lookUp(kModifiers, part)) {
      for (DWORD m : combo.modifiers)
        if (m == mod->code) return fail("modifier \"" + std::string(part) + "\" given twice in \"" + combo.text + "\"");
      combo.modifiers.push_back(mod->code);
    } else if (const KeyName *key = lookUp(kKeys, part)) {
      if (combo.key) return fail("key combination \"" + combo.text + "\" names more than one key");
      combo.key = key->code;
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
