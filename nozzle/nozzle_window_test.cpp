#include "nozzle/nozzle_window.h"

#include <gtest/gtest.h>

#include <string>

namespace nozzle {
namespace {

class NozzleWindow : public ::testing::Test {
 protected:
  void SetUp() override { form.Load(); }
  std::string Text(const std::string& id) { return form.FindById(id)->text(); }
  bool Shown(const std::string& id) { return form.FindById(id)->shown(); }
  void Type(const std::string& id, const std::string& text) {
    form.UserType(*static_cast<core::TextBox*>(form.FindById(id)), text);
  }
  void Choose(const std::string& list, int index) {
    form.UserSelect(*static_cast<core::ListBox*>(form.FindById(list)), index);
  }
  void Calculate() { form.UserClick(*form.FindById("cmdCalculate")); }

  Nozzle form;
};

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
    Nozzle fresh;
    fresh.Load();
    fresh.UserSelect(*static_cast<core::ListBox*>(fresh.FindById("lsttype")), c.condition);
    if (c.solution >= 0)
      fresh.UserSelect(*static_cast<core::ListBox*>(fresh.FindById("lstss")), c.solution);
    fresh.UserClick(*fresh.FindById("cmdCalculate"));
    auto text = [&](const char* id) { return fresh.FindById(id)->text(); };
    EXPECT_FALSE(fresh.lblError->visible()) << fresh.lblError->text();
    EXPECT_EQ(text("txtmd8"), c.mdot) << c.condition;
    EXPECT_EQ(text("txtmc6"), c.mdotc) << c.condition;
    EXPECT_EQ(text("txtm8o"), c.m8) << c.condition;
    EXPECT_EQ(text("txtaao"), c.area) << c.condition;
    EXPECT_EQ(text("txtppto"), c.ppt) << c.condition;
    EXPECT_EQ(text("txtttt"), c.ttt) << c.condition;
    // With an area ratio given the minimum is lowered by 0.000001 first.
    EXPECT_EQ(text("txtaan"), c.condition == 1 ? "0.99950" : "0.99951") << c.condition;
    EXPECT_EQ(text("txtm8n"), "0.98000") << c.condition;
  }
}

TEST_F(NozzleWindow, AreaBelowTheMinimumHasNoSolution) {
  Choose("lsttype", 1);
  Type("txtaa", "0.9");
  Calculate();
  EXPECT_TRUE(Shown("FraAA"));
  EXPECT_FALSE(Shown("fraresults0"));
  EXPECT_TRUE(Shown("FraMin"));
  EXPECT_EQ(Text("txtaan"), "0.99950");  // shown lowered by 0.000001
  EXPECT_FALSE(form.lblError->visible());
  // The minimum as shown is accepted.
  Type("txtaa", "0.99951");
  Calculate();
  EXPECT_FALSE(Shown("FraAA"));
  EXPECT_TRUE(Shown("fraresults0"));
  EXPECT_EQ(Text("txtm8o"), "0.972");
}

TEST_F(NozzleWindow, ChangingTheConditionOnlySwitchesTheInput) {
  Calculate();
  Choose("lsttype", 2);
  EXPECT_TRUE(Shown("frainpt3"));
  EXPECT_FALSE(Shown("frainpt1"));
  EXPECT_EQ(Text("txtm8o"), "0.650");
}

TEST_F(NozzleWindow, HiddenInputsDoNotBlockTheChosenCondition) {
  Type("txtm8", "abc");
  Calculate();
  EXPECT_EQ(form.lblError->text(), "Exit Mach number does not hold a number");
  Choose("lsttype", 2);
  Calculate();
  EXPECT_FALSE(form.lblError->visible());
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
    Nozzle fresh;
    fresh.Load();
    fresh.UserSelect(*static_cast<core::ListBox*>(fresh.FindById("lsttype")), c.condition);
    fresh.UserClick(*fresh.FindById("cmdCalculate"));
    ASSERT_FALSE(fresh.lblError->visible());
    fresh.UserType(*static_cast<core::TextBox*>(fresh.FindById(c.box)), c.text);
    fresh.UserClick(*fresh.FindById("cmdCalculate"));
    EXPECT_TRUE(fresh.lblError->visible()) << c.box << " " << c.text;
    EXPECT_EQ(fresh.lblError->text(), c.message);
    for (const char* result : {"txtmd8", "txtmc6", "txtm8o", "txtaao", "txtppto", "txtttt"})
      EXPECT_EQ(fresh.FindById(result)->text(), "") << c.box << " " << c.text << " " << result;
  }
}

}  // namespace
}  // namespace nozzle
