// The map tables that both matching programs print: turbine, compressor,
// shaft and burner, from the constants in the input boxes. The programs hold
// some constants in other precisions, which shows in the printed digits.
#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <vector>

#include "lib/engine_maps/component_maps.h"

namespace engine_maps {

struct MapTableInputs {
  Compressor comp;  // mu as typed (a Double)
  Burner burn;
  Turbine turb;
  float s1 = 0, s2 = 0;
  // How the program holds these, and so how they are printed.
  bool nc4dSingle = true;
  bool nc2dSingle = false;
  bool etamSingle = false;
};

// Design speed - 6000 and five steps of 2000 up, as Singles; index 0 is
// below the tables.
std::array<float, 6> SpeedSteps(double design);
// Choking flows of the compressor speeds: Nc2_i * c2 as Singles.
std::array<float, 6> ChokeFlows(const Compressor& comp);
// Rows of each burner table: mc3 = 5, 10, ... up to the first value above
// 0.999*mc4c, none if 150 is not enough.
int BurnerRows(double mc4c);

// A point of the compressor table's speed line nc2 with the choking flow
// choke: k of steps from the surge line (k = 0) to choke (k = steps).
struct CompressorRow {
  double mc2, pic, etac;
};
CompressorRow CompressorTableRow(const Compressor& c, float nc2, float choke, int k, int steps);
inline constexpr int kCompressorSteps = 10;  // of each printed speed line

// A table row or parameter that is not a number cannot be printed: throws
// core::Failure(message), which names the map and its inputs.
void RequireFinite(std::initializer_list<double> values, const std::string& message);

// Appends the turbine, compressor, shaft and burner sections, each line
// without its line end.
void AppendCoreTables(std::vector<std::string>& lines, const MapTableInputs& in);

}  // namespace engine_maps
