#include "flowtables/isoheat.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "frame/failure.h"

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

TEST(IsothermalHeat, GammaOfOneFails) {
  EXPECT_THROW(IsothermalHeatConstants{1.0f}, frame::Failure);
}

}  // namespace
}  // namespace flowtables
