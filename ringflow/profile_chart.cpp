#include "ringflow/profile_chart.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace ringflow {

namespace {

// The name of station j as the print file heads its table.
std::string StationName(int j) {
  if (j == 1) return "IGV entrance";
  if (j == 2) return "IGV exit";
  // Rotors end at the odd stations, stators at the even ones.
  const std::string stage = std::to_string((j - 1) / 2);
  return (j % 2 == 1 ? "rotor " : "stator ") + stage + " exit";
}

// Whether two curves lie on each other (to a part in a billion).
bool Alike(const std::vector<core::ChartPoint>& a, const std::vector<core::ChartPoint>& b) {
  if (a.size() != b.size()) return false;
  auto near = [](double x, double y) { return std::fabs(x - y) <= 1e-9 * std::max(std::fabs(x), std::fabs(y)); };
  for (size_t i = 0; i < a.size(); ++i)
    if (!a[i] || !b[i] || !near(a[i]->first, b[i]->first) || !near(a[i]->second, b[i]->second))
      return false;
  return true;
}

}  // namespace

core::ChartData RadialProfiles(const Solution& s) {
  const int stations = std::clamp(s.solved, 1, kMaxStations);
  const int annuli = std::clamp(s.nan, 1, kMaxAnnuli);
  core::ChartData chart;
  chart.name = kRadialProfiles;
  // Short curve names keep the legend whole; the title says what the
  // station numbers stand for.
  chart.title = "Radial profiles:";
  for (int j = 1; j <= std::min(stations, 4); ++j)
    chart.title += (j > 1 ? ", " : " ") + std::to_string(j) + " " + StationName(j);
  if (stations > 4) chart.title += ", odd rotor and even stator exits";
  if (s.failed) chart.title += "; did not converge at station " + std::to_string(s.failed);
  chart.x = {"Radius (ft)", false};
  chart.y = {"Axial velocity Ca (ft/s)", false};
  chart.y2 = core::ChartAxis{"Absolute flow angle α (deg)", false};

  for (int j = 1; j <= stations; ++j) {
    // The mid-span of each stream tube, hub to tip.
    std::vector<core::ChartPoint> ca, alpha;
    for (int i = 1; i <= annuli; ++i) {
      const double r = s.dmid[j][i] / 2;
      ca.push_back(std::pair{r, s.ca[j][i]});
      alpha.push_back(std::pair{r, s.alpha[j][i] * kRad});
    }
    const std::string station = std::to_string(j);
    chart.series.emplace_back("Ca " + station, std::move(ca));
    chart.series.emplace_back("α " + station, std::move(alpha), core::SeriesStyle::Dashed, true);
  }
  // Each curve is named at its hub end too, for when the legend runs short;
  // curves that lie on each other (repeating stages) share one name, put
  // on the one drawn last, on top.
  const size_t count = chart.series.size();
  std::vector<size_t> group(count);
  for (size_t k = 0; k < count; ++k) {
    group[k] = k;
    for (size_t e = k % 2; e < k && group[k] == k; e += 2)
      if (Alike(chart.series[e].points, chart.series[k].points)) group[k] = group[e];
  }
  for (core::ChartSeries& curve : chart.series) curve.labels.assign(curve.points.size(), "");
  for (size_t k = 0; k < count; ++k) {
    if (group[k] != k) continue;
    std::string name = chart.series[k].name;
    size_t top = k;
    for (size_t e = k + 1; e < count; ++e)
      if (group[e] == k) {
        name += ", " + std::to_string(e / 2 + 1);
        top = e;
      }
    if (!chart.series[top].labels.empty()) chart.series[top].labels.front() = name;
  }
  return chart;
}

}  // namespace ringflow
