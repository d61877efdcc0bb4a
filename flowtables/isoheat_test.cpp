#include "flowtables/isoheat_window.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "core/failure.h"

namespace flowtables {
namespace {

struct RatioCase {
  float m;
  std::array<const char*, 6> shown;  // M used, p/p*, pt/pt*, A/A*, F/F*, Tt/Tt*
};

class IsothermalHeat : public ::testing::TestWithParam<RatioCase> {};

TEST_P(IsothermalHeat, ShownDigits) {
  const RatioCase c = GetParam();
  const auto s = IsothermalHeatRatios(c.m, IsothermalHeatConstants(1.4f));
  const std::array<std::string, 6> got{Out(s.m), Out(s.p), Out(s.pt),
                                       Out(s.a), Out(s.f), Out(s.tt)};
  for (size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], c.shown[i]) << "column " << i;
}

INSTANTIATE_TEST_SUITE_P(
    isoheat, IsothermalHeat,
    ::testing::Values(RatioCase{1, {"1.", "1.", "1.", "1.", "1.", "1."}},
                      RatioCase{0.5f, {"0.5", "1.6905", "1.0593", "1.1831", "1.125", "0.875"}},
                      RatioCase{2, {"2.", "0.1225", "0.5062", "4.0831", "1.375", "1.5"}},
                      RatioCase{5, {"5.", "0.", "0.", "99999.99", "3.", "5."}},
                      RatioCase{0, {"0.", "2.0138", "1.0638", "99999.99", "99999.99", "0.8333"}}));

struct FarCase {
  float g, m;
  const char* pt;  // pt/pt* as shown
};

class IsothermalHeatFar : public ::testing::TestWithParam<FarCase> {};

// (Tt/Tt*)^k4 overflows where p/p* has already underflowed to 0: the
// product is still a number, exp(k4·ln(Tt/Tt*) + k2·(1 − M²)).
TEST_P(IsothermalHeatFar, TotalPressureStaysANumber) {
  const FarCase c = GetParam();
  const auto s = IsothermalHeatRatios(c.m, IsothermalHeatConstants(c.g));
  EXPECT_EQ(Out(s.pt), c.pt);
}

// γ = 1.01, M = 1000: Tt/Tt* ≈ 4975.6, 101·ln 4975.6 ≈ 860 against
// 0.505·(1 − 10^6) ≈ −505000, so pt/pt* is 0; at M = 3E38 the same holds by
// far. γ = 1.4, M = 1E19: the power stays finite (3.5·ln 1.7E37 ≈ 300) while
// p/p* is 0, so 0 without the detour.
INSTANTIATE_TEST_SUITE_P(isoheat, IsothermalHeatFar,
                         ::testing::Values(FarCase{1.01f, 1000, "0."},
                                           FarCase{1.01f, 3e38f, "0."},
                                           FarCase{1.4f, 1e19f, "0."}));

TEST(IsothermalHeat, GammaOfOneFails) {
  EXPECT_THROW(IsothermalHeatConstants{1.0f}, core::Failure);
}

}  // namespace
}  // namespace flowtables
