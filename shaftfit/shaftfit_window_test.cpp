// The window's own rules, through its model: start guesses that follow the
// compressor, the regenerator frames, and the messages.
#include <gtest/gtest.h>

#include <string>

#include "core/reading.h"
#include "core/testing/driver.h"
#include "shaftfit/shaftfit_window.h"

namespace shaftfit {
namespace {

class Window : public core::testing::WindowTest<Form1> {
 protected:
  void Choose(int item) { Select("lstIRG", item); }
};

TEST_F(Window, StartState) {
  EXPECT_EQ(List("lstIRG").listIndex(), -1);
  EXPECT_EQ(Text("txtn2"), "9000");
  EXPECT_EQ(Text("txtm1in"), "132.2");  // 9000 * 0.0154632 * 1.9 / 2
  for (const char* id : {"frarg", "frarg2", "Fraburn2", "fraregen", "Fraconv", "frasurge"})
    EXPECT_FALSE(Shown(id)) << id;
  EXPECT_TRUE(Shown("fraframe2"));
}

TEST_F(Window, GuessesFollowTheCompressor) {
  struct Step {
    const char* box;  // nullptr: choose the list item
    const char* text;
    int item;
    const char* n2;
    const char* m1;
  };
  const Step steps[] = {
      {nullptr, nullptr, 1, "9300", "136.6"},       // "y": 300 rpm faster
      {"txtc2", "0.02", 0, "9300", "176.7"},        // 9300 * 0.02 * 0.95
      {"txtc3", "0.8", 0, "9300", "167.4"},         // 9300 * 0.02 * 0.9
      {"txtn2d", "10000", 0, "10300", "185.4"},     // 10300 * 0.02 * 0.9
      {nullptr, nullptr, 0, "10000", "180.0"},      // "n"
      {"txtn2", "12345", 0, "12345", "180.0"},      // typed guesses stay
      {"txtc2", "0.0154632", 0, "10000", "139.2"},  // until the next edit
  };
  for (const Step& s : steps) {
    if (s.box)
      Type(s.box, s.text);
    else
      Choose(s.item);
    EXPECT_EQ(Text("txtn2"), s.n2) << (s.box ? s.box : "lstIRG");
    EXPECT_EQ(Text("txtm1in"), s.m1) << (s.box ? s.box : "lstIRG");
  }
}

TEST_F(Window, RegeneratorFramesAndMessages) {
  Choose(1);
  for (const char* id : {"frarg", "frarg2", "Fraburn2"}) EXPECT_TRUE(Shown(id)) << id;
  Calculate();
  EXPECT_FALSE(Shown("Fraconv"));
  EXPECT_FALSE(Shown("fraregen"));
  EXPECT_FALSE(Shown("lblError"));
  Choose(0);
  for (const char* id : {"frarg", "frarg2", "Fraburn2"}) EXPECT_FALSE(Shown(id)) << id;
  // No fuel: no match, zeros everywhere.
  Type("txtf", "0");
  Calculate();
  EXPECT_TRUE(Shown("Fraconv"));
  EXPECT_EQ(Text("txtpower"), "");
  EXPECT_EQ(Text("txtefth"), "0.000");
  EXPECT_EQ(Text("Txtt5o"), "");
  EXPECT_EQ(Text("txtppt"), "0.000");
  EXPECT_FALSE(Shown("frasurge"));
  Type("txtf", "0.02");
  Calculate();
  EXPECT_FALSE(Shown("Fraconv"));
  EXPECT_NE(Text("txtpower"), "");
}

// A box read by the leading rule refuses what it cannot read whole, by its
// caption, as the boxes of the other programs do; what it reads whole it
// reads as it always did.
TEST_F(Window, NonsenseIsRefusedByTheBoxCaption) {
  Choose(0);
  core::testing::ExpectEveryRefusal(*this, {"txtf", "txtc1", "txtT0", "txtn2"},
                                    {"txtpower", "txtefth", "Txtt5o"});
  Calculate();
  const std::string power = Text("txtpower");
  for (const char* text : {" 0.02 ", "+.02", "2e-2", "2d-2", "0 . 0 2"}) {
    Type("txtf", text);
    Calculate();
    EXPECT_EQ(Error(), "") << text;
    EXPECT_EQ(Text("txtpower"), power) << text;
  }
}

// The guesses follow the compressor as it is typed; a box that does not
// read says so at once and leaves them as they were.
TEST_F(Window, GuessesWaitForABoxThatReads) {
  Type("txtc2", "0,02");
  EXPECT_EQ(Error(), "c2 ((lbm/s)/rpm) has a comma: type 2.5 with a point");
  EXPECT_EQ(Text("txtm1in"), "132.2");
  Type("txtc2", "0.02");
  EXPECT_EQ(Error(), "");
  EXPECT_EQ(Text("txtm1in"), "171.0");  // 9000 * 0.02 * 1.9 / 2
}

// Copy lists the regenerator list, chosen or not.
TEST_F(Window, CopyListsAListWithNothingChosen) {
  EXPECT_NE(core::WindowText(form).find("Regenerator?\t(none)\n"), std::string::npos)
      << core::WindowText(form);
  Choose(1);
  EXPECT_NE(core::WindowText(form).find("Regenerator?\ty\n"), std::string::npos);
}

class Prints : public Window {
 protected:
  core::testing::ScratchFolder scratch_{"shaftfit-prints-"};
};

TEST_F(Prints, AFailedPrintCountsNoFile) {
  core::testing::ExpectFailedPrintCountsNoFile(form, "Varrond", "Command1", "txtd", "1,5");
}

TEST_F(Prints, APrintFileOfAnEarlierRunIsKept) {
  core::testing::ExpectEarlierPrintFilesKept(form, "Varrond", "Command1");
}

}  // namespace
}  // namespace shaftfit
