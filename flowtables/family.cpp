#include "flowtables/family.h"

#include "core/numtext.h"

namespace flowtables {

std::string NoFiniteRatiosText(float g) {
  return "γ = " + core::NumberText(g) + " gives no finite ratios: type another γ";
}

using core::Frame;
using core::Label;
using core::Look;
using core::Rect;
using core::TextBox;

namespace {

// Window geometry, in logical pixels.
constexpr int kWidth = 900;
constexpr int kHeight = 470;
constexpr Rect kTitle{150, 8, 600, 38};
constexpr int kLeftX = 8, kLeftW = 344;
constexpr Rect kRight{360, 56, 532, 404};
constexpr int kOptionDy = 30;
constexpr int kColumnsX = 8;
constexpr int kHeadingY = 74, kHeadingH = 40;
constexpr int kRowH = 24;  // 360 twips

int ColumnWidth(int columns) { return (kRight.w - 2 * kColumnsX) / columns; }

// "Single Value of A/A* (subsonic)" names its box "A/A* (subsonic)".
std::string What(const std::string& caption) {
  const size_t of = caption.find("of ");
  return caption.substr(of == std::string::npos ? 0 : of + 3);
}

}  // namespace

std::string Out(double value) { return core::FormatPattern(value, "0.####"); }
std::string Out(float value) { return core::FormatPattern(value, "0.####"); }

TableWindow::TableWindow(const TableDesign& design)
    : core::Form(design.caption, kWidth, kHeight), design_(design) {
  Build(design_);
}

const TableControls& TableWindow::Build(const TableDesign& d) {
  TableControls& c = controls_;
  AddLabel("lblTitle", d.title, d.titleRect.value_or(kTitle), nullptr, Look::Title);
  BuildFrames(d, BuildSelection(d));
  BuildColumns(d);
  return c;
}

int TableWindow::BuildSelection(const TableDesign& d) {
  TableControls& c = controls_;
  // The selection: the single-value options, then optTable.
  const int count = static_cast<int>(d.inputs.size());
  Frame* fraSelect = AddFrame("fraSelect", "Selection", {kLeftX, 56, kLeftW, 30 + kOptionDy * (count + 1)});
  for (int i = 0; i < count; ++i) {
    const SingleInput& in = d.inputs[i];
    const int y = 24 + kOptionDy * i;
    const bool boxed = !in.frame.empty();
    c.options.push_back(AddOption(in.option, in.caption, {10, y, boxed ? 250 : 320, 26}, fraSelect));
    c.inputFrames.push_back(nullptr);
    c.inputs.push_back(nullptr);
    if (boxed) {
      c.inputFrames[i] = AddFrame(in.frame, "", {262, y - 1, 74, 28}, fraSelect, false);
      c.inputs[i] = AddTextBox(in.box, {0, 1, 70, 26}, c.inputFrames[i]);
      c.inputs[i]->what = What(in.caption);
      c.inputs[i]->Change = [this] { txtm1_Change(); };
    }
    // The windows with more inputs name the handlers of the others.
    if (i == 0)
      c.options[0]->Click = [this] { optSingle_Click(); };
    else
      c.options[i]->Click = [this, i] { SelectInput(i); };
  }
  optTable = AddOption("optTable", d.tableCaption, {10, 24 + kOptionDy * count, 320, 26}, fraSelect);
  optTable->Click = [this] { optTable_Click(); };
  const int warningY = 56 + fraSelect->rect.h + 8;
  return warningY;
}

// gamma, Done!, the two frames on the right, then the warnings and the notes
// on the left.
void TableWindow::BuildFrames(const TableDesign& d, int warningY) {
  TableControls& c = controls_;
  const int gammaY = warningY + 48;
  Label* gamma = AddLabel("Label6", core::SymbolText("g ="), {kLeftX + 16, gammaY, 40, 26});
  gamma->points = 12;
  txtg = AddTextBox("txtg", {kLeftX + 60, gammaY, 70, 26});
  txtg->what = "γ";
  AddButton("cmdend", "Done!", {kLeftX + 16, 410, 110, 36})->Click = [this] { End(); };

  frasingle = AddFrame("frasingle", "Single Value", kRight);
  AddButton("cmdscompute", "Compute", {16, 26, 100, 32}, frasingle, Look::Compute)->Click =
      [this] { SingleCompute(); };
  fraMulti = AddFrame("fraMulti", "Multiple Values", kRight);
  AddButton("cmdMcompute", "Compute", {16, 26, 100, 32}, fraMulti, Look::Compute)->Click =
      [this] { cmdMcompute_Click(); };
  AddLabel("lblMinAlt", "Min Mach Number", {150, 18, 140, 22}, fraMulti);
  txtMinm = AddTextBox("txtMinm", {150, 40, 90, 26}, fraMulti);
  txtMinm->setText("Text1");
  txtMinm->what = "Min Mach Number";
  AddLabel("lblMaxAlt", "Max Mach Number", {320, 18, 140, 22}, fraMulti);
  txtMaxm = AddTextBox("txtMaxm", {320, 40, 90, 26}, fraMulti);
  txtMaxm->setText("Text1");
  txtMaxm->what = "Max Mach Number";

  for (const Warning& w : d.warnings) {
    Frame* holder = AddFrame(w.frame, "", {kLeftX, warningY, kLeftW, 40}, nullptr, false);
    AddLabel(w.label, w.text, {8, 6, w.labelWidth, 28}, holder, Look::Warning);
    holder->setVisible(false);
    c.warnings.push_back(holder);
    c.warningValues.push_back(
        w.value.empty() ? nullptr
                        : AddLabel(w.value, w.valueText, {w.valueX, 6, 80, 28}, holder, Look::Warning));
  }
  for (const Note& n : d.notes)
    AddLabel(n.name, n.caption, {n.r.x, gammaY + 38 + n.r.y, n.r.w, n.r.h});
}

void TableWindow::BuildColumns(const TableDesign& d) {
  TableControls& c = controls_;
  // The single-value frame: a heading row and one result row, or the input
  // box in the first column.
  const int n = static_cast<int>(d.columns.size());
  const int w = ColumnWidth(n);
  for (int i = 0; i < n; ++i) {
    const Column& col = d.columns[i];
    const int x = kColumnsX + i * w;
    AddLabel(col.singleHeading, col.caption, {x, kHeadingY, w - 4, kHeadingH}, frasingle, Look::Heading);
    if (i == 0 && d.inputs[0].frame.empty()) {
      c.inputs[0] = AddTextBox(d.inputs[0].box, {x + 4, kHeadingY + kHeadingH + 2, w - 12, 26}, frasingle);
      c.inputs[0]->what = "Mach Number";
    } else {
      c.results.push_back(AddLabel(col.single, i == 0 ? "1" : "0.00",
                                   {x, kHeadingY + kHeadingH + 4, w - 4, kRowH}, frasingle, Look::Result));
    }
  }
  if (d.above) {
    Label* over = AddAbove(frasingle, d.above->column, n, d.above->single, d.above->caption);
    if (!d.above->singleSubscript.empty()) Subscript(over, d.above->singleSubscript);
  }

  // The table frame: first and last value, a heading row and 11 rows.
  for (int i = 0; i < n; ++i) {
    const Column& col = d.columns[i];
    const int x = kColumnsX + i * w;
    AddLabel(col.tableHeading, col.caption, {x, kHeadingY + 8, w - 4, kHeadingH}, fraMulti, Look::Heading);
    c.table.push_back(AddLabelArray(col.table, kRows, i == 0 ? "1" : "0.00",
                                    {x, kHeadingY + 8 + kHeadingH + 2, w - 4, kRowH}, kRowH, fraMulti));
  }
  if (d.above) {
    Label* over = AddAbove(fraMulti, d.above->column, n, d.above->table, d.above->caption);
    if (!d.above->tableSubscript.empty()) Subscript(over, d.above->tableSubscript);
  }
}

Label* TableWindow::AddAbove(Frame* in, int column, int columns, const std::string& name,
                             const std::string& caption) {
  // In the table frame it must clear the boxes of the table limits.
  const int y = in == fraMulti ? kHeadingY + 8 - 14 : kHeadingY - 20;
  const int w = ColumnWidth(columns);
  Label* label = AddLabel(name, caption, {kColumnsX + column * w, y, w - 4, 22}, in, Look::Heading);
  label->points = 11;
  return label;
}

void TableWindow::Subscript(Label* over, const std::string& name) {
  // "Lmax" in the blanks after ρ, a little lower, in a smaller face.
  const Rect r = over->rect;
  Label* sub = AddLabel(name, "Lmax", {r.x + r.w / 2 - 20, r.y + 5, 28, r.h}, over->parent());
  sub->points = 8;
}

// The load step: optSingle selected, the single-value frame shown, the
// default texts written ("#.##" for single-value inputs, "0.####" for the
// first table value, "##.##" for the last), "1.4" in txtg, then the first
// single-value computation.
void TableWindow::Form_Load() {
  optTable->setValue(false);
  controls_.options[0]->setValue(true);
  frasingle->setVisible(true);
  fraMulti->setVisible(false);
  for (size_t i = 0; i < design_.inputs.size(); ++i)
    controls_.inputs[i]->setText(core::FormatPattern(design_.inputs[i].value, "#.##"));
  txtMinm->setText(core::FormatPattern(static_cast<double>(design_.first), "0.####"));
  txtMaxm->setText(core::FormatPattern(static_cast<double>(design_.last), "##.##"));
  txtg->setText(core::NumberText(1.4));
  SingleCompute();
}

void TableWindow::SingleCompute() {
  // A single value that cannot be computed leaves its row blank, not the
  // values of the last one beside the message.
  Writes(controls_.results);
  cmdscompute_Click();
}

void TableWindow::SelectInput(int i) {
  frasingle->setVisible(true);
  for (size_t k = 0; k < controls_.inputFrames.size(); ++k)
    if (controls_.inputFrames[k] && static_cast<int>(k) != i) controls_.inputFrames[k]->setVisible(false);
  fraMulti->setVisible(false);
  for (Frame* w : controls_.warnings) w->setVisible(false);
  if (controls_.inputFrames[i]) controls_.inputFrames[i]->setVisible(true);
  mode_ = i;
}

void TableWindow::optTable_Click() {
  fraMulti->setVisible(true);
  frasingle->setVisible(false);
  for (Frame* f : controls_.inputFrames)
    if (f) f->setVisible(false);
  for (Frame* w : controls_.warnings) w->setVisible(false);
  cmdMcompute_Click();
}

void TableWindow::txtm1_Change() {
  frasingle->setVisible(true);
  for (Frame* w : controls_.warnings) w->setVisible(false);
}

void TableWindow::cmdMcompute_Click() {
  // A table is wholly new or, should any row fail, wholly blank.
  for (const auto& column : controls_.table) Writes(column);
  const float first = Strict(txtMinm);
  const float last = Strict(txtMaxm);
  const float g = Strict(txtg);
  const auto row = RowFormula(g);
  for (int i = 0; i < kRows; ++i) {
    const Row texts = row(RowValue(first, last, i));
    for (size_t c = 0; c < texts.size(); ++c) controls_.table[c][i]->setCaption(texts[c]);
  }
}

void TableWindow::ShowWarning(int i) {
  controls_.warnings[i]->setVisible(true);
  frasingle->setVisible(false);
}

void TableWindow::ShowResults(const Row& texts) {
  for (size_t i = 0; i < texts.size(); ++i) controls_.results[i]->setCaption(texts[i]);
}

void TableWindow::NoSolution(const std::string& message) {
  for (Label* label : controls_.results) label->setCaption("");
  throw core::Failure(message);
}

}  // namespace flowtables
