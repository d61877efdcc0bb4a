// A window shown in SI: what is typed is read in the program's units, what
// the program writes is shown converted, and switching recomputes nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/form.h"
#include "core/numtext.h"
#include "core/units.h"

namespace core {
namespace {

// Doubles a temperature (R) typed into a Single box and shows it with the
// pressure (psia) of a Double box, and a caption with its unit.
class Heater : public Form {
 public:
  Heater() : Form(Caption("Heater", 3), 400, 300) {
    AddLabel("lblT", "Inlet temperature (R)", {0, 0, 150, 20});
    txtT = AddTextBox("txtT", {160, 0, 80, 20});
    AddLabel("lblp", "Pressure (psia)", {0, 30, 150, 20});
    txtp = AddTextBox("txtp", {160, 30, 80, 20});
    cmd = AddButton("cmdCompute", "Compute", {0, 60, 80, 30}, nullptr, Look::Compute);
    lblOut = AddLabel("lblOut", "", {0, 100, 300, 20});
    txtWork = AddTextBox("txtWork", {160, 130, 80, 20});
    txtWork->readOnly = true;
    AddLabel("lblWork", "Work (BTU/lbm)", {0, 130, 150, 20});
    Measure("txtT", Quantity::Temperature);
    Measure("txtp", Quantity::Pressure);
    MeasureValue("lblOut", Quantity::Temperature, "degR");
    Measure("txtWork", Quantity::SpecificWork);
    txtT->Change = [this] { changes.push_back(txtT->text()); };
    cmd->Click = [this] {
      t = Strict(txtT);
      p = Leading(txtp);
      const float twice = 2 * t;
      lblOut->setCaption("Out = " + FormatPattern(twice, "0.00") + " degR", twice);
      txtWork->setText(FormatPattern(0.24 * t, "#,##0.0"), 0.24 * t);
    };
  }
  void Form_Load() override {
    txtT->setText("518.67");
    txtp->setText("14.696");
    cmd->Click();
  }

  TextBox *txtT, *txtp, *txtWork;
  Button* cmd;
  Label* lblOut;
  float t = 0;
  double p = 0;
  std::vector<std::string> changes;
};

std::string Text(const Form& f, const char* id) { return f.FindById(id)->text(); }

TEST(FormUnits, DefaultsShowConvertedAndComputeAsInUS) {
  Heater w;
  w.Load();
  w.changes.clear();
  w.UserUnits(UnitSystem::SI);
  EXPECT_EQ(Text(w, "txtT"), "288.15");
  EXPECT_EQ(Text(w, "txtp"), "101.33");
  EXPECT_EQ(Text(w, "lblT"), "Inlet temperature (K)");
  EXPECT_EQ(Text(w, "lblp"), "Pressure (kPa)");
  EXPECT_EQ(Text(w, "lblOut"), "Out = 576.300 K");
  EXPECT_EQ(Text(w, "lblWork"), "Work (kJ/kg)");
  // The US default, not its SI text, is what computes.
  w.UserClick(*w.cmd);
  EXPECT_EQ(w.t, 518.67f);
  EXPECT_EQ(w.p, 14.696);
  // Switching runs no handler.
  EXPECT_TRUE(w.changes.empty());
}

TEST(FormUnits, TypedInSIIsReadOnceConvertedAndRoundedToSingle) {
  Heater w;
  w.Load();
  w.changes.clear();
  w.UserUnits(UnitSystem::SI);
  w.UserType(*w.txtT, "300");
  w.UserType(*w.txtp, "200");
  w.UserClick(*w.cmd);
  EXPECT_EQ(w.t, static_cast<float>(300.0 / (5.0 / 9.0)));
  EXPECT_DOUBLE_EQ(w.p, 200 / 6.894757293168);
  EXPECT_EQ(w.changes, std::vector<std::string>{"300"});
  EXPECT_EQ(Text(w, "lblOut"), "Out = 600.000 K");
  // The same physical input typed in US gives the same Single.
  Heater us;
  us.Load();
  us.UserType(*us.txtT, "540");
  us.UserClick(*us.cmd);
  EXPECT_EQ(us.t, w.t);
}

TEST(FormUnits, SwitchingBackRestoresEveryTextByteForByte) {
  Heater w;
  w.Load();
  w.UserType(*w.txtT, "1,000.5");
  w.UserClick(*w.cmd);
  std::vector<std::string> before;
  for (const auto& c : w.controls()) before.push_back(c->text());
  w.UserUnits(UnitSystem::SI);
  w.UserUnits(UnitSystem::US);
  std::vector<std::string> after;
  for (const auto& c : w.controls()) after.push_back(c->text());
  EXPECT_EQ(after, before);
  // A text typed in SI comes back as typed.
  w.UserUnits(UnitSystem::SI);
  w.UserType(*w.txtT, "300.0");
  w.UserUnits(UnitSystem::US);
  EXPECT_EQ(Text(w, "txtT"), "540.0");
  w.UserUnits(UnitSystem::SI);
  EXPECT_EQ(Text(w, "txtT"), "300.0");
}

TEST(FormUnits, RefusalsNameTheBoxInTheUnitsShownAndStayOnSwitching) {
  Heater w;
  w.Load();
  w.UserUnits(UnitSystem::SI);
  for (const char* text : {"abc", "", "2,5", "1e400"}) {
    SCOPED_TRACE(text);
    w.UserType(*w.txtT, text);
    w.UserClick(*w.cmd);
    ASSERT_TRUE(w.lblError->visible());
    EXPECT_EQ(w.lblError->text().rfind("Inlet temperature (K) ", 0), 0u) << w.lblError->text();
  }
  const std::string message = w.lblError->text();
  w.UserUnits(UnitSystem::US);
  EXPECT_TRUE(w.lblError->visible());
  EXPECT_EQ(w.lblError->text(), message);
}

TEST(FormUnits, CopiesReplayTheUnitSystem) {
  Heater w;
  w.Load();
  w.UserUnits(UnitSystem::SI);
  w.UserType(*w.txtT, "350");
  Heater copy;
  copy.Replay(w.actions());
  EXPECT_EQ(copy.units(), UnitSystem::SI);
  EXPECT_EQ(Text(copy, "txtT"), "350");
  copy.UserClick(*copy.cmd);
  w.UserClick(*w.cmd);
  EXPECT_EQ(copy.t, w.t);
}

}  // namespace
}  // namespace core
