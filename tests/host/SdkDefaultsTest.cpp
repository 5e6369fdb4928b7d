// What the host's SDK classes do by themselves: lights that read a plug-in's
// vectors live, the sketchpad's drawing built on simpler calls, the default
// radiation force, and the interface version a vessel object reports.
#include <string>
#include <vector>

#include "HostTest.h"

using hosttest::ship;
using hosttest::Sim;

namespace {

TEST(SdkDefaults, LightReadsThePluginsVectorsUntilGivenItsOwnAgain) {
  Sim s;
  s.load(ship("A:HostPassive"));
  const COLOUR4 white = {1, 1, 1, 1}, none = {0, 0, 0, 0};
  LightEmitter *light =
      s.vi("A")->AddSpotLight(_V(1, 2, 3), _V(0, 0, 1), 100, 1, 0, 0, 0.1, 0.2, white, white, none);
  ASSERT_NE(light, nullptr);
  EXPECT_EQ(light->GetType(), LightEmitter::LT_SPOT);
  EXPECT_EQ(light->GetObjectHandle(), s.vi("A")->GetHandle());
  EXPECT_DOUBLE_EQ(light->GetPosition().y, 2);

  VECTOR3 where = _V(5, 0, 0), heading = _V(0, 1, 0);
  double level = 0.25;
  light->SetPositionRef(&where);
  light->SetDirectionRef(&heading);
  light->SetIntensityRef(&level);
  where.x = 7;
  heading = _V(1, 0, 0);
  level = 0.75;
  EXPECT_DOUBLE_EQ(light->GetPosition().x, 7);
  EXPECT_DOUBLE_EQ(light->GetDirection().x, 1);
  EXPECT_DOUBLE_EQ(light->GetIntensity(), 0.75);
  EXPECT_EQ(light->GetPositionRef(), &where);

  light->SetPosition(_V(0, 0, 9));  // back to its own copy
  light->SetIntensity(0.5);
  light->ShiftExplicitPosition(_V(1, 0, 0));
  where.x = 100;
  level = 1;
  EXPECT_DOUBLE_EQ(light->GetPosition().x, 1);
  EXPECT_DOUBLE_EQ(light->GetPosition().z, 9);
  EXPECT_DOUBLE_EQ(light->GetIntensity(), 0.5);
  EXPECT_DOUBLE_EQ(light->GetDirection().x, 1);  // still the plug-in's
  light->SetDirectionRef(nullptr);                 // null: its own again
  EXPECT_DOUBLE_EQ(light->GetDirection().z, 1);
}

TEST(SdkDefaults, LightsStartSeenFromOutsideAndTheCameraTurnsAsTheHostLets) {
  Sim s;
  s.load(ship("A:HostPassive"));
  LightEmitter bare;
  EXPECT_FALSE(bare.IsActive());
  EXPECT_EQ(bare.GetVisibility(), LightEmitter::VIS_EXTERNAL);
  EXPECT_FLOAT_EQ(bare.GetAmbientColour().r, 1);
  const COLOUR4 white = {1, 1, 1, 1}, none = {0, 0, 0, 0};
  LightEmitter *lamp = s.vi("A")->AddPointLight(_V(0, 0, 0), 10, 1, 0, 0, white, white, none);
  EXPECT_TRUE(lamp->IsActive());
  EXPECT_EQ(lamp->GetVisibility(), LightEmitter::VIS_EXTERNAL);
  const double *range = s.rec("A").cameraRange;
  EXPECT_DOUBLE_EQ(range[0], 0.8 * PI);
  EXPECT_DOUBLE_EQ(range[1], 0.8 * PI);
  EXPECT_DOUBLE_EQ(range[2], 0.4 * PI);
  EXPECT_DOUBLE_EQ(range[3], 0.4 * PI);
}

// Records what the sketchpad's own defaults call.
class CallLog : public oapi::Sketchpad {
public:
  CallLog() : oapi::Sketchpad(nullptr) {}
  DWORD GetCharSize() override { return 12; }
  bool Text(int x, int y, const char *str, int len) override {
    calls.push_back("Text " + std::to_string(x) + "," + std::to_string(y) + " " + std::string(str, len));
    return true;
  }
  void MoveTo(int x, int y) override { calls.push_back("MoveTo " + std::to_string(x) + "," + std::to_string(y)); }
  void LineTo(int x, int y) override { calls.push_back("LineTo " + std::to_string(x) + "," + std::to_string(y)); }
  void Polygon(const oapi::IVECTOR2 *pt, int npt) override {
    calls.push_back("Polygon " + std::to_string(npt) + " from " + std::to_string(pt[0].x));
  }

