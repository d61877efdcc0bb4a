// The compressor and turbine maps of the power gas turbine matching window,
// through its model: the marked point is the shown match, on its speed line.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "core/testing/driver.h"
#include "shaftfit/shaftfit_window.h"
#include "thrustfit/map_chart_checks.h"

namespace shaftfit {
namespace {

using maps::checks::ExpectMarksAreTheShownMatch;
using maps::checks::ExpectNoPoint;
using maps::checks::OperatingPoint;
using maps::checks::Single;

struct Edit {
  const char* box;
  const char* text;
};

class ShaftfitMaps : public core::testing::WindowTest<Form1> {
 protected:
  using Driver::Type;
  void Type(const std::vector<Edit>& edits) {
    for (const Edit& e : edits) Type(e.box, e.text);
  }
  void Regenerator(const char* yn) { Select("lstIRG", yn); }
  // The maps as the matching reads them.
  maps::Compressor Compressor() {
    maps::Compressor c;
    c.c1 = Single(form, "txtc1");
    c.c2 = Single(form, "txtc2");
    c.c3 = Single(form, "txtc3");
    c.c4 = Single(form, "txtc4");
    c.c5 = Single(form, "txtc5");
    c.nc2d = Single(form, "txtn2d");
    c.etacd = Number("txtetacd");
    c.mu = Single(form, "txtmu");
    return c;
  }
  maps::Turbine Turbine() {
    maps::Turbine t;
    t.pitc = Single(form, "txtpitc");
    t.k1 = Single(form, "txtk1");
    t.k2 = Single(form, "txtk2");
    t.mc4c = Number("txtmc4c");
    t.nc4d = Number("txtNc4d");
    t.etatd = Number("txtetatd");
    return t;
  }
};

TEST_F(ShaftfitMaps, OperatingPointIsTheShownMatchOnItsSpeedLine) {
  struct Case {
    const char* what;
    const char* regenerator;
    std::vector<Edit> edits;
    bool surged;
  };
  const std::vector<Edit> defaults = {{"txtc3", "0.90"}, {"txtc5", "10.0"}, {"txtmc4c", "20"},
                                      {"txtr1", "0.00000003253"}, {"txtT0", "520"}};
  const Case cases[] = {
      {"defaults", "n", {}, false},
      {"with the regenerator", "y", {}, false},
      {"a cold day", "n", {{"txtT0", "450"}}, false},
      {"surge line close to choke", "n",
       {{"txtc3", "0.86"}, {"txtc5", "4"}, {"txtmc4c", "15"}, {"txtr1", "0.000000025"}}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Type(defaults);
    Regenerator(c.regenerator);
    Type(c.edits);
    Calculate();
    ASSERT_FALSE(Shown("Fraconv"));
    ASSERT_EQ(Shown("frasurge"), c.surged);
    ExpectMarksAreTheShownMatch(form, Compressor(), Turbine());
  }
}

TEST_F(ShaftfitMaps, SpeedLinesOfThePrintedTableFromSurgeToChoke) {
  maps::checks::ExpectSpeedLinesSurgeToChoke(form.Chart("compressor-map"), Compressor(),
                                             {{"5,000 rpm", 5000},
                                              {"7,000 rpm", 7000},
                                              {"9,000 rpm", 9000},
                                              {"11,000 rpm", 11000},
                                              {"13,000 rpm", 13000}});
  // The turbine's speeds are those of its printed table, from no flow to choke.
  const core::ChartData turb = form.Chart("turbine-map");
  const std::vector<const core::ChartSeries*> lines = maps::checks::TableLines(turb);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines.front()->name, "Nc4 = 300 rpm");
  EXPECT_EQ(lines.back()->name, "Nc4 = 8,300 rpm");
  for (const core::ChartSeries* line : lines) {
    EXPECT_EQ(*line->points.front(), (std::pair{1.0, 0.0})) << line->name;
    EXPECT_EQ(line->points.back()->second, 20) << line->name;
  }
}

TEST_F(ShaftfitMaps, NoStalePoint) {
  ExpectNoPoint(form, "press Calculate to place the operating point");
  Calculate();
  ASSERT_TRUE(OperatingPoint(form.Chart("turbine-map")));
  // Another turbine: its point was matched on the old one.
  Type("txtk1", "0.3");
  core::ChartData turb = form.Chart("turbine-map");
  EXPECT_FALSE(OperatingPoint(turb));
  EXPECT_NE(turb.title.find("the map has changed"), std::string::npos) << turb.title;
  EXPECT_TRUE(OperatingPoint(form.Chart("compressor-map")));
  // No fuel: no match, no point, and the title says so.
  Type("txtf", "0");
  Calculate();
  ASSERT_TRUE(Shown("Fraconv"));
  ExpectNoPoint(form, "no operating point: Did not converge!!!");
  // The regenerator list hides the message; the point stays away.
  Regenerator("y");
  ExpectNoPoint(form, "press Calculate to place the operating point");
  Type("txtf", "0.02");
  Calculate();
  ExpectMarksAreTheShownMatch(form, Compressor(), Turbine());
}

TEST_F(ShaftfitMaps, SweepOfTheMatchDrawsTheRunningLine) {
  const core::FormFactory make = [] { return std::make_unique<Form1>(); };
  core::SweepRequest request;
  request.input = "txtT0";
  request.from = 300;
  request.to = 700;
  request.points = 11;
  request.button = "cmdCalculate";
  request.outputs = {"txtppc", "txtpower", "txtm2"};
  maps::checks::ExpectRunningLine(form, make, request);
  // Nothing calculated in the window itself: the line, and no point.
  const core::ChartData chart = form.Chart("compressor-map");
  EXPECT_FALSE(OperatingPoint(chart));
  EXPECT_TRUE(maps::checks::Series(chart, "Running line"));
}

}  // namespace
}  // namespace shaftfit
