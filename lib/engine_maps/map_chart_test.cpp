#include "lib/engine_maps/map_chart.h"

#include <gtest/gtest.h>

#include "core/plot.h"

#include <cmath>

#include "lib/engine_maps/map_tables.h"

namespace engine_maps {
namespace {

Compressor Jet() {
  Compressor c;
  c.c1 = 0.08f;
  c.c2 = 0.02f;
  c.c3 = 0.8f;
  c.c4 = 0.00001f;
  c.c5 = 2.0f;
  c.nc2d = 10000;
  c.etacd = 0.88;
  c.mu = 0.1f;
  return c;
}

Turbine Small() {
  Turbine t;
  t.pitc = 0.28f;
  t.k1 = 1;
  t.k2 = 0.2f;
  t.mc4c = 35;
  t.nc4d = 4000;
  t.etatd = 0.9;
  return t;
}

std::vector<const core::ChartSeries*> Styled(const core::ChartData& chart,
                                             core::SeriesStyle style) {
  std::vector<const core::ChartSeries*> found;
  for (const core::ChartSeries& s : chart.series)
    if (s.style == style) found.push_back(&s);
  return found;
}

TEST(RpmText, GroupsThousandsAsTheWindowsDo) {
  struct Case {
    double rpm;
    const char* text;
  };
  for (const Case c :
       {Case{0, "0"}, Case{999.4, "999"}, Case{1000, "1,000"}, Case{10954.4, "10,954"},
        Case{1234567, "1,234,567"}, Case{-2000, "-2,000"}, Case{-0.2, "0"}})
    EXPECT_EQ(RpmText(c.rpm), c.text) << c.rpm;
}

// Every fourth point of a drawn line is a row of the printed table.
TEST(CompressorMapChart, SpeedLinesThroughThePrintedRows) {
  const Compressor c = Jet();
  const core::ChartData chart = CompressorMapChart(c, {});
  const auto lines = Styled(chart, core::SeriesStyle::Line);
  ASSERT_EQ(lines.size(), 5u);
  const std::array<float, 6> speeds = SpeedSteps(c.nc2d);
  const std::array<float, 6> choke = ChokeFlows(c);
  for (int i = 1; i <= 5; ++i) {
    const core::ChartSeries& line = *lines[i - 1];
    ASSERT_EQ(line.points.size(), static_cast<size_t>(kChartSteps + 1));
    for (int row = 0; row <= kCompressorSteps; ++row) {
      const CompressorRow printed =
          CompressorTableRow(c, speeds[i], choke[i], row, kCompressorSteps);
      const auto& drawn = *line.points[row * kChartSteps / kCompressorSteps];
      EXPECT_NEAR(drawn.first, printed.mc2, 1e-12 * printed.mc2) << i << " " << row;
      EXPECT_NEAR(drawn.second, printed.pic, 1e-9 * printed.pic) << i << " " << row;
    }
  }
  EXPECT_EQ(chart.title, "Compressor map");
  EXPECT_TRUE(chart.marks.empty());
}

TEST(CompressorMapChart, SurgedPointOnTheContinuationOfItsSpeedLine) {
  const Compressor c = Jet();
  // A point left of the surge line on the 9,000 rpm line.
  const double speed = 9000, mc2 = 0.75 * c.c2 * speed;
  MapOverlay overlay;
  overlay.point = MapPoint{mc2, CompressorAt(c, speed, mc2).pic, speed, "9,000", true};
  overlay.running = {std::pair{150.0, 10.0}, std::pair{160.0, 11.0}};
  const core::ChartData chart = CompressorMapChart(c, overlay);
  ASSERT_EQ(chart.marks.size(), 1u);
  EXPECT_TRUE(chart.marks[0].alarm);
  EXPECT_EQ(chart.marks[0].text, "Nc2 = 9,000 rpm, surged");
  EXPECT_GT(chart.marks[0].y, SurgePressureRatio(c, mc2));
  const auto dashed = Styled(chart, core::SeriesStyle::Dashed);
  ASSERT_EQ(dashed.size(), 2u);
  // The surge line reaches over the point's flow; the speed line starts at it.
  EXPECT_EQ(dashed[0]->name, "Surge line");
  EXPECT_LE(dashed[0]->points.front()->first, mc2);
  EXPECT_GE(dashed[0]->points.back()->first, mc2);
  EXPECT_EQ(*dashed[1]->points.front(), (std::pair{mc2, chart.marks[0].y}));
  // The speed line through the point is in the legend with its speed.
  EXPECT_EQ(dashed[1]->name, "Nc2 = 9,000 rpm (matched)");
  EXPECT_TRUE(core::DescribeChart(chart).series[static_cast<size_t>(dashed[1] - chart.series.data())].inLegend);
  EXPECT_EQ(dashed[1]->points.back()->second, 1);  // choke
  const auto running = Styled(chart, core::SeriesStyle::Points);
  ASSERT_EQ(running.size(), 2u);
  EXPECT_EQ(running[1]->name, "Running line");
  EXPECT_EQ(running[1]->points, overlay.running);
}

TEST(CompressorMapChart, UndefinedMapsSayWhy) {
  struct Case {
    const char* what;
    void (*spoil)(Compressor&);
    const char* why;
  };
  const Case cases[] = {
      {"c3 = 1", [](Compressor& c) { c.c3 = 1; }, "Compressor map undefined"},
      {"c2 = 0", [](Compressor& c) { c.c2 = 0; }, "Compressor map undefined"},
      {"no speed above 0", [](Compressor& c) { c.nc2d = -5000; }, "above 0 rpm"},
  };
  for (const Case& k : cases) {
    Compressor c = Jet();
    k.spoil(c);
    const core::ChartData chart = CompressorMapChart(c, {});
    EXPECT_FALSE(chart.available()) << k.what;
    EXPECT_NE(chart.unavailable.find(k.why), std::string::npos)
        << k.what << ": " << chart.unavailable;
    EXPECT_TRUE(chart.series.empty()) << k.what;
  }
}

TEST(TurbineMapChart, FromNoFlowToChokeWithTheChokingRatioAmongThePoints) {
  const Turbine t = Small();
  MapOverlay overlay;
  overlay.noPoint = "press Calculate to place the operating point";
  const core::ChartData chart = TurbineMapChart(t, overlay);
  EXPECT_EQ(chart.title, "Turbine map (press Calculate to place the operating point)");
  const auto lines = Styled(chart, core::SeriesStyle::Line);
  ASSERT_EQ(lines.size(), 4u);  // 0 rpm is left out, as in the printed table
  EXPECT_EQ(lines[0]->name, "Nc4 = 2,000 rpm");
  for (const core::ChartSeries* line : lines) {
    EXPECT_EQ(*line->points.front(), (std::pair{1.0, 0.0})) << line->name;
    EXPECT_NEAR(line->points.back()->first, t.pitc / 1.5, 1e-12) << line->name;
    bool choke = false;
    for (size_t k = 1; k < line->points.size(); ++k) {
      const auto& [pit, flow] = *line->points[k];
      EXPECT_LT(pit, line->points[k - 1]->first) << line->name;
      EXPECT_GE(flow, line->points[k - 1]->second) << line->name;
      if (pit <= t.pitc) {
        EXPECT_EQ(flow, t.mc4c) << line->name << " at " << pit;
      }
      choke = choke || pit == static_cast<double>(t.pitc);
    }
    EXPECT_TRUE(choke) << line->name;
  }
}

TEST(TurbineMapChart, LinesReachAPointBeyondTheTable) {
  const Turbine t = Small();
  MapOverlay overlay;
  overlay.point = MapPoint{0.1, 35, 5000, "5,000", true};
  const core::ChartData chart = TurbineMapChart(t, overlay);
  ASSERT_EQ(chart.marks.size(), 1u);
  EXPECT_FALSE(chart.marks[0].alarm) << "surge is the compressor's";
  EXPECT_EQ(chart.marks[0].text, "Nc4 = 5,000 rpm");
  EXPECT_EQ(Styled(chart, core::SeriesStyle::Dashed).at(0)->name, "Nc4 = 5,000 rpm (matched)");
  for (const core::ChartSeries& s : chart.series) EXPECT_EQ(s.points.back()->first, 0.1) << s.name;
}

TEST(TurbineMapChart, AChokingRatioOutsideZeroToOneIsRefused) {
  for (float pitc : {0.0f, -0.5f, 1.0f, 2.0f, NAN}) {
    Turbine t = Small();
    t.pitc = pitc;
    const core::ChartData chart = TurbineMapChart(t, {});
    EXPECT_FALSE(chart.available()) << pitc;
    EXPECT_NE(chart.unavailable.find("pitc"), std::string::npos) << pitc;
  }
  Turbine t = Small();
  t.mc4c = NAN;
  EXPECT_NE(TurbineMapChart(t, {}).unavailable.find("Turbine map undefined"), std::string::npos);
}

}  // namespace
}  // namespace engine_maps
