#include "shock/shock_flow.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <string>

#include "core/numtext.h"

namespace shock {
namespace {

TEST(NormalShock, Ratios) {
  struct Case {
    float m1, g;
    double m2, p21, pt21;
  };
  // M2² = (M1² + 5)/(7 M1² − 1), p2/p1 = (7 M1² − 1)/6 for γ = 1.4.
  const Case cases[] = {
      {2, 1.4f, 0.5774, 4.5, 0.7209},
      {1, 1.4f, 1, 1, 1},
      {3, 1.4f, 0.4752, 10.3333, 0.3283},
  };
  for (const Case& c : cases) {
    const ShockState s = NormalShock(c.m1, c.g);
    EXPECT_NEAR(s.m2, c.m2, 5e-5) << c.m1;
    EXPECT_NEAR(s.p21, c.p21, 5e-5) << c.m1;
    EXPECT_NEAR(s.pt21, c.pt21, 5e-5) << c.m1;
  }
}

TEST(ObliqueShock, WeakStrongAndClamped) {
  struct Case {
    float dl;
    bool strong;
    double angle, m2, p21, pt21;
  };
  const Case cases[] = {
      {5, false, 34.302, 1.8212, 1.3154, 0.9979},
      {5, true, 86.966, 0.5835, 4.4869, 0.7222},
      // No turning: the strong shock is the normal shock, the weak one is
      // the Mach wave at μ = 30 degrees, which leaves the stream as it was
      // (not a shock at μ + δmax/2 that would turn the flow by ten degrees).
      {0, true, 90.000, 0.5774, 4.5000, 0.7209},
      {0, false, 30.000, 2.0000, 1.0000, 1.0000},
  };
  for (const Case& c : cases) {
    const ObliqueShockState s = ObliqueShock(2, 1.4f, c.dl, c.strong);
    EXPECT_NEAR(s.dmax, 22.974, 5e-4);
    EXPECT_EQ(s.dl, c.dl);
    EXPECT_NEAR(s.angle, c.angle, 5e-4) << c.dl << " " << c.strong;
    EXPECT_NEAR(s.m2, c.m2, 5e-5) << c.dl << " " << c.strong;
    EXPECT_NEAR(s.p21, c.p21, 5e-5) << c.dl << " " << c.strong;
    EXPECT_NEAR(s.pt21, c.pt21, 5e-5) << c.dl << " " << c.strong;
  }
  // The Mach wave at other Mach numbers and γ: angle asin(1/M1), no change.
  for (auto [m1, g] : {std::pair{1.5f, 1.4f}, {3.0f, 1.3f}, {10.0f, 1.67f}}) {
    const ObliqueShockState s = ObliqueShock(m1, g, 0, false);
    EXPECT_NEAR(s.angle, kDegrees * std::asin(1 / static_cast<double>(m1)), 1e-5) << m1;
    EXPECT_EQ(s.m2, m1);
    EXPECT_EQ(s.p21, 1);
    EXPECT_EQ(s.pt21, 1);
    EXPECT_GT(s.dmax, 0);
  }
  // Above the maximum the turning is clamped, and both solutions meet near
  // the angle of maximum turning, asin 0.903851 = 64.669 degrees.
  for (bool strong : {false, true}) {
    const ObliqueShockState s = ObliqueShock(2, 1.4f, 30, strong);
    EXPECT_EQ(s.dl, static_cast<float>(s.dmax));
    EXPECT_NEAR(s.angle, 64.669, 0.02) << strong;
  }
}

TEST(ObliqueShock, IterationsThatNeverSettleEndOnTheirBranch) {
  // At M1 1.05 small angles keep the damped steps from settling; bisection
  // on the branch finds the shock between the Mach angle and the maximum.
  struct Case {
    float m1, g, dl;
  };
  const Case cases[] = {{1.05f, 1.4f, 0.0055808f}, {1.1f, 3, 0.0087f}, {1.3f, 3, 0.0358f}};
  for (const Case& c : cases) {
    const ObliqueShockState s = ObliqueShock(c.m1, c.g, c.dl, false);
    const double mu = kDegrees * std::asin(1 / static_cast<double>(c.m1));
    EXPECT_GT(s.angle, mu) << c.m1;
    EXPECT_LT(s.angle, mu + 1) << c.m1;  // a weak wave lies close to the Mach angle
    EXPECT_GT(s.p21, 1) << c.m1;
    EXPECT_LT(s.p21, 1.01) << c.m1;
  }
}

std::string Shown(const ShockState& s) {
  return core::FormatPattern(s.angle, "#0.000") + " " + core::FormatPattern(s.m2, "#0.0000") +
         " " + core::FormatPattern(s.p21, "#0.0000") + " " + core::FormatPattern(s.pt21, "#0.0000");
}

// From M1 = 10 on, passes cut short end where the full iteration would have
// stopped: the shown digits are the same.
TEST(ObliqueShock, ShortBoundGivesTheDigitsOfTheFullIteration) {
  struct Case {
    float m1, dl;
    bool strong;
  };
  const Case cases[] = {{10, 7, false},  {10, 30, true},  {15, 25, false},
                        {15, 25, true},  {20, 15, false}, {20, 40, true},    {30, 3, false},
                        {30, 44, true},  {40, 10, true}};
  for (const Case& c : cases)
    for (long passes : {1L, 10L, 1000L})
      EXPECT_EQ(Shown(ObliqueShock(c.m1, 1.4f, c.dl, c.strong, passes)),
                Shown(ObliqueShock(c.m1, 1.4f, c.dl, c.strong, 100'000'000L)))
          << c.m1 << " " << c.dl << " " << c.strong << " " << passes;
}

// Very high Mach numbers settle only after some 16·M1³ passes: the bound
// ends them within the second, at the hypersonic limit sin 2β/(γ + cos 2β)
// = tan δ (β 6.0043 weak and 88.996 strong for δ = 5, by hand).
TEST(ObliqueShock, HypersonicLimitWithinTheBound) {
  struct Case {
    float m1;
    bool strong;
    double angle;
  };
  const Case cases[] = {{1e3f, false, 6.0043}, {1e6f, false, 6.0043}, {1e6f, true, 88.996}};
  for (const Case& c : cases) {
    const auto begin = std::chrono::steady_clock::now();
    const ObliqueShockState s = ObliqueShock(c.m1, 1.4f, 5, c.strong);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    EXPECT_NEAR(s.angle, c.angle, 0.002) << c.m1;
    EXPECT_LT(seconds, 1.0) << c.m1;
  }
}

TEST(ConicalShock, ConesAtMachTwo) {
  struct Case {
    float dl;
    double guess, angle, mc, pc, pt;
  };
  const Case cases[] = {
      {5, 30.5, 30.075, 1.9415, 1.0951, 1.0000},
      {10, 40.0, 31.197, 1.8340, 1.2925, 0.9999},
      {20, 50.0, 37.796, 1.5677, 1.9115, 0.9901},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(ConeFirstGuess(2, c.dl), c.guess, 1e-6);
    const auto s = ConicalShock(2, 1.4f, c.dl, static_cast<float>(c.guess));
    ASSERT_TRUE(s) << c.dl;
    EXPECT_NEAR(s->angle, c.angle, 1e-3) << c.dl;
    EXPECT_NEAR(s->m2, c.mc, 1e-4) << c.dl;
    EXPECT_NEAR(s->p21, c.pc, 1e-4) << c.dl;
    EXPECT_NEAR(s->pt21, c.pt, 1e-4) << c.dl;
  }
}

TEST(ConicalShock, DetachedCones) {
  EXPECT_FALSE(ConicalShock(2, 1.4f, 45, 75));
  EXPECT_FALSE(ConicalShock(2, 1.4f, 60, 90));
  EXPECT_FALSE(ConicalShock(1.2f, 1.4f, 30, 86.4f));
}

TEST(ConicalShock, ThinConesLieJustOutsideTheMachCone) {
  // Slender-cone theory at M1 2: p/p1 − 1 ≈ γ M1² δ² ln(2/(δ √(M1² − 1))),
  // 0.0071 at one degree; the shock lies just outside the 30-degree Mach cone.
  struct Case {
    float dl;
    double pc;
  };
  const Case cases[] = {{1, 1.0072}, {0.5f, 1.0021}, {3, 1.0475}};
  for (const Case& c : cases) {
    const auto s = ConicalShock(2, 1.4f, c.dl, static_cast<float>(ConeFirstGuess(2, c.dl)));
    ASSERT_TRUE(s) << c.dl;
    EXPECT_GE(s->angle, 30) << c.dl;
    EXPECT_LT(s->angle, 30.1) << c.dl;
    EXPECT_NEAR(s->p21, c.pc, 0.2 * (c.pc - 1)) << c.dl;
    EXPECT_NEAR(s->pt21, 1, 1e-4) << c.dl;
  }
}

// The slowest cone searches: cones too blunt to attach scan every shock
// angle to the detachment, a near-sonic stream starts at the Mach angle
// (89.190 degrees at M1 1.0001, by hand).
TEST(ConicalShock, SlowestSearchesEndWithinTheSecond) {
  struct Case {
    float m1, dl;
    bool attached;
    double angle;
  };
  const Case cases[] = {{1.2f, 89.99f, false, 0},  {1.2f, 30, false, 0}, {5, 60, false, 0},
                        {20, 60, false, 0},       {1.0001f, 30, false, 0},
                        {1.0001f, 0.001f, true, 89.190}};
  for (const Case& c : cases) {
    const auto begin = std::chrono::steady_clock::now();
    const auto s = ConicalShock(c.m1, 1.4f, c.dl, static_cast<float>(ConeFirstGuess(c.m1, c.dl)));
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    EXPECT_LT(seconds, 1.0) << c.m1 << " " << c.dl;
    ASSERT_EQ(s.has_value(), c.attached) << c.m1 << " " << c.dl;
    if (s) {
      EXPECT_NEAR(s->angle, c.angle, 0.001);
    }
  }
  // A gas of no physical meaning: no cone attaches before the step budget.
  const auto begin = std::chrono::steady_clock::now();
  EXPECT_FALSE(ConicalShock(2, 1e10f, 5, 30.5f).has_value());
  EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count(), 1.0);
}

}  // namespace
}  // namespace shock