  std::vector<std::string> calls;
};

TEST(SdkDefaults, SketchpadBuildsBoxesRectanglesAndPolygonListsOnSimplerCalls) {
  CallLog skp;
  const char text[] = "one\ntwo\nthree";
  EXPECT_TRUE(skp.TextBox(10, 20, 200, 40, text, int(sizeof text - 1)));
  // Lines start 12 pixels apart; the third would start below the box.
  EXPECT_EQ(skp.calls, (std::vector<std::string>{"Text 10,20 one", "Text 10,32 two"}));

  skp.calls.clear();
  skp.Rectangle(0, 0, 4, 3);
  EXPECT_EQ(skp.calls, (std::vector<std::string>{"MoveTo 0,0", "LineTo 4,0", "LineTo 4,3", "LineTo 0,3",
                                                 "LineTo 0,0"}));

  skp.calls.clear();
  oapi::IVECTOR2 pts[5];
  for (int i = 0; i < 5; ++i) pts[i].x = i, pts[i].y = 0;
  const int counts[] = {3, 2};
  skp.PolyPolygon(pts, counts, 2);
  EXPECT_EQ(skp.calls, (std::vector<std::string>{"Polygon 3 from 0", "Polygon 2 from 3"}));
  EXPECT_FALSE(skp.TextBox(0, 0, 10, 10, nullptr, 3));
}

TEST(SdkDefaults, VesselObjectsReportTheirInterfaceAndTheDefaultRadiationForce) {
  Sim s;
  s.load(ship("A:HostProbe") + ship("P:HostPassive"));
  VESSEL *probe = s.sim.vessel("A").plugin();
  ASSERT_NE(probe, nullptr);
  EXPECT_EQ(probe->Version(), 2);              // a VESSEL3
  EXPECT_EQ(s.vi("P")->Version(), 0);          // the host's own interface of a passive vessel
  VECTOR3 force = _V(9, 9, 9), at = _V(9, 9, 9);
  static_cast<VESSEL3 *>(probe)->clbkGetRadiationForce(_V(1e-6, 0, 2e-6), force, at);
  // The probe is 5 m across: 25 m^2 reflecting half again what falls on it.
  EXPECT_DOUBLE_EQ(force.x, 1e-6 * 25 * 1.5);
  EXPECT_DOUBLE_EQ(force.z, 2e-6 * 25 * 1.5);
  EXPECT_DOUBLE_EQ(at.x, 0);
  EXPECT_DOUBLE_EQ(at.y, 0);
}

}  // namespace

namespace {

TEST(SdkDefaults, ANewVesselHasTheSimulatorsDefaultsAndFrictionReachesItsPoints) {
  Sim s;
  s.load(ship("A:HostPassive") + ship("B:HostProbe"));
  // A class file's items win (HostPassive gives size, mass, cross sections
  // and CW); the rest are the simulator's.
  const vhost::VesselRecord &a = s.rec("A");
  EXPECT_DOUBLE_EQ(a.emptyMass, 100);
  EXPECT_DOUBLE_EQ(a.rotDrag.x, 0.01);
  EXPECT_DOUBLE_EQ(a.pmi.x, 4);  // 2 x size 2
  EXPECT_DOUBLE_EQ(a.pmi.z, 2);
  ASSERT_EQ(a.touchdownPoints.size(), 3u);
  EXPECT_DOUBLE_EQ(a.touchdownPoints[0].pos.z, 10);
  EXPECT_DOUBLE_EQ(a.touchdownPoints[0].mu, 0.5);
  EXPECT_DOUBLE_EQ(a.touchdownPoints[0].mu_lng, 0.1);
  // Three points given by position take their stiffness from the empty
  // mass (10^6 at the default 1000 kg), a tenth of it as damping, and the
  // friction there is; a later friction rewrites every point's.
  VESSEL *v = s.vi("B");
  v->SetEmptyMass(3);
  v->SetSurfaceFrictionCoeff(0.2, 0.7);
  v->SetTouchdownPoints(_V(0, -1, 1), _V(-1, -1, -1), _V(1, -1, -1));
  const TOUCHDOWNVTX &t = s.rec("B").touchdownPoints[1];
  EXPECT_DOUBLE_EQ(t.stiffness, 60);
  EXPECT_DOUBLE_EQ(t.damping, 6);
  EXPECT_DOUBLE_EQ(t.mu, 0.7);
  EXPECT_DOUBLE_EQ(t.mu_lng, 0.2);
  v->SetSurfaceFrictionCoeff(3, 4);
  EXPECT_DOUBLE_EQ(s.rec("B").touchdownPoints[2].mu, 4);
  EXPECT_DOUBLE_EQ(s.rec("B").touchdownPoints[2].mu_lng, 3);
  v->SetEmptyMass(1000);
  v->SetTouchdownPoints(_V(0, -1, 1), _V(-1, -1, -1), _V(1, -1, -1));
  EXPECT_DOUBLE_EQ(s.rec("B").touchdownPoints[0].stiffness, 1e6);
}

}  // namespace
