// Over every window of the suite, what both views show to start with: the
// sweep a panel offers first computes every point and draws a curve that
// changes, and every text of every chart stands clear of the others, near
// its point, for the plot areas the views give a chart.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/chart_labels.h"
#include "core/form.h"
#include "core/plot.h"
#include "core/sweep.h"
#include "core/testing/driver.h"

#include "window_programs.inc"

namespace core {
namespace {

class Windows : public ::testing::TestWithParam<WindowProgram> {
 protected:
  core::testing::ScratchFolder scratch_{"window-defaults-"};
};

FormFactory Factory(const WindowProgram& p) {
  return [make = p.make] { return make(); };
}

TEST_P(Windows, TheFirstSweepOfferedHasNoGapAndChanges) {
  const WindowProgram& p = GetParam();
  std::unique_ptr<Form> form = p.make();
  form->Load();
  // Every box starts from a range with a span.
  for (const TextBox* box : SweepInputs(*form))
    for (const auto& [from, to] : CandidateRanges(*form, *box)) EXPECT_LT(from, to) << box->id();
  const std::optional<SweepOffer> offer = DefaultOffer(*form, Factory(p));
  if (!offer) {
    EXPECT_TRUE(SweepInputs(*form).empty() || SweepOutputs(*form).empty()) << "nothing offered";
    return;
  }
  ASSERT_FALSE(offer->outputs.empty());
  EXPECT_LE(offer->outputs.size(), 2u);
  EXPECT_EQ(std::count(offer->outputs.begin(), offer->outputs.end(), offer->input), 0);
  SweepRequest request;
  request.input = offer->input;
  request.button = offer->button;
  request.from = offer->from;
  request.to = offer->to;
  request.points = kDefaultPoints;
  request.outputs = offer->outputs;
  const std::vector<SweepPoint> points = Sweep(*form, Factory(p), request).Run(SweepThreads());
  ASSERT_EQ(points.size(), static_cast<size_t>(kDefaultPoints));
  const SweepCaptions captions = CaptionsOf(*form, request, Factory(p));
  for (size_t o = 0; o < request.outputs.size(); ++o) {
    SCOPED_TRACE(captions.outputs[o] + " against " + captions.input + " from " + PointText(request.from) +
                 " to " + PointText(request.to));
    EXPECT_NE(captions.outputs[o], request.outputs[o]) << "named by its id";
    std::set<double> values;
    bool echo = true;
    for (const SweepPoint& point : points) {
      EXPECT_EQ(point.message, "") << point.text;
      const std::optional<double> y = ShownNumber(point.outputs[o]);
      ASSERT_TRUE(y) << point.text << ": " << point.outputs[o];
      values.insert(*y);
      echo = echo && *y == ReadRangeEnd(point.text).value_or(NAN);
    }
    EXPECT_GT(values.size(), 1u) << "a straight line across";
    EXPECT_FALSE(echo) << "the swept value again";
  }
  if (points.front().outputs.size() == 2) {
    bool same = true;
    for (const SweepPoint& point : points) same = same && point.outputs[0] == point.outputs[1];
    EXPECT_FALSE(same) << "two results on one curve";
  }
}

// The texts a chart asks for that the drawing can show.
size_t Wanted(const ChartData& data, const ChartLook& look) {
  size_t n = 0;
  for (size_t m = 0; m < data.marks.size(); ++m)
    n += look.marks[m].group >= 0 && !(data.marks[m].text.empty() && data.marks[m].name.empty());
  for (const ChartSeries& s : data.series)
    for (size_t i = 0; i < s.labels.size() && i < s.points.size(); ++i) n += s.points[i] && !s.labels[i].empty();
  return n;
}

// Plot areas as the chart windows lay them out: the desktop's at its first
// size and a small one, the browser panel's.
struct Area {
  double left, top, width, height;
};
constexpr Area kAreas[] = {{78, 62, 880, 470}, {70, 50, 560, 300}, {70, 50, 620, 380}};

TEST_P(Windows, EveryChartsTextsStandApartBesideTheirPoints) {
  const WindowProgram& p = GetParam();
  std::unique_ptr<Form> probe = p.make();
  probe->Load();
  const std::vector<std::string> names = probe->ChartNames();
  if (names.empty()) return;
  // The window as loaded, then after each of its compute buttons.
  std::vector<std::string> presses = {""};
  for (const Button* b : SweepButtons(*probe))
    if (b->text() == "Compute" || b->text() == "Calculate" || b->look == Look::Compute) presses.push_back(b->id());
  int drawn = 0;
  for (const std::string& press : presses) {
    std::unique_ptr<Form> form = p.make();
    form->Load();
    if (!press.empty()) form->UserClick(*form->FindById(press));
    for (const std::string& name : names) {
      const ChartData data = form->Chart(name);
      if (!data.available()) continue;
      const ChartLook look = DescribeChart(data);
      for (const Area& a : kAreas) {
        SCOPED_TRACE(name + " after " + (press.empty() ? "loading" : press) + " in " +
                     std::to_string(static_cast<int>(a.width)) + " x " + std::to_string(static_cast<int>(a.height)));
        const PixelFrame frame = FrameOf(data, look, a.left, a.top, a.width, a.height);
        const std::vector<ChartLabel> labels = PlaceLabels(data, look, frame);
        EXPECT_EQ(labels.size(), Wanted(data, look)) << "a text left out";
        for (size_t i = 0; i < labels.size(); ++i) {
          const ChartLabel& l = labels[i];
          EXPECT_LE(Reach(l), kLabelReach) << l.text;
          EXPECT_GE(l.left, a.left - 2) << l.text;
          EXPECT_LE(l.left + l.width, a.left + a.width + 2) << l.text;
          EXPECT_GE(l.top, a.top - 2) << l.text;
          EXPECT_LE(l.top + l.height, a.top + a.height + 2) << l.text;
          for (size_t k = i + 1; k < labels.size(); ++k)
            EXPECT_FALSE(Overlap(l, labels[k])) << "\"" << l.text << "\" on \"" << labels[k].text << "\"";
        }
        ++drawn;
      }
    }
  }
  EXPECT_GT(drawn, 0) << "no chart drawn";
}

INSTANTIATE_TEST_SUITE_P(Suite, Windows, ::testing::ValuesIn(kWindowPrograms),
                         [](const ::testing::TestParamInfo<WindowProgram>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace core
