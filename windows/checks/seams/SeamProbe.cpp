// The ABI seam probe: a vessel module that crosses every place where a module
// built with the simulator's ABI (MSVC) and the host built with g++'s
// (Itanium) call each other differently, and writes how each went as a
// saved line "SEAM <name> ok" or "SEAM <name> FAIL <what was seen>".
// scripts/test-windows flies it in orbiter.exe (seams.scn, seams.vhs) and
// checks the lines and the HUD text it drew.
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <new>

#include "Orbitersdk.h"
#include "vessel_common/EntryPoints.h"

#if !defined(_WIN32) || !(defined(_M_X64) || defined(_M_IX86))
#error "the seam probe is a module for Windows, x64 or x86"
#endif

// VESSEL3's constructor under its own name, called as a plain function that
// owes the caller `this` back. On x64 a member's `this` comes first like any
// argument; on x86 it comes in a register and the callee clears the stack
// (thiscall).
#if defined(_M_X64)
extern "C" __declspec(dllimport) void *ConstructVessel3(void *self, OBJHANDLE hVessel, int fmodel) __asm__(
    "??0VESSEL3@@QEAA@PEAXH@Z");
#else
extern "C" __declspec(dllimport) void *__attribute__((thiscall))
ConstructVessel3(void *self, OBJHANDLE hVessel, int fmodel) __asm__("??0VESSEL3@@QAE@PAXH@Z");
#endif

