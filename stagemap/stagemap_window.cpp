#include "stagemap/stagemap_window.h"

#include "core/numtext.h"
#include "stagemap/cascade.h"

namespace stagemap {

namespace {

constexpr int kWidth = 640;
constexpr int kRow = 28;

}  // namespace

StageMap::StageMap() : Form(core::Caption("Single Stage Compressor Performance", 4), kWidth, 470) {
  AddLabel("Label1", "Performance of a Single Stage Compressor", {0, 8, kWidth, 34}, nullptr,
           core::Look::Title);
  AddLabel("Label2", "Rotor blades and stator vanes have similar lift/drag characteristics",
           {10, 48, kWidth - 20, 20}, nullptr, core::Look::Heading);
  AddLabel("Label3", "General lift/drag cascade correlations are used to predict efficiency",
           {10, 68, kWidth - 20, 20}, nullptr, core::Look::Heading);

  frainput = AddFrame("frainput", "Input", {12, 96, 300, 30 + 11 * 27});
  auto input = [this](const char* name, const char* label, const char* text, int row) {
    AddLabel(std::string("lbl") + (name + 3), label, {12, 26 + row * kRow, 190, 24}, frainput);
    core::TextBox* box = AddTextBox(name, {205, 26 + row * kRow, 80, 24}, frainput);
    box->setText(text);
    box->what = label;  // messages name the box as the window does
    return box;
  };
  txtb1p = input("txtb1p", "Beta1' (deg)", "-42", 0);
  txtb2p = input("txtb2p", "Beta2' (deg)", "-8", 1);
  txta2p = input("txta2p", "Alpha2' (deg)", "42", 2);
  txta3p = input("txta3p", "Alpha3' (deg)", "8", 3);
  txtinc = input("txtinc", "Rotor incidence (deg)", "2.3", 4);
  txtac = input("txtac", "a/c", "0.4", 5);
  txtsc = input("txtsc", "s/c", "1", 6);
  txtsh = input("txtsh", "s/h", "0.75", 7);
  txtpr = input("txtpr", "%R", "0.50", 8);

  fraresults0 = AddFrame("fraresults0", "Results", {328, 96, 300, 30 + 11 * 27});
  auto output = [this](const char* name, const char* label, int row) {
    AddLabel(std::string("lbl") + (name + 3), label, {12, 24 + row * 27, 190, 24}, fraresults0);
    core::TextBox* box = AddTextBox(name, {205, 24 + row * 27, 80, 24}, fraresults0);
    box->readOnly = true;
    return box;
  };
  txteta = output("txteta", "Efficiency", 0);
  txtphi = output("txtphi", "phi", 1);
  txtb1 = output("txtb1", "Beta1", 2);
  txtb2 = output("txtb2", "Beta2", 3);
  txtal2 = output("txtal2", "Alpha2", 4);
  txtal3 = output("txtal3", "Alpha3", 5);
  txtincs = output("txtincs", "Stator incidence", 6);
  txtcd = output("txtcd", "Cdr", 7);
  txtcl = output("txtcl", "Clr", 8);
  txtcdst = output("txtcdst", "Cds", 9);
  txtclst = output("txtclst", "Cls", 10);

  cmdCalculate = AddButton("cmdCalculate", "Calculate", {12, 428, 150, 34}, nullptr,
                           core::Look::Compute);
  cmdEnd = AddButton("cmdEnd", "Done!", {kWidth - 162, 428, 150, 34});
  cmdCalculate->Click = [this] { cmdCalculate_Click(); };
  cmdEnd->Click = [this] { cmdEnd_Click(); };
}

void StageMap::cmdCalculate_Click() {
  // No stale result may stand beside a failure message.
  for (core::TextBox* box : {txteta, txtphi, txtb1, txtb2, txtal2, txtal3, txtincs, txtcd,
                              txtcl, txtcdst, txtclst})
    box->setText("");
  StageInput in;
  in.b1p = Strict(txtb1p);
  in.b2p = Strict(txtb2p);
  in.a2p = Strict(txta2p);
  in.a3p = Strict(txta3p);
  in.inc = Strict(txtinc);
  in.ac = Strict(txtac);
  in.sc = Strict(txtsc);
  in.sh = Strict(txtsh);
  in.r = Strict(txtpr);
  const StageResult s = Stage(in);
  // Render all before writing any, so a non-finite value leaves the boxes blank.
  const std::string eta = core::FormatPattern(s.eta, "#0.000");
  const std::string phi = core::FormatPattern(s.phi, "#0.000");
  const std::string b1 = core::FormatPattern(s.b1, "#0.00");
  const std::string b2 = core::FormatPattern(s.b2, "#0.00");
  const std::string al3 = core::FormatPattern(s.al3, "#0.00");
  const std::string al2 = core::FormatPattern(s.al2, "#0.00");
  const std::string incs = core::FormatPattern(s.incs, "#0.00");
  const std::string cd = core::FormatPattern(s.cdr, "#0.000");
  const std::string cl = core::FormatPattern(s.clr, "#0.00");
  const std::string cdst = core::FormatPattern(s.cds, "#0.000");
  const std::string clst = core::FormatPattern(s.cls, "#0.00");
  txteta->setText(eta);
  txtphi->setText(phi);
  txtb1->setText(b1);
  txtb2->setText(b2);
  txtal3->setText(al3);
  txtal2->setText(al2);
  txtincs->setText(incs);
  txtcd->setText(cd);
  txtcl->setText(cl);
  txtcdst->setText(cdst);
  txtclst->setText(clst);
}

void StageMap::cmdEnd_Click() { End(); }

}  // namespace stagemap
