#include "thrustfit/thrustfit_window.h"

#include "core/boxes.h"
#include "core/numtext.h"
#include "thrustfit/jet_print.h"

namespace thrustfit {
namespace {

using core::FormatPattern;
using core::Look;

constexpr int kWidth = 1110;
constexpr int kHeight = 700;
using engine_maps::FrameH;
using engine_maps::InputBox;
using engine_maps::ResultBox;
using engine_maps::RowY;

// The map frames, with this window's defaults: Nc2d read as a Double, Nc4d
// as a Single.
const engine_maps::MapLayout kMaps{
    116, 160, 220, 70, "txtnc2d", false, true, {"0.08",  "0.02",  "0.80", "0.00001", "2.0",
                                                "10000", "0.88",  "0.10", "1.865",   "0.91",
                                                "0.0",   "18000", "0.28", "35",      "4000",
                                                "0.90",  "1.00",  "0.20", "0.0",     "0.0"}};

}  // namespace

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

  // Compressor, burner (first column), turbine and shaft (second column).
  maps_ = core::AddDescribedFrames(*this, engine_maps::MapFrames(kMaps));

  const int shaftY = 116 + FrameH(6) + 8;
  fraover = AddFrame("fraover", "", {270, shaftY + FrameH(2) + 8, 220, FrameH(2)});
  AddLabel("Label33", "Overall", {8, RowY(0) + 2, 200, 20}, fraover);
  txtf =
      core::AddDescribed(*this, {InputBox("Label31", "f", "txtf", "0.02", 1, 120, 70)}, fraover)[0];

  // Inlet and nozzle: third column.
  fraInNoz = AddFrame("fraInNoz", "", {500, 116, 600, FrameH(8)});
  AddLabel("Label22", "Inlet", {8, RowY(0) + 2, 200, 20}, fraInNoz);
  txtpidd = core::AddDescribed(*this, {InputBox("Label20", "pidd", "txtpidd", "1.0", 1, 120, 70)},
                               fraInNoz)[0];
  AddLabel("Label21", "Nozzle", {8, RowY(2) + 6, 200, 20}, fraInNoz);
  AddLabel("Label24", "Nozzle type (c=fixed converg.", {8, RowY(3) + 4, 380, 20}, fraInNoz);
  AddLabel("Label59", "cd1=variable-fixed throat cd2=variable-fixed exit)",
           {8, RowY(4) + 0, 390, 20}, fraInNoz);
  lstntyp = AddList("lstntyp", {"c", "cd1", "cd2"}, {330, RowY(2) + 4, 70, 60}, fraInNoz);
  core::AddDescribed(*this,
                     {InputBox("Label25", "mn (lbm/s)", "txtmn", "194.22", 5, 120, 70),
                      InputBox("Label26", "eatnd", "txtetand", "0.98", 6, 120, 70),
                      InputBox("Label27", "a", "txta", "0.0", 7, 120, 70)},
                     fraInNoz)
      .Into({&txtmn, &txtetand, &txta});

  // The inputs of one analysis mode at a time.
  const int modeY = 116 + FrameH(8) + 8;
  const int guessY = modeY + FrameH(2) + 8;
  auto in = [](const char* label, const char* caption, const char* box, const char* text, int row) {
    return InputBox(label, caption, box, text, row, 200, 70);
  };
  core::AddDescribedFrames(
      *this,
      std::vector<engine_maps::FrameDesc>{
          {"fragg",
           {500, modeY, 290, FrameH(2)},
           {in("Label46", "Tt2 (R)", "txttt2", "520", 0),
            in("Label45", "Nc2 (rpm)", "txtn2i", "10000", 1)}},
          {"fraTJ1",
           {500, modeY, 290, FrameH(2)},
           {in("Label3", "Atmospheric pressure (psia)", "txtp0", "14.69", 0),
            in("Label4", "Atmospheric temperature (R)", "txtT0", "520", 1)}},
          {"fraTJ2",
           {500, guessY, 290, FrameH(2)},
           {in("Label32", "Mach number", "txtmach", "0.50", 0),
            in("Label47", "Initial guess on Nc2 (rpm)", "txtn2", "10000", 1)}},
          {"fraframe2",
           {500, guessY, 290, FrameH(2)},
           {in("Label48", "Initial guess on Mach number", "txtmach2", "0.90", 0),
            in("Label49", "Initial guess on Nc2 (rpm)", "txtn22", "10000", 1)}}})
      .Into({&txttt2, &txtn2i, &txtp0, &txtT0, &txtmach, &txtn2, &txtmach2, &txtn22});
  fragg = core::FrameNamed(*this, "fragg");
  fraTJ1 = core::FrameNamed(*this, "fraTJ1");
  fraTJ2 = core::FrameNamed(*this, "fraTJ2");
  fraframe2 = core::FrameNamed(*this, "fraframe2");

