#include "flowtables/planejump_window.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "core/failure.h"
#include "core/testing/driver.h"

namespace flowtables {
namespace {

struct ShockCase {
  float m1;
  std::array<const char*, 7> shown;  // M1 used, M2, ρ2/ρ1, T2/T1, p2/p1, pt2/pt1, pt2/p1
};

class Shock : public ::testing::TestWithParam<ShockCase> {};

TEST_P(Shock, ShownDigits) {
  const ShockCase c = GetParam();
  const ShockState s = ShockRelations(c.m1, ShockConstants(1.4f));
  const std::array<std::string, 7> got{Out(s.m1), Out(s.m2), Out(s.r),  Out(s.t),
                                       Out(s.p),  Out(s.pt), Out(s.ptp)};
  for (size_t i = 0; i < got.size(); ++i) EXPECT_EQ(got[i], c.shown[i]) << "column " << i;
}

INSTANTIATE_TEST_SUITE_P(
    planejump, Shock,
    ::testing::Values(
        ShockCase{2.0f, {"2.", "0.5774", "2.6667", "1.6875", "4.5", "0.7209", "5.6404"}},
        ShockCase{3.0f, {"3.", "0.4752", "3.8571", "2.679", "10.3333", "0.3283", "12.061"}},
        ShockCase{1.1f, {"1.1", "0.9118", "1.1691", "1.0649", "1.245", "0.9989", "2.1328"}},
        // No shock below sonic speed: M1 becomes 1.
        ShockCase{0.5f, {"1.", "1.", "1.", "1.", "1.", "1.", "1.8929"}},
        ShockCase{-3.0f, {"1.", "1.", "1.", "1.", "1.", "1.", "1.8929"}},
        // Large M1: the limited columns, and M2 and ρ2/ρ1 at their asymptotes.
        ShockCase{1000.0f,
                  {"1000.", "0.378", "6.", "99999.99", "99999.99", "0.", "99999.99"}}));

TEST(Shock, SingleConstantsShowInLargePressureRatios) {
  // k4 = 1.4/1.2 and k5 = 0.2/1.2 stored as Singles: 10000·k4 − k5 is
  // 11666.49963 rather than 11666.5.
  const ShockState s = ShockRelations(100.0, ShockConstants(1.4f));
  EXPECT_EQ(Out(s.p), "11666.4996");
}

TEST(Shock, GammaOfOneOrMinusOneFails) {
  EXPECT_THROW(ShockConstants{1.0f}, core::Failure);
  EXPECT_THROW(ShockConstants{-1.0f}, core::Failure);
}

// The Mach number box stands in the row of results: a failed Compute blanks
// the results beside it and leaves the box as typed.
TEST(PlaneJumpWindow, FailedComputeLeavesTheRowBlank) {
  struct Case {
    const char *box, *text, *message;
  } cases[] = {
      {"txtm1", "", "Mach Number is empty: type a number"},
      {"txtm1", "1e400", "Mach Number is too large"},
      {"txtg", "1", "γ = 1 gives no finite ratios: type another γ"},
      {"txtg", "abc", "γ does not hold a number"},
  };
  const std::vector<std::string> results{"lblt1", "lblp1", "lblr1", "lbla1", "lblx1", "lbly1"};
  for (const Case& c : cases) {
    core::testing::Driven<PlaneJump> w;
    for (const std::string& id : results) ASSERT_NE(w.Text(id), "") << id;
    w.Type(c.box, c.text);
    w.Click("cmdscompute");
    EXPECT_EQ(w.Text("lblError"), c.message);
    EXPECT_EQ(w.Text(c.box), c.text);
    for (const std::string& id : results) EXPECT_EQ(w.Text(id), "") << c.box << ": " << id;
  }
}

}  // namespace
}  // namespace flowtables
