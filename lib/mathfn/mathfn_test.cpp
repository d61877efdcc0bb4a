#include "lib/mathfn/mathfn.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <type_traits>

namespace mathfn {
namespace {

double Call(const std::string& fn, double x) {
  if (fn == "sin") return sin(x);
  if (fn == "cos") return cos(x);
  if (fn == "tan") return tan(x);
  if (fn == "atan") return atan(x);
  if (fn == "asin") return asin(x);
  if (fn == "acos") return acos(x);
  ADD_FAILURE() << fn;
  return 0;
}

// Arguments where one of the two C libraries of the builds misses the
// correctly rounded value, with that value worked to 80 digits outside the
// program. The last is the arc tangent at which the weak planar shock at
// M 3.626 and maximum turning took another angle in each build.
TEST(mathfn, RoundsCorrectlyWhereTheLibrariesDiffer) {
  struct Case {
    const char* fn;
    double x, want;
  } cases[] = {
      {"sin", 0x1.79480bbeae93ep-1, 0x1.580da0dacc7f0p-1},  // musl rounds the other way
      {"sin", 0x1.0d260aaff8565p+0, 0x1.bc77998ce376cp-1},  // musl rounds the other way
      {"sin", 0x1.29eb9a273d46bp-2, 0x1.25bc342f2f501p-2},  // glibc rounds the other way
      {"sin", 0x1.3896bfa79d9d9p-1, 0x1.258749e47c91bp-1},  // glibc rounds the other way
      {"cos", 0x1.d0707099b41bcp-1, 0x1.3b67d4caa9c03p-1},  // musl rounds the other way
      {"cos", 0x1.0ec5cfbf1a2efp+0, 0x1.f6a72cb5639a1p-2},  // musl rounds the other way
      {"cos", 0x1.19db7ca8cd296p-1, 0x1.b45ba44b21333p-1},  // glibc rounds the other way
      {"cos", 0x1.6162c7a9ced73p+0, 0x1.838d89d019ad3p-3},  // glibc rounds the other way
      {"tan", 0x1.ce76374444603p-1, 0x1.44c27ac3e2907p+0},  // musl rounds the other way
      {"tan", 0x1.4f028475ffda9p-1, 0x1.88b91b50d5fa1p-1},  // musl rounds the other way
      {"tan", 0x1.379567cd273b2p+0, 0x1.5ab2f2846dcd9p+1},  // glibc rounds the other way
      {"tan", 0x1.9973373d8a3c8p-4, 0x1.9ad1c23552811p-4},  // glibc rounds the other way
      {"atan", -0x1.c558ed7652f15p+0, -0x1.0e86e8414d58fp+0},  // musl rounds the other way
      {"atan", 0x1.13906c79455d8p+1, 0x1.22cd854f8b91dp+0},  // musl rounds the other way
      {"atan", 0x1.2ac57f0490d9p-2, 0x1.22b3a5fa26450p-2},  // glibc rounds the other way
      {"atan", -0x1.b061503f43bcp-4, -0x1.aec8e50d912cbp-4},  // glibc rounds the other way
      {"asin", -0x1.5c254cbe87fb6p-1, -0x1.7ed5c08a17993p-1},  // musl rounds the other way
      {"asin", 0x1.078d0cc064dap-1, 0x1.14d86cc6f1e03p-1},  // musl rounds the other way
      {"asin", 0x1.31f85ce51dbep-5, 0x1.320a95f8d4b4ep-5},  // glibc rounds the other way
      {"asin", 0x1.75d7e9ebc2dfp-1, 0x1.a31a57c73c4edp-1},  // glibc rounds the other way
      {"acos", -0x1.05af8afa95c04p-2, 0x1.d44776277b9c1p+0},  // musl rounds the other way
      {"acos", 0x1.56e3873e203ep-2, 0x1.3ab689f27bba9p+0},  // musl rounds the other way
      {"acos", 0x1.e92d6bc61b28cp-1, 0x1.32e4f3219bf45p-2},  // glibc rounds the other way
      {"acos", -0x1.5e3c7bf0c5e6ap-1, 0x1.297c3d53615ffp+1},  // glibc rounds the other way
      {"sin", 0x1.a8aeb377f0278p+18, 0x1.4403b13339450p-3},  // musl rounds the other way
      {"sin", 0x1.ed4e22a352a2bp+17, 0x1.6ad8a1c2dfd44p-1},  // musl rounds the other way
      {"sin", 0x1.1617a93ec0cbep+19, 0x1.e6ab1ac09ddebp-3},  // glibc rounds the other way
      {"sin", 0x1.0a5db6989913ap+18, -0x1.eecbffba4ab27p-2},  // glibc rounds the other way
      {"atan", 0x1.1c020fe0bf84ep+1, 0x1.25b9e12237d95p+0},  // glibc rounds the other way
  };
  for (const Case& c : cases) EXPECT_EQ(Call(c.fn, c.x), c.want) << c.fn << " " << std::hexfloat << c.x;
}

TEST(mathfn, AnglesOfBothArgumentsAndHypot) {
  EXPECT_EQ(atan2(1.0, 3.0), 0x1.4978fa3269ee1p-2);
  EXPECT_EQ(atan2(-2.5, 0.7), -0x1.4c3bcf48faef4p+0);
  EXPECT_EQ(atan2(0.3, -4.0), 0x1.888ab359690ddp+1);
  EXPECT_EQ(atan2(-0.001, -7.0), -0x1.921b06e4e282fp+1);
  EXPECT_EQ(hypot(3.0, 4.0), 5.0);
  EXPECT_EQ(hypot(1.0, 1.0), 0x1.6a09e667f3bcdp+0);
  EXPECT_EQ(hypot(1e200, 1e200), 0x1.d8f9811335b57p+664);  // no overflow on the way
  EXPECT_EQ(hypot(0.1, 0.2), 0x1.c9f25c5bfeddap-3);
  EXPECT_EQ(hypot(7.3, -2.9), 0x1.f6b74042df39cp+2);
}

TEST(mathfn, SpecialArguments) {
  const double inf = std::numeric_limits<double>::infinity(), nan = std::nan("");
  for (double x : {inf, -inf, nan}) {
    EXPECT_TRUE(std::isnan(sin(x)));
    EXPECT_TRUE(std::isnan(cos(x)));
    EXPECT_TRUE(std::isnan(tan(x)));
  }
  EXPECT_TRUE(std::signbit(sin(-0.0)) && sin(-0.0) == 0);
  EXPECT_TRUE(std::signbit(atan(-0.0)));
  EXPECT_EQ(cos(0.0), 1);
  EXPECT_EQ(atan(inf), 0x1.921fb54442d18p+0);
  EXPECT_EQ(atan(-1e300), -0x1.921fb54442d18p+0);
  EXPECT_EQ(asin(1.0), 0x1.921fb54442d18p+0);
  EXPECT_EQ(acos(-1.0), 0x1.921fb54442d18p+1);
  EXPECT_EQ(acos(1.0), 0);
  EXPECT_TRUE(std::isnan(asin(1.5)));
  EXPECT_TRUE(std::isnan(acos(-1.5)));
  EXPECT_EQ(atan2(0.0, -1.0), 0x1.921fb54442d18p+1);
  EXPECT_EQ(hypot(-inf, nan), inf);
  // Tiny arguments: the first term of the series.
  EXPECT_EQ(sin(1e-10), 1e-10);
  EXPECT_EQ(tan(-1e-10), -1e-10);
  EXPECT_EQ(atan(1e-10), 1e-10);
}

TEST(mathfn, LargeAnglesStayFiniteAndBounded) {
  // Beyond everyday angles the reduction takes several passes: the values
  // stay sines, and an odd function stays odd.
  for (double x : {1e9, 1e15, 1e22, 3e38, 1e300}) {
    const double s = sin(x), c = cos(x);
    EXPECT_TRUE(s >= -1 && s <= 1) << x;
    EXPECT_TRUE(c >= -1 && c <= 1) << x;
    EXPECT_NEAR(s * s + c * c, 1, 1e-15) << x;
    EXPECT_EQ(sin(-x), -s) << x;
  }
  EXPECT_EQ(sin(1e22), -0x1.b453ab76bf397p-1);  // the classic test of the reduction
}

TEST(mathfn, SinglesRoundOnceMoreFromTheDouble) {
  // Overloads for float, as the standard library's: a Single in, a Single
  // out, not the double.
  static_assert(std::is_same_v<decltype(atan(1.0f)), float>);
  for (float x : {0.1f, 0.7f, 1.3f, 2.9f}) {
    EXPECT_EQ(sin(x), static_cast<float>(sin(static_cast<double>(x))));
    EXPECT_EQ(atan(x), static_cast<float>(atan(static_cast<double>(x))));
  }
  EXPECT_EQ(atan(1.0f), 0x1.921fb6p-1f);
}

}  // namespace
}  // namespace mathfn
