#include "flowtables/fanno_window.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cmath>
#include <ctime>
#include <string>

namespace flowtables {
namespace {

const FannoConstants kAir(1.4f);

struct RatioCase {
  double m;
  std::array<const char*, 5> shown;  // T/T*, p/p*, pt/pt*, V/V*, 4fL*/D
};

class FannoRatio : public ::testing::TestWithParam<RatioCase> {};

TEST_P(FannoRatio, ShownDigits) {
  const RatioCase c = GetParam();
  const FannoState s = FannoRatios(c.m, kAir);
  const std::array<std::string, 5> got{Out(s.t), Out(Limit(s.p)), Out(Limit(s.pt)), Out(s.ms),
                                       Out(Limit(s.fld))};
  for (size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], c.shown[i]) << "column " << i;
}

INSTANTIATE_TEST_SUITE_P(
    fanno, FannoRatio,
    ::testing::Values(RatioCase{1, {"1.", "1.", "1.", "1.", "0."}},
                      RatioCase{0.5, {"1.1429", "2.1381", "1.3398", "0.5345", "1.0691"}},
                      RatioCase{2, {"0.6667", "0.4082", "1.6875", "1.633", "0.305"}},
                      // M = 0 is evaluated at 1E-8.
                      RatioCase{1e-8, {"1.2", "99999.99", "99999.99", "0.", "99999.99"}}));

TEST(FannoLimit, SupersonicEndOfTheLine) {
  EXPECT_EQ(Out(FannoLimit(kAir)), "0.8215");
  // −1/γ + ln((γ + 1)/(γ − 1))·(γ + 1)/(2γ) as M grows without bound.
  const double g = kAir.g;
  EXPECT_NEAR(FannoLimit(kAir), -1 / g + std::log((g + 1) / (g - 1)) * (g + 1) / (2 * g), 1e-11);
}

struct SearchCase {
  float target;
  Branch branch;
  const char* mach;  // as shown, or "" where only the root is checked
};

class FannoSearch : public ::testing::TestWithParam<SearchCase> {};

// Each friction parameter a branch can reach has its Mach number there, also
// close to the supersonic limit where the secant steps alone are slow.
TEST_P(FannoSearch, FindsTheRootOnTheBranchQuickly) {
  const SearchCase c = GetParam();
  auto fld = [](double m) { return FannoRatios(m, kAir).fld; };
  const double target = c.target == 0 ? 1e-9 : c.target;
  const auto began = std::chrono::steady_clock::now();
  auto m = SearchMach(fld, target, c.branch == Branch::Subsonic ? 0.01 : 1.1, c.branch);
  const auto took = std::chrono::steady_clock::now() - began;
  EXPECT_LT(took, std::chrono::milliseconds(500));
  ASSERT_TRUE(m.has_value());
  if (*c.mach) {
    EXPECT_EQ(Out(*m), c.mach);
  }
  if (c.target > 0.001) {
    EXPECT_EQ(*m < 1, c.branch == Branch::Subsonic) << *m;
  }
  EXPECT_NEAR(fld(*m), target, 1e-9 * std::fmax(1, target));
}

INSTANTIATE_TEST_SUITE_P(
    fanno, FannoSearch,
    ::testing::Values(SearchCase{0.5f, Branch::Subsonic, "0.5977"},
                      SearchCase{0.1f, Branch::Supersonic, "1.4007"},
                      SearchCase{0, Branch::Subsonic, "1."},
                      SearchCase{0, Branch::Supersonic, "1."},
                      SearchCase{1e6f, Branch::Subsonic, ""},
                      SearchCase{3e38f, Branch::Subsonic, ""},
                      SearchCase{0.82f, Branch::Supersonic, ""},
                      SearchCase{0.8215f, Branch::Supersonic, ""},
                      SearchCase{0.82149f, Branch::Supersonic, ""}));

// With γ = 1E-9 the subsonic curve is so flat near M = 1 that the secant
// steps run to their bound without settling; bisection then gives the root,
// and the whole search stays well under a second of processor time.
TEST(FannoSearch, SecantBoundThenBisection) {
  const FannoConstants k(1e-9f);
  long evaluations = 0;
  auto fld = [&](double m) {
    ++evaluations;
    return FannoRatios(m, k).fld;
  };
  const std::clock_t began = std::clock();
  auto m = SearchMach(fld, 0.001, 0.01, Branch::Subsonic);
  const double seconds = static_cast<double>(std::clock() - began) / CLOCKS_PER_SEC;
  ASSERT_TRUE(m.has_value());
  EXPECT_GT(evaluations, kSecantBound);
  EXPECT_LT(*m, 1);
  // (γ + 1)/(2γ) ≈ 5E8 multiplies the logarithm, so neighbouring doubles of
  // M differ in 4fL*/D by far more than 1E-11: the root is as close as that.
  EXPECT_NEAR(FannoRatios(*m, k).fld, 0.001, 1e-7);
  EXPECT_LT(seconds, 1.0);
}

}  // namespace
}  // namespace flowtables
