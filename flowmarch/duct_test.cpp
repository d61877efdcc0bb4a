#include "flowmarch/duct.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/failure.h"

namespace flowmarch {
namespace {

// The window's defaults, as Singles widened to Double.
Inputs Defaults() {
  Inputs in;
  in.g = 1.4f;
  in.m1 = 0.3f, in.tt1 = 1600, in.pt1 = 100, in.md1 = 100;
  in.m2 = 0.3f, in.tt2 = 1000, in.pt2 = 100, in.md2 = 200;
  in.cd4 = 0.5f, in.ab4 = 0.05f, in.cd5 = 0.5f, in.ab5 = 0.05f;
  in.tt6 = 2400, in.f = 0.025f, in.d = 1, in.l = 3, in.a6a5 = 1;
  return in;
}

TEST(Gas, Constants) {
  const Gas gas(1.4f);
  // cp = 1.4·53.35/(0.4·778.16) = 0.23996 BTU/(lbm·degR), C = sqrt(2 cp gc J).
  EXPECT_NEAR(gas.cp, 0.239957, 1e-6);
  EXPECT_NEAR(gas.e, 0.2, 1e-7);
  EXPECT_NEAR(gas.k, 3.5, 1e-6);
  EXPECT_NEAR(gas.c, std::sqrt(2 * gas.cp * kGc * kJ), 1e-12);
  EXPECT_NEAR(gas.c * gas.c, 2 * 1.4 * 53.35 * 32.17 / 0.4, 0.01);
}

struct DuctCase {
  const char* name;
  Inputs in;
  double m3, m5, m6, t6, tt6, p6, pt6;
};

Inputs With(std::initializer_list<std::pair<double Inputs::*, double>> changes) {
  Inputs in = Defaults();
  for (const auto& [field, value] : changes) in.*field = value;
  return in;
}

TEST(Compute, Table) {
  const DuctCase cases[] = {
      {"defaults", Defaults(), 0.302487, 0.303578, 0.541543, 2267.030134, 2400, 72.644845,
       88.683663},
      {"no heat", With({{&Inputs::tt6, 0}}), 0.302487, 0.303578, 0.310410, 1177.312110, 1200,
       91.335018, 97.645232},
      {"no heat below 0.01", With({{&Inputs::tt6, 0.009f}}), 0.302487, 0.303578, 0.310410,
       1177.312110, 1200, 91.335018, 97.645232},
      {"unchanged duct", With({{&Inputs::tt6, 0}, {&Inputs::f, 0}}), 0.302487, 0.303578,
       0.303578, 1178.282029, 1200, 93.429161, 99.596580},
      {"more heat", With({{&Inputs::tt6, 3000}}), 0.302487, 0.303578, 0.770778, 2681.397461,
       3000, 55.503462, 82.220534},
      {"subsonic diffuser",
       With({{&Inputs::tt6, 0}, {&Inputs::f, 0}, {&Inputs::a6a5, 1.5f}}), 0.302487, 0.303578,
       0.196035, 1190.847188, 1200, 96.963032, 99.596580},
      {"supersonic, unchanged",
       With({{&Inputs::m1, 2}, {&Inputs::m2, 2}, {&Inputs::tt6, 0}, {&Inputs::f, 0}}),
       1.948792, 1.791043, 1.791043, 731.008859, 1200, 15.042419, 85.255584},
      {"supersonic, heated",
       With({{&Inputs::m1, 2}, {&Inputs::m2, 2}, {&Inputs::tt6, 1300}, {&Inputs::f, 0}}),
       1.948792, 1.791043, 1.504309, 894.953765, 1300, 19.816369, 73.202134},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Result r = Compute(c.in);
    ASSERT_FALSE(r.choked);
    EXPECT_NEAR(r.tt3, 1200, 1e-9);
    EXPECT_NEAR(r.s3.mach, c.m3, 1e-6);
    EXPECT_NEAR(r.s5.mach, c.m5, 1e-6);
    EXPECT_NEAR(r.m6, c.m6, 1e-6);
    EXPECT_NEAR(r.t6, c.t6, 1e-5);
    EXPECT_EQ(r.tt6, c.tt6);
    EXPECT_NEAR(r.p6, c.p6, 1e-5);
    EXPECT_NEAR(r.pt6, c.pt6, 1e-5);
    // Every state comes from the secant itself, after four corrections.
    for (const Station* s : {&r.s3, &r.s4, &r.s5}) {
      EXPECT_EQ(s->corrections, 4);
      EXPECT_FALSE(s->bisected);
    }
  }
}

TEST(Compute, UnchangedDuctKeepsTheEntryState) {
  const Result r = Compute(With({{&Inputs::tt6, 0}, {&Inputs::f, 0}}));
  EXPECT_EQ(r.m6, r.s5.mach);
  EXPECT_EQ(r.pt6, r.s5.pt);
}

TEST(Compute, DragLowersTotalPressureStationByStation) {
  const Result r = Compute(Defaults());
  EXPECT_NEAR(r.s3.pt, 99.916938, 1e-5);
  EXPECT_NEAR(r.s4.pt, 99.756928, 1e-5);
  EXPECT_NEAR(r.s5.pt, 99.596580, 1e-5);
  EXPECT_NEAR(r.s3.t, 1178.435082, 1e-5);
  EXPECT_NEAR(r.s5.t, 1178.282029, 1e-5);
}

TEST(Compute, Choking) {
  struct Case { const char* name; Inputs in; int step; } cases[] = {
      // Heating a subsonic flow drives it to Mach 1 within the duct.
      {"heated subsonic", With({{&Inputs::tt6, 5000}}), 2704},
      // Heating and friction slow a supersonic flow to Mach 1.
      {"heated supersonic", With({{&Inputs::m1, 2}, {&Inputs::m2, 2}}), 767},
  };
  for (const auto& c : cases) {
    const Result r = Compute(c.in);
    EXPECT_TRUE(r.choked) << c.name;
    EXPECT_EQ(r.chokedAt, c.step) << c.name;
  }
  // Drag too large for any constant-area state: choked at the flameholder.
  const Result r = Compute(With({{&Inputs::m1, 0.8f}, {&Inputs::m2, 0.8f}, {&Inputs::cd5, 4}}));
  EXPECT_TRUE(r.choked);
  EXPECT_EQ(r.chokedAt, 0);
}

TEST(ConstantAreaState, SecantThatLeavesTheDuctFallsBackToBisection) {
  const Gas gas(1.4f);
  // An impulse met at T = 1053.03 degR on the subsonic branch (Tt = 1200).
  auto impulse = [&](double t) {
    return (300 * gas.c / kGc) * std::sqrt(1200 - t) + (300 * kR / gas.c) * t / std::sqrt(1200 - t);
  };
  const Impulse x{impulse(1053.03), 1200, 300, 1};
  // From 1010 degR, just above the sonic 1000 degR, the first chord is so
  // flat that the secant jumps beyond Tt.
  const auto s = ConstantAreaState(gas, x, 1010, 2, 1e-4);
  ASSERT_TRUE(s.has_value());
  EXPECT_NEAR(s->t, 1053.03, 1e-5);
  EXPECT_TRUE(s->bisected);
  EXPECT_LT(s->mach, 1);
  // From a supersonic start the same impulse has its supersonic state.
  const auto sup = ConstantAreaState(gas, x, 999, 2, 1e-4);
  ASSERT_TRUE(sup.has_value());
  EXPECT_GT(sup->mach, 1);
  EXPECT_NEAR(sup->t, 927.83561, 1e-4);
  EXPECT_NEAR(impulse(sup->t), x.i, 1e-4);
  // Less impulse than the sonic state has: no state at all.
  const Impulse low{impulse(1000) * 0.9, 1200, 300, 1};
  EXPECT_FALSE(ConstantAreaState(gas, low, 1100, 2, 1e-4).has_value());
}

TEST(ConstantAreaState, BisectionEndsAtTheSpacingOfDoubles) {
  const Gas gas(1.4f);
  auto impulse = [&](double t) {
    return (300 * gas.c / kGc) * std::sqrt(1200 - t) + (300 * kR / gas.c) * t / std::sqrt(1200 - t);
  };
  const Impulse x{impulse(1053.03), 1200, 300, 1};
  // A tolerance of 0 (M1^6 overflowing) cannot be met: the secant gives up
  // and the bisection halves its branch until neighbouring doubles, some 50
  // halvings of [1000, 1200] or 54 of [0, 1000], far inside its bound.
  struct Case { double t0, t; } cases[] = {
      {1010, 1053.03}, {1100, 1053.03}, {1199, 1053.03},
      {999, 927.83564}, {500, 927.83564}, {1, 927.83564},
  };
  for (const auto& c : cases) {
    const auto s = ConstantAreaState(gas, x, c.t0, 2, 0);
    ASSERT_TRUE(s.has_value()) << c.t0;
    EXPECT_TRUE(s->bisected) << c.t0;
    EXPECT_NEAR(s->t, c.t, 1e-5) << c.t0;
    EXPECT_LE(s->halvings, 60) << c.t0;
    EXPECT_NEAR(impulse(s->t), x.i, 1e-9) << c.t0;
  }
  // An impulse that is no number has no state, and says so.
  const Impulse none{std::nan(""), 1200, 300, 1};
  EXPECT_THROW(ConstantAreaState(gas, none, 1100, 2, 1e-4), core::Failure);
}

TEST(Compute, HardestMeasuredSecantStaysFarInsideItsBound) {
  // Stream 2 just supersonic, stream 1 subsonic and a heavy mixer: the start
  // value lies close to the sonic temperature and station 4 takes nineteen
  // corrections, the most over the whole sweep of inlet states and drags.
  const Inputs in = With({{&Inputs::m1, 0.631179f}, {&Inputs::m2, 1.00814f},
                          {&Inputs::cd4, 1.22532f}, {&Inputs::cd5, 0.00145028f},
                          {&Inputs::tt1, 994.827f}, {&Inputs::tt2, 741.429f},
                          {&Inputs::md1, 32.3032f}, {&Inputs::md2, 561.038f},
                          {&Inputs::ab4, 0.00375153f}, {&Inputs::ab5, 0.0219864f},
                          {&Inputs::g, 1.28992963f}});
  const Result r = Compute(in);
  EXPECT_FALSE(r.s4.bisected);
  EXPECT_LE(r.s4.corrections, 19);
  EXPECT_LT(r.s4.mach, 1);
}

TEST(Compute, StreamsOfAnyMachNumberGiveAFiniteState) {
  // M1^6 overflows, the tolerance becomes 0: every state still comes out finite.
  for (float mach : {1e4f, 1e16f, 3.4e38f}) {
    const Result r = Compute(With({{&Inputs::m1, mach}, {&Inputs::m2, mach}, {&Inputs::tt6, 0},
                                   {&Inputs::f, 0}}));
    ASSERT_FALSE(r.choked) << mach;
    EXPECT_GT(r.m6, 1) << mach;
    EXPECT_TRUE(std::isfinite(r.p6) && std::isfinite(r.pt6) && std::isfinite(r.t6)) << mach;
  }
}

TEST(Compute, UndefinedInputsAreReported) {
  struct Case { const char* name; Inputs in; const char* message; } cases[] = {
      {"gamma 1", With({{&Inputs::g, 1}}), "gamma"},
      {"stream 1 at rest", With({{&Inputs::m1, 0}}), "stream 1"},
      {"stream 2 at rest", With({{&Inputs::m2, 0}}), "stream 2"},
      {"no mass flow", With({{&Inputs::md1, 0}, {&Inputs::md2, 0}}), "mass flow"},
      {"zero diameter", With({{&Inputs::d, 0}}), "finite"},
      {"area opening at once", With({{&Inputs::tt6, 0}, {&Inputs::a6a5, 1e6f}}), "below zero at step 1"},
  };
  for (const auto& c : cases) {
    try {
      const Result r = Compute(c.in);
      ADD_FAILURE() << c.name << " gave a result, choked " << r.choked;
    } catch (const core::Failure& f) {
      EXPECT_NE(std::string(f.what()).find(c.message), std::string::npos)
          << c.name << ": " << f.what();
    }
  }
}

}  // namespace
}  // namespace flowmarch
