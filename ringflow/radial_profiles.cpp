#include "ringflow/radial_profiles.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace ringflow {

std::string StationName(int j) {
  if (j == 1) return "IGV entrance";
  if (j == 2) return "IGV exit";
  // Rotors end at the odd stations, stators at the even ones.
  const std::string stage = std::to_string((j - 1) / 2);
  return (j % 2 == 1 ? "rotor " : "stator ") + stage + " exit";
}

frame::ChartData RadialProfiles(const Solution& s) {
  frame::ChartData chart;
  chart.name = kRadialProfiles;
  chart.title = "Radial profiles";
  if (s.failed)
    chart.title += " (did not converge at station " + std::to_string(s.failed) +
                   ": the stations before it)";
  chart.x = {"Radius (ft)", false};
  chart.y = {"Axial velocity Ca (ft/s)", false};
  chart.y2 = frame::ChartAxis{"Absolute flow angle α (deg)", false};

  const int stations = std::clamp(s.solved, 1, kMaxStations);
  const int annuli = std::clamp(s.nan, 1, kMaxAnnuli);
  for (int j = 1; j <= stations; ++j) {
    // The mid-span of each stream tube, hub to tip.
    std::vector<frame::ChartPoint> ca, alpha;
    for (int i = 1; i <= annuli; ++i) {
      const double r = s.dmid[j][i] / 2;
      ca.push_back(std::pair{r, s.ca[j][i]});
      alpha.push_back(std::pair{r, s.alpha[j][i] * kRad});
    }
    const std::string station = "station " + std::to_string(j) + " (" + StationName(j) + ")";
    chart.series.emplace_back("Ca, " + station, std::move(ca));
    chart.series.emplace_back("α, " + station, std::move(alpha), frame::SeriesStyle::Dashed,
                              true);
  }
  return chart;
}

}  // namespace ringflow
