// A window's record of user actions as one text, so that another copy of the
// window (a sweep's worker, with its own module) can replay it. Every field
// is "<bytes>:<bytes of text>", so any text travels unharmed; an action is
// its type, control, text, item and effects, in that order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/form.h"

namespace core {

std::string EncodeActions(const std::vector<UserAction>& actions);

// The actions of an encoding; a Failure saying what is wrong, and where,
// when the text is not one.
std::vector<UserAction> DecodeActions(std::string_view encoded);

}  // namespace core
