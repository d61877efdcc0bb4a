#include "thrustfit/jet_matching.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace thrustfit {
namespace {

JetInputs Defaults(Mode mode) {
  JetInputs in;
  in.mode = mode;
  in.comp = {0.08f, 0.02f, 0.80f, 0.00001f, 2.0f, 10000, 0.88, 0.10f};
  in.burn = {1.865f, 0.0f, 18000, 0.91};
  in.turb = {0.28f, 1.00f, 0.20f, 35, 4000, 0.90};
  in.f = 0.02f;
  in.pidd = 1.0f;
  in.mn = 194.22f;
  in.a = 0.0f;
  in.etand = 0.98;
  in.nozzle = "cd1";
  in.tt2 = 520;
  in.p0 = 14.69f;
  in.t0 = 520;
  in.d1 = 42000;
  in.engines = 2;
  in.nc2 = 10000;
  in.m0 = mode == Mode::Airframe ? 0.90f : 0.50f;
  return in;
}

TEST(JetMatching, GasGeneratorStartAndFirstFlowStep) {
  std::vector<FlowPass> trace;
  const JetResult r = MatchJet(Defaults(Mode::GasGenerator), &trace);
  ASSERT_TRUE(r.converged);
  ASSERT_GE(trace.size(), 3u);
  // 0.02 * 10000 * 1.8 / 2, then +1, then a secant step.
  EXPECT_NEAR(trace[0].mc2, 180, 1e-4);
  EXPECT_EQ(trace[1].mc2, trace[0].mc2 + 1);
  EXPECT_NE(trace[2].mc2, trace[1].mc2 + 1);
  for (const FlowPass& p : trace) EXPECT_EQ(p.nc2, 10000.0f);
}

TEST(JetMatching, EngineFirstSpeedStep) {
  std::vector<FlowPass> trace;
  const JetResult r = MatchJet(Defaults(Mode::Engine), &trace);
  ASSERT_TRUE(r.converged);
  size_t first = 0;
  while (first < trace.size() && trace[first].nc2 == 10000.0f) ++first;
  ASSERT_LT(first, trace.size());
  // +100 rpm with the flow kept, then a secant speed that scales the flow.
  EXPECT_EQ(trace[first].nc2, 10100.0f);
  EXPECT_EQ(trace[first].mc2, trace[first - 1].mc2);
  size_t second = first;
  while (second < trace.size() && trace[second].nc2 == 10100.0f) ++second;
  ASSERT_LT(second, trace.size());
  EXPECT_DOUBLE_EQ(trace[second].mc2, trace[second - 1].mc2 * trace[second].nc2 / 10100.0f);
}

// The default operating points lie on the maps between surge and choke, and
// the relations between the stations hold.
TEST(JetMatching, DefaultsMakePhysicalSense) {
  for (Mode mode : {Mode::GasGenerator, Mode::Engine, Mode::Airframe}) {
    const JetInputs in = Defaults(mode);
    const JetResult r = MatchJet(in);
    ASSERT_TRUE(r.converged);
    EXPECT_FALSE(r.surged);
    const double choke = 0.02f * r.nc2, surge = 0.8f * choke;
    EXPECT_GT(r.mc2, surge);
    EXPECT_LT(r.mc2, choke);
    EXPECT_NEAR(r.pic, 1 + 0.08f * r.mc2 * std::sqrt((r.mc2 / choke - 1) / (0.8f - 1)), 1e-6);
    EXPECT_GT(r.etac, 0.8);
    EXPECT_LE(r.etac, 0.88);
    EXPECT_GT(r.tt4, 1500);
    EXPECT_LT(r.tt4, 2800);
    // The turbine swallows what the compressor delivers.
    EXPECT_NEAR(r.mc4, 35 * (2 * 1.0 - 1.0), 1.0);
    EXPECT_LT(r.pit, 1);
    EXPECT_GT(r.pib, 0.9);
    if (mode == Mode::GasGenerator) {
      EXPECT_EQ(r.nc2, 10000.0f);
      EXPECT_EQ(r.etan, 0.98);
      EXPECT_EQ(r.thrust, 0);
      continue;
    }
    EXPECT_GT(r.nc2, 8000);
    EXPECT_LT(r.nc2, 14000);
    EXPECT_GT(r.thrust, 0);
    EXPECT_GT(r.m8, 1);
    EXPECT_NEAR(r.tsfc, in.f * r.m * 3600 / r.thrust, 1e-12);
    EXPECT_GT(r.m, r.mc2);  // ram compression
    if (mode == Mode::Engine) {
      EXPECT_EQ(r.m0, 0.5f);
    } else {
      // Thrust of both engines balances the drag at the Mach number found.
      EXPECT_NEAR(2 * r.thrust, 42000 * r.m0 * r.m0, 42000 * 2 * r.m0 * 1e-4);
      EXPECT_GT(r.m0, 0.5);
      EXPECT_LT(r.m0, 1.5);
    }
  }
}

TEST(JetMatching, ConvergentNozzleChokes) {
  JetInputs in = Defaults(Mode::Engine);
  in.nozzle = "c";
  in.a = 0.05f;
  const JetResult r = MatchJet(in);
  ASSERT_TRUE(r.converged);
  EXPECT_EQ(r.m8, 1.0);
  EXPECT_DOUBLE_EQ(r.etan, 0.98 - 0.05f);
}

TEST(JetMatching, SurgeAndFailures) {
  // A small turbine pushes the compressor past its surge line.
  JetInputs surge = Defaults(Mode::GasGenerator);
  surge.turb.mc4c = 26;
  const JetResult s = MatchJet(surge);
  ASSERT_TRUE(s.converged);
  EXPECT_TRUE(s.surged);
  EXPECT_GT(s.pic, 1 + 0.08f * s.mc2);
  EXPECT_LT(s.mc2, 160);

  struct Case {
    const char* why;
    JetInputs in;
  };
  std::vector<Case> cases;
  cases.push_back({"turbine too small to pass the surge flow", surge});
  cases.back().in.turb.mc4c = 24;
  cases.push_back({"no flight speed", Defaults(Mode::Engine)});
  cases.back().in.m0 = 0;
  cases.push_back({"no fuel", Defaults(Mode::GasGenerator)});
  cases.back().in.f = 0;
  cases.push_back({"compressor without a range", Defaults(Mode::GasGenerator)});
  cases.back().in.comp.c3 = 1;
  cases.push_back({"no drag", Defaults(Mode::Airframe)});
  cases.back().in.d1 = 0;
  for (const Case& c : cases) {
    const JetResult r = MatchJet(c.in);
    EXPECT_FALSE(r.converged) << c.why;
    EXPECT_EQ(r.nc2, 0) << c.why;
    EXPECT_EQ(r.m0, 0) << c.why;
    EXPECT_EQ(r.mc2, 0) << c.why;
    EXPECT_EQ(r.thrust, 0) << c.why;
    EXPECT_FALSE(r.surged) << c.why;
  }
}

}  // namespace
}  // namespace thrustfit

