#include "lib/engine_maps/matching.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace engine_maps {
namespace {

// On a straight line the secant lands on the root at its second step,
// whatever the first step was.
TEST(Secant, FirstAFixedStepThenThroughTheLastTwoPoints) {
  struct Case {
    double start, firstStep, slope, root;
  };
  for (const Case c : {Case{10, 1, 2, 3}, Case{1000, 100, -0.5, 1234}, Case{0, 10, 7, -4}}) {
    auto err = [&](double x) { return c.slope * (x - c.root); };
    Secant s(c.firstStep);
    double x = s.Next(c.start, err(c.start));
    EXPECT_EQ(x, c.start + c.firstStep);
    EXPECT_EQ(s.previous(), c.start);
    x = s.Next(x, err(x));
    EXPECT_NEAR(x, c.root, 1e-9 * std::fabs(c.root) + 1e-12);
  }
}

TEST(Secant, TwoEqualErrorsHaveNoSlope) {
  Secant s(1);
  s.Next(1, 5);
  EXPECT_THROW(s.Next(2, 5), NoMatch);
}

TEST(SpeedHalving, HalfwayBackABoundedNumberOfTimesInARow) {
  SpeedHalving h(3);
  EXPECT_THROW(h.Back(0, 5000, 0), NoMatch);  // the first speed has nothing to go back to
  float nc2 = 6000;
  for (int i = 0; i < 3; ++i) nc2 = h.Back(1 + i, nc2, 4000);
  EXPECT_EQ(nc2, 4250.0f);
  EXPECT_THROW(h.Back(4, nc2, 4000), NoMatch);
  h.Matched();  // a matched speed starts the count again
  EXPECT_EQ(h.Back(5, 5000, 4000), 4500.0f);
}

TEST(TurbineCount, EndsTheMatchPastItsBound) {
  TurbineCount count(2);
  count.Pass();
  count.Pass();
  EXPECT_THROW(count.Pass(), NoMatch);
  EXPECT_EQ(count.used(), 3);
}

TEST(FlowError, NotFiniteEndsTheMatch) {
  EXPECT_DOUBLE_EQ(FlowError(10, 9, 10), 1);
  EXPECT_THROW(FlowError(10, 1, 0), NoMatch);
  EXPECT_THROW(FlowError(std::numeric_limits<double>::quiet_NaN(), 1, 1), NoMatch);
}

engine_maps::Turbine DesignTurbine() { return {0.28f, 0.1f, 0.1f, 35, 4000, 0.9}; }

// A turbine that must give more work than the gas holds ends the match; one
// with a plain work ratio settles, and its Tt5 follows the ratio in the
// precision the caller keeps it in.
TEST(TurbinePasses, SettlesOrEndsTheMatch) {
  const Bounds bounds{100, 10, 10, 3, 1000};
  TurbineCount count(bounds.matchTurbinePasses);
  TurbineCarry carry{0.28, 0.9};
  float tt5 = 1500;
  const TurbinePoint p = TurbinePasses(
      DesignTurbine(), 2400, tt5, 35, 4000, carry, [](const engine_maps::Gas&) { return 0.8; },
      bounds, count);
  EXPECT_EQ(tt5, static_cast<float>(0.8 * 2400));
  EXPECT_EQ(p.tr5, 0.8);
  EXPECT_GT(p.pit, 0);
  EXPECT_LT(p.pit, 1);
  EXPECT_GT(count.used(), 0);

  double hot = 1500;
  EXPECT_THROW(TurbinePasses(
                   DesignTurbine(), 2400, hot, 35, 4000, carry,
                   [](const engine_maps::Gas&) { return -1.0; }, bounds, count),
               NoMatch);
}

TEST(TurbinePasses, TheWholeMatchIsBounded) {
  const Bounds bounds{100, 10, 10, 3, 1};
  TurbineCount count(bounds.matchTurbinePasses);
  TurbineCarry carry{0.28, 0.9};
  double tt5 = 1500;
  auto work = [](const engine_maps::Gas&) { return 0.8; };
  EXPECT_THROW(
      {
        TurbinePasses(DesignTurbine(), 2400, tt5, 35, 4000, carry, work, bounds, count);
        TurbinePasses(DesignTurbine(), 2400, tt5, 35, 4000, carry, work, bounds, count);
      },
      NoMatch);
}

}  // namespace
}  // namespace engine_maps
