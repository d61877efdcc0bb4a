#include "flowmarch/flowmarch_window.h"

#include <exception>

#include "flowmarch/diagram.h"
#include "flowmarch/duct.h"
#include "flowmarch/duct_chart.h"
#include "core/numtext.h"

namespace flowmarch {

namespace {

constexpr int kWidth = 724;

}  // namespace

FlowMarch::FlowMarch()
    : Form(core::Caption("Generalized 1-D Compressible Flow", 18), kWidth, 536) {
  AddLabel("Label2", "General 1-D Flow", {0, 6, kWidth, 34}, nullptr, core::Look::Title);

  AddLabel("Label1", "gamma", {22, 48, 200, 24});
  txtk = AddTextBox("txtk", {216, 48, 80, 24});
  txtk->setText("1.40");
  txtk->what = "gamma";

  int labels = 3;
  auto label = [this, &labels](const std::string& text, core::Rect r, core::Frame* in,
                               core::Look look = core::Look::Text) {
    AddLabel("Label" + std::to_string(labels++), text, r, in, look);
  };
  auto box = [this](const char* name, core::Rect r, core::Frame* in, const char* text,
                    const std::string& what) {
    core::TextBox* b = AddTextBox(name, r, in);
    b->setText(text);
    b->what = what;
    return b;
  };

  // The two inlet streams, side by side.
  Frame1 = AddFrame("Frame1", "Inlet streams", {12, 80, 390, 160});
  label("Stream 1", {202, 22, 84, 22}, Frame1, core::Look::Heading);
  label("Stream 2", {298, 22, 84, 22}, Frame1, core::Look::Heading);
  const char* rows[] = {"Mach number", "Total temperature  (deg R)", "Total pressure (psia)",
                        "Relative mass flow rate"};
  for (int i = 0; i < 4; ++i) label(rows[i], {10, 46 + 27 * i, 196, 24}, Frame1);
  auto streamBox = [&](const char* name, int col, int row, const char* text, int what) {
    return box(name, {204 + 96 * col, 46 + 27 * row, 80, 24}, Frame1, text,
               std::string(rows[what]) + " of stream " + (col ? "2" : "1"));
  };
  txtm1 = streamBox("txtm1", 0, 0, "0.30", 0);
  txttt1 = streamBox("txttt1", 0, 1, "1600", 1);
  txtpt1 = streamBox("txtpt1", 0, 2, "100", 2);
  txtmd1 = streamBox("txtmd1", 0, 3, "100", 3);
  txtm2 = streamBox("txtm2", 1, 0, "0.30", 0);
  txttt2 = streamBox("txttt2", 1, 1, "1000", 1);
  txtpt2 = streamBox("txtpt2", 1, 2, "100", 2);
  txtmd2 = streamBox("txtmd2", 1, 3, "200", 3);

  auto row = [&](core::Frame* in, const char* name, const char* text, int i, const char* value,
                 int labelWidth) {
    label(text, {10, 26 + 28 * i, labelWidth, 24}, in);
    return box(name, {labelWidth + 14, 26 + 28 * i, 70, 24}, in, value, text);
  };
  Frame2 = AddFrame("Frame2", "Drag elements", {412, 80, 300, 160});
  txtcd = row(Frame2, "txtcd", "Drag coefficient - mixer", 0, "0.50", 200);
  txtapa = row(Frame2, "txtapa", "Area ratio - mixer", 1, "0.05", 200);
  txtcd2 = row(Frame2, "txtcd2", "Drag coefficient - flameholder", 2, "0.50", 200);
  txtapa2 = row(Frame2, "txtapa2", "Area ratio - flameholder", 3, "0.05", 200);

  Frame4 = AddFrame("Frame4", "Duct", {12, 248, 390, 174});
  txttt6 = row(Frame4, "txttt6", "Exit total temperature (deg R)", 0, "2400", 190);
  txtf = row(Frame4, "txtf", "Fanning friction coefficient", 1, "0.025", 190);
  txtd = row(Frame4, "txtd", "Relative diameter", 2, "1", 190);
  txtl = row(Frame4, "txtl", "Relative length", 3, "3", 190);
  txta6a5 = row(Frame4, "txta6a5", "Area ratio - diffuser", 4, "1.00", 190);

  fraresults = AddFrame("fraresults", "Exit conditions", {412, 248, 300, 174});
  auto result = [&](const char* name, const char* text, int i) {
    core::TextBox* b = row(fraresults, name, text, i, "", 200);
    b->readOnly = true;
    return b;
  };
  txtm6 = result("txtm6", "Exit Mach number", 0);
  txtt6 = result("txtt6", "Exit static temperature (deg R)", 1);
  txttt6o = result("txttt6o", "Exit total temperature (deg R)", 2);
  txtp6 = result("txtp6", "Exit static pressure (psia)", 3);
  txtpt6 = result("txtpt6", "Exit total pressure (psia)", 4);

  frachk = AddFrame("frachk", "", {12, 456, 700, 28}, nullptr, false);
  Label24 = AddLabel("Label24", "Impossible conditions!   System is choked", {0, 0, 700, 28},
                     frachk, core::Look::Warning);
  Label24->align = core::Align::Center;
  frachk->setVisible(false);

  cmdCalculate = AddButton("cmdCalculate", "Calculate", {12, 492, 220, 36}, nullptr,
                           core::Look::Compute);
  Command1 = AddButton("Command1", "Diagram on/off", {252, 492, 220, 36});
  cmdEnd = AddButton("cmdEnd", "Done!", {kWidth - 232, 492, 220, 36});

  // Added last so that, shown, it lies over the inputs.
  frapic = AddFrame("frapic", "", {12, 44, 700, 406}, nullptr, false);
  Picture1 = AddPicture("Picture1", DuctDiagram(), {0, 0, 700, 406}, frapic);
  frapic->setVisible(false);

  cmdCalculate->Click = [this] {
    last_.reset();
    why_ = "The last computation failed";
    computing_ = runningAction();
    cmdCalculate_Click();
  };
  Command1->Click = [this] { Command1_Click(); };
  cmdEnd->Click = [this] { cmdEnd_Click(); };

  using core::Quantity;
  for (const char* name : {"txttt1", "txttt2", "txttt6", "txtt6", "txttt6o"})
    Measure(name, Quantity::Temperature, "deg R");
  for (const char* name : {"txtpt1", "txtpt2", "txtp6", "txtpt6"})
    Measure(name, Quantity::Pressure);
}

void FlowMarch::cmdCalculate_Click() {
  frachk->setVisible(false);
  // A failed or choked calculation leaves no result standing.
  for (core::TextBox* b : {txtm6, txtt6, txttt6o, txtp6, txtpt6}) b->setText("");
  Writes({txtm6, txtt6, txttt6o, txtp6, txtpt6});
  Inputs in;
  in.g = Strict(txtk);
  in.m1 = Strict(txtm1);
  in.tt1 = Strict(txttt1);
  in.pt1 = Strict(txtpt1);
  in.md1 = Strict(txtmd1);
  in.m2 = Strict(txtm2);
  in.tt2 = Strict(txttt2);
  in.pt2 = Strict(txtpt2);
  in.md2 = Strict(txtmd2);
  in.cd4 = Strict(txtcd);
  in.ab4 = Strict(txtapa);
  in.cd5 = Strict(txtcd2);
  in.ab5 = Strict(txtapa2);
  in.tt6 = Strict(txttt6);
  in.f = Strict(txtf);
  in.d = Strict(txtd);
  in.l = Strict(txtl);
  in.a6a5 = Strict(txta6a5);
  // Absolute temperatures and mass flows that run backwards have no meaning
  // in a duct march. (An exit total temperature below 0.01 means: no heat.)
  for (core::TextBox* t : {txttt1, txttt2})
    if (Strict(t) <= 0) Refuse(t, "must be above zero: it is an absolute temperature");
  for (core::TextBox* m : {txtmd1, txtmd2})
    if (Strict(m) < 0) Refuse(m, "must not be negative");
  const Result r = Compute(in);
  last_ = r;
  if (r.choked) {
    frachk->setVisible(true);
    return;
  }
  const std::string m6 = core::FormatPattern(r.m6, "#0.0000");
  const std::string t6 = core::FormatPattern(r.t6, "#0.");
  const std::string tt6 = core::FormatPattern(r.tt6, "0.");
  const std::string p6 = core::FormatPattern(r.p6, "#0.00");
  const std::string pt6 = core::FormatPattern(r.pt6, "#0.00");
  txtm6->setText(m6);
  txtt6->setText(t6, r.t6);
  txttt6o->setText(tt6, r.tt6);
  txtp6->setText(p6, r.p6);
  txtpt6->setText(pt6, r.pt6);
}

std::vector<std::string> FlowMarch::ChartNames() const { return {kDuctChart}; }

core::ChartData FlowMarch::Chart(const std::string& name) const {
  if (name != kDuctChart) return Form::Chart(name);
  if (!last_) return core::Unavailable(name, "Along the duct", WhyNothing(computing_, why_));
  return DuctChart(*last_);
}

void FlowMarch::Command1_Click() { frapic->setVisible(!frapic->visible()); }

void FlowMarch::cmdEnd_Click() { End(); }

}  // namespace flowmarch
