// Vessel classes: the host's VESSEL interface, the callback classes VESSEL2
// and VESSEL3 that plug-ins derive from, and animation components.
//
// Ownership: everything a VESSEL member creates (thrusters, groups,
// propellant resources, meshes, animations, lights, docking and attachment
// points) belongs to the host and lives as long as the vessel; the plug-in
// keeps only the handle or index. Beacons and animation components are the
// plug-in's: the host keeps the pointer it is given and reads through it, so
// the record must outlive its registration.
//
// Order: the host calls clbkSetClassCaps, then clbkLoadStateEx (when the
// scenario has the vessel), then clbkPostCreation, then per frame
// clbkPreStep, clbkConsumeDirectKey, clbkPostStep; buffered keys, drawing and
// cockpit callbacks come between frames. A member that uses a handle needs it
// made by an earlier call.
#ifndef ORBITER_VESSELAPI_H
#define ORBITER_VESSELAPI_H

#include "OrbiterTypes.h"
#include "OrbiterAPI.h"
#include "DrawAPI.h"

OAPI_HEADER_BEGIN

// ---------------------------------------------------------------------------
// Animation components: which mesh groups an animation moves and how. The
// plug-in owns the object; the host keeps the pointer (and the group list it
// points to) for as long as the animation exists, and asks it for its Type.
// There is no virtual destructor: a component is deleted as its own class.
class MGROUP_TRANSFORM {
public:
  MGROUP_TRANSFORM() : mesh(0), grp(0), ngrp(0) {}
  MGROUP_TRANSFORM(UINT _mesh, UINT *_grp, UINT _ngrp) : mesh(_mesh), grp(_grp), ngrp(_ngrp) {}
  enum TYPE { NULLTRANSFORM = 0, ROTATE = 1, TRANSLATE = 2, SCALE = 3 };
  virtual TYPE Type() const { return NULLTRANSFORM; }

  UINT mesh;  // mesh index, or LOCALVERTEXLIST
  UINT *grp;  // group indices
  UINT ngrp;  // number of groups
};

// Rotation of the groups about an axis through ref, by angle (radians) over
// the component's state range.
class MGROUP_ROTATE : public MGROUP_TRANSFORM {
public:
  MGROUP_ROTATE(UINT _mesh, UINT *_grp, UINT _ngrp, const VECTOR3 &_ref, const VECTOR3 &_axis, float _angle)
      : MGROUP_TRANSFORM(_mesh, _grp, _ngrp), ref(_ref), axis(_axis), angle(_angle) {}
  TYPE Type() const override { return ROTATE; }

  VECTOR3 ref;
  VECTOR3 axis;
  float angle;
};

// Translation of the groups by shift over the component's state range.
class MGROUP_TRANSLATE : public MGROUP_TRANSFORM {
public:
  MGROUP_TRANSLATE(UINT _mesh, UINT *_grp, UINT _ngrp, const VECTOR3 &_shift)
      : MGROUP_TRANSFORM(_mesh, _grp, _ngrp), shift(_shift) {}
  TYPE Type() const override { return TRANSLATE; }

  VECTOR3 shift;
};

// Scaling of the groups about ref by scale over the component's state range.
class MGROUP_SCALE : public MGROUP_TRANSFORM {
public:
  MGROUP_SCALE(UINT _mesh, UINT *_grp, UINT _ngrp, const VECTOR3 &_ref, const VECTOR3 &_scale)
      : MGROUP_TRANSFORM(_mesh, _grp, _ngrp), ref(_ref), scale(_scale) {}
  TYPE Type() const override { return SCALE; }

  VECTOR3 ref;
  VECTOR3 scale;
};

// ---------------------------------------------------------------------------
// The host's interface to one vessel. A plug-in gets one through its own
// base class or from oapiGetVesselInterface; the host checks every call and
// records a warning for a handle or index it never gave out.
//
// VESSEL has no virtual members and no virtual destructor; the callback
// classes below add the virtual table in front of it. A module's object is
// therefore destroyed as its own class, never through a VESSEL pointer.
class OAPIFUNC VESSEL {
public:
  VESSEL(OBJHANDLE hVessel, int fmodel = 1);

