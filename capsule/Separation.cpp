// The six pieces the capsule sheds. Each leaves as a vessel of another
// module's class, named after the capsule, at the capsule's place, with its
// attitude and rotation, moving with it plus a small push.
#include <cstring>

#include "CapsuleTables.h"
#include "Tessavane.h"

namespace tarva {

namespace {

// The host takes vessel names of up to this many characters.
const std::size_t MAX_VESSEL_NAME = 255;

// base followed by suffix in out (MAX_VESSEL_NAME + 1 bytes). The suffix is
// what tells the pieces apart, so it is kept whole and base is shortened
// when both do not fit.
void ComposeSeparatedName(char (&out)[MAX_VESSEL_NAME + 1], const char *base, const char *suffix) {
  const std::size_t suffixLength = std::strlen(suffix);
  const std::size_t room = MAX_VESSEL_NAME - suffixLength;
  std::size_t baseLength = 0;
  if (base)
    while (baseLength < room && base[baseLength] != '\0') ++baseLength;
  if (baseLength > 0) std::memcpy(out, base, baseLength);
  std::memcpy(out + baseLength, suffix, suffixLength + 1);
}

}  // namespace

void Tessavane::SpawnSeparatedVessel(const char *suffix, const char *className, const VECTOR3 &separationVelocity) {
  VESSELSTATUS vs;
  std::memset(&vs, 0, sizeof vs);
  GetStatus(vs);
  Local2Rel(_V(0, 0, 0), vs.rpos);
  VECTOR3 push;
  GlobalRot(separationVelocity, push);
  vs.rvel += push;
  char name[MAX_VESSEL_NAME + 1];
  ComposeSeparatedName(name, GetName(), suffix);
  oapiCreateVessel(name, className, vs);
}

void Tessavane::JettisonLES() {
  if (stage != STAGE_LAUNCH) return;
  RemoveMesh(idxLas);
  const SeparationSpec &piece = SEPARATIONS[SEP_LES];
  SpawnSeparatedVessel(piece.suffix, piece.className, piece.velocity);
}

// The LSP and the cover go with the service module: no vessels of their own,
// and their flags no longer matter once the stage is re-entry.
void Tessavane::SeparateServiceModule() {
  if (stage != STAGE_ORBITAL) return;
  configPending = true;
  SetReentryConfig();
  stage = STAGE_REENTRY;
  RemoveMesh(idxSm);
  RemoveMesh(idxLsp);
  RemoveMesh(idxSmCover);
  RemoveMesh(idxPalette);
  const SeparationSpec &piece = SEPARATIONS[SEP_SERVICE_MODULE];
  SpawnSeparatedVessel(piece.suffix, piece.className, piece.velocity);
}

void Tessavane::JettisonLSP() {
  if (stage != STAGE_ORBITAL || !lspActive) return;
  RemoveMesh(idxLsp);
  lspActive = false;
  const SeparationSpec &piece = SEPARATIONS[SEP_LSP];
  SpawnSeparatedVessel(piece.suffix, piece.className, piece.velocity);
}

void Tessavane::JettisonCover() {
  if (stage != STAGE_ORBITAL || !coverPresent) return;
  RemoveMesh(idxSmCover);
  coverPresent = false;
  const SeparationSpec &piece = SEPARATIONS[SEP_COVER];
  SpawnSeparatedVessel(piece.suffix, piece.className, piece.velocity);
}

void Tessavane::JettisonHeatShield() {
  RemoveMesh(idxShield);
  const SeparationSpec &piece = SEPARATIONS[SEP_SHIELD];
  SpawnSeparatedVessel(piece.suffix, piece.className, piece.velocity);
  // The hull under the shield is scorched.
  ShowMesh(idxCm, MESHVIS_NEVER);
  ShowMesh(idxCmBurned, MESHVIS_EXTERNAL);
}

// The capsule takes back its own aerodynamics; the main parachutes, already
// set opening by the caller, replace them later in the same step.
void Tessavane::ReleaseDrogue() {
  SetOwnAerodynamics();
  RemoveMesh(idxDrogue);
  const SeparationSpec &piece = SEPARATIONS[SEP_DROGUE];
  SpawnSeparatedVessel(piece.suffix, piece.className, piece.velocity);
}

void Tessavane::SetOwnAerodynamics() {
  SetCrossSections(OWN_CROSS_SECTIONS);
  SetPMI(OWN_PMI);
  SetRotDrag(OWN_ROT_DRAG);
}

}  // namespace tarva
