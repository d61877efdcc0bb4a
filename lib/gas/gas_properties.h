// The gas property rules of the engine programs: cp and gamma of the working
// gas at a temperature, variable with temperature or constant. The cycle
// programs (thrustdeck, shaftdeck) and the matching programs (thrustfit,
// shaftfit) write the same exponential law with differently rounded bases;
// each keeps its own rule on purpose, so each keeps its own last digits.
#pragma once

#include <cmath>

#include "lib/mathfn/mathfn.h"

namespace gas {

// 53.35 ft·lbf/(lbm·degR) divided by 778.16.
inline constexpr double kGasConstantBtu = 0.068559;

struct Gas {
  float gamma;
  float cp;  // BTU/(lbm·degR)
};

// The cycle programs' rule (thrustdeck, shaftdeck):
// cp = 0.2269807·2.718281828^(9.7247e-5·T), stored as a Single, and gamma
// from that stored cp. The base is as written, not the exact e.
inline Gas VariableGas(double t) {
  const float cp = static_cast<float>(0.2269807 * mathfn::pow(2.718281828, 9.7247e-5 * t));
  const float gamma = static_cast<float>(cp / (cp - kGasConstantBtu));
  return {gamma, cp};
}

// Constant properties from a typed gamma.
inline Gas ConstantGas(float gmcn) {
  return {gmcn, static_cast<float>(kGasConstantBtu * gmcn / (gmcn - 1))};
}

// The same rule with every property kept in Double: the jet engine cycle
// evaluates cp and gamma wide and rounds only where a station stores them.
struct WideGas {
  double gamma;
  double cp;  // BTU/(lbm·degR)
};

inline WideGas VariableGasWide(double t) {
  const double cp = 0.2269807 * mathfn::pow(2.718281828, 9.7247e-5 * t);
  return {cp / (cp - kGasConstantBtu), cp};
}

inline WideGas ConstantGasWide(float gmcn) { return {gmcn, kGasConstantBtu * gmcn / (gmcn - 1.0)}; }

// The matching programs' rule (thrustfit, shaftfit): the same law with the
// base rounded to 2.7182818, all in Double. Deliberately not the cycle
// rule above: the matched points and print files keep their digits by it.
struct MatchingGas {
  double cp;  // BTU/(lbm·degR)
  double gamma;
};

inline MatchingGas MatchingGasAt(double t) {
  MatchingGas g;
  g.cp = 0.2269807 * mathfn::pow(2.7182818, 9.7247e-5 * t);
  g.gamma = g.cp / (g.cp - kGasConstantBtu);
  return g;
}

// Speed of sound in ft/s.
inline double SoundSpeed(double gamma, double t) {
  return mathfn::pow(gamma * 53.35 * 32.17 * t, 0.5);
}

}  // namespace gas
