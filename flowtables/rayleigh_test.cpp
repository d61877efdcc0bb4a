#include "flowtables/rayleigh_window.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cmath>
#include <ctime>
#include <string>

namespace flowtables {
namespace {

const RayleighConstants kAir(1.4f);

struct RatioCase {
  double m;
  std::array<const char*, 5> shown;  // T/T*, p/p*, pt/pt*, V/V*, Tt/Tt*
};

class RayleighRatio : public ::testing::TestWithParam<RatioCase> {};

TEST_P(RayleighRatio, ShownDigits) {
  const RatioCase c = GetParam();
  const RayleighState s = RayleighRatios(c.m, kAir);
  const std::array<std::string, 5> got{Out(s.t), Out(Limit(s.p)), Out(Limit(s.pt)), Out(s.ms),
                                       Out(Limit(s.T0))};
  for (size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], c.shown[i]) << "column " << i;
}

INSTANTIATE_TEST_SUITE_P(
    rayleigh, RayleighRatio,
    ::testing::Values(RatioCase{1, {"1.", "1.", "1.", "1.", "1."}},
                      RatioCase{0.5, {"0.7901", "1.7778", "1.1141", "0.4444", "0.6914"}},
                      RatioCase{2, {"0.5289", "0.3636", "1.5031", "1.4545", "0.7934"}},
                      RatioCase{1e-8, {"0.", "2.4", "1.2679", "0.", "0."}}));

TEST(RayleighLimit, SupersonicLowerLimit) {
  EXPECT_EQ(Out(RayleighLimit(kAir)), "0.4898");
  // (γ + 1)²/γ² · (γ − 1)/(γ + 1) as M grows without bound, approached from above.
  const double g = kAir.g;
  const double far = (g + 1) * (g - 1) / (g * g);
  EXPECT_GT(RayleighLimit(kAir), far);
  EXPECT_NEAR(RayleighLimit(kAir), far, 1e-7);
}

struct SearchCase {
  float target;
  Branch branch;
  const char* mach;  // as shown, or "" where only the root is checked
};

class RayleighSearch : public ::testing::TestWithParam<SearchCase> {};

// Tt/Tt* rises on the subsonic branch and falls on the supersonic one; each
// target a branch reaches has its Mach number there.
TEST_P(RayleighSearch, FindsTheRootOnTheBranchQuickly) {
  const SearchCase c = GetParam();
  auto heat = [](double m) { return RayleighRatios(m, kAir).T0; };
  const auto began = std::chrono::steady_clock::now();
  auto m = SearchMach(heat, c.target, c.branch == Branch::Subsonic ? 0.5 : 1.1, c.branch);
  EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::milliseconds(500));
  ASSERT_TRUE(m.has_value());
  if (*c.mach) {
    EXPECT_EQ(Out(*m), c.mach);
  }
  if (c.target < 0.999f) {
    EXPECT_EQ(*m < 1, c.branch == Branch::Subsonic) << *m;
  }
  EXPECT_NEAR(heat(*m), c.target, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    rayleigh, RayleighSearch,
    ::testing::Values(SearchCase{0.7f, Branch::Subsonic, "0.5059"},
                      SearchCase{0.8f, Branch::Supersonic, "1.9674"},
                      SearchCase{0.49f, Branch::Supersonic, "92.5674"},
                      SearchCase{0.4899f, Branch::Supersonic, ""},
                      SearchCase{0.48981f, Branch::Supersonic, ""},
                      SearchCase{1, Branch::Subsonic, "1."},
                      SearchCase{1, Branch::Supersonic, "1."},
                      SearchCase{0.8f, Branch::Subsonic, ""},
                      SearchCase{0.01f, Branch::Subsonic, ""},
                      SearchCase{0, Branch::Subsonic, "0."}));

TEST(RayleighSearch, NoSubsonicRootBelowZero) {
  auto heat = [](double m) { return RayleighRatios(m, kAir).T0; };
  const auto began = std::chrono::steady_clock::now();
  EXPECT_FALSE(SearchMach(heat, -0.5, 0.5, Branch::Subsonic).has_value());
  EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::milliseconds(500));
}

struct ExhaustCase {
  float g;
  float target;
  Branch branch;
  long evaluations;  // every secant pass, M = 1, then one per bracketing step
};

class RayleighExhaust : public ::testing::TestWithParam<ExhaustCase> {};

// Targets no branch reaches, where the secant steps wander near M = 0 (or far
// out) without settling: every loop of the search runs to its bound, the
// answer is "none", and the processor time stays well under a second.
TEST_P(RayleighExhaust, EveryLoopEndsAtItsBound) {
  const ExhaustCase c = GetParam();
  const RayleighConstants k(c.g);
  long evaluations = 0;
  auto heat = [&](double m) {
    ++evaluations;
    return RayleighRatios(m, k).T0;
  };
  const std::clock_t began = std::clock();
  EXPECT_FALSE(SearchMach(heat, c.target, c.branch == Branch::Subsonic ? 0.5 : 1.1, c.branch));
  const double seconds = static_cast<double>(std::clock() - began) / CLOCKS_PER_SEC;
  EXPECT_EQ(evaluations, c.evaluations);
  EXPECT_LT(seconds, 1.0);
}

// Halving from M = 1 reaches 2^-1074 after 1074 steps (the 1075th gives 0);
// doubling reaches 2^1023 after 1023 steps (the 1024th overflows).
INSTANTIATE_TEST_SUITE_P(
    rayleigh, RayleighExhaust,
    ::testing::Values(ExhaustCase{1.4f, -1e-9f, Branch::Subsonic, kSecantBound + 1 + 1074},
                      ExhaustCase{1.4f, -1e-10f, Branch::Subsonic, kSecantBound + 1 + 1074},
                      ExhaustCase{1e-9f, 2, Branch::Supersonic, kSecantBound + 1 + 1023},
                      ExhaustCase{1e-9f, 1e6f, Branch::Supersonic, kSecantBound + 1 + 1023}));

}  // namespace
}  // namespace flowtables
