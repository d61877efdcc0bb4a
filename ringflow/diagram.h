// The picture that explains the notation: a meridional section of one stage.
#pragma once

#include <string>

namespace ringflow {

// SVG text of 700 by 510 pixels.
const std::string& DiagramSvg();

}  // namespace ringflow
