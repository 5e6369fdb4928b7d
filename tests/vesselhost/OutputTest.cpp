// The runner's outputs on their own: files replaced whole or not at all,
// JSON built from records made by hand, text made UTF-8, timeline times.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "AtomicFile.h"
#include "StateJson.h"
#include "Text.h"
#include "Timeline.h"

using namespace vesselhost;
namespace fs = std::filesystem;

namespace {

std::string slurp(const fs::path &p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

class TempDir : public ::testing::Test {
protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("vesselhost-out-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::size_t entries() const { return std::distance(fs::directory_iterator(dir), fs::directory_iterator()); }
  fs::path dir;
};

using AtomicFileTest = TempDir;

}  // namespace

TEST_F(AtomicFileTest, ReplacesWholeOrNotAtAll) {
  const std::string target = (dir / "state.json").string();
  std::string error;
  ASSERT_TRUE(writeFileAtomically(target, "first\n", &error)) << error;
  ASSERT_TRUE(writeFileAtomically(target, "second\n", &error)) << error;
  EXPECT_EQ(slurp(target), "second\n");

  {  // abandoned half way: the old file stays, the temporary goes
    AtomicFile f;
    ASSERT_TRUE(f.open(target, &error)) << error;
    f.stream() << "partial";
    EXPECT_EQ(entries(), 2u);
  }
  EXPECT_EQ(slurp(target), "second\n");
  EXPECT_EQ(entries(), 1u);

  EXPECT_FALSE(writeFileAtomically((dir / "missing" / "x.json").string(), "x", &error));
  EXPECT_NE(error.find("missing"), std::string::npos) << error;
  EXPECT_FALSE(writeFileAtomically(dir.string(), "x", &error));
  EXPECT_EQ(entries(), 1u);

  std::string content;
  EXPECT_FALSE(readFile((dir / "none.scn").string(), content, &error));
  EXPECT_NE(error.find("none.scn"), std::string::npos);
}

TEST(Text, HudBytesAreLatin1AndOtherTextStaysUtf8) {
  EXPECT_EQ(latin1ToUtf8("a\xb0z"), "a\xc2\xb0z");
  EXPECT_EQ(latin1ToUtf8("\xff"), "\xc3\xbf");
  EXPECT_EQ(toUtf8("caf\xc3\xa9"), "caf\xc3\xa9");  // valid UTF-8 kept
  EXPECT_EQ(toUtf8("caf\xe9"), "caf\xc3\xa9");      // else read as Latin-1
  EXPECT_EQ(toUtf8("\xc3"), "\xc3\x83");            // cut-short sequence
  EXPECT_EQ(toUtf8("\xed\xa0\x80"), latin1ToUtf8("\xed\xa0\x80"));  // surrogate
}

TEST(Timeline, TimesHaveTheDecimalsTheStepNeeds) {
  EXPECT_EQ(timeDecimals(0.02), 2);
  EXPECT_EQ(timeDecimals(1), 2);
  EXPECT_EQ(timeDecimals(0.025), 3);
  EXPECT_EQ(timeDecimals(0.001), 3);
  EXPECT_EQ(timeDecimals(1.0 / 3), 6);
  EXPECT_EQ(formatTimelineLine(1.5, 2, "Lander", 8, "landed"), "      1.50  Lander    landed");
  EXPECT_EQ(formatTimelineLine(0, 2, "", 4, "saved"), "      0.00  (host)  saved");
}

TEST(StateJson, VesselFromHandMadeRecord) {
  vhost::VesselRecord r;
  r.name = "Probe";
  r.className = "ProbeClass";
  r.motion.landed = true;
  r.motion.body = "Moon";
  r.motion.rpos = _V(1, 2, 3);
  r.dockPorts.resize(2);
  r.dockPorts[1].docked = true;
  r.propellant.push_back({100, 50, 1, false});
  r.thrusters.push_back(vhost::ThrusterRecord{});
  r.thrusters.back().propellant = 0;
  r.thrusters.push_back(vhost::ThrusterRecord{});
  r.thrusterGroups[THGROUP_HOVER].exists = true;
  r.thrusterGroups[THGROUP_HOVER].thrusters = {1, 0};
  r.thrusterGroups[THGROUP_MAIN].thrusters = {0};  // left over, but the group does not exist
  r.exhausts.push_back({0, 1, 2, 0.5, 0.1, ""});
  r.meshes.push_back({"probe_body", true, {}, MESHVIS_VC, true});

  UINT groups[] = {4, 7};
  MGROUP_ROTATE rotate(0, groups, 2, _V(0, 1, 0), _V(1, 0, 0), 1.5f);
  MGROUP_TRANSLATE translate(0, groups, 1, _V(0, 0, 2));
  r.animations.resize(1);
  r.animations[0].components.push_back({1, &rotate, 0, 1, -1, -1});
  r.animations[0].components.push_back({2, &translate, 0.2, 0.8, 0, 0});

  VECTOR3 beaconPos = _V(0, 5, 0), beaconCol = _V(1, 0, 0);
  BEACONLIGHTSPEC beacon{BEACONSHAPE_STAR, &beaconPos, &beaconCol, 0.3, 0.4, 1, 0.1, 0, true};
  r.beacons.push_back(&beacon);
  r.hud.push_back({10, 20, "ALT 5\xb0", 0x00ff00});
  r.vc.hasHud = true;
  r.vc.hud = VCHUDSPEC{1, 2, _V(0, 0, 1), 0.15};
  r.vc.mfds.push_back({3, VCMFDSPEC{1, 9}});

  r.materials.push_back({0, 1, MATERIAL{{0.1f, 0.2f, 0.3f, 1}, {}, {}, {}, 12.5f}});

  beaconPos.y = 6;  // read live through the plug-in's pointer
  MATRIX3 identity = _M(1, 0, 0, 0, 1, 0, 0, 0, 1);
  const Json j = vesselJson(r, identity, true);

  const char *order[] = {"name", "class", "module", "status", "rotation", "altitude", "groundContact",
                         "dockingStatus", "emptyMass", "size", "crossSections", "pmi", "rotDrag",
                         "visibilityLimit", "cw", "trimScale", "pitchMomentScale", "bankMomentScale",
                         "surfaceFriction", "airfoilsCleared", "enableFocus"};
  auto it = j.begin();
  for (const char *key : order) {
    ASSERT_NE(it, j.end());
    EXPECT_EQ(it.key(), key);
    ++it;
  }
  for (const char *key : {"camera", "dockPorts", "touchdownPoints", "propellant", "defaultPropellant", "thrusters",
                          "thrusterGroups", "exhausts", "meshes", "animations", "beacons", "lights", "attachments",
                          "vc", "hud", "materials"})
    EXPECT_TRUE(j.contains(key)) << key;

  EXPECT_TRUE(j["module"].is_null());
  EXPECT_EQ(j["status"]["body"], "Moon");
  EXPECT_EQ(j["status"]["rpos"], Json::array({1, 2, 3}));
  EXPECT_EQ(j["rotation"][1], Json::array({0, 1, 0}));
  EXPECT_TRUE(j["groundContact"].get<bool>());
  EXPECT_EQ(j["dockingStatus"], Json::array({0, 1}));
  EXPECT_TRUE(j["defaultPropellant"].is_null());
  EXPECT_EQ(j["thrusters"][0]["propellant"], 0);
  EXPECT_TRUE(j["thrusters"][1]["propellant"].is_null());
  EXPECT_EQ(j["thrusterGroups"].dump(), R"({"2":[1,0]})");
  EXPECT_TRUE(j["exhausts"][0]["texture"].is_null());
  EXPECT_EQ(j["meshes"][0]["visibility"], MESHVIS_VC);
  EXPECT_TRUE(j["meshes"][0]["deleted"].get<bool>());
  EXPECT_EQ(j["meshes"][0]["offset"], Json::array({0, 0, 0}));

  const Json &c0 = j["animations"][0]["components"][0];
  EXPECT_EQ(c0["kind"], "rotate");
  EXPECT_EQ(c0["groups"], Json::array({4, 7}));
  EXPECT_EQ(c0["axis"], Json::array({1, 0, 0}));
  EXPECT_DOUBLE_EQ(c0["angle"].get<double>(), 1.5);
  EXPECT_TRUE(c0["parent"].is_null());
  EXPECT_TRUE(c0["shift"].is_null());
  const Json &c1 = j["animations"][0]["components"][1];
  EXPECT_EQ(c1["kind"], "translate");
  EXPECT_EQ(c1["groups"], Json::array({4}));
  EXPECT_EQ(c1["shift"], Json::array({0, 0, 2}));
  EXPECT_EQ(c1["parent"], Json::array({0, 0}));

  EXPECT_EQ(j["beacons"][0]["pos"], Json::array({0, 6, 0}));
  EXPECT_EQ(j["beacons"][0]["colour"], Json::array({1, 0, 0}));
  EXPECT_EQ(j["hud"][0]["text"], "ALT 5\xc2\xb0");
  EXPECT_EQ(j["hud"][0]["colour"], 0x00ff00);
  EXPECT_EQ(j["vc"]["hud"]["centre"], Json::array({0, 0, 1}));
  EXPECT_EQ(j["vc"]["mfds"][0]["id"], 3);
  EXPECT_EQ(j["vc"]["mfds"][0]["group"], 9);
  // Floats as the plug-in wrote them, not widened to the nearest double.
  EXPECT_EQ(j["materials"][0]["diffuse"], Json::array({0.1, 0.2, 0.3, 1.0}));
  EXPECT_EQ(j["materials"][0]["power"], 12.5);
}

TEST(StateJson, TraceLineKeepsArgumentKinds) {
  vhost::TraceEntry e;
  e.t = 0.04;
  e.vessel = "Probe";
  e.call = "SetCameraOffset";
  vhost::TraceValue v;
  v.kind = vhost::TraceValue::Vector;
  v.vec = _V(1, 2, 3);
  e.args.push_back(v);
  v = {};
  v.kind = vhost::TraceValue::String;
  v.text = "\xe9";
  e.args.push_back(v);
  v = {};
  v.kind = vhost::TraceValue::Int;
  v.i = -3;
  e.args.push_back(v);
  e.args.push_back(vhost::TraceValue{});
  v = {};
  v.kind = vhost::TraceValue::List;
  v.list = {4, 0.5};
  e.args.push_back(v);
  e.in = "clbkPostStep";
  EXPECT_EQ(dumpLine(traceJson(e)),
            R"({"t":0.04,"vessel":"Probe","in":"clbkPostStep","call":"SetCameraOffset","args":[[1.0,2.0,3.0],"é",-3,null,[4,0.5]]})");
  e.in.clear();
  EXPECT_TRUE(traceJson(e)["in"].is_null());
}
