#include "lib/engine_maps/map_chart.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "lib/engine_maps/map_tables.h"

namespace engine_maps {
namespace {

using core::ChartData;
using core::ChartPoint;
using core::ChartSeries;
using core::SeriesStyle;

const char* const kCompressorTitle = "Compressor map";
const char* const kTurbineTitle = "Turbine map";

bool Finite(const std::vector<ChartPoint>& points) {
  return std::all_of(points.begin(), points.end(), [](const ChartPoint& p) {
    return p && std::isfinite(p->first) && std::isfinite(p->second);
  });
}

std::string Fixed(double v, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, v);
  return text;
}

std::string Title(const char* title, const MapOverlay& overlay) {
  if (overlay.point || overlay.noPoint.empty()) return title;
  return std::string(title) + " (" + overlay.noPoint + ")";
}

// The speed line through the operating point, in the legend.
std::string MatchedLineName(const char* speed, const MapPoint& p) {
  return std::string(speed) + " = " + p.speedText + " rpm (matched)";
}

core::ChartMark Mark(const char* speed, const MapPoint& p) {
  std::string text = std::string(speed) + " = " + p.speedText + " rpm";
  if (p.surged) text += ", surged";
  return {"Operating point", p.x, p.y, text, p.surged};
}

// The matched speed line, with the matching's own map function, from the
// lower of the surge flow and the matched flow (a surged point lies past the
// surge line, on the line's continuation) to choke.
ChartSeries MatchedCompressorLine(const Compressor& c, const MapPoint& p) {
  const double choke = c.c2 * p.speed;
  const double from = std::min(choke * c.c3, p.x);
  ChartSeries line(MatchedLineName("Nc2", p), {}, SeriesStyle::Dashed);
  for (int k = 0; k <= kChartSteps; ++k) {
    const double mc2 = from + k * (choke - from) / kChartSteps;
    const CompressorPoint at = CompressorAt(c, p.speed, mc2);
    // At choke x is 0; a rounding below it leaves the map.
    line.points.push_back(std::pair{mc2, k == kChartSteps || at.x < 0 ? 1.0 : at.pic});
  }
  return line;
}

// Pressure ratios pt5/pt4 from no flow (1) well into choke (as the printed
// table, to 1/pit = 1.5/pitc, or further when the matched point lies
// beyond), the choking ratio itself among them.
std::vector<double> TurbineRatios(const Turbine& t, const MapOverlay& overlay) {
  const double choke = t.pitc;
  double last = 1 / (1.5 / choke);
  if (overlay.point) last = std::min(last, overlay.point->x);
  std::vector<double> ratios;
  for (int k = 0; k <= kChartSteps; ++k) {
    // Closer together near no flow, where the flow rises steeply.
    const double f = static_cast<double>(k) / kChartSteps;
    const double pit = k == kChartSteps ? last : 1 - f * f * (1 - last);
    if (!ratios.empty() && ratios.back() > choke && pit < choke) ratios.push_back(choke);
    ratios.push_back(pit);
  }
  return ratios;
}

ChartSeries TurbineLine(const Turbine& t, const std::vector<double>& ratios, double nc4,
                        std::string name, SeriesStyle style) {
  ChartSeries line(std::move(name), {}, style);
  for (double pit : ratios) line.points.push_back(std::pair{pit, TurbineFlow(t, pit, nc4)});
  return line;
}

}  // namespace

std::string RpmText(double rpm) {
  const std::string digits = Fixed(std::fabs(rpm), 0);
  std::string text = rpm < 0 && digits != "0" ? "-" : "";
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
    text += digits[i];
  }
  return text;
}

