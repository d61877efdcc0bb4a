// The compressor and turbine maps of the jet engine matching window, through
// its model: the marked point is the shown match, on its speed line.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/testing/driver.h"
#include "thrustfit/map_chart_checks.h"
#include "thrustfit/thrustfit_window.h"

namespace thrustfit {
namespace {

using maps::checks::ExpectMarksAreTheShownMatch;
using maps::checks::ExpectNoPoint;
using maps::checks::OperatingPoint;
using maps::checks::Single;

struct Edit {
  const char* box;
  const char* text;
};

class ThrustfitMaps : public core::testing::WindowTest<Form1> {
 protected:
  using Driver::Type;
  void Mode(const char* mode) { Select("lstge", mode); }
  // The maps as the matching reads them.
  maps::Compressor Compressor() {
    maps::Compressor c;
    c.c1 = Single(form, "txtc1");
    c.c2 = Single(form, "txtc2");
    c.c3 = Single(form, "txtc3");
    c.c4 = Single(form, "txtc4");
    c.c5 = Single(form, "txtc5");
    c.nc2d = Number("txtnc2d");
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
    t.nc4d = Single(form, "txtNc4d");
    t.etatd = Number("txtetatd");
    return t;
  }
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
    std::vector<maps::checks::SpeedLine> lines;
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
    maps::checks::ExpectSpeedLinesSurgeToChoke(form.Chart("compressor-map"), Compressor(), c.lines);
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
  maps::checks::ExpectRunningLine(form, make, request);
  // The point of the window's own Calculate stays.
  EXPECT_TRUE(OperatingPoint(form.Chart("compressor-map")));
  request.outputs = {"txtm2", "txttsfc"};
  maps::checks::ExpectRunningLine(form, make, request);
}

}  // namespace
}  // namespace thrustfit
