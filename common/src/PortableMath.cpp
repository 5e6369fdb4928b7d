#include "vessel_common/PortableMath.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace vmod {

namespace {

// A number as the unevaluated sum hi + lo, |lo| at most half an ulp of hi.
struct DD {
  double hi, lo;
};

// a + b exactly.
DD twoSum(double a, double b) {
  const double s = a + b;
  const double v = s - a;
  return {s, (a - (s - v)) + (b - v)};
}

// a + b exactly, for |a| >= |b|.
DD fastTwoSum(double a, double b) {
  const double s = a + b;
  return {s, b - (s - a)};
}

// a * b exactly, without a fused multiply-add (Dekker's product: each
// factor split into halves whose products are exact).
DD twoProd(double a, double b) {
  const double kSplit = 134217729.0;  // 2^27 + 1
  const double ca = kSplit * a, cb = kSplit * b;
  const double ah = ca - (ca - a), al = a - ah;
  const double bh = cb - (cb - b), bl = b - bh;
  const double p = a * b;
  return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}

DD add(DD a, DD b) {
  DD s = twoSum(a.hi, b.hi);
  const DD t = twoSum(a.lo, b.lo);
  s.lo += t.hi;
  s = fastTwoSum(s.hi, s.lo);
  s.lo += t.lo;
  return fastTwoSum(s.hi, s.lo);
}

DD neg(DD a) { return {-a.hi, -a.lo}; }

DD mul(DD a, DD b) {
  DD p = twoProd(a.hi, b.hi);
  p.lo += a.hi * b.lo + a.lo * b.hi;
  return fastTwoSum(p.hi, p.lo);
}

DD mul(DD a, double b) {
  DD p = twoProd(a.hi, b);
  p.lo += a.lo * b;
  return fastTwoSum(p.hi, p.lo);
}

// a / b by long division, three quotient digits.
DD div(DD a, DD b) {
  const double q1 = a.hi / b.hi;
  DD r = add(a, neg(mul(b, q1)));
  const double q2 = r.hi / b.hi;
  r = add(r, neg(mul(b, q2)));
  const double q3 = r.hi / b.hi;
  const DD q = fastTwoSum(q1, q2);
  return add(q, DD{q3, 0});
}

// The square root of a > 0: the double root and one Newton step.
DD sqrt(DD a) {
  const double x = std::sqrt(a.hi);
  const DD r = add(a, neg(twoProd(x, x)));
  return fastTwoSum(x, r.hi / (2 * x));
}

// Terms below this share of the sum no longer change it.
constexpr double kNegligible = 0x1p-110;

// pi / 2, pi and ln 2 as three doubles each, each part the double nearest
// what the parts before it leave.
constexpr double kHalfPi[3] = {0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54, -0x1.f1976b7ed8fbcp-110};
constexpr double kLn2[3] = {0x1.62e42fefa39efp-1, 0x1.abc9e3b39803fp-56, 0x1.7b57a079a1934p-111};
constexpr DD kHalfPiDD = {kHalfPi[0], kHalfPi[1]};
constexpr DD kPiDD = {2 * kHalfPi[0], 2 * kHalfPi[1]};

// x - k * c for the constant c in three parts, in double-double: k times the
// first part comes off exactly (x is near it), the rest with 106 bits.
DD reduce(double x, double k, const double (&c)[3]) {
  const DD p1 = twoProd(k, c[0]);
  const DD p2 = twoProd(k, c[1]);
  DD r = twoSum(x - p1.hi, -p2.hi);
  r = add(r, DD{-p1.lo, 0});
  r = add(r, DD{-p2.lo, 0});
  return add(r, DD{-k * c[2], 0});
}

// The tables below are worked out once, on first use, from the series,
// which take a few hundred operations each; a call then needs only a short
// polynomial of what the nearest table entry leaves.

// Sine and cosine of r, |r| about pi/4 at most, by their series.
void sinCosSeries(DD r, DD &s, DD &c) {
  const DD r2 = mul(r, r);
  s = r;
  DD term = r;
  for (int n = 1; std::fabs(term.hi) > kNegligible * std::fabs(s.hi); ++n) {
    term = div(mul(term, neg(r2)), DD{double((2 * n) * (2 * n + 1)), 0});
    s = add(s, term);
  }
  c = {1, 0};
  term = {1, 0};
  for (int n = 1; std::fabs(term.hi) > kNegligible; ++n) {
    term = div(mul(term, neg(r2)), DD{double((2 * n - 1) * (2 * n)), 0});
    c = add(c, term);
  }
}

// e^r, |r| below 1, by its series.
DD expSeries(DD r) {
  DD sum = {1, 0}, term = {1, 0};
  for (int n = 1; std::fabs(term.hi) > kNegligible; ++n) {
    term = div(mul(term, r), DD{double(n), 0});
    sum = add(sum, term);
  }
  return sum;
}

// atan(z) for 0 <= z <= 1: three halvings of the angle,
// atan z = 2 atan(z / (1 + sqrt(1 + z^2))), bring z below tan(pi/32), where
// the series converges fast.
DD atanSeries(DD z) {
  for (int i = 0; i < 3; ++i) z = div(z, add(DD{1, 0}, sqrt(add(DD{1, 0}, mul(z, z)))));
  const DD z2 = mul(z, z);
  DD sum = z, power = z;
  for (int n = 1;; ++n) {
    power = mul(power, neg(z2));
    const DD term = div(power, DD{double(2 * n + 1), 0});
    sum = add(sum, term);
    if (std::fabs(term.hi) <= kNegligible * std::fabs(sum.hi)) break;
  }
  return mul(sum, 8.0);
}

// sin and cos of j/32, e^(j/64) and atan(j/32) for the j each needs.
constexpr int kSinSteps = 26;   // pi/4 * 32, rounded up
constexpr int kExpSteps = 23;   // ln 2 / 2 * 64, rounded up
constexpr int kAtanSteps = 32;  // 1 * 32

struct Tables {
  DD sin[kSinSteps + 1], cos[kSinSteps + 1];
  DD exp[2 * kExpSteps + 1];  // index j + kExpSteps
  DD atan[kAtanSteps + 1];
};

const Tables &tables() {
  static const Tables t = [] {
    Tables m;
    for (int j = 0; j <= kSinSteps; ++j) sinCosSeries(DD{j / 32.0, 0}, m.sin[j], m.cos[j]);
    for (int j = -kExpSteps; j <= kExpSteps; ++j) m.exp[j + kExpSteps] = expSeries(DD{j / 64.0, 0});
    for (int j = 0; j <= kAtanSteps; ++j) m.atan[j] = atanSeries(DD{j / 32.0, 0});
    return m;
  }();
  return t;
}

// Sine and cosine of r, |r| about pi/4 at most: r = j/32 + d, |d| <= 1/64,
// from the table and the angle addition theorems. Terms of d^3 and beyond
// are at most 2^-14 of the result: double precision is enough for them.
void sinCosNear(DD r, DD &s, DD &c) {
  const Tables &t = tables();
  const double j = std::floor(r.hi * 32 + 0.5);
  const DD d = add(r, DD{-j / 32, 0});
  const double dh = d.hi, d2 = dh * dh;
  const DD sinD = add(d, DD{dh * d2 * (-1.0 / 6 + d2 * (1.0 / 120 + d2 * (-1.0 / 5040 + d2 / 362880))), 0});
  const DD cosD = add(add(DD{1, 0}, mul(mul(d, d), -0.5)), DD{d2 * d2 * (1.0 / 24 + d2 * (-1.0 / 720 + d2 / 40320)), 0});
  const int i = int(std::fabs(j));
  const DD sinJ = j < 0 ? neg(t.sin[i]) : t.sin[i], cosJ = t.cos[i];
  s = add(mul(sinJ, cosD), mul(cosJ, sinD));
  c = add(mul(cosJ, cosD), neg(mul(sinJ, sinD)));
}

// e^r, |r| about ln 2 / 2 at most: r = j/64 + d, |d| <= 1/128.
DD expNear(DD r) {
  const double j = std::floor(r.hi * 64 + 0.5);
  const DD d = add(r, DD{-j / 64, 0});
  const double dh = d.hi;
  // e^d = 1 + d + d^2/2 + d^3 (1/6 + d/24 + ...), the last part at most
  // 2^-23, its terms to d^10/10!, below 2^-90.
  const double tail =
      dh * dh * dh *
      (1.0 / 6 +
       dh * (1.0 / 24 +
             dh * (1.0 / 120 +
                   dh * (1.0 / 720 + dh * (1.0 / 5040 + dh * (1.0 / 40320 + dh * (1.0 / 362880 + dh / 3628800)))))));
  const DD expD = add(add(add(DD{1, 0}, d), mul(mul(d, d), 0.5)), DD{tail, 0});
  return mul(tables().exp[int(j) + kExpSteps], expD);
}

// atan(z) for 0 <= z <= 1: z's nearest c = j/32 and
// atan z = atan c + atan((z - c) / (1 + z c)), the second's argument at
// most 1/64.
DD atanUnit(DD z) {
  const double j = std::floor(z.hi * 32 + 0.5);
  const double c = j / 32;
  const DD u = div(add(z, DD{-c, 0}), add(DD{1, 0}, mul(z, c)));
  const double uh = u.hi, u2 = uh * uh;
  const double tail = uh * u2 * (-1.0 / 3 + u2 * (1.0 / 5 + u2 * (-1.0 / 7 + u2 * (1.0 / 9 - u2 / 11))));
  return add(tables().atan[int(j)], add(u, DD{tail, 0}));
}

// The angle of (x, y) for x > 0, y >= 0, in the first quadrant.
DD firstQuadrantAngle(DD y, DD x) {
  if (y.hi <= x.hi) return atanUnit(div(y, x));
  return add(kHalfPiDD, neg(atanUnit(div(x, y))));
}

// 2^e for a normal exponent, -1022..1023.
double powerOfTwo(int e) {
  const std::uint64_t bits = std::uint64_t(e + 1023) << 52;
  double d;
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

}  // namespace

void portableSinCos(double x, double &s, double &c) {
  if (!std::isfinite(x)) {
    s = c = std::numeric_limits<double>::quiet_NaN();
    return;
  }
  // Below 2^-27, x - x^3/6 and 1 - x^2/2 round to x and 1.
  if (std::fabs(x) < 0x1p-27) {
    s = x;
    c = 1;
    return;
  }
  if (std::fabs(x) > 0x1p20) x = std::fmod(x, 4 * kHalfPi[0]);
  // x = k pi/2 + r, |r| <= pi/4 or about.
  const double k = std::floor(x * (2 / (2 * kHalfPi[0])) + 0.5);
  const DD r = k == 0 ? DD{x, 0} : reduce(x, k, kHalfPi);
  DD sr, cr;
  sinCosNear(r, sr, cr);
  const int quadrant = int(k - 4 * std::floor(k / 4));
  switch (quadrant) {
    case 0:
      s = sr.hi, c = cr.hi;
      break;
    case 1:
      s = cr.hi, c = -sr.hi;
      break;
    case 2:
      s = -sr.hi, c = -cr.hi;
      break;
    default:
      s = -cr.hi, c = sr.hi;
      break;
  }
}

double portableExp(double x) {
  if (std::isnan(x)) return x;
  if (x > 709.782712893384) return std::numeric_limits<double>::infinity();
  if (x < -745.1332191019412) return 0;
  if (std::fabs(x) < 0x1p-54) return 1 + x;
  // x = k ln 2 + r, |r| <= ln 2 / 2 or about; e^x = 2^k e^r.
  const double k = std::floor(x * (1 / kLn2[0]) + 0.5);
  const DD sum = expNear(reduce(x, k, kLn2));
  // e^r is 0.7..1.5: scaling it is exact while the result is normal; below
  // that the one product rounds to the subnormal.
  const int e = int(k);
  if (e > 1023) return sum.hi * 2 * powerOfTwo(e - 1);
  if (e >= -1022) return sum.hi * powerOfTwo(e);
  return sum.hi * powerOfTwo(e + 600) * powerOfTwo(-600);
}

double portableAtan2(double y, double x) {
  if (std::isnan(x) || std::isnan(y)) return x + y;
  const double pi = kPiDD.hi, halfPi = kHalfPiDD.hi;
  if (y == 0) return std::signbit(x) ? std::copysign(pi, y) : y;
  if (x == 0) return std::copysign(halfPi, y);
  if (std::isinf(x)) {
    if (std::isinf(y)) return std::copysign(x > 0 ? halfPi / 2 : 3 * halfPi / 2, y);
    return x > 0 ? std::copysign(0.0, y) : std::copysign(pi, y);
  }
  if (std::isinf(y)) return std::copysign(halfPi, y);
  // Ratios beyond what double-double reaches: the angle is the ratio, or
  // pi/2 less it.
  const double ay = std::fabs(y), ax = std::fabs(x);
  DD a;
  if (ay < ax * 0x1p-500) {
    a = {ay / ax, 0};
  } else if (ax < ay * 0x1p-500) {
    a = add(kHalfPiDD, DD{-(ax / ay), 0});
  } else {
    // Both scaled alike to the middle of the range: the halves of Dekker's
    // product stay normal.
    const int ey = std::ilogb(ay), ex = std::ilogb(ax);
    const int shift = -(ey > ex ? ey : ex);
    a = firstQuadrantAngle(DD{std::scalbn(ay, shift), 0}, DD{std::scalbn(ax, shift), 0});
  }
  if (x < 0) a = add(kPiDD, neg(a));
  return std::copysign(a.hi, y);
}

double portableAsin(double x) {
  if (std::isnan(x) || std::fabs(x) > 1) return std::numeric_limits<double>::quiet_NaN();
  if (std::fabs(x) < 0x1p-27) return x;
  const double ax = std::fabs(x);
  if (ax == 1) return std::copysign(kHalfPiDD.hi, x);
  // asin x = atan2(x, sqrt((1 - x)(1 + x))), the product formed exactly.
  const DD c = sqrt(mul(twoSum(1, -ax), twoSum(1, ax)));
  return std::copysign(firstQuadrantAngle(DD{ax, 0}, c).hi, x);
}

}  // namespace vmod
