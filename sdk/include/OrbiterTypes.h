// Basic types, records, constants and vector helpers of the host SDK.
// Everything here is plain data or inline; nothing in this header needs the
// host library at run time.
#ifndef ORBITER_TYPES_H
#define ORBITER_TYPES_H

#include <cmath>
#include <cstddef>
#include <cstdint>

// ---------------------------------------------------------------------------
// Linkage. OAPIFUNC marks what the host implements; DLLCLBK marks a plug-in's
// undecorated entry points (ovcInit, ovcExit, ModuleDate, ...). A host that
// exports the SDK by a list of its own (windows/host) defines OAPIFUNC empty.
#if defined(_WIN32)
#  if defined(OAPIFUNC)
#  elif defined(OAPI_BUILDING_HOST)
#    define OAPIFUNC __declspec(dllexport)
#  else
#    define OAPIFUNC __declspec(dllimport)
#  endif
#  define DLLCLBK extern "C" __declspec(dllexport)
#else
#  define OAPIFUNC __attribute__((visibility("default")))
#  define DLLCLBK extern "C" __attribute__((visibility("default")))
#endif

// ---------------------------------------------------------------------------
// Editions. A module binds to the host by the MSVC names of what it calls, and
// a name includes the constness of a returned value. The 2016 host returns a
// plain handle from a few getters (VESSEL::GetHandle, GetSurfaceRef,
// GetGravityRef, oapiLoadMeshGlobal) where later hosts return a const one;
// its sketchpad also has const font, pen and brush setters. Define
// ORBITER_EDITION_2016 to build for the 2016 host; without it the headers
// declare what later hosts export.
#if defined(ORBITER_EDITION_2016)
#  define OAPI_CONST_RETURN
#else
#  define OAPI_CONST_RETURN const
#endif

// A const handle returned by value means nothing to the caller, only to the
// name it binds by; the compilers' warning about it is kept quiet inside the
// SDK's declarations.
#if defined(__GNUC__) || defined(__clang__)
#  define OAPI_HEADER_BEGIN _Pragma("GCC diagnostic push") _Pragma("GCC diagnostic ignored \"-Wignored-qualifiers\"")
#  define OAPI_HEADER_END _Pragma("GCC diagnostic pop")
#else
#  define OAPI_HEADER_BEGIN
#  define OAPI_HEADER_END
#endif

// ---------------------------------------------------------------------------
// Integer and system types with the host's names.
#if defined(_WIN32)
#  include <windows.h>
#else
typedef std::uint32_t DWORD;
typedef std::uint16_t WORD;
typedef std::uint8_t BYTE;
typedef unsigned int UINT;
typedef void *HINSTANCE;
typedef void *HDC;
#endif

// ---------------------------------------------------------------------------
// Handles. All are opaque to the plug-in; the host gives them out and checks
// them when they come back.
typedef void *OBJHANDLE;
typedef void *VISHANDLE;
typedef void *MESHHANDLE;
typedef int *DEVMESHHANDLE;
typedef void *SURFHANDLE;
typedef void *FILEHANDLE;
typedef void *PROPELLANT_HANDLE;
typedef void *THRUSTER_HANDLE;
typedef void *THGROUP_HANDLE;
typedef void *DOCKHANDLE;
typedef void *ATTACHMENTHANDLE;
typedef void *ANIMATIONCOMPONENT_HANDLE;
typedef void *PANELHANDLE;

// ---------------------------------------------------------------------------
// Constants.
const double PI = 3.14159265358979323846;
const double PI05 = 1.57079632679489661923;
const double PI2 = 6.28318530717958647693;
const double RAD = PI / 180.0;  // degrees to radians
const double DEG = 180.0 / PI;  // radians to degrees

// Mesh visibility modes (SetMeshVisibilityMode).
#define MESHVIS_NEVER 0x00
#define MESHVIS_EXTERNAL 0x01
#define MESHVIS_COCKPIT 0x02
#define MESHVIS_ALWAYS (MESHVIS_EXTERNAL | MESHVIS_COCKPIT)
#define MESHVIS_VC 0x04
#define MESHVIS_EXTPASS 0x10

// Beacon shapes (BEACONLIGHTSPEC::shape).
#define BEACONSHAPE_COMPACT 0
#define BEACONSHAPE_DIFFUSE 1
#define BEACONSHAPE_STAR 2

