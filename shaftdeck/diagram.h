// The line drawing of the machine: compressor, regenerator, combustor,
// turbine, the shaft with its rotation and the net work, and the stations.
#pragma once

#include <string>

namespace shaftdeck {

// SVG text of a 600 × 268 black-on-white drawing.
std::string CycleDiagram();

}  // namespace shaftdeck
