// The compressor and turbine maps of the jet engine matching window, through
// its model: the marked point is the shown match, on its speed line.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "lib/engine_maps/map_chart_checks.h"
#include "thrustfit/thrustfit_window.h"

namespace thrustfit {
namespace {

using engine_maps::checks::Edit;
using engine_maps::checks::ExpectMarksAreTheShownMatch;
using engine_maps::checks::ExpectNoPoint;
using engine_maps::checks::OperatingPoint;

class ThrustfitMaps : public engine_maps::checks::MapsTest<Form1> {
 protected:
  void Mode(const char* mode) { Select("lstge", mode); }
  // The maps as the matching reads them.
  engine_maps::Compressor Compressor() { return Maps("txtnc2d", false); }
  engine_maps::Turbine Turbine() { return TurbineMaps(true); }
};

TEST_F(ThrustfitMaps, TheWindowHasBothMaps) {
  EXPECT_EQ(form.ChartNames(), (std::vector<std::string>{"compressor-map", "turbine-map"}));
  EXPECT_FALSE(form.Chart("ts-diagram").available());
}

TEST_F(ThrustfitMaps, OperatingPointIsTheShownMatchOnItsSpeedLine) {
  struct Case {
    const char* what;
    const char* mode;
    std::vector<Edit> edits;
    bool surged;
  };
  const Case cases[] = {
      {"engine (defaults)", "e", {}, false},
      {"engine at Mach 0.8", "e", {{"txtmach", "0.8"}}, false},
      {"gas generator", "g", {}, false},
      {"gas generator, small turbine", "g", {{"txtmc4c", "26"}}, true},
      {"engine and airframe", "f", {}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Type("txtmc4c", "35");
    Type("txtmach", "0.50");
    Mode(c.mode);
    for (const Edit& e : c.edits) Type(e.box, e.text);
    Calculate();
    ASSERT_FALSE(Shown("Fraconv"));
    ASSERT_EQ(Shown("frasurge"), c.surged);
    ExpectMarksAreTheShownMatch(form, Compressor(), Turbine());
  }
}

TEST_F(ThrustfitMaps, SpeedLinesOfThePrintedTableFromSurgeToChoke) {
  struct Case {
    const char* nc2d;
    std::vector<engine_maps::checks::SpeedLine> lines;
  };
  const Case cases[] = {
      {"10000",
       {{"6,000 rpm", 6000},
        {"8,000 rpm", 8000},
        {"10,000 rpm", 10000},
        {"12,000 rpm", 12000},
        {"14,000 rpm", 14000}}},
      // The table leaves out speeds at or below zero.
      {"3000",
       {{"1,000 rpm", 1000},
        {"3,000 rpm", 3000},
        {"5,000 rpm", 5000},
        {"7,000 rpm", 7000}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.nc2d);
    Type("txtnc2d", c.nc2d);
    engine_maps::checks::ExpectSpeedLinesSurgeToChoke(form.Chart("compressor-map"), Compressor(),
                                                      c.lines);
  }
}

TEST_F(ThrustfitMaps, NoStalePoint) {
  ExpectNoPoint(form, "press Calculate to place the operating point");
  Calculate();
  ASSERT_TRUE(OperatingPoint(form.Chart("compressor-map")));
  // Another compressor: the point was matched on the old one.
  Type("txtc1", "0.09");
  core::ChartData comp = form.Chart("compressor-map");
  EXPECT_FALSE(OperatingPoint(comp));
  EXPECT_NE(comp.title.find("the map has changed"), std::string::npos) << comp.title;
  EXPECT_TRUE(OperatingPoint(form.Chart("turbine-map")));
  Type("txtc1", "0.08");
  EXPECT_TRUE(OperatingPoint(form.Chart("compressor-map")));
  // A match that does not settle leaves no point, and says so.
  Mode("g");
  Type("txtmc4c", "24");
  Calculate();
  ASSERT_TRUE(Shown("Fraconv"));
  ExpectNoPoint(form, "no operating point: Did not converge!!!");
  Type("txtmc4c", "35");
  Calculate();
  ExpectMarksAreTheShownMatch(form, Compressor(), Turbine());
  // A map that cannot be drawn says why.
  Type("txtc2", "0");
  comp = form.Chart("compressor-map");
  EXPECT_FALSE(comp.available());
  EXPECT_NE(comp.unavailable.find("Compressor map undefined"), std::string::npos);
  Type("txtpitc", "1.5");
  EXPECT_NE(form.Chart("turbine-map").unavailable.find("pitc"), std::string::npos);
}

TEST_F(ThrustfitMaps, SweepOfTheMatchDrawsTheRunningLine) {
  Calculate();
  const core::FormFactory make = [] { return std::make_unique<Form1>(); };
  core::SweepRequest request;
  request.input = "txtmach";
  request.from = 0;
  request.to = 2;
  request.points = 11;
  request.button = "cmdCalculate";
  request.outputs = {"txttnd", "txtm2", "txtppc"};
  engine_maps::checks::ExpectRunningLine(form, make, request);
  // The point of the window's own Calculate stays.
  EXPECT_TRUE(OperatingPoint(form.Chart("compressor-map")));
  request.outputs = {"txtm2", "txttsfc"};
  engine_maps::checks::ExpectRunningLine(form, make, request);
}

}  // namespace
}  // namespace thrustfit
