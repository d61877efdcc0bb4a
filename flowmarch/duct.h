// One-dimensional flow of a perfect gas through a duct, as in an afterburner:
// two streams mix at constant area (stations 1, 2 to 3), a mixer and a
// flameholder take drag (4, 5), then heat addition, friction and area change
// are marched in small steps to the exit (6).
#pragma once

#include <optional>
#include <vector>

namespace flowmarch {

inline constexpr double kR = 53.35;    // ft·lbf/(lbm·degR)
inline constexpr double kGc = 32.17;   // lbm·ft/(lbf·s²)
inline constexpr double kJ = 778.16;   // ft·lbf/BTU
inline constexpr int kSteps = 5000;    // duct steps

struct Gas {
  explicit Gas(double gamma);
  double g, cp, e, k, c;  // γ, cp (BTU/lbm·degR), (γ-1)/2, γ/(γ-1), sqrt(2 cp gc J)
};

struct Inputs {
  double g;
  double m1, tt1, pt1, md1;  // stream 1: Mach, Tt (degR), pt (psia), mass flow
  double m2, tt2, pt2, md2;  // stream 2
  double cd4, ab4;           // mixer drag coefficient and blockage
  double cd5, ab5;           // flameholder
  double tt6;                // exit total temperature; below 0.01: no heat
  double f, d, l, a6a5;      // Fanning friction, diameter, length, area ratio
};

// A constant-area state of given impulse, total temperature, flow and area.
struct Station {
  double t, v, rho, a, mach, p, pt;
  int corrections = 0;   // secant corrections to the start value
  bool bisected = false; // the secant did not settle on its branch
  int halvings = 0;      // of the bisection, when it ran
};

struct Impulse {
  double i, tt, m, area;
};

// Solves the impulse function (m C/gc) sqrt(Tt-T) + (m R/C) T/sqrt(Tt-T) = I
// for T by secant steps from t0 (first step: down by `step`), stopping when
// the residual is below eps. Should the secant stall, run away or leave the
// branch of t0, bisection on that branch. Nothing when the branch holds no
// state of that impulse: the flow is choked.
std::optional<Station> ConstantAreaState(const Gas& gas, const Impulse& target, double t0,
                                         double step, double eps);

// A state of the duct march: its step (0 at the entry) and static values.
struct MarchPoint {
  int step = 0;
  double mach = 0, t = 0, p = 0;
};
inline constexpr int kMarchSample = 25;  // steps between the points kept

struct Result {
  bool choked = false;
  int chokedAt = 0;  // the duct step after which the flow passed Mach 1
  // Where it choked: 3, 4 or 5 for a constant-area state, 6 in the duct
  // (chokedAt steps in, 0 when sonic at the entry); 0 when it did not.
  int chokedStation = 0;
  // The march: its entry, every kMarchSample-th step, and the last step.
  std::vector<MarchPoint> march;
  Station s3{}, s4{}, s5{};
  double tt3 = 0;
  double m6 = 0, t6 = 0, tt6 = 0, p6 = 0, pt6 = 0;
};

// Throws core::Failure when the inputs leave no defined state.
Result Compute(const Inputs& in);

}  // namespace flowmarch
