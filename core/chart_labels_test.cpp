#include "core/chart_labels.h"

#include <gtest/gtest.h>

#include <cmath>

namespace core {
namespace {

// The font's advance widths (units of 2048 to the em) at 12 px, rounded up,
// with the margins and a pixel to spare.
double Expected(int units) { return std::ceil(units * 12.0 / 2048) + 3; }

TEST(LabelWidth, TheFontsAdvanceWidths) {
  struct Case {
    const char* text;
    int units;
  } cases[] = {
      {"", 0},
      {"0 free stream", 1139 + 569 + 569 + 682 + 1139 + 1139 + 569 + 1024 + 569 + 682 + 1139 + 1139 + 1706},
      {"α 3", 1184 + 569 + 1139},
      {"β = 90°", 1178 + 569 + 1196 + 569 + 1139 + 1139 + 819},
      {"M₂", 1706 + 1139},  // a subscript as a full digit
      {"WWW", 3 * 1933},
  };
  for (const Case& c : cases) EXPECT_EQ(LabelWidth(c.text), Expected(c.units)) << c.text;
}

ChartData Points(std::vector<ChartMark> marks) {
  ChartData data;
  data.name = "test";
  data.x = {"x", false};
  data.y = {"y", false};
  data.marks = std::move(marks);
  return data;
}

void ExpectApartAndNear(const std::vector<ChartLabel>& labels) {
  for (size_t i = 0; i < labels.size(); ++i) {
    EXPECT_LE(Reach(labels[i]), kLabelReach) << labels[i].text;
    for (size_t k = i + 1; k < labels.size(); ++k)
      EXPECT_FALSE(Overlap(labels[i], labels[k])) << labels[i].text << " on " << labels[k].text;
  }
}

TEST(PlaceLabels, BesideThePointClearOfOthersAndInsideThePlot) {
  struct Case {
    const char* what;
    std::vector<ChartMark> marks;
    size_t placed;
  };
  const Case cases[] = {
      {"one", {{"a", 5, 5, "station 4 burner"}}, 1},
      {"two at one point", {{"a", 5, 5, "0 free stream"}, {"b", 5, 5, "9 fan nozzle"}}, 2},
      {"three close together",
       {{"a", 5, 5, "0 free stream"}, {"b", 5.05, 5.05, "9 fan nozzle"}, {"c", 5.1, 4.95, "2 diffuser"}},
       3},
      {"at the right edge", {{"a", 10, 5, "a long text at the edge of the plot"}, {"b", 0, 0, "origin"}}, 2},
      // More than the ring round one point holds: the rest left out, none on another.
      {"crowded", std::vector<ChartMark>(40, ChartMark{"m", 5, 5, "crowded text"}), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const ChartData data = Points(c.marks);
    const ChartLook look = DescribeChart(data);
    const PixelFrame frame = FrameOf(data, look, 50, 40, 400, 300);
    const std::vector<ChartLabel> labels = PlaceLabels(data, look, frame);
    if (c.placed) EXPECT_EQ(labels.size(), c.placed);
    else EXPECT_LT(labels.size(), c.marks.size());
    ExpectApartAndNear(labels);
    for (const ChartLabel& l : labels) {
      EXPECT_GE(l.left, 48);
      EXPECT_LE(l.left + l.width, 452);
      EXPECT_GE(l.top, 38);
      EXPECT_LE(l.top + l.height, 342);
      EXPECT_EQ(l.width, LabelWidth(l.text));
      // Its point as the frame maps it.
      const auto at = frame.Map(data.marks[static_cast<size_t>(l.mark)].x, data.marks[static_cast<size_t>(l.mark)].y, false);
      EXPECT_EQ(at->first, l.atX);
      EXPECT_EQ(at->second, l.atY);
    }
  }
}

// A curve through the place beside a point: the text goes where no curve
// runs; a series label names the point it belongs to.
TEST(PlaceLabels, OffTheCurvesWhereThereIsRoom) {
  ChartData data = Points({{"a", 5, 5, "operating point"}});
  // A horizontal line through the point: right, left, above and below at
  // middle height are crossed; a place above or below is not.
  data.series.emplace_back("line", std::vector<ChartPoint>{std::pair{0.0, 5.0}, std::pair{10.0, 5.0}});
  data.series.emplace_back("dots", std::vector<ChartPoint>{std::pair{2.0, 2.0}}, SeriesStyle::Points);
  data.series.back().labels = {"η = 0.85"};
  const ChartLook look = DescribeChart(data);
  const PixelFrame frame = FrameOf(data, look, 0, 0, 500, 400);
  const std::vector<ChartLabel> labels = PlaceLabels(data, look, frame);
  ASSERT_EQ(labels.size(), 2u);
  EXPECT_EQ(labels[0].mark, 0);
  EXPECT_TRUE(labels[0].top + labels[0].height <= labels[0].atY || labels[0].top >= labels[0].atY)
      << "across the line";
  EXPECT_EQ(labels[1].series, 1);
  EXPECT_EQ(labels[1].point, 0);
  EXPECT_EQ(labels[1].colour, look.series[1].colour);
  ExpectApartAndNear(labels);
}

TEST(PixelFrame, MapsLinearAndLogAxesAndRefusesWhatTheyCannotShow) {
  PixelFrame f;
  f.left = 10;
  f.top = 20;
  f.width = 100;
  f.height = 50;
  f.x = {0, 10, 0};
  f.y = {1, 1000, 0};
  f.logY = true;
  f.y2 = {-1, 1, 0};
  const auto a = f.Map(5, 10, false), b = f.Map(0, 0, true);
  ASSERT_TRUE(a && b);
  EXPECT_DOUBLE_EQ(a->first, 60);
  EXPECT_DOUBLE_EQ(a->second, 20 + 50 * (2.0 / 3));  // a decade of three from the top
  EXPECT_DOUBLE_EQ(b->first, 10);
  EXPECT_DOUBLE_EQ(b->second, 45);
  EXPECT_FALSE(f.Map(5, 0, false));  // zero on a log axis
  EXPECT_FALSE(f.Map(NAN, 1, true));
}

TEST(ChartRanges, RoomRoundTheDataToRoundTicks) {
  ChartData data = Points({{"a", 0.2, 3, ""}, {"b", 9.7, 47, ""}});
  const ChartLook look = DescribeChart(data);
  EXPECT_EQ(look.x.lo, 0);
  EXPECT_EQ(look.x.hi, 10);
  EXPECT_EQ(look.x.step, 2);
  EXPECT_EQ(look.y.lo, 0);
  EXPECT_EQ(look.y.hi, 50);
  // An equal scale leaves the ticks to the view, which settles the shape.
  data.equalScale = true;
  EXPECT_EQ(DescribeChart(data).x.step, 0);
}

}  // namespace
}  // namespace core
