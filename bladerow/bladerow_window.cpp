#include "bladerow/bladerow_window.h"

#include <exception>
#include <string>

#include "bladerow/velocity_chart.h"
#include "core/boxes.h"
#include "core/numtext.h"

namespace bladerow {

namespace {

constexpr int kRow = 30;
constexpr int kInputLabel = 244, kInputBox = 72;
constexpr int kOutputLabel = 214, kOutputBox = 84;

// An input box right of its caption, which names it in messages.
core::BoxRow In(const char* label, const char* caption, const char* box, const char* text, int y,
                int labelHeight = 20) {
  return core::RowBeside(label, caption, box, text, {10, y + 3, kInputLabel, labelHeight},
                         {4, 3, kInputBox, 24}, caption);
}

// A result box right of its caption.
core::BoxRow Out(const char* label, const char* caption, const char* box, int y) {
  return core::ResultBeside(label, caption, box, {10, y + 3, kOutputLabel, 20},
                            {4, 3, kOutputBox, 24});
}

}  // namespace

Bladerow::Bladerow() : Form(core::Caption("Turbomachinery Analysis", 22), 1040, 474) {
  AddLabel("Label37", "2-D Mean Line Turbomachinery Analysis", {0, 8, 1040, 40}, nullptr,
           core::Look::Title);
  lsttype = AddList("lsttype",
                    {"axial compressor", "radial compressor", "axial turbine",
                     "radial inflow turbine"},
                    {12, 60, 200, 76});

  // Inlet state, flow, speed, efficiency and gas.
  frapt = AddFrame("frapt", "", {12, 146, 334, 224});
  core::AddBoxes(*this,
                 {In("lblp1", "Inlet pressure (psia)", "txtp1", "272", 18),
                  In("lblT1", "Inlet temperature (R)", "txtT1", "1310", 18 + kRow),
                  In("lblm", "Air flow rate (lbm/s)", "txtm", "280", 18 + 2 * kRow),
                  In("lblom", "Rotational Speed (rpm)", "txtom", "8000", 18 + 3 * kRow),
                  In("lble", "Efficiency", "txte", "0.9", 18 + 4 * kRow)},
                 frapt)
      .Into({&txtp1, &txtT1, &txtm, &txtom, &txte});
  AddLabel("lblgas", "Gas", {10, 18 + 5 * kRow + 12, kInputLabel, 20}, frapt);
  lstgas = AddList("lstgas", {"air", "other"}, {10 + kInputLabel + 4, 18 + 5 * kRow, 72, 40},
                   frapt);
  Fragas = AddFrame("Fragas", "", {12, 378, 334, 84});
  core::AddBoxes(*this,
                 {In("lblrg", "Rg (ft-lbf/lbm-R)", "Txtrg", "53.35", 18),
                  In("lblgm2", "gamma", "Txtgm2", "1.400", 18 + kRow)},
                 Fragas)
      .Into({&Txtrg, &Txtgm2});

  // Geometry of the chosen machine; the three frames share one place.
  const core::Rect geometry{358, 56, 334, 214};
  fraaxct = AddFrame("fraaxct", "", geometry);
  core::AddBoxes(
      *this,
      {In("lblr", "Inlet mean radius (in)", "txtr", "13.2", 18),
       In("lblth1", "Inlet blade height (in)", "txtth1", "1.24", 18 + kRow),
       In("lblal1", "Inlet absolute flow angle (deg)", "txtal1", "15", 18 + 2 * kRow),
       In("lbldl12", "Rotor turning angle (deg)", "txtdl12", "25", 18 + 3 * kRow),
       In("lblcax", "Cax=ca2/ca1                  =ca3/ca2", "txtcax", "1.00", 18 + 4 * kRow)},
      fraaxct)
      .Into({&txtr, &txtth1, &txtal1, &txtdl12, &txtcax});
  txtcax->what = "Cax";
  frarc = AddFrame("frarc", "", geometry);
  core::AddBoxes(*this,
                 {In("lblrta", "Inlet eye radius (in)", "txtrta", "6", 18),
                  In("lblrha", "Inlet hub radius (in)", "txtrha", "2.5", 18 + kRow),
                  In("lblal1a", "Inlet absolute swirl angle (deg)", "txtal1a", "15", 18 + 2 * kRow),
                  In("lblr2", "Exit tip radius (in)", "txtr2", "12", 18 + 3 * kRow),
                  In("lbltd2", "Exit impeller width (in)", "txttd2", "1", 18 + 4 * kRow),
                  In("lblb2a", "Exit relative flow angle (deg)", "txtb2a", "-10", 18 + 5 * kRow)},
                 frarc)
      .Into({&txtrta, &txtrha, &txtal1a, &txtr2, &txttd2, &txtb2a});
  frart = AddFrame("frart", "", geometry);
  core::AddBoxes(*this,
                 {In("lblrb", "Inlet tip radius (in)", "txtrb", "12", 18),
                  In("lblthb", "Inlet impeller width (in)", "txtthb", "1", 18 + kRow),
                  In("lblal1b", "Inlet absolute swirl angle (deg)", "txtal1b", "15", 18 + 2 * kRow),
                  In("lblrtb", "Exit eye radius (in)", "txtrtb", "6", 18 + 3 * kRow),
                  In("lblrhb", "Exit hub radius (in)", "txtrhb", "2.5", 18 + 4 * kRow),
                  In("lblb2b", "Exit relative flow angle (deg)", "txtb2b", "-10", 18 + 5 * kRow)},
                 frart)
      .Into({&txtrb, &txtthb, &txtal1b, &txtrtb, &txtrhb, &txtb2b});

  // Results.
  fraresults1 = AddFrame("fraresults1", "", {704, 56, 324, 8 * kRow + 24}, nullptr, false);
  core::AddBoxes(*this,
                 {Out("lblpp21", "Total pressure ratio =", "txtpp21", 4),
                  Out("lblwsh", "Power (HP) =", "txtwsh", 4 + kRow),
                  Out("lblm1", "M1abs =", "txtm1", 4 + 2 * kRow),
                  Out("lblm1r", "M1rel =", "txtm1r", 4 + 3 * kRow),
                  Out("lblm2", "M2abs =", "txtm2", 4 + 4 * kRow),
                  Out("lblm2r", "M2rel =", "txtm2r", 4 + 5 * kRow),
                  Out("lblcpr", "Cpr =", "txtcpr", 4 + 6 * kRow),
                  Out("lblgm", "gamma =", "txtgm", 4 + 7 * kRow)},
                 fraresults1)
      .Into({&txtpp21, &txtwsh, &txtm1, &txtm1r, &txtm2, &txtm2r, &txtcpr, &txtgm});
  fraresults2 = AddFrame("fraresults2", "Frame2", {704, 300, 324, 3 * kRow + 28});
  core::AddBoxes(*this,
                 {Out("lblm3", "M3abs =", "txtm3", 20), Out("lblcps", "Cps =", "txtcps", 20 + kRow),
                  Out("lblpr", "Percent reaction =", "txtpr", 20 + 2 * kRow)},
                 fraresults2)
      .Into({&txtm3, &txtcps, &txtpr});
  fraresults3 = AddFrame("fraresults3", "", {358, 282, 334, 2 * kRow + 4}, nullptr, false);
  core::AddBoxes(*this,
                 {Out("lblb1", "Beta1 (deg) =", "txtb1", 2),
                  Out("lblal2", "Alpha2 (deg) =", "txtal2", 2 + kRow)},
                 fraresults3)
      .Into({&txtb1, &txtal2});
  fraresults4 = AddFrame("fraresults4", "", {358, 282 + 2 * kRow + 4, 334, 3 * kRow + 4},
                         nullptr, false);
  core::AddBoxes(*this,
                 {Out("lblb2", "Beta2 (deg) =", "txtb2", 2),
                  Out("lbldl23", "Stator turning angle (deg) =", "txtdl23", 2 + kRow),
                  Out("lblal3", "Alpha3 (deg) =", "txtal3", 2 + 2 * kRow)},
                 fraresults4)
      .Into({&txtb2, &txtdl23, &txtal3});
  fraresults5 = AddFrame("fraresults5", "", {358, 282 + 5 * kRow + 8, 334, 2 * kRow + 4},
                         nullptr, false);
  core::AddBoxes(
      *this,
      {Out("lblth2", "t2 (in) =", "txtth2", 2), Out("lblth3", "t3 (in) =", "txtth3", 2 + kRow)},
      fraresults5)
      .Into({&txtth2, &txtth3});

  cmdCalculate = AddButton("cmdCalculate", "Calculate", {704, 426, 120, 36}, nullptr,
                           core::Look::Compute);
  cmdEnd = AddButton("cmdEnd", "Done!", {836, 426, 90, 36});

  lsttype->Click = [this] { lsttype_Click(); };
  lstgas->Click = [this] { lstgas_Click(); };
  cmdCalculate->Click = [this] { cmdCalculate_Click(); };
  cmdEnd->Click = [this] { End(); };

  using core::Quantity;
  Measure("txtp1", Quantity::Pressure);
  Measure("txtT1", Quantity::Temperature);
  Measure("txtm", Quantity::MassFlow);
  Measure("Txtrg", Quantity::GasConstant);
  Measure("txtwsh", Quantity::Power);
  for (const char* name : {"txtr", "txtth1", "txtrta", "txtrha", "txtr2", "txttd2", "txtrb",
                           "txtthb", "txtrtb", "txtrhb", "txtth2", "txtth3"})
    Measure(name, Quantity::SmallLength);
}

void Bladerow::Form_Load() {
  lsttype->setText("axial compressor");
  lstgas->setText("air");
}

void Bladerow::lsttype_Click() {
  ct = static_cast<short>(lsttype->listIndex());
  RefreshFrames();
}

void Bladerow::lstgas_Click() {
  cgas = static_cast<short>(lstgas->listIndex());
  Fragas->setVisible(lstgas->text() == "other");
  RefreshFrames();
}

void Bladerow::RefreshFrames() {
  fraaxct->setVisible(true);
  frarc->setVisible(false);
  frart->setVisible(false);
  fraresults2->setVisible(true);
  fraresults5->setVisible(true);
  if (ct == kRadialCompressor) {
    fraaxct->setVisible(false);
    frarc->setVisible(true);
  }
  if (ct == kRadialTurbine) {
    fraaxct->setVisible(false);
    frart->setVisible(true);
  }
  const bool radial = Radial(ct);
  if (radial) {
    fraresults2->setVisible(false);
    fraresults5->setVisible(false);
  }
  fraresults4->setVisible(!radial);
}

void Bladerow::cmdCalculate_Click() {
  // A failed calculation leaves no chart of an earlier one behind.
  last_.reset();
  computing_ = runningAction();
  Calculate();
}

void Bladerow::Calculate() {
  Writes({txtpp21, txtpr, txtwsh, txtm1, txtm1r, txtm2, txtm2r, txtcpr, txtm3, txtcps, txtdl23,
          txtth2, txtth3, txtgm, txtb1, txtb2, txtal2, txtal3});
  st.p1 = Strict(txtp1);
  st.t1 = Strict(txtT1);
  st.m = Strict(txtm);
  st.om = Strict(txtom);
  st.e = Strict(txte);
  st.r = Strict(txtr);
  st.th1 = Strict(txtth1);
  st.al1 = Strict(txtal1);
  st.dl12 = Strict(txtdl12);
  st.cax = Strict(txtcax);
  if (ct == kRadialCompressor) {
    st.al1 = Strict(txtal1a);
    st.b2 = Strict(txtb2a);
    st.r2 = Strict(txtr2);
    st.rh = Strict(txtrha);
    st.rt = Strict(txtrta);
    st.td2 = Strict(txttd2);
  } else if (ct == kRadialTurbine) {
    st.al1 = Strict(txtal1b);
    st.b2 = Strict(txtb2b);
    st.r = Strict(txtrb);
    st.rh = Strict(txtrhb);
    st.rt = Strict(txtrtb);
    st.th1 = Strict(txtthb);
  }
  st.rg = 53.35f;
  if (cgas == kOtherGas) {
    st.rg = Strict(Txtrg);
    st.gm = Strict(Txtgm2);
  }
  // An absolute temperature at or below zero, or a flow that runs backwards,
  // gives velocity triangles without meaning.
  if (st.t1 <= 0) Refuse(txtT1, "must be above zero: it is an absolute temperature");
  if (st.m < 0) Refuse(txtm, "must not be negative");
  lastPasses = MeanLine(st, ct, cgas);

  auto show = [](core::TextBox* box, float value, const char* pattern) {
    box->setText(core::FormatPattern(value, pattern), value);
  };
  show(txtpp21, st.pp21, "#0.000");
  show(txtpr, st.pr, "#0.000");
  show(txtwsh, st.wsh, "##,###");
  show(txtm1, st.m1, "#0.000");
  show(txtm1r, st.m1r, "#0.000");
  show(txtm2, st.m2, "#0.000");
  show(txtm2r, st.m2r, "#0.000");
  show(txtcpr, st.cpr, "#0.000");
  show(txtm3, st.m3, "#0.000");
  show(txtcps, st.cps, "#0.000");
  show(txtdl23, st.dl23, "#0.00");
  show(txtth2, st.th2, "#0.000");
  show(txtth3, st.th3, "#0.000");
  show(txtgm, st.gm, "#0.000");
  show(txtb1, st.b1, "#0.00");
  show(txtb2, st.b2, "#0.00");
  show(txtal2, st.al2, "#0.00");
  show(txtal3, st.al3, "#0.00");
  last_ = Computed{st, ct, lastPasses != kUnsettled};
  // The last pass is on display; say that it is not a settled state.
  ResultsStand();
  if (lastPasses == kUnsettled)
    throw core::Failure("The exit density did not settle in " + std::to_string(kDensityPasses) +
                         " passes (is the exit choked?): the last pass is shown");
}

std::vector<std::string> Bladerow::ChartNames() const { return {kVelocityTriangles}; }

core::ChartData Bladerow::Chart(const std::string& name) const {
  if (name != kVelocityTriangles) return Form::Chart(name);
  if (!last_) {
    const char* title = "Velocity triangles";
    return core::Unavailable(
        name, title, WhyNothing(computing_, "Press \"Calculate\" to draw the velocity triangles"));
  }
  // The angles with the digits the window shows them with.
  auto shown = [](float v) { return core::FormatPattern(v, "#0.00"); };
  const Stage& s = last_->stage;
  return VelocityTriangles(s, last_->ct, {shown(s.al1), shown(s.b1), shown(s.al2), shown(s.b2)},
                           last_->settled);
}

}  // namespace bladerow
