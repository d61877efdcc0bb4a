// The chart of the duct march: Mach number, static temperature and pressure
// from the entry (station 5) to the exit (6), from the march's own steps.
#pragma once

#include "flowmarch/duct.h"
#include "core/chart.h"

namespace flowmarch {

inline constexpr const char* kDuctChart = "duct";

core::ChartData DuctChart(const Result& result);

}  // namespace flowmarch
