// Checks both cycle programs' chart tests make of a computed cycle's charts:
// each station marked and tabled with the cycle's own digits, entropy rising
// through the lossy components and not through the ideal ones, and finite
// numbers wherever a chart is drawn.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/chart.h"
#include "core/testing/driver.h"

namespace cycle_charts::checks {

inline const core::ChartMark* StationMark(const core::ChartData& chart, const std::string& number) {
  for (const core::ChartMark& m : chart.marks)
    if (m.name.rfind("Station " + number + ",", 0) == 0) return &m;
  return nullptr;
}

struct Component {
  const char *from, *to;
};

// The stations against the temperature and pressure the cycle stored for
// each; the table lists them in station order, whatever the order computed.
inline void ExpectStationsAsStored(
    const core::ChartData& ts, const core::ChartData& table,
    const std::vector<std::string>& stations,
    const std::function<std::pair<float, float>(const std::string&)>& stored) {
  ASSERT_EQ(ts.marks.size(), stations.size());
  ASSERT_EQ(table.table.size(), stations.size() + 1);
  for (size_t i = 0; i < stations.size(); ++i) {
    const std::string& number = stations[i];
    const auto [t, p] = stored(number);
    const core::ChartMark* mark = StationMark(ts, number);
    ASSERT_NE(mark, nullptr) << number;
    EXPECT_EQ(mark->y, t) << number;
    const std::vector<std::string>* found = nullptr;
    for (size_t r = 1; r < table.table.size(); ++r)
      if (table.table[r][0] == number) found = &table.table[r];
    ASSERT_NE(found, nullptr) << number;
    const std::vector<std::string>& row = *found;
    EXPECT_EQ(std::strtof(row[2].c_str(), nullptr), t) << number << " " << row[2];
    EXPECT_EQ(std::strtof(row[3].c_str(), nullptr), p) << number << " " << row[3];
  }
  for (size_t r = 2; r < table.table.size(); ++r)
    EXPECT_LE(std::strtod(table.table[r - 1][0].c_str(), nullptr), std::strtod(table.table[r][0].c_str(), nullptr))
        << table.table[r - 1][0] << " before " << table.table[r][0];
  EXPECT_EQ(StationMark(ts, stations.front())->x, 0)
      << "entropy is measured from the first station";
}

// Entropy rises through the real components and stays through the ideal.
inline void ExpectEntropyAlong(const core::ChartData& ts, const std::vector<Component>& real,
                               const std::vector<Component>& ideal) {
  for (const Component& c : real)
    EXPECT_GT(StationMark(ts, c.to)->x - StationMark(ts, c.from)->x, 1e-4)
        << c.from << " to " << c.to;
  for (const Component& c : ideal)
    EXPECT_NEAR(StationMark(ts, c.to)->x, StationMark(ts, c.from)->x, 1e-6)
        << c.from << " to " << c.to;
}

// A chart either says why it is not drawn or draws finite numbers only.
inline void ExpectFiniteOrReason(const core::ChartData& ts, const std::string& context) {
  if (!ts.available()) {
    EXPECT_FALSE(ts.unavailable.empty()) << context;
    return;
  }
  for (const core::ChartMark& m : ts.marks)
    EXPECT_TRUE(std::isfinite(m.x) && std::isfinite(m.y)) << context << " " << m.name;
  for (const core::ChartSeries& series : ts.series)
    for (const core::ChartPoint& p : series.points)
      EXPECT_TRUE(p && std::isfinite(p->first) && std::isfinite(p->second))
          << context << " " << series.name;
}

// Whatever is typed into each of boxes, with either gas rule and the lists
// of selects set, a cycle window's T-s diagram draws finite numbers or says
// why not, and a calculation that did not compute draws nothing.
template <class W>
void ExpectOddInputsGiveFiniteChartsOrReasons(
    const std::vector<const char*>& boxes,
    const std::vector<std::pair<const char*, const char*>>& selects,
    const std::function<bool(const W&)>& computed) {
  const char* texts[] = {"0", "-1", "1e30", "1e-30", "1", "0.5", "40"};
  for (const char* igc : {"y", "n"}) {
    for (const char* box : boxes) {
      for (const char* text : texts) {
        core::testing::Driven<W> w;
        w.Select("lstIGC", igc);
        for (const auto& [list, item] : selects) w.Select(list, item);
        w.Type(box, text);
        w.Calculate();
        const core::ChartData ts = w.form.Chart("ts-diagram");
        EXPECT_TRUE(computed(w.form) || !ts.available()) << box << " " << text;
        ExpectFiniteOrReason(ts, std::string(box) + " " + text);
      }
    }
  }
}

}  // namespace cycle_charts::checks