namespace {

enum Seam {
  kConstructor,
  kRecordReturn,
  kRecordArguments,
  kDefaultByHost,
  kDefaultByModule,
  kOverridden,
  kSketchpad,
  kStackAlignment,
  kLightConstructors,
  kSeams
};

const char *const kSeamNames[kSeams] = {
    "constructor-returns-this",         // the constructor hands back the object it built
    "member-returns-record",            // LightEmitter::GetDirection: the hidden return pointer after `this`
    "records-by-value",                 // three COLOUR4 arguments by value, read back through inline getters
    "default-callback-called-by-host",  // clbkLoadStateEx not overridden: the host's default through our table
    "default-callback-called-by-module", // VESSEL3::clbkGetRadiationForce called as the base
    "overridden-callback",              // clbkPostStep with the step the host reports
    "sketchpad",                        // every slot of the host's sketchpad, and the base clbkDrawHUD
    "stack-alignment",                  // calls in with the stack 4 bytes off 16-byte alignment, every way
    "light-constructors",               // a point and a spot light built in the module's memory by the host
};

bool same(const VECTOR3 &a, const VECTOR3 &b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

bool same(const COLOUR4 &a, const COLOUR4 &b) { return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a; }

#if defined(_M_IX86)
// A module compiled for the simulator keeps its stack aligned to 4 bytes
// only, so it may call the host at any of four offsets from 16-byte
// alignment; the host must realign where it needs more.
bool same(const MATRIX3 &a, const MATRIX3 &b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// What a few host calls that do their arithmetic in SSE registers give.
struct HostAnswers {
  VECTOR3 pos, global;
  MATRIX3 rotation;
  double altitude;
};

bool same(const HostAnswers &a, const HostAnswers &b) {
  return same(a.pos, b.pos) && same(a.global, b.global) && same(a.rotation, b.rotation) && a.altitude == b.altitude;
}

struct HostQuestion {
  const VESSEL *vessel;
  VECTOR3 local;
  HostAnswers answers;
};

// Asks the host with the stack as it finds it: no local of its own that
// would make the compiler realign it.
extern "C" __attribute__((noinline)) void __cdecl askHost(HostQuestion *q) {
  q->vessel->GetGlobalPos(q->answers.pos);
  q->vessel->Local2Global(q->local, q->answers.global);
  q->vessel->GetRotationMatrix(q->answers.rotation);
  q->answers.altitude = q->vessel->GetAltitude();
}

// askHost(q) called with the stack pointer moved down by shift bytes first;
// gives the stack pointer's offset from 16-byte alignment at the call.
unsigned askHostShifted(HostQuestion *q, unsigned shift) {
  void (*ask)(HostQuestion *) = &askHost;
  unsigned offset;
  __asm__ volatile(
      "movl %%esp, %%esi\n\t"
      "subl %%ecx, %%esp\n\t"
      "pushl %%edx\n\t"
      "movl %%esp, %%edi\n\t"
      "andl $15, %%edi\n\t"
      "calll *%%eax\n\t"
      "movl %%esi, %%esp"
      : "+a"(ask), "+c"(shift), "+d"(q), "=D"(offset)
      :
      : "esi", "memory", "cc");
  return offset;
}

// The four offsets a call from here reaches (a bit each), and whether the
// host answered at each as at the offset the compiler's own call has.
bool askAtEveryOffset(const VESSEL &v, unsigned &offsets) {
  HostQuestion expected = {&v, _V(1, 2, 3), {}};
  askHost(&expected);
  bool alike = true;
  offsets = 0;
  for (unsigned shift = 0; shift < 16; shift += 4) {
    HostQuestion q = {&v, _V(1, 2, 3), {}};
    offsets |= 1u << (askHostShifted(&q, shift) / 4);
    alike = alike && same(q.answers, expected.answers);
  }
  return alike;
}
#endif

class SeamProbe : public VESSEL3 {
public:
  SeamProbe(OBJHANDLE h, int fmodel) : VESSEL3(h, fmodel) {
    for (char *r : results) std::strcpy(r, "FAIL not reached");
    alignas(16) unsigned char scratch[sizeof(VESSEL3)] = {};
    void *made = ConstructVessel3(scratch, h, fmodel);
    const VESSEL *part = reinterpret_cast<VESSEL3 *>(scratch);
    if (made != scratch)
      note(kConstructor, "FAIL returned %p for %p", made, static_cast<void *>(scratch));
    else if (part->Version() != 2)
      note(kConstructor, "FAIL the object built reports version %d", part->Version());
    else
      note(kConstructor, "ok");
  }

  void clbkSetClassCaps(FILEHANDLE) override {
    SetSize(2);
    const COLOUR4 diffuse = {0.25f, 0.5f, 0.75f, 1}, specular = {1, 0.5f, 0.25f, 0}, ambient = {0.125f, 0, 1, 0.5f};
    LightEmitter *light = AddSpotLight(_V(1, 2, 3), _V(0, 0, 1), 50, 1, 0.1, 0.01, 0.3, 0.5, diffuse, specular, ambient);
    if (!light) {
      note(kRecordReturn, "FAIL no light");
      note(kRecordArguments, "FAIL no light");
      return;
    }
    light->SetDirection(_V(0.5, -0.25, 0.125));
    const VECTOR3 d = light->GetDirection();
    if (same(d, _V(0.5, -0.25, 0.125)))
      note(kRecordReturn, "ok");
    else
      note(kRecordReturn, "FAIL got %g %g %g", d.x, d.y, d.z);
    if (same(light->GetDiffuseColour(), diffuse) && same(light->GetSpecularColour(), specular) &&
        same(light->GetAmbientColour(), ambient))
      note(kRecordArguments, "ok");
    else
      note(kRecordArguments, "FAIL the colours read back differ");
  }

  void clbkPostCreation() override {
    // The scenario puts it 150 m up (RPOS), which only the host's own reader takes.
    if (GetAltitude() == 150)
      note(kDefaultByHost, "ok");
    else
      note(kDefaultByHost, "FAIL altitude %g after loading", GetAltitude());
    VECTOR3 force = _V(-1, -1, -1), at = _V(-1, -1, -1);
    VESSEL3::clbkGetRadiationForce(_V(1, 2, 3), force, at);
    if (same(force, _V(6, 12, 18)) && same(at, _V(0, 0, 0)))
      note(kDefaultByModule, "ok");
    else
      note(kDefaultByModule, "FAIL force %g %g %g at %g %g %g", force.x, force.y, force.z, at.x, at.y, at.z);
    noteStackAlignment();
    noteLightConstructors();
  }

  void clbkPostStep(double simt, double simdt, double) override {
    if (simdt == oapiGetSimStep() && simt > 0)
      note(kOverridden, "ok");
    else
      note(kOverridden, "FAIL simt %g simdt %g, the host's step %g", simt, simdt, oapiGetSimStep());
  }

  bool clbkDrawHUD(int mode, const HUDPAINTSPEC *hps, oapi::Sketchpad *skp) override {
    const bool base = VESSEL3::clbkDrawHUD(mode, hps, skp);
    const DWORD before = skp->SetTextColor(0x00FF00);
    const bool text = skp->Text(10, 20, "seam text", 9);
    const char box[] = "box one\nbox two";
    const bool boxed = skp->TextBox(10, 40, 300, 200, box, int(sizeof box - 1));
    // Every other slot of the table, each a call that draws nothing on the
    // host's: a slot taken for another would draw text, lose the colour or
    // leave the origin unread.
    skp->SetFont(nullptr);
    skp->SetPen(nullptr);
    skp->SetBrush(nullptr);
    skp->SetTextAlign(oapi::Sketchpad::CENTER, oapi::Sketchpad::BASELINE);
    skp->SetBackgroundColor(0x123456);
    skp->SetBackgroundMode(oapi::Sketchpad::BK_TRANSPARENT);
    skp->GetCharSize();
    skp->GetTextWidth("seam", 4);
    skp->SetOrigin(0, 0);
    int ox = -1, oy = -1;
    skp->GetOrigin(&ox, &oy);
    const oapi::IVECTOR2 corners[3] = {{{0, 0}}, {{1, 0}}, {{0, 1}}};
    const int counts[1] = {3};
    skp->Pixel(1, 1, 0);
    skp->MoveTo(0, 0);
    skp->LineTo(1, 1);
    skp->Line(0, 0, 1, 1);
    skp->Rectangle(0, 0, 1, 1);
    skp->Ellipse(0, 0, 1, 1);
    skp->Polygon(corners, 3);
    skp->Polyline(corners, 3);
    skp->PolyPolygon(corners, counts, 1);
    skp->PolyPolyline(corners, counts, 1);
    const bool noDc = skp->GetDC() == nullptr;
    const DWORD kept = skp->SetTextColor(0x00FF00);
    if (!base)
      note(kSketchpad, "FAIL the base clbkDrawHUD returned false");
    else if (before != 0xFFFFFF)
      note(kSketchpad, "FAIL SetTextColor returned %06lx", static_cast<unsigned long>(before));
    else if (!text || !boxed)
      note(kSketchpad, "FAIL Text returned %d, TextBox %d", int(text), int(boxed));
    else if (ox != 0 || oy != 0 || !noDc || kept != 0x00FF00)
      note(kSketchpad, "FAIL after every slot: origin %d %d, a DC %d, the text colour %06lx", ox, oy, int(!noDc),
           static_cast<unsigned long>(kept));
    else if (skp->GetSurface() != nullptr)
      note(kSketchpad, "FAIL a surface where the host has none");
    else
      note(kSketchpad, "ok");
    return true;
  }

  void clbkSaveState(FILEHANDLE scn) override {
    VESSEL3::clbkSaveState(scn);
    char item[] = "";
    for (int i = 0; i < kSeams; ++i) {
      char line[200];
      std::snprintf(line, sizeof line, "SEAM %s %s", kSeamNames[i], results[i]);
      oapiWriteScenario_string(scn, item, line);
    }
  }

private:
  void note(Seam seam, const char *format, ...) __attribute__((format(printf, 3, 4)));

  // Lights built by the host's constructors in memory the module owns: the
  // short forms and the long ones, whose colours come by value.
  void noteLightConstructors() {
    alignas(16) unsigned char pointBuffer[sizeof(PointLight)], spotBuffer[sizeof(SpotLight)];
    const COLOUR4 diffuse = {0.5f, 0.25f, 1, 1}, specular = {1, 1, 0.5f, 0}, ambient = {0, 0.125f, 0, 1};
    const PointLight *point = new (pointBuffer) PointLight(GetHandle(), _V(1, 2, 3), 40, 1, 0.5, 0.25);
    const SpotLight *spot = new (spotBuffer)
        SpotLight(GetHandle(), _V(3, 2, 1), _V(0, 0, 1), 50, 1, 0.1, 0.01, 0.3, 0.5, diffuse, specular, ambient);
    if (point->GetType() != LightEmitter::LT_POINT || point->GetRange() != 40 ||
        !same(point->GetPosition(), _V(1, 2, 3)) || point->GetAttenuation()[2] != 0.25 ||
        point->GetObjectHandle() != GetHandle())
      note(kLightConstructors, "FAIL the point light reads type %d, range %g", int(point->GetType()),
           point->GetRange());
    else if (spot->GetType() != LightEmitter::LT_SPOT || spot->GetRange() != 50 || spot->GetUmbra() != 0.3 ||
             spot->GetPenumbra() != 0.5 || !same(spot->GetDirection(), _V(0, 0, 1)) ||
             !same(spot->GetDiffuseColour(), diffuse) || !same(spot->GetSpecularColour(), specular) ||
             !same(spot->GetAmbientColour(), ambient))
      note(kLightConstructors, "FAIL the spot light reads type %d, range %g, umbra %g", int(spot->GetType()),
           spot->GetRange(), spot->GetUmbra());
    else
      note(kLightConstructors, "ok");
  }

  void noteStackAlignment() {
#if defined(_M_IX86)
    unsigned offsets = 0;
    const bool alike = askAtEveryOffset(*this, offsets);
    if (offsets != 0xF)
      note(kStackAlignment, "FAIL the probe reached only the offsets %s%s%s%s", offsets & 1 ? "0 " : "",
           offsets & 2 ? "4 " : "", offsets & 4 ? "8 " : "", offsets & 8 ? "12 " : "");
    else if (!alike)
      note(kStackAlignment, "FAIL the host answered otherwise at some offset");
    else
      note(kStackAlignment, "ok");
#else
    // On x64 every call is made with the stack 16-byte aligned.
    note(kStackAlignment, "ok");
#endif
  }

  char results[kSeams][120];
};

void SeamProbe::note(Seam seam, const char *format, ...) {
  va_list args;
  va_start(args, format);
  std::vsnprintf(results[seam], sizeof results[seam], format, args);
  va_end(args);
}

}  // namespace

DLLCLBK VESSEL *ovcInit(OBJHANDLE hvessel, int flightmodel) { return vmod::NewVessel<SeamProbe>(hvessel, flightmodel); }

DLLCLBK void ovcExit(VESSEL *vessel) { vmod::DeleteVessel<SeamProbe>(vessel); }
