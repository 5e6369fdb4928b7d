// The mechanism step and toggle rules on their own: the plug-ins' timings
// through the host are tested with each plug-in.
#include <gtest/gtest.h>

#include "vessel_common/Mechanism.h"

namespace {

struct Part {
  int status;
  double position;
  bool open;
};

bool Step(Part &p, double delta) { return vmod::StepMechanism(p.status, p.position, p.open, delta); }

TEST(MechanismStep, ClosedHoldsZeroWithoutTouchingTheAnimation) {
  Part p{STATUS_CLOSED, 0.4, true};
  EXPECT_FALSE(Step(p, 0.1));
  EXPECT_EQ(p.position, 0.0);
  EXPECT_EQ(p.status, STATUS_CLOSED);
  EXPECT_TRUE(p.open) << "the flag belongs to the moving states";
}

TEST(MechanismStep, OpenHoldsOneAndSetsTheAnimation) {
  Part p{STATUS_OPEN, 0.3, false};
  EXPECT_TRUE(Step(p, 0.1));
  EXPECT_EQ(p.position, 1.0);
  EXPECT_EQ(p.status, STATUS_OPEN);
}

TEST(MechanismStep, OpeningReachesOneThenOpensOneStepLater) {
  Part p{STATUS_OPENING, 0.0, false};
  int steps = 0;
  while (p.position < 1.0) {
    ASSERT_TRUE(Step(p, 0.25));
    EXPECT_TRUE(p.open);
    EXPECT_EQ(p.status, STATUS_OPENING);
    ASSERT_LT(++steps, 10);
  }
  EXPECT_EQ(steps, 4);
  EXPECT_EQ(p.position, 1.0);
  ASSERT_TRUE(Step(p, 0.25));
  EXPECT_EQ(p.status, STATUS_OPEN);
  EXPECT_EQ(p.position, 1.0);
}

TEST(MechanismStep, OpeningNeverOvershoots) {
  Part p{STATUS_OPENING, 0.9, false};
  Step(p, 0.5);
  EXPECT_EQ(p.position, 1.0);
}

TEST(MechanismStep, ClosingClearsTheFlagAtOnceAndClosesOnTheStepStartingAtZero) {
  Part p{STATUS_CLOSING, 0.5, true};
  ASSERT_TRUE(Step(p, 0.3));
  EXPECT_FALSE(p.open);
  EXPECT_DOUBLE_EQ(p.position, 0.2);
  ASSERT_TRUE(Step(p, 0.3));
  EXPECT_EQ(p.position, 0.0) << "never below zero";
  EXPECT_EQ(p.status, STATUS_CLOSING);
  ASSERT_TRUE(Step(p, 0.3));
  EXPECT_EQ(p.status, STATUS_CLOSED);
  EXPECT_FALSE(p.open);
}

TEST(MechanismStep, StatusAboveThreeOpensAndNegativeIsLeftAlone) {
  Part above{7, 0.5, false};
  EXPECT_TRUE(Step(above, 0.1));
  EXPECT_DOUBLE_EQ(above.position, 0.6);
  EXPECT_TRUE(above.open);

  Part negative{-1, 0.5, true};
  EXPECT_FALSE(Step(negative, 0.1));
  EXPECT_EQ(negative.position, 0.5);
  EXPECT_EQ(negative.status, -1);
  EXPECT_TRUE(negative.open);
}

TEST(MechanismToggle, NeverStopsAMovement) {
  const struct {
    int before, after;
  } cases[] = {
      {STATUS_CLOSED, STATUS_OPENING},
      {STATUS_OPEN, STATUS_CLOSING},
      {STATUS_CLOSING, STATUS_OPENING},
      {STATUS_OPENING, STATUS_OPENING},
  };
  for (const auto &c : cases) {
    int status = c.before;
    vmod::ToggleMechanism(status);
    EXPECT_EQ(status, c.after) << "from " << c.before;
  }
}

}  // namespace
