#include "shock/shock_window.h"

#include <cmath>
#include <exception>

#include "core/numtext.h"
#include "shock/shock_flow.h"

namespace shock {

using core::Look;
using core::Rect;

namespace {

// A label and its box, side by side in a borderless frame.
constexpr int kLabelW = 250, kBoxX = 256, kBoxW = 84;
constexpr int kResultLabelW = 190, kResultBoxX = 196, kResultBoxW = 100;

}  // namespace

Shock::Shock() : core::Form(core::Caption("Shock Analysis", 7), 700, 350) {
  lblTitle = AddLabel("lblTitle", "Shock Analysis", {150, 8, 400, 38}, nullptr, Look::Title);
  lsttype = AddList("lsttype",
                    {"Normal Shock", "Weak Oblique Planar Shock", "Strong Oblique Planar Shock",
                     "Oblique Conical Shock"},
                    {16, 60, 260, 72});

  frainpt = AddFrame("frainpt", "", {16, 170, 344, 64}, nullptr, false);
  AddLabel("Label2", "gamma", {0, 4, kLabelW, 24}, frainpt);
  txtg = AddTextBox("txtg", {kBoxX, 2, kBoxW, 26}, frainpt);
  txtg->what = "gamma";
  AddLabel("Label3", "Mach number", {0, 36, kLabelW, 24}, frainpt);
  txtm1 = AddTextBox("txtm1", {kBoxX, 34, kBoxW, 26}, frainpt);
  txtm1->what = "Mach number";
  frainpt2 = AddFrame("frainpt2", "", {16, 234, 344, 32}, nullptr, false);
  AddLabel("Label4", "Turning angle (deg)", {0, 4, kLabelW, 24}, frainpt2);
  txtdl = AddTextBox("txtdl", {kBoxX, 2, kBoxW, 26}, frainpt2);
  txtdl->what = "Turning angle (deg)";
  frashang = AddFrame("frashang", "", {16, 266, 344, 32}, nullptr, false);
  AddLabel("Label5", "First guess on shock angle (deg)", {0, 4, kLabelW, 24}, frashang);
  txteps = AddTextBox("txteps", {kBoxX, 2, kBoxW, 26}, frashang);
  txteps->what = "First guess on shock angle (deg)";

  fraresults1 = AddFrame("fraresults1", "", {380, 60, 304, 96}, nullptr, false);
  AddLabel("Label6", "Exit Mach number =", {0, 4, kResultLabelW, 24}, fraresults1);
  txte2 = AddTextBox("txte2", {kResultBoxX, 2, kResultBoxW, 26}, fraresults1);
  AddLabel("Label7", "p2/p1 =", {0, 36, kResultLabelW, 24}, fraresults1);
  txte3 = AddTextBox("txte3", {kResultBoxX, 34, kResultBoxW, 26}, fraresults1);
  AddLabel("Label8", "pt2/pt1 =", {0, 68, kResultLabelW, 24}, fraresults1);
  txte4 = AddTextBox("txte4", {kResultBoxX, 66, kResultBoxW, 26}, fraresults1);
  fraresults2 = AddFrame("fraresults2", "", {380, 158, 304, 32}, nullptr, false);
  AddLabel("Label9", "Shock angle (deg) =", {0, 4, kResultLabelW, 24}, fraresults2);
  txtdr = AddTextBox("txtdr", {kResultBoxX, 2, kResultBoxW, 26}, fraresults2);
  fraresults3 = AddFrame("fraresults3", "", {380, 190, 304, 32}, nullptr, false);
  AddLabel("Label10", "Maximum turning (deg) = ", {0, 4, kResultLabelW, 24}, fraresults3);
  txtdx = AddTextBox("txtdx", {kResultBoxX, 2, kResultBoxW, 26}, fraresults3);
  for (core::TextBox* out : {txte2, txte3, txte4, txtdr, txtdx}) out->readOnly = true;

  fradet = AddFrame("fradet", "", {380, 230, 304, 30}, nullptr, false);
  AddLabel("Label11", "          Detached!           or Did Not Converge!", {0, 2, 304, 26},
           fradet, Look::Warning);

  cmdCalculate = AddButton("cmdCalculate", "Calculate", {396, 290, 120, 36}, nullptr, Look::Compute);
  cmdEnd = AddButton("cmdEnd", "Done!", {540, 290, 110, 36});

  // Design-time texts: written before the handlers are wired.
  txtg->setText("1.400");
  txtm1->setText("2.00");
  txtdl->setText("5");
  txteps->setText("5");

  lsttype->Click = [this] { lsttype_Click(); };
  txtm1->Change = [this] { txtm1_Change(); };
  txtg->Change = [this] { txtg_Change(); };
  txtdl->Change = [this] { txtdl_Change(); };
  cmdCalculate->Click = [this] {
    last_.reset();
    why_ = "The last computation failed";
    computing_ = runningAction();
    cmdCalculate_Click();
  };
  cmdEnd->Click = [this] { End(); };
}

void Shock::Form_Load() { lsttype->setText("Normal shock"); }

void Shock::lsttype_Click() {
  ij = static_cast<std::int16_t>(lsttype->listIndex());
  RefreshFrames();
}

void Shock::txtm1_Change() { RefreshFrames(); }
void Shock::txtg_Change() { RefreshFrames(); }
void Shock::txtdl_Change() { RefreshFrames(); }

void Shock::RefreshFrames() {
  fradet->setVisible(false);
  if (detshk == 1) fradet->setVisible(true);
  frashang->setVisible(false);
  fraresults2->setVisible(false);
  fraresults3->setVisible(false);
  // A box caught half-typed must not leave the frames of another type: the
  // frames are set first, the failure reported after.
  bool unread = false;
  if (ij >= 3) {
    const auto typedMach = core::ParseStrict(txtm1->text());
    const auto typedAngle = core::ParseStrict(txtdl->text());
    if (typedMach && typedAngle) {
      m1 = *typedMach;
      dl = *typedAngle;
      mm = m1 * m1;
      txteps->setText(core::FormatPattern(ConeFirstGuess(m1, dl), "#0.0"));
    } else {
      unread = true;
    }
    if (ij == 3) frashang->setVisible(true);
  }
  frainpt->setVisible(true);
  frainpt2->setVisible(true);
  if (ij == 0) frainpt2->setVisible(false);
  if (ij >= 1 && ij <= 3) fraresults2->setVisible(true);
  if (ij == 1 || ij == 2) fraresults3->setVisible(true);
  if (unread) {  // names the box that does not hold a number
    Strict(txtm1);
    Strict(txtdl);
  }
}

void Shock::Fail(const std::string& message) {
  for (core::TextBox* out : {txte2, txte3, txte4, txtdr, txtdx}) out->setText("");
  throw core::Failure(message);
}

void Shock::cmdCalculate_Click() {
  Writes({txte2, txte3, txte4, txtdr, txtdx});
  const bool oblique = ij == 1 || ij == 2, conical = ij == 3;
  m1 = Strict(txtm1);
  g = Strict(txtg);
  // Inputs the chosen type does not use sit in hidden boxes: a stale text
  // there must not block the computation.
  bool angleRead = true;
  if (oblique || conical) {
    dl = Strict(txtdl);
  } else if (auto typed = core::ParseStrict(txtdl->text())) {
    dl = *typed;
  } else {
    angleRead = false;
  }
  const float asked = dl;
  const float eps0 = conical ? Strict(txteps) : 0.0f;
  detshk = 0;

  if (!(g > 1)) Fail(CaptionOf(*txtg) + " must be above 1");
  // A flow turned away from the wall, or a cone of negative half-angle, is
  // an expansion, not a shock.
  if ((oblique || conical) && dl < 0) Refuse(txtdl, "must not be negative");
  ShockState s;  // what a type does not compute stays 0
  if (oblique) {
    if (!(m1 > 1)) Fail(CaptionOf(*txtm1) + " must be above 1 for an oblique shock");
    mm = m1 * m1;
    g2 = (g + 1) / 2;
    const ObliqueShockState o = ObliqueShock(m1, g, dl, ij == 2);
    s = o;
    dl = o.dl;
  } else if (conical) {
    if (!(m1 > 1)) Fail(CaptionOf(*txtm1) + " must be above 1 for a conical shock");
    mm = m1 * m1;
    if (auto cone = ConicalShock(m1, g, dl, eps0)) {
      s = *cone;
    } else {
      s = ShockState{};
      detshk = 1;
      RefreshFrames();
    }
  } else {
    if (!(m1 >= 1)) Fail(CaptionOf(*txtm1) + " must be at least 1 for a normal shock");
    mm = m1 * m1;
    s = NormalShock(m1, g);
  }
  for (double v : {s.m2, s.p21, s.pt21, s.angle, s.dmax})
    if (!std::isfinite(v)) Fail("No shock solution for these inputs");

  txte2->setText(core::FormatPattern(s.m2, "#0.0000"));
  txte3->setText(core::FormatPattern(s.p21, "#0.0000"));
  txte4->setText(core::FormatPattern(s.pt21, "#0.0000"));
  if (angleRead) txtdl->setText(core::FormatPattern(dl, "#0.000"));
  txtdx->setText(core::FormatPattern(s.dmax, "#0.000"));
  txtdr->setText(core::FormatPattern(s.angle, "#0.000"));
  fradet->setVisible(false);
  if (detshk == 1) fradet->setVisible(true);
  last_ = ShockSolution{static_cast<ShockType>(ij), m1, g, asked, dl, s, detshk == 1};
  detshk = 0;
}

core::ChartData Shock::Chart(const std::string& name) const {
  if (name != kPolarChart) return Form::Chart(name);
  if (!last_) return core::Unavailable(name, "Shock polar", WhyNothing(computing_, why_));
  if (last_->type != ShockType::Conical) return PolarChart(*last_);
  const std::pair<float, float> key{last_->m1, last_->g};
  if (!cone_ || cone_->first != key) cone_.emplace(key, ConeShockCurve(key.first, key.second));
  return PolarChart(*last_, &cone_->second);
}

}  // namespace shock
