#include "shaftdeck/ts_chart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "core/testing/driver.h"
#include "lib/cycle_charts/cycle_chart_checks.h"
#include "shaftdeck/shaftdeck_window.h"

namespace shaftdeck {
namespace {

// The window as a person drives it, and what its calculation stored.
struct Window : core::testing::Driven<Shaftdeck> {
  // Temperature and pressure of a station as the calculation stored them.
  std::pair<float, float> Stored(const std::string& number) const {
    const CycleResult& r = form.last();
    const CycleInputs& in = form.fixedInputs();
    const std::map<std::string, std::pair<float, float>> stored = {
        {"0", {in.t0, r.pt0}},    {"2", {r.tt2, r.pt2}},  {"3", {r.tt3, r.pt3}},
        {"3x", {r.tt3x, r.pt3x}}, {"4", {in.tt4, r.pt4}}, {"5", {r.tt5, r.pt5}},
        {"5x", {r.tt5x, r.pt5x}},
    };
    return stored.at(number);
  }
};

using cycle_charts::checks::Component;
const auto Mark = cycle_charts::checks::StationMark;

struct Setting {
  const char* what;
  std::vector<std::pair<const char*, const char*>> selects;
  std::vector<std::string> stations;
  std::vector<Component> real;   // entropy rises: losses, heat added
  std::vector<Component> ideal;  // entropy stays: no loss
};

TEST(PowerCycleCharts, StationsAndEntropyFollowTheCycle) {
  const Setting settings[] = {
      {"default, cp varying",
       {},
       {"0", "2", "3", "4", "5"},
       {{"0", "2"}, {"2", "3"}, {"3", "4"}, {"4", "5"}},
       {}},
      {"constant cp",
       {{"lstIGC", "y"}},
       {"0", "2", "3", "4", "5"},
       {{"0", "2"}, {"2", "3"}, {"3", "4"}, {"4", "5"}},
       {}},
      {"regenerator",
       {{"lstIRG", "y"}},
       {"0", "2", "3", "3x", "4", "5", "5x"},
       {{"0", "2"}, {"2", "3"}, {"3", "3x"}, {"3x", "4"}, {"4", "5"}},
       {}},
      {"ideal",
       {{"lstIR", "I"}},
       {"0", "2", "3", "4", "5"},
       {{"3", "4"}},
       {{"0", "2"}, {"2", "3"}, {"4", "5"}}},
      // Here the exhaust is colder than the compressed air: the regenerator
      // cools the air (the window warns), so 3 to 3x is not a rise.
      {"ideal with regenerator",
       {{"lstIR", "I"}, {"lstIRG", "y"}},
       {"0", "2", "3", "3x", "4", "5", "5x"},
       {{"3x", "4"}},
       {{"0", "2"}, {"2", "3"}, {"4", "5"}}},
  };
  for (const Setting& setting : settings) {
    SCOPED_TRACE(setting.what);
    Window w;
    for (const auto& [list, item] : setting.selects) w.Select(list, item);
    w.Calculate();
    ASSERT_FALSE(w.form.lblError->visible()) << w.form.lblError->caption();
    const core::ChartData ts = w.form.Chart("ts-diagram");
    const core::ChartData table = w.form.Chart("stations");
    ASSERT_TRUE(ts.available()) << ts.unavailable;
    ASSERT_TRUE(table.available()) << table.unavailable;

    cycle_charts::checks::ExpectStationsAsStored(
        ts, table, setting.stations, [&w](const std::string& number) { return w.Stored(number); });
    cycle_charts::checks::ExpectEntropyAlong(ts, setting.real, setting.ideal);

    // The burner exit and turbine exhaust pressures as curves through
    // their stations.
    std::vector<std::string> through;
    for (const core::ChartSeries& series : ts.series) {
      if (series.style != core::SeriesStyle::Dashed) continue;
      for (const char* number : {"4", "5"}) {
        const core::ChartMark* m = Mark(ts, number);
        for (const core::ChartPoint& point : series.points)
          if (point && point->first == m->x && point->second == m->y) through.push_back(number);
      }
    }
    EXPECT_EQ(through, (std::vector<std::string>{"4", "5"}));
  }
}

TEST(PowerCycleCharts, UnavailableWithoutAComputedCycle) {
  struct Case {
    const char *box, *text, *why;
  };
  for (const Case& c :
       {Case{"txttt4", "-5",
             "The last calculation failed: Burner exit temperature (R) must be above zero"},
        Case{"txtett", "x", "The last calculation failed: Turbine efficiency"}}) {
    SCOPED_TRACE(c.box);
    Window w;
    EXPECT_EQ(w.form.Chart("ts-diagram").unavailable, "Press Calculate to compute the cycle");
    w.Calculate();
    ASSERT_TRUE(w.form.Chart("stations").available());
    w.Type(c.box, c.text);
    w.Calculate();
    for (const char* name : {"ts-diagram", "stations"}) {
      const core::ChartData chart = w.form.Chart(name);
      EXPECT_EQ(chart.unavailable.rfind(c.why, 0), 0u) << name << ": " << chart.unavailable;
      EXPECT_TRUE(chart.marks.empty() && chart.table.empty()) << name;
    }
    // The message stays once the window has moved on.
    w.Select("lstIGC", "y");
    EXPECT_EQ(w.form.Chart("ts-diagram").unavailable.rfind("The last calculation failed", 0), 0u);
  }
}

// Whatever is typed, a chart either draws finite numbers or says why not.
TEST(PowerCycleCharts, OddInputsGiveFiniteChartsOrReasons) {
  cycle_charts::checks::ExpectOddInputsGiveFiniteChartsOrReasons<Shaftdeck>(
      {"txtpic", "txttt4", "txtetc", "txtett", "txtgmcn", "txtetd", "txtpin", "txtetrg", "txtpirg5",
       "txtalt"},
      {{"lstIRG", "y"}}, [](const Shaftdeck& form) { return !form.lblError->visible(); });
}

}  // namespace
}  // namespace shaftdeck
