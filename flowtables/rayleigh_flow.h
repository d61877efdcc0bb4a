// Rayleigh line flow: frictionless flow with heat addition or removal in a
// duct of constant area, referred to the sonic state.
#pragma once

#include "flowtables/one_dimensional.h"

namespace flowtables {

struct RayleighConstants {
  explicit RayleighConstants(float g);
  double g, g1, g2, g3, g4, g5;
};

struct RayleighState {
  double ms, t, p, c, T0, pt;  // V/V*, T/T*, p/p*, 1 + g1·M², Tt/Tt*, pt/pt*
};

RayleighState RayleighRatios(double m, const RayleighConstants& k);
// Tt/Tt* as M grows without bound, taken at M = 10000.
double RayleighLimit(const RayleighConstants& k);

}  // namespace flowtables
