// Attachment points: VESSEL's members and the host's links between a parent's
// point for children and a child's point for a parent.
#include <cmath>

#include "Handles.h"
#include "HostCore.h"
#include "Motion.h"
#include "Placement.h"
#include "VesselImpl.h"

using vhost::detail::Call;
using vhost::detail::enter;
using vhost::detail::HandleKind;
using vhost::detail::makeHandle;
using vhost::detail::VesselImpl;

namespace vhost {

int detail::VesselImpl::attachmentIndex(std::uint32_t id) const {
  for (std::size_t i = 0; i < links.size(); ++i)
    if (links[i].id == id) return int(i);
  return -1;
}

void Simulation::Impl::syncAttachment(VesselImpl &v, int i) {
  AttachmentRecord &r = v.rec.attachments[i];
  const detail::AttachLink &l = v.links[i];
  VesselImpl *other = l.partnerSerial ? findSerial(l.partnerSerial) : nullptr;
  r.attached = other;
  r.attachedPoint = other ? other->attachmentIndex(l.partnerId) : -1;
}

void Simulation::Impl::link(VesselImpl &parent, int pi, VesselImpl &child, int ci) {
  parent.links[pi].partnerSerial = child.serial;
  parent.links[pi].partnerId = child.links[ci].id;
  child.links[ci].partnerSerial = parent.serial;
  child.links[ci].partnerId = parent.links[pi].id;
  syncAttachment(parent, pi);
  syncAttachment(child, ci);
}

void Simulation::Impl::unlink(VesselImpl &v, int i) {
  detail::AttachLink &l = v.links[i];
  if (!l.partnerSerial) return;
  if (VesselImpl *other = findSerial(l.partnerSerial)) {
    int j = other->attachmentIndex(l.partnerId);
    if (j >= 0) {
      other->links[j].partnerSerial = 0;
      other->links[j].partnerId = 0;
      syncAttachment(*other, j);
    }
  }
  l.partnerSerial = 0;
  l.partnerId = 0;
  syncAttachment(v, i);
}

VesselImpl *Simulation::Impl::parentOf(const VesselImpl &v, int *childPoint, int *parentPoint) {
  for (std::size_t i = 0; i < v.links.size(); ++i) {
    if (!v.rec.attachments[i].toParent || !v.links[i].partnerSerial) continue;
    VesselImpl *p = findSerial(v.links[i].partnerSerial);
    if (!p) continue;
    if (childPoint) *childPoint = int(i);
    if (parentPoint) *parentPoint = p->attachmentIndex(v.links[i].partnerId);
    return p;
  }
  return nullptr;
}

int detail::VesselImpl::pointNumber(int i) const {
  int n = 0;
  for (int k = 0; k < i; ++k) n += rec.attachments[k].toParent == rec.attachments[i].toParent ? 1 : 0;
  return n;
}

void Simulation::Impl::followParent(VesselImpl &child, const char *call) {
  int ci = -1, pi = -1;
  VesselImpl *parent = parentOf(child, &ci, &pi);
  if (!parent || pi < 0) return;
  const detail::Body &body = detail::kBodies[parent->body];
  if (detail::placeOnPoint(parent->rec.motion, parent->rec.attachments[pi], child.rec.attachments[ci], body.radius,
                           child.rec.motion)) {
    child.motionRefused = false;
    if (child.body != parent->body) {
      child.body = parent->body;
      child.rec.motion.body = body.name;
    }
    return;
  }
  // Once a frame would be a warning a frame; one says it until it mends.
  if (child.motionRefused) return;
  child.motionRefused = true;
  warn(&child, call, "%s on point %d (\"%s\") of %s would not sit at a finite position; it stays where it was",
       child.rec.name.c_str(), parent->pointNumber(pi), parent->rec.attachments[pi].id.c_str(),
       parent->rec.name.c_str());
}

void Simulation::Impl::placeDescendants(VesselImpl &root) {
  // A walk down the tree that climbs back through parentOf, so that it
  // needs no stack of its own: v is the vessel whose points are being
  // looked at, i the next of them.
  VesselImpl *v = &root;
  std::size_t i = 0;
  for (;;) {
    VesselImpl *kid = nullptr;
    for (; i < v->links.size() && !kid; ++i)
      if (!v->rec.attachments[i].toParent) kid = findSerial(v->links[i].partnerSerial);
    if (kid) {
      followParent(*kid);
      v = kid;
      i = 0;
      continue;
    }
    if (v == &root) return;
    int pi = -1;
    v = parentOf(*v, nullptr, &pi);
    // Cycles are refused when links are made; a vessel without its parent
    // here would mean a broken link, and the walk ends rather than loops.
    if (!v || pi < 0) return;
    i = std::size_t(pi) + 1;
  }
}

bool Simulation::Impl::isAncestor(const VesselImpl *candidate, VesselImpl *v) {
  // A chain has no more links than there are vessels.
  for (std::size_t depth = 0; v && depth <= vessels.size(); ++depth) {
    if (v == candidate) return true;
    v = parentOf(*v);
  }
  return false;
}

}  // namespace vhost

