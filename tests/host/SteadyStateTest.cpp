// A steady-state frame allocates nothing; the call trace costs nothing when
// it is off and names every call when it is on.
#include "HostTest.h"
#include "vhost/AllocationCounter.h"

using hosttest::probeOptions;
using hosttest::ship;
using hosttest::Sim;

TEST(SteadyState, FramesAllocateNothingOnceRunning) {
  Sim s(probeOptions(true));
  s.load(ship("A:HostProbe", {"BUSY", "STATUS Orbiting Earth", "RPOS 0 6471000 0"}) + ship("P:HostPassive") +
         ship("B:HostProbeLog", {"BUSY"}));
  s.sim.holdKeys("A", {OAPI_KEY_H});
  // B logs every callback on the debug line: the host's notice of it must
  // not allocate either (this sink does not).
  int debugEvents = 0;
  s.sim.onEvent([&debugEvents](const vhost::Event &e) { debugEvents += e.what[0] == 'd'; });
  for (int i = 0; i < 3; ++i) s.sim.step();
  vhost::AllocationCounter::start();
  for (int i = 0; i < 50; ++i) s.sim.step();
  vhost::AllocationCounter::stop();
  EXPECT_EQ(vhost::AllocationCounter::count(), 0u);
  EXPECT_EQ(debugEvents, 2 * 53);  // B's pre- and post-step: A has the focus and the keys
  // The work was done.
  EXPECT_EQ(s.rec("A").thrusterGroups[THGROUP_MAIN].thrusters.size(), 2u);
  EXPECT_DOUBLE_EQ(s.rec("A").lights[0]->GetIntensity(), 0.5);
  EXPECT_DOUBLE_EQ(s.rec("A").beacons[0]->pos->y, s.sim.time());
}

TEST(SteadyState, TraceIsOffByDefaultAndAllocatesNothing) {
  Sim s(probeOptions(false, false));
  int traced = 0;
  s.sim.onTrace([&traced](const vhost::TraceEntry &) { ++traced; });
  s.load(ship("A:HostProbe", {"BUSY"}));
  s.sim.step();
  vhost::AllocationCounter::start();
  s.sim.step();
  vhost::AllocationCounter::stop();
  EXPECT_EQ(traced, 0);
  EXPECT_EQ(vhost::AllocationCounter::count(), 0u);
}

TEST(SteadyState, TraceNamesEveryCallInOrderWithItsArguments) {
  Sim s(probeOptions(false, true));
  std::vector<vhost::TraceEntry> trace;
  s.sim.onTrace([&trace](const vhost::TraceEntry &e) { trace.push_back(e); });
  s.load(ship("A:HostProbe", {"BUSY"}));
  ASSERT_FALSE(trace.empty());
  // Everything is traced from the vessel's construction on.
  std::size_t first = 0;
  while (first < trace.size() && trace[first].vessel != "A") ++first;
  ASSERT_LT(first, trace.size());
  // The constructor's one line: the name and the debug line, in either order.
  ASSERT_LT(first + 1, trace.size());
  EXPECT_TRUE(trace[first].call == "oapiDebugString" || trace[first + 1].call == "oapiDebugString");
  auto find = [&trace](const std::string &call) -> const vhost::TraceEntry * {
    for (const vhost::TraceEntry &e : trace)
      if (e.call == call) return &e;
    return nullptr;
  };
  const vhost::TraceEntry *size = find("SetSize");
  ASSERT_NE(size, nullptr);
  EXPECT_EQ(size->vessel, "A");
  ASSERT_EQ(size->args.size(), 1u);
  EXPECT_EQ(size->args[0].kind, vhost::TraceValue::Number);
  EXPECT_DOUBLE_EQ(size->args[0].number, 5);
  const vhost::TraceEntry *read = find("oapiReadItem_vec");
  ASSERT_NE(read, nullptr);
  EXPECT_EQ(read->args[1].kind, vhost::TraceValue::String);
  EXPECT_EQ(read->args[1].text, "ProbeColour");
  const vhost::TraceEntry *thruster = find("CreateThruster");
  ASSERT_NE(thruster, nullptr);
  EXPECT_EQ(thruster->args[0].kind, vhost::TraceValue::Vector);
  EXPECT_EQ(thruster->args[3].kind, vhost::TraceValue::Int);  // the resource handle as its index
  EXPECT_EQ(thruster->args[3].i, 0);
  const vhost::TraceEntry *group = find("CreateThrusterGroup");
  ASSERT_NE(group, nullptr);
  EXPECT_EQ(group->args[0].list, (std::vector<double>{0, 1}));
  EXPECT_EQ(group->args[2].i, THGROUP_MAIN);
  trace.clear();
  s.sim.step();
  ASSERT_FALSE(trace.empty());
  EXPECT_EQ(trace.front().call, "SetEmptyMass");  // the pre-step's one call
  EXPECT_DOUBLE_EQ(trace.front().t, 0);
  EXPECT_DOUBLE_EQ(trace.back().t, 0.02);
}

TEST(SteadyState, LiveCountSeesEveryBlockUntilItIsFreed) {
  // Plain calls of the allocation functions through volatile pointers: an
  // optimiser may drop a new-expression whose block is freed unseen, and
  // nothing else may allocate between the reads.
  void *(*volatile allocate)(std::size_t) = &::operator new;
  void (*volatile release)(void *) noexcept = &::operator delete;
  std::size_t before = vhost::AllocationCounter::live();
  void *one = allocate(sizeof(int));
  void *many = allocate(64);
  std::size_t during = vhost::AllocationCounter::live();
  release(one);
  release(many);
  release(nullptr);
  std::size_t after = vhost::AllocationCounter::live();
  EXPECT_EQ(during, before + 2);
  EXPECT_EQ(after, before);
}
