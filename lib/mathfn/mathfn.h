// Trigonometric functions and hypot rounded correctly (to within about
// 2^-70 of a unit in the last place), from ordinary double arithmetic
// alone: the same bits from every compiler and C library. The platforms'
// own libraries round the last bit their own ways, and a shock angle near
// the maximum turning shows that difference in the third decimal.
//
// The angle is reduced and the series summed in double-double arithmetic;
// the inverse functions take the platform's value as a first guess and
// correct it by one Newton step from the double-double sine and cosine, so
// that the guess, good to a unit in the last place, does not show in the
// result. Angles beyond 2^150 radians lose their digits, the same everywhere.
#pragma once

namespace mathfn {

[[gnu::const]] double sin(double x);
[[gnu::const]] double cos(double x);
[[gnu::const]] double tan(double x);
[[gnu::const]] double atan(double x);
[[gnu::const]] double asin(double x);
[[gnu::const]] double acos(double x);
[[gnu::const]] double atan2(double y, double x);
[[gnu::const]] double hypot(double x, double y);

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

}  // namespace mathfn
