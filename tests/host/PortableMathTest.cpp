// The modules' and the host's own elementary functions: within one unit in the last place
// of the C library's everywhere, the same in all but a few cases in a
// thousand (where the library is the one off, most of the time), and the
// library's answers at zeros, infinities and the edges of the range.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>

#include "vessel_common/PortableMath.h"

using namespace vmod;

namespace {

const double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

// Units in the last place between two finite doubles of the same sign.
std::int64_t ulps(double a, double b) {
  std::int64_t ia, ib;
  std::memcpy(&ia, &a, sizeof a);
  std::memcpy(&ib, &b, sizeof b);
  return ia > ib ? ia - ib : ib - ia;
}

struct Agreement {
  int samples = 0, differing = 0;
  std::int64_t worst = 0;
  void add(double ours, double library) {
    ++samples;
    if (ours == library) return;
    ++differing;
    worst = std::max(worst, std::signbit(ours) == std::signbit(library) ? ulps(ours, library) : 1 << 30);
  }
};

void expectClose(const Agreement &a, const char *what) {
  EXPECT_LE(a.worst, 1) << what;
  EXPECT_LT(a.differing, a.samples / 200) << what << ": " << a.differing << " of " << a.samples;
}

const int kSamples = 200000;

TEST(PortableMath, SineAndCosineAgreeWithTheLibrary) {
  std::mt19937_64 random(1);
  std::uniform_real_distribution<double> unit(-1, 1);
  Agreement sine, cosine;
  for (int i = 0; i < kSamples; ++i) {
    // Small angles, a few turns, and far out to where the reduction matters.
    const double x = unit(random) * std::ldexp(1.0, int(random() % 24) - 4);
    double s, c;
    portableSinCos(x, s, c);
    sine.add(s, std::sin(x));
    cosine.add(c, std::cos(x));
  }
  expectClose(sine, "sin");
  expectClose(cosine, "cos");
}

TEST(PortableMath, ExpAtan2AndAsinAgreeWithTheLibrary) {
  std::mt19937_64 random(2);
  std::uniform_real_distribution<double> unit(-1, 1), exponent(-745, 709.7);
  Agreement exp, atan2, asin;
  for (int i = 0; i < kSamples; ++i) {
    const double x = i % 2 ? exponent(random) : unit(random) * 30;
    exp.add(portableExp(x), std::exp(x));
    const double y = unit(random) * std::ldexp(1.0, int(random() % 40) - 20), z = unit(random);
    atan2.add(portableAtan2(y, z), std::atan2(y, z));
    // Near 1 as well, where 1 - x^2 loses digits unless formed exactly.
    const double a = i % 3 ? unit(random) : std::copysign(1 - std::ldexp(std::fabs(z), -int(random() % 50)), z);
    asin.add(portableAsin(a), std::asin(a));
  }
  expectClose(exp, "exp");
  expectClose(atan2, "atan2");
  expectClose(asin, "asin");
}

TEST(PortableMath, RightAnglesAndZeros) {
  double s, c;
  // The x87's cosine misses this one in the fifth digit.
  portableSinCos(-M_PI / 2, s, c);
  EXPECT_EQ(s, -1.0);
  EXPECT_EQ(c, 6.123233995736766e-17);
  portableSinCos(M_PI, s, c);
  EXPECT_EQ(s, 1.2246467991473532e-16);
  EXPECT_EQ(c, -1.0);
  portableSinCos(-0.0, s, c);
  EXPECT_TRUE(s == 0 && std::signbit(s));
  EXPECT_EQ(c, 1.0);
  EXPECT_EQ(portableExp(0), 1.0);
  EXPECT_EQ(portableExp(-0.0), 1.0);
  EXPECT_EQ(portableExp(1), std::exp(1.0));
  EXPECT_EQ(portableAsin(1), M_PI / 2);
  EXPECT_EQ(portableAsin(-1), -M_PI / 2);
  EXPECT_TRUE(portableAsin(-0.0) == 0 && std::signbit(portableAsin(-0.0)));
}

TEST(PortableMath, EdgesOfTheRange) {
  EXPECT_EQ(portableExp(710), kInf);
  EXPECT_EQ(portableExp(709.78), std::exp(709.78));
  EXPECT_EQ(portableExp(-746), 0.0);
  EXPECT_EQ(portableExp(-740), std::exp(-740.0));  // a subnormal result
  EXPECT_EQ(portableExp(-kInf), 0.0);
  EXPECT_EQ(portableExp(kInf), kInf);
  EXPECT_TRUE(std::isnan(portableExp(kNaN)));
  double s, c;
  portableSinCos(kInf, s, c);
  EXPECT_TRUE(std::isnan(s) && std::isnan(c));
  // Far beyond a million radians the angle is reduced by 2 pi as a double:
  // still a point on the unit circle.
  portableSinCos(1e300, s, c);
  EXPECT_NEAR(s * s + c * c, 1.0, 1e-15);
  EXPECT_TRUE(std::isnan(portableAsin(1.0000000000000002)));
  EXPECT_TRUE(std::isnan(portableAsin(kNaN)));
}

TEST(PortableMath, Atan2QuadrantsZerosAndInfinities) {
  const double cases[][2] = {{0.0, 1},   {-0.0, 1},   {0.0, -1},  {-0.0, -1},  {0.0, 0.0}, {-0.0, 0.0},
                             {0.0, -0.0}, {-0.0, -0.0}, {1, 0.0},  {-1, -0.0},  {kInf, 1}, {-kInf, -1},
                             {1, kInf},   {1, -kInf},  {-1, -kInf}, {kInf, kInf}, {kInf, -kInf}, {-kInf, -kInf},
                             {1e-300, 1e300}, {1e300, 1e-300}, {-2, -3}, {2, -3}};
  for (const auto &yx : cases) {
    const double ours = portableAtan2(yx[0], yx[1]), library = std::atan2(yx[0], yx[1]);
    EXPECT_EQ(ours, library) << yx[0] << ", " << yx[1];
    EXPECT_EQ(std::signbit(ours), std::signbit(library)) << yx[0] << ", " << yx[1];
  }
  EXPECT_TRUE(std::isnan(portableAtan2(kNaN, 1)));
  EXPECT_TRUE(std::isnan(portableAtan2(1, kNaN)));
}

}  // namespace
