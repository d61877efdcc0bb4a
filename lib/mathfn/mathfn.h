// Trigonometric functions, hypot, exp, log, log10 and pow rounded correctly
// (to within about 2^-70 of a unit in the last place), from ordinary double
// arithmetic alone: the same bits from every compiler and C library. The
// platforms' own libraries round the last bit their own ways (glibc and the
// WebAssembly build's musl disagree on about one exp or pow in 1500, and
// glibc's log10 misses one in 30), and a shock angle near the maximum turning
// shows that difference in the third decimal.
//
// The angle is reduced and the series summed in double-double arithmetic;
// the inverse functions take the platform's value as a first guess and
// correct it by one Newton step from the double-double sine and cosine, so
// that the guess, good to a unit in the last place, does not show in the
// result. Angles beyond 2^150 radians lose their digits, the same everywhere.
//
// exp, log and pow take nothing from the platform: a table-driven reduction
// and a short series in double-double, kept when its error bound leaves the
// rounding in no doubt, else (about once in 2^38 calls) the same in
// triple-double, good to about 2^-140. Their special cases (zeros,
// infinities, NaNs, overflow, subnormal results, a negative base with a whole
// exponent) are C's (Annex F); a NaN result is always the positive quiet NaN.
#pragma once

#include <type_traits>

namespace mathfn {

[[gnu::const]] double sin(double x);
[[gnu::const]] double cos(double x);
[[gnu::const]] double tan(double x);
[[gnu::const]] double atan(double x);
[[gnu::const]] double asin(double x);
[[gnu::const]] double acos(double x);
[[gnu::const]] double atan2(double y, double x);
[[gnu::const]] double hypot(double x, double y);
[[gnu::const]] double exp(double x);
[[gnu::const]] double log(double x);
[[gnu::const]] double log10(double x);
[[gnu::const]] double pow(double x, double y);

// The Single variants, as the standard library's overloads for float: the
// correctly rounded double rounded once more (a double landing exactly
// half-way between two Singles would be needed to make that differ).
[[gnu::const]] float sin(float x);
[[gnu::const]] float cos(float x);
[[gnu::const]] float tan(float x);
[[gnu::const]] float atan(float x);
[[gnu::const]] float asin(float x);
[[gnu::const]] float acos(float x);
[[gnu::const]] float atan2(float y, float x);
[[gnu::const]] float exp(float x);
[[gnu::const]] float log(float x);
[[gnu::const]] float log10(float x);
[[gnu::const]] float pow(float x, float y);

// The other argument types as the standard library takes them: a whole
// number is taken as a double, and pow of two different types (float and
// double, or either and a whole number) is the double pow, as std::pow.
template <class X>
  requires std::is_integral_v<X>
double exp(X x) { return exp(static_cast<double>(x)); }
template <class X>
  requires std::is_integral_v<X>
double log(X x) { return log(static_cast<double>(x)); }
template <class X>
  requires std::is_integral_v<X>
double log10(X x) { return log10(static_cast<double>(x)); }
template <class X, class Y>
  requires std::is_arithmetic_v<X> && std::is_arithmetic_v<Y> &&
           (!std::is_same_v<X, Y> || std::is_integral_v<X>) &&
           (!std::is_same_v<X, long double> && !std::is_same_v<Y, long double>)
double pow(X x, Y y) { return pow(static_cast<double>(x), static_cast<double>(y)); }

}  // namespace mathfn
