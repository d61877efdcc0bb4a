// Flow at constant static temperature with heat transfer and area change,
// referred to the sonic state.
#pragma once

#include "flowtables/one_dimensional.h"

namespace flowtables {

struct IsothermalHeatConstants {
  explicit IsothermalHeatConstants(float g);
  double g;
  float k1, k2, k3, k4, k6;
};

struct IsothermalHeatState {
  double m;                // the Mach number used (1E-8 for anything below 1E-9)
  double p, pt, a, f, tt;  // p/p*, pt/pt*, A/A*, F/F*, Tt/Tt*
};

// pt/pt*, A/A* and F/F* come limited to 99999.99.
IsothermalHeatState IsothermalHeatRatios(double m, const IsothermalHeatConstants& k);

}  // namespace flowtables
