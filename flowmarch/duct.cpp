#include "flowmarch/duct.h"

#include <cmath>
#include <string>

#include "core/failure.h"
#include "lib/mathfn/mathfn.h"

namespace flowmarch {

namespace {

// The secant settles in four corrections for the usual duct states and in at
// most sixteen over inlet Mach numbers 0.05 to 4 and drag coefficients 0 to 3;
// past this bound it is wandering, not converging.
constexpr int kMaxSecant = 200;
// Halving a temperature interval ends at the spacing of doubles: at most 107
// halvings measured over Single inputs of every size and sign. No interval of
// doubles outlasts the exponent range, some 2100 halvings.
constexpr int kMaxBisection = 2200;

bool Finite(const Station& s) {
  return std::isfinite(s.t) && std::isfinite(s.v) && std::isfinite(s.rho) &&
         std::isfinite(s.mach) && std::isfinite(s.p) && std::isfinite(s.pt);
}

Station StateAt(const Gas& gas, const Impulse& x, double t) {
  Station s{};
  s.t = t;
  s.v = gas.c * std::sqrt(x.tt - t);
  s.rho = x.m / (kGc * s.v * x.area);
  s.a = std::sqrt(gas.g * kGc * kR * t);
  s.mach = s.v / s.a;
  s.p = s.rho * kR * t * kGc / 144;
  s.pt = s.p * mathfn::pow(1 + gas.e * s.mach * s.mach, gas.k);
  return s;
}

}  // namespace

Gas::Gas(double gamma) : g(gamma) {
  cp = g * kR / ((g - 1) * kJ);
  e = (g - 1) / 2;
  k = g / (g - 1);
  c = std::sqrt(2 * cp * kGc * kJ);
}

std::optional<Station> ConstantAreaState(const Gas& gas, const Impulse& x, double t0,
                                         double step, double eps) {
  // First term m V/gc, second 144 p A.
  auto residual = [&](double t) {
    const double root = std::sqrt(x.tt - t);
    return (x.m * gas.c / kGc) * root + (x.m * kR / gas.c) * t / root - x.i;
  };
  if (!(t0 > 0 && t0 < x.tt))
    throw core::Failure("No static temperature below the total temperature to start from");
  // The impulse is least at Mach 1, where T = 2 Tt/(γ+1); the subsonic states
  // lie above, the supersonic ones below.
  const double sonic = 2 * x.tt / (gas.g + 1);
  const bool subsonic = t0 >= sonic;

  double t = t0, tPrev = 0, rPrev = 0;
  int corrections = 0;
  for (int j = 0; j < kMaxSecant; ++j) {
    const double r = residual(t);
    if (!std::isfinite(r)) break;
    if (std::fabs(r) < eps) {
      if (t > 0 && t < x.tt && (t >= sonic) == subsonic) {
        Station s = StateAt(gas, x, t);
        s.corrections = corrections;
        return s;
      }
      break;  // settled on the other branch
    }
    double next;
    if (j == 0) {
      next = t - step;
    } else {
      if (r == rPrev) break;  // a flat secant has no root
      next = t - r * (t - tPrev) / (r - rPrev);
    }
    tPrev = t;
    rPrev = r;
    t = next;
    ++corrections;
  }

  // Bisection on the branch of the start value. The residual rises from the
  // sonic point towards Tt on the subsonic branch and falls from T = 0 to the
  // sonic point on the supersonic one.
  double lo = subsonic ? sonic : 0;
  double hi = subsonic ? x.tt : sonic;
  const double rSonic = residual(sonic);
  if (std::isnan(rSonic)) throw core::Failure("The impulse leaves no defined flow state");
  if (std::fabs(rSonic) < eps) {
    Station s = StateAt(gas, x, sonic);
    s.bisected = true;
    return s;
  }
  if (rSonic > 0) return std::nullopt;  // less impulse than the sonic state: choked
  if (!subsonic && residual(0) <= 0) return std::nullopt;
  for (int pass = 1; pass <= kMaxBisection; ++pass) {
    const double mid = (lo + hi) / 2;
    const double r = residual(mid);
    if (std::fabs(r) < eps || mid <= lo || mid >= hi) {
      Station s = StateAt(gas, x, mid);
      s.bisected = true;
      s.halvings = pass;
      return s;
    }
    if ((r > 0) == subsonic)
      hi = mid;
    else
      lo = mid;
  }
  throw core::Failure("The search for a constant-area state does not settle");
}

namespace {

struct Inlet {
  double t, p, v, area;
};

Inlet InletStream(const Gas& gas, double mach, double tt, double pt, double m,
                  const char* which) {
  if (mach == 0)
    throw core::Failure(std::string("Mach number of stream ") + which +
                         " must not be 0: it gives no flow area");
  const double q = 1 + gas.e * mach * mach;
  Inlet s;
  s.t = tt / q;
  s.p = pt / mathfn::pow(q, gas.k);
  s.v = std::sqrt(gas.g * kGc * kR * s.t) * mach;
  const double rho = 144 * s.p / (kR * s.t) / kGc;
  s.area = m / (rho * s.v * kGc);
  if (!std::isfinite(s.area) || !std::isfinite(s.v))
    throw core::Failure(std::string("Stream ") + which + " has no defined flow area");
  return s;
}

Station Solve(const Gas& gas, const Impulse& x, double t0, double step, double eps,
              Result& result, int station) {
  std::optional<Station> s = ConstantAreaState(gas, x, t0, step, eps);
  if (!s) {
    result.choked = true;
    result.chokedStation = station;
    return Station{};
  }
  if (!Finite(*s))
    throw core::Failure("No finite flow state at station " + std::to_string(station));
  return *s;
}

// The duct from station 5 to 6, by explicit forward steps, with friction,
// heat added up to tt6 and area change; ends at the exit or where it chokes.
void MarchDuct(const Gas& gas, const Inputs& in, double tt6, Result& r) {
  const double m5 = r.s5.mach;
  double mm = m5 * m5, pt = r.s5.pt, tt = r.tt3, a = 1;
  // The static state of the march where it stands (kept for the chart).
  auto keep = [&](int step) {
    const double q = 1 + gas.e * mm;
    r.march.push_back({step, std::sqrt(mm), tt / q, pt / mathfn::pow(q, gas.k)});
  };
  r.march.reserve(kSteps / kMarchSample + 2);
  keep(0);
  if (m5 == 1) {  // sonic at the entry: any change chokes it
    r.choked = true;
    r.chokedStation = 6;
    return;
  }
  const bool subsonic = m5 < 1;
  const double dtt = (tt6 - r.tt3) / kSteps;
  const double dx = in.l / kSteps;
  const double da = (in.a6a5 - 1) / kSteps;
  double mach = m5;
  for (int step = 1; step <= kSteps; ++step) {
    const double phi = 4 * in.f * dx / (in.d * std::sqrt(a));  // local diameter D sqrt(a)
    const double dpt = -(gas.g * mm / 2) * pt * (phi + dtt / tt);
    const double q = 1 + gas.e * mm;
    const double dmm = mm * (q * (1 + gas.g * mm) / (1 - mm) * dtt / tt +
                             gas.g * mm * q / (1 - mm) * phi - 2 * q / (1 - mm) * da / a);
    tt += dtt;
    mm += dmm;
    a += da;
    pt += dpt;
    if (!std::isfinite(mm) || !std::isfinite(pt) || !std::isfinite(tt) || !std::isfinite(a))
      throw core::Failure("The duct march gives no finite state at step " +
                           std::to_string(step));
    if (mm < 0)
      throw core::Failure("The duct march breaks down: M² falls below zero at step " +
                           std::to_string(step));
    mach = std::sqrt(mm);
    // Passing through Mach 1 (or landing on it) is choking.
    if (subsonic ? mach >= 1 : mach <= 1) {
      keep(step);
      r.choked = true;
      r.chokedAt = step;
      r.chokedStation = 6;
      return;
    }
    if (step % kMarchSample == 0 || step == kSteps) keep(step);
  }
  r.m6 = mach;
  r.tt6 = tt6;
  r.t6 = tt6 / (1 + gas.e * mach * mach);
  r.pt6 = pt;
  r.p6 = pt / mathfn::pow(1 + gas.e * mach * mach, gas.k);
  // The exit point as the exit conditions give it.
  r.march.back().t = r.t6;
  r.march.back().p = r.p6;
}

}  // namespace

Result Compute(const Inputs& in) {
  if (!(in.g > 1)) throw core::Failure("gamma must be greater than 1");
  const Gas gas(in.g);
  // One tolerance for all three states, scaled by the stream-1 Mach number.
  const double eps = 0.0001 / mathfn::pow(in.m1, 6);

  const Inlet s1 = InletStream(gas, in.m1, in.tt1, in.pt1, in.md1, "1");
  const Inlet s2 = InletStream(gas, in.m2, in.tt2, in.pt2, in.md2, "2");
  const double m = in.md1 + in.md2;
  if (m == 0) throw core::Failure("The two streams carry no mass flow");
  const double area = s1.area + s2.area;

  Result r;
  r.tt3 = (in.md1 * in.tt1 + in.md2 * in.tt2) / m;
  const double tt6 = in.tt6 < 0.01 ? r.tt3 : in.tt6;  // below 0.01: no heat added

  // Mixing at constant area keeps the impulse of the two streams.
  const double i3 = 144 * (s1.p * s1.area + s2.p * s2.area) + (in.md1 * s1.v + in.md2 * s2.v) / kGc;
  const double tMix = (in.md1 * s1.t + in.md2 * s2.t) / m;
  r.s3 = Solve(gas, {i3, r.tt3, m, area}, tMix, 2, eps, r, 3);
  if (r.choked) return r;
  // Each drag element takes Cd·(Ab/A)/2 of the momentum flux.
  const double i4 = 144 * area * r.s3.p + (1 - in.cd4 * in.ab4 / 2) * m * r.s3.v / kGc;
  r.s4 = Solve(gas, {i4, r.tt3, m, area}, tMix, 2, eps, r, 4);
  if (r.choked) return r;
  const double i5 = 144 * area * r.s4.p + (1 - in.cd5 * in.ab5 / 2) * m * r.s4.v / kGc;
  r.s5 = Solve(gas, {i5, r.tt3, m, area}, r.s4.t, 10, eps, r, 5);
  if (r.choked) return r;

  MarchDuct(gas, in, tt6, r);
  return r;
}

}  // namespace flowmarch
