// A chart as a window shows it: the programs draw in US customary units; in
// SI every axis, point, label and table cell of a quantity is turned to its
// SI unit here, once, for both views, the sweeps and the script mode.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/chart.h"
#include "core/units.h"

namespace core {

// The quantity a US unit word of a caption or chart stands for ("psia",
// "deg R", "BTU/lbm-R"); nothing for a word that is no quantity's ("BTU").
std::optional<Quantity> QuantityOfUSUnit(std::string_view unit);

// Every value written with a US unit in the text ("Compressor exit 150
// psia", "Tt4 = 2500 R") turned to SI, the rest as it stands; a unit without
// a number before it has only its word replaced.
std::string ValuesInSI(std::string_view text);

ChartData ChartInUnits(ChartData chart, UnitSystem system);

}  // namespace core
