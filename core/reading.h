// How a person reads a window: the order of its controls, the caption that
// tells what each box, list or result is, and the whole window as text.
// Worked out from the controls' places and containers alone, so that every
// window gets it without saying so.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/form.h"

namespace core {

// The shown controls inside a container (nullptr: the window), frames opened
// in their place: rows top to bottom, left to right within a row, a block of
// side-by-side columns one column after the other.
std::vector<Control*> ReadingOrder(const Form& form, const Frame* in = nullptr);
// The same order over every control, hidden or not, each frame just before
// what it holds: the order a view keeps its elements in, so that what it
// shows later already stands in its place.
std::vector<Control*> ElementOrder(const Form& form);

// The order Tab takes through the shown controls: what the user fills in,
// as it reads; then the compute buttons, then the other buttons; then the
// read-only boxes of what the window has computed.
std::vector<Control*> TabOrder(const Form& form);
// A button that computes (its look, or the caption "Compute"/"Calculate").
bool IsCompute(const Control& control);

// What a person types into or chooses: an editable box, a list, an option.
bool IsInput(const Control& control);
// What a window computes: a result value or a read-only box.
bool IsResult(const Control& control);

// The label that tells what a box, list or result is: the one just left of
// it on its row, else the heading just above it, else (for a box beside an
// option) that option. Nullptr when there is none.
const Control* CaptionControl(const Form& form, const Control& control);
// The one name of a control, wherever it is named: the error line, the
// screen reader, Copy, the sweep panels, the help's tables. A box the
// program names itself ("what") goes by that name; else the caption
// control's text, trimmed; an option's, button's or frame's own caption; a
// box or list without a label of its own takes the frame around it. When
// nothing describes it: a list by its choices ("a / b"), else "A box".
std::string CaptionOf(const Form& form, const Control& control);
// The unit a control of a quantity is shown in, in the window's system
// ("kPa"); empty for a control of no quantity.
std::string ShownUnit(const Form& form, const Control& control);
// A text with the blanks that pad it trimmed and runs of blanks made one.
std::string Trimmed(std::string_view text);

// The whole window as rows "caption TAB value": every input (boxes, the
// chosen item of each list, the chosen option of each group) in reading
// order, then every result.
std::string WindowText(const Form& form);

}  // namespace core
