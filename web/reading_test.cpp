#include "web/reading.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace web {
namespace {

using frame::Look;

// Two columns of inputs in frames, a table of results with headings, a
// group of options, a list and buttons, laid out out of reading order.
class Sample : public frame::Form {
 public:
  Sample() : Form("Sample", 600, 400) {
    AddLabel("lblTitle", "Sample Title", {100, 0, 300, 30}, nullptr, Look::Title);
    auto* right = AddFrame("fraRight", "Outlet", {300, 40, 280, 120});
    auto* left = AddFrame("fraLeft", "Inlet", {10, 40, 280, 120});
    AddLabel("lblg", " g = ", {10, 20, 60, 20}, left);
    txtg = AddTextBox("txtg", {80, 20, 60, 20}, left);
    AddLabel("lblm", "Mach number ", {10, 50, 60, 20}, left);
    txtm = AddTextBox("txtm", {80, 50, 60, 20}, left);
    AddLabel("lblp", "p2/p1", {10, 20, 60, 20}, right);
    txtp = AddTextBox("txtp", {80, 20, 60, 20}, right);
    auto* mode = AddFrame("fraMode", "Branch", {10, 170, 200, 60});
    AddOption("optSub", "Subsonic", {10, 20, 90, 20}, mode)->setValue(true);
    AddOption("optSup", "Supersonic", {100, 20, 90, 20}, mode);
    AddLabel("lblGas", "Gas", {420, 190, 40, 20});
    AddList("lstGas", {"Air", "Helium"}, {470, 180, 100, 40})->setListIndex(1);
    auto* table = AddFrame("fraTable", "Results", {10, 240, 400, 80});
    AddLabel("lblHead", "T/Tt", {100, 15, 80, 20}, table, Look::Heading);
    result = AddLabel("lblT", "0.8333", {100, 40, 80, 20}, table, Look::Result);
    AddButton("cmdend", "Done!", {450, 340, 80, 30});
    AddButton("cmdcompute", "Compute", {450, 300, 80, 30}, nullptr, Look::Compute);
    auto* out = AddTextBox("txtOut", {200, 40, 80, 20}, table);
    out->readOnly = true;
    out->setText("1.5");
    AddLabel("lblOut", "A/A*", {120, 42, 70, 20}, nullptr);  // not in its row: no caption
    txtg->setText("1.4");
    txtm->setText("2");
    txtp->setText("");
  }
  frame::TextBox *txtg, *txtm, *txtp;
  frame::Label* result;
};

std::vector<std::string> Ids(const std::vector<const frame::Control*>& controls) {
  std::vector<std::string> ids;
  for (const auto* c : controls) ids.push_back(c->id());
  return ids;
}

TEST(Reading, CaptionsComeFromTheLabelOnTheLeftThenAboveThenTheFrame) {
  Sample s;
  const struct {
    const char* id;
    const char* caption;
  } cases[] = {
      {"txtg", "g ="},                 // trimmed
      {"txtm", "Mach number"},
      {"txtp", "p2/p1"},               // its own frame's label, not the other column's
      {"lstGas", "Gas"},
      {"lblT", "T/Tt"},                // a result under its heading
      {"txtOut", "Results"},           // nothing beside or above: its frame
  };
  for (const auto& c : cases) EXPECT_EQ(CaptionOf(s, *s.FindById(c.id)), c.caption) << c.id;
  EXPECT_EQ(CaptionLabel(s, *s.FindById("txtOut")), nullptr);
  EXPECT_EQ(CaptionLabel(s, *s.FindById("txtm"))->id(), "lblm");
}

TEST(Reading, InputsInReadingOrderThenButtonsThenResults) {
  Sample s;
  EXPECT_EQ(Ids(ReadingOrder(s)),
            (std::vector<std::string>{"txtg", "txtm", "txtp", "optSub", "optSup", "lstGas",
                                      "cmdcompute", "cmdend", "lblT", "txtOut"}));
}

TEST(Reading, WindowCopyGivesInputsAndChoicesThenResults) {
  Sample s;
  EXPECT_EQ(WindowCopyText(s),
            "g =\t1.4\nMach number\t2\np2/p1\t\nBranch\tSubsonic\nGas\tHelium\n"
            "T/Tt\t0.8333\nResults\t1.5\n");
  s.FindById("fraTable")->setVisible(false);  // what is not shown is not copied
  s.txtm->setText(" 3 ");
  EXPECT_EQ(WindowCopyText(s), "g =\t1.4\nMach number\t3\np2/p1\t\nBranch\tSubsonic\nGas\tHelium\n");
}

}  // namespace
}  // namespace web
