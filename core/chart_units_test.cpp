#include "core/chart_units.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/form.h"

namespace core {
namespace {

TEST(ChartUnits, ValuesWithAUnitTurnToSI) {
  struct Case {
    const char* us;
    const char* si;
  } const cases[] = {
      {"Compressor exit 150 psia", "Compressor exit 1034 kPa"},
      {"Tt4 = 2500 R", "Tt4 = 1389 K"},  // "Tt4" names, it is no value
      {"mc2 = 50.2 lbm/s, pt = 14.70 psia", "mc2 = 22.8 kg/s, pt = 101.4 kPa"},
      {"Static temperature (deg R)", "Static temperature (K)"},
      {"Nc2 = 12000 rpm", "Nc2 = 12000 rpm"},  // speeds stay in rpm
      {"(s − s*)/R", "(s − s*)/R"},            // R here is the gas constant
      {"α1 = 35.2 deg", "α1 = 35.2 deg"},
      {"", ""},
  };
  // As many significant digits as the US text shows.
  for (const Case& c : cases) EXPECT_EQ(ValuesInSI(c.us), c.si) << c.us;
}

TEST(ChartUnits, QuantityOfAUnitWord) {
  EXPECT_EQ(QuantityOfUSUnit("psia"), Quantity::Pressure);
  EXPECT_EQ(QuantityOfUSUnit("deg R"), Quantity::Temperature);
  EXPECT_EQ(QuantityOfUSUnit("BTU/lbm-R"), Quantity::SpecificHeat);
  EXPECT_EQ(QuantityOfUSUnit("lbm/s"), Quantity::MassFlow);
  EXPECT_FALSE(QuantityOfUSUnit("BTU"));
  EXPECT_FALSE(QuantityOfUSUnit("rpm"));
  // Every quantity's own word is found again.
  for (Quantity q : AllQuantities()) EXPECT_TRUE(QuantityOfUSUnit(Info(q).us)) << Info(q).us;
}

ChartData Sample() {
  ChartData chart;
  chart.name = "sample";
  chart.title = "Radial profiles";
  chart.x = {"Radius (ft)", false};
  chart.y = {"Axial velocity Ca (ft/s)", false};
  chart.y2 = ChartAxis{"Total temperature (R)", false};
  chart.series.push_back({"Hub 518.7 R", {std::pair{1.0, 100.0}, std::nullopt}});
  chart.series.push_back({"Tt", {std::pair{2.0, 900.0}}, SeriesStyle::Line, true});
  chart.marks.push_back({"Operating point", 1.0, 100.0, "Ca = 100 ft/s"});
  chart.table = {{"Station", "Radius (ft)", "α (deg)"}, {"1", "1.25", "30.0"}, {"2", "choked", ""}};
  return chart;
}

TEST(ChartUnits, EveryPartOfAChartFollowsItsAxis) {
  const ChartData us = ChartInUnits(Sample(), UnitSystem::US);
  EXPECT_EQ(ChartJson(us), ChartJson(Sample())) << "US is the chart as drawn";

  const ChartData si = ChartInUnits(Sample(), UnitSystem::SI);
  EXPECT_EQ(si.x.label, "Radius (m)");
  EXPECT_EQ(si.y.label, "Axial velocity Ca (m/s)");
  EXPECT_EQ(si.y2->label, "Total temperature (K)");
  EXPECT_DOUBLE_EQ(si.series[0].points[0]->first, 0.3048);
  EXPECT_DOUBLE_EQ(si.series[0].points[0]->second, 30.48);
  EXPECT_FALSE(si.series[0].points[1]) << "a gap stays a gap";
  EXPECT_EQ(si.series[0].name, "Hub 288.2 K");
  // The second axis has its own unit.
  EXPECT_DOUBLE_EQ(si.series[1].points[0]->second, 500.0);
  EXPECT_DOUBLE_EQ(si.marks[0].x, 0.3048);
  EXPECT_DOUBLE_EQ(si.marks[0].y, 30.48);
  EXPECT_EQ(si.marks[0].text, "Ca = 30.5 m/s");
  EXPECT_EQ(si.table[0], (std::vector<std::string>{"Station", "Radius (m)", "α (deg)"}));
  EXPECT_EQ(si.table[1], (std::vector<std::string>{"1", "0.381", "30.0"}));
  EXPECT_EQ(si.table[2], (std::vector<std::string>{"2", "choked", ""}));
}

TEST(ChartUnits, AWindowShowsItsChartsInItsUnits) {
  class Charted : public Form {
   public:
    Charted() : Form("Charted", 100, 100) {}
    std::vector<std::string> ChartNames() const override { return {"sample"}; }
    ChartData Chart(const std::string&) const override { return Sample(); }
  } form;
  EXPECT_EQ(form.ShownChart("sample").x.label, "Radius (ft)");
  form.UserUnits(UnitSystem::SI);
  EXPECT_EQ(form.ShownChart("sample").x.label, "Radius (m)");
  form.UserUnits(UnitSystem::US);
  EXPECT_EQ(ChartJson(form.ShownChart("sample")), ChartJson(Sample()));
}

}  // namespace
}  // namespace core
