#include "flowtables/rayleigh_flow.h"

#include <cmath>

#include "lib/mathfn/mathfn.h"

namespace flowtables {

RayleighConstants::RayleighConstants(float gs) : g(gs) {
  g1 = (g - 1) / 2;
  g2 = g + 1;
  g3 = g / (g - 1);
  g4 = 2 / (g + 1);
  g5 = mathfn::pow(g4, g3);
  RequireFinite({g1, g2, g3, g4, g5}, gs);
}

RayleighState RayleighRatios(double m, const RayleighConstants& k) {
  RayleighState s;
  const double mm = m * m;
  s.ms = k.g2 * mm / (k.g * mm + 1);
  s.t = (s.ms / m) * (s.ms / m);
  s.p = s.ms / mm;
  s.c = 1 + k.g1 * mm;
  s.T0 = s.t * k.g4 * s.c;
  s.pt = mathfn::pow(s.c, k.g3) * (k.g5 * s.p);
  return s;
}

double RayleighLimit(const RayleighConstants& k) { return RayleighRatios(10000, k).T0; }

}  // namespace flowtables
