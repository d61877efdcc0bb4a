#include "flowtables/family.h"

#include <cmath>

#include "frame/numtext.h"

namespace flowtables {

using frame::Frame;
using frame::Label;
using frame::Look;
using frame::Rect;
using frame::TextBox;

namespace {

// Window geometry, in logical pixels.
constexpr int kWidth = 900;
constexpr int kHeight = 470;
constexpr int kLeftX = 8, kLeftW = 344;
constexpr Rect kRight{360, 56, 532, 404};
constexpr int kOptionDy = 30;
constexpr int kColumnsX = 8;
constexpr int kHeadingY = 74, kHeadingH = 40;
constexpr int kRowH = 24;  // 360 twips

}  // namespace

std::string Out(double value) { return frame::FormatPattern(value, "0.####"); }
std::string Out(float value) { return frame::FormatPattern(value, "0.####"); }

double Limit(double value) { return value > kResultLimit ? kResultLimit : value; }

float RowValue(float first, float last, int i) {
  const float step = (last - first) / 10.0f;
  const float offset = static_cast<float>(i) * step;
  return first + offset;
}

std::optional<double> SearchMach(const std::function<double(double)>& f, double target,
                                 double start, Branch branch) {
  // Both branches meet at M = 1, where a target on the boundary settles from
  // either side.
  auto onBranch = [branch](double m) {
    if (!std::isfinite(m) || m <= 0) return false;
    if (std::fabs(m - 1) < 1e-3) return true;
    return branch == Branch::Subsonic ? m < 1 : m > 1;
  };

  // The secant steps.
  double m = start, mp = 0, er = 0, erp = 0, erpp = 0;
  for (int pass = 0; pass < kSecantBound; ++pass) {
    er = target - f(m);
    if (!std::isfinite(er)) break;
    if (std::fabs(er) < 1e-11) {
      if (onBranch(m)) return m;
      break;
    }
    if (pass == 0) {
      mp = m;
      erp = er;
      m += 0.01;
      continue;
    }
    const double mpp = mp;
    erpp = erp;
    mp = m;
    erp = er;
    if (er == erpp) break;  // two equal errors: the secant has no slope
    m = m - er * (m - mpp) / (er - erpp);
    if (!std::isfinite(m)) break;
  }

  // Bisection on the branch. The function is monotone on each branch; the
  // interval is bracketed from M = 1 outwards, geometrically, because the
  // roots span many decades (a huge area ratio has a tiny subsonic M).
  double inner = 1.0, outer = 1.0;
  const double fInner = target - f(inner);
  if (!std::isfinite(fInner)) return std::nullopt;
  if (fInner == 0) return inner;
  bool bracketed = false;
  for (int k = 0; k < 2100 && !bracketed; ++k) {
    outer = branch == Branch::Subsonic ? outer / 2 : outer * 2;
    if (outer == 0 || !std::isfinite(outer)) break;
    const double fo = target - f(outer);
    if (!std::isfinite(fo)) continue;
    bracketed = (fo < 0) != (fInner < 0) || fo == 0;
    if (!bracketed) inner = outer;
  }
  if (!bracketed) return std::nullopt;
  double lo = std::fmin(inner, outer), hi = std::fmax(inner, outer);
  const double fLo = target - f(lo);
  for (int k = 0; k < 2200; ++k) {
    const double mid = lo > 0 && hi / lo > 4 ? std::sqrt(lo) * std::sqrt(hi) : lo + (hi - lo) / 2;
    if (mid <= lo || mid >= hi) break;
    const double fm = target - f(mid);
    if (!std::isfinite(fm)) return std::nullopt;
    if (std::fabs(fm) < 1e-11) return mid;
    if ((fm < 0) == (fLo < 0))
      lo = mid;
    else
      hi = mid;
  }
  // The interval has shrunk to adjacent numbers: the root is there.
  const double best = std::fabs(target - f(lo)) < std::fabs(target - f(hi)) ? lo : hi;
  return onBranch(best) ? std::optional<double>(best) : std::nullopt;
}

void RequireFinite(std::initializer_list<double> constants, float g) {
  for (double k : constants)
    if (!std::isfinite(k))
      throw frame::Failure("γ = " + frame::NumberText(g) +
                           " gives no finite ratios: type another γ");
}

// ---------------------------------------------------------------- window

TableWindow::TableWindow(std::string caption, std::string title)
    : frame::Form(std::move(caption), kWidth, kHeight) {
  lblTitle = AddLabel("lblTitle", std::move(title), {150, 8, 600, 38}, nullptr, Look::Title);
}

void TableWindow::BuildSelection(const std::vector<Input>& inputs,
                                 const std::string& tableCaption) {
  const int count = static_cast<int>(inputs.size()) + 1;
  fraSelect = AddFrame("fraSelect", "Selection", {kLeftX, 56, kLeftW, 30 + kOptionDy * count});
  for (int i = 0; i < static_cast<int>(inputs.size()); ++i) {
    const Input& in = inputs[i];
    const int y = 24 + kOptionDy * i;
    const bool boxed = !in.frame.empty();
    auto* option = AddOption(in.option, in.caption, {10, y, boxed ? 250 : 320, 26}, fraSelect);
    if (i == 0) optSingle = option;
    if (boxed) {
      Frame* holder = AddFrame(in.frame, "", {262, y - 1, 74, 28}, fraSelect, false);
      auto* box = AddTextBox(in.box, {0, 1, 70, 26}, holder);
      box->what = in.caption.substr(in.caption.find("of ") == std::string::npos
                                        ? 0
                                        : in.caption.find("of ") + 3);
    }
  }
  optTable = AddOption("optTable", tableCaption,
                       {10, 24 + kOptionDy * static_cast<int>(inputs.size()), 320, 26}, fraSelect);
  warningY_ = 56 + fraSelect->rect.h + 8;
  gammaY_ = warningY_ + 48;

  Label6 = AddLabel("Label6", frame::SymbolText("g ="), {kLeftX + 16, gammaY_, 40, 26});
  Label6->points = 12;
  txtg = AddTextBox("txtg", {kLeftX + 60, gammaY_, 70, 26});
  txtg->what = "γ";
  cmdend = AddButton("cmdend", "Done!", {kLeftX + 16, 410, 110, 36});
  cmdend->Click = [this] { End(); };

  frasingle = AddFrame("frasingle", "Single Value", kRight);
  cmdscompute = AddButton("cmdscompute", "Compute", {16, 26, 100, 32}, frasingle, Look::Compute);
  cmdscompute->Click = [this] { cmdscompute_Click(); };
  fraMulti = AddFrame("fraMulti", "Multiple Values", kRight);
  cmdMcompute = AddButton("cmdMcompute", "Compute", {16, 26, 100, 32}, fraMulti, Look::Compute);
  cmdMcompute->Click = [this] { cmdMcompute_Click(); };
  lblMinAlt = AddLabel("lblMinAlt", "Min Mach Number", {150, 18, 140, 22}, fraMulti);
  txtMinm = AddTextBox("txtMinm", {150, 40, 90, 26}, fraMulti);
  txtMinm->setText("Text1");
  txtMinm->what = "Min Mach Number";
  lblMaxAlt = AddLabel("lblMaxAlt", "Max Mach Number", {320, 18, 140, 22}, fraMulti);
  txtMaxm = AddTextBox("txtMaxm", {320, 40, 90, 26}, fraMulti);
  txtMaxm->setText("Text1");
  txtMaxm->what = "Max Mach Number";
}

Frame* TableWindow::AddWarning(const std::string& frame, const std::string& label,
                               const std::string& text, int labelWidth) {
  Frame* holder = AddFrame(frame, "", {kLeftX, warningY_, kLeftW, 40}, nullptr, false);
  AddLabel(label, text, {8, 6, labelWidth, 28}, holder, Look::Warning);
  holder->setVisible(false);
  return holder;
}

namespace {

int ColumnWidth(int columns) { return (kRight.w - 2 * kColumnsX) / columns; }

}  // namespace

void TableWindow::BuildSingle(const std::vector<Column>& columns,
                              const std::string& boxInFirstColumn) {
  const int n = static_cast<int>(columns.size());
  const int w = ColumnWidth(n);
  for (int i = 0; i < n; ++i) {
    const Column& c = columns[i];
    const int x = kColumnsX + i * w;
    AddLabel(c.heading, c.caption, {x, kHeadingY, w - 4, kHeadingH}, frasingle, Look::Heading);
    if (i == 0 && !boxInFirstColumn.empty()) {
      auto* box = AddTextBox(boxInFirstColumn, {x + 4, kHeadingY + kHeadingH + 2, w - 12, 26},
                             frasingle);
      box->what = "Mach Number";
    } else {
      AddLabel(c.result, i == 0 ? "1" : "0.00", {x, kHeadingY + kHeadingH + 4, w - 4, kRowH},
               frasingle, Look::Result);
    }
  }
}

void TableWindow::BuildMulti(const std::vector<Column>& columns) {
  const int n = static_cast<int>(columns.size());
  const int w = ColumnWidth(n);
  for (int i = 0; i < n; ++i) {
    const Column& c = columns[i];
    const int x = kColumnsX + i * w;
    AddLabel(c.heading, c.caption, {x, kHeadingY + 8, w - 4, kHeadingH}, fraMulti, Look::Heading);
    AddLabelArray(c.result, kRows, i == 0 ? "1" : "0.00",
                  {x, kHeadingY + 8 + kHeadingH + 2, w - 4, kRowH}, kRowH, fraMulti);
  }
}

Label* TableWindow::AddAbove(Frame* in, int column, const std::string& name,
                             const std::string& caption) {
  // The heading row of the table frame sits a little lower (below the limits).
  const int headingY = in == fraMulti ? kHeadingY + 8 : kHeadingY;
  int n = 0;
  for (frame::Control* c : Children(in))
    if (c->kind() == frame::Kind::Label && c->look == Look::Heading && c->rect.y == headingY) ++n;
  const int w = ColumnWidth(n);
  // In the table frame it must clear the boxes of the table limits.
  const int y = in == fraMulti ? headingY - 14 : headingY - 20;
  Label* label = AddLabel(name, caption, {kColumnsX + column * w, y, w - 4, 22}, in, Look::Heading);
  label->points = 11;
  return label;
}

void TableWindow::SetDefaults(const std::vector<std::pair<TextBox*, double>>& singleInputs,
                              double first, double last) {
  optTable->setValue(false);
  optSingle->setValue(true);
  frasingle->setVisible(true);
  fraMulti->setVisible(false);
  for (const auto& [box, value] : singleInputs) box->setText(frame::FormatPattern(value, "#.##"));
  txtMinm->setText(frame::FormatPattern(first, "0.####"));
  txtMaxm->setText(frame::FormatPattern(last, "##.##"));
  txtg->setText(frame::NumberText(1.4));
  cmdscompute_Click();
}

std::pair<float, float> TableWindow::ReadLimits() {
  const float first = Strict(txtMinm);
  const float last = Strict(txtMaxm);
  return {first, last};
}

void TableWindow::ShowOnly(Frame* show, const std::vector<Frame*>& all) {
  for (Frame* f : all)
    if (f != show) f->setVisible(false);
  if (show) show->setVisible(true);
}

void TableWindow::NoSolution(const std::vector<Label*>& results, const std::string& message) {
  for (Label* label : results) label->setCaption("");
  throw frame::Failure(message);
}

TextBox* TableWindow::Box(const std::string& name) const {
  return static_cast<TextBox*>(Find(name));
}

Label* TableWindow::Lbl(const std::string& name, int index) const {
  return static_cast<Label*>(Find(name, index));
}

std::vector<Label*> TableWindow::Array(const std::string& name) const {
  std::vector<Label*> labels;
  for (int i = 0; i < kRows; ++i) labels.push_back(Lbl(name, i));
  return labels;
}

}  // namespace flowtables
