// Normal shock relations of a perfect gas: downstream Mach number and the
// ratios across the shock for an upstream Mach number.
#pragma once

#include "flowtables/one_dimensional.h"

namespace flowtables {

// The constants are Singles: they are stored as Single, which changes the
// last digits of large pressure ratios.
struct ShockConstants {
  explicit ShockConstants(float g);
  float k1, k2, k3, k4, k5;
};

struct ShockState {
  double m1;              // the upstream Mach number used (at least 1)
  double m2;              // downstream Mach number
  double r, t, p;         // ρ2/ρ1, T2/T1, p2/p1 (T2/T1 and p2/p1 limited)
  double pt, ptp;         // pt2/pt1, pt2/p1 (pt2/p1 limited)
};

ShockState ShockRelations(double m1, const ShockConstants& k);

}  // namespace flowtables
