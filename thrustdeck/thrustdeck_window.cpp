#include "thrustdeck/thrustdeck_window.h"

#include <utility>

#include "core/boxes.h"
#include "core/numtext.h"
#include "thrustdeck/ts_chart.h"

namespace thrustdeck {
namespace {

using core::Look;
using core::Rect;

constexpr int kWidth = 1000;
constexpr int kHeight = 576;
constexpr int kColumnX[] = {12, 344, 676};
constexpr int kColumnW = 320;
constexpr int kBoxX = 240;  // text boxes and lists, right of their captions
constexpr int kBoxW = 76;
constexpr int kRow = 30;

// A list box just tall enough for its items.
int ListHeight(size_t items) { return 8 + 15 * static_cast<int>(items); }

// An input box at kBoxX right of its caption (x: of the caption).
core::BoxRow In(const char* label, const char* caption, const char* box, const char* text, int y,
                const char* what, int labelH = 26, int labelW = kBoxX - 6, int x = 0) {
  return core::RowBeside(label, caption, box, text, {x, y, labelW, labelH},
                         {kBoxX - labelW, 0, kBoxW, 26}, what);
}

}  // namespace

core::Frame* JetCycle::Panel(const char* name, int column, int y, int h) {
  return AddFrame(name, "", {kColumnX[column], y, kColumnW, h}, nullptr, false);
}

core::ListBox* JetCycle::Choice(core::Frame* in, const char* label, const char* caption,
                                 const char* list, std::vector<std::string> items, int y,
                                 int labelW) {
  const int h = ListHeight(items.size());
  // A narrow caption wraps onto a second line.
  AddLabel(label, caption, {0, y, labelW, labelW < kBoxX - 6 ? 40 : 26}, in);
  return AddList(list, std::move(items), {kBoxX, y, kBoxW, h}, in);
}

JetCycle::JetCycle()
    : Form(core::Caption("Jet Engine Cycle Analysis", 17), kWidth, kHeight) {
  Label37 = AddLabel("Label37", "Jet Engine Cycle Analysis", {250, 8, 500, 38}, nullptr,
                     Look::Title);

  // Engine, analysis and flight condition.
  constexpr int c0 = 0;
  const int x0 = kColumnX[c0];
  AddLabel("lbletyp", "Engine type", {x0, 56, 90, 26});
  lstetyp = AddList("lstetyp", {"Turbofan", "Turbojet", "Turboprop", "Ramjet"},
                    {x0 + 92, 56, 96, ListHeight(4)});
  frafan = AddFrame("frafan", "", {x0 + 196, 56, 124, ListHeight(3)}, nullptr, false);
  lstmixexh = AddList("lstmixexh", {"Fully Exhausted", "Fully Mixed", "Mixed+Exhausted"},
                      {0, 0, 124, ListHeight(3)}, frafan);
  AddLabel("lblIR", "Ideal or Real analysis?", {x0, 132, kBoxX - 6, 26});
  lstIR = AddList("lstIR", {"I", "R"}, {x0 + kBoxX, 132, kBoxW, ListHeight(2)});
  AddLabel("lblSA", "Standard Atmosphere?", {x0, 178, kBoxX - 6, 26});
  lstSA = AddList("lstSA", {"y", "n"}, {x0 + kBoxX, 178, kBoxW, ListHeight(2)});
  // The typed ambient state and the altitude take turns in one place.
  fraSA = Panel("fraSA", c0, 224, 2 * kRow);
  core::AddBoxes(
      *this,
      {In("lblp0", "Atmospheric pressure (psia)", "txtp0", "14.69", 0, "Atmospheric pressure"),
       In("lblT0", "Atmospheric temperature (R)", "txtT0", "518.7", kRow,
          "Atmospheric temperature")},
      fraSA)
      .Into({&txtp0, &txtT0});
  fraSA2 = Panel("fraSA2", c0, 224, kRow);
  txtalt = core::AddBox(*this, In("lblalt", "Altitude (ft)", "txtalt", "0", 0, "Altitude"), fraSA2);
  auto flight = [&](const char* label, const char* caption, const char* box, const char* text,
                    int y, const char* what) {
    return core::AddBox(*this, In(label, caption, box, text, y, what, 26, kBoxX - 6, x0));
  };
  txtM0 = flight("lblM0", "Mach number", "txtM0", "0.75", 290, "Mach number");
  txttt4 = flight("lbltt4", "Burner exit temperature (R)", "txttt4", "2500", 290 + kRow,
                  "Burner exit temperature");
  txth = flight("lblh", "Heating value of fuel (BTU/lbm)", "txth", "17800", 290 + 2 * kRow,
                "Heating value of fuel");
  txtma = flight("lblma", "Core air flow rate (lbm/s)", "txtma", "165", 290 + 3 * kRow,
                 "Core air flow rate");

  // Gas, core components, primary nozzle and propeller.
  constexpr int c1 = 1;
  fragam0 = Panel("fragam0", c1, 56, ListHeight(2));
  lstIGC = Choice(fragam0, "lblIGC", "Constant cp and gamma?", "lstIGC", {"y", "n"}, 0,
                  kBoxX - 6);
  fragam = Panel("fragam", c1, 100, kRow);
  txtgmcn = core::AddBox(*this, In("lblgmcn", "gamma", "txtgmcn", "1.40", 0, "gamma"), fragam);
  fradiff = Panel("fradiff", c1, 130, kRow);
  txtetd = core::AddBox(
      *this,
      In("lbletd", "Diffuser recovery factor", "txtetd", "0.9", 0, "Diffuser recovery factor"),
      fradiff);
  fracmp = Panel("fracmp", c1, 160, kRow);
  txtpic = core::AddBox(
      *this,
      In("lblpic", "Compressor pressure ratio", "txtpic", "15", 0, "Compressor pressure ratio"),
      fracmp);
  fracmp2 = Panel("fracmp2", c1, 190, kRow);
  txtetc = core::AddBox(
      *this, In("lbletc", "Compressor efficiency", "txtetc", "0.9", 0, "Compressor efficiency"),
      fracmp2);
  fraburn = Panel("fraburn", c1, 220, 2 * kRow);
  core::AddBoxes(
      *this,
      {In("lblpib", "Burner pressure ratio", "txtpib", "0.9", 0, "Burner pressure ratio"),
       In("lbletb", "Burner efficiency", "txtetb", "0.9", kRow, "Burner efficiency")},
      fraburn)
      .Into({&txtpib, &txtetb});
  fraturb = Panel("fraturb", c1, 280, kRow);
  txtett = core::AddBox(
      *this, In("lblett", "Turbine efficiency", "txtett", "0.9", 0, "Turbine efficiency"), fraturb);
  framech = Panel("framech", c1, 310, kRow);
  txtetm = core::AddBox(*this,
                        In("lbletm", "Shaft mechanical efficiency", "txtetm", "1.0", 0,
                           "Shaft mechanical efficiency"),
                        framech);
  franozz = Panel("franozz", c1, 344, 74);
  lstinoz = Choice(franozz, "lblinoz", "Primary nozzle               c or cd?", "lstinoz",
                   {"c", "cd"}, 0, 100);
  txtetn = core::AddBox(
      *this,
      In("lbletn", "Primary nozzle efficiency", "txtetn", "0.9", 46, "Primary nozzle efficiency"),
      franozz);
  fraprop0 = Panel("fraprop0", c1, 420, kRow);
  txtwc = core::AddBox(
      *this,
      In("lblwc", "Propeller work coefficient", "txtwc", "0.8", 0, "Propeller work coefficient"),
      fraprop0);
  fraprop = Panel("fraprop", c1, 450, kRow);
  txtetp = core::AddBox(
      *this, In("lbletp", "Propeller efficiency", "txtetp", "0.9", 0, "Propeller efficiency"),
      fraprop);

  // Fan stream and afterburner.
  constexpr int c2 = 2;
  fraal0 = Panel("fraal0", c2, 56, kRow);
  txtal =
      core::AddBox(*this, In("lblal", "By-pass ratio", "txtal", "1.2", 0, "By-pass ratio"), fraal0);
  fraal1 = Panel("fraal1", c2, 86, kRow);
  txtetf = core::AddBox(*this, In("lbletf", "Fan efficiency", "txtetf", "0.9", 0, "Fan efficiency"),
                        fraal1);
  fraal2 = Panel("fraal2", c2, 116, 56);
  txtsg = core::AddBox(
      *this,
      In("lblsg", "Duct split ratio             (0 if all exhausted)        (1 if all mixed)",
         "txtsg", "1", 0, "Duct split ratio", 56, 124),
      fraal2);
  fraal3 = Panel("fraal3", c2, 174, kRow);
  txtpif = core::AddBox(
      *this, In("lblpif", "Fan pressure ratio", "txtpif", "3.0", 0, "Fan pressure ratio"), fraal3);
  fraal4 = Panel("fraal4", c2, 204, 2 * kRow);
  core::AddBoxes(
      *this,
      {In("lblpip", "Duct pressure ratio", "txtpip", "1.0", 0, "Duct pressure ratio"),
       In("lblpim", "Mixer pressure ratio", "txtpim", "1.0", kRow, "Mixer pressure ratio")},
      fraal4)
      .Into({&txtpip, &txtpim});
  fraal5 = Panel("fraal5", c2, 266, 74);
  lstinof = Choice(fraal5, "lblinof", "Fan nozzle              c or cd?", "lstinof", {"c", "cd"},
                   0, 100);
  txtetfn = core::AddBox(
      *this, In("lbletfn", "Fan nozzle efficiency", "txtetfn", "0.9", 46, "Fan nozzle efficiency"),
      fraal5);
  fraAB0 = Panel("fraAB0", c2, 344, ListHeight(2));
  lstIAB = Choice(fraAB0, "lblIAB", "Afterburner?", "lstIAB", {"n", "y"}, 0, kBoxX - 6);
  fraAB1 = Panel("fraAB1", c2, 388, 40);
  txtttab = core::AddBox(*this,
                         In("lblttab", "Afterburner exit temperature (R)        (0 if A/B is off)",
                            "txtttab", "4000", 0, "Afterburner exit temperature", 40, 220),
                         fraAB1);
  fraAB = Panel("fraAB", c2, 430, kRow);
  txtpiab = core::AddBox(*this,
                         In("lblpiab", "Afterburner pressure ratio", "txtpiab", "0.9", 0,
                            "Afterburner pressure ratio"),
                         fraAB);
  fraab2 = Panel("fraab2", c2, 460, kRow);
  txtetab = core::AddBox(
      *this, In("lbletab", "Afterburner efficiency", "txtetab", "0.9", 0, "Afterburner efficiency"),
      fraab2);

  // Results, warning and buttons.
  auto result = [&](const char* label, const char* caption, const char* box, int x, int lw) {
    return core::AddBox(*this,
                        core::ResultBeside(label, caption, box, {x, 538, lw, 26}, {4, 0, 100, 26}));
  };
  txtff = result("lblff", "Thrust (lbf) =", "txtff", x0, 104);
  txtffnd = result("lblffnd", "ND-Thrust =", "txtffnd", x0 + 236, 80);
  txttsfc = result("lbltsfc", "TSFC (lbm/lbf-hr) =", "txttsfc", x0 + 448, 130);
  Fraimposs = AddFrame("Fraimposs", "", {x0, 500, 660, 30}, nullptr, false);
  Label39 = AddLabel(
      "Label39",
      "**Impossible Design**  Too much power needed by compressor and/or fan and/or propeller",
      {0, 2, 660, 26}, Fraimposs, Look::Warning);
  Fraimposs->setVisible(false);
  cmdCalculate = AddButton("cmdCalculate", "Calculate", {kColumnX[2] + 40, 534, 120, 34},
                           nullptr, Look::Compute);
  cmdEnd = AddButton("cmdEnd", "Done!", {kColumnX[2] + 190, 534, 110, 34});

  for (core::ListBox* list : {lstetyp, lstIAB, lstIGC, lstIR, lstmixexh, lstSA})
    list->Click = [this] { RefreshFrames(); };
  txtttab->Change = [this] { RefreshFrames(); };
  for (core::TextBox* box : {txtal, txtpic, txtpif, txtsg, txttt4, txtwc})
    box->Change = [this] { HideWarning(); };
  cmdCalculate->Click = [this] { cmdCalculate_Click(); };
  cmdEnd->Click = [this] { End(); };

  using core::Quantity;
  Measure("txtp0", Quantity::Pressure);
  for (const char* name : {"txtT0", "txttt4", "txtttab"}) Measure(name, Quantity::Temperature);
  Measure("txtalt", Quantity::Altitude);
  Measure("txth", Quantity::HeatingValue);
  Measure("txtma", Quantity::MassFlow);
  Measure("txtff", Quantity::Force);
  Measure("txttsfc", Quantity::Tsfc);
}

void JetCycle::Form_Load() {
  lstinoz->setText("c");
  lstinof->setText("c");
  lstIR->setText("R");
  lstSA->setText("y");
  lstIGC->setText("n");
  lstIAB->setText("n");
  lstetyp->setText("Turbofan");
  lstmixexh->setText("Fully Exhausted");
}

void JetCycle::HideWarning() { Fraimposs->setVisible(false); }

void JetCycle::RefreshFrames() {
  auto show = [](std::initializer_list<core::Frame*> frames, bool visible) {
    for (core::Frame* f : frames) f->setVisible(visible);
  };
  const std::string& e = lstetyp->text();
  const std::string& mix = lstmixexh->text();
  const bool turbofan = e == "Turbofan", turboprop = e == "Turboprop", ramjet = e == "Ramjet";
  const bool mixedOrExhausted = mix == "Fully Mixed" || mix == "Fully Exhausted";

  Fraimposs->setVisible(false);
  iabs = lstIAB->text();
  pic = Strict(txtpic);
  sg = Strict(txtsg);
  al = Strict(txtal);
  wc = Strict(txtwc);
  tt6 = Strict(txtttab);
  if (ramjet) {
    pic = 1;
    wc = 0;
  }
  if (e == "Turbojet") wc = al = 0;
  if (turbofan) wc = 0;
  frafan->setVisible(turbofan);
  if (mix == "Fully Exhausted") sg = 0;
  if (mix == "Fully Mixed") sg = 1;
  if (turboprop) {
    al = 0;
    iabs = "n";  // a turboprop never has an afterburner
  }
  fraSA->setVisible(lstSA->text() == "n");
  fraSA2->setVisible(lstSA->text() != "n");

  show({fragam, fraal0, fraal2, fraal3, fraal4}, false);
  show({fragam0, fradiff, fracmp, fracmp2, fraburn, fraturb, fraal1, fraal5, fraprop, fraprop0,
        framech, franozz, fraAB1, fraAB},
       true);

  const bool noCompressor = pic < 1.001f;
  if (lstIR->text() == "R") {
    fragam->setVisible(lstIGC->text() != "n");
    show({fracmp, fracmp2, fraturb, framech, fraAB0, fraAB1, fraAB, fraab2}, true);
    show({fraprop, fraprop0, fraal0, fraal1, fraal2, fraal3, fraal5}, false);
    if (lstIAB->text() == "n") show({fraAB, fraAB1, fraab2}, false);
    if (tt6 == 0) fraab2->setVisible(false);
    if (turbofan && sg < 0.001f) fraal3->setVisible(true);
    if (turbofan) show({fraal0, fraal1, fraal2}, true);
    if (mixedOrExhausted) fraal2->setVisible(false);
    if (turbofan && sg < 1.0f) fraal5->setVisible(true);
    if (turbofan && mix == "Mixed+Exhausted") fraal5->setVisible(true);
    fraal4->setVisible(turbofan && sg > 0.001f);
    if (turboprop) show({fraprop, fraprop0}, true);
    if (noCompressor)
      show({fracmp, fracmp2, fraturb, framech, fraal0, fraal1, fraal2, fraal3, fraal4, fraal5,
            fraprop, fraprop0, fraAB0, fraAB1, fraAB, fraab2},
           false);
    if (turboprop) show({fraAB0, fraAB, fraAB1, fraab2}, false);
  } else {
    // The ideal cycle asks for no efficiencies or losses.
    fragam->setVisible(true);
    show({fragam0, fradiff, fracmp2, fraburn, fraturb, fraal1, fraal4, fraprop, fraprop0, framech,
          fraal5, franozz},
         false);
    fraAB1->setVisible(true);
    show({fraab2, fraAB}, false);
    fraAB0->setVisible(true);
    if (lstIAB->text() == "n") fraAB1->setVisible(false);
    if (tt6 == 0) fraab2->setVisible(false);
    if (turbofan) show({fraal0, fraal2}, true);
    if (mixedOrExhausted) fraal2->setVisible(false);
    if (turbofan && sg < 0.001f) fraal3->setVisible(true);
    if (noCompressor) show({fraAB0, fraAB1, fraprop0, fraal0, fraal2, fraal3}, false);
    if (turboprop) {
      show({fraAB0, fraAB1, fraab2}, false);
      fraprop0->setVisible(true);
    }
    if (ramjet) show({fracmp, fraAB1}, false);
  }
}

void JetCycle::cmdCalculate_Click() {
  // Should the calculation fail, no thrust of earlier inputs stays beside
  // the message, and no cycle of earlier inputs in the charts.
  Writes({txtff, txtffnd, txttsfc});
  last_.reset();
  calculated_ = true;
  impossible_ = false;
  RefreshFrames();
  CycleInputs in;
  // In the order they are read: the first box refused is the one named.
  const std::pair<float CycleInputs::*, const core::TextBox*> read[] = {
      {&CycleInputs::p0, txtp0},     {&CycleInputs::t0, txtT0},     {&CycleInputs::alt, txtalt},
      {&CycleInputs::m0, txtM0},     {&CycleInputs::gmcn, txtgmcn}, {&CycleInputs::etd, txtetd},
      {&CycleInputs::etc, txtetc},   {&CycleInputs::pib, txtpib},   {&CycleInputs::etb, txtetb},
      {&CycleInputs::tt4, txttt4},   {&CycleInputs::h, txth},       {&CycleInputs::ma, txtma},
      {&CycleInputs::ett, txtett},   {&CycleInputs::etf, txtetf},   {&CycleInputs::pif, txtpif},
      {&CycleInputs::pip, txtpip},   {&CycleInputs::pim, txtpim},   {&CycleInputs::piab, txtpiab},
      {&CycleInputs::etab, txtetab}, {&CycleInputs::etp, txtetp},   {&CycleInputs::etm, txtetm},
      {&CycleInputs::etn, txtetn},   {&CycleInputs::etfn, txtetfn}};
  for (auto [field, box] : read) in.*field = Strict(box);
  in.irs = lstIR->text();
  in.SAs = lstSA->text();
  in.igcs = lstIGC->text();
  in.inozs = lstinoz->text();
  in.inofs = lstinof->text();
  in.pic = pic;
  in.sg = sg;
  in.al = al;
  in.wc = wc;
  in.tt6 = tt6;
  in.iabs = iabs;
  RefuseMeaningless(in);

  // A calculation that fails leaves the previous state in place.
  CycleState next = state_;
  const Outcome outcome = RunCycle(in, next);
  std::string ff, ffnd, tsfc;
  if (outcome == Outcome::Done) {
    ff = core::FormatPattern(next.ff, "##,###");
    ffnd = core::FormatPattern(next.ffnd, "##,###0.000");
    tsfc = core::FormatPattern(next.tsfc, "##,###0.000");
  }
  state_ = next;
  if (outcome == Outcome::Impossible) {
    impossible_ = true;
    ShowImpossible();
    return;
  }
  last_ = state_;
  const bool done = outcome == Outcome::Done;
  txtff->setText(ff, done ? std::optional<double>(next.ff) : std::nullopt);
  txtffnd->setText(ffnd);
  txttsfc->setText(tsfc, done ? std::optional<double>(next.tsfc) : std::nullopt);
}

std::vector<std::string> JetCycle::ChartNames() const { return cycle_charts::kCycleCharts; }

core::ChartData JetCycle::Chart(const std::string& name) const {
  const char* title = cycle_charts::CycleChartTitle(name);
  if (!title) return Form::Chart(name);
  if (!last_) {
    std::string why = "Press Calculate to compute the cycle";
    if (impossible_)
      why = "The last calculation gave an impossible design: too much power needed by compressor "
            "and/or fan and/or propeller";
    else if (calculated_)
      why = cycle_charts::CalculationFailed(lblError->caption());
    return core::Unavailable(name, title, why);
  }
  return cycle_charts::CycleChart(name, JetCycleDiagram(*last_));
}

// Inputs that no engine can have, refused before the cycle turns them into
// a number that means nothing. What the cycle handles itself stays: an
// afterburner temperature at or below zero turns the afterburner off, and a
// temperature typed while the standard atmosphere is chosen is not used.
void JetCycle::RefuseMeaningless(const CycleInputs& in) const {
  const std::string absolute = "must be above zero: it is an absolute temperature";
  if (in.SAs == "n" && in.t0 <= 0) Refuse(txtT0, absolute);
  if (in.tt4 <= 0) Refuse(txttt4, absolute);
  if (in.ma < 0) Refuse(txtma, "must not be negative");
}

void JetCycle::ShowImpossible() {
  Fraimposs->setVisible(true);
  const std::string zero = core::FormatPattern(0.0f, "##,###");
  txtff->setText(zero);
  txtffnd->setText(zero);
  txttsfc->setText(zero);
}

}  // namespace thrustdeck
