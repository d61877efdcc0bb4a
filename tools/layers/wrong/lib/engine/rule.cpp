#include "lib/engine/rule.h"

#include "core/form.h"
