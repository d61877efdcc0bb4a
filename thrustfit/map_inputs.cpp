#include "thrustfit/map_inputs.h"

namespace maps {

double Read(const frame::Form& form, BoxRead in) {
  const double value = form.Leading(in.box);
  return in.precision == Precision::Single ? static_cast<float>(value) : value;
}

MapInputs ReadMaps(const frame::Form& form, const MapBoxes& b) {
  auto single = [&form](BoxRead in) { return static_cast<float>(Read(form, in)); };
  auto wide = [&form](BoxRead in) { return Read(form, in); };
  MapInputs m;
  m.comp = {single(b.c1), single(b.c2),    single(b.c3),     single(b.c4),
            single(b.c5), wide(b.nc2d),    wide(b.etacd),    wide(b.mu)};
  m.burn = {single(b.b1), single(b.b2), single(b.h), wide(b.etabd)};
  m.turb = {single(b.pitc), single(b.k1), single(b.k2), wide(b.mc4c), wide(b.nc4d), wide(b.etatd)};
  return m;
}

constexpr int kBoxH = 22;

frame::TextBox* InputRow(frame::Form& form, frame::Frame* in, const std::string& label,
                         const std::string& caption, const std::string& box,
                         const std::string& text, int row, int labelWidth, int boxWidth) {
  form.AddLabel(label, caption, {8, RowY(row) + 2, labelWidth, 20}, in);
  frame::TextBox* t = form.AddTextBox(box, {12 + labelWidth, RowY(row), boxWidth, kBoxH}, in);
  t->setText(text);
  return t;
}

frame::TextBox* OutputRow(frame::Form& form, frame::Frame* in, const std::string& label,
                          const std::string& caption, const std::string& box, int x, int row,
                          int labelWidth) {
  form.AddLabel(label, caption, {x, RowY(row) + 2, labelWidth, 20}, in);
  frame::TextBox* t = form.AddTextBox(box, {x + labelWidth + 4, RowY(row), 86, kBoxH}, in);
  t->readOnly = true;
  return t;
}

}  // namespace maps