  fraframe1 = AddFrame("fraframe1", "", {800, modeY, 300, FrameH(3)});
  AddLabel("Label28", "Airframe", {8, RowY(0) + 2, 200, 20}, fraframe1);
  core::AddDescribed(
      *this,
      {InputBox("Label30", "Drag (lbf) @            Mach 1", "txtdrg", "42000", 1, 190, 80),
       InputBox("Label29", "No. engines", "txtneng", "2", 2, 190, 80)},
      fraframe1)
      .Into({&txtdrg, &txtneng});

  // Results.
  const int resY = guessY + FrameH(2) + 12;
  auto out = [](const char* label, const char* caption, const char* box, int x, int row,
                int labelWidth = 96) { return ResultBox(label, caption, box, x, row, labelWidth); };
  core::AddDescribedFrames(
      *this,
      std::vector<engine_maps::FrameDesc>{
          {"Fracompo",
           {10, resY, 200, FrameH(4)},
           {out("Label51", "Nc2 (rpm)=", "txtn2a", 8, 0),
            out("Label52", "mc2 (lbm/s)=", "txtm2", 8, 1), out("Label50", "pic=", "txtppc", 8, 2),
            out("Label53", "etac=", "txtetc", 8, 3)}},
          {"fraturbo",
           {220, resY, 400, FrameH(4)},
           {out("Label64", "mc3 (lbm/s)=", "txtm3", 8, 0), out("Label65", "pib=", "txtppb", 8, 1),
            out("Label66", "etab=", "txtetb", 8, 2), out("Label62", "Tt4 (R)=", "Txtt4", 8, 3),
            out("Label56", "Nc4 (rpm)=", "txtn4", 204, 0),
            out("Label55", "mc4 (lbm/s)=", "txtm4", 204, 1),
            out("Label57", "pit=", "txtppt", 204, 2), out("Label54", "etat=", "txtett", 204, 3)}},
          {"Franoz",
           {630, resY, 200, FrameH(3)},
           {out("Label70", "M8=", "txtmex", 8, 0), out("Label68", "mc5 (lbm/s)=", "txtm5", 8, 1),
            out("Label67", "etan=", "txtetn", 8, 2)}},
          {"Framach",
           {630, resY + FrameH(3) + 6, 200, FrameH(1)},
           {out("Label63", "Mach no.=", "txtmacho", 8, 0)}},
          {"Frathrust",
           {840, resY, 260, FrameH(5)},
           {out("Label34", "Thrust (lbf) =", "txtfdm", 8, 0, 150),
            out("Label35", "ND-Thrust =", "txttnd", 8, 1, 150),
            out("Label36", "TSFC (lbm/lbf-hr) =", "txttsfc", 8, 2, 150),
            out("Label60", "m (lbm/s)=", "Txtmen", 8, 3, 150),
            out("Label61", "N (rpm)=", "TxtNEN", 8, 4, 150)}}});
  Franoz = core::FrameNamed(*this, "Franoz");
  Framach = core::FrameNamed(*this, "Framach");
  Frathrust = core::FrameNamed(*this, "Frathrust");

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

