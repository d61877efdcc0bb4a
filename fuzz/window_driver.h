// Drives a window model with random user actions and checks, after every
// action, what a person would notice: a hang, a number that is not a number,
// a failure nobody is told about, half a print file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>

#include "core/form.h"

namespace fuzz {

using Factory = std::function<std::unique_ptr<core::Form>()>;

// Runs the actions encoded in data on a new window; aborts on a broken
// invariant (the fuzzer records the input).
void DriveWindow(const uint8_t* data, size_t size, const Factory& make);

// Once per process: work in a scratch folder, so print files land there.
void EnterScratchFolder();

}  // namespace fuzz
