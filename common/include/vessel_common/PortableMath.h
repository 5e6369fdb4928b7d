// Elementary functions that give the same bits on every system. The C
// libraries' own differ in the last digit now and then (mingw-w64's sine and
// cosine are the x87's instructions, which miss cos(pi/2) in the fifth
// digit), and a saved scenario or a JSON state shows every digit; the
// modules and the headless host's frames and flight model use these
// instead, so that a flight gives the same numbers on every system. Each is worked out in
// double-double arithmetic (about 106 bits) from the four basic operations
// and the square root, which every system rounds alike, and rounded once at
// the end: the correctly rounded result but in cases too rare to meet.
#ifndef VESSEL_COMMON_PORTABLEMATH_H
#define VESSEL_COMMON_PORTABLEMATH_H

namespace vmod {

// Sine and cosine of x (radians). Beyond a million radians, where an angle
// means nothing, x is first reduced by 2 pi as a double.
void portableSinCos(double x, double &s, double &c);
// e to the x.
double portableExp(double x);
// The angle of the point (x, y), -pi..pi, with the C library's signs for
// zeros and infinities.
double portableAtan2(double y, double x);
// The arc sine, -pi/2..pi/2; NaN outside -1..1.
double portableAsin(double x);

}  // namespace vmod

#endif  // VESSEL_COMMON_PORTABLEMATH_H
