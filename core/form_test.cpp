#include "core/form.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace core {
namespace {

// A small window exercising every kind of control and event.
class Probe : public Form {
 public:
  Probe() : Form(Caption("Probe", 3), 400, 300) {
    fra = AddFrame("fra", "Group", {0, 0, 200, 100});
    inner = AddFrame("inner", "", {0, 0, 100, 50}, fra, false);
    box = AddTextBox("box", {0, 0, 50, 20}, inner);
    other = AddTextBox("other", {0, 0, 50, 20});
    optA = AddOption("optA", "A", {0, 0, 50, 20}, fra);
    optB = AddOption("optB", "B", {0, 20, 50, 20}, fra);
    optOut = AddOption("optOut", "Outside", {0, 0, 50, 20});
    list = AddList("lst", {"Normal Shock", "Oblique Shock"}, {0, 0, 50, 40});
    done = AddButton("cmdend", "Done!", {0, 0, 50, 20});
    fail = AddButton("cmdfail", "Fail", {0, 0, 50, 20});
    cells = AddLabelArray("lblm", 3, "1", {0, 0, 40, 20}, 20);

    box->Change = [this] {
      log.push_back("box=" + box->text());
      other->setText("copied " + box->text());  // a handler calling another
    };
    other->Change = [this] { log.push_back("other=" + other->text()); };
    optA->Click = [this] { log.push_back("A"); };
    optB->Click = [this] { log.push_back("B"); };
    optOut->Click = [this] { log.push_back("Out"); };
    list->Click = [this] { log.push_back("list " + std::to_string(list->listIndex())); };
    done->Click = [this] {
      log.push_back("ending");
      End();
      log.push_back("after End");  // never reached
    };
    fail->Click = [this] {
      cells[0]->setCaption("partial");
      Strict(box);
    };
  }
  void Form_Load() override {
    log.push_back("load");
    box->setText("1");
    optA->setValue(true);
  }

