// The inlet and rotor exit velocity triangles of a computed stage, to scale:
// absolute velocity V, relative velocity W and blade speed U on a common
// base, so that V = U + W closes each triangle.
#pragma once

#include <string>

#include "bladerow/meanline.h"
#include "core/chart.h"

namespace bladerow {

inline constexpr const char* kVelocityTriangles = "velocity-triangles";

// The flow angles as the window shows them (degrees, from the axial or
// meridional direction, positive in the direction of blade motion).
struct ShownAngles {
  std::string al1, b1, al2, b2;
};

// The triangles of stage s of machine ct; settled is false when the exit
// density had not settled and s holds the last pass.
core::ChartData VelocityTriangles(const Stage& s, short ct, const ShownAngles& angles,
                                  bool settled);

}  // namespace bladerow
