#include "nozzle/nozzle_window.h"

#include <cmath>

#include "core/numtext.h"
#include "nozzle/nozzle_flow.h"

namespace nozzle {

using core::Look;

namespace {

constexpr int kLabelW = 170, kBoxX = 176, kBoxW = 90;
constexpr int kResultLabelW = 256, kResultBoxX = 262;

}  // namespace

Nozzle::Nozzle() : core::Form(core::Caption("Nozzle Flow", 15), 780, 440) {
  lblTitle = AddLabel("lblTitle", "Shockless Nozzle Flow", {190, 8, 400, 38}, nullptr, Look::Title);

  struct Input {
    const char *label, *name, *text;
    core::TextBox** box;
  };
  const Input inputs[] = {{"gamma", "txtk", "1.36", &txtk},
                          {"Efficiency", "txtetn", "0.97", &txtetn},
                          {"Tt6 (deg R)", "txttt6", "1400", &txttt6},
                          {"pt6 (psia)", "txtpt6", "20", &txtpt6},
                          {"Exit area (in^2)", "txtar8", "250", &txtar8}};
  int y = 62, n = 1;
  for (const Input& in : inputs) {
    AddLabel("Label" + std::to_string(n++), in.label, {16, y + 2, kLabelW, 24});
    *in.box = AddTextBox(in.name, {16 + kBoxX, y, kBoxW, 26});
    (*in.box)->setText(in.text);
    (*in.box)->what = in.label;
    y += 32;
  }

  AddLabel("Label6", "Condition specified:", {16, 230, 250, 24});
  lsttype = AddList("lsttype", {"Exit Mach number", "Area ratio", "pressure rato (p8/pt6)"},
                    {16, 254, 250, 58});

  frainpt1 = AddFrame("frainpt1", "", {16, 320, 300, 32}, nullptr, false);
  AddLabel("Label7", "Exit Mach number", {0, 4, kLabelW, 24}, frainpt1);
  txtm8 = AddTextBox("txtm8", {kBoxX, 2, kBoxW, 26}, frainpt1);
  frainpt2 = AddFrame("frainpt2", "", {16, 320, 300, 80}, nullptr, false);
  AddLabel("Label8", "Area ratio (A8/A*)", {0, 4, kLabelW, 24}, frainpt2);
  txtaa = AddTextBox("txtaa", {kBoxX, 2, kBoxW, 26}, frainpt2);
  lstss = AddList("lstss", {"Lower Mach Solution", "Higher Mach Solution"}, {0, 36, 200, 40},
                  frainpt2);
  frainpt3 = AddFrame("frainpt3", "", {16, 320, 300, 32}, nullptr, false);
  AddLabel("Label9", "Pressure ratio (p8/pt6)", {0, 4, kLabelW, 24}, frainpt3);
  txtppt = AddTextBox("txtppt", {kBoxX, 2, kBoxW, 26}, frainpt3);
  txtm8->setText("0.65");
  txtm8->what = "Exit Mach number";
  txtaa->setText("1.12");
  txtaa->what = "Area ratio (A8/A*)";
  txtppt->setText("0.75");
  txtppt->what = "Pressure ratio (p8/pt6)";

  fraresults0 = AddFrame("fraresults0", "", {400, 62, 364, 196}, nullptr, false);
  struct Output {
    const char *label, *name;
    core::TextBox** box;
  };
  const Output outputs[] = {{"Mass flow rate (lbm/s)", "txtmd8", &txtmd8},
                            {"Corrected mass flow rate (lbm/s)", "txtmc6", &txtmc6},
                            {"Exit Mach number", "txtm8o", &txtm8o},
                            {"A8/A*", "txtaao", &txtaao},
                            {"p8/pt6", "txtppto", &txtppto},
                            {"T8/Tt6", "txtttt", &txtttt}};
  y = 2;
  n = 10;
  for (const Output& out : outputs) {
    AddLabel("Label" + std::to_string(n++), out.label, {0, y + 2, kResultLabelW, 24}, fraresults0);
    *out.box = AddTextBox(out.name, {kResultBoxX, y, kBoxW, 26}, fraresults0);
    (*out.box)->readOnly = true;
    y += 32;
  }

  FraMin = AddFrame("FraMin", "", {400, 266, 364, 32}, nullptr, false);
  AddLabel("Label16", "Amin/A* =", {0, 4, 80, 24}, FraMin);
  txtaan = AddTextBox("txtaan", {84, 2, kBoxW, 26}, FraMin);
  AddLabel("Label17", "@ M =", {210, 4, 48, 24}, FraMin);
  txtm8n = AddTextBox("txtm8n", {kResultBoxX, 2, kBoxW, 26}, FraMin);
  txtaan->readOnly = txtm8n->readOnly = true;

  FraAA = AddFrame("FraAA", "", {400, 306, 376, 30}, nullptr, false);
  AddLabel("Label18", "A8/A* is less than Amin/A*!  No Possible Solution", {0, 2, 376, 26}, FraAA,
           Look::Warning);
  FraAA->setVisible(false);

  cmdCalculate = AddButton("cmdCalculate", "Calculate", {420, 370, 120, 36}, nullptr, Look::Compute);
  cmdEnd = AddButton("cmdEnd", "Done!", {580, 370, 110, 36});

  lsttype->Click = [this] { lsttype_Click(); };
  lstss->Click = [this] { lstss_Click(); };
  cmdCalculate->Click = [this] { cmdCalculate_Click(); };
  cmdEnd->Click = [this] { End(); };

  using core::Quantity;
  Measure("txttt6", Quantity::Temperature, "deg R");
  Measure("txtpt6", Quantity::Pressure);
  Measure("txtar8", Quantity::Area);
  Measure("txtmd8", Quantity::MassFlow);
  Measure("txtmc6", Quantity::CorrectedFlow);
}

void Nozzle::Form_Load() {
  lsttype->setText("Exit Mach number");
  lstss->setText("subsonic");  // no such item: nothing is chosen
}

void Nozzle::lsttype_Click() {
  ch = lsttype->listIndex() + 1;
  frainpt1->setVisible(false);
  if (ch == 1) frainpt1->setVisible(true);
  frainpt2->setVisible(false);
  if (ch == 2) frainpt2->setVisible(true);
  frainpt3->setVisible(false);
  if (ch == 3) frainpt3->setVisible(true);
}

void Nozzle::lstss_Click() { ss = lstss->listIndex() + 1; }

void Nozzle::Fail(const std::string& message) {
  for (core::TextBox* out : {txtmd8, txtmc6, txtm8o, txtaao, txtppto, txtttt}) out->setText("");
  throw core::Failure(message);
}

void Nozzle::cmdCalculate_Click() {
  Writes({txtmd8, txtmc6, txtm8o, txtaao, txtppto, txtttt, txtm8n, txtaan});
  fraresults0->setVisible(true);
  FraAA->setVisible(false);
  k = Strict(txtk);
  etn = Strict(txtetn);
  tt6 = Strict(txttt6);
  pt6 = Strict(txtpt6);
  ar8 = Strict(txtar8);
  // The boxes of the other conditions sit in hidden frames: a stale text
  // there must not block the computation.
  auto read = [this](const core::TextBox* box, float& value, bool chosen) {
    if (chosen)
      value = Strict(box);
    else if (auto typed = core::ParseStrict(box->text()))
      value = *typed;
  };
  read(txtm8, m8, ch != 2 && ch != 3);
  read(txtaa, aa, ch == 2);
  read(txtppt, ppt, ch == 3);

  if (!(k > 1)) Fail(CaptionOf(*txtk) + " must be above 1");
  if (!(etn > 0 && etn <= 1)) Fail(CaptionOf(*txtetn) + " must be above 0 and at most 1");
  if (!(tt6 > 0)) Fail(CaptionOf(*txttt6) + " must be above 0: it is an absolute temperature");
  if (!(pt6 > 0)) Fail(CaptionOf(*txtpt6) + " must be above 0");
  if (ar8 < 0) Fail(CaptionOf(*txtar8) + " must not be negative");
  const Gas gas(k, etn);

  MinimumArea minimum = SearchMinimumArea(gas);
  if (!minimum.found) Fail("No minimum area ratio above Mach 0.6 for this gamma and Efficiency");
  auto showMinimum = [&] {
    txtm8n->setText(core::FormatPattern(minimum.mmin, "#0.00000"));
    txtaan->setText(core::FormatPattern(minimum.amin, "#0.00000"));
  };

  double area = 0, ppr = 0;
  if (ch == 2) {
    minimum.amin = minimum.amin - 0.000001;
    std::optional<float> solved;
    if (!(aa < minimum.amin)) solved = SolveAreaRatio(gas, aa, ss == 2, minimum.mmin);
    if (!solved) {
      FraAA->setVisible(true);
      fraresults0->setVisible(false);
      for (core::TextBox* out : {txtmd8, txtmc6, txtm8o, txtaao, txtppto, txtttt})
        out->setText("");
      showMinimum();
      return;
    }
    m8 = *solved;
    area = aa;
    ppr = PressureRatio(gas, m8);
  } else if (ch == 3) {
    const double mach = MachOfPressureRatio(gas, ppt);
    if (!(std::isfinite(mach) && mach > 0))
      Fail("No nozzle flow for " + CaptionOf(*txtppt) + " = " + core::NumberText(ppt));
    m8 = static_cast<float>(mach);
    area = AreaRatio(gas, m8);
    ppr = ppt;
  } else {
    if (!(m8 > 0)) Fail(CaptionOf(*txtm8) + " must be above 0");
    area = AreaRatio(gas, m8);
    ppr = PressureRatio(gas, m8);
    if (!std::isfinite(area) || !std::isfinite(ppr))
      Fail("This nozzle cannot expand to " + CaptionOf(*txtm8) + " = " + core::NumberText(m8));
  }
  if (!std::isfinite(area)) Fail("No nozzle flow for these inputs");
  const double ttt = TemperatureRatio(gas, m8);
  const Flow flow = MassFlow(gas, k, m8, ppr, tt6, pt6, ar8);
  if (!std::isfinite(flow.mdot) || !std::isfinite(flow.mdotc))
    Fail("No nozzle flow for these inputs");

  txtmd8->setText(core::FormatPattern(flow.mdot, "#0.00"), flow.mdot);
  txtmc6->setText(core::FormatPattern(flow.mdotc, "#0.00"), flow.mdotc);
  txtttt->setText(core::FormatPattern(ttt, "0.000"));
  txtm8o->setText(core::FormatPattern(m8, "#0.000"));
  txtaao->setText(core::FormatPattern(area, "#0.000"));
  txtppto->setText(core::FormatPattern(ppr, "#0.000"));
  showMinimum();
}

}  // namespace nozzle
