#include "flowmarch/duct_chart.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "flowmarch/flowmarch_window.h"
#include "core/numtext.h"
#include "core/testing/driver.h"

namespace flowmarch {
namespace {

using Driven = core::testing::Driven<FlowMarch>;
using core::testing::FindMark;

struct DuctCase {
  const char* name;
  std::vector<std::pair<const char*, const char*>> typed;
  int chokedAt;  // 0: reaches the exit
  bool rising;   // the Mach number grows along the duct
};

TEST(DuctChart, FollowsTheMarchToTheExitOrToWhereItChokes) {
  const DuctCase cases[] = {
      {"defaults", {}, 0, true},
      {"no heat", {{"txttt6", "0"}}, 0, true},  // friction alone drives it toward 1
      {"diffuser", {{"txttt6", "0"}, {"txta6a5", "1.5"}, {"txtf", "0"}}, 0, false},
      {"heated subsonic", {{"txttt6", "5000"}}, 2704, true},
      {"heated supersonic", {{"txtm1", "2"}, {"txtm2", "2"}}, 767, false},
  };
  for (const DuctCase& c : cases) {
    Driven w;
    for (const auto& [box, text] : c.typed) w.Type(box, text);
    w.Calculate();
    ASSERT_EQ(w.Text("lblError"), "") << c.name;
    const core::ChartData chart = w.form.Chart("duct");
    ASSERT_TRUE(chart.available()) << c.name << ": " << chart.unavailable;
    ASSERT_GE(chart.series.size(), 3u);
    const auto& mach = chart.series[0].points;
    ASSERT_GT(mach.size(), 10u) << c.name;
    EXPECT_EQ(mach.front()->first, 0) << c.name;
    for (size_t i = 1; i < mach.size(); ++i) {
      EXPECT_GT(mach[i]->first, mach[i - 1]->first) << c.name;
      if (c.rising)
        EXPECT_GT(mach[i]->second, mach[i - 1]->second) << c.name << " " << i;
      else
        EXPECT_LT(mach[i]->second, mach[i - 1]->second) << c.name << " " << i;
    }
    // Temperature and pressure start at the entry state.
    EXPECT_EQ(chart.series[1].points.front()->second, 1);
    EXPECT_EQ(chart.series[2].points.front()->second, 1);
    EXPECT_TRUE(chart.series[1].secondAxis && chart.series[2].secondAxis);
    const core::ChartMark* entry = FindMark(chart, "Station 5");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->y, mach.front()->second);
    const double lastMach = mach.back()->second;
    if (c.chokedAt == 0) {
      EXPECT_FALSE(w.Shown("frachk")) << c.name;
      EXPECT_EQ(mach.back()->first, 1);
      // The last Mach number is the window's exit Mach number, and so on.
      EXPECT_EQ(core::FormatPattern(lastMach, "#0.0000"), w.Text("txtm6")) << c.name;
      const core::ChartMark* exit = FindMark(chart, "Station 6");
      ASSERT_TRUE(exit) << c.name;
      EXPECT_EQ(exit->y, lastMach);
      EXPECT_NE(exit->text.find("M = " + w.Text("txtm6")), std::string::npos) << exit->text;
      // The table holds the exit as the window shows it.
      EXPECT_EQ(chart.table.back().at(3), w.Text("txtp6"));
      EXPECT_EQ(FindMark(chart, "Chokes"), nullptr);
      EXPECT_EQ(chart.table.back().at(1), w.Text("txtm6"));
    } else {
      EXPECT_TRUE(w.Shown("frachk")) << c.name;
      const core::ChartMark* chokes = FindMark(chart, "Chokes");
      ASSERT_TRUE(chokes) << c.name;
      EXPECT_TRUE(chokes->alarm);
      EXPECT_DOUBLE_EQ(chokes->x, c.chokedAt / 5000.0) << c.name;
      EXPECT_EQ(chokes->y, lastMach);
      // The march ends where it passed Mach 1.
      if (c.rising) {
        EXPECT_GE(lastMach, 1) << c.name;
        EXPECT_LT(mach[mach.size() - 2]->second, 1) << c.name;
      } else {
        EXPECT_LE(lastMach, 1) << c.name;
        EXPECT_GT(mach[mach.size() - 2]->second, 1) << c.name;
      }
      EXPECT_EQ(FindMark(chart, "Station 6"), nullptr);
    }
    ASSERT_EQ(chart.table.size(), 5u);
    EXPECT_EQ(chart.table[3][0], "5");
  }
}

TEST(DuctChart, SaysWhyWhenThereIsNoMarch) {
  Driven w;
  core::ChartData chart = w.form.Chart("duct");
  EXPECT_NE(chart.unavailable.find("Press Calculate"), std::string::npos) << chart.unavailable;
  // Too much drag for any state behind the flameholder.
  w.Type("txtm1", "0.8");
  w.Type("txtm2", "0.8");
  w.Type("txtcd2", "4");
  w.Calculate();
  EXPECT_TRUE(w.Shown("frachk"));
  chart = w.form.Chart("duct");
  EXPECT_FALSE(chart.available());
  EXPECT_NE(chart.unavailable.find("station 5"), std::string::npos) << chart.unavailable;
  // A failed computation leaves no chart, and says what failed even after
  // the error line has gone.
  w.Type("txtcd2", "0.50");
  w.Type("txtm1", "0.30");
  w.Type("txtm2", "0.30");
  w.Calculate();
  EXPECT_TRUE(w.form.Chart("duct").available());
  for (const char* mach : {"x", "0"}) {
    w.Type("txtm1", mach);
    w.Calculate();
    const std::string error = w.Text("lblError");
    ASSERT_FALSE(error.empty()) << mach;
    chart = w.form.Chart("duct");
    EXPECT_FALSE(chart.available());
    EXPECT_NE(chart.unavailable.find(error), std::string::npos) << chart.unavailable;
    w.Type("txtm1", "0.30");
    EXPECT_EQ(w.Text("lblError"), "");
    EXPECT_NE(w.form.Chart("duct").unavailable.find(error), std::string::npos);
    w.Calculate();
  }
}

}  // namespace
}  // namespace flowmarch
