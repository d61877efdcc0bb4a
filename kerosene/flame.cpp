#include "kerosene/flame.h"

#include <cmath>

#include "core/failure.h"

namespace kerosene {

namespace {

constexpr double kHfKerosene = -294366;
constexpr double kHfWater = -241810;
constexpr double kHfCarbonDioxide = -393520;
constexpr double kOxygen = 15.5;     // kmol O2 per kmol fuel at theoretical air
constexpr double kNitrogen = 58.28;  // kmol N2 per kmol fuel at theoretical air

// The balance settles to |E| <= 1 kJ in six or seven secant passes for any
// mixture from 10 % to 1000 % air; far more passes mean it is not settling.
// (Measured: at most eleven over 1 % to 100000 % air, inlet temperatures of
// 1 K to 6000 K and every heat capacity scaled by 0.1 to 10.)
constexpr int kMaxSecantPasses = 100;
// Range of the fallback search: above any flame, below nothing physical.
constexpr double kLowest = 1, kHighest = 20000;
// Halving 1 K to 20000 K reaches the spacing of doubles in at most 68 passes.
constexpr int kMaxHalvings = 100;

}  // namespace

double SensibleEnthalpy(double a, double b, double t) {
  return a * (t - kReference) + b / 2 * (t * t - kReference * kReference);
}

Mixture Mix(const FlameInput& in) {
  const double x = in.x;
  Mixture m;
  m.reactants = {{{1, kHfKerosene, in.ar[0], in.br[0]},
                  {kOxygen * x, 0, in.ar[1], in.br[1]},
                  {kNitrogen * x, 0, in.ar[2], in.br[2]}}};
  if (in.x >= 1) {
    // Lean or stoichiometric: all fuel burns, the excess oxygen leaves.
    m.products = {{{11, kHfWater, in.ap[0], in.bp[0]},
                   {10, kHfCarbonDioxide, in.ap[1], in.bp[1]},
                   {(x - 1) * kOxygen, 0, in.ar[1], in.br[1]},
                   {kNitrogen * x, 0, in.ar[2], in.br[2]}}};
  } else {
    // Rich: the oxygen burns a fraction x of the fuel; the rest leaves unburnt.
    m.products = {{{11 * x, kHfWater, in.ap[0], in.bp[0]},
                   {10 * x, kHfCarbonDioxide, in.ap[1], in.bp[1]},
                   {1 - x, kHfKerosene, in.ar[0], in.br[0]},
                   {kNitrogen * x, 0, in.ar[2], in.br[2]}}};
  }
  // The nitrogen comes in with the air.
  const std::array<double, 3> t = {in.fuelT, in.airT, in.airT};
  m.reactantEnthalpy = 0;
  for (int r = 0; r < 3; ++r) {
    const Species& s = m.reactants[r];
    m.reactantEnthalpy += s.n * (s.hf + SensibleEnthalpy(s.a, s.b, t[r]));
  }
  return m;
}

namespace {

// Bisection on the balance over the physical range, for mixtures the secant
// cannot settle.
double Bisect(const Mixture& m, int& halvings) {
  auto error = [&m](double t) { return m.reactantEnthalpy - Enthalpy(m.products, t); };
  double lo = kLowest, hi = kHighest;
  double elo = error(lo);
  const double ehi = error(hi);
  if (!std::isfinite(elo) || !std::isfinite(ehi) || (elo > 0) == (ehi > 0))
    throw core::Failure("No product temperature balances the enthalpy of the reactants");
  for (int pass = 1; pass <= kMaxHalvings; ++pass) {
    const double mid = (lo + hi) / 2;
    const double e = error(mid);
    if (std::fabs(e) <= 1 || mid == lo || mid == hi) {
      halvings = pass;
      return mid;
    }
    if ((e > 0) == (elo > 0)) {
      lo = mid;
      elo = e;
    } else {
      hi = mid;
    }
  }
  throw core::Failure("The search for the product temperature does not settle");
}

}  // namespace

Flame FlameTemperature(const FlameInput& in) {
  const Mixture m = Mix(in);
  double t = in.airT + 200;
  double e = 0, tPrev = 0, ePrev = 0;
  for (int k = 0; k < kMaxSecantPasses; ++k) {
    const double tOld = t;
    if (k == 1) t = t + 100;
    if (k > 1) {
      if (e == ePrev) break;  // the secant through two equal errors has no root
      t = t - e * (t - tPrev) / (e - ePrev);
    }
    ePrev = e;
    tPrev = tOld;
    e = m.reactantEnthalpy - Enthalpy(m.products, t);
    if (!std::isfinite(e)) break;
    // A balance at or below absolute zero is no flame: search the physical range.
    if (std::fabs(e) <= 1) {
      if (t > 0) return {t, k + 1, false};
      break;
    }
  }
  Flame flame{0, 0, true};
  flame.t = Bisect(m, flame.halvings);
  return flame;
}

}  // namespace kerosene