namespace {

// Resyncs the records of every vessel linked to v's points (their indices
// of v's points may have moved).
void resyncPartners(vhost::Simulation::Impl &s, VesselImpl &v) {
  for (std::size_t i = 0; i < v.links.size(); ++i) {
    s.syncAttachment(v, int(i));
    if (!v.links[i].partnerSerial) continue;
    if (VesselImpl *o = s.findSerial(v.links[i].partnerSerial)) {
      int j = o->attachmentIndex(v.links[i].partnerId);
      if (j >= 0) s.syncAttachment(*o, j);
    }
  }
}

// The index of v's point behind h: -1 with a warning for a handle the host
// never gave out for v, -1 quietly for a point that is gone.
int pointOf(vhost::Simulation::Impl &s, const VesselImpl &v, const void *h, const char *call) {
  std::uint32_t owner = 0, id = 0;
  if (!vhost::detail::decodeHandle(h, HandleKind::Attachment, owner, id) || owner != v.serial ||
      id >= v.nextAttachmentId) {
    s.warn(&v, call, "not an attachment point handle of vessel %s", v.rec.name.c_str());
    return -1;
  }
  return v.attachmentIndex(id);
}

ATTACHMENTHANDLE handleOf(const VesselImpl &v, int i) {
  return makeHandle(HandleKind::Attachment, v.serial, v.links[i].id);
}

// Points are multiplied into positions and turns at every frame: a vector
// whose squared length overflows would turn them into infinities.
bool usablePoint(vhost::Simulation::Impl &s, const VesselImpl &v, const VECTOR3 &pos, const VECTOR3 &dir,
                 const VECTOR3 &rot, const char *call, const char *outcome) {
  using vhost::detail::isUsableVector;
  const char *bad = !isUsableVector(pos) ? "position" : !isUsableVector(dir) ? "direction"
                  : !isUsableVector(rot) ? "rotation" : nullptr;
  if (!bad) return true;
  s.warn(&v, call, "the %s vector is not finite or its squared length overflows; %s", bad, outcome);
  return false;
}

}  // namespace

ATTACHMENTHANDLE VESSEL::CreateAttachment(bool toparent, const VECTOR3 &pos, const VECTOR3 &dir, const VECTOR3 &rot,
                                          const char *id, bool loose) const {
  Call c = enter(hVessel_, "CreateAttachment", toparent, pos, dir, rot, id, loose);
  if (!c) return nullptr;
  if (!usablePoint(*c.sim, *c.v, pos, dir, rot, "CreateAttachment", "no point is made")) return nullptr;
  vhost::AttachmentRecord r;
  r.id = id ? id : "";
  r.toParent = toparent;
  r.pos = pos;
  r.dir = dir;
  r.rot = rot;
  r.loose = loose;
  c.v->rec.attachments.push_back(r);
  vhost::detail::AttachLink l;
  l.id = c.v->nextAttachmentId++;
  c.v->links.push_back(l);
  return handleOf(*c.v, int(c.v->links.size() - 1));
}

