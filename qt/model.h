// The desktop view is written in the terms of the window model it shows.
#pragma once

#include "core/form.h"
#include "qt/model.h"

namespace qt {
using namespace core;
}  // namespace qt