  // Identity.
  OAPI_CONST_RETURN OBJHANDLE GetHandle() const;
  // The vessel's name; the host's buffer, valid as long as the vessel.
  char *GetName() const;
  char *GetClassName() const;
  int GetFlightModel() const;
  // The interface class the object was built as: 0 for VESSEL, 1 for
  // VESSEL2, 2 for VESSEL3. The host reads it to know which callbacks the
  // object has.
  int Version() const { return version; }

  // Physical parameters.
  void SetEmptyMass(double m) const;
  double GetEmptyMass() const;
  double GetMass() const;
  void SetSize(double size) const;
  double GetSize() const;
  void SetCrossSections(const VECTOR3 &cs) const;
  void GetCrossSections(VECTOR3 &cs) const;
  void SetPMI(const VECTOR3 &pmi) const;
  void GetPMI(VECTOR3 &pmi) const;
  void SetRotDrag(const VECTOR3 &rd) const;
  void GetRotDrag(VECTOR3 &rd) const;
  void SetVisibilityLimit(double vislimit, double spotlimit = -1) const;
  void SetCW(double cw_z_pos, double cw_z_neg, double cw_x, double cw_y) const;
  void SetTrimScale(double scale) const;
  void SetPitchMomentScale(double scale) const;
  void SetBankMomentScale(double scale) const;
  void SetSurfaceFrictionCoeff(double mu_lng, double mu_lat) const;
  void ClearAirfoilDefinitions() const;
  void SetEnableFocus(bool enable) const;
  // Moves the centre of gravity by shift (vessel frame).
  void ShiftCG(const VECTOR3 &shift);
  void SetTouchdownPoints(const TOUCHDOWNVTX *tdvtx, DWORD ntdvtx) const;
  void SetTouchdownPoints(const VECTOR3 &pt1, const VECTOR3 &pt2, const VECTOR3 &pt3) const;

  // Camera.
  void SetCameraOffset(const VECTOR3 &co) const;
  void SetCameraDefaultDirection(const VECTOR3 &cd) const;
  void SetCameraDefaultDirection(const VECTOR3 &cd, double tilt) const;
  void SetCameraRotationRange(double left, double right, double up, double down) const;

  // Docking ports. SetDockParams defines the first port, creating it when
  // there is none.
  void SetDockParams(const VECTOR3 &pos, const VECTOR3 &dir, const VECTOR3 &rot) const;
  DOCKHANDLE CreateDock(const VECTOR3 &pos, const VECTOR3 &dir, const VECTOR3 &rot) const;
  bool DelDock(DOCKHANDLE hDock) const;
  void ClearDockDefinitions() const;
  UINT DockCount() const;
  DOCKHANDLE GetDockHandle(UINT n) const;
  OBJHANDLE GetDockStatus(DOCKHANDLE hDock) const;
  // 1 when the port is docked, 0 when free or when there is no such port.
  UINT DockingStatus(UINT port) const;

  // Propellant resources. mass -1 means full.
  PROPELLANT_HANDLE CreatePropellantResource(double maxmass, double mass = -1.0, double efficiency = 1.0) const;
  void DelPropellantResource(PROPELLANT_HANDLE &ph) const;
  void SetPropellantMaxMass(PROPELLANT_HANDLE ph, double maxmass) const;
  double GetPropellantMaxMass(PROPELLANT_HANDLE ph) const;
  void SetPropellantMass(PROPELLANT_HANDLE ph, double mass) const;
  double GetPropellantMass(PROPELLANT_HANDLE ph) const;
  void SetDefaultPropellantResource(PROPELLANT_HANDLE ph) const;
  DWORD GetPropellantCount() const;

