// The help block on the HUD: the spotlight's keys with its current range,
// spread and intensity, placed from the HUD's size.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "BeamWick2.h"

namespace {

const DWORD HUD_HELP_COLOUR = 0x66FF66;
const int HUD_LINE_SIZE = 256;
// Screens with a height to width ratio below this (wider than about 1.37:1)
// move the block right and up.
const double HUD_WIDE_RATIO = 0.7284;
const double HUD_SCALE_PER_PIXEL = 0.00130208;

enum HelpValue { HELP_NONE, HELP_RANGE, HELP_SPREAD_DEG, HELP_INTENSITY_PCT };

struct HelpLine {
  int k;  // line offset before scaling
  const char *format;
  HelpValue value;
};

// The spread line's degree sign is the single byte 0xB0 (Latin-1).
const HelpLine HELP_LINES[] = {
    {168, "[B] = Spotlight On/Off", HELP_NONE},
    {184, "[N] = Enter Range %0.1fm", HELP_RANGE},
    {200, "[M] = Enter Spread Angle %0.1f\xB0", HELP_SPREAD_DEG},
    {216, "[J]/[K] = -/+ Intensity %d%%", HELP_INTENSITY_PCT},
    {232, "[V]/[Shift+V] = Easy Attach/Detach", HELP_NONE},
    {248, "[Shift]+[Arrows] = Rotate Lamp Alt/Az", HELP_NONE},
    {280, "[Shift]/[Alt]+......", HELP_NONE},
    {296, "[NumPad1] = Shift Att. +/- X", HELP_NONE},
    {312, "[NumPad2] = Shift Att. +/- Y", HELP_NONE},
    {328, "[NumPad3] = Shift Att. +/- Z", HELP_NONE},
    {344, "[NumPad4] = Rotate Att. +/- X", HELP_NONE},
    {360, "[NumPad5] = Rotate Att. +/- Y", HELP_NONE},
    {376, "[NumPad6] = Rotate Att. +/- Z", HELP_NONE},
};

}  // namespace

bool beam_wick2::clbkDrawHUD(int mode, const HUDPAINTSPEC *hps, oapi::Sketchpad *skp) {
  VESSEL3::clbkDrawHUD(mode, hps, skp);
  oapiSetDefNavDisplay(0);
  oapiSetDefRCSDisplay(0);
  if (!hps || !skp) return true;

  const int W = hps->W, H = hps->H;
  const double scale = H * HUD_SCALE_PER_PIXEL;
  int x0 = 0, y0 = 0;
  if (static_cast<double>(H) / W < HUD_WIDE_RATIO) {
    x0 = static_cast<int>((static_cast<long long>(W) * 16 / 1024) * 10);
    y0 = static_cast<int>(std::trunc(-88 * scale));
  }

  // Intensity stays within 0..1, so the percentage always fits an int.
  const int intensityPct = static_cast<int>(std::trunc(intensity * 100));
  char line[HUD_LINE_SIZE];
  for (const HelpLine &h : HELP_LINES) {
    skp->SetTextColor(HUD_HELP_COLOUR);
    switch (h.value) {
      case HELP_NONE:
        std::snprintf(line, sizeof line, "%s", h.format);
        break;
      case HELP_RANGE:
        std::snprintf(line, sizeof line, h.format, lightRange);
        break;
      case HELP_SPREAD_DEG:
        std::snprintf(line, sizeof line, h.format, spreadAngle * SPOT_RAD2DEG);
        break;
      case HELP_INTENSITY_PCT:
        std::snprintf(line, sizeof line, h.format, intensityPct);
        break;
    }
    const int y = y0 - static_cast<int>(std::trunc(-h.k * scale));
    skp->Text(x0 + 10, y, line, static_cast<int>(std::strlen(line)));
  }
  return true;
}