  Frame *fra, *inner;
  TextBox *box, *other;
  Option *optA, *optB, *optOut;
  ListBox* list;
  Button *done, *fail;
  std::vector<Label*> cells;
  std::vector<std::string> log;
};

using Log = std::vector<std::string>;

TEST(Form, LoadRaisesChangeOfDefaultsBeforeGoingOn) {
  Probe p;
  p.Load();
  EXPECT_EQ(p.log, (Log{"load", "box=1", "other=copied 1", "A"}));
}

TEST(Form, ChangeOnlyWhenTheTextDiffers) {
  Probe p;
  p.Load();
  p.log.clear();
  p.UserType(*p.box, "1");
  p.box->setText("1");
  EXPECT_TRUE(p.log.empty());
  p.UserType(*p.box, "");
  EXPECT_EQ(p.log, (Log{"box=", "other=copied "}));
}

TEST(Form, OptionsAreExclusiveWithinTheirContainerOnly) {
  Probe p;
  p.Load();
  p.log.clear();
  p.UserClick(*p.optOut);
  EXPECT_TRUE(p.optA->value());  // another container
  EXPECT_TRUE(p.optOut->value());
  p.UserClick(*p.optB);
  EXPECT_FALSE(p.optA->value());
  EXPECT_TRUE(p.optB->value());
  p.UserClick(*p.optB);  // already selected: nothing happens
  EXPECT_EQ(p.log, (Log{"Out", "B"}));
  p.optB->setValue(false);  // clearing raises nothing
  EXPECT_EQ(p.log.size(), 2u);
}

TEST(Form, ListSelectionIgnoresCaseAndRaisesClickOnChange) {
  Probe p;
  p.Load();
  p.log.clear();
  EXPECT_EQ(p.list->listIndex(), -1);
  EXPECT_EQ(p.list->text(), "");
  EXPECT_TRUE(p.list->setText("Normal shock"));
  EXPECT_EQ(p.list->listIndex(), 0);
  EXPECT_EQ(p.list->text(), "Normal Shock");
  EXPECT_TRUE(p.list->setText("NORMAL SHOCK"));  // unchanged: no Click
  EXPECT_FALSE(p.list->setText("Conical"));
  EXPECT_EQ(p.list->listIndex(), 0);
  p.UserSelect(*p.list, 1);
  EXPECT_EQ(p.log, (Log{"list 0", "list 1"}));
}

TEST(Form, HiddenFramesHideEverythingInside) {
  Probe p;
  p.fra->setVisible(false);
  EXPECT_TRUE(p.box->visible());
  EXPECT_FALSE(p.box->shown());
  EXPECT_FALSE(p.inner->shown());
  EXPECT_TRUE(p.other->shown());
  p.fra->setVisible(true);
  p.inner->setVisible(false);
  EXPECT_FALSE(p.box->shown());
  EXPECT_TRUE(p.optA->shown());
}

TEST(Form, DoneEndsAtOnceAndNothingRunsAfter) {
  Probe p;
  p.Load();
  p.log.clear();
  p.UserClick(*p.done);
  EXPECT_TRUE(p.ended());
  EXPECT_EQ(p.log, (Log{"ending"}));
  p.UserClick(*p.optB);  // no further events
  p.UserType(*p.box, "9");
  EXPECT_EQ(p.log, (Log{"ending"}));
  EXPECT_FALSE(p.optB->value());
}

TEST(Form, CloseBoxBehavesLikeDone) {
  Probe p;
  p.Load();
  p.UserClose();
  EXPECT_TRUE(p.ended());
}

TEST(Form, FailureShowsErrorNamingTheBoxAndTheNextGoodActionHidesIt) {
  Probe p;
  p.Load();
  EXPECT_FALSE(p.lblError->visible());
  p.UserType(*p.box, "abc");
  p.UserClick(*p.fail);
  EXPECT_TRUE(p.lblError->visible());
  // Named by its caption: the frame around it, as it has no label.
  EXPECT_EQ(p.lblError->caption(), "Group does not hold a number");
  // The handler ended at the failure, and what it had begun to write is blank.
  EXPECT_EQ(p.cells[0]->caption(), "");
  p.UserType(*p.box, "2");
  p.UserClick(*p.fail);
  EXPECT_FALSE(p.lblError->visible());
  p.UserType(*p.box, "   ");
  p.UserClick(*p.fail);
  EXPECT_NE(p.lblError->caption().find("empty"), std::string::npos);
}

TEST(Form, HandlersRaisingEachOtherForeverAreStopped) {
  Probe p;
  int n = 0;
  p.other->Change = [&] { p.box->setText(std::to_string(++n)); };
  p.box->Change = [&] { p.other->setText(std::to_string(++n)); };
  p.UserType(*p.box, "start");
  EXPECT_TRUE(p.lblError->visible());
  EXPECT_LT(n, 1000);
  p.box->Change = nullptr;
  p.UserType(*p.box, "calm");
  EXPECT_FALSE(p.lblError->visible());
}

TEST(Form, ControlsByNameAndIndex) {
  Probe p;
  EXPECT_EQ(p.FindById("lblm(2)"), p.cells[2]);
  EXPECT_EQ(p.FindById("box"), p.box);
  EXPECT_EQ(p.cells[2]->id(), "lblm(2)");
  for (const char* bad : {"lblm", "lblm(3)", "lblm()", "lblm(x)", "(1)", "nothing", "box(0)"})
    EXPECT_EQ(p.FindById(bad), nullptr) << bad;
}

TEST(Texts, CaptionAndSymbolFace) {
  EXPECT_EQ(Caption("Isentropic Flow", 16),
            "Isentropic Flow by QMX 03.05.2005                "
            "FOR EDUCATIONAL PURPOSES ONLY (See Disclaimer)");
  EXPECT_EQ(Caption("Simple 1-D Flow", 9, "FOR EDUCATIONAL PURPOSES ONLY (See Disclaimer)",
                    "0-3.05.2005"),
            "Simple 1-D Flow by QMX 0-3.05.2005         FOR EDUCATIONAL PURPOSES ONLY (See Disclaimer)");
  EXPECT_EQ(SymbolText("g ="), "γ =");
  EXPECT_EQ(SymbolText("r/rt"), "ρ/ρτ");
  EXPECT_EQ(SymbolText("r*/r="), "ρ*/ρ=");
  EXPECT_EQ(SymbolText("r2/r1"), "ρ2/ρ1");
  EXPECT_EQ(SymbolText("abdeps"), "αβδεπσ");
}

}  // namespace
}  // namespace core

