#include <gtest/gtest.h>

#include "flowtables/rayleigh_window.h"
#include "flowtables/ts_chart_check.h"

namespace flowtables {
namespace {

class RayleighTsLine : public ::testing::TestWithParam<TsCase> {};

TEST_P(RayleighTsLine, MarksTheWindowsStateWithTheLargestEntropyAtMachOne) {
  const TsCase c = GetParam();
  CheckStateOnTheLine<Rayleigh>(c, std::string(c.option) == "optSingle" ? "" : "Lblmm");
}

INSTANTIATE_TEST_SUITE_P(
    rayleigh, RayleighTsLine,
    ::testing::Values(TsCase{"optSingle", "txtm1", "0.5", "1.4", true},
                      TsCase{"optSingle", "txtm1", "2", "1.4", false},
                      TsCase{"optSingle", "txtm1", "0.05", "1.3", true},
                      TsCase{"optSingle", "txtm1", "6", "1.67", false},
                      TsCase{"optSingle", "txtm1", "1", "1.4", true},
                      TsCase{"Opttt1", "Txttt1", "0.7", "1.4", true},
                      TsCase{"Opttt2", "Txttt2", "0.8", "1.4", false}));

TEST(RayleighTsLine, UnavailableAfterAFailureOrAWarning) {
  CheckUnavailable<Rayleigh>("Opttt1", "Txttt1", "1.2", "Tt/Tt* can not be greater than 1");
}

}  // namespace
}  // namespace flowtables
