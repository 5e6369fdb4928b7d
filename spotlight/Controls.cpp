// The spotlight's keyboard: single presses switch the lamp, detach it and
// open the input boxes; keys held every frame aim the head, move and turn
// the parent's attachment point and dim the lamp.
#include <cmath>

#include "BeamWick2.h"
#include "TextFields.h"

namespace {

// NumPad1..3 move the parent's point along its x, y, z axes: Shift forward,
// Alt back.
struct ShiftKey {
  DWORD key;
  int axis;
};
const ShiftKey SHIFT_KEYS[] = {
    {OAPI_KEY_NUMPAD1, 0},
    {OAPI_KEY_NUMPAD2, 1},
    {OAPI_KEY_NUMPAD3, 2},
};

// NumPad4..6 turn the parent's point; only the first one held acts.
struct TurnKey {
  DWORD key;
  AttachAxis axis;
  double shiftSign;
  double altSign;
};
const TurnKey TURN_KEYS[] = {
    {OAPI_KEY_NUMPAD4, ATTACH_AXIS_NORMAL, -1.0, +1.0},
    {OAPI_KEY_NUMPAD5, ATTACH_AXIS_DIR, +1.0, -1.0},
    {OAPI_KEY_NUMPAD6, ATTACH_AXIS_ROT, +1.0, -1.0},
};

bool AttachAnswer(void *box, char *text, void *vessel) {
  (void)box;
  return vessel && static_cast<beam_wick2 *>(vessel)->AttachToParent(text);
}
bool RangeAnswer(void *box, char *text, void *vessel) {
  (void)box;
  return vessel && static_cast<beam_wick2 *>(vessel)->SetRangeFromText(text);
}
bool SpreadAnswer(void *box, char *text, void *vessel) {
  (void)box;
  return vessel && static_cast<beam_wick2 *>(vessel)->SetSpreadFromText(text);
}

char attachTitle[] = "Enter Parent Name & Att.Point Index";
char rangeTitle[] = "Enter Range(m)";
char spreadTitle[] = "Enter Spread Angle(deg)";

struct InputBox {
  char *title;
  int width;
  bool (*answer)(void *, char *, void *);
};
const InputBox ATTACH_BOX = {attachTitle, 40, AttachAnswer};
const InputBox RANGE_BOX = {rangeTitle, 30, RangeAnswer};
const InputBox SPREAD_BOX = {spreadTitle, 30, SpreadAnswer};

enum Command { CMD_DETACH, CMD_ATTACH_BOX, CMD_SWITCH_LAMP, CMD_RANGE_BOX, CMD_SPREAD_BOX };

// Single presses, looked up by whether Shift is held; Alt plays no part.
struct CommandKey {
  bool shift;
  DWORD key;
  Command command;
};
const CommandKey COMMAND_KEYS[] = {
    {true, OAPI_KEY_V, CMD_DETACH},
    {false, OAPI_KEY_V, CMD_ATTACH_BOX},
    {false, OAPI_KEY_B, CMD_SWITCH_LAMP},
    {false, OAPI_KEY_N, CMD_RANGE_BOX},
    {false, OAPI_KEY_M, CMD_SPREAD_BOX},
};

bool Held(const char *kstate, DWORD key) { return KEYDOWN(kstate, key) != 0; }

void OpenBox(const InputBox &box, beam_wick2 *vessel) {
  oapiOpenInputBox(box.title, box.answer, 0, box.width, vessel);
}

// Moves and turns the parent's point by the held NumPad keys; sign +1 for
// the Shift rows, -1 for the Alt rows.
void MoveHeldAttachment(beam_wick2 &vessel, const char *kstate, double sign) {
  for (const ShiftKey &k : SHIFT_KEYS)
    if (Held(kstate, k.key)) vessel.ShiftAttachment(k.axis, sign);
  for (const TurnKey &k : TURN_KEYS) {
    if (Held(kstate, k.key)) {
      vessel.RotateAttachment(k.axis, sign > 0 ? k.shiftSign : k.altSign);
      break;
    }
  }
}

// The number in an input box answer kept within lo..hi; 0 (and so lo) when
// the text holds none. False for a value that is not a number.
bool BoundedValue(const char *text, double lo, double hi, double *value) {
  if (!text) return false;
  double v = 0.0;
  spot::NextDouble(&text, &v);
  if (v < lo) v = lo;
  if (v > hi) v = hi;
  if (std::isnan(v)) return false;
  *value = v;
  return true;
}

}  // namespace

void beam_wick2::clbkPreStep(double simt, double simdt, double mjd) {
  (void)simt;
  (void)mjd;
  shiftStep = simdt * SPOT_SHIFT_RATE;
  rotateStep = simdt * SPOT_TURN_RATE;
  if (!attachRestored) {
    if (length(savedAttachDir) > 0.0 && length(savedAttachRot) > 0.0) RestoreAttachParams();
    attachRestored = 1;
  }
}

int beam_wick2::clbkConsumeBufferedKey(DWORD key, bool down, char *kstate) {
  if (!down) return 0;
  const bool shift = KEYMOD_SHIFT(kstate);
  for (const CommandKey &c : COMMAND_KEYS) {
    if (c.shift != shift || c.key != key) continue;
    switch (c.command) {
      case CMD_DETACH:
        DetachFromParent();
        break;
      case CMD_ATTACH_BOX:
        OpenBox(ATTACH_BOX, this);
        break;
      case CMD_SWITCH_LAMP:
        if (lampState == 0)
          SwitchLampOn();
        else if (lampState == 1)
          SwitchLampOff();
        break;
      case CMD_RANGE_BOX:
        OpenBox(RANGE_BOX, this);
        break;
      case CMD_SPREAD_BOX:
        OpenBox(SPREAD_BOX, this);
        break;
    }
    return 1;
  }
  return 0;
}

int beam_wick2::clbkConsumeDirectKey(char *kstate) {
  if (KEYMOD_ALT(kstate)) {
    MoveHeldAttachment(*this, kstate, -1.0);
  } else if (KEYMOD_SHIFT(kstate)) {
    MoveHeldAttachment(*this, kstate, +1.0);
    if (Held(kstate, OAPI_KEY_UP))
      AimElevation(+1.0);
    else if (Held(kstate, OAPI_KEY_DOWN))
      AimElevation(-1.0);
    if (Held(kstate, OAPI_KEY_RIGHT))
      AimAzimuth(+1.0);
    else if (Held(kstate, OAPI_KEY_LEFT))
      AimAzimuth(-1.0);
  } else if (Held(kstate, OAPI_KEY_J)) {
    // J dims while the lamp is on; held with K it still only dims.
    if (lampState == 1) AdjustIntensity(-SPOT_DIM_RATE * oapiGetSimStep());
  } else if (Held(kstate, OAPI_KEY_K) && lampState == 1) {
    AdjustIntensity(+SPOT_DIM_RATE * oapiGetSimStep());
  }
  return 0;
}

bool beam_wick2::SetRangeFromText(const char *text) {
  double value;
  if (!BoundedValue(text, SPOT_RANGE_MIN, SPOT_RANGE_MAX, &value)) return false;
  lightRange = value;
  ApplyLightParams();
  return true;
}

bool beam_wick2::SetSpreadFromText(const char *text) {
  double value;
  if (!BoundedValue(text, SPOT_SPREAD_MIN_DEG, SPOT_SPREAD_MAX_DEG, &value)) return false;
  spreadAngle = value * SPOT_DEG2RAD;
  ApplyLightParams();
  return true;
}