// Cockpit modes (oapiCockpitMode).
#define COCKPIT_GENERIC 1
#define COCKPIT_PANELS 2
#define COCKPIT_VIRTUAL 3

// Vertex list marker for an animation component that moves free points
// instead of mesh groups.
#define LOCALVERTEXLIST ((UINT)(-1))

// Thruster group types.
typedef enum {
  THGROUP_MAIN = 0,
  THGROUP_RETRO = 1,
  THGROUP_HOVER = 2,
  THGROUP_ATT_PITCHUP = 3,
  THGROUP_ATT_PITCHDOWN = 4,
  THGROUP_ATT_YAWLEFT = 5,
  THGROUP_ATT_YAWRIGHT = 6,
  THGROUP_ATT_BANKLEFT = 7,
  THGROUP_ATT_BANKRIGHT = 8,
  THGROUP_ATT_RIGHT = 9,
  THGROUP_ATT_LEFT = 10,
  THGROUP_ATT_UP = 11,
  THGROUP_ATT_DOWN = 12,
  THGROUP_ATT_FORWARD = 13,
  THGROUP_ATT_BACK = 14,
  THGROUP_USER = 0x40,
  THGROUP_USER_LAST = 0xFF
} THGROUP_TYPE;

// ---------------------------------------------------------------------------
// Vectors and matrices.
typedef union {
  double data[3];
  struct {
    double x, y, z;
  };
} VECTOR3;

typedef union {
  double data[9];
  struct {
    double m11, m12, m13, m21, m22, m23, m31, m32, m33;
  };
} MATRIX3;

inline VECTOR3 _V(double x, double y, double z) {
  VECTOR3 v;
  v.x = x;
  v.y = y;
  v.z = z;
  return v;
}

inline MATRIX3 _M(double m11, double m12, double m13, double m21, double m22,
                  double m23, double m31, double m32, double m33) {
  MATRIX3 m;
  m.m11 = m11; m.m12 = m12; m.m13 = m13;
  m.m21 = m21; m.m22 = m22; m.m23 = m23;
  m.m31 = m31; m.m32 = m32; m.m33 = m33;
  return m;
}

inline VECTOR3 operator+(const VECTOR3 &a, const VECTOR3 &b) { return _V(a.x + b.x, a.y + b.y, a.z + b.z); }
inline VECTOR3 operator-(const VECTOR3 &a, const VECTOR3 &b) { return _V(a.x - b.x, a.y - b.y, a.z - b.z); }
inline VECTOR3 operator-(const VECTOR3 &a) { return _V(-a.x, -a.y, -a.z); }
inline VECTOR3 operator*(const VECTOR3 &a, double f) { return _V(a.x * f, a.y * f, a.z * f); }
inline VECTOR3 operator*(double f, const VECTOR3 &a) { return _V(a.x * f, a.y * f, a.z * f); }
inline VECTOR3 operator/(const VECTOR3 &a, double f) { return _V(a.x / f, a.y / f, a.z / f); }
inline VECTOR3 &operator+=(VECTOR3 &a, const VECTOR3 &b) { a.x += b.x; a.y += b.y; a.z += b.z; return a; }
inline VECTOR3 &operator-=(VECTOR3 &a, const VECTOR3 &b) { a.x -= b.x; a.y -= b.y; a.z -= b.z; return a; }
inline VECTOR3 &operator*=(VECTOR3 &a, double f) { a.x *= f; a.y *= f; a.z *= f; return a; }
inline VECTOR3 &operator/=(VECTOR3 &a, double f) { a.x /= f; a.y /= f; a.z /= f; return a; }

