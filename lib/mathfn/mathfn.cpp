#include "lib/mathfn/mathfn.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <type_traits>

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

namespace {

// ---- exp, log, pow -------------------------------------------------------
//
// Two passes: a quick one in double-double whose result is kept when its
// error bound leaves no doubt about the rounding, and, when it does not
// (about once in 2^38 calls), the same formulas again in triple-double,
// good to about 2^-140, whose result is rounded as it stands. No guess from
// the platform's library: every bit comes from the operations below.

// The bits of a double or float (std::bit_cast is missing from Emscripten's
// library).
template <class To, class From>
To BitCast(const From& v) {
  static_assert(sizeof(To) == sizeof(From));
  To t;
  std::memcpy(&t, &v, sizeof t);
  return t;
}

// hi + mid + lo, each well below a unit in the last place of the one before.
struct TD {
  double x0, x1, x2;
};

// a + b + c, exactly, spread over three parts again.
constexpr TD Renorm(double a, double b, double c) {
  const DD s = TwoSum(b, c);
  const DD t = TwoSum(a, s.hi);
  const DD u = TwoSum(t.lo, s.lo);
  const DD v = TwoSum(t.hi, u.hi);
  const DD w = TwoSum(v.lo, u.lo);
  return {v.hi, w.hi, w.lo};
}

constexpr TD Add(const TD& a, const TD& b) {
  const DD s0 = TwoSum(a.x0, b.x0);
  const DD s1 = TwoSum(a.x1, b.x1);
  const DD t1 = TwoSum(s0.lo, s1.hi);
  const double t2 = (a.x2 + b.x2) + (s1.lo + t1.lo);
  return Renorm(s0.hi, t1.hi, t2);
}

constexpr TD Neg(const TD& a) { return {-a.x0, -a.x1, -a.x2}; }
constexpr TD Sub(const TD& a, const TD& b) { return Add(a, Neg(b)); }

constexpr TD Mul(const TD& a, const TD& b) {
  const DD p00 = TwoProd(a.x0, b.x0);
  const DD p01 = TwoProd(a.x0, b.x1);
  const DD p10 = TwoProd(a.x1, b.x0);
  const DD s = TwoSum(p01.hi, p10.hi);
  const DD t = TwoSum(p00.lo, s.hi);
  const double rest = (a.x0 * b.x2 + a.x1 * b.x1 + a.x2 * b.x0) + (p01.lo + p10.lo) + (s.lo + t.lo);
  return Renorm(p00.hi, t.hi, rest);
}

constexpr TD Mul(const TD& a, double b) { return Mul(a, TD{b, 0, 0}); }

constexpr TD Div(const TD& a, const TD& b) {
  const double q0 = a.x0 / b.x0;
  TD r = Sub(a, Mul(b, q0));
  const double q1 = r.x0 / b.x0;
  r = Sub(r, Mul(b, q1));
  const double q2 = r.x0 / b.x0;
  return Renorm(q0, q1, q2);
}

// The first two parts of a triple-double constant, or all three.
template <class T> constexpr T Pick(const TD& c);
template <> constexpr DD Pick<DD>(const TD& c) { return {c.x0, c.x1}; }
template <> constexpr TD Pick<TD>(const TD& c) { return c; }

constexpr double Lead(const DD& v) { return v.hi; }
constexpr double Lead(const TD& v) { return v.x0; }

// 1/n! (n = 0 .. 20) and 1/(2n + 1) (n = 0 .. 11) in triple-double.
struct ExpLogCoefficients {
  TD invFact[21], invOdd[12];
  constexpr ExpLogCoefficients() : invFact{}, invOdd{} {
    invFact[0] = {1, 0, 0};
    for (int n = 1; n < 21; ++n) invFact[n] = Div(invFact[n - 1], TD{static_cast<double>(n), 0, 0});
    for (int n = 0; n < 12; ++n) invOdd[n] = Div(TD{1, 0, 0}, TD{2.0 * n + 1, 0, 0});
  }
};
constexpr ExpLogCoefficients kCoef;

// ln 2, ln 2 / 32 and 1 / ln 10 in three parts each, and 32 / ln 2.
constexpr TD kLn2{0x1.62e42fefa39efp-1, 0x1.abc9e3b39803fp-56, 0x1.7b57a079a1934p-111};
constexpr TD kLn2Over32{0x1.62e42fefa39efp-6, 0x1.abc9e3b39803fp-61, 0x1.7b57a079a1934p-116};
constexpr TD kInvLn10{0x1.bcb7b1526e50ep-2, 0x1.95355baaafad3p-57, 0x1.ee191f71a3012p-112};
constexpr double k32OverLn2 = 0x1.71547652b82fep+5;

// 2^(j/32), j = 0 .. 31, worked to 120 digits and split into three parts.
constexpr TD kExp2[32] = {
    {0x1.0000000000000p+0, 0x0.0p+0, 0x0.0p+0},
    {0x1.059b0d3158574p+0, 0x1.d73e2a475b465p-55, 0x1.05ff94f8d257ep-110},
    {0x1.0b5586cf9890fp+0, 0x1.8a62e4adc610bp-54, -0x1.67c9bd6ebf74cp-108},
    {0x1.11301d0125b51p+0, -0x1.6c51039449b3ap-54, 0x1.9d58b988f562dp-109},
    {0x1.172b83c7d517bp+0, -0x1.19041b9d78a76p-55, 0x1.4f2406aa13ff0p-109},
    {0x1.1d4873168b9aap+0, 0x1.e016e00a2643cp-54, 0x1.ea62d0881b918p-110},
    {0x1.2387a6e756238p+0, 0x1.9b07eb6c70573p-54, -0x1.4d89f9af532e0p-109},
    {0x1.29e9df51fdee1p+0, 0x1.612e8afad1255p-55, 0x1.de54485604690p-111},
    {0x1.306fe0a31b715p+0, 0x1.6f46ad23182e4p-55, 0x1.7b7b2f09cd0d9p-110},
    {0x1.371a7373aa9cbp+0, -0x1.63aeabf42eae2p-54, 0x1.87e3e12516bfap-108},
    {0x1.3dea64c123422p+0, 0x1.ada0911f09ebcp-55, -0x1.808ba68fa8fb7p-109},
    {0x1.44e086061892dp+0, 0x1.89b7a04ef80d0p-59, -0x1.0ac312de3d922p-114},
    {0x1.4bfdad5362a27p+0, 0x1.d4397afec42e2p-56, 0x1.c06c7745c2b39p-113},
    {0x1.5342b569d4f82p+0, -0x1.07abe1db13cadp-55, 0x1.fa733951f214cp-111},
    {0x1.5ab07dd485429p+0, 0x1.6324c054647adp-54, -0x1.744ee506fdafep-109},
    {0x1.6247eb03a5585p+0, -0x1.383c17e40b497p-54, 0x1.5d8e757cfb991p-111},
    {0x1.6a09e667f3bcdp+0, -0x1.bdd3413b26456p-54, 0x1.57d3e3adec175p-108},
    {0x1.71f75e8ec5f74p+0, -0x1.16e4786887a99p-55, -0x1.269796953a4c3p-109},
    {0x1.7a11473eb0187p+0, -0x1.41577ee04992fp-55, -0x1.4217a932d10d4p-113},
    {0x1.82589994cce13p+0, -0x1.d4c1dd41532d8p-54, 0x1.0f6ad65cbbac1p-112},
    {0x1.8ace5422aa0dbp+0, 0x1.6e9f156864b27p-54, -0x1.30644a7836333p-110},
    {0x1.93737b0cdc5e5p+0, -0x1.75fc781b57ebcp-57, 0x1.697e257ac0db2p-111},
    {0x1.9c49182a3f090p+0, 0x1.c7c46b071f2bep-56, 0x1.6376b7943085cp-110},
    {0x1.a5503b23e255dp+0, -0x1.d2f6edb8d41e1p-54, -0x1.bfd7adfd63f48p-111},
    {0x1.ae89f995ad3adp+0, 0x1.7a1cd345dcc81p-54, 0x1.a7fbc3ae675eap-108},
    {0x1.b7f76f2fb5e47p+0, -0x1.5584f7e54ac3bp-56, 0x1.aa64481e1ab72p-111},
    {0x1.c199bdd85529cp+0, 0x1.11065895048ddp-55, 0x1.99e51125928dap-110},
    {0x1.cb720dcef9069p+0, 0x1.503cbd1e949dbp-56, 0x1.d8765566b032ep-110},
    {0x1.d5818dcfba487p+0, 0x1.2ed02d75b3707p-55, -0x1.ab053b05531fcp-111},
    {0x1.dfc97337b9b5fp+0, -0x1.1a5cd4f184b5cp-54, 0x1.b7225a944efd6p-108},
    {0x1.ea4afa2a490dap+0, -0x1.e9c23179c2893p-54, -0x1.fc0f242bbf3dep-109},
    {0x1.f50765b6e4540p+0, 0x1.9d3e12dd8a18bp-54, -0x1.4019bffc80ef3p-110},
};

// For m near i/128, i = 91 .. 181: r = 128/i rounded to a double, and
// -ln r in three parts, worked to 120 digits. m r is within 2^-7.5 of 1;
// at i = 128, r = 1 and -ln r = 0, so that logarithms near 1 keep their
// relative accuracy.
struct LogEntry {
  double r;
  TD minusLogR;
};
constexpr LogEntry kLogTable[91] = {
    {0x1.6816816816817p+0, {-0x1.5d5bddf595f31p-2, -0x1.d5f75b9a23ae4p-59, -0x1.9702a60c4de63p-113}},
    {0x1.642c8590b2164p+0, {-0x1.522ae0738a3d7p-2, -0x1.3840b263acb43p-56, -0x1.888231891aabep-111}},
    {0x1.6058160581606p+0, {-0x1.4718dc271c41cp-2, -0x1.d8fb4c14c56eep-56, 0x1.c866cbcc88d07p-112}},
    {0x1.5c9882b931057p+0, {-0x1.3c25277333183p-2, -0x1.152d81af5713ap-56, 0x1.1154214fcfa36p-110}},
    {0x1.58ed2308158edp+0, {-0x1.314f1e1d35ce3p-2, -0x1.22966f61a3c23p-56, -0x1.ba87290c39572p-110}},
    {0x1.5555555555555p+0, {-0x1.269621134db91p-2, -0x1.e0efadd9db02ap-56, -0x1.385461e921b99p-111}},
    {0x1.51d07eae2f815p+0, {-0x1.1bf99635a6b95p-2, 0x1.e9575c2124912p-56, -0x1.2233884a95400p-110}},
    {0x1.4e5e0a72f0539p+0, {-0x1.1178e8227e47ap-2, -0x1.b8ce2d07f1cb7p-56, 0x1.a01c44ae02789p-110}},
    {0x1.4afd6a052bf5bp+0, {-0x1.07138604d5864p-2, 0x1.24e912b16ec8bp-60, -0x1.df429aec44d38p-117}},
    {0x1.47ae147ae147bp+0, {-0x1.f991c6cb3b37ap-3, -0x1.ecca0cdf30143p-58, 0x1.64f89bb123836p-113}},
    {0x1.446f86562d9fbp+0, {-0x1.e530effe71013p-3, 0x1.f7627ef82f3f0p-57, -0x1.61924609a69b5p-111}},
    {0x1.4141414141414p+0, {-0x1.d1037f2655e7bp-3, 0x1.3f3adb7b71cbcp-58, -0x1.e03fc22bd8feep-114}},
    {0x1.3e22cbce4a902p+0, {-0x1.bd087383bd8aap-3, 0x1.1165504ad749ep-59, 0x1.1555826b9dff3p-114}},
    {0x1.3b13b13b13b14p+0, {-0x1.a93ed3c8ad9e5p-3, -0x1.bcafa9de97202p-57, -0x1.ccdcee3115f1fp-111}},
    {0x1.3813813813814p+0, {-0x1.95a5adcf70182p-3, -0x1.8a16283fdbd1cp-57, 0x1.e04b19df57e30p-113}},
    {0x1.3521cfb2b78c1p+0, {-0x1.823c16551a3c0p-3, -0x1.6dcd318f4187ep-57, -0x1.f481eacf6db47p-113}},
    {0x1.323e34a2b10bfp+0, {-0x1.6f0128b756ab9p-3, 0x1.37967087859b9p-59, -0x1.a3ef3637e22a4p-113}},
    {0x1.2f684bda12f68p+0, {-0x1.5bf406b543db0p-3, 0x1.1f5b44c0df7f7p-61, 0x1.25a7abe3c6680p-115}},
    {0x1.2c9fb4d812ca0p+0, {-0x1.4913d8333b563p-3, 0x1.0d5604930f137p-58, -0x1.046ddd0c49961p-112}},
    {0x1.29e4129e4129ep+0, {-0x1.365fcb0159014p-3, -0x1.bea08d2dca256p-57, 0x1.bf1efc9fe606ep-111}},
    {0x1.27350b8812735p+0, {-0x1.23d712a49c201p-3, -0x1.51c7e9efae297p-57, 0x1.49309bfb61ce3p-111}},
    {0x1.2492492492492p+0, {-0x1.1178e8227e47ap-3, 0x1.0e63a5f01c693p-58, -0x1.03c776a3fb0efp-112}},
    {0x1.21fb78121fb78p+0, {-0x1.fe89139dbd565p-4, 0x1.ac9f4215f9394p-58, -0x1.d23d841377071p-112}},
    {0x1.1f7047dc11f70p+0, {-0x1.da7276384469ep-4, -0x1.401fa71733017p-58, 0x1.0554118a2fe2ep-112}},
    {0x1.1cf06ada2811dp+0, {-0x1.b6ac88dad5b1dp-4, 0x1.002bf768e52d0p-58, -0x1.6a6e9bac4ae3cp-112}},
    {0x1.1a7b9611a7b96p+0, {-0x1.9335e5d594988p-4, 0x1.478a85704ccb7p-58, -0x1.112e6b065fe5ep-113}},
    {0x1.1811811811812p+0, {-0x1.700d30aeac0e8p-4, -0x1.a36a677b4c8b2p-59, 0x1.8747b9d920b79p-113}},
    {0x1.15b1e5f75270dp+0, {-0x1.4d3115d207eacp-4, -0x1.da7d0b1e10b2fp-60, -0x1.7d34a76de4fddp-114}},
    {0x1.135c81135c811p+0, {-0x1.2aa04a44717a1p-4, -0x1.aea2c72d05c08p-58, 0x1.56d15ca352247p-112}},
    {0x1.1111111111111p+0, {-0x1.08598b59e3a06p-4, 0x1.dd7009902bf32p-58, 0x1.53ed0393a700ep-112}},
    {0x1.0ecf56be69c90p+0, {-0x1.ccb73cdddb2d0p-5, 0x1.e48fb0500efd5p-59, -0x1.ac00b6b1f34ccp-113}},
    {0x1.0c9714fbcda3bp+0, {-0x1.894aa149fb34bp-5, 0x1.2ba0b44cfaee5p-59, 0x1.0afcb9f93ac8bp-114}},
    {0x1.0a6810a6810a7p+0, {-0x1.466aed42de3f9p-5, 0x1.9badefe942718p-60, 0x1.ab4be430070f9p-115}},
    {0x1.0842108421084p+0, {-0x1.0415d89e74440p-5, -0x1.c05cf1d753621p-59, -0x1.3bc1c184cef09p-114}},
    {0x1.0624dd2f1a9fcp+0, {-0x1.8492528c8cac5p-6, 0x1.d192d0619fa68p-60, -0x1.1dbd58307947dp-117}},
    {0x1.0410410410410p+0, {-0x1.0205658935837p-6, -0x1.27c8e8416e717p-60, 0x1.19642aac13124p-116}},
    {0x1.0204081020408p+0, {-0x1.010157588de69p-7, -0x1.46662d417cecep-62, -0x1.e91702f8418aap-120}},
    {0x1.0000000000000p+0, {0x0.0p+0, 0x0.0p+0, 0x0.0p+0}},
    {0x1.fc07f01fc07f0p-1, {0x1.fe02a6b106799p-8, -0x1.e44b7e3711e7fp-67, 0x1.a567b6587df3fp-121}},
    {0x1.f81f81f81f820p-1, {0x1.fc0a8b0fc03c4p-7, -0x1.83092c5964281p-62, -0x1.52414fc416fd7p-116}},
    {0x1.f44659e4a4271p-1, {0x1.7b91b07d5b126p-6, -0x1.6d80ab38e9430p-62, -0x1.032b0efd5adc5p-118}},
    {0x1.f07c1f07c1f08p-1, {0x1.f829b0e7832f8p-6, 0x1.33e3f04f1ef25p-60, -0x1.814544147acc9p-114}},
    {0x1.ecc07b301ecc0p-1, {0x1.39e87b9febd68p-5, -0x1.5bfa937f551b7p-59, 0x1.c8d57ae1e11c3p-114}},
    {0x1.e9131abf0b767p-1, {0x1.77458f632dcffp-5, 0x1.8d3ca87b92968p-63, 0x1.07937ee036553p-117}},
    {0x1.e573ac901e574p-1, {0x1.b42dd711971b9p-5, 0x1.0a34531f67db5p-59, 0x1.629579c4c681fp-113}},
    {0x1.e1e1e1e1e1e1ep-1, {0x1.f0a30c01162a8p-5, 0x1.85f325c5bbacdp-59, -0x1.d9cb2e2cb3228p-118}},
    {0x1.de5d6e3f8868ap-1, {0x1.16536eea37ae3p-4, 0x1.2189705cf74cap-58, 0x1.6cdb48520b4cep-113}},
    {0x1.dae6076b981dbp-1, {0x1.341d7961bd1d0p-4, -0x1.3599f227becbbp-58, -0x1.47ef2f89ad244p-115}},
    {0x1.d77b654b82c34p-1, {0x1.51b073f06183cp-4, -0x1.5b61c65e5741ap-58, 0x1.812f271f826edp-114}},
    {0x1.d41d41d41d41dp-1, {0x1.6f0d28ae56b4ep-4, -0x1.20db323097324p-59, 0x1.919ca183deca2p-113}},
    {0x1.d0cb58f6ec074p-1, {0x1.8c345d6319b23p-4, -0x1.294d2f5668495p-58, 0x1.96ae04c07c81bp-113}},
    {0x1.cd85689039b0bp-1, {0x1.a926d3a4ad562p-4, -0x1.d7a16eab1e2adp-59, 0x1.99a9f67e22ed2p-116}},
    {0x1.ca4b3055ee191p-1, {0x1.c5e548f5bc743p-4, 0x1.2eb0bf7c0b0d9p-59, -0x1.11c4d32a0e479p-113}},
    {0x1.c71c71c71c71cp-1, {0x1.e27076e2af2eap-4, -0x1.61578001e015ap-60, 0x1.55db94ebc402dp-116}},
    {0x1.c3f8f01c3f8f0p-1, {0x1.fec9131dbeabcp-4, -0x1.5746b9981b36cp-58, -0x1.44016e1d457eep-112}},
    {0x1.c0e070381c0e0p-1, {0x1.0d77e7cd08e5bp-3, 0x1.9a5dc5e9030adp-57, -0x1.71dbd9a581397p-111}},
    {0x1.bdd2b899406f7p-1, {0x1.1b72ad52f67a2p-3, -0x1.fbe7ee5c69946p-57, 0x1.0d7bc7ec84caap-111}},
    {0x1.bacf914c1bad0p-1, {0x1.29552f81ff521p-3, 0x1.301771c407dc0p-57, -0x1.977b021b7c785p-111}},
    {0x1.b7d6c3dda338bp-1, {0x1.371fc201e8f75p-3, 0x1.e6cb62af18a02p-62, -0x1.8fe0cd92558acp-116}},
    {0x1.b4e81b4e81b4fp-1, {0x1.44d2b6ccb7d1cp-3, 0x1.7d3d950f87e23p-59, 0x1.950595f322e9bp-113}},
    {0x1.b2036406c80d9p-1, {0x1.526e5e3a1b438p-3, -0x1.546ff8a470d3ap-57, 0x1.a71bcc63b5444p-111}},
    {0x1.af286bca1af28p-1, {0x1.5ff3070a793d6p-3, -0x1.bc60efafc6f6cp-58, -0x1.140655471953ep-113}},
    {0x1.ac5701ac5701bp-1, {0x1.6d60fe719d21bp-3, 0x1.d551d97132e87p-57, 0x1.f2768c9609739p-112}},
    {0x1.a98ef606a63bep-1, {0x1.7ab890210d907p-3, -0x1.1072534a57e7dp-57, 0x1.aa47fe1494d87p-111}},
    {0x1.a6d01a6d01a6dp-1, {0x1.87fa06520c911p-3, -0x1.9f7fdbfa08d9ap-57, -0x1.09daa8fb49481p-112}},
    {0x1.a41a41a41a41ap-1, {0x1.9525a9cf456b6p-3, -0x1.26fb3e2b1d1dap-57, 0x1.899417da79eedp-117}},
    {0x1.a16d3f97a4b02p-1, {0x1.a23bc1fe2b561p-3, 0x1.24dc46c1ea664p-57, -0x1.1e381c9324e9bp-112}},
    {0x1.9ec8e951033d9p-1, {0x1.af3c94e80bff3p-3, 0x1.a3398064df33ep-57, -0x1.e34c4b23a32d1p-111}},
    {0x1.9c2d14ee4a102p-1, {0x1.bc286742d8cd4p-3, 0x1.cfce744870f57p-58, -0x1.7474f08d6e4e1p-113}},
    {0x1.999999999999ap-1, {0x1.c8ff7c79a9a20p-3, -0x1.4f689f8434011p-57, 0x1.a24ae3b2f53a0p-111}},
    {0x1.970e4f80cb872p-1, {0x1.d5c216b4fbb94p-3, -0x1.a37794d03657dp-58, 0x1.87c6ce7a257f8p-113}},
    {0x1.948b0fcd6e9e0p-1, {0x1.e27076e2af2e8p-3, -0x1.61578001e015ep-59, 0x1.55db94ebc4023p-115}},
    {0x1.920fb49d0e229p-1, {0x1.ef0adcbdc5935p-3, 0x1.e8637950dc20dp-57, -0x1.34c52d7b3cbe3p-111}},
    {0x1.8f9c18f9c18fap-1, {0x1.fb9186d5e3e29p-3, 0x1.355519b0de535p-57, 0x1.682480b088ab6p-113}},
    {0x1.8d3018d3018d3p-1, {0x1.0402594b4d041p-2, -0x1.08ec217a5022dp-57, -0x1.0d9dc4cf9a1f9p-111}},
    {0x1.8acb90f6bf3aap-1, {0x1.0a324e27390e2p-2, 0x1.bdcfde8061c03p-56, 0x1.faa3780d6bef8p-110}},
    {0x1.886e5f0abb04ap-1, {0x1.1058bf9ae4ad4p-2, 0x1.3f415699663ecp-63, -0x1.96634e8c81dc6p-117}},
    {0x1.8618618618618p-1, {0x1.1675cababa60fp-2, 0x1.ce63eab883727p-61, 0x1.1f833e825228bp-119}},
    {0x1.83c977ab2beddp-1, {0x1.1c898c16999fbp-2, 0x1.9f1a39d500e3cp-56, -0x1.68223be88a50ap-111}},
    {0x1.8181818181818p-1, {0x1.22941fbcf7966p-2, -0x1.dbd7ac258a2bdp-58, 0x1.3d2e9aad37a78p-112}},
    {0x1.7f405fd017f40p-1, {0x1.2895a13de86a4p-2, 0x1.7ad24c13f040fp-56, -0x1.3a52b8aa6834fp-111}},
    {0x1.7d05f417d05f4p-1, {0x1.2e8e2bae11d31p-2, -0x1.1e99b72bd7bf2p-57, -0x1.464244294826fp-111}},
    {0x1.7ad2208e0ecc3p-1, {0x1.347dd9a987d56p-2, -0x1.16ea62c048cfbp-56, -0x1.72b77ad3fa626p-110}},
    {0x1.78a4c8178a4c8p-1, {0x1.3a64c556945eap-2, 0x1.cbcd735d03424p-60, -0x1.485c31181fd5fp-119}},
    {0x1.767dce434a9b1p-1, {0x1.404308686a7e4p-2, -0x1.f79f6c1059cdbp-57, 0x1.85e41827d9d92p-112}},
    {0x1.745d1745d1746p-1, {0x1.4618bc21c5ec2p-2, -0x1.7a42642661c62p-61, 0x1.05772cd24c009p-116}},
    {0x1.724287f46debcp-1, {0x1.4be5f957778a1p-2, -0x1.4b366b609027ap-58, 0x1.26b953458673dp-112}},
    {0x1.702e05c0b8170p-1, {0x1.51aad872df82ep-2, -0x1.d8db0a7cc1543p-56, -0x1.f7158586541a0p-110}},
    {0x1.6e1f76b4337c7p-1, {0x1.5767717455a6cp-2, -0x1.fb2a49af933e8p-57, -0x1.4a1d1f2f339b1p-114}},
    {0x1.6c16c16c16c17p-1, {0x1.5d1bdbf5809cap-2, -0x1.7dc9c7c23801fp-56, 0x1.487ce02d29ad1p-110}},
    {0x1.6a13cd1537290p-1, {0x1.62c82f2b9c796p-2, -0x1.090a0dd59fe35p-58, 0x1.39c89b1577497p-112}},
};

// k ln2/32 taken from r: the products of the parts exact, the last part's
// rounding below 2^-150 of k ln2/32.
DD SubLn2Over32(DD r, double k) {
  r = Sub(r, TwoProd(k, kLn2Over32.x0));
  r = Sub(r, TwoProd(k, kLn2Over32.x1));
  return Sub(r, DD{k * kLn2Over32.x2, 0});
}
TD SubLn2Over32(TD r, double k) {
  for (const double part : {kLn2Over32.x0, kLn2Over32.x1, kLn2Over32.x2}) {
    const DD p = TwoProd(k, part);
    r = Sub(r, TD{p.hi, p.lo, 0});
  }
  return r;
}

template <class T>
T MulLn2(double e);
template <>
DD MulLn2<DD>(double e) {
  return Add(Add(TwoProd(e, kLn2.x0), TwoProd(e, kLn2.x1)), DD{e * kLn2.x2, 0});
}
template <>
TD MulLn2<TD>(double e) {
  TD s{0, 0, 0};
  for (const double part : {kLn2.x0, kLn2.x1, kLn2.x2}) {
    const DD p = TwoProd(e, part);
    s = Add(s, TD{p.hi, p.lo, 0});
  }
  return s;
}

// A value m 2^e, m between 0.98 and 2.
template <class T>
struct Scaled {
  T m;
  int e;
};

// e^z for |z| below 746: z = k ln2/32 + r with |r| at most ln2/64, e^r by
// its series (Terms terms past 1: 12 leave 2^-110, 17 leave 2^-159).
template <class T, int Terms>
Scaled<T> ExpCore(const T& z) {
  const double kd = std::nearbyint(Lead(z) * k32OverLn2);
  const T r = SubLn2Over32(z, kd);
  // In the first pass the terms from r^7/7! on (below 2^-57 of the sum) in
  // double.
  constexpr int kFull = std::is_same_v<T, DD> ? 6 : Terms;
  double tail = 0;
  for (int n = Terms; n > kFull; --n) tail = tail * Lead(r) + kCoef.invFact[n].x0;
  T p = kFull == Terms ? Pick<T>(kCoef.invFact[Terms]) : Pick<T>(TD{tail, 0, 0});
  for (int n = kFull == Terms ? Terms - 1 : kFull; n >= 0; --n) p = Add(Mul(p, r), Pick<T>(kCoef.invFact[n]));
  const int k = static_cast<int>(kd);
  const int j = ((k % 32) + 32) % 32;
  return {Mul(Pick<T>(kExp2[j]), p), (k - j) / 32};
}

// ln x for a positive finite x: x = 2^e m with m between 2^-1/2 and 2^1/2,
// ln m = -ln r + ln(1 + t), t = m r - 1 exact, ln(1 + t) = 2 atanh(t/(2+t))
// by its series (Terms terms: 8 leave 2^-140, 11 leave 2^-190).
template <class T, int Terms>
T LogCore(double x) {
  int e = 0;
  if (x < 0x1p-1022) x *= 0x1p64, e = -64;
  const auto bits = BitCast<std::uint64_t>(x);
  e += static_cast<int>(bits >> 52) - 1023;
  double m = BitCast<double>((bits & 0x000fffffffffffffULL) | 0x3ff0000000000000ULL);
  if (m > 0x1.6a09e667f3bcdp+0) m *= 0.5, ++e;
  const LogEntry& entry = kLogTable[static_cast<int>(m * 128 + 0.5) - 91];
  const DD p = TwoProd(m, entry.r);
  const DD t2 = TwoSum(p.hi - 1, p.lo);
  const T t = Pick<T>(TD{t2.hi, t2.lo, 0});
  const T s = Div(t, Add(Pick<T>(TD{2, 0, 0}), t));
  const T z = Mul(s, s);
  // In the first pass the terms from z^3/7 on (below 2^-53 of the sum) in
  // double.
  constexpr int kFull = std::is_same_v<T, DD> ? 2 : Terms - 1;
  double tail = 0;
  for (int n = Terms - 1; n > kFull; --n) tail = tail * Lead(z) + kCoef.invOdd[n].x0;
  T q = kFull == Terms - 1 ? Pick<T>(kCoef.invOdd[Terms - 1]) : Pick<T>(TD{tail, 0, 0});
  for (int n = kFull == Terms - 1 ? Terms - 2 : kFull; n >= 0; --n) q = Add(Mul(q, z), Pick<T>(kCoef.invOdd[n]));
  const T lp = Mul(Mul(q, s), 2.0);
  T sum = Add(Pick<T>(entry.minusLogR), lp);
  if (e != 0) sum = Add(MulLn2<T>(static_cast<double>(e)), sum);
  return sum;
}

// The first pass of each function (double-double) and the second
// (triple-double).
constexpr int kExpTerms1 = 12, kExpTerms2 = 17, kLogTerms1 = 8, kLogTerms2 = 11;

// Relative error bounds of the first pass, with a wide margin over what
// the tests measure (exp about 2^-102, log 2^-101, pow 2^-101 + |z| 2^-104).
constexpr double kExpErr1 = 0x1p-92, kLogErr1 = 0x1p-92;
double PowErr1(double z) { return 0x1p-92 + std::fabs(z) * 0x1p-96; }
// What the second pass leaves: a result closer to a half-way point than
// this is taken as exactly half-way (only pow's results can be).
constexpr double kErr2 = 0x1p-125;

// 2^e, -1022 <= e <= 1023.
double Pow2(int e) { return BitCast<double>(static_cast<std::uint64_t>(e + 1023) << 52); }

// m 2^e for a result that is normal or overflows: exact, or infinity.
double Scale(double m, int e) {
  if (e > 1023) m *= 0x1p1023, e -= 1023;
  return m * Pow2(e);
}

// The double nearest the exact sum of the three parts.
double RoundTD(const TD& t) {
  const DD s = TwoSum(t.x0, t.x1);
  const DD u = TwoSum(s.lo, t.x2);
  const DD r = TwoSum(s.hi, u.hi);
  // r.hi + r.lo half-way between two doubles (the other is r.hi + 2 r.lo):
  // the rest u.lo decides.
  if (r.lo != 0 && u.lo != 0 && TwoSum(r.hi, 2 * r.lo).lo == 0 && (r.lo > 0) == (u.lo > 0)) return r.hi + 2 * r.lo;
  return r.hi;
}

bool Even(double v) { return (BitCast<std::uint64_t>(v) & 1) == 0; }

// The first pass's m 2^e rounded, when its error bound (relative) leaves
// the rounding in no doubt; results near the limits of the doubles go to
// the second pass.
bool TryRound(const Scaled<DD>& v, double err, double& out) {
  if (v.e < -1021 || v.e > 1023) return false;
  const double d = err * std::fabs(v.m.hi);
  const double a = v.m.hi + (v.m.lo - d), b = v.m.hi + (v.m.lo + d);
  if (a != b) return false;
  out = Scale(a, v.e);
  return true;
}

// The second pass's m 2^e rounded (subnormal results included). With
// halfway, a result within kErr2 of a half-way point is taken as exactly
// half-way and rounded to even.
double Round(const Scaled<TD>& v, bool halfway) {
  const TD& t = v.m;
  if (v.e >= -1021) {
    const double r = RoundTD(t);
    if (halfway) {
      for (const double toward : {INFINITY, -INFINITY}) {
        const double next = std::nextafter(r, toward);
        const TD d = Sub(t, TD{r, (next - r) / 2, 0});
        if (std::fabs(d.x0) <= kErr2 * r) return Scale(Even(r) ? r : next, v.e);
      }
    }
    return Scale(r, v.e);
  }
  if (v.e < -1100) return 0;  // below 2^-1098
  // Subnormal: a whole number n of the quantum q, in units of m.
  const double q = Pow2(-1074 - v.e);
  double n = std::nearbyint(t.x0 / q);
  const TD d = Renorm(t.x0 - n * q, t.x1, t.x2);  // m - n q
  const double half = q / 2;
  if (halfway && std::fabs(std::fabs(d.x0) - half) <= kErr2 * t.x0) {
    if (std::fmod(n, 2.0) != 0) n += d.x0 > 0 ? 1 : -1;
  } else if (d.x0 > half || (d.x0 == half && d.x1 > 0)) {
    n += 1;
  } else if (d.x0 < -half || (d.x0 == -half && d.x1 < 0)) {
    n -= 1;
  }
  return n * 0x1p-1074;
}

// The float nearest the value hi + lo + lo2 (hi normal or infinite), when
// the relative error bound err leaves it in no doubt; with halfway, a value
// within err of a half-way point is taken as exactly half-way.
bool TryRoundFloat(const TD& v, double err, bool halfway, float& out) {
  constexpr double kOverflow = 0x1.ffffffp+127;  // half-way from the largest float to the next
  const float f = static_cast<float>(v.x0);
  if (std::isinf(f)) {
    if (std::fabs(v.x0) != kOverflow) return out = f, true;
    if (v.x1 == 0 && v.x2 == 0) return out = f, true;
    if ((v.x1 > 0) != (v.x0 > 0) && std::fabs(v.x1) > err * kOverflow) {
      out = std::copysign(std::numeric_limits<float>::max(), v.x0);
      return true;
    }
    if ((v.x1 > 0) == (v.x0 > 0) && std::fabs(v.x1) > err * kOverflow) return out = f, true;
    if (halfway) return out = f, true;
    return false;
  }
  for (const float toward : {INFINITY, -INFINITY}) {
    const float next = std::nextafter(f, toward);
    const double mid = std::isinf(next) ? std::copysign(kOverflow, next)
                                        : (static_cast<double>(f) + static_cast<double>(next)) / 2;
    const TD d = Renorm(v.x0 - mid, v.x1, v.x2);
    if (std::fabs(d.x0) <= err * std::fabs(v.x0)) {
      if (!halfway) return false;
      out = (BitCast<std::uint32_t>(f) & 1) == 0 ? f : next;
      return true;
    }
    if (toward > 0 ? d.x0 > 0 : d.x0 < 0) return out = next, true;
  }
  out = f;
  return true;
}

// m 2^e as a float: the exponent well inside the doubles' range.
bool TryRoundFloat(const Scaled<TD>& v, double err, bool halfway, float& out) {
  if (v.e > 200) return out = INFINITY, true;
  if (v.e < -200) return out = 0, true;
  const double s = Pow2(v.e);
  return TryRoundFloat(TD{v.m.x0 * s, v.m.x1 * s, v.m.x2 * s}, err, halfway, out);
}
Scaled<TD> Widen(const Scaled<DD>& v) { return {{v.m.hi, v.m.lo, 0}, v.e}; }

// |x|^y for finite x != 0 and finite y, as m 2^e (or an overflow or
// underflow beyond doubt, flagged by e).
constexpr int kOver = 100000, kUnder = -100000;
// ln ax for pow, kept for the last few bases: the engines raise one base
// again and again (a gas law's e, a pressure ratio to two exponents), and
// the logarithm, a pure function of the base's bits, is the dearer half.
template <class T, int LogTerms>
T LogOfBase(double ax) {
  constexpr int kKept = 4;
  struct Kept {
    std::uint64_t bits = 0;  // +0 is never a base here
    T log{};
  };
  thread_local Kept kept[kKept];
  thread_local int next = 0;
  const auto bits = BitCast<std::uint64_t>(ax);
  for (const Kept& k : kept)
    if (k.bits == bits) return k.log;
  Kept& k = kept[next];
  next = (next + 1) % kKept;
  k.log = LogCore<T, LogTerms>(ax);
  k.bits = bits;
  return k.log;
}

template <class T, int ExpTerms, int LogTerms>
Scaled<T> PowCore(double ax, double y, double& zlead) {
  const T z = Mul(LogOfBase<T, LogTerms>(ax), y);
  zlead = Lead(z);
  if (zlead > 710) return {Pick<T>(TD{1, 0, 0}), kOver};
  if (zlead < -746) return {Pick<T>(TD{1, 0, 0}), kUnder};
  return ExpCore<T, ExpTerms>(z);
}

bool IsInteger(double y) { return std::trunc(y) == y; }
bool IsOddInteger(double y) { return std::fabs(y) < 0x1p53 && IsInteger(y) && std::fmod(y, 2.0) != 0; }

// The special cases of pow as C's Annex F has them; true with the result
// set when (x, y) is one.
bool PowSpecial(double x, double y, double& out) {
  if (y == 0 || x == 1) return out = 1, true;
  if (std::isnan(x) || std::isnan(y)) return out = x + y, true;
  const double ax = std::fabs(x);
  if (std::isinf(y)) {
    if (ax == 1) return out = 1, true;
    return out = (ax < 1) == (y < 0) ? INFINITY : 0, true;
  }
  const bool odd = IsOddInteger(y);
  if (x == 0) {
    if (y < 0) return out = odd ? std::copysign(INFINITY, x) : INFINITY, true;
    return out = odd ? x : 0, true;
  }
  if (std::isinf(x)) {
    const double v = y < 0 ? 0 : INFINITY;
    return out = (x < 0 && odd) ? -v : v, true;
  }
  if (x < 0 && !IsInteger(y)) return out = std::numeric_limits<double>::quiet_NaN(), true;
  return false;
}

}  // namespace

