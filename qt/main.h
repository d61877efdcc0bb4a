// The one entry point of every program: the window, or with --script FILE
// the headless script mode.
#pragma once

#include <functional>
#include <memory>

#include "core/form.h"
#include "qt/model.h"

namespace qt {

using FormFactory = std::function<std::unique_ptr<Form>()>;

int RunProgram(int argc, char** argv, const FormFactory& make);

// The program's name as programs.txt lists it, which names its cases (the
// build defines CALC_PROGRAM for each program; otherwise the executable's
// file name stands in).
void SetProgramName(const char* name);

template <class Window>
int RunProgram(int argc, char** argv) {
#ifdef CALC_PROGRAM
  SetProgramName(CALC_PROGRAM);
#endif
  return RunProgram(argc, argv, [] { return std::make_unique<Window>(); });
}

}  // namespace qt
