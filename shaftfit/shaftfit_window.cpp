#include "shaftfit/shaftfit_window.h"

#include <limits>

#include "core/numtext.h"
#include "core/printline.h"
#include "shaftfit/gt_print.h"

namespace shaftfit {
namespace {

using core::FormatPattern;
using core::Look;

constexpr int kWidth = 1110;
constexpr int kHeight = 680;
using maps::FrameH;
using maps::RowY;

}  // namespace

core::TextBox* Form1::Input(core::Frame* in, const std::string& label, const std::string& caption,
                             const std::string& box, const std::string& text, int row,
                             int labelWidth, int boxWidth) {
  return maps::InputRow(*this, in, label, caption, box, text, row, labelWidth, boxWidth);
}

core::TextBox* Form1::Output(core::Frame* in, const std::string& label,
                              const std::string& caption, const std::string& box, int x, int row,
                              int labelWidth) {
  return maps::OutputRow(*this, in, label, caption, box, x, row, labelWidth);
}

Form1::Form1()
    : Form(core::Caption("Power Generation Gas Turbine Matching Analysis", 13), kWidth, kHeight) {
  core::Label* title = AddLabel("Label37", "Power Generation GT Matching Analysis",
                                 {0, 4, kWidth, 34}, nullptr, Look::Title);
  title->points = 18;

  fracomp = AddFrame("fracomp", "", {10, 50, 250, FrameH(8)});
  txtc1 = Input(fracomp, "Label8", "c1 (s/lbm)", "txtc1", "0.1339", 0, 150);
  txtc2 = Input(fracomp, "Label6", "c2 ((lbm/s)/rpm)", "txtc2", "0.0154632", 1, 150);
  txtc3 = Input(fracomp, "Label10", "c3", "txtc3", "0.90", 2, 150);
  txtc4 = Input(fracomp, "Label39", "c4 (1/rpm)", "txtc4", "0.00001", 3, 150);
  txtc5 = Input(fracomp, "Label40", "c5 ((lbm/s)^2/rpm)", "txtc5", "10.0", 4, 150);
  txtn2d = Input(fracomp, "Label16", "Nc2d (rpm)", "txtn2d", "9000", 5, 150);
  txtetacd = Input(fracomp, "Label11", "etacd", "txtetacd", "0.88", 6, 150);
  txtmu = Input(fracomp, "Label38", "mu", "txtmu", "0.04", 7, 150);

  fraburn = AddFrame("fraburn", "", {10, 50 + FrameH(8) + 8, 250, FrameH(4)});
  txtb1 = Input(fraburn, "Label44", "b1 (1/(lbm/s)^2)", "txtb1", "2.77", 0, 170, 60);
  txtetabd = Input(fraburn, "Label43", "etabd", "txtetabd", "0.91", 1, 170, 60);
  txtb2 = Input(fraburn, "Label41", "b2 ((lbm/s)^2)", "txtb2", "0.0", 2, 170, 60);
  txth = Input(fraburn, "Label23", "Heating value (BTU/lbm)", "txth", "18000", 3, 170, 60);

  fraturb = AddFrame("fraturb", "", {270, 50, 230, FrameH(6)});
  txtpitc = Input(fraturb, "label19", "pitc", "txtpitc", "0.07", 0, 120);
  txtmc4c = Input(fraturb, "Label18", "mc4c (lbm/s)", "txtmc4c", "20", 1, 120);
  txtNc4d = Input(fraturb, "Label14", "Nc4d (rpm)", "txtNc4d", "4300", 2, 120);
  txtetatd = Input(fraturb, "Label13", "etatd", "txtetatd", "0.92", 3, 120);
  txtk1 = Input(fraturb, "Label12", "k1", "txtk1", "0.2", 4, 120);
  txtk2 = Input(fraturb, "Label7", "k2", "txtk2", "0.1", 5, 120);

  const int shaftY = 50 + FrameH(6) + 8;
  frashft = AddFrame("frashft", "", {270, shaftY, 230, FrameH(2)});
  txts1 = Input(frashft, "Label2", "s1", "txts1", "0.005", 0, 120);
  txts2 = Input(frashft, "Label5", "s2", "txts2", "0.0", 1, 120);

  fraover = AddFrame("fraover", "", {270, shaftY + FrameH(2) + 8, 230, FrameH(2)});
  AddLabel("Label33", "Overall", {8, RowY(0) + 2, 200, 20}, fraover);
  txtf = Input(fraover, "Label31", "f", "txtf", "0.02", 1, 120);

  fraInNoz = AddFrame("fraInNoz", "", {510, 50, 300, FrameH(4)});
  AddLabel("Label22", "Inlet", {8, RowY(0) + 2, 200, 20}, fraInNoz);
  txtd = Input(fraInNoz, "Label20", "z1 (1/(lbm/s)^2)", "txtd", "0.000001", 1, 150, 100);
  AddLabel("Label21", "Exhaust", {8, RowY(2) + 2, 200, 20}, fraInNoz);
  txta = Input(fraInNoz, "Label27", "z2 (1/(lbm/s)^2)", "txta", "0.0000005", 3, 150, 100);

  Frame1 = AddFrame("Frame1", "", {510, 50 + FrameH(4) + 8, 300, FrameH(3)});
  AddLabel("Label25", "Load", {8, RowY(0) + 2, 200, 20}, Frame1);
  txtr1 = Input(Frame1, "Label26", "z3 (HP/rpm^z4)", "txtr1", "0.00000003253", 1, 150, 100);
  txtr2 = Input(Frame1, "Label24", "z4", "txtr2", "3.0", 2, 150, 100);

  const int ambientY = 50 + FrameH(4) + 8 + FrameH(3) + 8;
  fraTJ1 = AddFrame("fraTJ1", "", {510, ambientY, 300, FrameH(2)});
  txtp0 = Input(fraTJ1, "Label3", "Atmospheric pressure (psia)", "txtp0", "14.69", 0, 200);
  txtT0 = Input(fraTJ1, "Label4", "Atmospheric temperature (R)", "txtT0", "520", 1, 200);

  // The regenerator and what only it needs.
  AddLabel("Label28", "Regenerator?", {830, 62, 110, 20});
  lstIRG = AddList("lstIRG", {"n", "y"}, {950, 52, 60, 44});
  frarg2 = AddFrame("frarg2", "", {820, 104, 280, FrameH(1)});
  txtetrg = Input(frarg2, "Label29", "Effectiveness", "txtetrg", "0.75", 0, 170);
  frarg = AddFrame("frarg", "", {820, 104 + FrameH(1) + 8, 280, FrameH(2)});
  txtpirg3 = Input(frarg, "Label45", "b 3-3x (1/(lbm/s)^2)", "txtpirg3", "0.00005", 0, 170);
  txtpirg5 = Input(frarg, "Label32", "b 5-5x (1/(lbm/s)^2)", "txtpirg5", "0.0000002", 1, 170);
  Fraburn2 = AddFrame("Fraburn2", "", {820, 104 + FrameH(1) + FrameH(2) + 16, 280, FrameH(1)});
  Txtt5 = Input(Fraburn2, "Label47", "Initial guess on Tt5 (R)", "Txtt5", "1350", 0, 170);

  const int guessY = ambientY + FrameH(2) + 8;
  fraframe2 = AddFrame("fraframe2", "", {510, guessY, 590, FrameH(2)});
  txtn2 = Input(fraframe2, "Label49", "Initial guess on Nc2 (rpm)", "txtn2", "", 0, 440);
  txtm1in = Input(fraframe2, "Label48", "Initial guess on corrected mass flow rate @ 1 (lbm/s)",
                  "txtm1in", "", 1, 440);

  // Results.
  const int resY = guessY + FrameH(2) + 10;
  Fracompo = AddFrame("Fracompo", "", {10, resY, 210, FrameH(5)});
  txtm1 = Output(Fracompo, "Label1", "mc1 (lbm/s)=", "txtm1", 8, 0, 100);
  txtm2 = Output(Fracompo, "Label52", "mc2 (lbm/s)=", "txtm2", 8, 1, 100);
  txtn2a = Output(Fracompo, "Label51", "Nc2 (rpm)=", "txtn2a", 8, 2, 100);
  txtppc = Output(Fracompo, "Label50", "pic=", "txtppc", 8, 3, 100);
  txtetc = Output(Fracompo, "Label53", "etac=", "txtetc", 8, 4, 100);

  fraturbo = AddFrame("fraturbo", "", {230, resY, 410, FrameH(5)});
  Txtm3 = Output(fraturbo, "Label66", "mc3 (lbm/s)=", "Txtm3", 8, 0, 100);
  Txtt3 = Output(fraturbo, "Label64", "Tt3 (R)=", "Txtt3", 8, 1, 100);
  Txtt4 = Output(fraturbo, "Label62", "Tt4 (R)=", "Txtt4", 8, 2, 100);
  txtm4 = Output(fraturbo, "Label55", "mc4 (lbm/s)=", "txtm4", 8, 3, 100);
  txtn4 = Output(fraturbo, "Label56", "Nc4 (rpm)=", "txtn4", 8, 4, 100);
  txtppt = Output(fraturbo, "Label57", "pit=", "txtppt", 210, 0, 100);
  txtett = Output(fraturbo, "Label54", "etat=", "txtett", 210, 1, 100);
  Txtt5o = Output(fraturbo, "Label46", "Tt5 (R)=", "Txtt5o", 210, 2, 100);
  Txtm5 = Output(fraturbo, "Label65", "mc5 (lbm/s)=", "Txtm5", 210, 3, 100);

  Frathrust = AddFrame("Frathrust", "", {650, resY, 270, FrameH(5)});
  txtpower = Output(Frathrust, "Label34", "Net Power (hp) =", "txtpower", 8, 0, 160);
  txtefth = Output(Frathrust, "Label35", "Efficiency =", "txtefth", 8, 1, 160);
  txtsfc = Output(Frathrust, "Label36", "SFC (lbm/HP-hr) =", "txtsfc", 8, 2, 160);
  Txtmen = Output(Frathrust, "Label60", "m (lbm/s)=", "Txtmen", 8, 3, 160);
  TxtNEN = Output(Frathrust, "Label61", "N (rpm)=", "TxtNEN", 8, 4, 160);

  cmdCalculate =
      AddButton("cmdCalculate", "Calculate", {935, resY + 8, 165, 36}, nullptr, Look::Compute);
  Command1 = AddButton("Command1", "Print File of Maps?", {935, resY + 56, 165, 36});
  cmdEnd = AddButton("cmdEnd", "Done!", {935, resY + 104, 165, 36});

  const int lowY = resY + FrameH(5) + 8;
  Fraconv = AddFrame("Fraconv", "", {10, lowY, 220, 30}, nullptr, false);
  AddLabel("Label69", "Did not converge!!!", {8, 5, 200, 20}, Fraconv, Look::Warning);
  frasurge = AddFrame("frasurge", "", {240, lowY, 250, 30}, nullptr, false);
  AddLabel("Label58", "Compressor has surged!!!!!", {8, 5, 230, 20}, frasurge, Look::Warning);
  fraregen = AddFrame("fraregen", "", {500, lowY, 480, 30}, nullptr, false);
  AddLabel("Label63", "Regenerator should not be used!", {8, 5, 260, 20}, fraregen, Look::Warning);
  AddLabel("Label59", "Tt5 is less than Tt3", {280, 5, 190, 20}, fraregen, Look::Warning);
  frasurge->setVisible(false);

  txtc2->Change = [this] { txtc2_Change(); };
  txtc3->Change = [this] { txtc3_Change(); };
  txtn2d->Change = [this] { txtn2d_Change(); };
  lstIRG->Click = [this] { lstIRG_Click(); };
  cmdCalculate->Click = [this] { cmdCalculate_Click(); };
  Command1->Click = [this] { Command1_Click(); };
  cmdEnd->Click = [this] { cmdEnd_Click(); };
}

void Form1::Form_Load() { SetStartGuesses(); }

void Form1::txtc2_Change() { SetStartGuesses(); }
void Form1::txtc3_Change() { SetStartGuesses(); }

void Form1::txtn2d_Change() {
  SetStartGuesses();
  ShowRegenFrames();
}

void Form1::lstIRG_Click() {
  SetStartGuesses();
  ShowRegenFrames();
}

// The initial guesses follow the compressor: its design speed (a little
// faster with a regenerator) and the flow halfway between surge and choke.
void Form1::SetStartGuesses() {
  const float c2 = maps::ReadSingle(*this, txtc2);
  const float c3 = maps::ReadSingle(*this, txtc3);
  float nc2 = maps::ReadSingle(*this, txtn2d);
  if (lstIRG->text() == "y") nc2 = static_cast<float>(nc2 + 300.0);
  const float mc1 = static_cast<float>(static_cast<double>(nc2) * c2 * (static_cast<double>(c3) + 1) / 2);
  txtn2->setText(FormatPattern(nc2, "#0"));
  txtm1in->setText(FormatPattern(mc1, "#0.0"));
  ShowRegenFrames();
}

void Form1::ShowRegenFrames() {
  for (core::Frame* fr : {frarg, frarg2, Fraburn2, fraregen, Fraconv}) fr->setVisible(false);
  if (lstIRG->text() == "y")
    for (core::Frame* fr : {frarg, frarg2, Fraburn2}) fr->setVisible(true);
}

// The map boxes as read for the matching (mu a Single) or for the print
// file (mu a Double).
maps::MapBoxes Form1::MapBoxes(maps::Precision mu) const {
  constexpr maps::Precision S = maps::Precision::Single, D = maps::Precision::Double;
  return {{txtc1, S},   {txtc2, S},   {txtc3, S},    {txtc4, S},    {txtc5, S},    {txtn2d, S},
          {txtetacd, D}, {txtmu, mu},  {txtb1, S},    {txtb2, S},    {txth, S},     {txtetabd, D},
          {txtpitc, S},  {txtk1, S},   {txtk2, S},    {txtmc4c, D},  {txtNc4d, D},  {txtetatd, D}};
}

std::vector<std::string> Form1::ChartNames() const { return maps::MatchChartNames(); }

core::ChartData Form1::Chart(const std::string& name) const {
  return maps::MatchChart(*this, name, maps::ReadMaps(*this, MapBoxes(maps::Precision::Single)),
                          last_);
}

void Form1::cmdCalculate_Click() {
  last_.reset();
  auto single = [this](const core::TextBox* box) { return maps::ReadSingle(*this, box); };
  ShowRegenFrames();
  frasurge->setVisible(false);

  GtInputs in;
  const maps::MapInputs m = maps::ReadMaps(*this, MapBoxes(maps::Precision::Single));
  in.comp = m.comp;
  in.burn = m.burn;
  in.turb = m.turb;
  in.s1 = single(txts1);
  in.s2 = single(txts2);
  in.z1 = single(txtd);
  in.z2 = single(txta);
  in.z3 = single(txtr1);
  in.z4 = single(txtr2);
  in.f = single(txtf);
  in.p0 = single(txtp0);
  in.t0 = single(txtT0);
  // Only an explicit "n" takes the regenerator out.
  if (lstIRG->text() != "n") {
    in.effectiveness = single(txtetrg);
    in.b33x = single(txtpirg3);
    in.b55x = single(txtpirg5);
  }
  in.tt5 = single(Txtt5);
  in.nc2 = single(txtn2);
  in.mc1 = single(txtm1in);
  GtWatch watch;
  watch.turbineRatio = [this](double ratio) {
    txtppt->setText(FormatPattern(ratio, "##,###0.000"));
  };
  const GtResult r = MatchGt(in, watch);
  nc2 = r.nc2;
  tt5 = r.tt5;
  if (!r.converged) Fraconv->setVisible(true);
  WriteResults(r);
  if (r.surged) frasurge->setVisible(true);
  if (r.regenWarm) fraregen->setVisible(true);
  if (r.converged)
    last_ = maps::MatchedMaps{in.comp, in.turb, r.mc2, r.pic, r.nc2, r.pit, r.mc4, r.nc4, r.surged};
}

void Form1::WriteResults(const GtResult& r) {
  txtm1->setText(FormatPattern(r.mc1, "##,###0.0"));
  txtm2->setText(FormatPattern(r.mc2, "##,###0.0"));
  txtn2a->setText(FormatPattern(nc2, "##,###"));
  txtppc->setText(FormatPattern(r.pic, "##,###0.00"));
  txtetc->setText(FormatPattern(r.etac, "##,###0.000"));
  txtm4->setText(FormatPattern(r.mc4, "##,###0.0"));
  txtn4->setText(FormatPattern(r.nc4, "##,###"));
  txtppt->setText(FormatPattern(r.pit, "##,###0.000"));
  txtett->setText(FormatPattern(r.etat, "##,###0.000"));
  Txtmen->setText(FormatPattern(r.m, "##,###0.0"));
  TxtNEN->setText(FormatPattern(r.n, "##,###"));
  Txtt4->setText(FormatPattern(r.tt4, "##,###"));
  Txtt3->setText(FormatPattern(r.tt3, "##,###"));
  txtpower->setText(FormatPattern(r.power, "##,###"));
  txtefth->setText(FormatPattern(r.efficiency, "##,###0.000"));
  txtsfc->setText(FormatPattern(r.sfc, "##,###0.000"));
  Txtt5o->setText(FormatPattern(tt5, "##,###"));
  Txtm3->setText(FormatPattern(r.mc3, "##,###0.0"));
  Txtm5->setText(FormatPattern(r.mc5, "##,###0.0"));
}

void Form1::Command1_Click() {
  if (counter == std::numeric_limits<short>::max())
    throw core::Failure("No more print files in this run: the file counter is full");
  ++counter;
  auto single = [this](const core::TextBox* box) { return maps::ReadSingle(*this, box); };
  GtPrintInputs p;
  const maps::MapInputs m = maps::ReadMaps(*this, MapBoxes(maps::Precision::Double));
  p.core.comp = m.comp;
  p.core.burn = m.burn;
  p.core.turb = m.turb;
  p.core.s1 = single(txts1);
  p.core.s2 = single(txts2);
  p.core.nc4dSingle = false;
  p.core.nc2dSingle = true;
  p.core.etamSingle = true;
  p.z1 = single(txtd);
  p.z2 = single(txta);
  p.z3 = single(txtr1);
  p.z4 = single(txtr2);
  p.effectiveness = single(txtetrg);
  p.b33x = single(txtpirg3);
  p.b55x = single(txtpirg5);
  p.regenerator = lstIRG->text();
  WritePrintFile(core::PrintFileName(kPrintBase, counter), GtMapLines(p));
}

void Form1::cmdEnd_Click() { End(); }

}  // namespace shaftfit
