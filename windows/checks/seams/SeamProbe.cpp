// The ABI seam probe: a vessel module that crosses every place where a module
// built with the simulator's ABI (MSVC) and the host built with g++'s
// (Itanium) call each other differently, and writes how each went as a
// saved line "SEAM <name> ok" or "SEAM <name> FAIL <what was seen>".
// scripts/test-windows flies it in orbiter.exe (seams.scn, seams.vhs) and
// checks the lines and the HUD text it drew.
#include <cstdarg>
#include <cstdio>
#include <cstring>

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

enum Seam { kConstructor, kRecordReturn, kRecordArguments, kDefaultByHost, kDefaultByModule, kOverridden, kSketchpad, kSeams };

const char *const kSeamNames[kSeams] = {
    "constructor-returns-this",         // the constructor hands back the object it built
    "member-returns-record",            // LightEmitter::GetDirection: the hidden return pointer after `this`
    "records-by-value",                 // three COLOUR4 arguments by value, read back through inline getters
    "default-callback-called-by-host",  // clbkLoadStateEx not overridden: the host's default through our table
    "default-callback-called-by-module", // VESSEL3::clbkGetRadiationForce called as the base
    "overridden-callback",              // clbkPostStep with the step the host reports
    "sketchpad",                        // drawing through the host's sketchpad and the base clbkDrawHUD
};

bool same(const VECTOR3 &a, const VECTOR3 &b) { return a.x == b.x && a.y == b.y && a.z == b.z; }

bool same(const COLOUR4 &a, const COLOUR4 &b) { return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a; }

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
    if (!base)
      note(kSketchpad, "FAIL the base clbkDrawHUD returned false");
    else if (before != 0xFFFFFF)
      note(kSketchpad, "FAIL SetTextColor returned %06lx", static_cast<unsigned long>(before));
    else if (!text || !boxed)
      note(kSketchpad, "FAIL Text returned %d, TextBox %d", int(text), int(boxed));
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