double exp(double x) {
  if (std::isnan(x)) return x + x;
  if (x > 709.8) return INFINITY;
  if (x < -745.2) return 0;
  if (std::fabs(x) < 0x1p-54) return 1;
  double out = 0;
  if (TryRound(ExpCore<DD, kExpTerms1>(DD{x, 0}), kExpErr1, out)) return out;
  return Round(ExpCore<TD, kExpTerms2>(TD{x, 0, 0}), false);
}

double log(double x) {
  if (std::isnan(x)) return x + x;
  if (x < 0) return std::numeric_limits<double>::quiet_NaN();
  if (x == 0) return -INFINITY;
  if (std::isinf(x)) return x;
  if (x == 1) return 0;
  const DD v = LogCore<DD, kLogTerms1>(x);
  const double d = kLogErr1 * std::fabs(v.hi);
  const double a = v.hi + (v.lo - d), b = v.hi + (v.lo + d);
  if (a == b) return a;
  return RoundTD(LogCore<TD, kLogTerms2>(x));
}

double log10(double x) {
  if (std::isnan(x)) return x + x;
  if (x < 0) return std::numeric_limits<double>::quiet_NaN();
  if (x == 0) return -INFINITY;
  if (std::isinf(x)) return x;
  if (x == 1) return 0;
  const DD v = Mul(LogCore<DD, kLogTerms1>(x), Pick<DD>(kInvLn10));
  const double d = kLogErr1 * std::fabs(v.hi);
  const double a = v.hi + (v.lo - d), b = v.hi + (v.lo + d);
  if (a == b) return a;
  // The powers of ten are the only arguments with an exact (whole) result.
  const TD w = Mul(LogCore<TD, kLogTerms2>(x), kInvLn10);
  const double r = RoundTD(w);
  return std::fabs(Lead(Sub(w, TD{std::nearbyint(r), 0, 0}))) < 0x1p-120 ? std::nearbyint(r) : r;
}

