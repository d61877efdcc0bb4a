#include "thrustdeck/ts_chart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "core/testing/driver.h"
#include "lib/cycle_charts/cycle_chart_checks.h"
#include "thrustdeck/thrustdeck_window.h"

namespace thrustdeck {
namespace {

// --- the charts of the window ---

// The window as a person drives it.
using Window = core::testing::Driven<JetCycle>;

// Temperature and pressure of a station, as the cycle stored them.
struct Stored {
  float CycleState::*t;
  float CycleState::*p;
};
const std::map<std::string, Stored> kStored = {
    {"0", {&CycleState::tt0, &CycleState::pt0}},
    {"2", {&CycleState::tt2, &CycleState::pt2}},
    {"3", {&CycleState::tt3, &CycleState::pt3}},
    {"4", {&CycleState::tt4, &CycleState::pt4}},
    {"5", {&CycleState::tt5, &CycleState::pt5}},
    {"5.5", {&CycleState::tt55, &CycleState::pt55}},
    {"6", {&CycleState::tt6, &CycleState::pt6}},
    {"7", {&CycleState::tt7, &CycleState::pt7}},
    {"7.5", {&CycleState::tt75, &CycleState::pt75}},
    {"8", {&CycleState::t8, &CycleState::p8}},
    {"9", {&CycleState::t9, &CycleState::p9}},
};

using cycle_charts::checks::Component;
const auto Mark = cycle_charts::checks::StationMark;

struct Setting {
  const char* what;
  std::vector<std::pair<const char*, const char*>> selects, types;
  std::vector<std::string> stations;  // in the table's order
  // Entropy rises through these (losses, heat added) ...
  std::vector<Component> real;
  // ... and stays through these (no loss).
  std::vector<Component> ideal;
};

const std::vector<Setting>& Settings() {
  static const std::vector<Setting> settings = {
      {"default turbofan, cp varying",
       {},
       {},
       {"0", "2", "3", "4", "5", "8", "7", "9"},
       {{"0", "2"}, {"2", "3"}, {"3", "4"}, {"4", "5"}, {"5", "8"}, {"2", "7"}, {"7", "9"}},
       {}},
      {"constant cp",
       {{"lstIGC", "y"}},
       {},
       {"0", "2", "3", "4", "5", "8", "7", "9"},
       {{"0", "2"}, {"2", "3"}, {"3", "4"}, {"4", "5"}, {"5", "8"}, {"2", "7"}, {"7", "9"}},
       {}},
      {"turbojet with afterburner",
       {{"lstetyp", "Turbojet"}, {"lstIAB", "y"}},
       {},
       {"0", "2", "3", "4", "5", "6", "8"},
       {{"0", "2"}, {"2", "3"}, {"3", "4"}, {"4", "5"}, {"5", "6"}, {"6", "8"}},
       {}},
      {"mixed turbofan with afterburner",
       {{"lstmixexh", "Fully Mixed"}, {"lstIAB", "y"}},
       {},
       {"0", "2", "3", "4", "5", "5.5", "6", "8", "7", "7.5"},
       {{"0", "2"}, {"2", "3"}, {"3", "4"}, {"4", "5"}, {"5.5", "6"}, {"6", "8"}, {"2", "7"}},
       {}},
      {"ideal turbofan",
       {{"lstIR", "I"}},
       {},
       {"0", "2", "3", "4", "5", "8", "7", "9"},
       {{"3", "4"}},
       {{"0", "2"}, {"2", "3"}, {"4", "5"}, {"5", "8"}, {"2", "7"}, {"7", "9"}}},
      {"ideal turbojet with afterburner",
       {{"lstIR", "I"}, {"lstetyp", "Turbojet"}, {"lstIAB", "y"}},
       {},
       {"0", "2", "3", "4", "5", "6", "8"},
       {{"3", "4"}, {"5", "6"}},
       {{"0", "2"}, {"2", "3"}, {"4", "5"}, {"6", "8"}}},
      {"real but lossless, constant cp, choked nozzles",
       {{"lstIGC", "y"}, {"lstIAB", "y"}},
       {{"txtetd", "1"},
        {"txtetc", "1"},
        {"txtpib", "1"},
        {"txtett", "1"},
        {"txtetn", "1"},
        {"txtetf", "1"},
        {"txtetfn", "1"},
        {"txtpiab", "1"}},
       {"0", "2", "3", "4", "5", "6", "8", "7", "9"},
       {{"3", "4"}, {"5", "6"}},
       {{"0", "2"}, {"2", "3"}, {"4", "5"}, {"6", "8"}, {"2", "7"}, {"7", "9"}}},
      {"ramjet",
       {{"lstetyp", "Ramjet"}},
       {},
       {"0", "2", "4", "8"},
       {{"0", "2"}, {"2", "4"}, {"4", "8"}},
       {}},
  };
  return settings;
}

TEST(JetCycleCharts, StationsAndEntropyFollowTheCycle) {
  for (const Setting& setting : Settings()) {
    SCOPED_TRACE(setting.what);
    Window w;
    for (const auto& [list, item] : setting.selects) w.Select(list, item);
    for (const auto& [box, text] : setting.types) w.Type(box, text);
    w.Calculate();
    ASSERT_FALSE(w.form.lblError->visible()) << w.form.lblError->caption();
    const CycleState& s = w.form.state();
    const core::ChartData ts = w.form.Chart("ts-diagram");
    const core::ChartData table = w.form.Chart("stations");
    ASSERT_TRUE(ts.available()) << ts.unavailable;
    ASSERT_TRUE(table.available()) << table.unavailable;

    // Every station marked at the cycle's temperature (entropy from the free
    // stream); the table holds the cycle's digits.
    cycle_charts::checks::ExpectStationsAsStored(ts, table, setting.stations,
                                                 [&s](const std::string& number) {
                                                   const Stored& stored = kStored.at(number);
                                                   return std::pair{s.*stored.t, s.*stored.p};
                                                 });
    cycle_charts::checks::ExpectEntropyAlong(ts, setting.real, setting.ideal);

    // The constant-pressure curves pass through the burner and nozzle exits
    // and climb in temperature with entropy.
    int curves = 0;
    for (const core::ChartSeries& series : ts.series) {
      if (series.style != core::SeriesStyle::Dashed) continue;
      ++curves;
      const std::string number = series.name.rfind("Burner", 0) == 0 ? "4" : "8";
      const core::ChartMark* station = Mark(ts, number);
      bool through = false;
      for (size_t k = 0; k < series.points.size(); ++k) {
        ASSERT_TRUE(series.points[k].has_value());
        const auto [x, y] = *series.points[k];
        through = through || (x == station->x && y == station->y);
        if (k > 0) {
          EXPECT_GT(x, series.points[k - 1]->first) << series.name;
          EXPECT_GT(y, series.points[k - 1]->second) << series.name;
        }
      }
      EXPECT_TRUE(through) << series.name;
    }
    EXPECT_EQ(curves, 2);
  }
}

TEST(JetCycleCharts, UnavailableWithoutAComputedCycle) {
  struct Case {
    const char* what;
    const char* box;  // typed before the second calculation
    const char* text;
    const char* why;
  };
  for (const Case& c :
       {Case{"arithmetic failure", "txtetc", "0",
             "The last calculation failed: Compressor efficiency must not be 0"},
        Case{"unreadable box", "txtM0", "fast", "The last calculation failed: Mach number"},
        Case{"impossible design", "txttt4", "900",
             "The last calculation gave an impossible design"}}) {
    SCOPED_TRACE(c.what);
    Window w;
    for (const char* name : {"ts-diagram", "stations"})
      EXPECT_EQ(w.form.Chart(name).unavailable, "Press Calculate to compute the cycle");
    w.Calculate();
    ASSERT_TRUE(w.form.Chart("ts-diagram").available());
    w.Type(c.box, c.text);
    w.Calculate();
    for (const char* name : {"ts-diagram", "stations"}) {
      const core::ChartData chart = w.form.Chart(name);
      EXPECT_FALSE(chart.available()) << name;
      EXPECT_EQ(chart.unavailable.rfind(c.why, 0), 0u) << name << ": " << chart.unavailable;
      EXPECT_TRUE(chart.marks.empty() && chart.series.empty() && chart.table.empty()) << name;
    }
  }
  // A cycle without entropy at a station is not drawn.
  CycleState cold;
  cold.igcs = "y";
  cold.gmcn = 1.4f;
  cold.tt0 = cold.tt2 = 500;
  cold.pt0 = cold.pt2 = 14.7f;
  cold.tt4 = 2000;
  cold.pt4 = 14.7f;
  cold.t8 = -3;
  cold.p8 = 14.7f;
  const core::ChartData chart = cycle_charts::TsDiagramChart(JetCycleDiagram(cold));
  EXPECT_FALSE(chart.available());
  EXPECT_NE(chart.unavailable.find("Station 8"), std::string::npos) << chart.unavailable;
}

// Whatever is typed, a chart either draws finite numbers or says why not.
TEST(JetCycleCharts, OddInputsGiveFiniteChartsOrReasons) {
  cycle_charts::checks::ExpectOddInputsGiveFiniteChartsOrReasons<JetCycle>(
      {"txtM0", "txttt4", "txtpic", "txtetc", "txtgmcn", "txtetn", "txtpib", "txtpif", "txtttab",
       "txtetd"},
      {{"lstIAB", "y"}}, [](const JetCycle& form) {
        return !form.lblError->visible() && !form.FindById("Fraimposs")->visible();
      });
}

TEST(JetCycleCharts, NamesAndUnknownCharts) {
  Window w;
  EXPECT_EQ(w.form.ChartNames(), (std::vector<std::string>{"ts-diagram", "stations"}));
  EXPECT_FALSE(w.form.Chart("compressor-map").available());
}

}  // namespace
}  // namespace thrustdeck
