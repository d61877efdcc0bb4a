#include "thrustdeck/ts_diagram.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "core/testing/driver.h"
#include "thrustdeck/gas_properties.h"
#include "thrustdeck/thrustdeck_window.h"

namespace thrustdeck {
namespace {

// --- the entropy rule against closed forms ---

TEST(CycleEntropy, MatchesTheClosedFormsOfBothCpRules) {
  // Constant cp: cp ln(T2/T1) − R ln(p2/p1).
  EntropyRule constant;
  constant.constantCp = ConstantGasWide(1.4f).cp;
  EXPECT_DOUBLE_EQ(constant.Rise(500, 14.7, 1000, 100),
                   constant.constantCp * std::log(2.0) - kGasConstantBtu * std::log(100 / 14.7));
  // cp = A·e^(cT): ∫ cp/T dT = A (Ei(cT2) − Ei(cT1)).
  EntropyRule variable;
  variable.cp = [](double t) { return VariableGasWide(t).cp; };
  const double c = 9.7247e-5 * std::log(2.718281828);
  struct Span {
    double t1, t2;
  };
  for (const Span& span : {Span{518.7, 1289}, Span{2500, 1636}, Span{400, 4000}, Span{800, 800.5}}) {
    const double exact = 0.2269807 * (std::expint(c * span.t2) - std::expint(c * span.t1));
    EXPECT_NEAR(variable.HeatIntegral(span.t1, span.t2), exact, 1e-8) << span.t1 << " " << span.t2;
  }
  // No entropy at or below absolute zero, nor at a pressure of nothing.
  for (const EntropyRule& rule : {constant, variable}) {
    EXPECT_TRUE(std::isnan(rule.Rise(0, 14.7, 500, 14.7)));
    EXPECT_TRUE(std::isnan(rule.Rise(500, 14.7, -10, 14.7)));
    EXPECT_TRUE(std::isnan(rule.Rise(500, 0, 500, 14.7)));
    EXPECT_TRUE(std::isnan(rule.Rise(500, 14.7, INFINITY, 14.7)));
  }
}

TEST(CycleEntropy, SingleTextReadsBackAsTheSameSingle) {
  for (float v : {518.7f, 14.69f, 1289.0242f, 2500.0f, 0.1f, 1e-6f, 3.0e7f, 259.29727f, -40.5f,
                  1e-40f, 3.4e38f})
    EXPECT_EQ(std::strtof(SingleText(v).c_str(), nullptr), v) << SingleText(v);
  EXPECT_EQ(SingleText(14.69f), "14.69");
  EXPECT_EQ(SingleText(2500.0f), "2500");
  EXPECT_EQ(SingleText(1e-5f), "0.00001");
}

// --- the charts of the window ---

using Window = core::testing::Driven<JetCycle>;

// Temperature and pressure of a station, as the cycle stored them.
struct Stored {
  float CycleState::*t;
  float CycleState::*p;
};
const std::map<std::string, Stored> kStored = {
    {"0", {&CycleState::tt0, &CycleState::pt0}},   {"2", {&CycleState::tt2, &CycleState::pt2}},
    {"3", {&CycleState::tt3, &CycleState::pt3}},   {"4", {&CycleState::tt4, &CycleState::pt4}},
    {"5", {&CycleState::tt5, &CycleState::pt5}},   {"5.5", {&CycleState::tt55, &CycleState::pt55}},
    {"6", {&CycleState::tt6, &CycleState::pt6}},   {"7", {&CycleState::tt7, &CycleState::pt7}},
    {"7.5", {&CycleState::tt75, &CycleState::pt75}}, {"8", {&CycleState::t8, &CycleState::p8}},
    {"9", {&CycleState::t9, &CycleState::p9}},
};

const core::ChartMark* Mark(const core::ChartData& chart, const std::string& number) {
  for (const core::ChartMark& m : chart.marks)
    if (m.name.rfind("Station " + number + ",", 0) == 0) return &m;
  return nullptr;
}

struct Component {
  const char *from, *to;
};

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
       {{"txtetd", "1"}, {"txtetc", "1"}, {"txtpib", "1"}, {"txtett", "1"}, {"txtetn", "1"},
        {"txtetf", "1"}, {"txtetfn", "1"}, {"txtpiab", "1"}},
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
    ASSERT_EQ(w.Error(), "");
    const CycleState& s = w.form.state();
    const core::ChartData ts = w.form.Chart("ts-diagram");
    const core::ChartData table = w.form.Chart("stations");
    ASSERT_TRUE(ts.available()) << ts.unavailable;
    ASSERT_TRUE(table.available()) << table.unavailable;