inline double dotp(const VECTOR3 &a, const VECTOR3 &b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline VECTOR3 crossp(const VECTOR3 &a, const VECTOR3 &b) {
  return _V(a.y * b.z - b.y * a.z, a.z * b.x - b.z * a.x, a.x * b.y - b.x * a.y);
}
inline double length(const VECTOR3 &a) { return std::sqrt(dotp(a, a)); }
inline VECTOR3 unit(const VECTOR3 &a) { return a / length(a); }
inline void normalise(VECTOR3 &a) { a /= length(a); }

// Matrix times vector, and transposed matrix times vector.
inline VECTOR3 mul(const MATRIX3 &m, const VECTOR3 &b) {
  return _V(m.m11 * b.x + m.m12 * b.y + m.m13 * b.z,
            m.m21 * b.x + m.m22 * b.y + m.m23 * b.z,
            m.m31 * b.x + m.m32 * b.y + m.m33 * b.z);
}
inline VECTOR3 tmul(const MATRIX3 &m, const VECTOR3 &b) {
  return _V(m.m11 * b.x + m.m21 * b.y + m.m31 * b.z,
            m.m12 * b.x + m.m22 * b.y + m.m32 * b.z,
            m.m13 * b.x + m.m23 * b.y + m.m33 * b.z);
}
inline MATRIX3 mul(const MATRIX3 &a, const MATRIX3 &b) {
  return _M(a.m11 * b.m11 + a.m12 * b.m21 + a.m13 * b.m31, a.m11 * b.m12 + a.m12 * b.m22 + a.m13 * b.m32, a.m11 * b.m13 + a.m12 * b.m23 + a.m13 * b.m33,
            a.m21 * b.m11 + a.m22 * b.m21 + a.m23 * b.m31, a.m21 * b.m12 + a.m22 * b.m22 + a.m23 * b.m32, a.m21 * b.m13 + a.m22 * b.m23 + a.m23 * b.m33,
            a.m31 * b.m11 + a.m32 * b.m21 + a.m33 * b.m31, a.m31 * b.m12 + a.m32 * b.m22 + a.m33 * b.m32, a.m31 * b.m13 + a.m32 * b.m23 + a.m33 * b.m33);
}

// ---------------------------------------------------------------------------
// Colours and materials. COLOUR4 is a plain aggregate: {r, g, b, a}.
typedef struct {
  float r, g, b, a;
} COLOUR4;

typedef struct {
  COLOUR4 diffuse;
  COLOUR4 ambient;
  COLOUR4 specular;
  COLOUR4 emissive;
  float power;  // specular power
} MATERIAL;

// ---------------------------------------------------------------------------
// Vessel records.

// A vessel's state as the host exchanges it (GetStatus, oapiCreateVessel).
typedef struct {
  VECTOR3 rpos;     // position relative to rbody, m
  VECTOR3 rvel;     // velocity relative to rbody, m/s
  VECTOR3 vrot;     // angular velocity, rad/s
  VECTOR3 arot;     // orientation as Euler angles, rad
  double fuel;      // fuel level of the default resource, 0..1
  double eng_main;  // main/retro throttle, -1..1
  double eng_hovr;  // hover throttle, 0..1
  OBJHANDLE rbody;  // reference body
  OBJHANDLE base;   // surface base when landed, else null
  int port;         // landing pad index
  int status;       // 0 freeflight, 1 landed
  VECTOR3 vdata[10];
  double fdata[10];
  DWORD flag[10];
} VESSELSTATUS;

// A beacon light. The host keeps the pointer to this record and reads it,
// with the position and colour it points to, every time it draws.
typedef struct {
  DWORD shape;      // BEACONSHAPE_*
  VECTOR3 *pos;     // position in vessel frame
  VECTOR3 *col;     // colour (r, g, b)
  double size;      // radius, m
  double falloff;   // distance falloff
  double period;    // strobe period, s (0 for steady)
  double duration;  // strobe duration, s
  double tofs;      // strobe time offset, s
  bool active;      // switched on
} BEACONLIGHTSPEC;

// A touchdown point for the ground-contact model.
typedef struct {
  VECTOR3 pos;       // position in vessel frame
  double stiffness;  // suspension stiffness, N/m
  double damping;    // suspension damping, N s/m
  double mu;         // lateral friction coefficient
  double mu_lng;     // longitudinal friction coefficient
} TOUCHDOWNVTX;

// Where the virtual-cockpit HUD is drawn.
typedef struct {
  DWORD nmesh;     // mesh index
  DWORD ngroup;    // group index
  VECTOR3 hudcnt;  // centre of the HUD in vessel frame
  double size;     // edge length, m
} VCHUDSPEC;

// Where a virtual-cockpit MFD is drawn.
typedef struct {
  DWORD nmesh;   // mesh index
  DWORD ngroup;  // group index
} VCMFDSPEC;

// The HUD area handed to clbkDrawHUD.
typedef struct {
  int W, H;        // width and height, pixels
  int CX, CY;      // centre, pixels
  double Scale;    // pixels per degree
  int Markersize;  // marker size, pixels
} HUDPAINTSPEC;

#endif  // ORBITER_TYPES_H
