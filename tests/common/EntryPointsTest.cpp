// A module's object is made and destroyed as its own class. VESSEL has no
// virtual destructor and, in a class with callbacks, does not start the
// object: a delete through a VESSEL pointer would skip the class's destructor
// and free an address that was never handed out (AddressSanitizer reports it
// in the sanitizer build).
#include <gtest/gtest.h>

#include <type_traits>

#include "vessel_common/EntryPoints.h"

static_assert(!std::is_polymorphic<VESSEL>::value, "VESSEL has no virtual members, as the host's");
static_assert(!std::has_virtual_destructor<VESSEL3>::value, "the callback classes have no virtual destructor");
static_assert(!std::has_virtual_destructor<MGROUP_TRANSFORM>::value, "nor have the animation components");

namespace {

int destroyed = 0;

class Counted : public VESSEL3 {
public:
  Counted(OBJHANDLE h, int fmodel) : VESSEL3(h, fmodel) {}
  ~Counted() { ++destroyed; }
  void clbkPostCreation() override { state[0] = 1; }

  double state[8] = {};  // so that the object is larger than its VESSEL3 part
};

OBJHANDLE someHandle() { return reinterpret_cast<OBJHANDLE>(0x1000); }

TEST(EntryPoints, DeleteVesselRunsTheClassDestructorOnTheBlockNewVesselMade) {
  destroyed = 0;
  VESSEL *v = vmod::NewVessel<Counted>(someHandle(), 1);
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->Version(), 2);
  EXPECT_EQ(v->GetFlightModel(), 1);
  vmod::DeleteVessel<Counted>(v);
  EXPECT_EQ(destroyed, 1);
}

TEST(EntryPoints, TheVesselPartDoesNotStartAnObjectWithCallbacks) {
  Counted object(someHandle(), 0);
  VESSEL *asVessel = &object;
  EXPECT_NE(static_cast<void *>(asVessel), static_cast<void *>(&object));
  EXPECT_EQ(static_cast<Counted *>(asVessel), &object);
  EXPECT_EQ(asVessel->Version(), 2);
}

TEST(EntryPoints, DeleteVesselOfNullDoesNothing) {
  destroyed = 0;
  vmod::DeleteVessel<Counted>(nullptr);
  EXPECT_EQ(destroyed, 0);
}

}  // namespace
