#include "shaftfit/shaftfit_window.h"

#include "core/boxes.h"
#include "core/numtext.h"
#include "shaftfit/gt_print.h"

namespace shaftfit {
namespace {

using core::FormatPattern;
using core::Look;

constexpr int kWidth = 1110;
constexpr int kHeight = 680;
namespace em = engine_maps;

// The map frames, with this window's defaults: Nc2d read as a Single, Nc4d
// as a Double.
const em::MapLayout kMaps{
    50, 150, 230, 80, "txtn2d", true, false, {"0.1339", "0.0154632", "0.90", "0.00001", "10.0",
                                              "9000",   "0.88",      "0.04", "2.77",    "0.91",
                                              "0.0",    "18000",     "0.07", "20",      "4300",
                                              "0.92",   "0.2",       "0.1",  "0.005",   "0.0"}};

}  // namespace

Form1::Form1()
    : Form(core::Caption("Power Generation Gas Turbine Matching Analysis", 13), kWidth, kHeight) {
  core::Label* title = AddLabel("Label37", "Power Generation GT Matching Analysis",
                                 {0, 4, kWidth, 34}, nullptr, Look::Title);
  title->points = 18;

  maps_ = core::AddDescribedFrames(*this, engine_maps::MapFrames(kMaps));
  txtc2 = maps_[1];
  txtc3 = maps_[2];
  txtn2d = maps_[5];

  const int shaftY = 50 + em::FrameH(6) + 8;
  core::Frame* fraover =
      AddFrame("fraover", "", {270, shaftY + em::FrameH(2) + 8, 230, em::FrameH(2)});
  AddLabel("Label33", "Overall", {8, em::RowY(0) + 2, 200, 20}, fraover);
  txtf = core::AddDescribed(*this, {em::InputBox("Label31", "f", "txtf", "0.02", 1, 120, 80)},
                            fraover)[0];

  core::Frame* fraInNoz = AddFrame("fraInNoz", "", {510, 50, 300, em::FrameH(4)});
  AddLabel("Label22", "Inlet", {8, em::RowY(0) + 2, 200, 20}, fraInNoz);
  txtd = core::AddDescribed(
      *this, {em::InputBox("Label20", "z1 (1/(lbm/s)^2)", "txtd", "0.000001", 1, 150, 100)},
      fraInNoz)[0];
  AddLabel("Label21", "Exhaust", {8, em::RowY(2) + 2, 200, 20}, fraInNoz);
  txta = core::AddDescribed(
      *this, {em::InputBox("Label27", "z2 (1/(lbm/s)^2)", "txta", "0.0000005", 3, 150, 100)},
      fraInNoz)[0];

  core::Frame* Frame1 = AddFrame("Frame1", "", {510, 50 + em::FrameH(4) + 8, 300, em::FrameH(3)});
  AddLabel("Label25", "Load", {8, em::RowY(0) + 2, 200, 20}, Frame1);
  core::AddDescribed(
      *this,
      {em::InputBox("Label26", "z3 (HP/rpm^z4)", "txtr1", "0.00000003253", 1, 150, 100),
       em::InputBox("Label24", "z4", "txtr2", "3.0", 2, 150, 100)},
      Frame1)
      .Into({&txtr1, &txtr2});

  const int ambientY = 50 + em::FrameH(4) + 8 + em::FrameH(3) + 8;
  core::Frame* fraTJ1 = AddFrame("fraTJ1", "", {510, ambientY, 300, em::FrameH(2)});
  core::AddDescribed(
      *this,
      {em::InputBox("Label3", "Atmospheric pressure (psia)", "txtp0", "14.69", 0, 200, 80),
       em::InputBox("Label4", "Atmospheric temperature (R)", "txtT0", "520", 1, 200, 80)},
      fraTJ1)
      .Into({&txtp0, &txtT0});

  // The regenerator and what only it needs.
  AddLabel("Label28", "Regenerator?", {830, 62, 110, 20});
  lstIRG = AddList("lstIRG", {"n", "y"}, {950, 52, 60, 44});
  auto in = [](const char* label, const char* caption, const char* box, const char* text, int row) {
    return em::InputBox(label, caption, box, text, row, 170, 80);
  };
  core::AddDescribedFrames(
      *this,
      std::vector<em::FrameDesc>{
          {"frarg2",
           {820, 104, 280, em::FrameH(1)},
           {in("Label29", "Effectiveness", "txtetrg", "0.75", 0)}},
          {"frarg",
           {820, 104 + em::FrameH(1) + 8, 280, em::FrameH(2)},
           {in("Label45", "b 3-3x (1/(lbm/s)^2)", "txtpirg3", "0.00005", 0),
            in("Label32", "b 5-5x (1/(lbm/s)^2)", "txtpirg5", "0.0000002", 1)}},
          {"Fraburn2",
           {820, 104 + em::FrameH(1) + em::FrameH(2) + 16, 280, em::FrameH(1)},
           {in("Label47", "Initial guess on Tt5 (R)", "Txtt5", "1350", 0)}}})
      .Into({&txtetrg, &txtpirg3, &txtpirg5, &Txtt5});
  frarg2 = core::FrameNamed(*this, "frarg2");
  frarg = core::FrameNamed(*this, "frarg");
  Fraburn2 = core::FrameNamed(*this, "Fraburn2");

  const int guessY = ambientY + em::FrameH(2) + 8;
  core::Frame* fraframe2 = AddFrame("fraframe2", "", {510, guessY, 590, em::FrameH(2)});
  core::AddDescribed(
      *this,
      {em::InputBox("Label49", "Initial guess on Nc2 (rpm)", "txtn2", "", 0, 440, 80),
       em::InputBox("Label48", "Initial guess on corrected mass flow rate @ 1 (lbm/s)", "txtm1in",
                    "", 1, 440, 80)},
      fraframe2)
      .Into({&txtn2, &txtm1in});

  // Results.
  const int resY = guessY + em::FrameH(2) + 10;
  auto out = [](const char* label, const char* caption, const char* box, int x, int row,
                int labelWidth = 100) {
    return em::ResultBox(label, caption, box, x, row, labelWidth);
  };
  core::AddDescribedFrames(
      *this,
      std::vector<em::FrameDesc>{
          {"Fracompo",
           {10, resY, 210, em::FrameH(5)},
           {out("Label1", "mc1 (lbm/s)=", "txtm1", 8, 0),
            out("Label52", "mc2 (lbm/s)=", "txtm2", 8, 1),
            out("Label51", "Nc2 (rpm)=", "txtn2a", 8, 2), out("Label50", "pic=", "txtppc", 8, 3),
            out("Label53", "etac=", "txtetc", 8, 4)}},
          {"fraturbo",
           {230, resY, 410, em::FrameH(5)},
           {out("Label66", "mc3 (lbm/s)=", "Txtm3", 8, 0),
            out("Label64", "Tt3 (R)=", "Txtt3", 8, 1), out("Label62", "Tt4 (R)=", "Txtt4", 8, 2),
            out("Label55", "mc4 (lbm/s)=", "txtm4", 8, 3),
            out("Label56", "Nc4 (rpm)=", "txtn4", 8, 4), out("Label57", "pit=", "txtppt", 210, 0),
            out("Label54", "etat=", "txtett", 210, 1), out("Label46", "Tt5 (R)=", "Txtt5o", 210, 2),
            out("Label65", "mc5 (lbm/s)=", "Txtm5", 210, 3)}},
          {"Frathrust",
           {650, resY, 270, em::FrameH(5)},
           {out("Label34", "Net Power (hp) =", "txtpower", 8, 0, 160),
            out("Label35", "Efficiency =", "txtefth", 8, 1, 160),
            out("Label36", "SFC (lbm/HP-hr) =", "txtsfc", 8, 2, 160),
            out("Label60", "m (lbm/s)=", "Txtmen", 8, 3, 160),
            out("Label61", "N (rpm)=", "TxtNEN", 8, 4, 160)}}});
  txtppt = core::BoxNamed(*this, "txtppt");

  cmdCalculate =
      AddButton("cmdCalculate", "Calculate", {935, resY + 8, 165, 36}, nullptr, Look::Compute);
  Command1 = AddButton("Command1", "Print File of Maps?", {935, resY + 56, 165, 36});
  cmdEnd = AddButton("cmdEnd", "Done!", {935, resY + 104, 165, 36});

  const int lowY = resY + em::FrameH(5) + 8;
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

  // The window reads and shows these in either system; the map print file
  // stays in US customary units.
  using core::Quantity;
  for (const char* name : {"txtT0", "Txtt5", "Txtt3", "Txtt4", "Txtt5o"})
    Measure(name, Quantity::Temperature);
  Measure("txtp0", Quantity::Pressure);
  for (const char* name : {"txtm1in", "txtm1", "txtm2", "Txtm3", "txtm4", "Txtm5"})
    Measure(name, Quantity::CorrectedFlow);
  Measure("Txtmen", Quantity::MassFlow);
  for (const auto& [box, quantity] : engine_maps::MapBoxQuantities()) Measure(box, quantity);
  Measure("txtd", Quantity::PerFlowSquared);
  Measure("txta", Quantity::PerFlowSquared);
  Measure("txtr1", Quantity::PowerPerSpeedPower);
  for (const char* name : {"txtpirg3", "txtpirg5"}) Measure(name, Quantity::PerFlowSquared);

  Measure("txtpower", Quantity::Power, "hp");
  Measure("txtsfc", Quantity::PowerSfc);
}

void Form1::Form_Load() { SetStartGuesses(); }

// The maps as typed, and the last match while they have not changed since.
core::ChartData Form1::Chart(const std::string& name) const {
  if (!engine_maps::IsMatchChart(name)) return Form::Chart(name);
  return engine_maps::MatchChart(
      name, [this] { return Maps(core::Precision::Single); }, last_, core::ShownTexts(*this),
      core::SweepLine(lastSweep(), engine_maps::kFlowBox, engine_maps::kRatioBox));
}

std::vector<std::string> Form1::ChartNames() const { return engine_maps::MatchChartNames(); }

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
  const float c2 = core::ReadSingle(*this, txtc2);
  const float c3 = core::ReadSingle(*this, txtc3);
  float nc2 = core::ReadSingle(*this, txtn2d);
  if (lstIRG->text() == "y") nc2 = static_cast<float>(nc2 + 300.0);
  const float mc1 = static_cast<float>(static_cast<double>(nc2) * c2 * (static_cast<double>(c3) + 1) / 2);
  txtn2->setText(FormatPattern(nc2, "#0"));
  txtm1in->setText(FormatPattern(mc1, "#0.0"), mc1);
  ShowRegenFrames();
}

