// The host's state of one vessel: its record, the plug-in object that flies
// it and the host's own bookkeeping (attachment links, kept scenario lines).
// Apart from the core, which knows vessels only by pointer: a
// file includes this where it works on a vessel's state.
#ifndef VHOST_VESSELIMPL_H
#define VHOST_VESSELIMPL_H

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Handles.h"
#include "ScenarioText.h"
#include "StatusLines.h"
#include "vhost/Simulation.h"

namespace vhost {
namespace detail {

struct LoadedModule;

// One side of an attachment: the point's own id and what it is linked to.
struct AttachLink {
  std::uint32_t id = 0;
  std::uint32_t partnerSerial = 0;  // 0: free
  std::uint32_t partnerId = 0;
};

class VesselImpl final : public Vessel {
public:
  ~VesselImpl() override { releaseHandles(serial); }
  const VesselRecord &record() const override { return rec; }
  OBJHANDLE handle() const override { return makeHandle(HandleKind::Vessel, 0, serial); }
  VESSEL *plugin() const override { return pluginObject; }
  VESSEL *iface() const override { return pluginObject ? pluginObject : hostInterface.get(); }
  MATRIX3 rotation() const override;
  bool groundContact() const override {
    return rec.motion.contactOverride >= 0 ? rec.motion.contactOverride == 1 : rec.motion.landed;
  }

  std::uint32_t serial = 0;
  VesselRecord rec;
  VESSEL *pluginObject = nullptr;
  VESSEL2 *callbacks = nullptr;   // the plug-in's object, when it has callbacks
  VESSEL3 *callbacks3 = nullptr;  // ... and the HUD drawing ones
  std::unique_ptr<VESSEL> hostInterface;  // passive vessels
  LoadedModule *module = nullptr;
  int body = 0;  // index in kBodies

  std::vector<std::uint32_t> dockIds;  // parallel to rec.dockPorts
  std::uint32_t nextDockId = 0;
  std::vector<AttachLink> links;  // parallel to rec.attachments
  std::uint32_t nextAttachmentId = 0;

  std::vector<SavedAttachment> savedAttachments;  // ATTACHED lines, until all vessels exist
  std::string scenarioFile;

  std::uint32_t visualGeneration = 0;
  bool deleting = false;

  // A placement or flight step that would have made the motion non-finite
  // was refused, and said so; cleared by the next one that works.
  bool motionRefused = false;

  // The index of the attachment point with that id, -1 for none.
  int attachmentIndex(std::uint32_t id) const;
  int dockIndex(std::uint32_t id) const;
  // Point i's number among the points of its direction (as scenario lines
  // and GetAttachmentHandle count them).
  int pointNumber(int i) const;
  VISHANDLE visualHandle() const { return makeHandle(HandleKind::Visual, serial, visualGeneration); }
  double mass() const;
};

}  // namespace detail
}  // namespace vhost

#endif  // VHOST_VESSELIMPL_H