  // Thrusters and thruster groups. CreateThruster makes dir a unit vector
  // and takes an isp0 of 0 or less as the default impulse (5e4 m/s); the
  // one-impulse SetThrusterIsp removes the pressure dependence.
  THRUSTER_HANDLE CreateThruster(const VECTOR3 &pos, const VECTOR3 &dir, double maxth0, PROPELLANT_HANDLE hp = 0,
                                 double isp0 = 0.0, double isp_ref = 0.0, double p_ref = 101.4e3) const;
  bool DelThruster(THRUSTER_HANDLE &th) const;
  DWORD GetThrusterCount() const;
  void SetThrusterRef(THRUSTER_HANDLE th, const VECTOR3 &pos) const;
  void SetThrusterDir(THRUSTER_HANDLE th, const VECTOR3 &dir) const;
  void SetThrusterMax0(THRUSTER_HANDLE th, double maxth0) const;
  void SetThrusterIsp(THRUSTER_HANDLE th, double isp) const;
  void SetThrusterIsp(THRUSTER_HANDLE th, double isp, double isp_ref, double p_ref = 101.4e3) const;
  void SetThrusterResource(THRUSTER_HANDLE th, PROPELLANT_HANDLE ph) const;
  // Groups the nth thrusters of th as the group of that type, replacing the
  // group the type had.
  THGROUP_HANDLE CreateThrusterGroup(THRUSTER_HANDLE *th, int nth, THGROUP_TYPE thgt) const;
  // Deletes the group of that type (and its thrusters when delth); false
  // when there is none.
  bool DelThrusterGroup(THGROUP_TYPE thgt, bool delth = false) const;
  bool DelThrusterGroup(THGROUP_HANDLE thg, bool delth = false) const;
  THGROUP_HANDLE GetThrusterGroupHandle(THGROUP_TYPE thgt) const;
  DWORD GetGroupThrusterCount(THGROUP_TYPE thgt) const;

  // Exhaust flames. AddExhaust returns the flame's identifier: one above the
  // identifier of the last flame in the list, 0 when there is none.
  // DelExhaust takes such an identifier (false when no flame has it); the
  // other flames keep theirs. GetExhaustCount is the number of flames.
  UINT AddExhaust(THRUSTER_HANDLE th, double lscale, double wscale, SURFHANDLE tex = 0) const;
  UINT AddExhaust(THRUSTER_HANDLE th, double lscale, double wscale, double lofs, SURFHANDLE tex = 0) const;
  bool DelExhaust(UINT idx) const;
  DWORD GetExhaustCount() const;

  // Meshes. AddMesh returns the mesh's index: the first slot a deleted mesh
  // left empty, else the next one; a null handle (a mesh file that was not
  // found) still takes one. DelMesh empties the slot (GetMeshCount stays)
  // and, unless retain_anim, removes the animation components on that mesh
  // with those below them; an animation left without components is reset
  // to 0. Visibility and other calls on an empty slot are not allowed.
  UINT AddMesh(MESHHANDLE hMesh, const VECTOR3 *ofs = 0) const;
  UINT AddMesh(const char *meshname, const VECTOR3 *ofs = 0) const;
  bool DelMesh(UINT idx, bool retain_anim = false) const;
  void SetMeshVisibilityMode(UINT idx, WORD mode) const;
  UINT GetMeshCount() const;
  // A visual's instance of mesh idx, for oapiSetMaterial; only valid between
  // clbkVisualCreated and clbkVisualDestroyed of that visual.
  DEVMESHHANDLE GetDevMesh(VISHANDLE vis, UINT idx) const;

  // Animations, indexed in creation order; an index stays valid for the
  // vessel's life. DelAnimation removes the components and resets the
  // state to 0. SetAnimation keeps the state as given; GetAnimation of an
  // index that does not exist is -1.
  UINT CreateAnimation(double initial_state) const;
  bool DelAnimation(UINT anim) const;
  ANIMATIONCOMPONENT_HANDLE AddAnimationComponent(UINT anim, double state0, double state1, MGROUP_TRANSFORM *trans,
                                                  ANIMATIONCOMPONENT_HANDLE parent = 0) const;
  bool SetAnimation(UINT anim, double state) const;
  double GetAnimation(UINT anim) const;

  // Beacons: the host keeps bs and reads it (and its pos and col) at every
  // frame until the beacon is deleted or cleared.
  void AddBeacon(BEACONLIGHTSPEC *bs);
  bool DelBeacon(BEACONLIGHTSPEC *bs);
  void ClearBeacons();

