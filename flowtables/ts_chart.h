// The Fanno and Rayleigh lines in the T/T* against (s − s*)/R plane, both
// branches, the sonic point at the largest entropy and a marked state.
#pragma once

#include <string>

#include "core/chart.h"

namespace flowtables {

inline constexpr const char* kTsLineChart = "ts-line";

// The state of a single-value computation to mark.
struct LineState {
  float g = 0;
  double m = 0;              // the Mach number computed or typed
  std::string gammaText;     // γ as the window shows it
  std::string text;          // beside the mark: its Mach number and T/T*
};

// "M = 0.5, T/T* = 1.1429" from the texts the window shows ("1." as "1").
std::string StateText(const std::string& mach, const std::string& t);

// (s − s*)/R of a state from its ratios to the sonic state.
double EntropyRise(double g, double t, double p);

core::ChartData FannoLine(const LineState& state);
core::ChartData RayleighLine(const LineState& state);

}  // namespace flowtables
