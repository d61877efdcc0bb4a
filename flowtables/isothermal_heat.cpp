#include "flowtables/isothermal_heat.h"

#include <cmath>

#include "lib/mathfn/mathfn.h"

namespace flowtables {

IsothermalHeatConstants::IsothermalHeatConstants(float gs)
    : g(gs),
      k1(static_cast<float>((g - 1) / 2)),
      k2(static_cast<float>(g / 2)),
      k3(static_cast<float>(2 / (g + 1))),
      k4(static_cast<float>(g / (g - 1))),
      k6(static_cast<float>(g + 1)) {
  RequireFinite({k1, k2, k3, k4, k6}, gs);
}

IsothermalHeatState IsothermalHeatRatios(double m, const IsothermalHeatConstants& k) {
  if (m < 1e-9) m = 1e-8;
  IsothermalHeatState s;
  const double mm = m * m;
  s.m = m;
  s.p = mathfn::exp(k.k2 * (1 - mm));
  s.tt = (1 + k.k1 * mm) * k.k3;
  double pt = mathfn::pow(s.tt, static_cast<double>(k.k4)) * s.p;
  // Far out (or with γ close to 1) the power overflows while p/p* underflows
  // to 0; their product is then formed from the logarithms instead.
  if (std::isnan(pt)) pt = mathfn::exp(k.k4 * mathfn::log(s.tt) + k.k2 * (1 - mm));
  s.pt = Limit(pt);
  s.a = Limit(1 / (m * s.p));
  s.f = Limit((1 + k.g * mm) / (m * k.k6));
  return s;
}

}  // namespace flowtables
