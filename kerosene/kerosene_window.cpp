#include "kerosene/kerosene_window.h"

#include "core/numtext.h"
#include "kerosene/flame.h"

namespace kerosene {

namespace {

constexpr int kWidth = 600;

}  // namespace

Kerosene::Kerosene()
    : Form(core::Caption("Kerosene - Adiabatic Flame Temperature", 12), kWidth, 496) {
  AddLabel("Label2", "Adiabatic Flame Temperature for Kerosene", {0, 8, kWidth, 34}, nullptr,
           core::Look::Title);

  Frame1 = AddFrame("Frame1", "Inlet", {12, 52, 330, 124});
  auto inlet = [this](const char* label, int row) {
    AddLabel("Label" + std::to_string(3 + row), label, {12, 26 + row * 30, 200, 24}, Frame1);
  };
  inlet("fuel temperature (deg K)", 0);
  inlet("air temperature (deg K)", 1);
  inlet("percent air", 2);
  for (int i = 1; i <= 2; ++i) {
    txtt[i] = AddTextBox("txtt", {230, 26 + (i - 1) * 30, 84, 24}, Frame1, i);
    txtt[i]->setText("556");
  }
  txtt[1]->what = "fuel temperature (deg K)";
  txtt[2]->what = "air temperature (deg K)";
  txtpa = AddTextBox("txtpa", {230, 86, 84, 24}, Frame1);
  txtpa->setText("300");
  txtpa->what = "percent air";

  fraresults0 = AddFrame("fraresults0", "Result", {356, 52, 232, 124});
  AddLabel("Label6", "exit temperature (deg K)", {12, 26, 208, 24}, fraresults0);
  txts = AddTextBox("txts", {12, 54, 120, 24}, fraresults0);
  txts->readOnly = true;
  // Times New Roman like every control of this window.
  cmdCalculate = AddButton("cmdCalculate", "Calculate", {12, 86, 208, 28}, fraresults0);

  frainpt = AddFrame("frainpt", "Heat capacities  cp = a + b T", {12, 188, 576, 250});
  AddLabel("Label7", "a (kJ/kmole-K)", {220, 24, 150, 22}, frainpt, core::Look::Heading);
  AddLabel("Label8", "b (kJ/kmole-K^2)", {390, 24, 150, 22}, frainpt, core::Look::Heading);
  AddLabel("Label9", "Reactants", {12, 48, 150, 22}, frainpt);
  AddLabel("Label15", "Products", {12, 160, 150, 22}, frainpt);
  struct Row { const char* label; int y; };
  const Row reactants[] = {{"kerosene", 72}, {"oxygen", 100}, {"nitrogen", 128}};
  const char* ar[] = {"296.", "27.0", "27.6"};
  const char* br[] = {"0.", "0.0079", "0.0051"};
  for (int i = 1; i <= 3; ++i) {
    const Row& row = reactants[i - 1];
    AddLabel("Label" + std::to_string(9 + i), row.label, {30, row.y, 180, 24}, frainpt);
    txtar[i] = AddTextBox("txtar", {245, row.y, 100, 24}, frainpt, i);
    txtbr[i] = AddTextBox("txtbr", {415, row.y, 100, 24}, frainpt, i);
    txtar[i]->setText(ar[i - 1]);
    txtbr[i]->setText(br[i - 1]);
    txtar[i]->what = std::string("a of ") + row.label;
    txtbr[i]->what = std::string("b of ") + row.label;
  }
  const Row products[] = {{"water", 184}, {"carbon dioxide", 212}};
  const char* ap[] = {"30.5", "28.8"};
  const char* bp[] = {"0.0103", "0.0280"};
  for (int i = 1; i <= 2; ++i) {
    const Row& row = products[i - 1];
    AddLabel("Label" + std::to_string(12 + i), row.label, {30, row.y, 180, 24}, frainpt);
    txtap[i] = AddTextBox("txtap", {245, row.y, 100, 24}, frainpt, i);
    txtbp[i] = AddTextBox("txtbp", {415, row.y, 100, 24}, frainpt, i);
    txtap[i]->setText(ap[i - 1]);
    txtbp[i]->setText(bp[i - 1]);
    txtap[i]->what = std::string("a of ") + row.label;
    txtbp[i]->what = std::string("b of ") + row.label;
  }

  cmdEnd = AddButton("cmdEnd", "Done!", {kWidth - 162, 450, 150, 34});
  cmdCalculate->Click = [this] { cmdCalculate_Click(); };
  cmdEnd->Click = [this] { cmdEnd_Click(); };
}

void Kerosene::cmdCalculate_Click() {
  Writes({txts});  // no stale temperature beside a failure
  FlameInput in;
  pa = Strict(txtpa);
  in.fuelT = Strict(txtt[1]);
  in.airT = Strict(txtt[2]);
  in.ap[0] = Strict(txtap[1]);
  in.ap[1] = Strict(txtap[2]);
  for (int i = 0; i < 3; ++i) in.ar[i] = Strict(txtar[i + 1]);
  in.bp[0] = Strict(txtbp[1]);
  in.bp[1] = Strict(txtbp[2]);
  for (int i = 0; i < 3; ++i) in.br[i] = Strict(txtbr[i + 1]);
  // Kelvin is absolute and air cannot be taken away: such inputs would give
  // a temperature that means nothing.
  if (in.fuelT <= 0) Refuse(txtt[1], "must be above zero: it is an absolute temperature");
  if (in.airT <= 0) Refuse(txtt[2], "must be above zero: it is an absolute temperature");
  if (pa < 0) Refuse(txtpa, "must not be negative");
  in.x = pa / 100.0f;
  const Flame flame = FlameTemperature(in);
  pa = in.x * 100.0f;
  txts->setText(core::FormatPattern(flame.t, "#0.0"));
}

void Kerosene::cmdEnd_Click() { End(); }

}  // namespace kerosene