namespace core {
namespace {

class TwoParts : public Form {
 public:
  TwoParts() : Form("Two", 400, 300) {
    single = AddFrame("frasingle", "Single Value", {0, 0, 200, 100});
    multi = AddFrame("fraMulti", "Multiple Values", {0, 0, 200, 100});
    select = AddFrame("fraSelect", "Selection", {200, 0, 100, 100});
    m1 = AddTextBox("txtm1", {0, 0, 50, 20}, AddFrame("Fram", "", {0, 0, 60, 30}, select, false));
    g = AddTextBox("txtg", {200, 200, 50, 20});
    scompute = AddButton("cmdscompute", "Compute", {0, 0, 50, 20}, single, Look::Compute);
    mcompute = AddButton("cmdMcompute", "Compute", {0, 0, 50, 20}, multi, Look::Compute);
    AddButton("cmdend", "Done!", {0, 0, 50, 20});
    first = AddTextBox("txtMinm", {60, 0, 50, 20}, multi);
    AddLabel("h1", "Mach Number", {0, 30, 60, 20}, single, Look::Heading);
    AddLabel("h2", "T/Tt", {70, 32, 60, 20}, single, Look::Heading);
    AddLabel("v2", "0.8333", {70, 55, 60, 20}, single, Look::Result);
    AddLabel("v1", "1.", {0, 56, 60, 20}, single, Look::Result);
    AddLabel("empty", "", {140, 56, 60, 20}, single, Look::Result);
    multi->setVisible(false);
  }
  Frame *single, *multi, *select;
  TextBox *m1, *g, *first;
  Button *scompute, *mcompute;
};

TEST(Form, EnterPressesTheComputeButtonOfTheBoxsPart) {
  TwoParts w;
  EXPECT_EQ(w.ComputeFor(*w.first), w.scompute);  // its own part is hidden
  EXPECT_EQ(w.ComputeFor(*w.m1), w.scompute);  // the shown one, found from the window
  EXPECT_EQ(w.ComputeFor(*w.g), w.scompute);
  w.single->setVisible(false);
  w.multi->setVisible(true);
  EXPECT_EQ(w.ComputeFor(*w.first), w.mcompute);
  EXPECT_EQ(w.ComputeFor(*w.g), w.mcompute);
}

// Enter in a list goes by the same rule as in a box; other controls press nothing.
TEST(Form, EnterInAListPressesTheComputeButtonOfItsPart) {
  TwoParts w;
  ListBox* inMulti = w.AddList("lstKind", {"a", "b"}, {0, 40, 50, 30}, w.multi);
  ListBox* atTop = w.AddList("lstGas", {"air", "other"}, {300, 200, 50, 30});
  EXPECT_EQ(w.ComputeFor(*inMulti), w.scompute);
  EXPECT_EQ(w.ComputeFor(*atTop), w.scompute);
  w.single->setVisible(false);
  w.multi->setVisible(true);
  EXPECT_EQ(w.ComputeFor(*inMulti), w.mcompute);
  EXPECT_EQ(w.ComputeFor(*atTop), w.mcompute);
  for (Control* other : {static_cast<Control*>(w.scompute), static_cast<Control*>(w.single),
                         w.FindById("h1")})
    EXPECT_EQ(w.ComputeFor(*other), nullptr) << other->id();
}

TEST(Form, TableTextRowsByPositionTabSeparated) {
  TwoParts w;
  EXPECT_EQ(w.TableText(*w.single), "Mach Number\tT/Tt\n1.\t0.8333\n");
  EXPECT_EQ(w.ResultFrames(), (std::vector<Frame*>{w.single}));
  w.single->setVisible(false);
  EXPECT_EQ(w.TableText(*w.single), "");  // nothing shown, nothing copied
}

TEST(Form, ResultFrameOfAControlAndTheWholeWindow) {
  TwoParts w;
  EXPECT_EQ(w.ResultFrameOf(*w.scompute), w.single);
  EXPECT_EQ(w.ResultFrameOf(*w.g), nullptr);
  EXPECT_EQ(w.ResultFrameOf(*w.m1), nullptr);
  // The whole window: every shown label and box, row by row.
  EXPECT_EQ(w.TableText(nullptr), "Mach Number\tT/Tt\n1.\t0.8333\n");
  w.g->setText("1.4");
  EXPECT_EQ(w.TableText(nullptr), "Mach Number\tT/Tt\n1.\t0.8333\n1.4\n");
}

}  // namespace
}  // namespace core