  // Lights; the host owns the emitter, the vessel keeps the pointer.
  LightEmitter *AddPointLight(const VECTOR3 &pos, double range, double att0, double att1, double att2,
                              COLOUR4 diffuse, COLOUR4 specular, COLOUR4 ambient) const;
  LightEmitter *AddSpotLight(const VECTOR3 &pos, const VECTOR3 &dir, double range, double att0, double att1,
                             double att2, double umbra, double penumbra, COLOUR4 diffuse, COLOUR4 specular,
                             COLOUR4 ambient) const;
  DWORD LightEmitterCount() const;
  const LightEmitter *GetLightEmitter(DWORD i) const;

  // Attachment points. toparent: a point by which this vessel hangs on a
  // parent; otherwise a point for a child.
  ATTACHMENTHANDLE CreateAttachment(bool toparent, const VECTOR3 &pos, const VECTOR3 &dir, const VECTOR3 &rot,
                                    const char *id, bool loose = false) const;
  bool DelAttachment(ATTACHMENTHANDLE attachment) const;
  void ClearAttachments() const;
  void SetAttachmentParams(ATTACHMENTHANDLE attachment, const VECTOR3 &pos, const VECTOR3 &dir,
                           const VECTOR3 &rot) const;
  void GetAttachmentParams(ATTACHMENTHANDLE attachment, VECTOR3 &pos, VECTOR3 &dir, VECTOR3 &rot) const;
  const char *GetAttachmentId(ATTACHMENTHANDLE attachment) const;
  // The vessel attached at that point, or null.
  OBJHANDLE GetAttachmentStatus(ATTACHMENTHANDLE attachment) const;
  DWORD AttachmentCount(bool toparent) const;
  DWORD GetAttachmentIndex(ATTACHMENTHANDLE attachment) const;
  ATTACHMENTHANDLE GetAttachmentHandle(bool toparent, DWORD i) const;
  // Attaches child by its point child_attachment to this vessel's point
  // attachment; false when either point is taken or child is this vessel.
  bool AttachChild(OBJHANDLE child, ATTACHMENTHANDLE attachment, ATTACHMENTHANDLE child_attachment) const;
  bool DetachChild(ATTACHMENTHANDLE attachment, double vel = 0.0) const;

  // State and frames.
  void GetStatus(VESSELSTATUS &status) const;
  void DefSetState(const VESSELSTATUS *status) const;
  void GetGlobalPos(VECTOR3 &pos) const;
  void GetGlobalVel(VECTOR3 &vel) const;
  void GetRelativePos(OBJHANDLE hRef, VECTOR3 &pos) const;
  void GetRelativeVel(OBJHANDLE hRef, VECTOR3 &vel) const;
  void GetRotationMatrix(MATRIX3 &R) const;
  // A point of the vessel frame relative to the reference body.
  void Local2Rel(const VECTOR3 &local, VECTOR3 &rel) const;
  void Local2Global(const VECTOR3 &local, VECTOR3 &global) const;
  void Global2Local(const VECTOR3 &global, VECTOR3 &local) const;
  // A direction of the vessel frame turned into the global frame.
  void GlobalRot(const VECTOR3 &rloc, VECTOR3 &rglob) const;
  OAPI_CONST_RETURN OBJHANDLE GetSurfaceRef() const;
  OAPI_CONST_RETURN OBJHANDLE GetGravityRef() const;
  // Altitude above the reference body's surface, m.
  double GetAltitude() const;
  bool GroundContact() const;

  // Scenario: hands a line the plug-in does not read to the host's own
  // reader (only inside clbkLoadStateEx, with its status pointer). A line
  // that is none of the host's is dropped.
  void ParseScenarioLineEx(char *line, void *status) const;

private:
  OBJHANDLE hVessel_;  // the host's handle of the vessel
  short flightModel_;

protected:
  short version;  // see Version()
};

// ---------------------------------------------------------------------------
// The callback interface. Every callback has a do-nothing default; the
// plug-in overrides what it needs. The host calls them through the object's
// virtual table, so they are listed in the host's slot order and nothing may
// be added, removed or moved.
class OAPIFUNC VESSEL2 : public VESSEL {
public:
  VESSEL2(OBJHANDLE hVessel, int fmodel = 1);

