// How a window reads to a person who does not see it, computed from the
// model alone: the caption that names each box or list, the reading order of
// the controls one reaches with Tab, and the whole window as caption-value
// rows for the clipboard.
#pragma once

#include <string>
#include <vector>

#include "frame/form.h"

namespace web {

// The trimmed caption of the label that describes a box, list or result:
// the nearest label to its left on the same row, else the nearest heading
// above it, else the caption of its frame. Empty when nothing describes it.
std::string CaptionOf(const frame::Form& form, const frame::Control& control);
// The label that gives that caption, or nullptr when it comes from elsewhere.
const frame::Control* CaptionLabel(const frame::Form& form, const frame::Control& control);

// Inputs top to bottom and left to right within a row, each frame's in turn
// where it stands (so a column of boxes is read down before the next one),
// then the buttons, then the results.
std::vector<const frame::Control*> ReadingOrder(const frame::Form& form);

// What the whole window's Copy puts on the clipboard: the shown inputs with
// their captions and the chosen options and list items, then the results,
// one "caption TAB value" row each.
std::string WindowCopyText(const frame::Form& form);

}  // namespace web
