// A window as one column, for a screen narrower than the window: its frames
// as sections under their captions, each holding rows, in reading order
// (core/reading.h). A view draws this instead of the window's places; what
// the model shows or hides stays the view's to mirror, so every control has
// its place here, shown or not.
#pragma once

#include <string>
#include <vector>

#include "core/form.h"

namespace core {

struct ColumnPart {
  // A section: the frame it shows (nullptr: the window) and its caption.
  const Frame* frame = nullptr;
  std::string caption;
  std::vector<ColumnPart> parts;  // its rows and sections, in reading order
  // A row: its controls, left to right (a caption, a box, its unit; a
  // result's caption and value; options side by side), and the caption of
  // the row, the text of its first label ("Rotor Exit"), which tells apart
  // the boxes of rows that share a column's caption.
  std::vector<const Control*> row;
  std::string rowCaption;
  // For each control of the row: the caption of a box, list or result
  // whose caption stands elsewhere (a column's heading, an option above),
  // to be shown beside it once the column's heading is not above it; else
  // empty.
  std::vector<std::string> captions;
  // A row of captions only (column headings, a caption over a list), each
  // shown beside the values it names.
  bool headings = false;

  bool IsRow() const { return !row.empty(); }
};

// The whole window as one section. A section's warnings come first, where
// they are seen before what they concern; a control stands in its frame's
// section, a frame's section where the frame is read.
ColumnPart OneColumn(const Form& form);

}  // namespace core
