// The print file of the power gas turbine maps: the shared tables, then
// inlet, regenerator (unless there is none), exhaust and load.
#pragma once

#include <string>
#include <vector>

#include "lib/engine_maps/map_tables.h"

namespace shaftfit {

inline constexpr const char* kPrintBase = "Varrond";

struct GtPrintInputs {
  engine_maps::MapTableInputs core;  // nc2d a Single, nc4d a Double
  float z1 = 0, z2 = 0, z3 = 0, z4 = 0;
  float effectiveness = 0, b33x = 0, b55x = 0;
  std::string regenerator;  // the list's choice; exactly "n" leaves it out
};

std::vector<std::string> GtMapLines(const GtPrintInputs& in);

}  // namespace shaftfit
