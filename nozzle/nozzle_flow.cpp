#include "nozzle/nozzle_flow.h"

#include <cmath>

#include "lib/mathfn/mathfn.h"

namespace nozzle {

Gas::Gas(float gamma, float efficiency)
    : g(gamma), eta(efficiency), k(((1 - g) / ((g + 1) * eta) + 1) * eta) {}

double TemperatureRatio(const Gas& gas, double m) { return 1 / (1 + (gas.g - 1) / 2 * m * m); }

double AreaRatio(const Gas& gas, double m) {
  const double g = gas.g;
  const double bracket = gas.k / (TemperatureRatio(gas, m) - 1 + gas.eta);
  if (!(bracket >= 0)) return std::nan("");  // a fractional power of a negative number
  return (1 / m) * std::sqrt((g + 1) / (2 + (g - 1) * m * m)) * mathfn::pow(bracket, g / (g - 1));
}

double PressureRatio(const Gas& gas, double m) {
  const double base = (TemperatureRatio(gas, m) - 1 + gas.eta) / gas.eta;
  if (!(base >= 0)) return std::nan("");
  return mathfn::pow(base, gas.g / (gas.g - 1));
}

double MachOfPressureRatio(const Gas& gas, double ppt) {
  const double g = gas.g;
  if (!(ppt >= 0)) return std::nan("");
  const double m2 = (1 / (gas.eta * mathfn::pow(ppt, (g - 1) / g) + 1 - gas.eta) - 1) * 2 / (g - 1);
  return m2 >= 0 ? std::sqrt(m2) : std::nan("");
}

MinimumArea SearchMinimumArea(const Gas& gas) {
  MinimumArea best;
  double m = 0.6, step = 0.01;
  for (int n = 0; n < kMinimumBound; ++n) {
    if (step < 1e-7) return best;
    m = m + step;
    const double a = AreaRatio(gas, m);
    // Past the Mach number the expansion can reach the area is undefined:
    // that too is an overshoot.
    if (!std::isfinite(a) || a > best.amin) {
      m = m - step;
      step = step / 10;
    } else {
      best.amin = a;
      best.mmin = m;
      best.found = true;
    }
  }
  best.found = false;  // the area kept falling: no minimum
  return best;
}

std::optional<float> SolveAreaRatio(const Gas& gas, float aa, bool higher, double mmin) {
  auto onBranch = [&](double m) { return higher ? m >= mmin : m > 0 && m <= mmin; };
  auto r = [&](double m) { return AreaRatio(gas, m) - aa; };

  // The secant steps.
  float m = higher ? 2.3f : 0.6f, mprev = 0;
  double rprev = 0;
  for (int pass = 0; pass < kSecantBound; ++pass) {
    const double res = r(m);
    if (!std::isfinite(res)) break;
    if (std::fabs(res) < 1e-7) {
      if (onBranch(m)) return m;
      break;
    }
    if (pass == 0) {
      mprev = m;
      rprev = res;
      m = static_cast<float>(m - 0.2);
      continue;
    }
    if (res == rprev) break;  // two equal residuals: the secant has no slope
    const double next = m - res * (m - mprev) / (res - rprev);
    mprev = m;
    rprev = res;
    m = static_cast<float>(next);
    if (!std::isfinite(m)) break;
  }

  // Bisection on the branch. The area falls from infinity at M = 0 to its
  // minimum and rises again toward the Mach number where the expansion ends
  // (without end for a loss-free nozzle). Undefined values lie beyond it.
  auto above = [&](double m) {
    const double v = r(m);
    return !std::isfinite(v) || v > 0;
  };
  if (above(mmin)) return static_cast<float>(mmin);  // on the minimum, to its tolerance
  double inner = mmin, outer = mmin;
  bool bracketed = false;
  if (higher && gas.eta < 1) {
    outer = std::sqrt((1 / (1 - gas.eta) - 1) * 2 / (gas.g - 1));
    bracketed = outer > mmin;
  } else {
    for (int k = 0; k < 1100 && !bracketed; ++k) {
      outer = higher ? outer * 2 : outer / 2;
      if (outer == 0 || !std::isfinite(outer)) break;
      bracketed = above(outer);
      if (!bracketed) inner = outer;
    }
  }
  if (!bracketed) return std::nullopt;
  for (int k = 0; k < 2200; ++k) {
    const double mid = inner + (outer - inner) / 2;
    if (mid == inner || mid == outer) break;
    (above(mid) ? outer : inner) = mid;
  }
  return static_cast<float>(inner);
}

Flow MassFlow(const Gas& gas, float gamma, float m8, double ppt, float tt6, float pt6, float ar8) {
  const double t8 = TemperatureRatio(gas, m8) * tt6;
  const double p8 = ppt * pt6;
  const double rho8 = 144 * p8 / (kR * t8 * kGc);  // slug/ft³
  const double a8 = std::sqrt(static_cast<double>(gamma) * kR * kGc * t8);
  const double v8 = a8 * m8;
  Flow f;
  f.mdot = rho8 * v8 * ar8 / 144 * kGc;
  f.mdotc = f.mdot * std::sqrt(tt6 / 519.0) * 14.69 / pt6;
  return f;
}

}  // namespace nozzle
