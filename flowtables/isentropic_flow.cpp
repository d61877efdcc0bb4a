#include "flowtables/isentropic_flow.h"

#include <cmath>

#include "lib/mathfn/mathfn.h"

namespace flowtables {

IsentropicConstants::IsentropicConstants(float gs) {
  const double g = gs;
  g1 = (g - 1) / 2;
  g2 = 2 / (g + 1);
  g3 = g / (g - 1);
  g5 = (g + 1) / (2 * (g - 1));
  g6 = mathfn::pow(g2, g5);
  RequireFinite({g1, g2, g3, g5, g6}, gs);
}

IsentropicState IsentropicRatios(double m, const IsentropicConstants& k) {
  if (m < 1e-9) m = 1e-8;
  const double c = 1 + k.g1 * m * m;
  IsentropicState s;
  s.m = m;
  s.t = 1 / c;
  s.p = mathfn::pow(s.t, k.g3);
  s.r = s.p / s.t;
  s.a = mathfn::pow(c, k.g5) * k.g6 / m;
  return s;
}

}  // namespace flowtables
