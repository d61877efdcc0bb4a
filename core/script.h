// The headless script mode: drives a window model from a command file.
#pragma once

#include <iosfwd>
#include <string>

#include "core/form.h"
#include "core/sweep.h"

namespace core {

// One control as a JSON line (without the line end).
std::string ControlJson(const Control& control);
std::string JsonString(std::string_view text);

// Runs the load step, then the commands of in. Returns the exit status: 0,
// or 2 for a command that cannot be carried out (the message goes to err).
int RunScript(Form& form, std::istream& in, std::ostream& out, std::ostream& err);
// The same, with sweeps: make builds the fresh windows a sweep copies form to;
// units is the system the window starts in (--units).
int RunScript(Form& form, const FormFactory& make, std::istream& in, std::ostream& out,
              std::ostream& err, UnitSystem units = UnitSystem::US);

// One point of a sweep as the script mode prints it (without the line end).
std::string SweepPointJson(const SweepRequest& request, const SweepPoint& point);

}  // namespace core