ChartData CompressorMapChart(const Compressor& c, const MapOverlay& overlay) {
  ChartData chart;
  chart.name = "compressor-map";
  chart.title = Title(kCompressorTitle, overlay);
  chart.x = {"Corrected flow mc2 (lbm/s)", false};
  chart.y = {"Pressure ratio pic", false};

  // The speed lines of the printed table, surge to choke, and their
  // efficiencies at a few points.
  const std::array<float, 6> speeds = SpeedSteps(c.nc2d);
  const std::array<float, 6> choke = ChokeFlows(c);
  ChartSeries efficiency("etac", {}, SeriesStyle::Points);
  double surgeLow = HUGE_VAL, surgeHigh = -HUGE_VAL;
  for (int i = 1; i <= 5; ++i) {
    if (!(speeds[i] > 0)) continue;
    // Named on the line, at its choke end, as maps are labelled; the legend
    // keeps room for the rest.
    ChartSeries line("", {});
    line.labels.assign(kChartSteps + 1, "");
    line.labels.back() = RpmText(speeds[i]) + " rpm";
    for (int k = 0; k <= kChartSteps; ++k) {
      const CompressorRow row = CompressorTableRow(c, speeds[i], choke[i], k, kChartSteps);
      if (!std::isfinite(row.mc2) || !std::isfinite(row.pic) || !std::isfinite(row.etac))
        return core::Unavailable(chart.name, kCompressorTitle,
                                 "Compressor map undefined: check c1 to c5, etacd, Nc2d and mu");
      line.points.push_back(std::pair{row.mc2, row.pic});
      if (k % kLabelEvery == 0 && k < kChartSteps) {
        efficiency.points.push_back(line.points.back());
        efficiency.labels.push_back(Fixed(row.etac, 3));
      }
    }
    surgeLow = std::min(surgeLow, line.points.front()->first);
    surgeHigh = std::max(surgeHigh, line.points.front()->first);
    chart.series.push_back(std::move(line));
  }
  if (chart.series.empty())
    return core::Unavailable(chart.name, kCompressorTitle,
                             "No speed line of the map is above 0 rpm: check Nc2d");

  if (overlay.point) {
    surgeLow = std::min(surgeLow, overlay.point->x);
    surgeHigh = std::max(surgeHigh, overlay.point->x);
  }
  chart.series.push_back({"Surge line",
                          {std::pair{surgeLow, SurgePressureRatio(c, surgeLow)},
                           std::pair{surgeHigh, SurgePressureRatio(c, surgeHigh)}},
                          SeriesStyle::Dashed});
  if (overlay.point) chart.series.push_back(MatchedCompressorLine(c, *overlay.point));
  chart.series.push_back(std::move(efficiency));
  if (!overlay.running.empty())
    chart.series.push_back({"Running line", overlay.running, SeriesStyle::Points});
  if (overlay.point) chart.marks.push_back(Mark("Nc2", *overlay.point));
  return chart;
}

ChartData TurbineMapChart(const Turbine& t, const MapOverlay& overlay) {
  ChartData chart;
  chart.name = "turbine-map";
  chart.title = Title(kTurbineTitle, overlay);
  chart.x = {"Pressure ratio pit = pt5/pt4", false};
  chart.y = {"Corrected flow mc4 (lbm/s)", false};
  const char* undefined = "Turbine map undefined: check pitc, mc4c, Nc4d, etatd, k1 and k2";
  if (!(t.pitc > 0 && t.pitc < 1))
    return core::Unavailable(chart.name, kTurbineTitle,
                             "The turbine chokes at pitc, a ratio between 0 and 1: check pitc");

  const std::vector<double> ratios = TurbineRatios(t, overlay);
  const std::array<float, 6> speeds = SpeedSteps(t.nc4d);
  for (int i = 1; i <= 5; ++i) {
    if (!(speeds[i] > 0)) continue;
    ChartSeries line = TurbineLine(t, ratios, speeds[i], "Nc4 = " + RpmText(speeds[i]) + " rpm",
                                   SeriesStyle::Line);
    if (!Finite(line.points)) return core::Unavailable(chart.name, kTurbineTitle, undefined);
    chart.series.push_back(std::move(line));
  }
  if (chart.series.empty())
    return core::Unavailable(chart.name, kTurbineTitle,
                             "No speed line of the map is above 0 rpm: check Nc4d");
  if (overlay.point) {
    chart.series.push_back(TurbineLine(t, ratios, overlay.point->speed, MatchedLineName("Nc4", *overlay.point),
                                       SeriesStyle::Dashed));
    MapPoint turbine = *overlay.point;
    turbine.surged = false;  // surge is the compressor's
    chart.marks.push_back(Mark("Nc4", turbine));
  }
  return chart;
}

}  // namespace engine_maps
