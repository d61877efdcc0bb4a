// Analytic component maps of a single-spool gas turbine and the gas model the
// matching programs evaluate them with. Free of any window: the jet engine
// and the power gas turbine matching both use them.
#pragma once

#include "lib/gas/gas_properties.h"

namespace engine_maps {

// Standard day of every corrected quantity.
inline constexpr double kTstd = 520;    // R
inline constexpr double kPstd = 14.69;  // psia
inline constexpr double kR = 0.068559;  // BTU/(lbm R)
inline constexpr double kGc = 32.17;    // lbm ft/(lbf s^2)
inline constexpr double kJ = 778.16;    // ft lbf/BTU

// cp rises exponentially with temperature: the matching programs' own rule
// (lib/gas), its base rounded as they have always used it.
using Gas = gas::MatchingGas;
inline Gas GasAt(double t) { return gas::MatchingGasAt(t); }

// Compressor speed line: a square-root rise of pressure ratio from the choke
// flow c2*N down to the surge line, and a parabola of efficiency about its
// peak flow c3*(1+mu)*c2*N.
struct Compressor {
  float c1 = 0, c2 = 0, c3 = 0, c4 = 0, c5 = 0;
  double nc2d = 0, etacd = 0;
  double mu = 0;
  bool operator==(const Compressor&) const = default;
};
struct CompressorPoint {
  double x;    // 0 at choke, 1 on the surge line; below 0 past choke
  double pic;  // defined only for x >= 0
  double etac;
};
CompressorPoint CompressorAt(const Compressor& c, double nc2, double mc2);
// pic on the surge line at the flow mc2.
double SurgePressureRatio(const Compressor& c, double mc2);
// Tt3/Tt2 of a compression to pic.
double CompressorTemperatureRatio(double pic, double gamma, double etac);

// Burner: loss and efficiency depend on mc3*f/theta3 only.
struct Burner {
  float b1 = 0, b2 = 0, h = 0;
  double etabd = 0;
};
struct BurnerPoint {
  double pib, etab;
};
BurnerPoint BurnerAt(const Burner& b, double mc3, double f, double tt3);
// Tt4/Tt3 from the energy balance with the burner's cp.
double BurnerTemperatureRatio(const Burner& b, double cp, double tt3, double f, double etab);

// Turbine: flow rising to choke at pitc, efficiency falling off away from the
// design pressure ratio and the design flow-speed product.
struct Turbine {
  float pitc = 0, k1 = 0, k2 = 0;
  double mc4c = 0, nc4d = 0, etatd = 0;
  bool operator==(const Turbine&) const = default;
};
// The flow fraction x of the map at pit (1 at and below pitc).
double TurbineFlowFraction(const Turbine& t, double pit, double nc4);
// The same off choke, at q = 1/pit (the printed table runs over q).
double TurbineUnchokedFraction(const Turbine& t, double q, double nc4);
// mc4/mc4c at the flow fraction x.
inline double TurbineFlowShape(double x) { return 2 * x - x * x; }
double TurbineFlow(const Turbine& t, double pit, double nc4);
// Efficiency at the mean pressure ratio pa with the flow mc4 at speed nc4.
double TurbineEfficiency(const Turbine& t, double pa, double mc4, double nc4);
// The same at q = 1/pa and the flow-speed product mc4*nc4.
double TurbineEfficiencyAt(const Turbine& t, double q, double flowSpeed);

// Mechanical efficiency of the shaft at the speed n.
double ShaftEfficiency(float s1, float s2, double n);

// Inlet diffuser: recovery pidd up to Mach 1, then the shock losses.
double DiffuserRecovery(float pidd, double m0);

// Exit Mach number of a nozzle with efficiency etan at the pressure ratio npr.
double NozzleExitMach(double npr, double gamma, double etan);
// Critical pressure ratio of a nozzle with efficiency etan.
double NozzleCriticalRatio(double gamma, double etan);
// Exit area over sonic throat area with the losses.
double NozzleAreaRatio(double me, double gamma, double etan);

}  // namespace engine_maps
