// Every input box of a window against the texts a person may leave in it:
// nothing, letters, a number beyond the Single range, zero and a negative
// number. Each case runs through the script mode; afterwards the window must
//  - never show a message that names a control (txt..., lbl...),
//  - name the box by its caption when it refuses the text,
//  - after a failure, show none of the results the computation writes
//    (they are blank), so old and new values never stand side by side.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "core/form.h"

namespace audit {

using Factory = std::function<std::unique_ptr<core::Form>()>;

// Runs the audit of one window. With --table FILE, appends one Markdown row
// per box to FILE. Returns the exit status: 0 when every case holds.
int Main(const std::string& program, const Factory& make, int argc, char** argv);

}  // namespace audit
