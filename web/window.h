// The one window a WebAssembly module holds; each program's module defines
// MakeWindow (generated beside the build).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "frame/form.h"

namespace web {

std::unique_ptr<frame::Form> MakeWindow();
// The program file name, as the desktop program is called.
extern const char* const kProgram;
// Every program of the suite that has a page: what StartProgram may open.
extern const std::vector<std::string> kPrograms;

}  // namespace web
