// The crew's keys: exact modifiers, releases, and what each command changes.
#include <vector>

#include "CapsuleHarness.h"

namespace capsuletest {
namespace {

typedef std::vector<std::string> Lines;

class KeysTest : public CapsuleTest {};

TEST_F(KeysTest, ModifiersMustBeExactlyAsTheCommandWants) {
  Load("LSPACTI 1\nCOVERPR 1\n");
  const DWORD altKeys[] = {OAPI_KEY_J, OAPI_KEY_B, OAPI_KEY_O, OAPI_KEY_L, OAPI_KEY_P, OAPI_KEY_K};
  const std::vector<DWORD> refused[] = {
      {},
      {OAPI_KEY_LALT, OAPI_KEY_LSHIFT},
      {OAPI_KEY_RALT, OAPI_KEY_RSHIFT},
      {OAPI_KEY_LALT, OAPI_KEY_LCONTROL},
      {OAPI_KEY_RALT, OAPI_KEY_RCONTROL},
      {OAPI_KEY_LSHIFT},
  };
  for (DWORD key : altKeys)
    for (const std::vector<DWORD> &mods : refused) EXPECT_EQ(sim->pressKey("Capsule", key, mods), 0) << key;
  for (const std::vector<DWORD> &mods :
       {std::vector<DWORD>{OAPI_KEY_LALT}, {OAPI_KEY_RALT}, {OAPI_KEY_LSHIFT}, {OAPI_KEY_RCONTROL}})
    EXPECT_EQ(sim->pressKey("Capsule", OAPI_KEY_A, mods), 0);
  EXPECT_EQ(Key(OAPI_KEY_Z), 0);
  EXPECT_EQ(Alt(OAPI_KEY_Z), 0);
  sim->step();
  // Nothing acted: no piece left, nothing moves, the stage is as loaded.
  EXPECT_TRUE(sim->created().empty());
  EXPECT_EQ(AnimState(HATCH), 0.0);
  EXPECT_EQ(SavedKeys(), (std::vector<std::string>{"LSPACTI 1", "COVERPR 1", "ORBITAL 1"}));

  EXPECT_EQ(Key(OAPI_KEY_A), 1);
  EXPECT_EQ(sim->pressKey("Capsule", OAPI_KEY_L, {OAPI_KEY_RALT}), 1);
  EXPECT_EQ(Spawned(), (std::vector<std::string>{"Capsule-LSP"}));
}

TEST_F(KeysTest, ReleasesDoNothing) {
  Load("LSPACTI 1\n");
  char kstate[256] = {};
  kstate[OAPI_KEY_LALT] = static_cast<char>(0x80);
  VESSEL2 *capsule = static_cast<VESSEL2 *>(sim->vessel("Capsule").plugin());
  EXPECT_EQ(capsule->clbkConsumeBufferedKey(OAPI_KEY_L, false, kstate), 0);
  EXPECT_EQ(capsule->clbkConsumeBufferedKey(OAPI_KEY_B, false, kstate), 0);
  EXPECT_TRUE(sim->created().empty());
  EXPECT_FALSE(Rec().lights[0]->IsActive());
}

TEST_F(KeysTest, LightsSwitchTheHeadlightAndTheStrobeInPlace) {
  Load("");
  const BEACONLIGHTSPEC *strobe = Rec().beacons.at(5);
  EXPECT_EQ(Alt(OAPI_KEY_B), 1);
  EXPECT_TRUE(Rec().lights[0]->IsActive());
  EXPECT_TRUE(strobe->active);
  for (int i = 0; i < 5; ++i) EXPECT_TRUE(Rec().beacons[i]->active);
  EXPECT_EQ(Alt(OAPI_KEY_B), 1);
  EXPECT_FALSE(Rec().lights[0]->IsActive());
  EXPECT_FALSE(strobe->active);
  EXPECT_TRUE(Rec().lights[1]->IsActive());  // position lights untouched
}

TEST_F(KeysTest, TogglesCloseOnlyWhatIsOpen) {
  Load("SOLARPR 1\n");
  sim->step();
  EXPECT_EQ(AnimState(SOLAR1), 1.0);
  Alt(OAPI_KEY_O);  // open: retract
  Steps(10);
  const double retracting = AnimState(SOLAR1);
  EXPECT_LT(retracting, 1.0);
  Alt(OAPI_KEY_O);  // closing: reverse from where it is
  Steps(5);
  EXPECT_GT(AnimState(SOLAR1), retracting);
  Alt(OAPI_KEY_O);  // opening: keeps opening
  Steps(5);
  EXPECT_GT(AnimState(SOLAR1), retracting + 0.009);
}

// Without its service module the capsule has no orbital stage to go back
// to: the key is taken and nothing changes, so no mass, tank or mesh of the
// service module returns and no second one can be separated.
TEST_F(KeysTest, AltOAfterTheServiceModuleHasGoneChangesNothing) {
  for (const char *block : {"REENTRY 1\nRPOS 0 6491000 0\n", "LANDING 1\nRPOS 0 6371010 0\n"}) {
    SCOPED_TRACE(block);
    Load(block);
    sim->step();
    const Lines keys = SavedKeys();
    const std::size_t mark = calls.size();
    EXPECT_EQ(Alt(OAPI_KEY_O), 1);
    Steps(2);
    EXPECT_EQ(Rec().emptyMass, 7720);
    EXPECT_EQ(Rec().propellant[0].maxMass, 900);
    EXPECT_EQ(SavedKeys(), keys);
    for (const std::string &call : CallsSince(mark))
      EXPECT_TRUE(call != "SetMeshVisibilityMode" && call != "DelMesh" && call != "SetPropellantMaxMass") << call;
    EXPECT_EQ(AnimState(SOLAR1), 0.0);
    EXPECT_EQ(Alt(OAPI_KEY_J), 1);
    Steps(1);
    EXPECT_TRUE(sim->created().empty());
  }
}

TEST_F(KeysTest, AltJOutsideOrbitSeparatesNothingButReappliesTheStage) {
  Load("LAUNCHL 1\n");
  EXPECT_EQ(Alt(OAPI_KEY_J), 1);
  EXPECT_TRUE(sim->created().empty());
  const int before = CallCount("SetPropellantMaxMass");
  sim->step();
  EXPECT_EQ(CallCount("SetPropellantMaxMass"), before + 1);
  EXPECT_EQ(SavedKeys(), (std::vector<std::string>{"LAUNCHL 1"}));
}

}  // namespace
}  // namespace capsuletest