    // Every station marked at the cycle's temperature; the table holds the
    // cycle's digits.
    ASSERT_EQ(table.table.size(), setting.stations.size() + 1);
    ASSERT_EQ(ts.marks.size(), setting.stations.size());
    for (size_t i = 0; i < setting.stations.size(); ++i) {
      const std::string& number = setting.stations[i];
      const Stored& stored = kStored.at(number);
      const core::ChartMark* mark = Mark(ts, number);
      ASSERT_NE(mark, nullptr) << number;
      EXPECT_EQ(mark->y, s.*stored.t) << number;
      const std::vector<std::string>& row = table.table[i + 1];
      EXPECT_EQ(row[0], number);
      EXPECT_EQ(std::strtof(row[2].c_str(), nullptr), s.*stored.t) << number << " " << row[2];
      EXPECT_EQ(std::strtof(row[3].c_str(), nullptr), s.*stored.p) << number << " " << row[3];
    }
    EXPECT_EQ(Mark(ts, "0")->x, 0) << "entropy is measured from the free stream";

    for (const Component& c : setting.real)
      EXPECT_GT(Mark(ts, c.to)->x - Mark(ts, c.from)->x, 1e-4) << c.from << " to " << c.to;
    for (const Component& c : setting.ideal)
      EXPECT_NEAR(Mark(ts, c.to)->x, Mark(ts, c.from)->x, 1e-6) << c.from << " to " << c.to;

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
  for (const Case& c : {Case{"arithmetic failure", "txtetc", "0",
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
  const core::ChartData chart = TsDiagramChart(JetCycleDiagram(cold));
  EXPECT_FALSE(chart.available());
  EXPECT_NE(chart.unavailable.find("Station 8"), std::string::npos) << chart.unavailable;
}

// Whatever is typed, a chart either draws finite numbers or says why not.
TEST(JetCycleCharts, OddInputsGiveFiniteChartsOrReasons) {
  const char* boxes[] = {"txtM0", "txttt4", "txtpic", "txtetc", "txtgmcn", "txtetn",
                         "txtpib", "txtpif", "txtttab", "txtetd"};
  const char* texts[] = {"0", "-1", "1e30", "1e-30", "1", "0.5", "40"};
  for (const char* igc : {"y", "n"}) {
    for (const char* box : boxes) {
      for (const char* text : texts) {
        Window w;
        w.Select("lstIGC", igc);
        w.Select("lstIAB", "y");
        w.Type(box, text);
        w.Calculate();
        const core::ChartData ts = w.form.Chart("ts-diagram");
        const bool computed = !w.Visible("lblError") && !w.Visible("Fraimposs");
        EXPECT_TRUE(computed || !ts.available()) << box << " " << text;
        if (!ts.available()) {
          EXPECT_FALSE(ts.unavailable.empty());
          continue;
        }
        for (const core::ChartMark& m : ts.marks)
          EXPECT_TRUE(std::isfinite(m.x) && std::isfinite(m.y)) << box << " " << text << " " << m.name;
        for (const core::ChartSeries& series : ts.series)
          for (const core::ChartPoint& p : series.points)
            EXPECT_TRUE(p && std::isfinite(p->first) && std::isfinite(p->second))
                << box << " " << text << " " << series.name;
      }
    }
  }
}

TEST(JetCycleCharts, NamesAndUnknownCharts) {
  Window w;
  EXPECT_EQ(w.form.ChartNames(), (std::vector<std::string>{"ts-diagram", "stations"}));
  EXPECT_FALSE(w.form.Chart("compressor-map").available());
}

}  // namespace
}  // namespace thrustdeck
