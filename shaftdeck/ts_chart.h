// The stations of a computed power gas turbine cycle, for its T-s diagram
// and its table of stations.
#pragma once

#include "lib/cycle_charts/cycle_chart.h"
#include "shaftdeck/cycle.h"

namespace shaftdeck {

// Ambient 0, compressor inlet 2 and exit 3, regenerator air exit 3x, burner
// exit 4, turbine exit 5 and regenerator gas exit 5x (the regenerator's
// stations only when it is on), as the calculation stored them; entropy
// follows the cp rule it used. in: the inputs as the calculation fixed them.
cycle_charts::CycleDiagram PowerCycleDiagram(const CycleInputs& in, const CycleResult& result);

}  // namespace shaftdeck
