// Isentropic flow of a perfect gas: T/Tt, p/pt, ρ/ρt and A/A* of a Mach
// number.
#pragma once

#include "flowtables/one_dimensional.h"

namespace flowtables {

// Constants of γ; a γ that makes one infinite (1 or -1) is refused.
struct IsentropicConstants {
  explicit IsentropicConstants(float g);
  double g1, g2, g3, g5, g6;
};

struct IsentropicState {
  double m;  // the Mach number used (1E-8 for anything below 1E-9)
  double t, p, r, a;  // T/Tt, p/pt, ρ/ρt, A/A* (not limited)
};

IsentropicState IsentropicRatios(double m, const IsentropicConstants& k);

}  // namespace flowtables
