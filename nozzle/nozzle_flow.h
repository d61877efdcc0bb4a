// Shock-free flow of a perfect gas through a nozzle of given adiabatic
// efficiency, from the inlet total state to the exit.
#pragma once

#include <optional>

namespace nozzle {

inline constexpr double kR = 53.35;   // ft·lbf/(lbm·degR)
inline constexpr double kGc = 32.17;  // lbm·ft/(lbf·s²)

struct Gas {
  Gas(float gamma, float efficiency);
  double g, eta;
  double k;  // the lossy nozzle's constant: ((1 − γ)/((γ + 1)η) + 1)·η
};

// A/A* of the lossy nozzle (A* the throat of the isentropic one), p/pt6 and
// T/Tt6 at Mach M. Where the expansion cannot reach M the powers are
// undefined and the value is not finite.
double AreaRatio(const Gas& gas, double m);
double PressureRatio(const Gas& gas, double m);
double TemperatureRatio(const Gas& gas, double m);
// The Mach number of a pressure ratio p8/pt6 (not finite where none exists).
double MachOfPressureRatio(const Gas& gas, double ppt);

struct MinimumArea {
  double amin = 10;  // the search's start value until something lower is found
  double mmin = 0;
  bool found = false;
};
// Forward search from M = 0.6 in steps of 0.01, each overshoot going back and
// dividing the step by ten, down to steps of 1e-7.
MinimumArea SearchMinimumArea(const Gas& gas);
inline constexpr int kMinimumBound = 10000;  // evaluations; about 100 are needed

// The Mach number of an area ratio on the lower (subsonic side of the
// minimum) or higher branch. The secant steps come first, M held as a Single;
// where they stall, run past their bound, leave the branch or meet an
// undefined power, bisection between mmin and the branch's end takes over.
// Nothing when the branch holds no root.
std::optional<float> SolveAreaRatio(const Gas& gas, float aa, bool higher, double mmin);
inline constexpr int kSecantBound = 200;  // the slowest that settle take about 25

struct Flow {
  double mdot;   // lbm/s
  double mdotc;  // corrected to 519.0 degR and 14.69 psia
};
Flow MassFlow(const Gas& gas, float gamma, float m8, double ppt, float tt6, float pt6, float ar8);

}  // namespace nozzle