bool VESSEL::DelAttachment(ATTACHMENTHANDLE attachment) const {
  Call c = enter(hVessel_, "DelAttachment", attachment);
  if (!c) return false;
  int i = pointOf(*c.sim, *c.v, attachment, "DelAttachment");
  if (i < 0) return false;
  c.sim->unlink(*c.v, i);
  c.v->rec.attachments.erase(c.v->rec.attachments.begin() + i);
  c.v->links.erase(c.v->links.begin() + i);
  resyncPartners(*c.sim, *c.v);
  return true;
}

void VESSEL::ClearAttachments() const {
  Call c = enter(hVessel_, "ClearAttachments");
  if (!c) return;
  for (std::size_t i = 0; i < c.v->links.size(); ++i) c.sim->unlink(*c.v, int(i));
  c.v->rec.attachments.clear();
  c.v->links.clear();
}

void VESSEL::SetAttachmentParams(ATTACHMENTHANDLE attachment, const VECTOR3 &pos, const VECTOR3 &dir,
                                 const VECTOR3 &rot) const {
  Call c = enter(hVessel_, "SetAttachmentParams", attachment, pos, dir, rot);
  if (!c) return;
  int i = pointOf(*c.sim, *c.v, attachment, "SetAttachmentParams");
  if (i < 0) return;
  if (!usablePoint(*c.sim, *c.v, pos, dir, rot, "SetAttachmentParams", "the point stays as it was")) return;
  vhost::AttachmentRecord &r = c.v->rec.attachments[i];
  r.pos = pos;
  r.dir = dir;
  r.rot = rot;
}

void VESSEL::GetAttachmentParams(ATTACHMENTHANDLE attachment, VECTOR3 &pos, VECTOR3 &dir, VECTOR3 &rot) const {
  vhost::TraceValue out;
  Call c = enter(hVessel_, "GetAttachmentParams", attachment, out, out, out);
  if (!c) return;
  int i = pointOf(*c.sim, *c.v, attachment, "GetAttachmentParams");
  if (i < 0) return;
  const vhost::AttachmentRecord &r = c.v->rec.attachments[i];
  pos = r.pos;
  dir = r.dir;
  rot = r.rot;
}

const char *VESSEL::GetAttachmentId(ATTACHMENTHANDLE attachment) const {
  Call c = enter(hVessel_, "GetAttachmentId", attachment);
  if (!c) return "";
  int i = pointOf(*c.sim, *c.v, attachment, "GetAttachmentId");
  return i < 0 ? "" : c.v->rec.attachments[i].id.c_str();
}

OBJHANDLE VESSEL::GetAttachmentStatus(ATTACHMENTHANDLE attachment) const {
  Call c = enter(hVessel_, "GetAttachmentStatus", attachment);
  if (!c) return nullptr;
  int i = pointOf(*c.sim, *c.v, attachment, "GetAttachmentStatus");
  if (i < 0 || !c.v->links[i].partnerSerial) return nullptr;
  VesselImpl *o = c.sim->findSerial(c.v->links[i].partnerSerial);
  return o ? o->handle() : nullptr;
}

DWORD VESSEL::AttachmentCount(bool toparent) const {
  Call c = enter(hVessel_, "AttachmentCount", toparent);
  if (!c) return 0;
  DWORD n = 0;
  for (const vhost::AttachmentRecord &r : c.v->rec.attachments) n += r.toParent == toparent ? 1 : 0;
  return n;
}

DWORD VESSEL::GetAttachmentIndex(ATTACHMENTHANDLE attachment) const {
  Call c = enter(hVessel_, "GetAttachmentIndex", attachment);
  if (!c) return DWORD(-1);
  int i = pointOf(*c.sim, *c.v, attachment, "GetAttachmentIndex");
  return i < 0 ? DWORD(-1) : DWORD(c.v->pointNumber(i));
}

