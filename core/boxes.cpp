#include "core/boxes.h"

#include <algorithm>

#include "core/sweep.h"

namespace core {

namespace {

Rect BoxAt(const Rect& labelAt, const Beside& place) {
  return {labelAt.x + labelAt.w + place.gap, labelAt.y - place.drop, place.boxW, place.boxH};
}

}  // namespace

BoxRow RowBeside(std::string label, std::string caption, std::string box, std::string text,
                 Rect labelAt, Beside place, std::string what) {
  const Rect boxAt = BoxAt(labelAt, place);
  return {std::move(label), std::move(caption), std::move(box), std::move(text), labelAt, boxAt,
          std::move(what)};
}

BoxRow ResultBeside(std::string label, std::string caption, std::string box, Rect labelAt,
                    Beside place, Align align) {
  BoxRow row = RowBeside(std::move(label), std::move(caption), std::move(box), "", labelAt, place);
  row.readOnly = true;
  row.align = align;
  return row;
}

void Boxes::Append(const Boxes& more) {
  boxes.insert(boxes.end(), more.boxes.begin(), more.boxes.end());
  precisions.insert(precisions.end(), more.precisions.begin(), more.precisions.end());
}

const Boxes& Boxes::Into(std::initializer_list<TextBox**> targets) const {
  size_t i = 0;
  for (TextBox** target : targets) *target = boxes.at(i++);
  return *this;
}

std::vector<double> Boxes::Values(const Form& form) const {
  std::vector<double> values;
  for (size_t i = 0; i < boxes.size(); ++i) values.push_back(Read(form, boxes[i], precisions[i]));
  return values;
}

Boxes AddBoxes(Form& form, const std::vector<BoxRow>& rows, Frame* in) {
  Boxes built;
  for (const BoxRow& r : rows) {
    form.AddLabel(r.label, r.caption, r.labelAt, in);
    TextBox* box = form.AddTextBox(r.box, r.boxAt, in);
    box->what = r.what;
    box->readOnly = r.readOnly;
    box->align = r.align;
    box->setText(r.text);
    built.boxes.push_back(box);
    built.precisions.push_back(r.precision);
  }
  return built;
}

TextBox* BoxNamed(const Form& form, std::string_view name) {
  Control* c = form.Find(name);
  return c && c->kind() == Kind::TextBox ? static_cast<TextBox*>(c) : nullptr;
}

Frame* FrameNamed(const Form& form, std::string_view name) {
  Control* c = form.Find(name);
  return c && c->kind() == Kind::Frame ? static_cast<Frame*>(c) : nullptr;
}

std::vector<TextBox*> BoxesNamed(const Form& form, std::initializer_list<std::string_view> names) {
  std::vector<TextBox*> boxes;
  for (std::string_view n : names) boxes.push_back(BoxNamed(form, n));
  return boxes;
}

TextBox* AddBox(Form& form, const BoxRow& row, Frame* in) { return AddBoxes(form, {row}, in)[0]; }

std::vector<TextBox*> ResultBoxes(const Form& form) {
  std::vector<TextBox*> boxes;
  for (const auto& c : form.controls())
    if (c->kind() == Kind::TextBox && static_cast<TextBox&>(*c).readOnly)
      boxes.push_back(static_cast<TextBox*>(c.get()));
  return boxes;
}

double Read(const Form& form, const TextBox* box, Precision precision) {
  return precision == Precision::Single ? form.LeadingSingle(box) : form.Leading(box);
}

std::optional<std::string> ShownText(const Form& form, std::string_view id) {
  const Control* c = form.FindById(id);
  if (!c || !c->shown()) return std::nullopt;
  return c->text();
}

std::function<std::optional<std::string>(const std::string&)> ShownTexts(const Form& form) {
  return [&form](const std::string& id) { return ShownText(form, id); };
}

std::vector<ChartPoint> SweepLine(const SweepTrace& sweep, const std::string& x,
                                  const std::string& y) {
  std::vector<ChartPoint> line;
  const int cx = sweep.Column(x), cy = sweep.Column(y);
  if (cx < 0 || cy < 0) return line;
  for (const SweepTrace::Point& p : sweep.points) {
    if (p.gap || p.texts.size() <= static_cast<size_t>(std::max(cx, cy))) continue;
    const std::optional<double> vx = ShownNumber(p.texts[cx]);
    const std::optional<double> vy = ShownNumber(p.texts[cy]);
    if (vx && vy) line.push_back(std::pair{*vx, *vy});
  }
  return line;
}

}  // namespace core
