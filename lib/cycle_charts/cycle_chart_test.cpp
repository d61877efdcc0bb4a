#include "lib/cycle_charts/cycle_chart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "lib/gas/gas_properties.h"

namespace cycle_charts {
namespace {

// --- the entropy rule against closed forms ---

TEST(CycleEntropy, MatchesTheClosedFormsOfBothCpRules) {
  // Constant cp: cp ln(T2/T1) − R ln(p2/p1).
  EntropyRule constant;
  constant.constantCp = gas::ConstantGasWide(1.4f).cp;
  EXPECT_DOUBLE_EQ(
      constant.Rise(500, 14.7, 1000, 100),
      constant.constantCp * std::log(2.0) - gas::kGasConstantBtu * std::log(100 / 14.7));
  // cp = A·e^(cT): ∫ cp/T dT = A (Ei(cT2) − Ei(cT1)).
  EntropyRule variable;
  variable.cp = [](double t) { return gas::VariableGasWide(t).cp; };
  const double c = 9.7247e-5 * std::log(2.718281828);
  struct Span {
    double t1, t2;
  };
  for (const Span& span :
       {Span{518.7, 1289}, Span{2500, 1636}, Span{400, 4000}, Span{800, 800.5}}) {
    const double exact = 0.2269807 * (std::expint(c * span.t2) - std::expint(c * span.t1));
    EXPECT_NEAR(variable.HeatIntegral(span.t1, span.t2), exact, 1e-8) << span.t1 << " " << span.t2;
  }
  // No entropy at or below absolute zero, nor at a pressure of nothing.
  for (const EntropyRule& rule : {constant, variable}) {
    EXPECT_TRUE(std::isnan(rule.Rise(0, 14.7, 500, 14.7)));
    EXPECT_TRUE(std::isnan(rule.Rise(500, 14.7, -10, 14.7)));
    EXPECT_TRUE(std::isnan(rule.Rise(500, 0, 500, 14.7)));
    EXPECT_TRUE(std::isnan(rule.Rise(500, 14.7, INFINITY, 14.7)));
  }
}

TEST(CycleEntropy, SingleTextReadsBackAsTheSameSingle) {
  for (float v : {518.7f, 14.69f, 1289.0242f, 2500.0f, 0.1f, 1e-6f, 3.0e7f, 259.29727f, -40.5f,
                  1e-40f, 3.4e38f})
    EXPECT_EQ(std::strtof(SingleText(v).c_str(), nullptr), v) << SingleText(v);
  EXPECT_EQ(SingleText(14.69f), "14.69");
  EXPECT_EQ(SingleText(2500.0f), "2500");
  EXPECT_EQ(SingleText(1e-5f), "0.00001");
}

// A fan's stations are computed after the core's nozzle: the table still
// reads in station order, a lettered station after its plain number.
TEST(CycleStations, TableInStationOrder) {
  CycleDiagram d;
  for (const char* number : {"0", "2", "3", "3x", "4", "5", "5.5", "6", "8", "7", "7.5", "9", "5x"})
    d.stations.push_back({number, std::string("station ") + number, number, 500, 15});
  const core::ChartData table = StationsChart(d);
  std::vector<std::string> order;
  for (size_t r = 1; r < table.table.size(); ++r) order.push_back(table.table[r][0]);
  EXPECT_EQ(order, (std::vector<std::string>{"0", "2", "3", "3x", "4", "5", "5x", "5.5", "6", "7", "7.5", "8", "9"}));
  EXPECT_EQ(table.table.front().size(), 4u);
}

}  // namespace
}  // namespace cycle_charts
