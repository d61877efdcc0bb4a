// Incompressible streamline analysis of one to four axial stages: stream
// tubes of fixed mass flow, continuity and simple radial equilibrium at every
// axial station, marched from the IGV entrance to the last blade row.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace ringflow {

inline constexpr double kPi = 3.141592654;
inline constexpr double kRad = 180 / kPi;  // degrees per radian

inline constexpr int kMaxStations = 10;
inline constexpr int kMaxAnnuli = 9;

// Arrays indexed from 1 as stations, rows, annuli and input points are.
using Grid = std::array<std::array<double, 12>, 12>;

struct StageInput {
  double dh = 0, dt = 0, rotn = 0, q = 0, rho = 0;
  double pin = 0;    // psia
  int nan = 3;       // annuli: odd, 1 to 9
  int isl = 0;       // 0: half flows in the hub and tip annuli, 1: equal flows
  int itty = 0;      // 0: secant steps, 1: interval stepping
  int ntyp = 2;      // 1 free vortex, 2 all annuli, 3 hub, mean and tip
  int nbr = 3;       // blade rows: 3, 5, 7 or 9
  bool turbine = false;
  Grid ang{};                          // ANG(j, k), degrees
  Grid eff{};                          // EFF(r, k) of the rotor rows
  std::array<double, 12> alnm{};       // ALNM(j), degrees (type 1)
};

// The bounds of the iterations. Each was chosen well above what the hardest
// cases that settle need; reaching one fails the station.
// The hardest cases that settle (up to nine annuli and four stages, both
// iteration types) need up to 1062 evaluations of one annulus in one pass,
// 2059 hub passes, 10 restarts, and 3.9 million evaluations in all; runs
// that do not settle end within 0.8 million. An evaluation costs about
// 85 ns, so the whole-run bound ends any run within about 0.85 s.
struct Bounds {
  long annulusSteps = 20000;     // evaluations of one annulus in one hub pass
  long hubPasses = 20000;        // hub passes of one start of a station
  long restarts = 200;           // restarts of one station
  long evaluations = 10000000;   // annulus evaluations of one whole run
};

struct Solution {
  Grid dedge{}, dmid{}, ca{}, cu{}, c{}, u{}, alpha{}, alphaT{}, beta{}, p{};
  Grid w{}, eta{}, dp{};   // by row r = j - 1
  std::array<double, 12> m{};  // stream-tube mass flows (slug/s)
  Grid ang{};                  // input angles as used, radians
  int nan = 0, nst = 0, isl = 0;
  int solved = 1;          // last station solved (1: only the entrance)
  int failed = 0;          // station that did not converge, 0 if none
  std::string error;       // a computation that cannot go on
  // What each station cost: hub passes of its last start, the most
  // evaluations of one annulus in one pass, restarts, annulus evaluations.
  struct Cost {
    long hubPasses = 0, annulusSteps = 0, restarts = 0, evaluations = 0;
  };
  std::array<Cost, 12> cost{};
  long evaluations = 0;  // of the whole run
};

// Inputs that would divide by zero; the message names the input.
std::optional<std::string> CheckInputs(const StageInput& in);

// The whole march. Stations up to `solved` hold their results.
Solution Solve(const StageInput& in, const Bounds& bounds = {});

}  // namespace ringflow
