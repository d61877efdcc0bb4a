#include "shock/shock_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/testing/driver.h"

namespace shock {
namespace {

class ShockWindow : public core::testing::WindowTest<Shock> {
 protected:
  void Choose(int type) { Select("lsttype", type); }
};

TEST_F(ShockWindow, EachTypeShowsItsFrames) {
  struct Case {
    int type;
    bool angle, guess, shockAngle, maximum;
  };
  const Case cases[] = {
      {0, false, false, false, false},
      {1, true, false, true, true},
      {2, true, false, true, true},
      {3, true, true, true, false},
  };
  for (const Case& c : cases) {
    Choose(c.type);
    EXPECT_TRUE(Shown("frainpt")) << c.type;
    EXPECT_TRUE(Shown("fraresults1")) << c.type;
    EXPECT_EQ(Shown("frainpt2"), c.angle) << c.type;
    EXPECT_EQ(Shown("frashang"), c.guess) << c.type;
    EXPECT_EQ(Shown("fraresults2"), c.shockAngle) << c.type;
    EXPECT_EQ(Shown("fraresults3"), c.maximum) << c.type;
    EXPECT_FALSE(Shown("fradet")) << c.type;
  }
}

TEST_F(ShockWindow, LoadSelectsTheNormalShock) {
  core::testing::ExpectTexts(*this, {{"lsttype", "Normal Shock"}, {"txtg", "1.400"}, {"txtm1", "2.00"}});
  Calculate();
  // The output step writes every box, from nothing where a type computes
  // nothing.
  core::testing::ExpectTexts(*this, {{"txte2", "0.5774"}, {"txte3", "4.5000"}, {"txte4", "0.7209"},
                                     {"txtdl", "5.000"}, {"txtdr", "0.000"}, {"txtdx", "0.000"}});
}

TEST_F(ShockWindow, ConeFirstGuessFollowsTheInputs) {
  struct Step {
    const char *box, *text, *guess;
  };
  Choose(3);
  EXPECT_EQ(Text("txteps"), "30.5");
  const Step steps[] = {{"txtdl", "10", "40.0"}, {"txtdl", "20", "50.0"}, {"txtm1", "3", "39.5"},
                        {"txtdl", "9.5", "20.4"}};
  for (const Step& s : steps) {
    Type(s.box, s.text);
    EXPECT_EQ(Text("txteps"), s.guess) << s.box << " " << s.text;
  }
}

TEST_F(ShockWindow, ClampedTurningRewritesTheBox) {
  Choose(1);
  Type("txtdl", "30");
  Calculate();
  EXPECT_EQ(Text("txtdl"), "22.974");
  EXPECT_EQ(Text("txtdx"), "22.974");
  EXPECT_EQ(Error(), "");
}

TEST_F(ShockWindow, DetachedConeReportsZeros) {
  Choose(3);
  Type("txtdl", "45");
  Calculate();
  EXPECT_TRUE(Shown("fradet"));
  EXPECT_EQ(Text("txte2"), "0.0000");
  EXPECT_EQ(Text("txte3"), "0.0000");
  EXPECT_EQ(Text("txte4"), "0.0000");
  EXPECT_EQ(Text("txtdr"), "0.000");
  EXPECT_EQ(Text("txtdl"), "45.000");
  EXPECT_EQ(Text("txteps"), "75.0");  // the rewrite of txtdl refreshed the guess
  EXPECT_EQ(Error(), "");
  // The report stays until an input changes.
  Type("txtdl", "20");
  EXPECT_FALSE(Shown("fradet"));
  Calculate();
  EXPECT_EQ(Text("txtdr"), "37.796");
  EXPECT_FALSE(Shown("fradet"));
}

TEST_F(ShockWindow, UndefinedInputsAreReportedWithBlankResults) {
  struct Case {
    int type;
    const char *box, *text, *message;
  };
  const Case cases[] = {
      {1, "txtm1", "1", "Mach number must be above 1 for an oblique shock"},
      {2, "txtm1", "0.5", "Mach number must be above 1 for an oblique shock"},
      {3, "txtm1", "0.9", "Mach number must be above 1 for a conical shock"},
      {0, "txtm1", "0.3", "Mach number must be at least 1 for a normal shock"},
      {0, "txtg", "1", "gamma must be above 1"},
      {1, "txtg", "0.8", "gamma must be above 1"},
      {1, "txtdl", "five", "Turning angle (deg) does not hold a number"},
      {1, "txtdl", "1e400", "Turning angle (deg) is too large"},
      {1, "txtdl", "-5", "Turning angle (deg) must not be negative"},
      {2, "txtdl", "-0.5", "Turning angle (deg) must not be negative"},
      {3, "txtdl", "-10", "Turning angle (deg) must not be negative"},
      {0, "txtg", "", "gamma is empty: type a number"},
  };
  for (const Case& c : cases) {
    core::testing::Driven<Shock> fresh;
    fresh.Select("lsttype", c.type);
    core::testing::ExpectRefused(fresh, c.box, c.text, c.message,
                                 {"txte2", "txte3", "txte4", "txtdr", "txtdx"});
  }
}

TEST_F(ShockWindow, HiddenBoxesDoNotBlockTheNormalShock) {
  Choose(3);
  Type("txteps", "abc");
  Type("txtdl", "");
  EXPECT_TRUE(Visible("lblError"));  // the refresh names the empty box
  EXPECT_TRUE(Shown("fraresults2"));
  Choose(0);
  Calculate();
  EXPECT_EQ(Error(), "");
  EXPECT_EQ(Text("txte3"), "4.5000");
  EXPECT_EQ(Text("txtdl"), "");
}

}  // namespace
}  // namespace shock
