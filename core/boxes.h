// The one builder of a window's labelled text boxes: a table of rows, each
// a caption and its box (names, default text, places, how messages name the
// box and how it is read), built in the order of the table; and the reading
// of the boxes so built.
#pragma once

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/form.h"

namespace core {

// How a box's value is held: a Single is rounded to float when read.
enum class Precision { Single, Double };

struct BoxRow {
  std::string label;  // the caption's control name
  std::string caption;
  std::string box;   // the text box's name
  std::string text;  // what it holds at the start
  Rect labelAt, boxAt;
  std::string what = {};  // how messages name it; empty: by its caption
  Precision precision = Precision::Double;
  bool readOnly = false;  // a result
  Align align = Align::Left;
};

// The usual place of a box: gap pixels right of its caption, its top drop
// pixels above the caption's, boxW wide and boxH high.
struct Beside {
  int gap, drop, boxW, boxH;
};
// An input box so placed beside its caption at labelAt.
BoxRow RowBeside(std::string label, std::string caption, std::string box, std::string text,
                 Rect labelAt, Beside place, std::string what = {});
// A read-only result box so placed.
BoxRow ResultBeside(std::string label, std::string caption, std::string box, Rect labelAt,
                    Beside place, Align align = Align::Left);

// The boxes of one table, in its order, with the precision of each.
struct Boxes {
  std::vector<TextBox*> boxes;
  std::vector<Precision> precisions;
  TextBox* operator[](size_t i) const { return boxes[i]; }
  size_t size() const { return boxes.size(); }
  void Append(const Boxes& more);
  // Hands the boxes, in order, to the window's pointers to them.
  const Boxes& Into(std::initializer_list<TextBox**> targets) const;
  // Every box by the leading parser, each in its precision.
  std::vector<double> Values(const Form& form) const;
};

// For each row: its caption label, then its text box, in the frame `in`
// (nullptr: the window itself).
Boxes AddBoxes(Form& form, const std::vector<BoxRow>& rows, Frame* in = nullptr);

// One row alone.
TextBox* AddBox(Form& form, const BoxRow& row, Frame* in = nullptr);

// A frame and the rows in it, as described elsewhere in plain data: Rows is
// any range of rows with the members of BoxRow (places as {x, y, w, h},
// single for the precision), so a formula library can lay out boxes
// without knowing the window model.
template <class Described>
BoxRow RowOf(const Described& r) {
  return {r.label,
          r.caption,
          r.box,
          r.text,
          {r.labelAt.x, r.labelAt.y, r.labelAt.w, r.labelAt.h},
          {r.boxAt.x, r.boxAt.y, r.boxAt.w, r.boxAt.h},
          r.what,
          r.single ? Precision::Single : Precision::Double,
          r.readOnly};
}
template <class Row>
Boxes AddDescribed(Form& form, std::initializer_list<Row> rows, Frame* in = nullptr) {
  std::vector<BoxRow> built;
  for (const Row& r : rows) built.push_back(RowOf(r));
  return AddBoxes(form, built, in);
}
// Each described frame (members name, at, rows) as a bordered frame of the
// window with its boxes; the boxes of all, in order.
template <class Frames>
Boxes AddDescribedFrames(Form& form, const Frames& frames) {
  Boxes all;
  for (const auto& f : frames) {
    Frame* in = form.AddFrame(f.name, "", {f.at.x, f.at.y, f.at.w, f.at.h});
    std::vector<BoxRow> rows;
    for (const auto& r : f.rows) rows.push_back(RowOf(r));
    all.Append(AddBoxes(form, rows, in));
  }
  return all;
}

// The text box or frame of that name the window built (nullptr if none).
TextBox* BoxNamed(const Form& form, std::string_view name);
Frame* FrameNamed(const Form& form, std::string_view name);
// The boxes of those names, in order.
std::vector<TextBox*> BoxesNamed(const Form& form, std::initializer_list<std::string_view> names);

// The read-only boxes of a window: all that its computations show.
std::vector<TextBox*> ResultBoxes(const Form& form);

// The leading number of a box, in a precision (Form::Leading, LeadingSingle).
double Read(const Form& form, const TextBox* box, Precision precision);
inline float ReadSingle(const Form& form, const TextBox* box) {
  return static_cast<float>(Read(form, box, Precision::Single));
}

// The text of the control `id` when a person sees it; none when it is
// hidden or the window has no such control.
std::optional<std::string> ShownText(const Form& form, std::string_view id);
// The same as a function of the id, for a library that reads a window
// without knowing the window model.
std::function<std::optional<std::string>(const std::string&)> ShownTexts(const Form& form);

// The points of a sweep at which both outputs x and y read as numbers, one
// per point that settled without a message (a chart's line through them).
std::vector<ChartPoint> SweepLine(const SweepTrace& sweep, const std::string& x,
                                  const std::string& y);

}  // namespace core
