// Leaving the descent stage behind.
#include <cstring>

#include "Tessavane.h"

namespace {

const char DESCENT_STAGE_SUFFIX[] = "-DescentStage";
const char DESCENT_STAGE_CLASS[] = "Selvar_DM";
// The host's vessel names, terminator included.
const std::size_t STAGE_NAME_BUFFER = 256;

// The descent stage leaves at 0.2 m/s along the lander's -z axis.
const VECTOR3 SEPARATION_PUSH = {{0, 0, -0.1}};

// name + suffix in out. A name too long to take the whole suffix is
// shortened, so that every descent stage is made and keeps its suffix.
void DescentStageName(const char *name, char (&out)[STAGE_NAME_BUFFER]) {
  const std::size_t suffix = sizeof DESCENT_STAGE_SUFFIX - 1;
  std::size_t keep = name ? std::strlen(name) : 0;
  if (keep > STAGE_NAME_BUFFER - 1 - suffix) keep = STAGE_NAME_BUFFER - 1 - suffix;
  if (keep) std::memcpy(out, name, keep);
  std::memcpy(out + keep, DESCENT_STAGE_SUFFIX, suffix + 1);
}

}  // namespace

void Tessavane::SeparateDescentStage() {
  if (ascentOnly == 1) return;
  SetAscentConfig();

  VESSELSTATUS vs;
  GetStatus(vs);
  Local2Rel(_V(0, 0, 0), vs.rpos);
  VECTOR3 push;
  GlobalRot(SEPARATION_PUSH, push);
  vs.rvel += push;
  vs.rvel += push;

  char name[STAGE_NAME_BUFFER];
  DescentStageName(GetName(), name);
  oapiCreateVessel(name, DESCENT_STAGE_CLASS, vs);
}
