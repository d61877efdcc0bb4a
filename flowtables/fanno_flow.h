// Fanno line flow: adiabatic flow with wall friction in a duct of constant
// area, referred to the sonic state.
#pragma once

#include "flowtables/one_dimensional.h"

namespace flowtables {

struct FannoConstants {
  explicit FannoConstants(double g);
  double g, g1, g2, g3, g4, g5, g7;
};

struct FannoState {
  double c, t, p, pt, ms, fld;  // 1 + g1·M², T/T*, p/p*, pt/pt*, V/V*, 4fL*/D
};

FannoState FannoRatios(double m, const FannoConstants& k);
// 4fL*/D as M grows without bound, taken at M = 1000000.
double FannoLimit(const FannoConstants& k);

}  // namespace flowtables
