#include "flowtables/fanno_flow.h"

#include <cmath>

#include "lib/mathfn/mathfn.h"

namespace flowtables {

FannoConstants::FannoConstants(double gamma) : g(gamma) {
  g1 = (g - 1) / 2;
  g2 = 2 / (g + 1);
  g3 = 1 / g2;
  g4 = (g + 1) * 0.5 / (g - 1);
  g5 = mathfn::pow(g2, g4);
  g7 = g3 / g;
  RequireFinite({g1, g2, g3, g4, g5, g7}, static_cast<float>(g));
}

FannoState FannoRatios(double m, const FannoConstants& k) {
  FannoState s;
  const double mm = m * m;
  s.c = 1 + k.g1 * mm;
  s.ms = m / std::sqrt(s.c * k.g2);
  s.t = k.g3 / s.c;
  s.p = s.ms / mm;
  s.pt = mathfn::pow(s.c, k.g4) * k.g5 / m;
  s.fld = (1 - mm) / (mm * k.g) + mathfn::log(mm * s.t) * k.g7;
  return s;
}

double FannoLimit(const FannoConstants& k) { return FannoRatios(1000000, k).fld; }

}  // namespace flowtables