namespace thrustfit {
namespace {

// The defaults settle with a small share of the whole-match turbine bound.
TEST(JetMatching, DefaultsSettleFarInsideTheMatchBound) {
  for (Mode mode : {Mode::GasGenerator, Mode::Engine, Mode::Airframe}) {
    const JetResult r = MatchJet(Defaults(mode));
    ASSERT_TRUE(r.converged);
    EXPECT_GT(r.turbinePasses, 0);
    EXPECT_LT(r.turbinePasses, kMatchTurbinePasses / 100);
  }
  // A failed match still says what it cost, and never more than the bound.
  JetInputs none = Defaults(Mode::GasGenerator);
  none.f = 0;
  const JetResult r = MatchJet(none);
  EXPECT_FALSE(r.converged);
  EXPECT_LE(r.turbinePasses, kMatchTurbinePasses);
}

// The dearest match that settled in sweeps of 42,000 random map and engine
// inputs: some 3,450 speed passes of slow secant steps. It must settle
// inside the whole-match bound, which ends a wandering match within a second.
TEST(JetMatching, DearestSettlingMatchStaysInsideTheMatchBound) {
  JetInputs in = Defaults(Mode::Engine);
  in.nozzle = "cd2";
  in.comp.c1 = 0.0887500048f;
  in.comp.c2 = 0.0116279162f;
  in.comp.c3 = 0.700130641f;
  in.comp.c5 = 1.82135594f;
  in.turb.k1 = 1.31280017f;
  in.turb.k2 = 0.10584376f;
  in.turb.pitc = 0.14172703f;
  in.f = 0.0207015797f;
  in.nc2 = 10439.334f;
  in.m0 = 0.387459338f;
  const JetResult r = MatchJet(in);
  ASSERT_TRUE(r.converged);
  EXPECT_GT(r.turbinePasses, 3000000);
  EXPECT_LT(r.turbinePasses, kMatchTurbinePasses * 2 / 3);
}

// From 9500 rpm the second secant speed step overshoots to where the turbine
// cannot drive the compressor; the step is halved back and the match found
// is the one reached from 10000 rpm.
TEST(JetMatching, SpeedStepOffTheMapsIsHalvedBack) {
  JetInputs in = Defaults(Mode::Engine);
  const JetResult reference = MatchJet(in);
  ASSERT_TRUE(reference.converged);
  in.nc2 = 9500;
  std::vector<FlowPass> trace;
  const JetResult r = MatchJet(in, &trace);
  ASSERT_TRUE(r.converged);
  EXPECT_NEAR(r.nc2, reference.nc2, 5);
  EXPECT_NEAR(r.thrust, reference.thrust, 10);
  // A speed tried once and then one halfway back to 9600.
  bool halved = false;
  for (size_t i = 1; i < trace.size(); ++i)
    if (trace[i].nc2 != trace[i - 1].nc2 &&
        std::fabs(trace[i].nc2 - (9600.0 + trace[i - 1].nc2) / 2) < 0.01)
      halved = true;
  EXPECT_TRUE(halved);
}

}  // namespace
}  // namespace thrustfit
