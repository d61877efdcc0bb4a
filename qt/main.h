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

template <class Window>
int RunProgram(int argc, char** argv) {
  return RunProgram(argc, argv, [] { return std::make_unique<Window>(); });
}

}  // namespace qt
