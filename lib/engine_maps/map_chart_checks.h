// Checks of the map charts both matching windows draw, made through a
// window's model against what the window shows and the maps' own functions.
// For the tests of the two windows.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "core/form.h"
#include "core/sweep.h"
#include "core/testing/driver.h"
#include "lib/engine_maps/component_maps.h"

namespace engine_maps::checks {

inline const core::ChartMark* OperatingPoint(const core::ChartData& chart) {
  for (const core::ChartMark& m : chart.marks)
    if (m.name == "Operating point") return &m;
  return nullptr;
}

inline const core::ChartSeries* Series(const core::ChartData& chart, const std::string& name) {
  for (const core::ChartSeries& s : chart.series)
    if (s.name == name) return &s;
  return nullptr;
}

// The speed lines of the map's table: drawn plain, where the matched speed
// line and the surge line are dashed.
inline std::vector<const core::ChartSeries*> TableLines(const core::ChartData& chart) {
  std::vector<const core::ChartSeries*> lines;
  for (const core::ChartSeries& s : chart.series)
    if (s.style == core::SeriesStyle::Line) lines.push_back(&s);
  return lines;
}

// The guide lines: the surge line, and the matched speed line.
inline std::vector<const core::ChartSeries*> Dashed(const core::ChartData& chart) {
  std::vector<const core::ChartSeries*> lines;
  for (const core::ChartSeries& s : chart.series)
    if (s.style == core::SeriesStyle::Dashed) lines.push_back(&s);
  return lines;
}

inline std::string Text(const core::Form& form, const char* id) {
  return form.FindById(id)->text();
}

// The value a result box shows, and half a unit of its last digit.
struct ShownValue {
  double value = 0, half = 0;
};
inline ShownValue Shown(const core::Form& form, const char* id) {
  const std::string text = Text(form, id);
  const std::optional<double> v = core::ShownNumber(text);
  EXPECT_TRUE(v) << id << " shows \"" << text << "\"";
  const size_t dot = text.find('.');
  const int decimals = dot == std::string::npos ? 0 : static_cast<int>(text.size() - dot - 1);
  return {v.value_or(NAN), 0.5 * std::pow(10.0, -decimals)};
}

inline float Single(const core::Form& form, const char* id) {
  return static_cast<float>(std::strtod(Text(form, id).c_str(), nullptr));
}

// The compressor's speed line through the point, as the matching reads the
// map (c1 to c3 Singles): the map's pressure ratio at the shown speed's ends
// brackets the point's.
inline void ExpectOnSpeedLine(const Compressor& c, const core::ChartMark& mark, double speed,
                              double half) {
  const double below = CompressorAt(c, speed - half, mark.x).pic;
  const double above = CompressorAt(c, speed + half, mark.x).pic;
  const double slack = 1e-12 * mark.y;
  EXPECT_LE(below - slack, mark.y) << "speed " << speed;
  EXPECT_GE(above + slack, mark.y) << "speed " << speed;
}

// The marked points equal what the window shows, and lie on their speed
// lines. ids: flow, ratio, speed of the compressor; pressure ratio, flow,
// speed of the turbine.
inline void ExpectMarksAreTheShownMatch(const core::Form& form, const Compressor& c,
                                        const Turbine& t) {
  const core::ChartData comp = form.Chart("compressor-map");
  ASSERT_TRUE(comp.available()) << comp.unavailable;
  const core::ChartMark* mark = OperatingPoint(comp);
  ASSERT_TRUE(mark) << comp.title;
  const ShownValue mc2 = Shown(form, "txtm2"), pic = Shown(form, "txtppc");
  const ShownValue nc2 = Shown(form, "txtn2a");
  EXPECT_NEAR(mark->x, mc2.value, mc2.half);
  EXPECT_NEAR(mark->y, pic.value, pic.half);
  EXPECT_NE(mark->text.find("Nc2 = " + Text(form, "txtn2a") + " rpm"), std::string::npos)
      << mark->text;
  ExpectOnSpeedLine(c, *mark, nc2.value, nc2.half);
  // Surged: drawn red, and above the surge line at its flow.
  const bool surged = form.FindById("frasurge")->shown();
  EXPECT_EQ(mark->alarm, surged);
  EXPECT_EQ(mark->y > SurgePressureRatio(c, mark->x), surged);

  const core::ChartData turb = form.Chart("turbine-map");
  ASSERT_TRUE(turb.available()) << turb.unavailable;
  const core::ChartMark* at = OperatingPoint(turb);
  ASSERT_TRUE(at);
  const ShownValue pit = Shown(form, "txtppt"), mc4 = Shown(form, "txtm4");
  const ShownValue nc4 = Shown(form, "txtn4");
  EXPECT_NEAR(at->x, pit.value, pit.half);
  EXPECT_NEAR(at->y, mc4.value, mc4.half);
  EXPECT_NE(at->text.find("Nc4 = " + Text(form, "txtn4") + " rpm"), std::string::npos);
  EXPECT_FALSE(at->alarm);
  // The turbine passes the matched flow within the flow tolerance of the
  // match (an error of 0.01 lbm/s in mc2).
  const double passed = TurbineFlow(t, at->x, nc4.value);
  EXPECT_NEAR(passed, at->y,
              0.011 * at->y / mc2.value + std::fabs(TurbineFlow(t, at->x, nc4.value + nc4.half) -
                                                    TurbineFlow(t, at->x, nc4.value - nc4.half)));
}

// Each speed line of the compressor table runs from its surge point (on the
// surge line) to choke, the pressure ratio falling all the way, and its
// labelled efficiencies are the map's.
struct SpeedLine {
  std::string name;
  double nc2;
};
inline void ExpectSpeedLinesSurgeToChoke(const core::ChartData& chart, const Compressor& c,
                                         const std::vector<SpeedLine>& expected) {
  ASSERT_TRUE(chart.available()) << chart.unavailable;
  const std::vector<const core::ChartSeries*> lines = TableLines(chart);
  ASSERT_EQ(lines.size(), expected.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    const core::ChartSeries& line = *lines[i];
    ASSERT_EQ(line.labels.size(), line.points.size());
    EXPECT_EQ(line.labels.back(), expected[i].name) << "named at its choke end";
    const double nc2 = expected[i].nc2;
    ASSERT_GE(line.points.size(), 11u);
    const auto& first = *line.points.front();
    EXPECT_NEAR(first.second, SurgePressureRatio(c, first.first), 1e-6 * first.second)
        << expected[i].name;
    EXPECT_NEAR(CompressorAt(c, nc2, first.first).x, 1, 1e-6) << expected[i].name;
    const auto& last = *line.points.back();
    EXPECT_NEAR(CompressorAt(c, nc2, last.first).x, 0, 1e-6) << expected[i].name;
    EXPECT_NEAR(last.first, c.c2 * nc2, 1e-4 * last.first) << expected[i].name;
    for (size_t k = 1; k < line.points.size(); ++k) {
      EXPECT_GT(line.points[k]->first, line.points[k - 1]->first) << expected[i].name;
      EXPECT_LT(line.points[k]->second, line.points[k - 1]->second) << expected[i].name;
    }
    // Its efficiencies, at points of the line.
    const core::ChartSeries* etac = Series(chart, "etac");
    ASSERT_TRUE(etac);
    ASSERT_EQ(etac->labels.size(), etac->points.size());
    int labelled = 0;
    for (size_t k = 0; k < etac->points.size(); ++k) {
      if (std::find(line.points.begin(), line.points.end(), etac->points[k]) == line.points.end())
        continue;
      ++labelled;
      EXPECT_NEAR(std::strtod(etac->labels[k].c_str(), nullptr),
                  CompressorAt(c, nc2, etac->points[k]->first).etac, 0.0005 + 1e-9)
          << expected[i].name << " at " << etac->points[k]->first;
    }
    EXPECT_GE(labelled, 3) << expected[i].name;
  }
}

// A sweep of the window that reads the matched flow and pressure ratio:
// one point of the running line per point without a message, at its shown
// values.
inline void ExpectRunningLine(core::Form& form, const core::FormFactory& make,
                              core::SweepRequest request) {
  core::Sweep sweep(form, make, request);
  const std::vector<core::SweepPoint> points = sweep.Run(1);
  form.NoteSweep(core::Trace(request, points));
  const core::ChartData chart = form.Chart("compressor-map");
  ASSERT_TRUE(chart.available()) << chart.unavailable;
  const core::ChartSeries* line = Series(chart, "Running line");
  const int flow = form.lastSweep().Column("txtm2"), ratio = form.lastSweep().Column("txtppc");
  if (flow < 0 || ratio < 0) {
    EXPECT_FALSE(line) << "a sweep that did not read mc2 and pic draws no running line";
    return;
  }
  ASSERT_TRUE(line);
  size_t k = 0;
  int gaps = 0;
  for (const core::SweepPoint& p : points) {
    if (!p.message.empty()) {
      ++gaps;
      continue;
    }
    ASSERT_LT(k, line->points.size());
    ASSERT_TRUE(line->points[k]);
    EXPECT_EQ(line->points[k]->first, core::ShownNumber(p.outputs[flow]));
    EXPECT_EQ(line->points[k]->second, core::ShownNumber(p.outputs[ratio]));
    ++k;
  }
  EXPECT_EQ(k, line->points.size());
  EXPECT_GT(k, 0u);
  EXPECT_GT(gaps, 0) << "the sweep should cross a region without a match";
}

// No operating point on either map, the maps still drawn, and the title
// says why.
inline void ExpectNoPoint(const core::Form& form, const std::string& why) {
  for (const char* name : {"compressor-map", "turbine-map"}) {
    const core::ChartData chart = form.Chart(name);
    ASSERT_TRUE(chart.available()) << name << ": " << chart.unavailable;
    EXPECT_TRUE(chart.marks.empty()) << name;
    EXPECT_FALSE(TableLines(chart).empty()) << name;
    // No matched speed line: only the surge line is dashed.
    for (const core::ChartSeries* s : Dashed(chart)) EXPECT_EQ(s->name, "Surge line") << name;
    EXPECT_NE(chart.title.find(why), std::string::npos) << name << ": " << chart.title;
  }
}

struct Edit {
  const char* box;
  const char* text;
};

// A matching window under test, loaded, with the user's actions and its
// maps as the matching reads them (the design speeds in the window's own
// precisions).
template <class Window>
class MapsTest : public core::testing::WindowTest<Window> {
 protected:
  using core::testing::Driver::Type;
  void Type(const std::vector<Edit>& edits) {
    for (const Edit& e : edits) Type(e.box, e.text);
  }
  double Read(const char* id, bool single) {
    return single ? Single(this->form, id) : std::strtod(Text(this->form, id).c_str(), nullptr);
  }
  Compressor Maps(const char* nc2dBox, bool nc2dSingle) {
    Compressor c;
    c.c1 = Single(this->form, "txtc1");
    c.c2 = Single(this->form, "txtc2");
    c.c3 = Single(this->form, "txtc3");
    c.c4 = Single(this->form, "txtc4");
    c.c5 = Single(this->form, "txtc5");
    c.nc2d = Read(nc2dBox, nc2dSingle);
    c.etacd = Read("txtetacd", false);
    c.mu = Single(this->form, "txtmu");
    return c;
  }
  Turbine TurbineMaps(bool nc4dSingle) {
    Turbine t;
    t.pitc = Single(this->form, "txtpitc");
    t.k1 = Single(this->form, "txtk1");
    t.k2 = Single(this->form, "txtk2");
    t.mc4c = Read("txtmc4c", false);
    t.nc4d = Read("txtNc4d", nc4dSingle);
    t.etatd = Read("txtetatd", false);
    return t;
  }
};

}  // namespace engine_maps::checks
