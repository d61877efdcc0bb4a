#include "flowtables/ts_chart.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <utility>

#include "flowtables/fanno_flow.h"
#include "flowtables/rayleigh_flow.h"
#include "lib/mathfn/mathfn.h"

namespace flowtables {

namespace {

constexpr int kBranchPoints = 150;
constexpr double kHighestMach = 3;

struct Ratios {
  double t, p;
};

// Both branches from the ratio formula of the line, evenly in log M, from
// `lowest` to M = 1 and on to M = 3, each far enough to hold the state.
core::ChartData Line(const std::string& name, const LineState& state, double lowest,
                      const std::function<Ratios(double)>& ratios) {
  core::ChartData chart;
  chart.name = kTsLineChart;
  chart.title = name + " line, γ = " + state.gammaText;
  chart.x = {"(s − s*)/R", false};
  chart.y = {"T/T*", false};
  const double g = state.g;
  auto point = [&](double m) -> core::ChartPoint {
    const Ratios r = ratios(m);
    return std::pair{EntropyRise(g, r.t, r.p), r.t};
  };
  auto branch = [&](double from, double to) {
    std::vector<core::ChartPoint> points;
    const double a = mathfn::log(from), b = mathfn::log(to);
    for (int i = 0; i <= kBranchPoints; ++i) {
      // The ends exactly: the sonic point is shared by both branches.
      const double m = i == 0 ? from : i == kBranchPoints ? to : mathfn::exp(a + (b - a) * i / kBranchPoints);
      points.push_back(point(m));
    }
    return points;
  };
  const bool finite = std::isfinite(state.m) && state.m > 0;
  const double low = finite ? std::min(lowest, state.m) : lowest;
  const double high = finite ? std::max(kHighestMach, state.m) : kHighestMach;
  chart.series.push_back({"Subsonic branch (M < 1)", branch(low, 1)});
  chart.series.push_back({"Supersonic branch (M > 1)", branch(1, high)});
  // A few Mach numbers along the line, to read it by.
  core::ChartSeries ticks("Mach numbers", {}, core::SeriesStyle::Points);
  for (const char* m : {"0.2", "0.4", "0.6", "0.8", "1.5", "2", "2.5", "3"}) {
    const double mach = std::stod(m);
    if (mach < low || mach > high || mach == state.m) continue;  // the state is marked itself
    ticks.points.push_back(point(mach));
    ticks.labels.push_back(std::string("M = ") + m);
  }
  chart.series.push_back(std::move(ticks));
  const auto sonic = *point(1);
  chart.marks.push_back({"Sonic point", sonic.first, sonic.second, "M = 1: largest entropy"});
  if (const auto at = point(state.m)) chart.marks.push_back({"State", at->first, at->second, state.text});
  return chart;
}

}  // namespace

std::string StateText(const std::string& mach, const std::string& t) {
  auto plain = [](std::string text) {
    if (!text.empty() && text.back() == '.') text.pop_back();
    return text;
  };
  return "M = " + plain(mach) + ", T/T* = " + plain(t);
}

double EntropyRise(double g, double t, double p) { return mathfn::log(t) * g / (g - 1) - mathfn::log(p); }

core::ChartData FannoLine(const LineState& state) {
  const FannoConstants k(state.g);
  return Line("Fanno", state, 0.15, [&k](double m) {
    const FannoState s = FannoRatios(m, k);
    return Ratios{s.t, s.p};
  });
}

core::ChartData RayleighLine(const LineState& state) {
  const RayleighConstants k(state.g);
  return Line("Rayleigh", state, 0.3, [&k](double m) {
    const RayleighState s = RayleighRatios(m, k);
    return Ratios{s.t, s.p};
  });
}

}  // namespace flowtables
