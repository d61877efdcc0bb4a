// The stations of a computed jet engine cycle, for its T-s diagram and its
// table of stations.
#pragma once

#include "lib/cycle_charts/cycle_chart.h"
#include "thrustdeck/cycle.h"

namespace thrustdeck {

// The stations the calculation passed through, as it stored them: free
// stream 0, diffuser 2, compressor 3, burner 4, turbine 5, mixer 5.5,
// afterburner 6, primary nozzle exit 8 (static); the fan stream 7, duct 7.5
// and fan nozzle exit 9 (static). Parts the engine has not are left out.
// Entropy follows the cp rule the calculation used.
cycle_charts::CycleDiagram JetCycleDiagram(const CycleState& state);

}  // namespace thrustdeck