double pow(double x, double y) {
  double out = 0;
  if (PowSpecial(x, y, out)) return out;
  const double sign = (x < 0 && IsOddInteger(y)) ? -1 : 1;
  const double ax = std::fabs(x);
  double z = 0;
  const Scaled<DD> v1 = PowCore<DD, kExpTerms1, kLogTerms1>(ax, y, z);
  if (v1.e == kOver) return sign * INFINITY;
  if (v1.e == kUnder) return sign * 0.0;
  if (TryRound(v1, PowErr1(z), out)) return sign * out;
  const Scaled<TD> v2 = PowCore<TD, kExpTerms2, kLogTerms2>(ax, y, z);
  if (v2.e == kOver) return sign * INFINITY;
  if (v2.e == kUnder) return sign * 0.0;
  return sign * Round(v2, true);
}

float exp(float x) {
  if (std::isnan(x)) return x + x;
  if (x > 89) return INFINITY;
  if (x < -104) return 0;
  if (std::fabs(x) < 0x1p-26f) return 1;
  float out = 0;
  if (TryRoundFloat(Widen(ExpCore<DD, kExpTerms1>(DD{x, 0})), kExpErr1, false, out)) return out;
  TryRoundFloat(ExpCore<TD, kExpTerms2>(TD{x, 0, 0}), kErr2, true, out);
  return out;
}

