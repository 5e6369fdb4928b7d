// Free host functions (oapi...), light emitters and module support. Unless a
// note says otherwise these may be called from any vessel callback; the host
// runs every callback on its one simulation thread.
#ifndef ORBITER_ORBITERAPI_H
#define ORBITER_ORBITERAPI_H

#include "OrbiterTypes.h"
#include "OrbiterKeys.h"

OAPI_HEADER_BEGIN

class VESSEL;

// ---------------------------------------------------------------------------
// Light emitters. Made by VESSEL::AddPointLight / AddSpotLight and owned by
// the host for the vessel's lifetime; the plug-in keeps the pointer and
// changes the light through it. The inline members read the record as the
// host keeps it.
class OAPIFUNC LightEmitter {
public:
  enum TYPE { LT_NONE, LT_POINT, LT_SPOT, LT_DIRECTIONAL };
  enum VISIBILITY { VIS_EXTERNAL = 1, VIS_COCKPIT = 2, VIS_ALWAYS = 3 };

  LightEmitter();
  LightEmitter(COLOUR4 diffuse, COLOUR4 specular, COLOUR4 ambient);

  TYPE GetType() const { return ltype; }
  VISIBILITY GetVisibility() const { return visibility; }
  void SetVisibility(VISIBILITY vis) { visibility = vis; }
  const COLOUR4 &GetDiffuseColour() const { return col_diff; }
  const COLOUR4 &GetSpecularColour() const { return col_spec; }
  const COLOUR4 &GetAmbientColour() const { return col_ambi; }

  void Activate(bool act);
  bool IsActive() const;

  // Position and direction in the vessel frame: the light's own copy, or a
  // vector of the caller's that the host reads live (the ...Ref forms).
  void SetPosition(const VECTOR3 &p);
  VECTOR3 GetPosition() const { return *pos; }
  void SetPositionRef(const VECTOR3 *p);
  const VECTOR3 *GetPositionRef() const;
  void ShiftExplicitPosition(const VECTOR3 &ofs);
  void SetDirection(const VECTOR3 &d);
  VECTOR3 GetDirection() const;
  void SetDirectionRef(const VECTOR3 *d);
  const VECTOR3 *GetDirectionRef() const;
  const OBJHANDLE GetObjectHandle() const { return hRef; }

  // Intensity 0..1, likewise own or live.
  void SetIntensity(double in);
  double GetIntensity() const;
  void SetIntensityRef(double *pin);
  const double *GetIntensityRef() const;

protected:
  // Binds the light to an object (the vessel); returns the previous one.
  OBJHANDLE Attach(OBJHANDLE hObj);
  OBJHANDLE Detach();

  TYPE ltype;
  VISIBILITY visibility;
  OBJHANDLE hRef;  // the object the light belongs to
  bool active;
  COLOUR4 col_diff;
  COLOUR4 col_spec;
  COLOUR4 col_ambi;
  const double *intens;  // &lintens, or the caller's
  double lintens;
  const VECTOR3 *pos;  // &lpos, or the caller's
  const VECTOR3 *dir;  // &ldir, or the caller's
  VECTOR3 lpos;
  VECTOR3 ldir;
};

// A light radiating in all directions, fading with distance as
// 1 / (att0 + att1 d + att2 d^2) up to its range.
class OAPIFUNC PointLight : public LightEmitter {
public:
  PointLight(OBJHANDLE hObj, const VECTOR3 &position, double maxRange, double att0, double att1, double att2);
  PointLight(OBJHANDLE hObj, const VECTOR3 &position, double maxRange, double att0, double att1, double att2,
             COLOUR4 diffuse, COLOUR4 specular, COLOUR4 ambient);
  double GetRange() const { return range; }
  void SetRange(double maxRange);
  const double *GetAttenuation() const { return att; }
  void SetAttenuation(double att0, double att1, double att2);

protected:
  double range;
  double att[3];
};

// A point light limited to a cone: full inside the umbra angle, fading to
// nothing at the penumbra angle (both full cone apertures, radians).
class OAPIFUNC SpotLight : public PointLight {
public:
  SpotLight(OBJHANDLE hObj, const VECTOR3 &position, const VECTOR3 &direction, double maxRange, double att0,
            double att1, double att2, double umbraAngle, double penumbraAngle);
  SpotLight(OBJHANDLE hObj, const VECTOR3 &position, const VECTOR3 &direction, double maxRange, double att0,
            double att1, double att2, double umbraAngle, double penumbraAngle, COLOUR4 diffuse, COLOUR4 specular,
            COLOUR4 ambient);
  double GetUmbra() const { return umbra; }
  double GetPenumbra() const { return penumbra; }
  void SetAperture(double umbraAngle, double penumbraAngle);

protected:
  double umbra;
  double penumbra;
};

// ---------------------------------------------------------------------------
// Simulation time.

// The simulation time (s). While a frame's vessels step (pre-step, flight,
// post-step) it is the frame's start; it moves on once they all have.
OAPIFUNC double oapiGetSimTime();
// Length of the last simulation step, s.
OAPIFUNC double oapiGetSimStep();
// Modified Julian date of the current frame.
OAPIFUNC double oapiGetSimMJD();