  // The window reads and shows these in either system; the map print file
  // stays in US customary units.
  using core::Quantity;
  for (const char* name : {"txttt2", "txtT0", "Txtt4"}) Measure(name, Quantity::Temperature);
  Measure("txtp0", Quantity::Pressure);
  for (const char* name : {"txtdrg", "txtfdm"}) Measure(name, Quantity::Force);
  Measure("txttsfc", Quantity::Tsfc);
  for (const char* name : {"txtmn", "txtm2", "txtm3", "txtm4", "txtm5"})
    Measure(name, Quantity::CorrectedFlow);
  Measure("Txtmen", Quantity::MassFlow);
  for (const auto& [box, quantity] : engine_maps::MapBoxQuantities()) Measure(box, quantity);
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

// The maps as the boxes give them: mu a Single for the matching, as typed
// for the print file.
engine_maps::MapInputs Form1::Maps(core::Precision mu) const {
  return engine_maps::MapsOf(maps_.Values(*this),
                             core::Read(*this, maps_[engine_maps::kMuBox], mu));
}

JetInputs Form1::Inputs() const {
  auto single = [this](const core::TextBox* box) { return core::ReadSingle(*this, box); };
  auto wide = [this](const core::TextBox* box) {
    return core::Read(*this, box, core::Precision::Double);
  };
  const std::string& mode = lstge->text();
  JetInputs in;
  in.mode = mode == "g" ? Mode::GasGenerator : mode == "f" ? Mode::Airframe : Mode::Engine;
  engine_maps::SetMaps(in, Maps(core::Precision::Single));
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

std::vector<std::string> Form1::ChartNames() const { return engine_maps::MatchChartNames(); }

core::ChartData Form1::Chart(const std::string& name) const {
  if (!engine_maps::IsMatchChart(name)) return Form::Chart(name);
  return engine_maps::MatchChart(
      name, [this] { return Maps(core::Precision::Single); }, last_, core::ShownTexts(*this),
      core::SweepLine(lastSweep(), engine_maps::kFlowBox, engine_maps::kRatioBox));
}

void Form1::cmdCalculate_Click() {
  // A box that does not read leaves no results of earlier inputs beside
  // its message.
  Writes(core::ResultBoxes(*this));
  last_.reset();
  const JetInputs in = Inputs();
  ShowModeFrames();
  const JetResult r = MatchJet(in);
  nc2 = r.converged ? r.nc2 : 0;
  m0 = r.converged ? r.m0 : 0;
  if (!r.converged) Fraconv->setVisible(true);
  if (r.converged && r.surged) frasurge->setVisible(true);
  WriteResults(r);
  if (r.converged) last_ = engine_maps::MatchedOf(in, r);
}

void Form1::WriteResults(const JetResult& r) {
  const std::tuple<const char*, std::string, double> shown[] = {
      {"txtfdm", FormatPattern(r.thrust, "##,###"), r.thrust},
      {"txttsfc", FormatPattern(r.tsfc, "##,###0.000"), r.tsfc},
      {"txttnd", FormatPattern(r.ndThrust, "##,###0.000"), r.ndThrust},
      {"txtm2", FormatPattern(r.mc2, "##,###0.0"), r.mc2},
      {"txtn2a", FormatPattern(nc2, "##,###"), nc2},
      {"txtppc", FormatPattern(r.pic, "##,###0.00"), r.pic},
      {"txtetc", FormatPattern(r.etac, "##,###0.000"), r.etac},
      {"txtm4", FormatPattern(r.mc4, "##,###0.0"), r.mc4},
      {"txtppb", FormatPattern(r.pib, "##,###0.000"), r.pib},
      {"txtetb", FormatPattern(r.etab, "##,###0.000"), r.etab},
      {"txtm3", FormatPattern(r.mc3, "##,###0.0"), r.mc3},
      {"txtn4", FormatPattern(r.nc4, "##,###"), r.nc4},
      {"txtppt", FormatPattern(r.pit, "##,###0.000"), r.pit},
      {"txtett", FormatPattern(r.etat, "##,###0.000"), r.etat},
      {"txtmex", FormatPattern(r.m8, "##,###0.000"), r.m8},
      {"txtetn", FormatPattern(r.etan, "##,###0.000"), r.etan},
      {"txtm5", FormatPattern(r.mc5, "##,###0.0"), r.mc5},
      {"Txtmen", FormatPattern(r.m, "##,###0.0"), r.m},
      {"TxtNEN", FormatPattern(r.n, "##,###"), r.n},
      {"Txtt4", FormatPattern(r.tt4, "##,###"), r.tt4},
      {"txtmacho", FormatPattern(m0, "##,###0.000"), m0},
  };
  for (const auto& [box, text, value] : shown) core::BoxNamed(*this, box)->setText(text, value);
}

void Form1::Command1_Click() {
  auto single = [this](const core::TextBox* box) { return core::ReadSingle(*this, box); };
  auto wide = [this](const core::TextBox* box) {
    return core::Read(*this, box, core::Precision::Double);
  };
  JetPrintInputs p;
  engine_maps::SetMaps(p.core, Maps(core::Precision::Double));
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
  WriteNumberedPrintFile(kPrintBase, counter, JetMapLines(p));
}

void Form1::cmdEnd_Click() { End(); }

}  // namespace thrustfit
