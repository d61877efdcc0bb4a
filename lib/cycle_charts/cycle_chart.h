// A computed cycle as pictures: its stations on the temperature-entropy
// plane, with the constant-pressure lines through chosen stations, and the
// same stations as a table. Shared by the jet engine and the power gas
// turbine cycles; each names its own stations.
#pragma once

#include <string>
#include <vector>

#include "core/chart.h"

namespace cycle_charts {

// Entropy of the cycle's gas from its cp rule and the gas constant:
// s2 − s1 = ∫ cp dT / T − R ln(p2 / p1), in BTU/(lbm·degR).
struct EntropyRule {
  // cp (BTU/(lbm·degR)) at a temperature when it varies with temperature;
  // null when it is the constant below.
  double (*cp)(double t) = nullptr;
  double constantCp = 0;

  // ∫ cp dT / T from t1 to t2 (degR); not a number unless both are above
  // zero and finite.
  double HeatIntegral(double t1, double t2) const;
  // s2 − s1 between two states (degR, psia).
  double Rise(double t1, double p1, double t2, double p2) const;
};

struct CycleStation {
  std::string number;  // as the program numbers it: "4", "5.5", "3x"
  std::string name;    // "burner exit", in the table
  std::string label;   // "burner", beside its point on the diagram
  float t = 0, p = 0;  // as the cycle stored them (degR, psia)
};

// A line from station to station, by their numbers.
struct CyclePath {
  std::string name;  // in the legend
  std::vector<std::string> stations;
};

struct CycleDiagram {
  std::string detail;           // how it was computed: "real, constant cp"
  std::string temperatureAxis;  // with the unit
  // Headings of the temperature and pressure columns of the table.
  std::string temperatureHeading, pressureHeading;
  EntropyRule rule;
  // Entropy is measured from the first station.
  std::vector<CycleStation> stations;
  std::vector<CyclePath> paths;
  // Stations whose pressure is drawn as a constant-pressure curve, with the
  // curve's legend text before the pressure.
  std::vector<std::pair<std::string, std::string>> isobars;
};

// Temperatures each constant-pressure curve is evaluated at, besides its
// station's.
inline constexpr int kIsobarPoints = 49;

// The entropy of each station from the first, in the order of the stations.
std::vector<double> StationEntropies(const CycleDiagram& diagram);

// "ts-diagram": the stations marked, the paths and the constant-pressure
// curves; unavailable when a station has no entropy (a temperature or
// pressure at or below zero, or not finite).
core::ChartData TsDiagramChart(const CycleDiagram& diagram);

// The stations by their numbers (0, 2, 3, 3x, 4, 5, 5.5, 6, 7, 7.5, 8, 9),
// whatever the order the cycle computed them in.
std::vector<const CycleStation*> InStationOrder(const std::vector<CycleStation>& stations);

// "stations": number, name, temperature and pressure of each station, in
// station order.
core::ChartData StationsChart(const CycleDiagram& diagram);

// The cycle charts of both cycle windows, by name, and the title of each
// (nullptr for a name that is not one of them).
inline const std::vector<std::string> kCycleCharts = {"ts-diagram", "stations"};
const char* CycleChartTitle(const std::string& name);
// Chart `name` of a computed cycle.
core::ChartData CycleChart(const std::string& name, const CycleDiagram& diagram);
// Why there is no cycle to chart after a Calculate that failed with
// `failure` (the error line; empty once a later action has cleared it).
std::string CalculationFailed(const std::string& failure);

// A Single with the shortest digits that read back as the same Single,
// without an exponent: "1285.4321", "14.69".
std::string SingleText(float value);

}  // namespace cycle_charts
