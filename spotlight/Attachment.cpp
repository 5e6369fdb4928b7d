// Riding on a parent vessel: attaching the spotlight's "GS" point to one of
// the parent's points for children, detaching, and moving and turning that
// point of the parent so the lamp can sit anywhere on it. The placement is
// kept for the scenario and put back once after loading.
#include <cmath>
#include <cstddef>

#include "BeamWick2.h"
#include "vessel_common/PortableMath.h"
#include "TextFields.h"

namespace {

// Longest parent name the attach text may carry, zero excluded.
const std::size_t PARENT_NAME_MAX = 255;

// v turned by theta about n (Rodrigues' formula, n taken as it stands).
VECTOR3 Rotated(const VECTOR3 &v, const VECTOR3 &n, double theta) {
  double c, s;
  vmod::portableSinCos(theta, s, c);
  return v * c + crossp(n, v) * s + n * (dotp(n, v) * (1.0 - c));
}

}  // namespace

ATTACHMENTHANDLE beam_wick2::FindParentPoint(VESSEL **parentOut) const {
  if (!gsAttachment) return 0;
  const OBJHANDLE hParent = GetAttachmentStatus(gsAttachment);
  if (!hParent) return 0;
  VESSEL *parent = oapiGetVesselInterface(hParent);
  if (!parent) return 0;
  const OBJHANDLE self = GetHandle();
  const DWORD count = parent->AttachmentCount(false);
  for (DWORD i = 0; i < count; ++i) {
    const ATTACHMENTHANDLE point = parent->GetAttachmentHandle(false, i);
    if (point && parent->GetAttachmentStatus(point) == self) {
      if (parentOut) *parentOut = parent;
      return point;
    }
  }
  return 0;
}

// Text: the parent's name, then the index of its point for children (0 when
// left out).
bool beam_wick2::AttachToParent(const char *text) {
  if (!text) return false;
  const char *cursor = text;
  char name[PARENT_NAME_MAX + 1];
  if (!spot::NextWord(&cursor, name, sizeof name)) return false;
  long long index = 0;
  spot::NextInteger(&cursor, &index);

  const OBJHANDLE hParent = oapiGetObjectByName(name);
  // The name may be that of a planet or moon, which has no vessel interface.
  if (!hParent || !oapiIsVessel(hParent)) return false;
  VESSEL *parent = oapiGetVesselInterface(hParent);
  if (!parent) return false;
  if (index < 0 || index >= static_cast<long long>(parent->AttachmentCount(false))) return false;
  const ATTACHMENTHANDLE point = parent->GetAttachmentHandle(false, static_cast<DWORD>(index));
  if (!point || parent->GetAttachmentStatus(point)) return false;
  return parent->AttachChild(GetHandle(), point, gsAttachment);
}

// Lets go of every point of the parent that holds the spotlight.
void beam_wick2::DetachFromParent() {
  if (!gsAttachment) return;
  const OBJHANDLE hParent = GetAttachmentStatus(gsAttachment);
  if (!hParent) return;
  VESSEL *parent = oapiGetVesselInterface(hParent);
  if (!parent) return;
  const OBJHANDLE self = GetHandle();
  const DWORD count = parent->AttachmentCount(false);
  for (DWORD i = 0; i < count; ++i) {
    const ATTACHMENTHANDLE point = parent->GetAttachmentHandle(false, i);
    if (point && parent->GetAttachmentStatus(point) == self) parent->DetachChild(point, 0.0);
  }
}

void beam_wick2::ShiftAttachment(int axis, double sign) {
  VESSEL *parent = 0;
  const ATTACHMENTHANDLE point = FindParentPoint(&parent);
  if (!point) return;
  parent->GetAttachmentParams(point, attachPos, attachDir, attachRot);
  attachPos.data[axis] += sign * shiftStep;
  parent->SetAttachmentParams(point, attachPos, attachDir, attachRot);
}

// Turns the point's direction and rotation vectors together; its position
// stays. A point whose chosen axis has no length is not turned.
void beam_wick2::RotateAttachment(AttachAxis axis, double sign) {
  VESSEL *parent = 0;
  const ATTACHMENTHANDLE point = FindParentPoint(&parent);
  if (!point) return;
  parent->GetAttachmentParams(point, attachPos, attachDir, attachRot);

  VECTOR3 n;
  switch (axis) {
    case ATTACH_AXIS_NORMAL:
      n = crossp(attachDir, attachRot);
      if (!(length(n) > 0.0)) return;
      n = unit(n);
      break;
    case ATTACH_AXIS_DIR:
      n = attachDir;
      break;
    default:
      n = attachRot;
      break;
  }
  if (!(length(n) > 0.0)) return;

  const double theta = sign * SPOT_TWO_PI * rotateStep;
  parent->SetAttachmentParams(point, attachPos, Rotated(attachDir, n, theta), Rotated(attachRot, n, theta));
}

void beam_wick2::FetchAttachParams() {
  VESSEL *parent = 0;
  const ATTACHMENTHANDLE point = FindParentPoint(&parent);
  if (point) parent->GetAttachmentParams(point, savedAttachPos, savedAttachDir, savedAttachRot);
}

void beam_wick2::RestoreAttachParams() {
  VESSEL *parent = 0;
  const ATTACHMENTHANDLE point = FindParentPoint(&parent);
  if (point) parent->SetAttachmentParams(point, savedAttachPos, savedAttachDir, savedAttachRot);
}
