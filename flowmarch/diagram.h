// The duct schematic: two streams and a splitter plate, the mixing section,
// the mixer and flameholder, and the burning diverging section, with the
// stations 1 to 6. A 700 × 406 black-on-white drawing in SVG.
#pragma once

#include <string>

namespace flowmarch {

std::string DuctDiagram();

}  // namespace flowmarch
