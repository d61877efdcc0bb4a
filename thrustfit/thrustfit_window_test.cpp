// What the window reads from its boxes, and the print files it writes.
#include <gtest/gtest.h>

#include <string>

#include "core/reading.h"
#include "core/testing/driver.h"
#include "thrustfit/thrustfit_window.h"

namespace thrustfit {
namespace {

class Window : public core::testing::WindowTest<Form1> {
 protected:
  core::testing::ScratchFolder scratch_{"thrustfit-window-"};
};

// A box read by the leading rule refuses what it cannot read whole, by its
// caption, as the boxes of the other programs do.
TEST_F(Window, NonsenseIsRefusedByTheBoxCaption) {
  core::testing::ExpectEveryRefusal(*this, {"txtf", "txtmn", "txtc1", "txtmach"},
                                    {"txtfdm", "txtn2a", "txtppc"});
  EXPECT_EQ(core::CaptionOf(form, C("txtf")), "f");
}

// Whatever the rule reads whole is read as it always was.
TEST_F(Window, TextsReadWholeGiveTheSameMatch) {
  Calculate();
  const std::string thrust = Text("txtfdm");
  ASSERT_NE(thrust, "");
  for (const char* text : {" 0.02 ", "+.02", "2e-2", "2D-2", "0 . 0 2", "0.020"}) {
    Type("txtf", text);
    Calculate();
    EXPECT_EQ(Error(), "") << text;
    EXPECT_EQ(Text("txtfdm"), thrust) << text;
  }
  Type("txtdrg", "42,000");  // a grouping mark, as "42000"
  Select("lstge", "f");
  Calculate();
  const std::string grouped = Text("txtfdm");
  Type("txtdrg", "42000");
  Calculate();
  EXPECT_EQ(Text("txtfdm"), grouped);
}

TEST_F(Window, AFailedPrintCountsNoFile) {
  core::testing::ExpectFailedPrintCountsNoFile(form, "Quennic", "Command1", "txtmn", "abc");
}

TEST_F(Window, APrintFileOfAnEarlierRunIsKept) {
  core::testing::ExpectEarlierPrintFilesKept(form, "Quennic", "Command1");
}

}  // namespace
}  // namespace thrustfit
