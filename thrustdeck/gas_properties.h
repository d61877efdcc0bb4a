// The gas property rule of the engine cycles: cp and gamma of the working gas
// at a temperature, variable with temperature or constant. Shared by the jet
// engine cycle and the power gas turbine cycle.
#pragma once

#include <cmath>

namespace thrustdeck {

// 53.35 ft·lbf/(lbm·degR) divided by 778.16.
inline constexpr double kGasConstantBtu = 0.068559;

struct Gas {
  float gamma;
  float cp;  // BTU/(lbm·degR)
};

// cp = 0.2269807·2.718281828^(9.7247e-5·T), stored as a Single, and gamma
// from that stored cp. The base is as written, not the exact e.
inline Gas VariableGas(double t) {
  const float cp = static_cast<float>(0.2269807 * std::pow(2.718281828, 9.7247e-5 * t));
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
  const double cp = 0.2269807 * std::pow(2.718281828, 9.7247e-5 * t);
  return {cp / (cp - kGasConstantBtu), cp};
}

inline WideGas ConstantGasWide(float gmcn) {
  return {gmcn, kGasConstantBtu * gmcn / (gmcn - 1.0)};
}

// Speed of sound in ft/s.
inline double SoundSpeed(double gamma, double t) {
  return std::pow(gamma * 53.35 * 32.17 * t, 0.5);
}

}  // namespace thrustdeck
