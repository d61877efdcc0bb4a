#include "ringflow/profile_chart.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "core/printline.h"

namespace ringflow {

namespace {

// Station j of the computation is number j − 1 in the print file (Dia0,
// Ca0 at the IGV entrance): the chart numbers them alike.
std::string StationNumber(int j) { return std::to_string(j - 1); }

// The name of station j as the print file heads its table.
std::string StationName(int j) {
  if (j == 1) return "IGV entrance";
  if (j == 2) return "IGV exit";
  // Rotors end at the odd stations, stators at the even ones.
  const std::string stage = std::to_string((j - 1) / 2);
  return (j % 2 == 1 ? "rotor " : "stator ") + stage + " exit";
}

// A number as the print file writes it, without its spacing.
std::string Printed(double v) {
  std::string text = core::PrintLine().num(static_cast<float>(v)).str();
  const size_t from = text.find_first_not_of(' '), to = text.find_last_not_of(' ');
  return from == std::string::npos ? std::string() : text.substr(from, to - from + 1);
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
    chart.title += (j > 1 ? ", " : " ") + StationNumber(j) + " " + StationName(j);
  if (stations > 4) chart.title += ", even rotor and odd stator exits";
  if (s.failed) chart.title += "; did not converge at station " + std::to_string(s.failed);
  chart.x = {"Radius (ft)", false};
  chart.y = {"Axial velocity Ca (ft/s)", false};
  chart.y2 = core::ChartAxis{"Absolute flow angle α (deg)", false};
  // The same numbers to read and copy (and to sweep: the window shows none
  // of its own), annulus 1 at the hub.
  chart.table.push_back({"Station", "Annulus", "Ca (ft/s)", "α (deg)", "Radius (ft)"});

  for (int j = 1; j <= stations; ++j) {
    // The mid-span of each stream tube, hub to tip.
    std::vector<core::ChartPoint> ca, alpha;
    for (int i = 1; i <= annuli; ++i) {
      const double r = s.dmid[j][i] / 2;
      ca.push_back(std::pair{r, s.ca[j][i]});
      alpha.push_back(std::pair{r, s.alpha[j][i] * kRad});
    }
    const std::string station = StationNumber(j);
    for (int i = 1; i <= annuli; ++i)
      chart.table.push_back({station, std::to_string(i), Printed(ca[i - 1]->second), Printed(alpha[i - 1]->second),
                             Printed(ca[i - 1]->first)});
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
        name += ", " + StationNumber(static_cast<int>(e / 2) + 1);
        top = e;
      }
    if (!chart.series[top].labels.empty()) chart.series[top].labels.front() = name;
  }
  return chart;
}

}  // namespace ringflow
