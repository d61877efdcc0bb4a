#include "thrustfit/thrustfit_window.h"

#include <limits>

#include "core/numtext.h"
#include "core/printline.h"
#include "thrustfit/jet_print.h"

namespace thrustfit {
namespace {

using core::FormatPattern;
using core::Look;
using core::Rect;

constexpr int kWidth = 1110;
constexpr int kHeight = 700;
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
    : Form(core::Caption("Jet Engine Component Matching Analysis", 15,
                          "FOR EDUCATIONAL PURPOSES ONLY (See Discalimer)"),
           kWidth, kHeight) {
  Label37 =
      AddLabel("Label37", "Jet Engine Matching Analysis", {0, 4, kWidth, 34}, nullptr, Look::Title);
  Label37->points = 18;

  Frame1 = AddFrame("Frame1", "", {10, 42, 700, 72});
  AddLabel("Label1", "Gas Generator (g) Turbojet Engine (e) or Turbojet/Airframe (f) analysis?",
           {10, 24, 570, 20}, Frame1);
  lstge = AddList("lstge", {"g", "e", "f"}, {600, 5, 60, 64}, Frame1);

  // Compressor, burner: first column.
  fracomp = AddFrame("fracomp", "", {10, 116, 250, FrameH(8)});
  txtc1 = Input(fracomp, "Label8", "c1 (s/lbm)", "txtc1", "0.08", 0, 160);
  txtc2 = Input(fracomp, "Label6", "c2 ((lbm/s)/rpm)", "txtc2", "0.02", 1, 160);
  txtc3 = Input(fracomp, "Label10", "c3", "txtc3", "0.80", 2, 160);
  txtc4 = Input(fracomp, "Label39", "c4 (1/rpm)", "txtc4", "0.00001", 3, 160);
  txtc5 = Input(fracomp, "Label40", "c5 ((lbm/s)^2/rpm)", "txtc5", "2.0", 4, 160);
  txtnc2d = Input(fracomp, "Label16", "Nc2d (rpm)", "txtnc2d", "10000", 5, 160);
  txtetacd = Input(fracomp, "Label11", "etacd", "txtetacd", "0.88", 6, 160);
  txtmu = Input(fracomp, "Label38", "mu", "txtmu", "0.10", 7, 160);

  fraburn = AddFrame("fraburn", "", {10, 116 + FrameH(8) + 8, 250, FrameH(4)});
  txtb1 = Input(fraburn, "Label44", "b1 (1/(lbm/s)^2)", "txtb1", "1.865", 0, 170, 60);
  txtetabd = Input(fraburn, "Label43", "etabd", "txtetabd", "0.91", 1, 170, 60);
  txtb2 = Input(fraburn, "Label41", "b2 ((lbm/s)^2)", "txtb2", "0.0", 2, 170, 60);
  txth = Input(fraburn, "Label23", "Heating value (BTU/lbm)", "txth", "18000", 3, 170, 60);

  // Turbine, shaft, overall: second column.
  fraturb = AddFrame("fraturb", "", {270, 116, 220, FrameH(6)});
  txtpitc = Input(fraturb, "label19", "pitc", "txtpitc", "0.28", 0, 120);
  txtmc4c = Input(fraturb, "Label18", "mc4c (lbm/s)", "txtmc4c", "35", 1, 120);
  txtNc4d = Input(fraturb, "Label14", "Nc4d (rpm)", "txtNc4d", "4000", 2, 120);
  txtetatd = Input(fraturb, "Label13", "etatd", "txtetatd", "0.90", 3, 120);
  txtk1 = Input(fraturb, "Label12", "k1", "txtk1", "1.00", 4, 120);
  txtk2 = Input(fraturb, "Label7", "k2", "txtk2", "0.20", 5, 120);

  const int shaftY = 116 + FrameH(6) + 8;
  frashft = AddFrame("frashft", "", {270, shaftY, 220, FrameH(2)});
  txts1 = Input(frashft, "Label2", "s1", "txts1", "0.0", 0, 120);
  txts2 = Input(frashft, "Label5", "s2", "txts2", "0.0", 1, 120);

  fraover = AddFrame("fraover", "", {270, shaftY + FrameH(2) + 8, 220, FrameH(2)});
  AddLabel("Label33", "Overall", {8, RowY(0) + 2, 200, 20}, fraover);
  txtf = Input(fraover, "Label31", "f", "txtf", "0.02", 1, 120);

  // Inlet and nozzle: third column.
  fraInNoz = AddFrame("fraInNoz", "", {500, 116, 600, FrameH(8)});
  AddLabel("Label22", "Inlet", {8, RowY(0) + 2, 200, 20}, fraInNoz);
  txtpidd = Input(fraInNoz, "Label20", "pidd", "txtpidd", "1.0", 1, 120);
  AddLabel("Label21", "Nozzle", {8, RowY(2) + 6, 200, 20}, fraInNoz);
  AddLabel("Label24", "Nozzle type (c=fixed converg.", {8, RowY(3) + 4, 380, 20}, fraInNoz);
  AddLabel("Label59", "cd1=variable-fixed throat cd2=variable-fixed exit)",
           {8, RowY(4) + 0, 390, 20}, fraInNoz);
  lstntyp = AddList("lstntyp", {"c", "cd1", "cd2"}, {330, RowY(2) + 4, 70, 60}, fraInNoz);
  txtmn = Input(fraInNoz, "Label25", "mn (lbm/s)", "txtmn", "194.22", 5, 120);
  txtetand = Input(fraInNoz, "Label26", "eatnd", "txtetand", "0.98", 6, 120);
  txta = Input(fraInNoz, "Label27", "a", "txta", "0.0", 7, 120);

  // The inputs of one analysis mode at a time.
  const int modeY = 116 + FrameH(8) + 8;
  fragg = AddFrame("fragg", "", {500, modeY, 290, FrameH(2)});
  txttt2 = Input(fragg, "Label46", "Tt2 (R)", "txttt2", "520", 0, 200);
  txtn2i = Input(fragg, "Label45", "Nc2 (rpm)", "txtn2i", "10000", 1, 200);

  fraTJ1 = AddFrame("fraTJ1", "", {500, modeY, 290, FrameH(2)});
  txtp0 = Input(fraTJ1, "Label3", "Atmospheric pressure (psia)", "txtp0", "14.69", 0, 200);
  txtT0 = Input(fraTJ1, "Label4", "Atmospheric temperature (R)", "txtT0", "520", 1, 200);

  const int guessY = modeY + FrameH(2) + 8;
  fraTJ2 = AddFrame("fraTJ2", "", {500, guessY, 290, FrameH(2)});
  txtmach = Input(fraTJ2, "Label32", "Mach number", "txtmach", "0.50", 0, 200);
  txtn2 = Input(fraTJ2, "Label47", "Initial guess on Nc2 (rpm)", "txtn2", "10000", 1, 200);

  fraframe2 = AddFrame("fraframe2", "", {500, guessY, 290, FrameH(2)});
  txtmach2 =
      Input(fraframe2, "Label48", "Initial guess on Mach number", "txtmach2", "0.90", 0, 200);
  txtn22 = Input(fraframe2, "Label49", "Initial guess on Nc2 (rpm)", "txtn22", "10000", 1, 200);

  fraframe1 = AddFrame("fraframe1", "", {800, modeY, 300, FrameH(3)});
  AddLabel("Label28", "Airframe", {8, RowY(0) + 2, 200, 20}, fraframe1);
  txtdrg =
      Input(fraframe1, "Label30", "Drag (lbf) @            Mach 1", "txtdrg", "42000", 1, 190, 80);
  txtneng = Input(fraframe1, "Label29", "No. engines", "txtneng", "2", 2, 190, 80);

  // Results.
  const int resY = guessY + FrameH(2) + 12;
  Fracompo = AddFrame("Fracompo", "", {10, resY, 200, FrameH(4)});
  txtn2a = Output(Fracompo, "Label51", "Nc2 (rpm)=", "txtn2a", 8, 0, 96);
  txtm2 = Output(Fracompo, "Label52", "mc2 (lbm/s)=", "txtm2", 8, 1, 96);
  txtppc = Output(Fracompo, "Label50", "pic=", "txtppc", 8, 2, 96);
  txtetc = Output(Fracompo, "Label53", "etac=", "txtetc", 8, 3, 96);

  fraturbo = AddFrame("fraturbo", "", {220, resY, 400, FrameH(4)});
  txtm3 = Output(fraturbo, "Label64", "mc3 (lbm/s)=", "txtm3", 8, 0, 96);
  txtppb = Output(fraturbo, "Label65", "pib=", "txtppb", 8, 1, 96);
  txtetb = Output(fraturbo, "Label66", "etab=", "txtetb", 8, 2, 96);
  Txtt4 = Output(fraturbo, "Label62", "Tt4 (R)=", "Txtt4", 8, 3, 96);
  txtn4 = Output(fraturbo, "Label56", "Nc4 (rpm)=", "txtn4", 204, 0, 96);
  txtm4 = Output(fraturbo, "Label55", "mc4 (lbm/s)=", "txtm4", 204, 1, 96);
  txtppt = Output(fraturbo, "Label57", "pit=", "txtppt", 204, 2, 96);
  txtett = Output(fraturbo, "Label54", "etat=", "txtett", 204, 3, 96);

  Franoz = AddFrame("Franoz", "", {630, resY, 200, FrameH(3)});
  txtmex = Output(Franoz, "Label70", "M8=", "txtmex", 8, 0, 96);
  txtm5 = Output(Franoz, "Label68", "mc5 (lbm/s)=", "txtm5", 8, 1, 96);
  txtetn = Output(Franoz, "Label67", "etan=", "txtetn", 8, 2, 96);

  Framach = AddFrame("Framach", "", {630, resY + FrameH(3) + 6, 200, FrameH(1)});
  txtmacho = Output(Framach, "Label63", "Mach no.=", "txtmacho", 8, 0, 96);

  Frathrust = AddFrame("Frathrust", "", {840, resY, 260, FrameH(5)});
  txtfdm = Output(Frathrust, "Label34", "Thrust (lbf) =", "txtfdm", 8, 0, 150);
  txttnd = Output(Frathrust, "Label35", "ND-Thrust =", "txttnd", 8, 1, 150);
  txttsfc = Output(Frathrust, "Label36", "TSFC (lbm/lbf-hr) =", "txttsfc", 8, 2, 150);
  Txtmen = Output(Frathrust, "Label60", "m (lbm/s)=", "Txtmen", 8, 3, 150);
  TxtNEN = Output(Frathrust, "Label61", "N (rpm)=", "TxtNEN", 8, 4, 150);

  // Messages and buttons.
  const int lowY = resY + FrameH(5) + 10;
  Fraconv = AddFrame("Fraconv", "", {10, lowY, 300, 34}, nullptr, false);
  AddLabel("Label69", "Did not converge!!!", {8, 8, 280, 20}, Fraconv, Look::Warning);
  frasurge = AddFrame("frasurge", "", {320, lowY, 300, 34}, nullptr, false);
  AddLabel("Label58", "Compressor has surged!!!!!", {8, 8, 280, 20}, frasurge, Look::Warning);

  cmdCalculate =
      AddButton("cmdCalculate", "Calculate", {630, lowY, 120, 34}, nullptr, Look::Compute);
  Command1 = AddButton("Command1", "Print file of maps?", {760, lowY, 190, 34});
  cmdEnd = AddButton("cmdEnd", "Done!", {960, lowY, 140, 34});

  lstge->Click = [this] { lstge_Click(); };
  cmdCalculate->Click = [this] { cmdCalculate_Click(); };
  Command1->Click = [this] { Command1_Click(); };
  cmdEnd->Click = [this] { cmdEnd_Click(); };
}

void Form1::Form_Load() {
  lstntyp->setText("cd1");
  lstge->setText("e");
}

void Form1::lstge_Click() { ShowModeFrames(); }

void Form1::ShowModeFrames() {
  const std::string& m = lstge->text();
  const bool g = m == "g", e = m == "e", fr = m == "f";
  fragg->setVisible(g);
  fraTJ1->setVisible(e || fr);
  fraTJ2->setVisible(e);
  fraframe2->setVisible(fr);
  fraframe1->setVisible(fr);
  fraInNoz->setVisible(e || fr);
  Franoz->setVisible(e || fr);
  Frathrust->setVisible(e || fr);
  Framach->setVisible(fr);
  Fraconv->setVisible(false);
  frasurge->setVisible(false);
}

// The map boxes as read for the matching (mu a Single) or for the print
// file (mu a Double).
maps::MapBoxes Form1::MapBoxes(maps::Precision mu) const {
  constexpr maps::Precision S = maps::Precision::Single, D = maps::Precision::Double;
  return {{txtc1, S},   {txtc2, S},   {txtc3, S},    {txtc4, S},    {txtc5, S},    {txtnc2d, D},
          {txtetacd, D}, {txtmu, mu},  {txtb1, S},    {txtb2, S},    {txth, S},     {txtetabd, D},
          {txtpitc, S},  {txtk1, S},   {txtk2, S},    {txtmc4c, D},  {txtNc4d, S},  {txtetatd, D}};
}

JetInputs Form1::Inputs() const {
  auto single = [this](const core::TextBox* box) { return maps::ReadSingle(*this, box); };
  auto wide = [this](const core::TextBox* box) {
    return maps::Read(*this, {box, maps::Precision::Double});
  };
  const std::string& mode = lstge->text();
  JetInputs in;
  in.mode = mode == "g" ? Mode::GasGenerator : mode == "f" ? Mode::Airframe : Mode::Engine;
  const maps::MapInputs m = maps::ReadMaps(*this, MapBoxes(maps::Precision::Single));
  in.comp = m.comp;
  in.burn = m.burn;
  in.turb = m.turb;
  in.s1 = single(txts1);
  in.s2 = single(txts2);
  in.f = single(txtf);
  in.pidd = single(txtpidd);
  in.mn = single(txtmn);
  in.a = single(txta);
  in.etand = wide(txtetand);
  in.nozzle = lstntyp->text();
  in.tt2 = wide(txttt2);
  in.p0 = single(txtp0);
  in.t0 = single(txtT0);
  in.d1 = wide(txtdrg);
  in.engines = single(txtneng);
  in.nc2 = single(mode == "g" ? txtn2i : mode == "f" ? txtn22 : txtn2);
  in.m0 = single(mode == "f" ? txtmach2 : txtmach);
  return in;
}

std::vector<std::string> Form1::ChartNames() const { return maps::MatchChartNames(); }

core::ChartData Form1::Chart(const std::string& name) const {
  return maps::MatchChart(*this, name, maps::ReadMaps(*this, MapBoxes(maps::Precision::Single)),
                          last_);
}

void Form1::cmdCalculate_Click() {
  last_.reset();
  const JetInputs in = Inputs();
  ShowModeFrames();
  const JetResult r = MatchJet(in);
  nc2 = r.converged ? r.nc2 : 0;
  m0 = r.converged ? r.m0 : 0;
  if (!r.converged) Fraconv->setVisible(true);
  if (r.converged && r.surged) frasurge->setVisible(true);
  WriteResults(r);
  if (r.converged)
    last_ = maps::MatchedMaps{in.comp, in.turb, r.mc2, r.pic, r.nc2, r.pit, r.mc4, r.nc4, r.surged};
}

void Form1::WriteResults(const JetResult& r) {
  txtfdm->setText(FormatPattern(r.thrust, "##,###"));
  txttsfc->setText(FormatPattern(r.tsfc, "##,###0.000"));
  txttnd->setText(FormatPattern(r.ndThrust, "##,###0.000"));
  txtm2->setText(FormatPattern(r.mc2, "##,###0.0"));
  txtn2a->setText(FormatPattern(nc2, "##,###"));
  txtppc->setText(FormatPattern(r.pic, "##,###0.00"));
  txtetc->setText(FormatPattern(r.etac, "##,###0.000"));
  txtm4->setText(FormatPattern(r.mc4, "##,###0.0"));
  txtppb->setText(FormatPattern(r.pib, "##,###0.000"));
  txtetb->setText(FormatPattern(r.etab, "##,###0.000"));
  txtm3->setText(FormatPattern(r.mc3, "##,###0.0"));
  txtn4->setText(FormatPattern(r.nc4, "##,###"));
  txtppt->setText(FormatPattern(r.pit, "##,###0.000"));
  txtett->setText(FormatPattern(r.etat, "##,###0.000"));
  txtmex->setText(FormatPattern(r.m8, "##,###0.000"));
  txtetn->setText(FormatPattern(r.etan, "##,###0.000"));
  txtm5->setText(FormatPattern(r.mc5, "##,###0.0"));
  Txtmen->setText(FormatPattern(r.m, "##,###0.0"));
  TxtNEN->setText(FormatPattern(r.n, "##,###"));
  Txtt4->setText(FormatPattern(r.tt4, "##,###"));
  txtmacho->setText(FormatPattern(m0, "##,###0.000"));
}

void Form1::Command1_Click() {
  if (counter == std::numeric_limits<short>::max())
    throw core::Failure("No more print files in this run: the file counter is full");
  ++counter;
  auto single = [this](const core::TextBox* box) { return maps::ReadSingle(*this, box); };
  auto wide = [this](const core::TextBox* box) {
    return maps::Read(*this, {box, maps::Precision::Double});
  };
  JetPrintInputs p;
  const maps::MapInputs m = maps::ReadMaps(*this, MapBoxes(maps::Precision::Double));
  p.core.comp = m.comp;
  p.core.burn = m.burn;
  p.core.turb = m.turb;
  p.core.s1 = single(txts1);
  p.core.s2 = single(txts2);
  p.core.nc4dSingle = true;
  p.core.nc2dSingle = false;
  p.core.etamSingle = false;
  const std::string& mode = lstge->text();
  p.mode = mode == "g" ? Mode::GasGenerator : mode == "f" ? Mode::Airframe : Mode::Engine;
  p.nozzle = lstntyp->text();
  p.pidd = single(txtpidd);
  p.mn = single(txtmn);
  p.a = single(txta);
  p.etand = wide(txtetand);
  p.d1 = wide(txtdrg);
  p.engines = single(txtneng);
  WritePrintFile(core::PrintFileName(kPrintBase, counter), JetMapLines(p));
}

void Form1::cmdEnd_Click() { End(); }

}  // namespace thrustfit
