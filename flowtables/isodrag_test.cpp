#include "flowtables/isodrag_window.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "core/failure.h"

namespace flowtables {
namespace {

struct RatioCase {
  float m;
  std::array<const char*, 6> shown;  // M used, V/VLmax, Tt/TtLmax, pt/ptLmax, F/FLmax, 4fLmax/D
};

class IsothermalFriction : public ::testing::TestWithParam<RatioCase> {};

TEST_P(IsothermalFriction, ShownDigits) {
  const RatioCase c = GetParam();
  const auto s = IsothermalFrictionRatios(c.m, IsothermalFrictionConstants(1.4f));
  const std::array<std::string, 6> got{Out(s.m),  Out(s.v), Out(s.tt),
                                       Out(s.pt), Out(s.f), Out(s.fld)};
  for (size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], c.shown[i]) << "column " << i;
}

INSTANTIATE_TEST_SUITE_P(
    isodrag, IsothermalFriction,
    ::testing::Values(
        RatioCase{1, {"1.", "1.1832", "1.05", "1.0025", "1.0142", "0.0508"}},
        // The end of the longest duct, M = 1/√γ (the Single 0.84514999...).
        RatioCase{0.84515f, {"0.8451", "1.", "1.", "1.", "1.", "0."}},
        RatioCase{0.5f, {"0.5", "0.5916", "0.9187", "1.2565", "1.141", "0.8073"}},
        RatioCase{2, {"2.", "2.3664", "1.575", "2.072", "1.3945", "0.9013"}},
        RatioCase{0.0005f, {"0.0005", "0.0006", "0.875", "1059.2396", "845.1545", "99999.99"}},
        RatioCase{0, {"0.", "0.", "0.875", "99999.99", "99999.99", "99999.99"}},
        RatioCase{-1, {"0.", "0.", "0.875", "99999.99", "99999.99", "99999.99"}}));

TEST(IsothermalFriction, GammaOfOneFails) {
  EXPECT_THROW(IsothermalFrictionConstants{1.0f}, core::Failure);
  EXPECT_THROW(IsothermalFrictionConstants{-1.0f}, core::Failure);
}

}  // namespace
}  // namespace flowtables
