// A slow rendering of the format patterns from the exact decimal expansion of
// a value, written independently of the core, to test it against.
#pragma once

#include <string>

namespace fuzz {

std::string ReferenceFormat(double value, int significant, const std::string& pattern);

}  // namespace fuzz
