#include "shaftdeck/shaftdeck_window.h"

#include <cmath>
#include <utility>

#include "core/boxes.h"
#include "core/numtext.h"
#include "shaftdeck/diagram.h"
#include "shaftdeck/ts_chart.h"

namespace shaftdeck {

namespace {

constexpr int kLabelWidth = 236;
constexpr int kBoxWidth = 74;
constexpr int kRow = 30;
constexpr int kColumnA = 12, kColumnB = 336, kColumnC = 660, kColumnWidth = 316;
constexpr int kTop = 62;

// An input box right of its caption, which names it in messages.
core::BoxRow In(const char* label, const char* caption, const char* box, const char* text, int y,
                int x = 0) {
  return core::RowBeside(label, caption, box, text, {x, y + 3, kLabelWidth, 20},
                         {4, 3, kBoxWidth, 24}, caption);
}

// A result box, read-only and right-aligned, in the first column.
core::BoxRow Out(const char* label, const char* caption, const char* box, int y) {
  return core::ResultBeside(label, caption, box, {kColumnA, y + 3, 180, 20}, {6, 3, 112, 24},
                            core::Align::Right);
}

}  // namespace

core::ListBox* Shaftdeck::Choice(core::Frame* in, const std::string& label,
                                  const std::string& caption, const std::string& list,
                                  std::vector<std::string> items, int x, int y) {
  AddLabel(label, caption, {x, y + 10, kLabelWidth, 20}, in);
  return AddList(list, std::move(items), {x + kLabelWidth + 4, y, 44, 40}, in);
}

Shaftdeck::Shaftdeck()
    : Form(core::Caption("Power Generation Gas Turbine Analysis", 6), 986, 656) {
  AddLabel("Label37", "Power Generation Gas Turbine Cycle Analysis", {0, 8, 986, 40}, nullptr,
           core::Look::Title);

  // Ambient state and the kind of analysis.
  lstIR = Choice(nullptr, "lblIR", "Ideal or Real analysis?", "lstIR", {"I", "R"}, kColumnA, kTop);
  lstSA = Choice(nullptr, "lblSA", "Standard Atmosphere?", "lstSA", {"y", "n"}, kColumnA,
                 kTop + 52);
  fraSA = AddFrame("fraSA", "", {kColumnA, kTop + 106, kColumnWidth, 2 * kRow}, nullptr, false);
  core::AddBoxes(*this,
                 {In("lblp0", "Atmospheric pressure (psia)", "txtp0", "14.69", 0),
                  In("lblT0", "Atmospheric temperature (R)", "txtT0", "518.7", kRow)},
                 fraSA)
      .Into({&txtp0, &txtT0});
  fraSA2 = AddFrame("fraSA2", "", {kColumnA, kTop + 106, kColumnWidth, kRow}, nullptr, false);
  txtalt = core::AddBox(*this, In("lblalt", "Altitude (ft)", "txtalt", "0", 0), fraSA2);
  fragam0 = AddFrame("fragam0", "", {kColumnA, kTop + 172, kColumnWidth, 46}, nullptr, false);
  lstIGC = Choice(fragam0, "lblIGC", "Constant cp and gamma?", "lstIGC", {"y", "n"}, 0, 0);
  fragam = AddFrame("fragam", "", {kColumnA, kTop + 226, kColumnWidth, kRow}, nullptr, false);
  txtgmcn = core::AddBox(*this, In("lblgmcn", "gamma", "txtgmcn", "1.40", 0), fragam);

  // The components, inlet to exhaust.
  fracb = AddFrame("fracb", "", {kColumnB, kTop, kColumnWidth, 3 * kRow}, nullptr, false);
  core::AddBoxes(*this,
                 {In("lblpic", "Compressor pressure ratio", "txtpic", "18", 0),
                  In("lbltt4", "Burner exit temperature (R)", "txttt4", "2620", kRow),
                  In("lblh", "Heating value of fuel (BTU/lbm)", "txth", "18400", 2 * kRow)},
                 fracb)
      .Into({&txtpic, &txttt4, &txth});
  fradiff = AddFrame("fradiff", "", {kColumnB, kTop + 3 * kRow, kColumnWidth, kRow}, nullptr,
                     false);
  txtetd =
      core::AddBox(*this, In("lbletd", "Inlet total pressure ratio", "txtetd", "0.98", 0), fradiff);
  fracmp = AddFrame("fracmp", "", {kColumnB, kTop + 4 * kRow, kColumnWidth, kRow}, nullptr,
                    false);
  txtetc = core::AddBox(*this, In("lbletc", "Compressor efficiency", "txtetc", "0.88", 0), fracmp);
  fraburn = AddFrame("fraburn", "", {kColumnB, kTop + 5 * kRow, kColumnWidth, 2 * kRow},
                     nullptr, false);
  core::AddBoxes(*this,
                 {In("lblpib", "Burner pressure ratio", "txtpib", "0.96", 0),
                  In("lbletb", "Burner efficiency", "txtetb", "0.96", kRow)},
                 fraburn)
      .Into({&txtpib, &txtetb});
  fraturb = AddFrame("fraturb", "", {kColumnB, kTop + 7 * kRow, kColumnWidth, kRow}, nullptr,
                     false);
  txtett = core::AddBox(*this, In("lblett", "Turbine efficiency", "txtett", "0.915", 0), fraturb);
  framech = AddFrame("framech", "", {kColumnB, kTop + 8 * kRow, kColumnWidth, 2 * kRow},
                     nullptr, false);
  core::AddBoxes(*this,
                 {In("lblpin", "Exhaust total pressure ratio", "txtpin", "0.93", 0),
                  In("lbletm", "Shaft mechanical efficiency", "txtetm", "0.98", kRow)},
                 framech)
      .Into({&txtpin, &txtetm});

  // Flow rate and the regenerator.
  txtma = core::AddBox(*this,
                       In("lblma", "Core air flow rate (lbm/s)", "txtma", "147", kTop, kColumnC));
  frarg1 = AddFrame("frarg1", "", {kColumnC, kTop + 36, kColumnWidth, 46}, nullptr, false);
  lstIRG = Choice(frarg1, "lblIRG", "Regenerator?", "lstIRG", {"n", "y"}, 0, 0);
  frarg2 = AddFrame("frarg2", "", {kColumnC, kTop + 90, kColumnWidth, kRow}, nullptr, false);
  txtetrg =
      core::AddBox(*this, In("lbletrg", "Regenerator Effectiveness", "txtetrg", "0.75", 0), frarg2);
  frarg = AddFrame("frarg", "", {kColumnC, kTop + 90 + kRow, kColumnWidth, 2 * kRow}, nullptr,
                   false);
  core::AddBoxes(*this,
                 {In("lblpirg3", "Regenerator pressure ratio 3-3x", "txtpirg3", "0.99", 0),
                  In("lblpirg5", "Regenerator pressure ratio 5-5x", "txtpirg5", "0.99", kRow)},
                 frarg)
      .Into({&txtpirg3, &txtpirg5});
  fraregen = AddFrame("fraregen", "", {kColumnC, kTop + 90 + 3 * kRow + 12, kColumnWidth, 48},
                      nullptr, false);
  AddLabel("lblregen1", "Tt5 is less than Tt3", {0, 0, kColumnWidth, 22}, fraregen,
           core::Look::Warning);
  AddLabel("lblregen2", "Regenerator should not be used!", {0, 24, kColumnWidth, 22}, fraregen,
           core::Look::Warning);

  // Results and buttons.
  constexpr int kResults = 390;
  core::AddBoxes(*this,
                 {Out("lblpow", "Net Power (HP) =", "txtpow", kResults),
                  Out("lblefth", "Thermal Effciency =", "txtefth", kResults + 34),
                  Out("lblsfc", "SFC (lbm/HP-hr) =", "txtsfc", kResults + 68),
                  Out("lblhrt", "Heat Rate (BTU/HP-hr) =", "txthrt", kResults + 102)},
                 nullptr)
      .Into({&txtpow, &txtefth, &txtsfc, &txthrt});
  cmdCalculate = AddButton("cmdCalculate", "Calculate", {kColumnA, kResults + 150, 96, 34},
                           nullptr, core::Look::Compute);
  cmdpic = AddButton("cmdpic", "Diagram on/off", {kColumnA + 104, kResults + 150, 124, 34});
  cmdEnd = AddButton("cmdEnd", "Done!", {kColumnA + 236, kResults + 150, 74, 34});

  frapic = AddFrame("frapic", "", {370, 376, 604, 272}, nullptr, false);
  Picture1 = AddPicture("Picture1", CycleDiagram(), {2, 2, 600, 268}, frapic);
  frapic->setVisible(false);
  fraregen->setVisible(false);

  for (core::ListBox* list : {lstIR, lstSA, lstIGC, lstIRG})
    list->Click = [this] { RefreshFrames(); };
  txtpic->Change = [this] { RefreshFrames(); };
  cmdCalculate->Click = [this] { cmdCalculate_Click(); };
  cmdpic->Click = [this] { cmdpic_Click(); };
  cmdEnd->Click = [this] { End(); };

  using core::Quantity;
  Measure("txtp0", Quantity::Pressure);
  for (const char* name : {"txtT0", "txttt4"}) Measure(name, Quantity::Temperature);
  Measure("txtalt", Quantity::Altitude);
  Measure("txth", Quantity::HeatingValue);
  Measure("txtma", Quantity::MassFlow);
  Measure("txtpow", Quantity::Power);
  Measure("txtsfc", Quantity::PowerSfc);
  Measure("txthrt", Quantity::HeatRate);
}

void Shaftdeck::Form_Load() {
  lstIR->setText("R");
  lstSA->setText("y");
  lstIGC->setText("n");
  lstIRG->setText("n");
}

void Shaftdeck::RefreshFrames() {
  const bool typedAir = lstSA->text() == "n";
  const bool noRegenerator = lstIRG->text() == "n";
  fraSA->setVisible(typedAir);
  fraSA2->setVisible(!typedAir);
  fragam->setVisible(false);
  for (core::Frame* f : {fragam0, fradiff, fracmp, fraburn, fraturb, framech, frarg, frarg2})
    f->setVisible(true);
  fraregen->setVisible(false);
  if (noRegenerator) frarg->setVisible(false);
  if (lstIR->text() == "R") {
    fragam->setVisible(lstIGC->text() != "n");
  } else {
    fragam->setVisible(true);
    for (core::Frame* f : {fragam0, fradiff, fracmp, fraburn, fraturb, framech, frarg})
      f->setVisible(false);
  }
  if (noRegenerator) frarg2->setVisible(false);
}

void Shaftdeck::cmdpic_Click() { frapic->setVisible(!frapic->visible()); }

void Shaftdeck::cmdCalculate_Click() {
  Writes({txtpow, txtefth, txtsfc, txthrt});
  // A failed calculation leaves no cycle of earlier inputs in the charts.
  last_.reset();
  calculated_ = true;
  RefreshFrames();
  CycleInputs in;
  // In the order they are read: the first box refused is the one named.
  const std::pair<float CycleInputs::*, const core::TextBox*> read[] = {
      {&CycleInputs::p0, txtp0},
      {&CycleInputs::t0, txtT0},
      {&CycleInputs::alt, txtalt},
      {&CycleInputs::gmcn, txtgmcn},
      {&CycleInputs::etd, txtetd}};
  for (auto [field, box] : read) in.*field = Strict(box);
  // The compressor pressure ratio takes the leading number of its text.
  in.pic = LeadingPartSingle(txtpic);
  const std::pair<float CycleInputs::*, const core::TextBox*> more[] = {
      {&CycleInputs::etc, txtetc},     {&CycleInputs::pib, txtpib},
      {&CycleInputs::etb, txtetb},     {&CycleInputs::tt4, txttt4},
      {&CycleInputs::h, txth},         {&CycleInputs::ma, txtma},
      {&CycleInputs::ett, txtett},     {&CycleInputs::etrg, txtetrg},
      {&CycleInputs::pirg3, txtpirg3}, {&CycleInputs::pirg5, txtpirg5},
      {&CycleInputs::pin, txtpin},     {&CycleInputs::etm, txtetm}};
  for (auto [field, box] : more) in.*field = Strict(box);
  irs = lstIR->text();
  SAs = lstSA->text();
  igcs = lstIGC->text();
  irgs = lstIRG->text();

  in.real = irs == "R";
  in.standardAir = SAs != "n";
  in.constantGas = igcs != "n";
  in.regenerator = irgs != "n";
  // Absolute temperatures at or below zero and an air flow that runs
  // backwards give a cycle without meaning. The standard atmosphere brings
  // its own temperature.
  if (!in.standardAir && in.t0 <= 0)
    Refuse(txtT0, "must be above zero: it is an absolute temperature");
  if (in.pic <= 0) Refuse(txtpic, "must be above zero");
  if (in.tt4 <= 0) Refuse(txttt4, "must be above zero: it is an absolute temperature");
  if (in.ma < 0) Refuse(txtma, "must not be negative");
  PrepareInputs(in);
  inputs = in;
  result = RunCycle(in, carry);
  last_ = Computed{inputs, result};

  if (result.regeneratorCools) fraregen->setVisible(true);
  txtpow->setText(core::FormatPattern(result.pow, "##,###"), result.pow);
  txtefth->setText(core::FormatPattern(result.efth, "##,###0.000"));
  txtsfc->setText(core::FormatPattern(result.sfc, "##,###0.000"), result.sfc);
  txthrt->setText(core::FormatPattern(result.hrt, "##,###"), result.hrt);
}

std::vector<std::string> Shaftdeck::ChartNames() const { return cycle_charts::kCycleCharts; }

core::ChartData Shaftdeck::Chart(const std::string& name) const {
  const char* title = cycle_charts::CycleChartTitle(name);
  if (!title) return Form::Chart(name);
  if (!last_) {
    const std::string why = calculated_ ? cycle_charts::CalculationFailed(lblError->caption())
                                        : "Press Calculate to compute the cycle";
    return core::Unavailable(name, title, why);
  }
  return cycle_charts::CycleChart(name, PowerCycleDiagram(last_->inputs, last_->result));
}

}  // namespace shaftdeck
