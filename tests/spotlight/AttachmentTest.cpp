// Riding on a parent: attaching by "name index", every way that can fail,
// detaching, and moving and turning the parent's point with held keys.
#include <cmath>

#include "SpotlightTestSupport.h"

using namespace spottest;

namespace {

const std::string LONG_NAME(255, 'A');

// Mast and Spot unattached; a second spotlight on the mast's point 2; a
// mast whose name is as long as a vessel name may be (made by the host's
// call: no scenario line holds a name that long).
std::unique_ptr<vhost::Simulation> LoadCrowded() {
  auto sim = Load("BEGIN_SHIPS\nMast:LightMast\nEND\nSpot:beamwick2\nEND\nSpot2:beamwick2\n  ATTACHED 0:2,Mast\nEND\n"
                  "END_SHIPS\n");
  VESSELSTATUS vs{};
  sim->vessel("Mast").iface()->GetStatus(vs);
  oapiCreateVessel(LONG_NAME.c_str(), "LightMast", vs);
  return sim;
}

bool Answer(vhost::Simulation &sim, const std::string &text) {
  sim.pressKey("Spot", OAPI_KEY_V);
  return sim.answerInputBox(text);
}

const double THETA = 6.283185307179586 * DT * 0.2;  // one frame's turn

void SetMastPoint(vhost::Simulation &sim, const VECTOR3 &dir, const VECTOR3 &rot) {
  VESSEL *mast = sim.vessel("Mast").iface();
  mast->SetAttachmentParams(mast->GetAttachmentHandle(false, 0), _V(0, 2, 0), dir, rot);
}

}  // namespace

TEST(SpotlightAttach, EveryFailureLeavesTheSpotlightFree) {
  auto sim = LoadCrowded();
  const std::string tooLong = LONG_NAME + "A 0";
  const char *failures[] = {"", "   ", "Nobody 0", "Mast 3", "Mast -1", "Mast 2",
                            "Mast 99999999999999999999", "Spot 0", "Earth 0", tooLong.c_str()};
  for (const char *text : failures) {
    SCOPED_TRACE(text);
    EXPECT_FALSE(Answer(*sim, text));
    EXPECT_NE(sim->inputBox(), nullptr);  // the box stays open for another try
    EXPECT_EQ(Spot(*sim).attachments.at(0).attached, nullptr);
  }
  EXPECT_EQ(MastPoint(*sim, 2).attached, sim->findVessel("Spot2"));
  ExpectNoWarnings(*sim);
}

TEST(SpotlightAttach, NameAloneTakesPointZeroAndAnIndexItsPoint) {
  struct Case {
    std::string text, parent;
    int point;
  } cases[] = {{"Mast", "Mast", 0}, {"  Mast   1", "Mast", 1}, {LONG_NAME + " 2", LONG_NAME, 2}};
  for (const Case &c : cases) {
    SCOPED_TRACE(c.text);
    auto sim = LoadCrowded();
    EXPECT_TRUE(Answer(*sim, c.text));
    EXPECT_EQ(Spot(*sim).attachments.at(0).attached, sim->findVessel(c.parent));
    EXPECT_EQ(sim->vessel(c.parent).record().attachments.at(c.point).attached, sim->findVessel("Spot"));
  }
}

TEST(SpotlightAttach, HeldKeysShiftTheParentPointAltWinning) {
  const double d = DT * 0.5;
  struct Case {
    std::vector<DWORD> keys;
    double x, y, z;
  } cases[] = {
      {{OAPI_KEY_LSHIFT, OAPI_KEY_NUMPAD1}, d, 0, 0},
      {{OAPI_KEY_LALT, OAPI_KEY_NUMPAD1}, -d, 0, 0},
      {{OAPI_KEY_RSHIFT, OAPI_KEY_NUMPAD2}, 0, d, 0},
      {{OAPI_KEY_RALT, OAPI_KEY_NUMPAD3}, 0, 0, -d},
      {{OAPI_KEY_LSHIFT, OAPI_KEY_LALT, OAPI_KEY_NUMPAD2}, 0, -d, 0},
      {{OAPI_KEY_LSHIFT, OAPI_KEY_NUMPAD1, OAPI_KEY_NUMPAD2, OAPI_KEY_NUMPAD3}, d, d, d},
      {{OAPI_KEY_NUMPAD1}, 0, 0, 0},
  };
  for (const Case &c : cases) {
    SCOPED_TRACE(c.keys.size());
    auto sim = Load(Scenario("", true));
    Hold(*sim, c.keys, 1);
    ExpectVec(MastPoint(*sim, 0).pos, c.x, 2 + c.y, c.z);
    ExpectVec(MastPoint(*sim, 0).dir, 0, 1, 0);
  }
}

