#include <gtest/gtest.h>

#include "flowtables/fanno_window.h"
#include "flowtables/ts_chart_check.h"

namespace flowtables {
namespace {

class FannoTsLine : public ::testing::TestWithParam<TsCase> {};

TEST_P(FannoTsLine, MarksTheWindowsStateWithTheLargestEntropyAtMachOne) {
  const TsCase c = GetParam();
  CheckStateOnTheLine<Fanno>(c, std::string(c.option) == "optSingle" ? "" : "lblmm");
}

INSTANTIATE_TEST_SUITE_P(
    fanno, FannoTsLine,
    ::testing::Values(TsCase{"optSingle", "txtm1", "0.5", "1.4", true},
                      TsCase{"optSingle", "txtm1", "2", "1.4", false},
                      TsCase{"optSingle", "txtm1", "0.05", "1.3", true},
                      TsCase{"optSingle", "txtm1", "6", "1.67", false},
                      TsCase{"optSingle", "txtm1", "1", "1.4", true},
                      TsCase{"Opts2", "Txtfld1", "0.5", "1.4", true},
                      TsCase{"Opts3", "txtfld2", "0.3", "1.4", false}));

TEST(FannoTsLine, UnavailableAfterAFailureOrAWarning) {
  CheckUnavailable<Fanno>("Opts3", "txtfld2", "0.9", "4fL*/D must be < 0.8215");
}

}  // namespace
}  // namespace flowtables
