#include "core/reading.h"

#include <algorithm>

namespace core {

namespace {

// Controls that touch by a pixel or two still lie apart.
constexpr int kTouch = 2;
// How far a caption may stand from what it describes.
constexpr int kLeftReach = 260;

struct Item {
  Control* control;
  Rect r;
};

int Start(const Rect& r, bool vertical) { return vertical ? r.y : r.x; }
int End(const Rect& r, bool vertical) { return vertical ? r.y + r.h : r.x + r.w; }

// The items in strips across the given axis that no item straddles: rows
// (vertical) or columns.
std::vector<std::vector<Item>> Strips(std::vector<Item> items, bool vertical) {
  std::stable_sort(items.begin(), items.end(), [vertical](const Item& a, const Item& b) {
    return Start(a.r, vertical) < Start(b.r, vertical);
  });
  std::vector<std::vector<Item>> strips;
  int end = 0;
  for (const Item& item : items) {
    if (strips.empty() || Start(item.r, vertical) >= end) {
      strips.emplace_back();
      end = End(item.r, vertical);
    }
    strips.back().push_back(item);
    end = std::max(end, End(item.r, vertical));
  }
  return strips;
}

void Walk(const Form& form, const Frame* in, std::vector<Control*>& out, bool all);

int Span(const std::vector<Item>& part) {
  int top = part.front().r.y, bottom = top;
  for (const Item& item : part) {
    top = std::min(top, item.r.y);
    bottom = std::max(bottom, item.r.y + item.r.h);
  }
  return bottom - top;
}

// Whether items stand in side-by-side columns that each run (nearly) their
// height and whose rows do not line up as a grid's do: a row strip across
// them takes in more than one row of some column.
bool Columnar(const std::vector<Item>& items, size_t rows) {
  const auto columns = Strips(items, false);
  if (columns.size() < 2) return false;
  const int height = Span(items);
  bool ragged = false;
  for (const auto& column : columns) {
    if (2 * Span(column) < height) return false;
    ragged = ragged || Strips(column, true).size() > rows;
  }
  return ragged;
}

// Rows top to bottom, each left to right; a block of side-by-side columns
// (a run of rows that together stand in ragged columns) column by column.
// Each cut leaves fewer items on either side, so this ends.
void Order(const Form& form, std::vector<Item> items, std::vector<Control*>& out, bool all) {
  if (items.size() > 1) {
    const auto rows = Strips(items, true);
    std::vector<std::vector<Item>> parts;
    bool byColumns = false;
    if (rows.size() > 1) {
      // Runs of rows, each as long as it stays columnar.
      for (size_t i = 0; i < rows.size();) {
        std::vector<Item> block = rows[i], run = rows[i];
        size_t end = i;
        for (size_t k = i + 1; k < rows.size(); ++k) {
          run.insert(run.end(), rows[k].begin(), rows[k].end());
          // More rows only join columns: once one column is left, no longer
          // run stands in columns.
          if (Strips(run, false).size() < 2) break;
          if (Columnar(run, k - i + 1)) block = run, end = k;
        }
        parts.push_back(std::move(block));
        i = end + 1;
      }
    } else {
      parts = Strips(items, false);
      byColumns = true;
    }
    if (parts.size() > 1) {
      for (auto& part : parts) Order(form, std::move(part), out, all);
      return;
    }
    if (parts.size() == 1 && !byColumns && parts.front().size() == items.size() &&
        rows.size() > 1) {
      // One columnar block: its columns one after the other.
      for (auto& column : Strips(items, false)) Order(form, std::move(column), out, all);
      return;
    }
    // Lying over each other: by their top edges, then left edges.
    std::stable_sort(items.begin(), items.end(), [](const Item& a, const Item& b) {
      return a.r.y != b.r.y ? a.r.y < b.r.y : a.r.x < b.r.x;
    });
  }
  for (const Item& item : items) {
    if (item.control->kind() == Kind::Frame) {
      if (all) out.push_back(item.control);
      Walk(form, static_cast<const Frame*>(item.control), out, all);
    } else
      out.push_back(item.control);
  }
}

void Walk(const Form& form, const Frame* in, std::vector<Control*>& out, bool all) {
  std::vector<Item> items;
  for (Control* child : form.Children(in))
    if (all || child->visible()) items.push_back({child, child->rect});
  Order(form, std::move(items), out, all);
}

bool Overlap(int a0, int a1, int b0, int b1, int least) {
  return std::min(a1, b1) - std::max(a0, b0) >= least;
}

// A label that can tell what something is: not a value, a title or a warning.
bool Describes(const Control& c) {
  if (!c.visible()) return false;
  if (c.kind() == Kind::Option) return true;
  if (c.kind() != Kind::Label) return false;
  if (c.look != Look::Text && c.look != Look::Heading) return false;
  return c.text().find_first_not_of(" \t\r\n") != std::string::npos;
}

}  // namespace

std::vector<Control*> ReadingOrder(const Form& form, const Frame* in) {
  std::vector<Control*> out;
  Walk(form, in, out, false);
  return out;
}

std::vector<Control*> ElementOrder(const Form& form) {
  std::vector<Control*> out;
  Walk(form, nullptr, out, true);
  return out;
}

std::vector<Control*> TabOrder(const Form& form) {
  std::vector<Control*> inputs, computes, buttons, results;
  for (Control* control : ReadingOrder(form)) {
    if (IsInput(*control))
      inputs.push_back(control);
    else if (control->kind() == Kind::Button)
      (IsCompute(*control) ? computes : buttons).push_back(control);
    else if (control->kind() == Kind::TextBox)
      results.push_back(control);
  }
  for (auto* part : {&computes, &buttons, &results})
    inputs.insert(inputs.end(), part->begin(), part->end());
  return inputs;
}

bool IsCompute(const Control& control) {
  return control.kind() == Kind::Button &&
         (control.look == Look::Compute || control.text() == "Compute" ||
          control.text() == "Calculate");
}

bool IsInput(const Control& control) {
  switch (control.kind()) {
    case Kind::TextBox: return !static_cast<const TextBox&>(control).readOnly;
    case Kind::List:
    case Kind::Option: return true;
    default: return false;
  }
}

bool IsResult(const Control& control) {
  if (control.kind() == Kind::TextBox) return static_cast<const TextBox&>(control).readOnly;
  return control.kind() == Kind::Label && control.look == Look::Result;
}

const Control* CaptionControl(const Form& form, const Control& control) {
  const Rect c = AbsoluteRect(control);
  // Looked for in the control's own container and every one around it: a
  // column heading may stand in the frame around a row's frame.
  struct Best {
    const Control* label = nullptr;
    int gap = 0;
    void Offer(const Control* l, int g) {
      if (!label || g < gap) label = l, gap = g;
    }
  } left, above, leftHeading, anyLeft, title;
  // Its row begins with a label that names another box or list.
  bool rowTaken = false;
  for (const Frame* in = control.parent();; in = in->parent()) {
    const std::vector<Control*> level = form.Children(in);
    for (const Control* l : level) {
      if (l == &control || !l->visible()) continue;
      const Rect r = AbsoluteRect(*l);
      const bool row = Overlap(r.y, r.y + r.h, c.y, c.y + c.h, std::min(r.h, c.h) / 2);
      const bool column = Overlap(r.x, r.x + r.w, c.x, c.x + c.w, std::min(r.w, c.w) / 2);
      const bool isLabel = l->kind() == Kind::Label;
      if (isLabel && l->look == Look::Title && r.y < c.y &&
          Overlap(r.x, r.x + r.w, c.x, c.x + c.w, 1))
        title.Offer(l, c.y - r.y);
      if (!Describes(*l)) continue;
      if (row && r.x < c.x && r.x + r.w / 2 < c.x) {
        const int gap = std::max(0, c.x - (r.x + r.w));
        if (gap > kLeftReach) continue;
        // Nothing else may stand between it and the control on the row. A
        // box or list of another name between them is what the label names
        // (the elements of one array share their row's label).
        bool between = false, claimed = false;
        for (const Control* m : level) {
          if (m == l || m == &control || !m->visible() || m->kind() == Kind::Label ||
              m->kind() == Kind::Frame)
            continue;
          const Rect mr = AbsoluteRect(*m);
          if (mr.x >= r.x + r.w / 2 && mr.x + mr.w <= c.x + kTouch &&
              Overlap(mr.y, mr.y + mr.h, c.y, c.y + c.h, 1)) {
            between = true;
            if ((m->kind() == Kind::TextBox || m->kind() == Kind::List) &&
                m->name() != control.name())
              claimed = true;
          }
        }
        if (isLabel && !claimed) anyLeft.Offer(l, gap);
        if (isLabel && claimed) rowTaken = true;
        if (between) continue;
        (isLabel && l->look == Look::Heading ? leftHeading : left).Offer(l, gap);
      } else if (isLabel && column && r.y + r.h <= c.y + kTouch + 2) {
        above.Offer(l, c.y - (r.y + r.h));
      }
    }
    if (!in) break;
  }
  for (const Best* best : {&left, &above, &leftHeading})
    if (best->label) return best->label;
  // A list or box with no label of its own: the label its row begins with,
  // else the title over it (unless it stands second on a labelled row).
  if (control.kind() == Kind::Label) return nullptr;
  if (anyLeft.label) return anyLeft.label;
  return rowTaken ? nullptr : title.label;
}

std::string Trimmed(std::string_view text) {
  std::string out;
  bool blank = false;
  for (char ch : text) {
    if (ch == ' ' || ch == '\t' || ch == '\r' || ch == '\n') {
      blank = !out.empty();
      continue;
    }
    if (blank) out += ' ';
    blank = false;
    out += ch;
  }
  return out;
}

std::string ShownUnit(const Form& form, const Control& control) {
  const TextUnit* unit = control.unit();
  if (!unit) return {};
  return form.units() == UnitSystem::SI ? unit->si : unit->us;
}

std::string CaptionOf(const Form& form, const Control& control) {
  switch (control.kind()) {
    case Kind::Option:
    case Kind::Button:
    case Kind::Frame: return Trimmed(control.text());
    case Kind::Label:
      if (!IsResult(control)) return Trimmed(control.text());
      break;
    case Kind::TextBox:
      // A box the program names itself is named so everywhere, as its
      // failures name it (kept as written: the messages quote it).
      if (const std::string& what = static_cast<const TextBox&>(control).what; !what.empty())
        return control.unit() ? CaptionText(what, *control.unit(), form.units()) : what;
      break;
    default: break;
  }
  if (const Control* caption = CaptionControl(form, control)) return Trimmed(caption->text());
  for (const Frame* f = control.parent(); f; f = f->parent())
    if (!Trimmed(f->caption()).empty()) return Trimmed(f->caption());
  // Nothing on the window describes it: a list by its choices, anything
  // else as what it is (never by the control's own name).
  if (control.kind() == Kind::List) {
    std::string joined;
    for (const std::string& item : static_cast<const ListBox&>(control).items())
      if (!Trimmed(item).empty()) joined += (joined.empty() ? "" : " / ") + Trimmed(item);
    if (!joined.empty()) return joined;
    return "A list";
  }
  return "A box";
}

std::string WindowText(const Form& form) {
  const std::vector<Control*> order = ReadingOrder(form);
  std::string inputs, results;
  auto row = [&form](std::string& to, const Control& control, const std::string& value) {
    std::string caption = control.kind() == Kind::Option && control.parent()
                              ? Trimmed(control.parent()->caption())
                              : CaptionOf(form, control);
    if (!caption.empty()) to += caption + '\t';
    to += value + '\n';
  };
  for (const Control* c : order) {
    if (c->kind() == Kind::Option) {
      if (static_cast<const Option*>(c)->value()) row(inputs, *c, Trimmed(c->text()));
    } else if (c->kind() == Kind::List) {
      // A list with nothing chosen is an input all the same.
      const auto* list = static_cast<const ListBox*>(c);
      row(inputs, *c, list->listIndex() < 0 ? "(none)" : c->text());
    } else if (IsInput(*c)) {
      row(inputs, *c, c->text());
    } else if (IsResult(*c) && !Trimmed(c->text()).empty()) {
      row(results, *c, Trimmed(c->text()));
    }
  }
  return inputs + results;
}

}  // namespace core
