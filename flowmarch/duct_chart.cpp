#include "flowmarch/duct_chart.h"

#include <cstdio>
#include <string>

namespace flowmarch {

namespace {

std::string Fixed(double v, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, v);
  return text;
}

const char* kTitle = "Along the duct";

}  // namespace

core::ChartData DuctChart(const Result& r) {
  static const char* const kWhere[] = {"", "", "", "station 3 (the mixed streams)",
                                       "station 4 (after the mixer)", "station 5 (after the flameholder)"};
  if (r.choked && r.chokedStation >= 3 && r.chokedStation <= 5)
    return core::Unavailable(kDuctChart, kTitle,
                              std::string("The flow chokes at ") + kWhere[r.chokedStation] +
                                  ", before the duct: there is no march to draw");
  if (r.march.empty()) return core::Unavailable(kDuctChart, kTitle, "The march made no steps");

  core::ChartData chart;
  chart.name = kDuctChart;
  chart.title = "Along the duct: Mach number, static temperature and pressure";
  chart.x = {"Position along the duct x/L (station 5 to station 6)", false};
  chart.y = {"Mach number", false};
  chart.y2 = core::ChartAxis{"Static T/T5 and p/p5 (duct entry = 1)", false};
  const MarchPoint& entry = r.march.front();
  std::vector<core::ChartPoint> mach, t, p;
  for (const MarchPoint& m : r.march) {
    const double x = static_cast<double>(m.step) / kSteps;
    mach.emplace_back(std::pair{x, m.mach});
    t.emplace_back(std::pair{x, m.t / entry.t});
    p.emplace_back(std::pair{x, m.p / entry.p});
  }
  chart.series.push_back({"Mach number", mach});
  chart.series.push_back({"Static temperature T/T5", t, core::SeriesStyle::Line, true});
  chart.series.push_back({"Static pressure p/p5", p, core::SeriesStyle::Line, true});
  chart.series.push_back({"Sonic (M = 1)", {std::pair{0.0, 1.0}, std::pair{1.0, 1.0}}, core::SeriesStyle::Dashed});

  chart.marks.push_back({"Station 5", 0, entry.mach, "Station 5 (entry), M = " + Fixed(r.s5.mach, 4)});
  const MarchPoint& last = r.march.back();
  const double x = static_cast<double>(last.step) / kSteps;
  if (r.choked) {
    chart.marks.push_back({"Chokes", x, last.mach,
                           "Chokes: M = 1 at x/L = " + Fixed(x, 4) + " (step " + std::to_string(last.step) + ")",
                           true});
  } else {
    chart.marks.push_back({"Station 6", x, last.mach, "Station 6 (exit), M = " + Fixed(r.m6, 4)});
  }

  // The stations for reading and copying.
  chart.table = {{"Station", "Mach number", "Static temperature (deg R)", "Static pressure (psia)",
                  "Total pressure (psia)"}};
  const Station* stations[] = {&r.s3, &r.s4, &r.s5};
  for (int i = 0; i < 3; ++i) {
    const Station& s = *stations[i];
    chart.table.push_back({std::to_string(i + 3), Fixed(s.mach, 4), Fixed(s.t, 0), Fixed(s.p, 2), Fixed(s.pt, 2)});
  }
  if (r.choked)
    chart.table.push_back({"6", "choked", "", "", ""});
  else
    chart.table.push_back({"6", Fixed(r.m6, 4), Fixed(r.t6, 0), Fixed(r.p6, 2), Fixed(r.pt6, 2)});
  return chart;
}

}  // namespace flowmarch