ATTACHMENTHANDLE VESSEL::GetAttachmentHandle(bool toparent, DWORD i) const {
  Call c = enter(hVessel_, "GetAttachmentHandle", toparent, i);
  if (!c) return nullptr;
  DWORD n = 0;
  for (std::size_t k = 0; k < c.v->rec.attachments.size(); ++k) {
    if (c.v->rec.attachments[k].toParent != toparent) continue;
    if (n++ == i) return handleOf(*c.v, int(k));
  }
  return nullptr;
}

bool VESSEL::AttachChild(OBJHANDLE child, ATTACHMENTHANDLE attachment, ATTACHMENTHANDLE child_attachment) const {
  Call c = enter(hVessel_, "AttachChild", child, attachment, child_attachment);
  if (!c) return false;
  vhost::Simulation::Impl &s = *c.sim;
  VesselImpl *kid = s.vesselOf(child);
  if (!kid) {
    s.warn(c.v, "AttachChild", "the child is no live vessel");
    return false;
  }
  int pi = pointOf(s, *c.v, attachment, "AttachChild");
  if (pi < 0) return false;
  if (c.v->rec.attachments[pi].toParent) {
    s.warn(c.v, "AttachChild", "the parent's point is a point for a parent, not for children");
    return false;
  }
  // The real host takes each of these and corrupts its own records: a
  // vessel on itself or below its own child never moves again, and a new
  // child on a taken point leaves the old one hanging on nothing.
  if (kid == c.v || s.isAncestor(kid, c.v)) {
    s.warn(c.v, "AttachChild", "%s cannot hang below itself or its own child; not attached", kid->rec.name.c_str());
    return false;
  }
  const int taken = c.v->links[pi].partnerSerial ? int(c.v->links[pi].partnerSerial) : 0;
  int ci = pointOf(s, *kid, child_attachment, "AttachChild");
  if (ci < 0) return false;
  if (!kid->rec.attachments[ci].toParent) {
    s.warn(c.v, "AttachChild", "the child's point is a point for children, not for a parent");
    return false;
  }
  if (taken && std::uint32_t(taken) != kid->serial) {
    s.warn(c.v, "AttachChild", "the parent's point %d holds another child already; not attached", pi);
    return false;
  }
  // The simulator solves for the child's attitude from the two points'
  // frames: vectors that are not at right angles make it divide by zero
  // (parallel or none) or come out skewed. Ours places the child soundly,
  // and says so.
  for (const vhost::AttachmentRecord *a : {&c.v->rec.attachments[pi], &kid->rec.attachments[ci]}) {
    const double dl = length(a->dir), rl = length(a->rot);
    if (!(dl > 0 && rl > 0) || std::fabs(dotp(a->dir, a->rot)) > 1e-6 * dl * rl)
      s.warn(c.v, "AttachChild", "point %s: its direction and rotation vectors are not at right angles",
             a->id.c_str());
  }
  // A child that hangs on a parent already is taken off it first, and
  // moves to the new point.
  int oldPoint = -1;
  if (VesselImpl *old = s.parentOf(*kid, nullptr, &oldPoint)) s.unlink(*old, oldPoint);
  s.link(*c.v, pi, *kid, ci);
  s.followParent(*kid, "AttachChild");
  s.placeDescendants(*kid);
  return true;
}

bool VESSEL::DetachChild(ATTACHMENTHANDLE attachment, double vel) const {
  Call c = enter(hVessel_, "DetachChild", attachment, vel);
  if (!c) return false;
  vhost::Simulation::Impl &s = *c.sim;
  int pi = pointOf(s, *c.v, attachment, "DetachChild");
  if (pi < 0) return false;
  if (c.v->rec.attachments[pi].toParent) {
    s.warn(c.v, "DetachChild", "the point is a point for a parent, not for children");
    return false;
  }
  VesselImpl *kid = c.v->links[pi].partnerSerial ? s.findSerial(c.v->links[pi].partnerSerial) : nullptr;
  if (!kid) return false;
  s.unlink(*c.v, pi);
  MATRIX3 R = vhost::detail::eulerRotation(c.v->rec.motion.arot);
  kid->rec.motion.rvel = c.v->rec.motion.rvel + mul(R, c.v->rec.attachments[pi].dir) * vel;
  return true;
}