// ---------------------------------------------------------------------------
// Objects and vessels.

// The object (vessel or body) of that name, or null when there is none.
OAPIFUNC OBJHANDLE oapiGetObjectByName(char *name);
// The vessel of that name, or null.
OAPIFUNC OBJHANDLE oapiGetVesselByName(char *name);
// The number of vessels, and a vessel by its index (null when out of range).
OAPIFUNC DWORD oapiGetVesselCount();
OAPIFUNC OBJHANDLE oapiGetVesselByIndex(int index);
// The interface of a vessel; null for a handle that is no vessel. The host
// owns the object; it lives as long as the vessel.
OAPIFUNC VESSEL *oapiGetVesselInterface(OBJHANDLE hVessel);
// The vessel that has the input focus.
OAPIFUNC OBJHANDLE oapiGetFocusObject();
// True when the handle is a live object.
OAPIFUNC bool oapiIsVessel(OBJHANDLE hVessel);
// Creates a vessel of the class with that name and state in the running
// simulation; its class capabilities and post-creation run before this
// returns. Returns its handle, or null when it cannot be made.
OAPIFUNC OBJHANDLE oapiCreateVessel(const char *name, const char *classname, const VESSELSTATUS &status);
// Removes a vessel at the end of the current frame.
OAPIFUNC bool oapiDeleteVessel(OBJHANDLE hVessel, OBJHANDLE hAlternativeCameraTarget = 0);

// ---------------------------------------------------------------------------
// Scenario files (only inside clbkLoadStateEx / clbkSaveState, with the file
// handle given to the callback).

// Gives the next line of the vessel's block; false at its end. The line is
// the host's buffer, valid until the next call; the plug-in may edit it.
OAPIFUNC bool oapiReadScenario_nextline(FILEHANDLE scn, char *&line);
// Writes one line "item string" (just "string" when item is empty).
OAPIFUNC void oapiWriteScenario_string(FILEHANDLE scn, char *item, char *string);
OAPIFUNC void oapiWriteScenario_int(FILEHANDLE scn, char *item, int i);
OAPIFUNC void oapiWriteScenario_float(FILEHANDLE scn, char *item, double d);
OAPIFUNC void oapiWriteScenario_vec(FILEHANDLE scn, char *item, const VECTOR3 &vec);

// ---------------------------------------------------------------------------
// Class configuration items (only inside clbkSetClassCaps, with its handle).
// Each returns true and sets the value when the item is there.
OAPIFUNC bool oapiReadItem_string(FILEHANDLE f, char *item, char *string);
OAPIFUNC bool oapiReadItem_float(FILEHANDLE f, char *item, double &val);
OAPIFUNC bool oapiReadItem_int(FILEHANDLE f, char *item, int &val);
OAPIFUNC bool oapiReadItem_bool(FILEHANDLE f, char *item, bool &val);
OAPIFUNC bool oapiReadItem_vec(FILEHANDLE f, char *item, VECTOR3 &val);

// ---------------------------------------------------------------------------
// Meshes, materials and textures.

// Loads a mesh for this vessel's use; the caller hands it to AddMesh, which
// takes it over.
OAPIFUNC MESHHANDLE oapiLoadMesh(const char *fname);
// Loads a mesh once for the whole process; the host keeps it until it ends.
OAPIFUNC OAPI_CONST_RETURN MESHHANDLE oapiLoadMeshGlobal(const char *fname);
OAPIFUNC void oapiDeleteMesh(MESHHANDLE hMesh);
// Sets a material of a visual's mesh (from VESSEL::GetDevMesh). 0 on success.
OAPIFUNC int oapiSetMaterial(DEVMESHHANDLE hMesh, DWORD matidx, const MATERIAL *mat);
// A texture for exhaust flames; null when the host has none of that name.
OAPIFUNC SURFHANDLE oapiRegisterExhaustTexture(char *name);

// ---------------------------------------------------------------------------
// User interface.

// The host's one debug line, a writable buffer of 256 characters that the
// host shows at the bottom of the screen until it is changed.
OAPIFUNC char *oapiDebugString();
// Opens an input box with a title, optional initial text and a visible width
// in characters. When the user enters text the host calls Clbk with the box,
// the text and usrdata; the box closes when Clbk returns true.
OAPIFUNC void oapiOpenInputBox(char *title, bool (*Clbk)(void *, char *, void *), char *buf = 0, int vislen = 20,
                               void *usrdata = 0);
// COCKPIT_GENERIC, COCKPIT_PANELS or COCKPIT_VIRTUAL.
OAPIFUNC int oapiCockpitMode();
// Virtual cockpit set-up (only inside clbkLoadVC).
OAPIFUNC void oapiVCRegisterHUD(const VCHUDSPEC *spec);
OAPIFUNC void oapiVCRegisterMFD(int mfd, const VCMFDSPEC *spec);
OAPIFUNC void oapiVCSetNeighbours(int left, int right, int top, int bottom);
// Which of the host's default HUD displays are drawn (only inside clbkDrawHUD).
OAPIFUNC void oapiSetDefNavDisplay(int mode);
OAPIFUNC void oapiSetDefRCSDisplay(int mode);

OAPI_HEADER_END

#endif  // ORBITER_ORBITERAPI_H
