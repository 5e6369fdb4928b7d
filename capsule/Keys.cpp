// The crew's seven keys. A key only changes statuses, flags or the stage, or
// starts a separation; the time step does the rest.
#include "Tessavane.h"
#include "vessel_common/Mechanism.h"

namespace tarva {

namespace {

bool Held(const char *kstate, DWORD key) { return (static_cast<unsigned char>(kstate[key]) & 0x80) != 0; }

enum Modifiers { NO_MODIFIER, ALT_ONLY };

// Shift or Ctrl refuse every command; Alt tells a command key from a plain one.
bool ModifiersAre(const char *kstate, Modifiers wanted) {
  const bool shift = Held(kstate, OAPI_KEY_LSHIFT) || Held(kstate, OAPI_KEY_RSHIFT);
  const bool ctrl = Held(kstate, OAPI_KEY_LCONTROL) || Held(kstate, OAPI_KEY_RCONTROL);
  const bool alt = Held(kstate, OAPI_KEY_LALT) || Held(kstate, OAPI_KEY_RALT);
  if (shift || ctrl) return false;
  return alt == (wanted == ALT_ONLY);
}

}  // namespace

int Tessavane::clbkConsumeBufferedKey(DWORD key, bool down, char *kstate) {
  struct KeyCommand {
    DWORD key;
    Modifiers modifiers;
    void (Tessavane::*action)();
  };
  static const KeyCommand COMMANDS[] = {
      {OAPI_KEY_J, ALT_ONLY, &Tessavane::KeySeparate},
      {OAPI_KEY_B, ALT_ONLY, &Tessavane::KeyLights},
      {OAPI_KEY_O, ALT_ONLY, &Tessavane::KeyOrbital},
      {OAPI_KEY_L, ALT_ONLY, &Tessavane::JettisonLSP},
      {OAPI_KEY_A, NO_MODIFIER, &Tessavane::KeyHatch},
      {OAPI_KEY_P, ALT_ONLY, &Tessavane::KeyIns},
      {OAPI_KEY_K, ALT_ONLY, &Tessavane::JettisonCover},
  };
  if (!down) return 0;
  for (const KeyCommand &command : COMMANDS) {
    if (command.key != key) continue;
    if (!ModifiersAre(kstate, command.modifiers)) return 0;
    (this->*command.action)();
    return 1;  // consumed, even when the action's own guard did nothing
  }
  return 0;
}

// Outside the orbital stage nothing separates, but the current stage's
// configuration is still applied again at the next step.
void Tessavane::KeySeparate() {
  SeparateServiceModule();
  configPending = true;
}

// The strobe beacon's record is the host's live view of it.
void Tessavane::KeyLights() {
  lightsOn = !lightsOn;
  strobeBeacon.active = lightsOn;
  spotLight->Activate(lightsOn);
}

// Selecting the orbital stage also works the solar arrays. Once the service
// module has gone there is no orbital stage to go back to: the key is taken
// and changes nothing (else the service module's mass, tank and meshes
// would come back, and a second one could be separated).
void Tessavane::KeyOrbital() {
  if (stage == STAGE_REENTRY || stage == STAGE_LANDING) return;
  stage = STAGE_ORBITAL;
  configPending = true;
  vmod::ToggleMechanism(solarStatus);
}

void Tessavane::KeyHatch() { vmod::ToggleMechanism(hatchStatus); }

void Tessavane::KeyIns() { vmod::ToggleMechanism(insStatus); }

}  // namespace tarva
