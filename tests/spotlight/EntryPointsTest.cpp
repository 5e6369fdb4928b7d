// The module's entry points as the host finds them: its exports, date and
// version, its announcement at load, and a vessel object destroyed before it
// was ever defined.
#include <dlfcn.h>

#include <string>

#include "SpotlightTestSupport.h"
#include "vhost/AllocationCounter.h"
#include "vhost/ModuleInterface.h"

using namespace spottest;

namespace {

const vhost::ModuleInfo *SpotModule(vhost::Simulation &sim) {
  for (const vhost::ModuleInfo &m : sim.modules())
    if (m.name == "beamwick2") return &m;
  return nullptr;
}

// The loaded module's handle; the simulation's own reference keeps it loaded.
void *LoadedModule(vhost::Simulation &sim) {
  const vhost::ModuleInfo *m = SpotModule(sim);
  if (!m) return nullptr;
  void *h = dlopen(m->path.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (h) dlclose(h);
  return h;
}

}  // namespace

TEST(SpotlightModule, ExportsDateAndVersionButNoExitHooks) {
  auto sim = Load(Scenario());
  const vhost::ModuleInfo *m = SpotModule(*sim);
  ASSERT_NE(m, nullptr);
  EXPECT_TRUE(m->hasDate);
  EXPECT_EQ(m->date, "Jan  7 2017");
  EXPECT_TRUE(m->hasVersion);
  EXPECT_EQ(m->version, 20160828);
  // InitLib ran at load; the host warns when it is not given the module's
  // own handle.
  EXPECT_TRUE(m->announced);
  ExpectNoWarnings(*sim);

  void *h = LoadedModule(*sim);
  ASSERT_NE(h, nullptr);
  for (const char *name : {"ovcInit", "ovcExit", "ModuleDate", "GetModuleVersion"})
    EXPECT_NE(dlsym(h, name), nullptr) << name;
  for (const char *name : {"ExitModule", "opcDLLExit", "_ZN10beam_wick216ApplyLightParamsEv"})
    EXPECT_EQ(dlsym(h, name), nullptr) << name;
}

TEST(SpotlightModule, VersionIsComputedOnceAndCached) {
  vhost::SimulationOptions o = Options();
  o.trace = true;
  vhost::Simulation sim(o);
  int conversions = 0;
  sim.onTrace([&](const vhost::TraceEntry &e) { conversions += e.call == "Date2Int"; });
  sim.loadScenario(Scenario(), "version.scn");
  auto version = reinterpret_cast<MODULE_VERSION_FUNC>(dlsym(LoadedModule(sim), "GetModuleVersion"));
  ASSERT_NE(version, nullptr);
  const int before = conversions;
  EXPECT_EQ(version(), 20160828);
  EXPECT_EQ(version(), 20160828);
  EXPECT_LE(conversions, 1);
  EXPECT_EQ(conversions, before);  // the cache already held the value
}

TEST(SpotlightModule, ObjectDestroyedBeforeItsClassCapsFreesOnlyItself) {
  auto sim = Load(Scenario());
  void *h = LoadedModule(*sim);
  auto init = reinterpret_cast<OVC_INIT_FUNC>(dlsym(h, "ovcInit"));
  auto exit = reinterpret_cast<OVC_EXIT_FUNC>(dlsym(h, "ovcExit"));
  ASSERT_NE(init, nullptr);
  ASSERT_NE(exit, nullptr);
  const std::size_t before = vhost::AllocationCounter::live();
  VESSEL *v = init(sim->vessel("Spot").handle(), 1);
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(vhost::AllocationCounter::live(), before + 1);  // the object alone
  exit(v);
  EXPECT_EQ(vhost::AllocationCounter::live(), before);  // no animation component to give back
  exit(nullptr);
  EXPECT_EQ(vhost::AllocationCounter::live(), before);
  // The vessel the host made is untouched and flies on.
  sim->step();
  EXPECT_EQ(Spot(*sim).animations.size(), 2u);
  ExpectNoWarnings(*sim);
}
