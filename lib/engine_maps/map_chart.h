// The compressor and turbine maps of the matching programs as charts: the
// speed lines of the printed map tables, the surge line, and the matched
// operating point on them. Computed with the maps' own functions.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/chart.h"
#include "lib/engine_maps/component_maps.h"

namespace engine_maps {

// The matched point on one map, at the values the match gave.
struct MapPoint {
  double x = 0, y = 0;    // compressor: mc2 and pic; turbine: pit and mc4
  double speed = 0;       // Nc2 or Nc4 (rpm) of the match
  std::string speedText;  // that speed as the window shows it, e.g. "10,954"
  bool surged = false;
};

// What a map shows beside its speed lines.
struct MapOverlay {
  std::optional<MapPoint> point;
  std::string noPoint;  // when there is no point: why, for the title
  // The matched points of a sweep (compressor map only).
  std::vector<core::ChartPoint> running;
};

// Points along each drawn speed line, surge (or no flow) to choke.
inline constexpr int kChartSteps = 40;
// Of those, every kLabelEvery-th before choke is marked with its efficiency.
inline constexpr int kLabelEvery = 8;

// Pressure ratio against corrected flow: the five speed lines of the printed
// compressor table from the surge line to choke (each named at its choke
// end, as "6,000 rpm"), the surge line, the matched speed line (dashed,
// unnamed: the point on it names its speed) and point, the efficiency at
// points of each line ("etac", labelled).
core::ChartData CompressorMapChart(const Compressor& c, const MapOverlay& overlay);
// Corrected flow against pressure ratio pt5/pt4 for the five speeds of the
// printed turbine table, the matched speed line (dashed) and point.
core::ChartData TurbineMapChart(const Turbine& t, const MapOverlay& overlay);

// A speed in rpm with grouped thousands, as the windows show it: "10,954".
std::string RpmText(double rpm);

}  // namespace engine_maps
