// Checks of the ts-line chart of a table window, shared by the Fanno and
// Rayleigh tests: the window driven as a person would.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>
#include <string>

#include "flowtables/family.h"
#include "flowtables/ts_chart.h"
#include "core/form.h"

namespace flowtables {

struct TsCase {
  const char* option;  // the single-value option to choose
  const char* box;     // its input box
  const char* text;    // typed there
  const char* gamma;
  bool subsonic;       // the branch the state lies on
};

inline void PrintTo(const TsCase& c, std::ostream* os) {
  *os << c.option << " " << c.text << " γ " << c.gamma;
}

inline const core::ChartMark* FindMark(const core::ChartData& chart, const std::string& name) {
  for (const core::ChartMark& m : chart.marks)
    if (m.name == name) return &m;
  return nullptr;
}

// Computes the case in the window; the chart marks the window's state, on its
// branch, and the entropy is largest at the sonic point.
template <class Window>
void CheckStateOnTheLine(const TsCase& c, const std::string& machLabel) {
  Window form;
  form.Load();
  auto* gamma = static_cast<core::TextBox*>(form.FindById("txtg"));
  form.UserType(*gamma, c.gamma);
  form.UserClick(*form.FindById(c.option));
  form.UserType(*static_cast<core::TextBox*>(form.FindById(c.box)), c.text);
  form.UserClick(*form.FindById("cmdscompute"));
  ASSERT_EQ(form.FindById("lblError")->text(), "");
  const core::ChartData chart = form.Chart(kTsLineChart);
  ASSERT_TRUE(chart.available()) << chart.unavailable;
  EXPECT_NE(chart.title.find(c.gamma), std::string::npos) << chart.title;
  const core::ChartMark* state = FindMark(chart, "State");
  const core::ChartMark* sonic = FindMark(chart, "Sonic point");
  ASSERT_TRUE(state && sonic);
  // The window's T/T*, and its Mach number beside the mark.
  EXPECT_EQ(Out(state->y), form.FindById("lblt1")->text());
  std::string mach = machLabel.empty() ? form.FindById(c.box)->text() : form.FindById(machLabel)->text();
  if (!mach.empty() && mach.back() == '.') mach.pop_back();
  EXPECT_EQ(state->text.rfind("M = " + mach + ",", 0), 0u) << state->text << " vs " << mach;
  EXPECT_EQ(Out(sonic->y), "1.");
  EXPECT_NEAR(sonic->x, 0, 1e-12);
  ASSERT_EQ(chart.series.size(), 3u);
  // The Mach numbers marked along the line lie on it.
  for (size_t i = 0; i < chart.series[2].points.size(); ++i) {
    const std::string label = chart.series[2].labels.at(i);
    const double m = std::stod(label.substr(4));
    const auto& on = chart.series[m < 1 ? 0 : 1].points;
    EXPECT_GE(chart.series[2].points[i]->first, std::min(on.front()->first, on.back()->first)) << label;
    EXPECT_LE(chart.series[2].points[i]->first, sonic->x) << label;
  }
  // Entropy rises along each branch toward M = 1 and is largest there.
  double largest = -1e300;
  for (size_t b = 0; b < 2; ++b) {
    const auto& pts = chart.series[b].points;
    ASSERT_GT(pts.size(), 100u);
    for (size_t i = 1; i < pts.size(); ++i) {
      ASSERT_TRUE(pts[i] && pts[i - 1]);
      if (b == 0)
        EXPECT_GT(pts[i]->first, pts[i - 1]->first) << "subsonic " << i;
      else
        EXPECT_LT(pts[i]->first, pts[i - 1]->first) << "supersonic " << i;
    }
    for (const auto& p : pts) largest = std::max(largest, p->first);
  }
  EXPECT_EQ(largest, sonic->x);
  EXPECT_EQ(*chart.series[0].points.back(), std::pair(sonic->x, sonic->y));
  EXPECT_EQ(*chart.series[1].points.front(), std::pair(sonic->x, sonic->y));
  // The state lies on its branch: near one of its segments.
  EXPECT_LE(state->x, sonic->x);
  const auto& branch = chart.series[c.subsonic ? 0 : 1].points;
  double nearest = 1e300;
  for (size_t i = 1; i < branch.size(); ++i) {
    const auto a = *branch[i - 1], b = *branch[i];
    const double dx = b.first - a.first, dy = b.second - a.second;
    const double len = dx * dx + dy * dy;
    const double f =
        len > 0 ? std::clamp(((state->x - a.first) * dx + (state->y - a.second) * dy) / len, 0.0, 1.0) : 0;
    nearest = std::min(nearest, std::hypot(state->x - a.first - f * dx, state->y - a.second - f * dy));
  }
  const bool on = nearest < 1e-3;
  EXPECT_TRUE(on) << state->x << " " << state->y << " off by " << nearest;
}

// No chart after a failure or a warning; the reason stays after the error
// line has gone.
template <class Window>
void CheckUnavailable(const char* option, const char* box, const char* beyond, const char* warning) {
  Window form;
  form.Load();
  EXPECT_TRUE(form.Chart(kTsLineChart).available()) << "the load step computes";
  auto* gamma = static_cast<core::TextBox*>(form.FindById("txtg"));
  form.UserType(*gamma, "1");
  form.UserClick(*form.FindById("cmdscompute"));
  const std::string error = form.FindById("lblError")->text();
  ASSERT_FALSE(error.empty());
  core::ChartData chart = form.Chart(kTsLineChart);
  EXPECT_FALSE(chart.available());
  EXPECT_NE(chart.unavailable.find(error), std::string::npos) << chart.unavailable;
  form.UserType(*gamma, "1.4");
  EXPECT_EQ(form.FindById("lblError")->text(), "");
  EXPECT_NE(form.Chart(kTsLineChart).unavailable.find(error), std::string::npos);
  form.UserClick(*form.FindById("cmdscompute"));
  EXPECT_TRUE(form.Chart(kTsLineChart).available());
  form.UserClick(*form.FindById(option));
  form.UserType(*static_cast<core::TextBox*>(form.FindById(box)), beyond);
  form.UserClick(*form.FindById("cmdscompute"));
  chart = form.Chart(kTsLineChart);
  EXPECT_FALSE(chart.available());
  EXPECT_NE(chart.unavailable.find(warning), std::string::npos) << chart.unavailable;
}

}  // namespace flowtables
