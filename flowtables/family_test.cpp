#include "flowtables/family.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "core/failure.h"
#include "core/testing/driver.h"

#include "flowtables/isentropic_window.h"

namespace flowtables {
namespace {

TEST(RowValue, SinglePrecisionSteps) {
  // 0.1f * 3 in Single is 0.3000000119..., not the Double 0.3.
  EXPECT_EQ(RowValue(0.0f, 1.0f, 3), 3.0f * 0.1f);
  EXPECT_EQ(RowValue(2.0f, 0.0f, 1), 1.8f);
  EXPECT_EQ(RowValue(2.0f, 0.0f, 10), 0.0f);
  EXPECT_EQ(RowValue(1.5f, 1.5f, 7), 1.5f);
}

TEST(Limit, OnlyLargeValues) {
  EXPECT_EQ(Limit(1e300), 99999.99);
  EXPECT_EQ(Limit(INFINITY), 99999.99);
  EXPECT_EQ(Limit(99999.98), 99999.98);
  EXPECT_EQ(Limit(-5.0), -5.0);
}

struct AreaCase {
  float g;
  double area;
  Branch branch;
};

class AreaSearch : public ::testing::TestWithParam<AreaCase> {};

// Every area ratio at least 1 has a Mach number on each branch, also where
// the secant steps alone do not settle.
TEST_P(AreaSearch, FindsTheRootOnTheBranch) {
  const AreaCase c = GetParam();
  const IsentropicConstants k(c.g);
  auto area = [&k](double m) { return IsentropicRatios(m, k).a; };
  auto m = SearchMach(area, c.area, c.branch == Branch::Subsonic ? 0.01 : 1.1, c.branch);
  ASSERT_TRUE(m.has_value());
  if (c.area > 1.0001) {
    EXPECT_EQ(*m < 1, c.branch == Branch::Subsonic) << *m;
  }
  EXPECT_NEAR(area(*m) / c.area, 1.0, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AreaSearch,
    ::testing::Values(AreaCase{1.4f, 2, Branch::Subsonic}, AreaCase{1.4f, 1.5, Branch::Supersonic},
                      AreaCase{1.4f, 1, Branch::Subsonic}, AreaCase{1.4f, 1, Branch::Supersonic},
                      AreaCase{1.4f, 20, Branch::Supersonic}, AreaCase{1.4f, 30, Branch::Supersonic},
                      AreaCase{1.4f, 1000, Branch::Supersonic},
                      AreaCase{1.4f, 100, Branch::Subsonic}, AreaCase{1.4f, 1e6, Branch::Subsonic},
                      AreaCase{1.1f, 10, Branch::Supersonic}, AreaCase{1.01f, 5, Branch::Supersonic},
                      AreaCase{1.67f, 3e5, Branch::Supersonic}));

TEST(AreaSearch, NoRootBelowOne) {
  const IsentropicConstants k(1.4f);
  auto area = [&k](double m) { return IsentropicRatios(m, k).a; };
  EXPECT_FALSE(SearchMach(area, 0.5, 0.01, Branch::Subsonic).has_value());
  EXPECT_FALSE(SearchMach(area, 0.5, 1.1, Branch::Supersonic).has_value());
}

TEST(AreaSearch, NotANumberGivesNothing) {
  auto f = [](double) { return NAN; };
  EXPECT_FALSE(SearchMach(f, 2, 0.01, Branch::Subsonic).has_value());
}

TEST(IsentropicConstants, GammaOfOneOrMinusOneFails) {
  EXPECT_THROW(IsentropicConstants{1.0f}, core::Failure);
  EXPECT_THROW(IsentropicConstants{-1.0f}, core::Failure);
  EXPECT_NO_THROW(IsentropicConstants{1.01f});
}

// A failed Compute writes none of its results: the single-value row or the
// whole table is blank beside the message, never the values of the inputs
// before; the next good Compute fills it again.
TEST(FailedCompute, LeavesItsResultsBlank) {
  struct Case {
    bool table;
    const char *box, *text, *message;
  } cases[] = {
      {false, "txtg", "1", "γ = 1 gives no finite ratios: type another γ"},
      {false, "txtg", "-1", "γ = -1 gives no finite ratios: type another γ"},
      {false, "txtg", "", "γ is empty: type a number"},
      {false, "txtm1", "abc", "M does not hold a number"},
      {false, "txtm1", "1e400", "M is too large"},
      {true, "txtg", "1", "γ = 1 gives no finite ratios: type another γ"},
      {true, "txtMinm", "abc", "Min Mach Number does not hold a number"},
      {true, "txtMaxm", "", "Max Mach Number is empty: type a number"},
      {true, "txtg", "-5", "γ = -5 gives no finite ratios: type another γ"},
  };
  for (const Case& c : cases) {
    core::testing::Driven<Isentropic> w;
    std::vector<std::string> results;
    if (c.table) {
      w.Click("optTable");
      for (const char* column : {"lblm", "lblt", "lblp", "lblr", "lbla"})
        for (int row = 0; row < kRows; ++row)
          results.push_back(std::string(column) + "(" + std::to_string(row) + ")");
    } else {
      results = {"Lblmm", "lblt1", "lblp1", "lblr1", "lbla1"};
    }
    const std::string compute = c.table ? "cmdMcompute" : "cmdscompute";
    for (const std::string& id : results) ASSERT_NE(w.Text(id), "") << id;
    const std::string good = w.Text(c.box);
    w.Type(c.box, c.text);
    w.Click(compute);
    EXPECT_EQ(w.Error(), c.message) << c.box << " " << c.text;
    for (const std::string& id : results)
      EXPECT_EQ(w.Text(id), "") << c.box << " " << c.text << ": " << id;
    w.Type(c.box, good);
    w.Click(compute);
    EXPECT_EQ(w.Error(), "");
    for (const std::string& id : results) EXPECT_NE(w.Text(id), "") << id;
  }
}

}  // namespace
}  // namespace flowtables
