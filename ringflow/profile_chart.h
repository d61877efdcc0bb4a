// Axial velocity and absolute flow angle against radius at every station a
// streamline run solved: how the stage reshapes the flow from hub to tip.
#pragma once

#include <string>

#include "core/chart.h"
#include "ringflow/streamline.h"

namespace ringflow {

inline constexpr const char* kRadialProfiles = "radial-profiles";

// Stations 1 to s.solved of a run; a station that did not converge
// (s.failed) is named in the title.
core::ChartData RadialProfiles(const Solution& s);

}  // namespace ringflow
