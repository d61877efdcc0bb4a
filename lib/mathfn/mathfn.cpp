#include "lib/mathfn/mathfn.h"

#include <cmath>

// Double-double arithmetic needs every product and sum rounded on its own:
// the build compiles without contraction into fused multiply-adds
// (-ffp-contract=off), and nothing here uses the platform's fma.

namespace mathfn {

namespace {

// hi + lo with |lo| at most half a unit in the last place of hi.
struct DD {
  double hi, lo;
};

constexpr DD TwoSum(double a, double b) {
  const double s = a + b;
  const double bb = s - a;
  return {s, (a - (s - bb)) + (b - bb)};
}

constexpr DD QuickTwoSum(double a, double b) {  // |a| >= |b|
  const double s = a + b;
  return {s, b - (s - a)};
}

// The exact product, by Dekker's splitting into halves of 26 bits.
constexpr DD TwoProd(double a, double b) {
  constexpr double kSplit = 134217729.0;  // 2^27 + 1
  const double ta = kSplit * a, tb = kSplit * b;
  const double ah = ta - (ta - a), al = a - ah;
  const double bh = tb - (tb - b), bl = b - bh;
  const double p = a * b;
  return {p, ((ah * bh - p) + ah * bl + al * bh) + al * bl};
}

constexpr DD Add(DD a, DD b) {
  DD s = TwoSum(a.hi, b.hi);
  const DD t = TwoSum(a.lo, b.lo);
  s.lo += t.hi;
  s = QuickTwoSum(s.hi, s.lo);
  s.lo += t.lo;
  return QuickTwoSum(s.hi, s.lo);
}

constexpr DD Neg(DD a) { return {-a.hi, -a.lo}; }
constexpr DD Sub(DD a, DD b) { return Add(a, Neg(b)); }

constexpr DD Mul(DD a, DD b) {
  DD p = TwoProd(a.hi, b.hi);
  p.lo += a.hi * b.lo + a.lo * b.hi;
  return QuickTwoSum(p.hi, p.lo);
}

constexpr DD Mul(DD a, double b) {
  DD p = TwoProd(a.hi, b);
  p.lo += a.lo * b;
  return QuickTwoSum(p.hi, p.lo);
}

constexpr DD Div(DD a, DD b) {
  const double q1 = a.hi / b.hi;
  DD r = Sub(a, Mul(b, q1));
  const double q2 = r.hi / b.hi;
  r = Sub(r, Mul(b, q2));
  const double q3 = r.hi / b.hi;
  return Add(QuickTwoSum(q1, q2), DD{q3, 0});
}

// π/2 in four parts, and 2/π for the quotient.
constexpr double kPio2[4] = {0x1.921fb54442d18p+0, 0x1.1a62633145c07p-54, -0x1.f1976b7ed8fbcp-110,
                             0x1.4cf98e804177dp-164};
constexpr DD kPio2DD{kPio2[0], kPio2[1]};
constexpr DD kPiDD{2 * kPio2[0], 2 * kPio2[1]};
constexpr double kTwoOverPi = 0x1.45f306dc9c883p-1;

// 1/n! for the series, n = 0 .. 27, in double-double.
struct Factorials {
  DD inv[28];
  constexpr Factorials() : inv{} {
    inv[0] = {1, 0};
    for (int n = 1; n < 28; ++n) inv[n] = Div(inv[n - 1], DD{static_cast<double>(n), 0});
  }
};
constexpr Factorials kFact;

// The leading terms of each series in double-double, the rest (a few 1e-9
// of the sum at most) in double.
constexpr int kExactTerms = 5;

// sin r and cos r for |r| up to a little over π/4.
void SinCosReduced(DD r, DD& s, DD& c) {
  const DD z = Mul(r, r);
  const double zd = z.hi;
  // Tails in z: sin from r^11, cos from r^10.
  double ts = 0, tc = 0;
  for (int n = 27; n >= 2 * kExactTerms + 1; n -= 2) ts = ts * zd + (((n / 2) % 2) ? -1 : 1) * kFact.inv[n].hi;
  for (int n = 26; n >= 2 * kExactTerms; n -= 2) tc = tc * zd + (((n / 2) % 2) ? -1 : 1) * kFact.inv[n].hi;
  DD ps{ts, 0}, pc{tc, 0};
  for (int k = kExactTerms - 1; k >= 0; --k) {
    const DD fs = kFact.inv[2 * k + 1], fc = kFact.inv[2 * k];
    ps = Add(Mul(ps, z), k % 2 ? Neg(fs) : fs);
    pc = Add(Mul(pc, z), k % 2 ? Neg(fc) : fc);
  }
  s = Mul(ps, r);
  c = pc;
}

// x less a multiple n of π/2, and n modulo 4.
DD Reduce(double x, int& quadrant) {
  // Beyond 2^150 the digits are gone anyway: the exact remainder of 2π as
  // a double (the same everywhere) keeps the products below finite.
  if (std::fabs(x) > 0x1p150) x = std::fmod(x, 4 * kPio2[0]);
  DD r{x, 0};
  quadrant = 0;
  // One pass for the arguments of everyday angles; more where the
  // quotient was too large to be an exact integer.
  for (int pass = 0; pass < 4 && !(std::fabs(r.hi) <= 0.785398163397448); ++pass) {
    const double k = std::nearbyint(r.hi * kTwoOverPi);
    if (k == 0) break;
    for (const double part : kPio2) r = Sub(r, TwoProd(k, part));
    quadrant = (quadrant + static_cast<int>(std::fmod(k, 4.0)) + 4) % 4;
  }
  return r;
}

double Round(DD v) { return v.hi + v.lo; }

// Sine and cosine of x in double-double.
void SinCos(double x, DD& s, DD& c) {
  int quadrant = 0;
  const DD r = Reduce(x, quadrant);
  DD sr, cr;
  SinCosReduced(r, sr, cr);
  switch (quadrant) {
    case 0: s = sr, c = cr; break;
    case 1: s = cr, c = Neg(sr); break;
    case 2: s = Neg(sr), c = Neg(cr); break;
    default: s = Neg(cr), c = sr; break;
  }
}

}  // namespace

double sin(double x) {
  if (!std::isfinite(x)) return x - x;
  if (std::fabs(x) < 0x1p-26) return x;  // x³/6 is below half a unit of x
  DD s, c;
  SinCos(x, s, c);
  return Round(s);
}

double cos(double x) {
  if (!std::isfinite(x)) return x - x;
  if (std::fabs(x) < 0x1p-27) return 1;
  DD s, c;
  SinCos(x, s, c);
  return Round(c);
}

double tan(double x) {
  if (!std::isfinite(x)) return x - x;
  if (std::fabs(x) < 0x1p-27) return x;
  DD s, c;
  SinCos(x, s, c);
  return Round(Div(s, c));
}

// The inverse functions: y0 from the platform, then y0 + δ with δ the
// Newton step on a function of y that vanishes at the answer, its value
// from the double-double sine and cosine at y0.

double atan(double x) {
  if (std::isnan(x)) return x;
  if (std::fabs(x) < 0x1p-27) return x;
  if (std::fabs(x) > 0x1p60) return std::copysign(Round(Sub(kPio2DD, DD{1 / std::fabs(x), 0})), x);
  const double y0 = std::atan(x);
  DD s, c;
  SinCos(y0, s, c);
  // sin y − x cos y, whose slope is cos y + x sin y.
  const DD g = Sub(s, Mul(c, x));
  const double slope = c.hi + x * s.hi;
  return Round(TwoSum(y0, -g.hi / slope));
}

double asin(double x) {
  if (std::isnan(x) || std::fabs(x) > 1) return std::asin(x);
  if (std::fabs(x) < 0x1p-26) return x;
  if (std::fabs(x) == 1) return std::copysign(kPio2[0], x);
  const double y0 = std::asin(x);
  DD s, c;
  SinCos(y0, s, c);
  const DD g = Sub(s, DD{x, 0});  // sin y − x, slope cos y
  return Round(TwoSum(y0, -g.hi / c.hi));
}

double acos(double x) {
  if (std::isnan(x) || std::fabs(x) > 1) return std::acos(x);
  if (x == 1) return 0;
  if (x == -1) return Round(kPiDD);
  if (std::fabs(x) < 0x1p-55) return kPio2[0];
  const double y0 = std::acos(x);
  DD s, c;
  SinCos(y0, s, c);
  const DD g = Sub(c, DD{x, 0});  // cos y − x, slope −sin y
  return Round(TwoSum(y0, g.hi / s.hi));
}

double atan2(double y, double x) {
  // Zeros, infinities and NaNs: the platform's exact special values.
  if (!std::isfinite(x) || !std::isfinite(y) || x == 0 || y == 0) return std::atan2(y, x);
  // Both scaled alike by a power of two: the angle is the same, the products
  // below neither overflow nor underflow.
  int ex = 0, ey = 0;
  std::frexp(x, &ex);
  std::frexp(y, &ey);
  const int e = ex > ey ? ex : ey;
  const double xs = std::ldexp(x, -e), ys = std::ldexp(y, -e);
  const double t0 = std::atan2(ys, xs);
  if (std::fabs(t0) < 0x1p-1000) return std::atan2(y, x);  // y/x underflows
  DD s, c;
  SinCos(t0, s, c);
  // x sin t − y cos t, slope x cos t + y sin t.
  const DD g = Sub(Mul(s, xs), Mul(c, ys));
  const double slope = xs * c.hi + ys * s.hi;
  return Round(TwoSum(t0, -g.hi / slope));
}

double hypot(double x, double y) {
  if (std::isinf(x) || std::isinf(y)) return INFINITY;
  if (std::isnan(x) || std::isnan(y)) return x + y;
  x = std::fabs(x), y = std::fabs(y);
  if (x == 0 || y == 0) return x + y;
  int ex = 0, ey = 0;
  std::frexp(x, &ex);
  std::frexp(y, &ey);
  const int e = ex > ey ? ex : ey;
  const double xs = std::ldexp(x, -e), ys = std::ldexp(y, -e);
  // The sum of the squares exactly enough, its square root corrected once.
  const DD q = Add(TwoProd(xs, xs), TwoProd(ys, ys));
  const double r0 = std::sqrt(q.hi);
  const DD d = Sub(q, TwoProd(r0, r0));
  const double r = Round(TwoSum(r0, d.hi / (2 * r0)));
  return std::ldexp(r, e);
}

float sin(float x) { return static_cast<float>(sin(static_cast<double>(x))); }
float cos(float x) { return static_cast<float>(cos(static_cast<double>(x))); }
float tan(float x) { return static_cast<float>(tan(static_cast<double>(x))); }
float atan(float x) { return static_cast<float>(atan(static_cast<double>(x))); }
float asin(float x) { return static_cast<float>(asin(static_cast<double>(x))); }
float acos(float x) { return static_cast<float>(acos(static_cast<double>(x))); }
float atan2(float y, float x) {
  return static_cast<float>(atan2(static_cast<double>(y), static_cast<double>(x)));
}

}  // namespace mathfn
