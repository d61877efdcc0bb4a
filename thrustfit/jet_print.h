// The print file of the jet engine maps: the shared tables, then diffuser and
// nozzle for the engine analyses and the airframe drag for the airframe one.
#pragma once

#include <string>
#include <vector>

#include "lib/engine_maps/map_tables.h"
#include "thrustfit/jet_matching.h"

namespace thrustfit {

inline constexpr const char* kPrintBase = "Quennic";

struct JetPrintInputs {
  engine_maps::MapTableInputs core;
  Mode mode = Mode::Engine;
  std::string nozzle;
  float pidd = 0, mn = 0, a = 0;
  double etand = 0;
  double d1 = 0;
  float engines = 0;
};

std::vector<std::string> JetMapLines(const JetPrintInputs& in);

}  // namespace thrustfit