  // Defines the vessel's capabilities; cfg is the class configuration.
  virtual void clbkSetClassCaps(FILEHANDLE cfg);
  // Writes the vessel's scenario lines; the default writes the host's own.
  virtual void clbkSaveState(FILEHANDLE scn);
  // Reads the vessel's scenario lines; the default hands every line to
  // ParseScenarioLineEx.
  virtual void clbkLoadStateEx(FILEHANDLE scn, void *status);
  virtual void clbkSetStateEx(const void *status);
  virtual void clbkPostCreation();
  virtual void clbkFocusChanged(bool getfocus, OBJHANDLE hNewVessel, OBJHANDLE hOldVessel);
  virtual void clbkPreStep(double simt, double simdt, double mjd);
  virtual void clbkPostStep(double simt, double simdt, double mjd);
  virtual bool clbkPlaybackEvent(double simt, double event_t, const char *event_type, const char *event);
  virtual void clbkVisualCreated(VISHANDLE vis, int refcount);
  virtual void clbkVisualDestroyed(VISHANDLE vis, int refcount);
  // The HUD drawn on a device context (older form; see VESSEL3).
  virtual void clbkDrawHUD(int mode, const HUDPAINTSPEC *hps, HDC hDC);
  virtual void clbkRCSMode(int mode);
  virtual void clbkADCtrlMode(DWORD mode);
  virtual void clbkHUDMode(int mode);
  virtual void clbkMFDMode(int mfd, int mode);
  virtual void clbkNavMode(int mode, bool active);
  virtual void clbkDockEvent(int dock, OBJHANDLE mate);
  virtual void clbkAnimate(double simt);
  // Keys held this frame; kstate has 256 entries. Non-zero consumes them.
  virtual int clbkConsumeDirectKey(char *kstate);
  // A key pressed (down) or released; kstate holds the keys held with it.
  // Non-zero consumes the key.
  virtual int clbkConsumeBufferedKey(DWORD key, bool down, char *kstate);
  virtual bool clbkLoadGenericCockpit();
  virtual bool clbkLoadPanel(int id);
  virtual bool clbkPanelMouseEvent(int id, int event, int mx, int my);
  virtual bool clbkPanelRedrawEvent(int id, int event, SURFHANDLE surf);
  virtual bool clbkLoadVC(int id);
  virtual bool clbkVCMouseEvent(int id, int event, VECTOR3 &p);
  virtual bool clbkVCRedrawEvent(int id, int event, SURFHANDLE surf);
};

// Callbacks added after VESSEL2, in the host's slot order after VESSEL2's.
class OAPIFUNC VESSEL3 : public VESSEL2 {
public:
  VESSEL3(OBJHANDLE hVessel, int fmodel = 1);

  virtual bool clbkPanelMouseEvent(int id, int event, int mx, int my, void *context);
  virtual bool clbkPanelRedrawEvent(int id, int event, SURFHANDLE surf, void *context);
  virtual int clbkGeneric(int msgid = 0, int prm = 0, void *context = 0);
  virtual bool clbkLoadPanel2D(int id, PANELHANDLE hPanel, DWORD viewW, DWORD viewH);
  // Draws the HUD on skp (valid for this call only). The default draws the
  // host's standard HUD elements and returns true.
  virtual bool clbkDrawHUD(int mode, const HUDPAINTSPEC *hps, oapi::Sketchpad *skp);
  virtual void clbkRenderHUD(int mode, const HUDPAINTSPEC *hps, SURFHANDLE hDefaultTex);
  // The radiation pressure force on the vessel (N, vessel frame) and the
  // point it acts at, for the momentum flux mflux (N/m^2, vessel frame). The
  // default takes a cross section of size squared reflecting half again what
  // falls on it, acting at the centre of gravity.
  virtual void clbkGetRadiationForce(const VECTOR3 &mflux, VECTOR3 &F, VECTOR3 &pos);
};

OAPI_HEADER_END

#endif  // ORBITER_VESSELAPI_H
