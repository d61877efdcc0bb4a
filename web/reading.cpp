#include "web/reading.h"

#include <algorithm>
#include <functional>

namespace web {

using frame::Control;
using frame::Form;
using frame::Kind;
using frame::Look;
using frame::Rect;

namespace {

Rect Absolute(const Control& control) {
  Rect r = control.rect;
  for (const frame::Frame* f = control.parent(); f; f = f->parent()) {
    r.x += f->rect.x;
    r.y += f->rect.y;
  }
  return r;
}

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return "";
  const size_t last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

bool IsCaption(const Control& c) {
  return c.kind() == Kind::Label && c.look != Look::Result && c.look != Look::Warning &&
         c.look != Look::Title && !Trim(c.text()).empty() && &c != c.form().lblError;
}

bool IsInput(const Control& c) {
  if (c.kind() == Kind::TextBox) return !static_cast<const frame::TextBox&>(c).readOnly;
  return c.kind() == Kind::Option || c.kind() == Kind::List;
}

bool IsResult(const Control& c) {
  if (c.kind() == Kind::TextBox) return static_cast<const frame::TextBox&>(c).readOnly;
  return c.kind() == Kind::Label && c.look == Look::Result;
}

int Mid(const Rect& r) { return r.y + r.h / 2; }

}  // namespace

const Control* CaptionLabel(const Form& form, const Control& control) {
  const Rect box = Absolute(control);
  const Control* left = nullptr;
  const Control* above = nullptr;
  int leftGap = 0, aboveGap = 0;
  for (const auto& c : form.controls()) {
    if (!IsCaption(*c) || !c->visible() || c.get() == &control) continue;
    const Rect r = Absolute(*c);
    const int rowSlack = std::max(std::max(box.h, r.h) / 2, 6);
    if (r.x + r.w <= box.x + 4 && std::abs(Mid(r) - Mid(box)) <= rowSlack) {
      const int gap = box.x - (r.x + r.w);
      if (!left || gap < leftGap) left = c.get(), leftGap = gap;
    } else if (r.y + r.h <= box.y + 4 && r.x < box.x + box.w && box.x < r.x + r.w) {
      const int gap = box.y - (r.y + r.h);
      if (!above || gap < aboveGap) above = c.get(), aboveGap = gap;
    }
  }
  // A caption far away on the row is a heading of another column.
  if (left && leftGap <= 240) return left;
  if (above && aboveGap <= 120) return above;
  return nullptr;
}

std::string CaptionOf(const Form& form, const Control& control) {
  if (const Control* label = CaptionLabel(form, control)) return Trim(label->text());
  if (control.parent() && !Trim(control.parent()->text()).empty())
    return Trim(control.parent()->text());
  if (control.kind() == Kind::TextBox) return Trim(static_cast<const frame::TextBox&>(control).what);
  return "";
}

std::vector<const Control*> ReadingOrder(const Form& form) {
  // The walk: each container's children in rows (centres within half a row
  // of the row's first), left to right; a frame is entered where it stands.
  std::vector<const Control*> walk;
  std::function<void(const frame::Frame*)> visit = [&](const frame::Frame* in) {
    std::vector<Control*> children = form.Children(in);
    std::stable_sort(children.begin(), children.end(),
                     [](const Control* a, const Control* b) { return a->rect.y < b->rect.y; });
    std::vector<std::vector<Control*>> rows;
    int rowTop = 0, rowH = 0;
    for (Control* c : children) {
      if (rows.empty() || c->rect.y >= rowTop + std::max(rowH, 1) / 2 + 1) {
        rows.emplace_back();
        rowTop = c->rect.y;
        rowH = c->rect.h;
      }
      rows.back().push_back(c);
    }
    for (auto& row : rows) {
      std::stable_sort(row.begin(), row.end(),
                       [](const Control* a, const Control* b) { return a->rect.x < b->rect.x; });
      for (Control* c : row) {
        walk.push_back(c);
        if (c->kind() == Kind::Frame) visit(static_cast<frame::Frame*>(c));
      }
    }
  };
  visit(nullptr);
  std::vector<const Control*> order;
  for (const Control* c : walk)
    if (IsInput(*c)) order.push_back(c);
  for (const Control* c : walk)
    if (c->kind() == Kind::Button) order.push_back(c);
  for (const Control* c : walk)
    if (IsResult(*c)) order.push_back(c);
  return order;
}

std::string WindowCopyText(const Form& form) {
  std::string text;
  auto row = [&](const std::string& caption, const std::string& value) {
    text += caption;
    text += '\t';
    text += Trim(value);
    text += '\n';
  };
  const std::vector<const Control*> order = ReadingOrder(form);
  for (const Control* c : order) {
    if (!c->shown() || !IsInput(*c)) continue;
    if (c->kind() == Kind::Option) {
      if (static_cast<const frame::Option*>(c)->value())
        row(c->parent() ? Trim(c->parent()->text()) : "", c->text());
    } else {
      row(CaptionOf(form, *c), c->text());
    }
  }
  for (const Control* c : order)
    if (c->shown() && IsResult(*c) && !Trim(c->text()).empty()) row(CaptionOf(form, *c), c->text());
  return text;
}

}  // namespace web