float log(float x) {
  if (std::isnan(x) || x <= 0 || std::isinf(x) || x == 1) return static_cast<float>(log(static_cast<double>(x)));
  const DD v = LogCore<DD, kLogTerms1>(x);
  float out = 0;
  if (TryRoundFloat(TD{v.hi, v.lo, 0}, kLogErr1, false, out)) return out;
  TryRoundFloat(LogCore<TD, kLogTerms2>(x), kErr2, true, out);
  return out;
}

float log10(float x) {
  if (std::isnan(x) || x <= 0 || std::isinf(x) || x == 1) return static_cast<float>(log10(static_cast<double>(x)));
  const DD v = Mul(LogCore<DD, kLogTerms1>(x), Pick<DD>(kInvLn10));
  float out = 0;
  if (TryRoundFloat(TD{v.hi, v.lo, 0}, kLogErr1, false, out)) return out;
  // Whole results (the powers of ten) are taken as exact: halfway.
  TryRoundFloat(Mul(LogCore<TD, kLogTerms2>(x), kInvLn10), kErr2, true, out);
  return out;
}

float pow(float x, float y) {
  double out = 0;
  const double xd = x, yd = y;
  if (PowSpecial(xd, yd, out)) return static_cast<float>(out);
  const float sign = (x < 0 && IsOddInteger(yd)) ? -1.0f : 1.0f;
  double z = 0;
  const Scaled<DD> v1 = PowCore<DD, kExpTerms1, kLogTerms1>(std::fabs(xd), yd, z);
  if (v1.e == kOver) return sign * INFINITY;
  if (v1.e == kUnder) return sign * 0.0f;
  float f = 0;
  if (TryRoundFloat(Widen(v1), PowErr1(z), false, f)) return sign * f;
  const Scaled<TD> v2 = PowCore<TD, kExpTerms2, kLogTerms2>(std::fabs(xd), yd, z);
  TryRoundFloat(v2, kErr2, true, f);
  return sign * f;
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
