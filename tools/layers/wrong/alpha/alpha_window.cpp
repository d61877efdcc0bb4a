#include "alpha/alpha_window.h"

#include "beta/beta_window.h"
#include "core/form.h"