void Form1::ShowRegenFrames() {
  for (core::Frame* fr : {frarg, frarg2, Fraburn2, fraregen, Fraconv}) fr->setVisible(false);
  if (lstIRG->text() == "y")
    for (core::Frame* fr : {frarg, frarg2, Fraburn2}) fr->setVisible(true);
}

// mu is read as a Single for the matching and as typed for the print file.
engine_maps::MapInputs Form1::Maps(core::Precision mu) const {
  return engine_maps::MapsOf(maps_.Values(*this),
                             core::Read(*this, maps_[engine_maps::kMuBox], mu));
}

void Form1::cmdCalculate_Click() {
  // A box that does not read leaves no results of earlier inputs beside
  // its message.
  Writes(core::ResultBoxes(*this));
  last_.reset();
  auto single = [this](const core::TextBox* box) { return core::ReadSingle(*this, box); };
  ShowRegenFrames();
  frasurge->setVisible(false);

  GtInputs in;
  engine_maps::SetMaps(in, Maps(core::Precision::Single));
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
  if (r.converged) last_ = engine_maps::MatchedOf(in, r);
}

void Form1::WriteResults(const GtResult& r) {
  const std::tuple<const char*, std::string, double> shown[] = {
      {"txtm1", FormatPattern(r.mc1, "##,###0.0"), r.mc1},
      {"txtm2", FormatPattern(r.mc2, "##,###0.0"), r.mc2},
      {"txtn2a", FormatPattern(nc2, "##,###"), nc2},
      {"txtppc", FormatPattern(r.pic, "##,###0.00"), r.pic},
      {"txtetc", FormatPattern(r.etac, "##,###0.000"), r.etac},
      {"txtm4", FormatPattern(r.mc4, "##,###0.0"), r.mc4},
      {"txtn4", FormatPattern(r.nc4, "##,###"), r.nc4},
      {"txtppt", FormatPattern(r.pit, "##,###0.000"), r.pit},
      {"txtett", FormatPattern(r.etat, "##,###0.000"), r.etat},
      {"Txtmen", FormatPattern(r.m, "##,###0.0"), r.m},
      {"TxtNEN", FormatPattern(r.n, "##,###"), r.n},
      {"Txtt4", FormatPattern(r.tt4, "##,###"), r.tt4},
      {"Txtt3", FormatPattern(r.tt3, "##,###"), r.tt3},
      {"txtpower", FormatPattern(r.power, "##,###"), r.power},
      {"txtefth", FormatPattern(r.efficiency, "##,###0.000"), r.efficiency},
      {"txtsfc", FormatPattern(r.sfc, "##,###0.000"), r.sfc},
      {"Txtt5o", FormatPattern(tt5, "##,###"), tt5},
      {"Txtm3", FormatPattern(r.mc3, "##,###0.0"), r.mc3},
      {"Txtm5", FormatPattern(r.mc5, "##,###0.0"), r.mc5},
  };
  for (const auto& [box, text, value] : shown) core::BoxNamed(*this, box)->setText(text, value);
}

void Form1::Command1_Click() {
  auto single = [this](const core::TextBox* box) { return core::ReadSingle(*this, box); };
  GtPrintInputs p;
  engine_maps::SetMaps(p.core, Maps(core::Precision::Double));
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
  WriteNumberedPrintFile(kPrintBase, counter, GtMapLines(p));
}

void Form1::cmdEnd_Click() { End(); }

}  // namespace shaftfit
