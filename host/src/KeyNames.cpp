#include "vhost/KeyNames.h"

#include <cctype>

namespace vhost {

const KeyName kKeyNames[] = {
    {"Shift", OAPI_KEY_LSHIFT, true},     {"RShift", OAPI_KEY_RSHIFT, true}, {"Ctrl", OAPI_KEY_LCONTROL, true},
    {"RCtrl", OAPI_KEY_RCONTROL, true},   {"Alt", OAPI_KEY_LALT, true},      {"RAlt", OAPI_KEY_RALT, true},
    {"A", OAPI_KEY_A, false},             {"B", OAPI_KEY_B, false},          {"C", OAPI_KEY_C, false},
    {"D", OAPI_KEY_D, false},             {"E", OAPI_KEY_E, false},          {"F", OAPI_KEY_F, false},
    {"G", OAPI_KEY_G, false},             {"H", OAPI_KEY_H, false},          {"I", OAPI_KEY_I, false},
    {"J", OAPI_KEY_J, false},             {"K", OAPI_KEY_K, false},          {"L", OAPI_KEY_L, false},
    {"M", OAPI_KEY_M, false},             {"N", OAPI_KEY_N, false},          {"O", OAPI_KEY_O, false},
    {"P", OAPI_KEY_P, false},             {"Q", OAPI_KEY_Q, false},          {"R", OAPI_KEY_R, false},
    {"S", OAPI_KEY_S, false},             {"T", OAPI_KEY_T, false},          {"U", OAPI_KEY_U, false},
    {"V", OAPI_KEY_V, false},             {"W", OAPI_KEY_W, false},          {"X", OAPI_KEY_X, false},
    {"Y", OAPI_KEY_Y, false},             {"Z", OAPI_KEY_Z, false},          {"0", OAPI_KEY_0, false},
    {"1", OAPI_KEY_1, false},             {"2", OAPI_KEY_2, false},          {"3", OAPI_KEY_3, false},
    {"4", OAPI_KEY_4, false},             {"5", OAPI_KEY_5, false},          {"6", OAPI_KEY_6, false},
    {"7", OAPI_KEY_7, false},             {"8", OAPI_KEY_8, false},          {"9", OAPI_KEY_9, false},
    {"NumPad0", OAPI_KEY_NUMPAD0, false}, {"NumPad1", OAPI_KEY_NUMPAD1, false}, {"NumPad2", OAPI_KEY_NUMPAD2, false},
    {"NumPad3", OAPI_KEY_NUMPAD3, false}, {"NumPad4", OAPI_KEY_NUMPAD4, false}, {"NumPad5", OAPI_KEY_NUMPAD5, false},
    {"NumPad6", OAPI_KEY_NUMPAD6, false}, {"NumPad7", OAPI_KEY_NUMPAD7, false}, {"NumPad8", OAPI_KEY_NUMPAD8, false},
    {"NumPad9", OAPI_KEY_NUMPAD9, false}, {"Up", OAPI_KEY_UP, false},         {"Down", OAPI_KEY_DOWN, false},
    {"Left", OAPI_KEY_LEFT, false},       {"Right", OAPI_KEY_RIGHT, false},
};
const std::size_t kKeyNameCount = sizeof kKeyNames / sizeof kKeyNames[0];

const char *keyName(DWORD code) {
  for (const KeyName &k : kKeyNames)
    if (k.code == code) return k.name;
  return nullptr;
}

const KeyName *findKey(const char *name, std::size_t length) {
  for (const KeyName &k : kKeyNames) {
    std::size_t i = 0;
    while (i < length && k.name[i] &&
           std::tolower(static_cast<unsigned char>(name[i])) == std::tolower(static_cast<unsigned char>(k.name[i])))
      ++i;
    if (i == length && !k.name[i]) return &k;
  }
  return nullptr;
}

}  // namespace vhost
