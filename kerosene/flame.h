// Adiabatic flame temperature of kerosene (C10H22) burning with a given
// fraction of theoretical air: heats of formation plus sensible enthalpy from
// molar heat capacities cp = a + b T, balanced between reactants and products.
// Kelvin and kJ/kmol throughout, per kmol of fuel.
#pragma once

#include <array>

namespace kerosene {

inline constexpr double kReference = 298;  // K

struct Species {
  double n = 0;   // kmol per kmol of fuel
  double hf = 0;  // heat of formation, kJ/kmol
  double a = 0, b = 0;
};

// Sensible enthalpy from the reference temperature to t.
double SensibleEnthalpy(double a, double b, double t);
// Σ n (hf + Δh(t)) of a set of species, all at t.
template <std::size_t N>
double Enthalpy(const std::array<Species, N>& set, double t) {
  double h = 0;
  for (const Species& s : set) h += s.n * (s.hf + SensibleEnthalpy(s.a, s.b, t));
  return h;
}

struct FlameInput {
  float x;                  // fraction of theoretical air
  double fuelT, airT;       // K
  std::array<double, 3> ar, br;  // kerosene, oxygen, nitrogen
  std::array<double, 2> ap, bp;  // water, carbon dioxide
};

struct Mixture {
  std::array<Species, 3> reactants;  // kerosene, oxygen, nitrogen
  std::array<Species, 4> products;   // water, CO2, then O2 (lean) or kerosene (rich), N2
  double reactantEnthalpy;
};

Mixture Mix(const FlameInput& in);

struct Flame {
  double t;    // product temperature, K
  int passes;  // enthalpy evaluations of the secant search
  bool bisected;
  int halvings = 0;  // of the fallback search
};

// The product temperature at which products carry the reactants' enthalpy.
// Secant steps from the air temperature + 200 K and + 300 K; should they stall,
// run away or settle at or below absolute zero, bisection over the physical
// range. Throws core::Failure when no temperature balances.
Flame FlameTemperature(const FlameInput& in);

}  // namespace kerosene
