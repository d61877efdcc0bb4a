// Flow behind a shock in a perfect gas: the normal shock, the weak and strong
// oblique planar shock, and the attached shock on a cone (Taylor–Maccoll).
#pragma once

#include <optional>

namespace shock {

inline constexpr double kDegrees = 57.2957795;  // degrees per radian

struct ShockState {
  double m2 = 0;     // Mach number behind the shock (on the cone surface)
  double p21 = 0;    // p2/p1
  double pt21 = 0;   // pt2/pt1
  double angle = 0;  // shock angle, degrees
  double dmax = 0;   // maximum turning for M1, degrees (oblique only)
};

// Needs γ > 1 and M1 ≥ 1 (the caller checks).
ShockState NormalShock(float m1, float g);

struct ObliqueShockState : ShockState {
  float dl = 0;  // the turning angle used: at most the maximum turning
};

// The weak or strong solution for a turning angle in degrees; γ > 1, M1 > 1.
// At most `passes` passes of the damped Newton iteration are run.
ObliqueShockState ObliqueShock(float m1, float g, float dl, bool strong);
ObliqueShockState ObliqueShock(float m1, float g, float dl, bool strong, long passes);
// The iteration moves by 1/M1³ of its Newton step, so settling takes about
// 16·M1³ passes (128,000 at M1 = 20, some 0.1 s with the sanitizers, and a
// frozen window not far above). Where the bound is reached, the point where
// the passes would stop (the first angle on the way to the root whose step
// is within tolerance) is found by bisection: the same digits from M1 = 10 on.
inline constexpr long kNewtonBound = 200'000;

// The shock angle, radians, at which an oblique shock turns the flow most.
double MaxTurningShockAngle(float m1, float g);
// The turning, degrees, of the oblique shock at beta (radians): the relation
// the solver inverts, with its Single normal Mach numbers.
double TurningAngle(float m1, float g, double beta);

// The first guess of the cone shock angle, degrees: the Mach angle plus the
// cone angle (a tenth of it below 10 degrees).
double ConeFirstGuess(float m1, float dl);

// The cone of half-angle dl (degrees) from a first guess eps0 (degrees);
// nothing when the shock detaches or the search does not settle.
std::optional<ShockState> ConicalShock(float m1, float g, float dl, float eps0);
inline constexpr int kStepSearchBound = 100;
// The half-angle (degrees) of the cone whose shock stands at eps (degrees),
// by the fine march toward the axis that the solver's bisection uses; each
// step taken is counted off budget. Nothing when the flow behind reaches no
// cone or the budget runs out.
std::optional<double> ConeOfShock(float m1, float g, double eps, long& budget);  // secant passes on the last step
// Integration steps of the bisection on the shock angle, all its cones
// together: attached cones take up to about 170,000 (γ 1.01 to 3, M1 1.0001
// to 100); past the budget the search reports no solution.
inline constexpr long kConeStepBudget = 200'000;

}  // namespace shock
