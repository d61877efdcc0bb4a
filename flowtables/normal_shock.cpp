#include "flowtables/normal_shock.h"

#include <cmath>

#include "lib/mathfn/mathfn.h"

namespace flowtables {

// Each constant is formed from the Single γ and then stored as a Single.
ShockConstants::ShockConstants(float gs) {
  const double g = gs;
  k1 = static_cast<float>((g - 1) / 2);
  k2 = static_cast<float>((g + 1) / 2);
  k3 = static_cast<float>(g / (g - 1));
  k4 = static_cast<float>(g / k2);
  k5 = static_cast<float>(static_cast<double>(k1) / k2);
  RequireFinite({k1, k2, k3, k4, k5}, gs);
}

ShockState ShockRelations(double m1, const ShockConstants& k) {
  if (m1 < 1) m1 = 1;  // no shock below sonic speed
  const double mm = m1 * m1;
  const double c1 = 1 + k.k1 * mm;
  ShockState s;
  s.m1 = m1;
  s.r = k.k2 * mm / c1;
  s.p = k.k4 * mm - k.k5;
  s.t = s.p / s.r;
  s.m2 = m1 / std::sqrt(s.r * s.p);
  const double c2 = 1 + k.k1 * s.m2 * s.m2;
  s.pt = mathfn::pow(c2 / c1, static_cast<double>(k.k3)) * s.p;
  s.ptp = mathfn::pow(c2, static_cast<double>(k.k3)) * s.p;
  s.t = Limit(s.t);
  s.p = Limit(s.p);
  s.ptp = Limit(s.ptp);
  return s;
}

}  // namespace flowtables
