// The shock polar of the window: turning against shock angle for its Mach
// number and γ (weak and strong branches, the maximum turning), or the
// shock angle against the cone angle for cones, with the computed solution.
#pragma once

#include <string>

#include "core/chart.h"
#include "shock/shock_flow.h"

namespace shock {

enum class ShockType { Normal = 0, Weak = 1, Strong = 2, Conical = 3 };

// One computation of the window: what it was asked and what it found.
struct ShockSolution {
  ShockType type = ShockType::Normal;
  float m1 = 0, g = 0;
  float asked = 0;        // the turning or cone angle typed, degrees
  float dl = 0;           // the turning used (at most the maximum), degrees
  ShockState s;
  bool detached = false;  // a cone without an attached solution
};

inline constexpr const char* kPolarChart = "polar";

// The cone curve alone: shock angle (y) against cone angle (x), degrees,
// the attached branch up to the largest cone and the strong one beyond.
struct ConeCurve {
  std::vector<core::ChartPoint> attached, strong;
  double largestCone = 0, largestConeShock = 0;  // degrees; 0 when none found
};
ConeCurve ConeShockCurve(float m1, float g);

// The chart of a solution; for a cone, from its curve (computed when not
// given: some tens of milliseconds).
core::ChartData PolarChart(const ShockSolution& solution, const ConeCurve* cone = nullptr);

}  // namespace shock
