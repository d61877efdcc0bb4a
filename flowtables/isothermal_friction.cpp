#include "flowtables/isothermal_friction.h"

#include <cmath>

#include "lib/mathfn/mathfn.h"

namespace flowtables {

IsothermalFrictionConstants::IsothermalFrictionConstants(float gs)
    : g(gs),
      k1(static_cast<float>((g - 1) / 2)),
      k2(static_cast<float>(2 * g / (3 * g - 1))),
      k3(static_cast<float>(g / (g - 1))),
      sg(std::sqrt(g)) {
  RequireFinite({k1, k2, k3, sg}, gs);
}

IsothermalFrictionState IsothermalFrictionRatios(double m, const IsothermalFrictionConstants& k) {
  if (m < 1e-9) m = 1e-8;
  IsothermalFrictionState s;
  const double mm = m * m;
  s.m = m;
  s.v = m * k.sg;
  s.tt = (1 + k.k1 * mm) * k.k2;
  s.pt = Limit(mathfn::pow(s.tt, static_cast<double>(k.k3)) / s.v);
  s.f = Limit((1 + k.g * mm) / (2 * s.v));
  s.fld = Limit(mathfn::log(s.v * s.v) + (1 - k.g * mm) / (s.v * s.v));
  return s;
}

}  // namespace flowtables
