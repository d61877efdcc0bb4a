// Isothermal flow with wall friction in a duct of constant area, referred to
// the end of the longest duct (where M = 1/√γ).
#pragma once

#include "flowtables/one_dimensional.h"

namespace flowtables {

struct IsothermalFrictionConstants {
  explicit IsothermalFrictionConstants(float g);
  double g;
  float k1, k2, k3;
  double sg;  // √γ
};

struct IsothermalFrictionState {
  double m;                // the Mach number used (1E-8 for anything below 1E-9)
  double v, tt, pt, f, fld;  // V/VLmax, Tt/TtLmax, pt/ptLmax, F/FLmax, 4fLmax/D
};

// pt/ptLmax, F/FLmax and 4fLmax/D come limited to 99999.99.
IsothermalFrictionState IsothermalFrictionRatios(double m, const IsothermalFrictionConstants& k);

}  // namespace flowtables