TEST(SpotlightAttach, HeldKeysTurnTheParentPointByTheirAxes) {
  const double s = std::sin(THETA), c = std::cos(THETA);
  struct Case {
    std::vector<DWORD> keys;
    VECTOR3 dir, rot;
  } cases[] = {
      {{OAPI_KEY_LSHIFT, OAPI_KEY_NUMPAD4}, _V(0, c, -s), _V(0, s, c)},
      {{OAPI_KEY_LALT, OAPI_KEY_NUMPAD4}, _V(0, c, s), _V(0, -s, c)},
      {{OAPI_KEY_LSHIFT, OAPI_KEY_NUMPAD5}, _V(0, 1, 0), _V(s, 0, c)},
      {{OAPI_KEY_LALT, OAPI_KEY_NUMPAD5}, _V(0, 1, 0), _V(-s, 0, c)},
      {{OAPI_KEY_LSHIFT, OAPI_KEY_NUMPAD6}, _V(-s, c, 0), _V(0, 0, 1)},
      {{OAPI_KEY_RALT, OAPI_KEY_NUMPAD6}, _V(s, c, 0), _V(0, 0, 1)},
      // Only the first of the held turning keys acts.
      {{OAPI_KEY_LSHIFT, OAPI_KEY_NUMPAD6, OAPI_KEY_NUMPAD4}, _V(0, c, -s), _V(0, s, c)},
  };
  for (const Case &k : cases) {
    SCOPED_TRACE(k.keys.back());
    auto sim = Load(Scenario("", true));
    Hold(*sim, k.keys, 1);
    ExpectVec(MastPoint(*sim, 0).pos, 0, 2, 0);
    ExpectVec(MastPoint(*sim, 0).dir, k.dir.x, k.dir.y, k.dir.z);
    ExpectVec(MastPoint(*sim, 0).rot, k.rot.x, k.rot.y, k.rot.z);
  }
}

TEST(SpotlightAttach, AxesAreTakenAsTheyStandAndNoLengthMeansNoTurn) {
  const double s = std::sin(THETA), c = std::cos(THETA);
  auto sim = Load(Scenario("", true));
  SetMastPoint(*sim, _V(0, 2, 0), _V(0, 0, 1));
  Hold(*sim, {OAPI_KEY_LSHIFT, OAPI_KEY_NUMPAD5}, 1);
  ExpectVec(MastPoint(*sim, 0).dir, 0, 2 * c + 8 * (1 - c), 0);
  ExpectVec(MastPoint(*sim, 0).rot, 2 * s, 0, c);

  struct Case {
    VECTOR3 dir, rot;
    DWORD key;
  } still[] = {
      {_V(0, 1, 0), _V(0, 1, 0), OAPI_KEY_NUMPAD4},  // parallel: no normal
      {_V(0, 0, 0), _V(0, 0, 1), OAPI_KEY_NUMPAD5},
      {_V(0, 1, 0), _V(0, 0, 0), OAPI_KEY_NUMPAD6},
  };
  for (const Case &k : still) {
    SCOPED_TRACE(k.key);
    SetMastPoint(*sim, k.dir, k.rot);
    Hold(*sim, {OAPI_KEY_LALT, k.key}, 3);
    ExpectVec(MastPoint(*sim, 0).dir, k.dir.x, k.dir.y, k.dir.z);
    ExpectVec(MastPoint(*sim, 0).rot, k.rot.x, k.rot.y, k.rot.z);
  }
}

TEST(SpotlightAttach, UnattachedKeysAndDetachDoNothing) {
  auto sim = Load(Scenario());
  Hold(*sim, {OAPI_KEY_LSHIFT, OAPI_KEY_NUMPAD1, OAPI_KEY_NUMPAD4}, 3);
  Hold(*sim, {OAPI_KEY_LALT, OAPI_KEY_NUMPAD2, OAPI_KEY_NUMPAD6}, 3);
  EXPECT_EQ(sim->pressKey("Spot", OAPI_KEY_V, {OAPI_KEY_LSHIFT}), 1);
  ExpectVec(MastPoint(*sim, 0).pos, 0, 2, 0);
  ExpectVec(MastPoint(*sim, 0).rot, 0, 0, 1);
  ExpectNoWarnings(*sim);
}
