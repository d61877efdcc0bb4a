#include "nozzle/nozzle_flow.h"

#include <gtest/gtest.h>

#include <cmath>

namespace nozzle {
namespace {

TEST(NozzleFlow, LossFreeNozzleIsIsentropic) {
  const Gas gas(1.4f, 1);
  struct Case {
    double m, area, ppt;
  };
  // Isentropic A/A* = ((1 + 0.2 M²)/1.2)³/M and p/pt = (1 + 0.2 M²)^-3.5.
  const Case cases[] = {{1, 1, 0.528282}, {2, 1.6875, 0.127805}, {0.5, 1.339844, 0.843019}};
  for (const Case& c : cases) {
    EXPECT_NEAR(AreaRatio(gas, c.m), c.area, 1e-6) << c.m;
    EXPECT_NEAR(PressureRatio(gas, c.m), c.ppt, 1e-6) << c.m;
    EXPECT_NEAR(MachOfPressureRatio(gas, c.ppt), c.m, 1e-5) << c.m;
  }
  const MinimumArea minimum = SearchMinimumArea(gas);
  ASSERT_TRUE(minimum.found);
  EXPECT_NEAR(minimum.amin, 1, 5e-6);
  EXPECT_NEAR(minimum.mmin, 1, 5e-6);
}

TEST(NozzleFlow, LossesMoveTheMinimumBelowMachOne) {
  const Gas gas(1.36f, 0.97f);
  const MinimumArea minimum = SearchMinimumArea(gas);
  ASSERT_TRUE(minimum.found);
  EXPECT_NEAR(minimum.amin, 0.99951, 5e-6);
  // The search only steps forward: the true minimum lies between 0.97 and
  // 0.98, so every finer step overshoots and 0.98 stays.
  EXPECT_NEAR(minimum.mmin, 0.98, 1e-12);
  EXPECT_NEAR(AreaRatio(gas, 0.65f), 1.1234, 5e-5);
  EXPECT_NEAR(PressureRatio(gas, 0.65f), 0.7514, 5e-5);
  EXPECT_NEAR(MachOfPressureRatio(gas, 0.75f), 0.652216, 1e-5);
  // Beyond T/Tt6 = 1 − η the expansion cannot go: no value, no failure.
  EXPECT_FALSE(std::isfinite(AreaRatio(gas, 14)));
  EXPECT_FALSE(std::isfinite(PressureRatio(gas, 14)));
  EXPECT_FALSE(std::isfinite(MachOfPressureRatio(gas, 1.5)));
}

// The minimum search settles within some 150 evaluations wherever the area
// turns up again. For γ = 2 and η = 0.01 it never does (K < 0 and A falls
// like √3/M² for ever): the bound ends the search and nothing is found.
TEST(NozzleFlow, MinimumSearchEndsWithinItsBound) {
  struct Case {
    float g, eta;
    bool found;
    double mmin, amin;
  };
  const Case cases[] = {{1.4f, 1, true, 1, 1}, {2, 0.01f, false, 0, 0}, {5, 1e-6f, false, 0, 0}};
  for (const Case& c : cases) {
    const MinimumArea m = SearchMinimumArea(Gas(c.g, c.eta));
    ASSERT_EQ(m.found, c.found) << c.g << " " << c.eta;
    if (c.found) {
      EXPECT_NEAR(m.mmin, c.mmin, 1e-6);
      EXPECT_NEAR(m.amin, c.amin, 1e-6);
    }
  }
}

// Area ratios far from the minimum: the secant leaves its branch or runs
// out, the bracket grows or shrinks by halves. Loss-free, γ = 1.4, A8/A* =
// 1e6: A ≈ 0.5787/M low (M 5.787e-7) and the root M 46.375 high, by hand.
TEST(NozzleFlow, FarAreaRatiosOnEachBranch) {
  const Gas gas(1.4f, 1);
  const MinimumArea minimum = SearchMinimumArea(gas);
  const auto low = SolveAreaRatio(gas, 1e6f, false, minimum.mmin);
  const auto high = SolveAreaRatio(gas, 1e6f, true, minimum.mmin);
  ASSERT_TRUE(low && high);
  EXPECT_NEAR(*low, 5.787e-7, 1e-10);
  EXPECT_NEAR(*high, 46.375, 1e-3);
  EXPECT_TRUE(SolveAreaRatio(gas, 3e38f, true, minimum.mmin).has_value());
  EXPECT_TRUE(SolveAreaRatio(gas, 3e38f, false, minimum.mmin).has_value());
}

TEST(NozzleFlow, AreaRatioOnEachBranch) {
  const Gas gas(1.36f, 0.97f);
  const double mmin = SearchMinimumArea(gas).mmin;
  struct Case {
    float aa;
    bool higher;
    double mach;
  };
  const Case cases[] = {
      {1.12f, false, 0.6538}, {1.12f, true, 1.3663},
      // The secant stalls on two equal residuals here.
      {1.8f, true, 1.9810}, {3.0f, true, 2.4763},
      // Here it leaves the subsonic branch for the supersonic root 2.3068.
      {2.5f, false, 0.2355},
      // Here it meets a negative base of a fractional power.
      {3.0f, false, 0.1941},
      {1.8f, false, 0.3390}, {2.5f, true, 2.3068},
  };
  for (const Case& c : cases) {
    const auto m = SolveAreaRatio(gas, c.aa, c.higher, mmin);
    ASSERT_TRUE(m) << c.aa << " " << c.higher;
    EXPECT_NEAR(*m, c.mach, 5e-5) << c.aa << " " << c.higher;
    EXPECT_NEAR(AreaRatio(gas, *m), c.aa, 1e-6) << c.aa << " " << c.higher;
  }
  // An area on the minimum, to its tolerance, is the minimum itself.
  const float atMinimum = static_cast<float>(AreaRatio(gas, mmin) + 5e-7);
  for (bool higher : {false, true}) {
    const auto m = SolveAreaRatio(gas, atMinimum, higher, mmin);
    ASSERT_TRUE(m);
    EXPECT_NEAR(*m, mmin, 0.01);
  }
}

TEST(NozzleFlow, MassFlowOfTheDefaults) {
  const Gas gas(1.36f, 0.97f);
  struct Case {
    float m8;
    double mdot, mdotc;
  };
  const Case cases[] = {{0.65f, 61.31, 73.96}, {0.6538f, 61.50, 74.18}, {1.3663f, 61.50, 74.18}};
  for (const Case& c : cases) {
    const Flow f = MassFlow(gas, 1.36f, c.m8, PressureRatio(gas, c.m8), 1400, 20, 250);
    EXPECT_NEAR(f.mdot, c.mdot, 0.01) << c.m8;
    EXPECT_NEAR(f.mdotc, c.mdotc, 0.01) << c.m8;
  }
}

}  // namespace
}  // namespace nozzle
