#include "bladerow/meanline.h"

#include <cmath>
#include <optional>
#include <string>

#include "core/failure.h"
#include "lib/mathfn/mathfn.h"

namespace bladerow {

namespace {

constexpr double kPi = 3.1415927;
constexpr double kLbmPerSlug = 32.17;
constexpr double kFootPoundsPerBtu = 778.16;

float F(double v) { return static_cast<float>(v); }
double Rad(double degrees) { return degrees * kPi / 180; }
double Deg(double radians) { return radians * 180 / kPi; }
double Sq(double v) { return mathfn::pow(v, 2); }

// Static temperature from a total temperature and a speed: T = Tt - c²/2cp.
double Static(double tt, double c, double cp) {
  return tt - Sq(c) / 2 / cp / kFootPoundsPerBtu / kLbmPerSlug;
}

void RequirePositive(float t, const char* what) {
  if (!(t > 0))
    throw core::Failure(std::string("The ") + what +
                         " static temperature is not above zero: the work or the speed is too large");
}

void RequireFinite(float v, const char* what) {
  if (!std::isfinite(v)) throw core::Failure(std::string("Cannot compute ") + what);
}

// One pass of the exit density iteration: the triangles, the work and the
// exit state from the exit density and temperature in s, which it replaces.
void Pass(Stage& s, short ct, short cgas) {
  const bool radial = Radial(ct);
  s.tav = radial ? F((static_cast<double>(s.t2) + s.t1) / 2) : s.t2;
  if (cgas == kAir) {
    s.cp = F(0.2269807 * mathfn::exp(9.7247e-5 * s.tav));
    s.gm = F(s.cp / (s.cp - s.rg / kFootPoundsPerBtu));
  }
  const double gm = s.gm, ex = gm / (gm - 1);

  // Inlet triangle.
  s.a1 = F(mathfn::pow(gm * s.rg * s.t1 * kLbmPerSlug, 0.5));
  s.c1 = F(s.ca1 / mathfn::cos(Rad(s.al1)));
  s.cu1 = F(s.c1 * mathfn::sin(Rad(s.al1)));
  s.wu1 = F(static_cast<double>(s.cu1) - s.u);
  s.b1 = F(Deg(mathfn::atan(s.wu1 / static_cast<double>(s.ca1))));
  s.w1 = F(s.ca1 / mathfn::cos(Rad(s.b1)));
  s.m1 = F(s.c1 / static_cast<double>(s.a1));
  s.m1r = F(s.w1 / static_cast<double>(s.a1));
  s.tt1 = F((1 + (gm - 1) * 0.5 * Sq(s.m1)) * s.t1);
  s.pt1 = F(mathfn::pow(s.tt1 / static_cast<double>(s.t1), ex) * s.p1);

  // Exit triangle: radial machines pass the flow through the exit annulus;
  // the axial rotor turns the relative flow by its turning angle.
  if (radial) {
    s.ca2 = F(s.m / static_cast<double>(s.ro2) / 2 / kPi / s.r2 / s.td2 * 144);
  } else {
    s.b2 = F(static_cast<double>(s.dl12) + s.b1);
    s.ca2 = F(static_cast<double>(s.cax) * s.ca1);
  }
  s.w2 = F(s.ca2 / mathfn::cos(Rad(s.b2)));
  s.wu2 = F(s.ca2 * mathfn::tan(Rad(s.b2)));
  s.cu2 = F(static_cast<double>(s.wu2) + s.u2);
  s.al2 = F(Deg(mathfn::atan(s.cu2 / static_cast<double>(s.ca2))));
  s.c2 = F(s.ca2 / mathfn::cos(Rad(s.al2)));

  // Euler work and what it does to the totals.
  s.dht21 = F(static_cast<double>(s.u2) * s.cu2 - static_cast<double>(s.cu1) * s.u);
  if (Compressor(ct))
    s.pp21 = F(mathfn::pow(s.e * static_cast<double>(s.dht21) / (static_cast<double>(s.cp) * s.tt1) / kFootPoundsPerBtu / kLbmPerSlug + 1, ex));
  else
    s.pp21 = F(mathfn::pow(s.dht21 / (static_cast<double>(s.cp) * s.tt1 * s.e) / kFootPoundsPerBtu / kLbmPerSlug + 1, ex));
  s.pt2 = F(static_cast<double>(s.pp21) * s.pt1);
  s.tt2 = F(s.dht21 / static_cast<double>(s.cp) / kFootPoundsPerBtu / kLbmPerSlug + s.tt1);
  s.t2 = F(Static(s.tt2, s.c2, s.cp));
  RequirePositive(s.t2, "rotor exit");

  s.a2 = F(mathfn::pow(gm * s.rg * s.t2 * kLbmPerSlug, 0.5));
  s.m2 = F(s.c2 / static_cast<double>(s.a2));
  s.m2r = F(s.w2 / static_cast<double>(s.a2));
  s.p2 = F(s.pt2 / mathfn::pow(1 + (gm - 1) * 0.5 * Sq(s.m2), ex));
  s.cpr = F((static_cast<double>(s.p2) - s.p1) * 144 / (0.5 * s.ro1 * Sq(s.w1)));

  s.ro2 = F(s.p2 / static_cast<double>(s.rg) / s.t2 * 144 / kLbmPerSlug);
  s.ar2 = F(s.m / static_cast<double>(s.ro2) / s.ca2);
  if (!radial) s.th2 = F(s.ar2 * 144 / kPi / 2 / s.r);
  s.wsh = F(static_cast<double>(s.dht21) * s.m / 550);
  s.pr = F(1 / ((Sq(s.c2) - Sq(s.c1)) / (Sq(s.w1) - Sq(s.w2)) + 1));

  // A repeating stage: the loss-free stator brings the flow back to the
  // inlet angle.
  if (!radial) {
    s.al3 = s.al1;
    s.ca3 = F(static_cast<double>(s.cax) * s.ca2);
    s.c3 = F(s.ca3 / mathfn::cos(Rad(s.al3)));
    s.dl23 = F(static_cast<double>(s.al3) - s.al2);
    s.pt3 = s.pt2;
    s.t3 = F(Static(s.tt2, s.c3, s.cp));
    RequirePositive(s.t3, "stator exit");
    s.a3 = F(mathfn::pow(gm * s.rg * s.t3 * kLbmPerSlug, 0.5));
    s.m3 = F(s.c3 / static_cast<double>(s.a3));
    s.p3 = F(s.pt3 / mathfn::pow(1 + (gm - 1) * 0.5 * Sq(s.m3), ex));
    s.ro3 = F(s.p3 / static_cast<double>(s.rg) / s.t3 * 144 / kLbmPerSlug);
    s.cps = F((static_cast<double>(s.p3) - s.p2) * 144 / (0.5 * s.ro2 * Sq(s.c2)));
    s.ar3 = F(s.m / static_cast<double>(s.ro3) / s.ca3);
    s.th3 = F(s.ar3 * 144 / kPi / 2 / s.r);
  }

}

bool Settled(float previous, float next) {
  return std::fabs(static_cast<double>(previous) - next) < 0.00001 * previous;
}

// The pass from the exit density rho, repeated with that density until the
// exit temperature (which sets the properties of air) has settled too, each
// from halfway between the temperature a pass started from and the one it
// gave (the temperature may circle as the density does): false when that
// does not happen or a pass cannot be made (too fast an exit: no static
// temperature above zero).
bool PassAt(Stage& s, short ct, short cgas, float rho) {
  for (int k = 0; k < kTemperaturePasses; ++k) {
    const float t2 = s.t2;
    s.ro2 = rho;
    try {
      Pass(s, ct, cgas);
    } catch (const core::Failure&) {
      return false;
    }
    if (!std::isfinite(s.ro2)) return false;
    if (std::fabs(static_cast<double>(t2) - s.t2) < 0.00001 * std::fabs(t2)) return true;
    s.t2 = F((static_cast<double>(t2) + s.t2) / 2);
  }
  return false;
}

// The density that a pass gives back unchanged (to the tolerance of the
// passes), where the passes only creep towards it or circle it near a
// choked exit: secant steps on the change a pass makes, from the last two
// passes (from rho0 to rho1, and from rho1 to s.ro2), bisection once the
// change has been seen on both sides of zero. A density whose pass cannot
// be made lies below the one looked for. On success the settling pass is
// left in s; s is untouched when there is none within kSolvePasses.
bool SolveDensity(Stage& s, short ct, short cgas, float rho0, float rho1, int& passes) {
  struct Probe {
    float rho, change;  // the pass's new density less rho
  };
  Probe a{rho0, rho1 - rho0}, b{rho1, s.ro2 - rho1};
  std::optional<float> lo, hi;  // the change is positive below the density, negative above
  auto note = [&](const Probe& p) {
    if (p.change > 0 && (!lo || p.rho > *lo)) lo = p.rho;
    if (p.change < 0 && (!hi || p.rho < *hi)) hi = p.rho;
  };
  note(a);
  note(b);
  Stage base = s, trial;
  for (passes = 1; passes <= kSolvePasses; ++passes) {
    float next;
    if (lo && hi) {
      next = F(*lo + (static_cast<double>(*hi) - *lo) / 2);
    } else {
      const double slope = (static_cast<double>(b.change) - a.change) / (static_cast<double>(b.rho) - a.rho);
      next = F(b.rho - b.change / slope);
      if (!(next > 0)) next = b.rho / 2;  // a flat or undefined slope
    }
    if (lo && next <= *lo) next = F((static_cast<double>(*lo) + b.rho) / 2);
    if (hi && next >= *hi) next = F((static_cast<double>(*hi) + b.rho) / 2);
    if ((lo && !(next > *lo)) || (hi && !(next < *hi))) break;  // no density left between
    trial = base;
    if (!PassAt(trial, ct, cgas, next)) {
      if (!lo || next > *lo) lo = next;
      continue;
    }
    if (Settled(next, trial.ro2)) {
      s = trial;
      return true;
    }
    base = trial;  // the next pass starts from this exit temperature
    const Probe p{next, trial.ro2 - next};
    note(p);
    a = b;
    b = p;
  }
  return false;
}

}  // namespace

int MeanLine(Stage& s, short ct, short cgas) {
  const bool radial = Radial(ct);
  if (cgas == kOtherGas) {
    s.cp = F(s.rg * static_cast<double>(s.gm) / kFootPoundsPerBtu / (s.gm - 1));
    if (!std::isfinite(s.cp) || s.cp == 0)
      throw core::Failure("Cannot compute cp of the gas: gamma must not be 1");
  }
  // The eye annulus gives the mean radius and the blade height.
  if (ct == kRadialCompressor) {
    s.r = F((static_cast<double>(s.rh) + s.rt) / 2);
    s.th1 = F(static_cast<double>(s.rt) - s.rh);
  } else if (ct == kRadialTurbine) {
    s.r2 = F((static_cast<double>(s.rh) + s.rt) / 2);
    s.td2 = F(static_cast<double>(s.rt) - s.rh);
  }
  s.t2 = s.t1;

  // Blade speeds (ft/s) and the inlet through-flow.
  s.u = F(kPi * s.om * s.r * 2 / 60 / 12);
  s.m = F(s.m / kLbmPerSlug);
  s.u2 = radial ? F(kPi * s.om * s.r2 * 2 / 60 / 12) : s.u;
  s.ar1 = F(kPi * 2 * s.r * s.th1 / 144);
  s.ro1 = F(s.p1 / static_cast<double>(s.rg) / s.t1 * 144 / kLbmPerSlug);
  s.ro2 = s.ro1;
  s.ca1 = F(s.m / static_cast<double>(s.ro1) / s.ar1);
  RequireFinite(s.ca1, "the inlet velocity: check the flow area and the inlet state");

  float older = s.ro2, last = s.ro2;
  int pass = 1;
  for (; pass <= kDensityPasses; ++pass) {
    older = last;
    last = s.ro2;
    Pass(s, ct, cgas);
    if (Settled(last, s.ro2)) break;
  }
  if (pass > kDensityPasses) {
    int solve = 0;
    if (SolveDensity(s, ct, cgas, older, last, solve)) pass = kUnsettled + solve;
  }
  s.m = F(s.m * kLbmPerSlug);
  return pass;
}

}  // namespace bladerow
