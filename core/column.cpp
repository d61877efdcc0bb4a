#include "core/column.h"

#include <algorithm>
#include <map>
#include <set>

#include "core/reading.h"

namespace core {

namespace {

// Whether b stands on a's row: it overlaps a by half the lower one's height.
bool SameRow(const Control& a, const Control& b) {
  const int top = std::max(a.rect.y, b.rect.y);
  const int bottom = std::min(a.rect.y + a.rect.h, b.rect.y + b.rect.h);
  return 2 * (bottom - top) >= std::min(a.rect.h, b.rect.h);
}

bool OwnRow(const Control& c) {
  return c.kind() == Kind::Picture || c.look == Look::Title || c.look == Look::Warning;
}

std::string RowCaption(const std::vector<const Control*>& row) {
  for (const Control* c : row)
    if (c->kind() == Kind::Label && c->look != Look::Result && c->look != Look::Warning)
      return Trimmed(c->text());
  return "";
}

}  // namespace

ColumnPart OneColumn(const Form& form) {
  ColumnPart window;
  std::map<const Frame*, ColumnPart*> sections{{nullptr, &window}};
  // The warnings of each section, put first once it is complete.
  std::map<const Frame*, std::vector<ColumnPart>> warnings;
  for (const Control* c : ElementOrder(form)) {
    ColumnPart& in = *sections.at(c->parent());
    if (c->kind() == Kind::Frame) {
      const auto* frame = static_cast<const Frame*>(c);
      ColumnPart section;
      section.frame = frame;
      section.caption = Trimmed(frame->caption());
      in.parts.push_back(std::move(section));
      // Its children follow it at once (ElementOrder), before any sibling
      // is added after it, so the pointer stays good while they are added.
      sections[frame] = &in.parts.back();
      continue;
    }
    if (c->look == Look::Warning) {
      ColumnPart row;
      row.row = {c};
      warnings[c->parent()].push_back(std::move(row));
      continue;
    }
    ColumnPart* last = in.parts.empty() || !in.parts.back().IsRow() ? nullptr : &in.parts.back();
    if (last && !OwnRow(*c) && !OwnRow(*last->row.front()) && SameRow(*last->row.front(), *c)) {
      last->row.push_back(c);
    } else {
      ColumnPart row;
      row.row = {c};
      in.parts.push_back(std::move(row));
    }
  }
  // Warnings first; then each row's captions.
  std::set<const Control*> beside;  // captions shown beside their values
  auto finish = [&](auto& self, ColumnPart& section) -> void {
    if (const auto at = warnings.find(section.frame); at != warnings.end())
      section.parts.insert(section.parts.begin(), at->second.begin(), at->second.end());
    for (ColumnPart& part : section.parts) {
      if (!part.IsRow()) {
        self(self, part);
        continue;
      }
      part.rowCaption = RowCaption(part.row);
      for (const Control* c : part.row) {
        std::string caption;
        if ((IsInput(*c) && c->kind() != Kind::Option) || IsResult(*c)) {
          const Control* label = CaptionControl(form, *c);
          if (label && std::find(part.row.begin(), part.row.end(), label) == part.row.end()) {
            caption = CaptionOf(form, *c);
            beside.insert(label);
          }
        }
        part.captions.push_back(std::move(caption));
      }
    }
  };
  finish(finish, window);
  auto mark = [&](auto& self, ColumnPart& section) -> void {
    for (ColumnPart& part : section.parts) {
      if (!part.IsRow()) {
        self(self, part);
        continue;
      }
      part.headings = std::all_of(part.row.begin(), part.row.end(), [&](const Control* c) {
        return c->kind() == Kind::Label && beside.count(c) > 0;
      });
    }
  };
  mark(mark, window);
  return window;
}

}  // namespace core
