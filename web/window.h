// The one window a WebAssembly module holds; each program's module defines
// MakeWindow (generated beside the build).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "core/form.h"

namespace web {

std::unique_ptr<core::Form> MakeWindow();
// The program file name, as the desktop program is called.
extern const char* const kProgram;
// Every program of the suite that has a page: what StartProgram may open.
extern const std::vector<std::string> kPrograms;

// The print files the window has written, by name: the last bytes of each
// (web/page_files.cpp keeps them; the page offers them as downloads).
const std::string* PageFile(const std::string& name);

}  // namespace web
