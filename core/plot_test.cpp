#include "core/plot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace core {
namespace {

// A window of two boxes, a compute button and two results.
class Toy : public Form {
 public:
  Toy() : Form("Toy", 300, 200) {
    AddLabel("lblx", "Speed", {0, 0, 50, 20});
    AddTextBox("txtx", {60, 0, 50, 20});
    AddTextBox("txtk", {0, 40, 50, 20});
    AddLabel("lblout", "0", {0, 80, 50, 20}, nullptr, Look::Result);
    AddLabel("lbltwo", "0", {0, 100, 50, 20}, nullptr, Look::Result);
    AddButton("cmdgo", "Compute", {0, 120, 50, 20});
    AddLabel("lblthrust", "Thrust (lbf) =", {0, 140, 50, 20});
    AddLabel("lblf", "0", {60, 140, 50, 20}, nullptr, Look::Result);
  }
};

// A result named "Thrust (lbf) =" beside its value is "Thrust (lbf)" on an
// axis, in a legend and as a CSV heading.
TEST(PlotNames, AResultsNameDropsItsEqualsSign) {
  Toy form;
  SweepRequest request;
  request.input = "txtx";
  request.outputs = {"lblf", "lblout"};
  const SweepCaptions captions = CaptionsOf(form, request);
  EXPECT_EQ(captions.input, "Speed");
  ASSERT_EQ(captions.outputs.size(), 2u);
  EXPECT_EQ(captions.outputs[0], "Thrust (lbf)");
}

TypedRequest Good() {
  TypedRequest t;
  t.input = "txtx";
  t.button = "cmdgo";
  t.from = "1";
  t.to = "2";
  t.points = 5;
  t.outputs = {"lblout"};
  return t;
}

TEST(PlotRequest, MessagesAreTheWindowsWords) {
  Toy form;
  struct Case {
    const char* what;
    void (*change)(TypedRequest&);
    std::string problem;
  };
  const Case cases[] = {
      {"fits", [](TypedRequest&) {}, ""},
      {"no input", [](TypedRequest& t) { t.input.clear(); }, "Choose a box to sweep and a button to press."},
      {"no button", [](TypedRequest& t) { t.button.clear(); }, "Choose a box to sweep and a button to press."},
      {"from", [](TypedRequest& t) { t.from = "x"; }, "From and To must be numbers."},
      {"to", [](TypedRequest& t) { t.to = ""; }, "From and To must be numbers."},
      {"no result", [](TypedRequest& t) { t.outputs.clear(); }, "Check at least one result to plot."},
      {"one point", [](TypedRequest& t) { t.points = 1; }, "The number of points must be from 2 to 10000"},
      {"two points", [](TypedRequest& t) { t.points = 2; }, ""},
      {"most points", [](TypedRequest& t) { t.points = 10000; }, ""},
      {"too many", [](TypedRequest& t) { t.points = 10001; }, "The number of points must be from 2 to 10000"},
      {"a fraction", [](TypedRequest& t) { t.points = 2.5; }, "The number of points must be from 2 to 10000"},
      {"not a number", [](TypedRequest& t) { t.points = std::nan(""); },
       "The number of points must be from 2 to 10000"},
      {"log from zero", [](TypedRequest& t) { t.log = true; t.from = "0"; },
       "A log spacing needs both ends of the range above zero"},
      {"beyond Single", [](TypedRequest& t) { t.to = "1e39"; }, "From and To must be numbers."},
      {"not a box", [](TypedRequest& t) { t.input = "lblout"; }, "Input: lblout is not a text box"},
      {"family of 8", [](TypedRequest& t) { t.family = "txtk"; t.familyValues = "1 2;3 4 5 6 7 8"; }, ""},
      {"family of 9", [](TypedRequest& t) { t.family = "txtk"; t.familyValues = "1 2 3 4 5 6 7 8 9"; },
       "A family takes from 1 to 8 values"},
      {"family empty", [](TypedRequest& t) { t.family = "txtk"; t.familyValues = " ; "; },
       "A family takes from 1 to 8 values"},
      {"family swept", [](TypedRequest& t) { t.family = "txtx"; t.familyValues = "1"; },
       "Family: the family box is the swept box"},
  };
  for (const Case& c : cases) {
    TypedRequest t = Good();
    c.change(t);
    EXPECT_EQ(ReadRequest(form, t).problem, c.problem) << c.what;
  }
  const CheckedRequest ok = ReadRequest(form, Good());
  EXPECT_EQ(ok.request.points, 5);
  EXPECT_EQ(ok.request.to, 2);
  EXPECT_EQ(FamilyHint(), "up to 8 values, e.g. 2000 2500 3000");
  EXPECT_EQ(SplitFamilyValues(" 2,000;2500\t3000 "), (std::vector<std::string>{"2,000", "2500", "3000"}));
}

TEST(PlotRequest, StatusLines) {
  EXPECT_EQ(ComputingStatus(21), "Computing 21 points…");
  EXPECT_EQ(CancelledStatus(3, 21), "Cancelled after 3 of 21 points.");
  EXPECT_EQ(FinishedStatus(21, 2), "21 points, 2 of them gaps.");
}

SweepPoint Point(int curve, int index, std::string text, std::vector<std::string> outputs,
                 std::string message = "") {
  SweepPoint p;
  p.curve = curve;
  p.index = index;
  p.text = std::move(text);
  p.outputs = std::move(outputs);
  p.message = std::move(message);
  return p;
}

SweepRequest Request(std::vector<std::string> outputs, int points, std::vector<std::string> family = {}) {
  SweepRequest r;
  r.input = "txtx";
  r.button = "cmdgo";
  r.points = points;
  r.outputs = std::move(outputs);
  if (!family.empty()) r.family = "txtk";
  r.familyTexts = std::move(family);
  return r;
}

TEST(PlotSweep, SecondAxisForResultsTenTimesApart) {
  struct Case {
    const char* first;
    const char* other;
    bool second;
  };
  const Case cases[] = {
      {"1", "10", false},     {"1", "10.5", true},  {"10.5", "1", true}, {"0", "1000", false},
      {"-2", "30", true},     {"p = 5 psia", "Thrust = 51 lbf", true},   {"1", "abc", false},
  };
  for (const Case& c : cases) {
    const SweepRequest r = Request({"lblout", "lbltwo"}, 1);
    const std::vector<std::optional<SweepPoint>> slots = {Point(0, 0, "1", {c.first, c.other})};
    const SweepPlot plot = DescribeSweep(r, {"Speed", "", {"A", "B"}}, slots, false, false);
    EXPECT_EQ(plot.curves[1].secondAxis, c.second) << c.first << " " << c.other;
    EXPECT_EQ(plot.y2.has_value(), c.second);
    EXPECT_EQ(plot.y.title, c.second ? "A" : "A, B");
    if (c.second) {
      EXPECT_EQ(plot.y2->title, "B");
    }
  }
  // A failed point does not count.
  const SweepRequest r = Request({"lblout", "lbltwo"}, 2);
  const std::vector<std::optional<SweepPoint>> slots = {Point(0, 0, "1", {"1", "500"}, "Too large"),
                                                        Point(0, 1, "2", {"1", "2"})};
  EXPECT_EQ(SecondAxes(r, slots), (std::vector<bool>{false, false}));
}

TEST(PlotSweep, GapsBreakCurvesAndAreListed) {
  const SweepRequest r = Request({"lblout"}, 5);
  std::vector<std::optional<SweepPoint>> slots = {
      Point(0, 0, "0", {"0"}), Point(0, 1, "1", {"1"}), Point(0, 2, "2", {"9"}, "Did not converge!!!"),
      std::nullopt,           Point(0, 4, "4", {"16"})};
  const SweepCaptions captions{"Speed", "", {"Out"}};
  SweepPlot plot = DescribeSweep(r, captions, slots, false, false);
  ASSERT_EQ(plot.curves.size(), 1u);
  // The point not yet computed is left out; the failed one is a gap.
  const std::vector<ChartPoint> want = {std::pair{0.0, 0.0}, std::pair{1.0, 1.0}, std::nullopt,
                                        std::pair{4.0, 16.0}};
  EXPECT_EQ(plot.curves[0].points, want);
  EXPECT_EQ(plot.gapLines, (std::vector<std::string>{"Speed = 2: Did not converge!!!"}));
  EXPECT_EQ(plot.note, " ");
  // On log axes the point at zero is a gap too, and counted.
  plot = DescribeSweep(r, captions, slots, true, true);
  EXPECT_FALSE(plot.curves[0].points[0].has_value());
  EXPECT_EQ(plot.note, "1 points at or below zero are not shown on a log axis");
  // Many gaps: the first 500 listed, then how many more.
  std::vector<std::optional<SweepPoint>> many;
  for (int i = 0; i < 503; ++i) many.push_back(Point(0, i, std::to_string(i), {"1"}, "bad"));
  plot = DescribeSweep(Request({"lblout"}, 503), captions, many, false, false);
  ASSERT_EQ(plot.gapLines.size(), 501u);
  EXPECT_EQ(plot.gapLines.back(), "… and 3 more");
  EXPECT_FALSE(plot.markers);
}

TEST(PlotSweep, FamilyColoursDashesAndTitle) {
  const SweepRequest r = Request({"lblout", "lbltwo"}, 1, {"2000", "3000"});
  std::vector<std::optional<SweepPoint>> slots = {Point(0, 0, "1", {"1", "2"}), Point(1, 0, "1", {"3", "4"}, "w")};
  const SweepPlot plot = DescribeSweep(r, {"Speed", "T4", {"Thrust", "TSFC"}}, slots, false, false);
  EXPECT_EQ(plot.title, "One curve for each T4 = 2000, 3000");
  ASSERT_EQ(plot.curves.size(), 4u);
  EXPECT_EQ(plot.curves[0].name, "Thrust, 2000");
  EXPECT_EQ(plot.curves[3].name, "TSFC, 3000");
  // A colour for each value, a dash for each result.
  EXPECT_EQ(plot.curves[0].colour, plot.curves[2].colour);
  EXPECT_NE(plot.curves[0].colour, plot.curves[1].colour);
  EXPECT_EQ(plot.curves[0].dash, Dash::Solid);
  EXPECT_EQ(plot.curves[2].dash, Dash::Dash);
  EXPECT_EQ(plot.legend, LegendSide::Right);
  EXPECT_EQ(plot.gapLines, (std::vector<std::string>{"T4 = 3000, Speed = 1: w"}));
}

TEST(PlotPalette, RedIsKeptForAlarms) {
  std::set<std::string> seen;
  for (const std::string& c : SeriesColours()) {
    ASSERT_EQ(c.size(), 7u);
    const int r = std::stoi(c.substr(1, 2), nullptr, 16), g = std::stoi(c.substr(3, 2), nullptr, 16),
              b = std::stoi(c.substr(5, 2), nullptr, 16);
    EXPECT_FALSE(r > 160 && g < 90 && b < 90) << c << " reads as an alarm";
    EXPECT_TRUE(seen.insert(c).second) << c << " twice";
  }
  EXPECT_FALSE(seen.count(kAlarmColour));
  EXPECT_EQ(SeriesColour(static_cast<int>(SeriesColours().size())), SeriesColours()[0]);
}

TEST(PlotTable, CsvQuoting) {
  const struct {
    const char* text;
    const char* field;
  } cases[] = {{"plain", "plain"},        {"1,577", "\"1,577\""}, {"say \"hi\"", "\"say \"\"hi\"\"\""},
               {"two\nlines", "\"two\nlines\""}, {"cr\r", "\"cr\r\""},  {"", ""}};
  for (const auto& c : cases) EXPECT_EQ(CsvField(c.text), c.field) << c.text;
  const SweepRequest r = Request({"lblout"}, 2, {"2,000"});
  const std::vector<SweepPoint> points = {Point(0, 0, "1", {"1,577"}), Point(0, 1, "2", {""}, "Too \"hot\"")};
  const SweepCaptions captions{"Speed", "T, max", {"Out"}};
  EXPECT_EQ(SweepTable(r, captions, points, ','),
            "\"T, max\",Speed,Out,Message\n\"2,000\",1,\"1,577\",\n\"2,000\",2,,\"Too \"\"hot\"\"\"\n");
  EXPECT_EQ(SweepTable(r, captions, points, '\t'),
            "T, max\tSpeed\tOut\tMessage\n2,000\t1\t1,577\t\n2,000\t2\t\tToo \"hot\"\n");
}

TEST(PlotChart, SeriesAndMarks) {
  ChartData data;
  data.y2 = ChartAxis{"p", true};
  data.series = {ChartSeries("line", {}), ChartSeries("", {}, SeriesStyle::Dashed),
                 ChartSeries("on y2", {}, SeriesStyle::Line, true)};
  data.marks = {ChartMark("A", 1, 1, ""), ChartMark("A", 2, 2, ""), ChartMark("surge", 3, 3, "", true),
                ChartMark("B", 4, -1, "", false, true)};
  ChartLook look = DescribeChart(data);
  ASSERT_EQ(look.series.size(), 3u);
  EXPECT_EQ(look.series[0].colour, SeriesColours()[0]);
  EXPECT_EQ(look.series[1].colour, SeriesColours()[1]);  // the second series is not red
  EXPECT_EQ(look.series[1].dash, Dash::Dash);
  EXPECT_FALSE(look.series[1].inLegend);
  EXPECT_TRUE(look.series[2].secondAxis);
  EXPECT_TRUE(look.legend);
  // Two names and an alarm: a group each; a mark a log axis cannot show, none.
  ASSERT_EQ(look.marks.size(), 4u);
  EXPECT_EQ(look.marks[0].group, look.marks[1].group);
  EXPECT_EQ(look.marks[2].colour, kAlarmColour);
  EXPECT_EQ(look.marks[0].colour, kMarkColour);
  EXPECT_EQ(look.marks[3].group, -1);
  ASSERT_EQ(look.groups.size(), 2u);
  EXPECT_EQ(look.groups[1].legend, "surge");
  EXPECT_NE(look.groups[0].shape, look.groups[1].shape);
  // Without y2 nothing is read against it; many names share one entry.
  data.y2.reset();
  for (const char* name : {"C", "D", "E"}) data.marks.emplace_back(name, 1, 1, "");
  look = DescribeChart(data);
  EXPECT_FALSE(look.series[2].secondAxis);
  ASSERT_EQ(look.groups.size(), 2u);
  EXPECT_EQ(look.groups[0].legend, "Marked points");
  EXPECT_EQ(look.groups[1].legend, "Marked points (alarm)");
}

}  // namespace
}  // namespace core
