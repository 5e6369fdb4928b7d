// The spotlight's scenario lines, after the host's own:
//   SPT lampState lightRange spreadAngle
//   PAT pos.x pos.y pos.z dir.x dir.y dir.z rot.x rot.y rot.z   (parent's point)
//   GBL elevation azimuth
// A field that is missing keeps its value. So does one that is not a finite
// number, and a light range that is not above zero: such values would turn
// the light's attenuation, the beacon and the parent's attachment point into
// infinities or NaNs. PAT's three vectors are each taken whole or not at all.
// A range, direction or rotation so small that its save would write zeros is
// kept out too, so that a scenario reloads as it ran.
// Elevation and azimuth are brought into 0..1.
#include <climits>
#include <cmath>
#include <cstdio>

#include "BeamWick2.h"
#include "TextFields.h"

namespace {

// Room for nine fixed-decimal fields of any finite double ("%0.4f" of the
// largest double is 315 characters) plus the key, so a save never cuts a line.
const int STATE_LINE_SIZE = 3072;

char noItem[] = "";

// The smallest size that "%0.4f" writes as other than zero.
const double SMALLEST_SAVED = 0.00005;

bool IsFinite(double v) { return std::isfinite(v); }
bool SavesAsZero(double v) { return std::fabs(v) < SMALLEST_SAVED; }
// A range of zero has no attenuation (2 / range²), and one that saves as zero
// would reload as no range at all.
bool IsUsableRange(double v) { return std::isfinite(v) && v >= SMALLEST_SAVED; }

// Reads up to n numbers from text into fields, in order, stopping at the
// first that does not read; a number that accept refuses is read past and
// leaves its field alone.
void ReadFields(const char *text, double *const *fields, int n, bool (*accept)(double)) {
  for (int i = 0; i < n; ++i) {
    double v;
    if (!spot::NextDouble(&text, &v)) return;
    if (accept(v)) *fields[i] = v;
  }
}

// Reads the next three fields over v, as far as they go; false when the
// text ran out. The vector is taken whole or not at all: a field that is not
// a finite number, or a squared length that overflows (it would make the
// parent's point, and the spotlight placed on it, infinite), keeps v as it
// was, so that no one is left with a vector nobody wrote. So does an axis
// (a direction or rotation) that is not zero but would be saved as zeros:
// it turns the point now and would leave it unturned after a reload.
bool ReadVector(const char **text, VECTOR3 *v, bool isAxis) {
  VECTOR3 read = *v;
  int n = 0;
  while (n < 3 && spot::NextDouble(text, &read.data[n])) ++n;
  bool usable = n > 0 && IsFinite(read.x) && IsFinite(read.y) && IsFinite(read.z) && IsFinite(dotp(read, read));
  if (usable && isAxis && SavesAsZero(read.x) && SavesAsZero(read.y) && SavesAsZero(read.z))
    usable = read.x == 0.0 && read.y == 0.0 && read.z == 0.0;
  if (usable) *v = read;
  return n == 3;
}

void WriteLine(FILEHANDLE scn, char *line) { oapiWriteScenario_string(scn, noItem, line); }

}  // namespace

void beam_wick2::clbkSaveState(FILEHANDLE scn) {
  // Until the first step puts the placement read from the scenario on the
  // parent's point, that placement is what stands to be saved.
  const bool placementPending = !attachRestored && length(savedAttachDir) > 0.0 && length(savedAttachRot) > 0.0;
  if (!placementPending) FetchAttachParams();
  VESSEL2::clbkSaveState(scn);

  char line[STATE_LINE_SIZE];
  std::snprintf(line, sizeof line, "SPT %d %0.4f %0.4f", lampState, lightRange, spreadAngle);
  WriteLine(scn, line);
  std::snprintf(line, sizeof line, "PAT %0.4f %0.4f %0.4f %0.4f %0.4f %0.4f %0.4f %0.4f %0.4f",
                savedAttachPos.x, savedAttachPos.y, savedAttachPos.z, savedAttachDir.x, savedAttachDir.y,
                savedAttachDir.z, savedAttachRot.x, savedAttachRot.y, savedAttachRot.z);
  WriteLine(scn, line);
  std::snprintf(line, sizeof line, "GBL %0.5f %0.5f", elevation, azimuth);
  WriteLine(scn, line);
}

// True when the line is one of the spotlight's own.
bool beam_wick2::ReadStateLine(char *line) {
  // A matching key guarantees three characters before the fields.
  const bool isSpt = spot::SameKeyNoCase(line, "SPT", 3);
  const bool isPat = !isSpt && spot::SameKeyNoCase(line, "PAT", 3);
  const bool isGbl = !isSpt && !isPat && spot::SameKeyNoCase(line, "GBL", 3);
  if (!isSpt && !isPat && !isGbl) return false;
  const char *fields = line + 3;
  if (isSpt) {
    long long state;
    if (!spot::NextInteger(&fields, &state)) return true;
    if (state >= INT_MIN && state <= INT_MAX) lampState = static_cast<int>(state);
    double range;
    if (!spot::NextDouble(&fields, &range)) return true;
    if (IsUsableRange(range)) lightRange = range;
    double *const spread[] = {&spreadAngle};
    ReadFields(fields, spread, 1, IsFinite);
    return true;
  }
  if (isPat) {
    if (ReadVector(&fields, &savedAttachPos, false) && ReadVector(&fields, &savedAttachDir, true))
      ReadVector(&fields, &savedAttachRot, true);
    return true;
  }
  double *const aim[] = {&elevation, &azimuth};
  ReadFields(fields, aim, 2, IsFinite);
  // Both are animation states of the head, which run over 0..1: a tilt past
  // a stop is held at it, a turn of more than a revolution keeps its
  // remainder. A huge angle would otherwise turn the light's direction into
  // NaN.
  if (elevation < 0.0) elevation = 0.0;
  if (elevation > 1.0) elevation = 1.0;
  if (azimuth < 0.0 || azimuth > 1.0) azimuth -= std::floor(azimuth);
  return true;
}

void beam_wick2::clbkLoadStateEx(FILEHANDLE scn, void *status) {
  char *line;
  while (oapiReadScenario_nextline(scn, line)) {
    if (!ReadStateLine(line)) ParseScenarioLineEx(line, status);
  }
  SetAnimation(elevationAnim, elevation);
  SetAnimation(azimuthAnim, azimuth);
  UpdateLightDirection();
}
