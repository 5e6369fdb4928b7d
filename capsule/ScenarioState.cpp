// The capsule's scenario lines: seven-letter keys followed by 1. Only the
// keys are kept; positions come back from the statuses at the first step,
// and the one-shot event flags and the lights are not saved.
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "Tessavane.h"
#include "vessel_common/Mechanism.h"

namespace tarva {

namespace {

const std::size_t KEY_LENGTH = 7;

// True when line starts with key (KEY_LENGTH letters), compared without
// regard to case. Stops at the end of a shorter line.
bool KeyIs(const char *line, const char *key) {
  for (std::size_t i = 0; i < KEY_LENGTH; ++i) {
    const unsigned char c = static_cast<unsigned char>(line[i]);
    if (c == '\0' || std::toupper(c) != static_cast<unsigned char>(key[i])) return false;
  }
  return true;
}

// The integer after the key, leading blanks allowed, anything after it
// ignored; no readable integer counts as 0, and a number too large to hold
// still counts as set.
bool ValueSet(const char *line) {
  char *end = 0;
  const long value = std::strtol(line + KEY_LENGTH, &end, 10);
  return end != line + KEY_LENGTH && value != 0;
}

struct StageKey {
  const char *key;
  int stage;
};
// Tested in this order; the first that matches takes the line.
const StageKey STAGE_KEYS[] = {
    {"LAUNCHL", STAGE_LAUNCH},
    {"REENTRY", STAGE_REENTRY},
    {"ORBITAL", STAGE_ORBITAL},
    {"LANDING", STAGE_LANDING},
};

// A key that takes effect: line starts with key and its value is non-zero.
bool KeyOn(const char *line, const char *key) { return KeyIs(line, key) && ValueSet(line); }

const StageKey *FindStageKey(const char *line) {
  for (const StageKey &k : STAGE_KEYS)
    if (KeyIs(line, k.key)) return &k;
  return 0;
}

void WriteKeyLine(FILEHANDLE scn, const char *key) {
  char item[] = "";
  char text[KEY_LENGTH + 3];
  std::snprintf(text, sizeof text, "%s 1", key);
  oapiWriteScenario_string(scn, item, text);
}

}  // namespace

void Tessavane::clbkSaveState(FILEHANDLE scn) {
  VESSEL2::clbkSaveState(scn);
  if (solarStatus == STATUS_OPEN) WriteKeyLine(scn, "SOLARPR");
  if (hatchOpen) WriteKeyLine(scn, "HATCHPR");
  if (lspActive) WriteKeyLine(scn, "LSPACTI");
  if (insActive) WriteKeyLine(scn, "INSACTI");
  if (coverPresent) WriteKeyLine(scn, "COVERPR");
  if (stage == STAGE_ORBITAL) WriteKeyLine(scn, "ORBITAL");
  if (stage == STAGE_LANDING) WriteKeyLine(scn, "LANDING");
  if (stage == STAGE_REENTRY) WriteKeyLine(scn, "REENTRY");
  // Without this line a capsule saved on the pad or in ascent would come
  // back in the orbital stage. Once the tower has gone it is left out: read
  // back, it would show the tower again and jettison it a second time. The
  // capsule then comes back in the orbital stage, without its tower.
  if (stage == STAGE_LAUNCH && !lesJettisoned) WriteKeyLine(scn, "LAUNCHL");
}

void Tessavane::clbkLoadStateEx(FILEHANDLE scn, void *status) {
  char *line = 0;
  while (oapiReadScenario_nextline(scn, line)) {
    if (!line) continue;
    // Each of these is tested on its own; their lines go on to the host too.
    if (KeyOn(line, "SOLARPR")) {
      solarDeployed = true;
      solarStatus = STATUS_OPEN;
    }
    if (KeyOn(line, "COVERPR")) coverPresent = true;
    if (KeyOn(line, "HATCHPR")) {
      hatchOpen = true;
      hatchStatus = STATUS_OPEN;
    }
    if (KeyOn(line, "INSACTI")) {
      insActive = true;
      insStatus = STATUS_OPEN;
    }
    if (KeyOn(line, "LSPACTI")) lspActive = true;

    // Stage keys: the last one read wins. Every other line is the host's.
    const StageKey *stageKey = FindStageKey(line);
    if (!stageKey) {
      ParseScenarioLineEx(line, status);
      continue;
    }
    if (!ValueSet(line)) continue;
    stage = stageKey->stage;
    configPending = true;
    if (stage == STAGE_LANDING) {
      landingDeployed = true;
      landingStatus = STATUS_OPEN;
    }
  }
}

}  // namespace tarva
