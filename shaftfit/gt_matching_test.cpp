#include "shaftfit/gt_matching.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace shaftfit {
namespace {

// The window's defaults; "n" takes the regenerator out.
GtInputs Defaults(const std::string& regenerator) {
  GtInputs in;
  in.comp = {0.1339f, 0.0154632f, 0.90f, 0.00001f, 10.0f, 9000.0f, 0.88, 0.04f};
  in.burn = {2.77f, 0.0f, 18000, 0.91};
  in.turb = {0.07f, 0.2f, 0.1f, 20, 4300, 0.92};
  in.s1 = 0.005f;
  in.s2 = 0.0f;
  in.z1 = 0.000001f;
  in.z2 = 0.0000005f;
  in.z3 = 0.00000003253f;
  in.z4 = 3.0f;
  in.f = 0.02f;
  in.p0 = 14.69f;
  in.t0 = 520;
  in.tt5 = 1350;
  in.nc2 = regenerator == "y" ? 9300 : 9000;
  in.mc1 = regenerator == "y" ? 136.6f : 132.2f;
  if (regenerator != "n") {
    in.effectiveness = 0.75f;
    in.b33x = 0.00005f;
    in.b55x = 0.0000002f;
  }
  return in;
}

TEST(GtMatching, WithoutRegeneratorTheStationsCoincide) {
  std::vector<GtPass> trace;
  GtWatch watch;
  watch.trace = &trace;
  const GtResult r = MatchGt(Defaults("n"), watch);
  ASSERT_TRUE(r.converged);
  EXPECT_EQ(r.tt3x, r.tt3);
  EXPECT_EQ(r.pi33x, 1.0);
  EXPECT_EQ(r.pi55x, 1.0);
  EXPECT_EQ(r.tt5x, static_cast<double>(r.tt5));
  EXPECT_FALSE(r.regenWarm);  // Tt5 above Tt3
  // The first speed step is +10 rpm from the guess, from the last mc1.
  size_t first = 0;
  while (first < trace.size() && trace[first].nc2 == 9000.0f) ++first;
  ASSERT_LT(first, trace.size());
  EXPECT_EQ(trace[first].nc2, 9010.0f);
  EXPECT_NEAR(trace[0].mc1, 132.2, 1e-4);
  EXPECT_NEAR(trace[0].mc2, 132.2 / (1 - 1e-6 * 132.2 * 132.2), 1e-4);
}

// Power, efficiency and fuel consumption make sense, with and without the
// regenerator (no list choice keeps the regenerator's constants).
TEST(GtMatching, DefaultsMakePhysicalSense) {
  struct Row {
    const char* choice;
    bool regenerated;
  };
  const Row rows[] = {{"n", false}, {"y", true}, {"", true}};
  double plain = 0;
  for (const Row& row : rows) {
    const GtResult r = MatchGt(Defaults(row.choice));
    ASSERT_TRUE(r.converged) << row.choice;
    EXPECT_FALSE(r.surged);
    const double choke = 0.0154632f * r.nc2;
    EXPECT_GT(r.mc2, 0.9f * choke);
    EXPECT_LT(r.mc2, choke);
    EXPECT_NEAR(r.power, 3.253e-8 * r.n * r.n * r.n, 1e-3 * r.power);
    EXPECT_EQ(r.n, static_cast<double>(r.nc2));  // at 520 R
    // efficiency * SFC is 2545 / H whatever the point.
    EXPECT_NEAR(r.efficiency * r.sfc, 2545.0 / 18000, 1e-12);
    EXPECT_GT(r.efficiency, 0.25);
    EXPECT_LT(r.efficiency, 0.5);
    EXPECT_NEAR(r.m, r.mc1 * 14.69f / 14.69, 1e-9);
    EXPECT_GT(r.tt4, r.tt3);
    EXPECT_GT(r.tt5, r.tt3);
    if (row.regenerated) {
      EXPECT_GT(r.tt3x, r.tt3);
      EXPECT_LT(r.pi33x, 1);
      EXPECT_NEAR(r.tt3x, 0.75 * (r.tt5 - r.tt3) + r.tt3, 2);
      EXPECT_GT(r.efficiency, plain);  // the exhaust heat comes back
    } else {
      plain = r.efficiency;
    }
  }
}

TEST(GtMatching, SurgeAndFailures) {
  struct Case {
    const char* why;
    GtInputs in;
    bool converged;
  };
  std::vector<Case> cases;
  // A small turbine and a light load hold the compressor above a surge
  // line moved close to choke.
  cases.push_back({"surge", Defaults("n"), true});
  cases.back().in.comp.c3 = 0.86f;
  cases.back().in.comp.c5 = 4.0f;
  cases.back().in.turb.mc4c = 15;
  cases.back().in.z3 = 2.5e-8f;
  cases.back().in.mc1 = 129.4f;
  cases.push_back({"no fuel", Defaults("n"), false});
  cases.back().in.f = 0;
  cases.push_back({"turbine too small to pass the surge flow", Defaults("n"), false});
  cases.back().in.turb.mc4c = 5;
  cases.push_back({"load the turbine cannot carry", Defaults("n"), false});
  cases.back().in.z3 = 1e-5f;
  for (const Case& c : cases) {
    const GtResult r = MatchGt(c.in);
    EXPECT_EQ(r.converged, c.converged) << c.why;
    if (c.converged) {
      EXPECT_TRUE(r.surged) << c.why;
      EXPECT_GT(r.pic, 1 + 0.1339f * r.mc2) << c.why;
      EXPECT_LT(r.mc2, 0.86f * 0.0154632f * r.nc2) << c.why;
    } else {
      EXPECT_EQ(r.nc2, 0) << c.why;
      EXPECT_EQ(r.tt5, 0) << c.why;
      EXPECT_EQ(r.power, 0) << c.why;
      EXPECT_EQ(r.mc1, 0) << c.why;
      EXPECT_FALSE(r.surged) << c.why;
      EXPECT_FALSE(r.regenWarm) << c.why;
    }
  }
}

TEST(GtMatching, TurbineRatioIsReportedWhileItRuns) {
  std::vector<double> seen;
  GtWatch watch;
  watch.turbineRatio = [&](double ratio) { seen.push_back(ratio); };
  const GtResult r = MatchGt(Defaults("n"), watch);
  ASSERT_TRUE(r.converged);
  ASSERT_FALSE(seen.empty());
  for (double ratio : seen) {
    EXPECT_GT(ratio, 0.4);
    EXPECT_LT(ratio, 1);
  }
  EXPECT_NEAR(seen.back(), r.tt5 / r.tt4, 1e-6);
}

}  // namespace
}  // namespace shaftfit

namespace shaftfit {
namespace {

// A huge pressure loss on the hot side of the regenerator: the loops wander
// through tens of thousands of turbine passes before the match fails, and
// every pass shows its ratio (formatting each one exactly once cost seconds).
TEST(GtMatching, HugeHotSideLossShowsEveryPassAndFails) {
  GtInputs in = Defaults("y");
  in.b55x = 360;
  long shown = 0;
  GtWatch watch;
  watch.turbineRatio = [&](double) { ++shown; };
  const GtResult r = MatchGt(in, watch);
  EXPECT_FALSE(r.converged);
  EXPECT_EQ(r.nc2, 0);
  EXPECT_GT(r.turbinePasses, 10000);
  EXPECT_LE(r.turbinePasses, kMatchTurbinePasses);
  EXPECT_GT(shown, r.turbinePasses - 100);
}

}  // namespace
}  // namespace shaftfit
