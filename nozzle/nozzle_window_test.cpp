#include "nozzle/nozzle_window.h"

#include <gtest/gtest.h>

#include <string>

#include "core/testing/driver.h"

namespace nozzle {
namespace {

using NozzleWindow = core::testing::WindowTest<Nozzle>;

TEST_F(NozzleWindow, OpensOnTheExitMachNumberWithNoSolutionChosen) {
  EXPECT_EQ(Text("lsttype"), "Exit Mach number");
  EXPECT_EQ(Text("lstss"), "");
  EXPECT_TRUE(Shown("frainpt1"));
  EXPECT_FALSE(Shown("frainpt2"));
  EXPECT_FALSE(Shown("frainpt3"));
  EXPECT_FALSE(Shown("FraAA"));
  EXPECT_EQ(Text("txtmd8"), "");
}

TEST_F(NozzleWindow, EachConditionWithTheDefaults) {
  struct Case {
    int condition, solution;  // list positions; -1 leaves lstss unchosen
    const char *mdot, *mdotc, *m8, *area, *ppt, *ttt;
  };
  const Case cases[] = {
      {0, -1, "61.31", "73.96", "0.650", "1.123", "0.751", "0.929"},
      {1, -1, "61.50", "74.18", "0.654", "1.120", "0.749", "0.929"},
      {1, 0, "61.50", "74.18", "0.654", "1.120", "0.749", "0.929"},
      {1, 1, "61.50", "74.18", "1.366", "1.120", "0.322", "0.748"},
      {2, -1, "61.42", "74.09", "0.652", "1.121", "0.750", "0.929"},
  };
  for (const Case& c : cases) {
    core::testing::Driven<Nozzle> fresh;
    fresh.Select("lsttype", c.condition);
    if (c.solution >= 0)
      fresh.Select("lstss", c.solution);
    fresh.Calculate();
    EXPECT_EQ(fresh.Error(), "");
    EXPECT_EQ(fresh.Text("txtmd8"), c.mdot) << c.condition;
    EXPECT_EQ(fresh.Text("txtmc6"), c.mdotc) << c.condition;
    EXPECT_EQ(fresh.Text("txtm8o"), c.m8) << c.condition;
    EXPECT_EQ(fresh.Text("txtaao"), c.area) << c.condition;
    EXPECT_EQ(fresh.Text("txtppto"), c.ppt) << c.condition;
    EXPECT_EQ(fresh.Text("txtttt"), c.ttt) << c.condition;
    // With an area ratio given the minimum is lowered by 0.000001 first.
    EXPECT_EQ(fresh.Text("txtaan"), c.condition == 1 ? "0.99950" : "0.99951") << c.condition;
    EXPECT_EQ(fresh.Text("txtm8n"), "0.98000") << c.condition;
  }
}

TEST_F(NozzleWindow, AreaBelowTheMinimumHasNoSolution) {
  Select("lsttype", 1);
  Type("txtaa", "0.9");
  Calculate();
  EXPECT_TRUE(Shown("FraAA"));
  EXPECT_FALSE(Shown("fraresults0"));
  EXPECT_TRUE(Shown("FraMin"));
  EXPECT_EQ(Text("txtaan"), "0.99950");  // shown lowered by 0.000001
  EXPECT_EQ(Error(), "");
  // The minimum as shown is accepted.
  Type("txtaa", "0.99951");
  Calculate();
  EXPECT_FALSE(Shown("FraAA"));
  EXPECT_TRUE(Shown("fraresults0"));
  EXPECT_EQ(Text("txtm8o"), "0.972");
}

TEST_F(NozzleWindow, ChangingTheConditionOnlySwitchesTheInput) {
  Calculate();
  Select("lsttype", 2);
  EXPECT_TRUE(Shown("frainpt3"));
  EXPECT_FALSE(Shown("frainpt1"));
  EXPECT_EQ(Text("txtm8o"), "0.650");
}

TEST_F(NozzleWindow, HiddenInputsDoNotBlockTheChosenCondition) {
  Type("txtm8", "abc");
  Calculate();
  EXPECT_EQ(Error(), "Exit Mach number does not hold a number");
  Select("lsttype", 2);
  Calculate();
  EXPECT_EQ(Error(), "");
  EXPECT_EQ(Text("txtm8o"), "0.652");
}

TEST_F(NozzleWindow, UndefinedInputsAreReported) {
  struct Case {
    int condition;
    const char *box, *text, *message;
  };
  const Case cases[] = {
      {2, "txtppt", "1.2", "No nozzle flow for Pressure ratio (p8/pt6) = 1.2"},
      {2, "txtppt", "-0.5", "No nozzle flow for Pressure ratio (p8/pt6) = -0.5"},
      {0, "txtm8", "20", "This nozzle cannot expand to Exit Mach number = 20"},
      {0, "txtm8", "0", "Exit Mach number must be above 0"},
      {0, "txtk", "1", "gamma must be above 1"},
      {0, "txtetn", "1.1", "Efficiency must be above 0 and at most 1"},
      {0, "txtpt6", "0", "pt6 (psia) must be above 0"},
      {1, "txtaa", "", "Area ratio (A8/A*) is empty: type a number"},
      {0, "txttt6", "-5", "Tt6 (deg R) must be above 0: it is an absolute temperature"},
      {0, "txtar8", "-250", "Exit area (in^2) must not be negative"},
      {0, "txtk", "1e400", "gamma is too large"},
  };
  for (const Case& c : cases) {
    core::testing::Driven<Nozzle> fresh;
    fresh.Select("lsttype", c.condition);
    core::testing::ExpectRefused(fresh, c.box, c.text, c.message,
                                 {"txtmd8", "txtmc6", "txtm8o", "txtaao", "txtppto", "txtttt"});
  }
}

}  // namespace
}  // namespace nozzle
