#include "lib/cycle_charts/cycle_chart.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "lib/gas/gas_properties.h"
#include "lib/mathfn/mathfn.h"

namespace cycle_charts {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Degrees of the span per Simpson interval, and a bound on the intervals: cp/T is so
// smooth that 8 degR intervals leave the integral exact to about 1e-9
// BTU/(lbm·degR), far below what a chart shows.
constexpr double kDegreesPerInterval = 8;
constexpr int kMaxIntervals = 4000;

bool Usable(double t) { return t > 0 && std::isfinite(t); }

std::string Short(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4g", value);
  return text;
}

}  // namespace

double EntropyRule::HeatIntegral(double t1, double t2) const {
  if (!Usable(t1) || !Usable(t2)) return kNaN;
  if (!cp) return constantCp * mathfn::log(t2 / t1);
  if (t1 == t2) return 0;
  // Composite Simpson rule over an even number of intervals.
  const double span = std::fabs(t2 - t1);
  int n = 2 * static_cast<int>(std::ceil(span / kDegreesPerInterval / 2));
  n = std::clamp(n, 2, kMaxIntervals);
  const double h = (t2 - t1) / n;
  double sum = cp(t1) / t1 + cp(t2) / t2;
  for (int i = 1; i < n; ++i) {
    const double t = t1 + i * h;
    sum += (i % 2 ? 4 : 2) * cp(t) / t;
  }
  return sum * h / 3;
}

double EntropyRule::Rise(double t1, double p1, double t2, double p2) const {
  if (!Usable(p1) || !Usable(p2)) return kNaN;
  return HeatIntegral(t1, t2) - gas::kGasConstantBtu * mathfn::log(p2 / p1);
}

std::vector<double> StationEntropies(const CycleDiagram& d) {
  std::vector<double> s;
  if (d.stations.empty()) return s;
  const CycleStation& ref = d.stations.front();
  for (const CycleStation& st : d.stations) s.push_back(d.rule.Rise(ref.t, ref.p, st.t, st.p));
  return s;
}

core::ChartData TsDiagramChart(const CycleDiagram& d) {
  const std::string name = "ts-diagram";
  const std::string title = "T-s diagram of the cycle (" + d.detail + ")";
  const std::vector<double> s = StationEntropies(d);
  for (size_t i = 0; i < s.size(); ++i)
    if (!std::isfinite(s[i]))
      return core::Unavailable(name, title,
                               "Station " + d.stations[i].number +
                                   " has a temperature or pressure at or below zero (or beyond "
                                   "any number): it has no entropy to draw");
  if (s.empty()) return core::Unavailable(name, title, "The cycle has no stations");

  core::ChartData chart;
  chart.name = name;
  chart.title = title;
  chart.x = {"s − s" + d.stations.front().number + " (BTU/lbm-R)", false};
  chart.y = {d.temperatureAxis, false};

  auto index = [&](const std::string& number) -> int {
    for (size_t i = 0; i < d.stations.size(); ++i)
      if (d.stations[i].number == number) return static_cast<int>(i);
    return -1;
  };
  for (const CyclePath& path : d.paths) {
    core::ChartSeries series;
    series.name = path.name;
    for (const std::string& number : path.stations) {
      const int i = index(number);
      if (i < 0) continue;
      series.points.push_back(std::pair{s[i], static_cast<double>(d.stations[i].t)});
    }
    chart.series.push_back(std::move(series));
  }

  // Each constant-pressure curve goes through its station exactly and is
  // drawn over the cycle's temperatures, as far as it stays within the
  // cycle's entropies (with a margin), so that the cycle fills the drawing.
  float lowest = d.stations.front().t, highest = lowest;
  for (const CycleStation& st : d.stations) {
    lowest = std::min(lowest, st.t);
    highest = std::max(highest, st.t);
  }
  const double tLow = 0.9 * lowest, tHigh = 1.05 * highest;
  const auto [sMin, sMax] = std::minmax_element(s.begin(), s.end());
  const double margin = std::max(0.1 * (*sMax - *sMin), 0.01);
  const double sLow = *sMin - margin, sHigh = *sMax + margin;
  for (const auto& [number, label] : d.isobars) {
    const int i = index(number);
    if (i < 0) continue;
    const CycleStation& st = d.stations[i];
    core::ChartSeries curve;
    curve.name = label + " " + Short(st.p) + " psia";
    curve.style = core::SeriesStyle::Dashed;
    bool stationDrawn = false;
    for (int k = 0; k < kIsobarPoints; ++k) {
      const double t = tLow * mathfn::pow(tHigh / tLow, static_cast<double>(k) / (kIsobarPoints - 1));
      if (!stationDrawn && t >= st.t) {
        curve.points.push_back(std::pair{s[i], static_cast<double>(st.t)});
        stationDrawn = true;
        if (t == st.t) continue;
      }
      const double x = s[i] + d.rule.HeatIntegral(st.t, t);
      if (x >= sLow && x <= sHigh) curve.points.push_back(std::pair{x, t});
    }
    chart.series.push_back(std::move(curve));
  }

  for (size_t i = 0; i < d.stations.size(); ++i) {
    const CycleStation& st = d.stations[i];
    chart.marks.push_back({"Station " + st.number + ", " + st.name, s[i], static_cast<double>(st.t),
                           st.number + " " + st.label});
  }
  return chart;
}

std::vector<const CycleStation*> InStationOrder(const std::vector<CycleStation>& stations) {
  std::vector<const CycleStation*> order;
  for (const CycleStation& st : stations) order.push_back(&st);
  // By the number a station begins with ("5.5" between 5 and 6); a letter
  // after it ("3x") keeps it after its plain number, in the cycle's order.
  auto key = [](const CycleStation* st) { return std::strtod(st->number.c_str(), nullptr); };
  std::stable_sort(order.begin(), order.end(), [&](const CycleStation* a, const CycleStation* b) {
    return key(a) < key(b);
  });
  return order;
}

core::ChartData StationsChart(const CycleDiagram& d) {
  core::ChartData chart;
  chart.name = "stations";
  chart.title = "Stations of the cycle";
  chart.table.push_back({"Station", "Name", d.temperatureHeading, d.pressureHeading});
  for (const CycleStation* st : InStationOrder(d.stations))
    chart.table.push_back({st->number, st->name, SingleText(st->t), SingleText(st->p)});
  return chart;
}

std::string SingleText(float value) {
  if (!std::isfinite(value))
    return std::isnan(value) ? "NaN" : value > 0 ? "Infinity" : "-Infinity";
  // The fewest decimals that read back as the same Single (the smallest
  // Singles need some 50).
  char text[96];
  for (int decimals = 0; decimals <= 60; ++decimals) {
    std::snprintf(text, sizeof text, "%.*f", decimals, static_cast<double>(value));
    if (std::strtof(text, nullptr) == value) return text;
  }
  std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
  return text;
}

const char* CycleChartTitle(const std::string& name) {
  return name == "ts-diagram" ? "T-s diagram of the cycle"
         : name == "stations" ? "Stations of the cycle"
                              : nullptr;
}

core::ChartData CycleChart(const std::string& name, const CycleDiagram& diagram) {
  return name == "ts-diagram" ? TsDiagramChart(diagram) : StationsChart(diagram);
}

std::string CalculationFailed(const std::string& failure) {
  return "The last calculation failed" + (failure.empty() ? std::string() : ": " + failure);
}

}  // namespace cycle_charts
