#include "shaftdeck/shaftdeck_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/testing/driver.h"

namespace shaftdeck {
namespace {

class shaftdeckWindow : public core::testing::WindowTest<Shaftdeck> {
 protected:
  std::vector<std::string> Results() {
    return {Text("txtpow"), Text("txtefth"), Text("txtsfc"), Text("txthrt")};
  }
};

using Texts = std::vector<std::string>;

TEST_F(shaftdeckWindow, LoadSelectsDefaultsWithoutCalculating) {
  core::testing::ExpectTexts(*this, {{"lstIR", "R"}, {"lstSA", "y"}, {"lstIGC", "n"}, {"lstIRG", "n"},
                                     {"txtpic", "18"}, {"txtetrg", "0.75"}});
  EXPECT_EQ(Results(), (Texts{"", "", "", ""}));
  EXPECT_FALSE(Visible("frapic"));
  EXPECT_EQ(Error(), "");
}

TEST_F(shaftdeckWindow, RefreshFramesFollowsTheLists) {
  struct Case {
    const char *ir, *sa, *igc, *irg;
    // fraSA fraSA2 fragam fragam0 fradiff fracmp fraburn fraturb framech frarg frarg2
    std::string shown;
  } cases[] = {
      {"R", "y", "n", "n", "01011111100"},
      {"R", "n", "n", "n", "10011111100"},
      {"R", "y", "y", "n", "01111111100"},
      {"R", "y", "n", "y", "01011111111"},
      {"I", "y", "n", "n", "01100000000"},
      {"I", "y", "y", "y", "01100000001"},  // effectiveness only
  };
  const char* frames[] = {"fraSA",   "fraSA2",  "fragam",  "fragam0", "fradiff", "fracmp",
                          "fraburn", "fraturb", "framech", "frarg",   "frarg2"};
  for (const Case& c : cases) {
    Select("lstIR", c.ir);
    Select("lstSA", c.sa);
    Select("lstIGC", c.igc);
    Select("lstIRG", c.irg);
    std::string shown;
    for (const char* f : frames) shown += Visible(f) ? '1' : '0';
    EXPECT_EQ(shown, c.shown) << c.ir << c.sa << c.igc << c.irg;
    EXPECT_TRUE(Visible("fracb"));
    EXPECT_TRUE(Visible("frarg1"));
    EXPECT_FALSE(Visible("fraregen"));
  }
}

TEST_F(shaftdeckWindow, CalculatedDisplays) {
  struct Case {
    const char *ir, *irg, *pic;
    Texts results;
    bool warning;
  } cases[] = {
      {"R", "n", "18", {"31,140", "0.366", "0.378", "6,959"}, false},
      {"R", "y", "18", {"30,650", "0.400", "0.346", "6,363"}, false},
      {"R", "y", "40", {"26,712", "0.325", "0.426", "7,831"}, true},
      {"I", "n", "18", {"40,269", "0.562", "0.246", "4,527"}, false},
      {"I", "y", "18", {"40,269", "0.551", "0.251", "4,615"}, true},
      // The pressure ratio box takes the leading number of its text.
      {"R", "n", "18 to 1", {"31,140", "0.366", "0.378", "6,959"}, false},
  };
  for (const Case& c : cases) {
    Select("lstIR", c.ir);
    Select("lstIRG", c.irg);
    Type("txtpic", c.pic);
    Calculate();
    EXPECT_EQ(Results(), c.results) << c.ir << c.irg << c.pic;
    EXPECT_EQ(Visible("fraregen"), c.warning) << c.ir << c.irg << c.pic;
    EXPECT_EQ(Error(), "");
    Calculate();  // from the converged turbine temperatures: the same display
    EXPECT_EQ(Results(), c.results) << "again " << c.ir << c.irg << c.pic;
  }
  // Any list click hides the warning again.
  Select("lstSA", "n");
  EXPECT_FALSE(Visible("fraregen"));
}

TEST_F(shaftdeckWindow, AltitudeOnlyWithTheStandardAtmosphere) {
  Type("txtalt", "10000");
  Calculate();
  EXPECT_EQ(Text("txtpow"), "33,692");  // 483.04 R, 10.0998 psia
  Select("lstSA", "n");
  Calculate();
  EXPECT_EQ(Text("txtpow"), "31,140");  // the typed 14.69 psia and 518.7 R
}

TEST_F(shaftdeckWindow, RejectedTextNamesTheBox) {
  Calculate();
  Type("txtetc", "0,88x");
  Calculate();
  EXPECT_TRUE(Visible("lblError"));
  EXPECT_NE(Text("lblError").find("Compressor efficiency"), std::string::npos);
  for (const char* result : {"txtpow", "txtefth", "txtsfc", "txthrt"})
    EXPECT_EQ(Text(result), "") << result;  // no results of the last inputs beside it
  Type("txtetc", "0.88");
  Calculate();
  EXPECT_EQ(Error(), "");
  EXPECT_EQ(Text("txtpow"), "31,140");
  // Inputs without physical meaning are refused by their captions.
  const std::pair<const char*, const char*> refused[] = {
      {"txttt4", "Burner exit temperature (R) must be above zero"},
      {"txtma", "Core air flow rate (lbm/s) must not be negative"},
      {"txtpic", "Compressor pressure ratio must be above zero"},
  };
  for (auto [box, message] : refused) {
    const std::string was = Text(box);
    Type(box, "-5");
    Calculate();
    EXPECT_NE(Text("lblError").find(message), std::string::npos) << Text("lblError");
    EXPECT_EQ(Text("txtpow"), "");
    Type(box, was);
  }
}

TEST_F(shaftdeckWindow, ArithmeticFailuresAreReported) {
  struct Case {
    const char *box, *text;
  } cases[] = {{"txtpib", "-1"}, {"txtma", "0"}, {"txtpic", "abc"}};
  for (const Case& c : cases) {
    Type(c.box, c.text);
    Calculate();
    EXPECT_TRUE(Visible("lblError")) << c.box;
    Type(c.box, c.box == std::string("txtpic") ? "18" : c.box == std::string("txtma") ? "147" : "0.96");
    Calculate();
    EXPECT_FALSE(Visible("lblError")) << c.box;
    EXPECT_EQ(Text("txtpow"), "31,140") << c.box;
  }
}

// The pressure ratio takes the leading number of its text, but a decimal
// comma is no end of it.
TEST_F(shaftdeckWindow, APressureRatioWithADecimalCommaIsRefused) {
  core::testing::ExpectRefused(*this, "txtpic", "18,5",
                               "Compressor pressure ratio has a comma: type 2.5 with a point",
                               {"txtpow"});
  Type("txtpic", "18,000");  // a grouping mark: eighteen thousand
  Calculate();
  EXPECT_EQ(Error().find("comma"), std::string::npos) << Error();
}

TEST_F(shaftdeckWindow, DiagramTogglesAndDoneEnds) {
  Click("cmdpic");
  EXPECT_TRUE(Visible("frapic"));
  Select("lstIR", "I");  // lists leave the diagram alone
  EXPECT_TRUE(Visible("frapic"));
  Click("cmdpic");
  EXPECT_FALSE(Visible("frapic"));
  Click("cmdEnd");
  EXPECT_TRUE(form.ended());
}

}  // namespace
}  // namespace shaftdeck
