#include "core/chart.h"

#include "alpha/alpha_window.h"
