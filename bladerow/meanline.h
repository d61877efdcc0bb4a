// Mean-line velocity triangles of one turbomachine stage: an axial
// compressor stage, a radial compressor impeller, an axial turbine stage or a
// radial inflow turbine rotor, with the exit density found by iteration.
#pragma once

namespace bladerow {

enum Machine : short { kAxialCompressor = 0, kRadialCompressor = 1, kAxialTurbine = 2, kRadialTurbine = 3 };
enum GasChoice : short { kAir = 0, kOtherGas = 1 };

inline bool Radial(short ct) { return ct == kRadialCompressor || ct == kRadialTurbine; }
inline bool Compressor(short ct) { return ct == kAxialCompressor || ct == kRadialCompressor; }

// Everything the calculation keeps, in Singles: the inputs as read, the gas
// and every station. Angles in degrees, lengths of the geometry in inches,
// velocities in ft/s, pressures in psia, densities in slug/ft³.
struct Stage {
  // inputs
  float p1 = 0, t1 = 0, m = 0, om = 0, e = 0, r = 0, th1 = 0, al1 = 0, dl12 = 0, cax = 0;
  float rg = 0, rh = 0, rt = 0, r2 = 0, td2 = 0, b2 = 0;
  // gas
  float cp = 0, gm = 0, tav = 0;
  // inlet and rotor exit
  float u = 0, u2 = 0, ar1 = 0, ro1 = 0, ca1 = 0, a1 = 0, c1 = 0, cu1 = 0, wu1 = 0, b1 = 0;
  float w1 = 0, m1 = 0, m1r = 0, tt1 = 0, pt1 = 0, ro2 = 0, ca2 = 0, w2 = 0, wu2 = 0, cu2 = 0;
  float al2 = 0, c2 = 0, dht21 = 0, pp21 = 0, pt2 = 0, tt2 = 0, t2 = 0, a2 = 0, m2 = 0, m2r = 0;
  float p2 = 0, cpr = 0, ar2 = 0, th2 = 0, wsh = 0, pr = 0;
  // stator exit of the axial machines
  float al3 = 0, ca3 = 0, c3 = 0, dl23 = 0, pt3 = 0, t3 = 0, a3 = 0, m3 = 0, p3 = 0, ro3 = 0;
  float cps = 0, ar3 = 0, th3 = 0;
};

// Passes of the exit density iteration at most. Over 20,000 random stages
// of each machine and gas (inlet 14 to 400 psia, 400 to 2500 R, 5 to 400
// lbm/s, 1000 to 30,000 rpm, angles and radii alike), those that settle take
// 2 to 5 passes (median), at most 35 for 99 in 100 (147 for the radial
// compressor in air, whose cp follows the exit temperature); 284 of some
// 137,000 take more than 100, up to 176,646 as the exit nears choking.
inline constexpr int kDensityPasses = 100;
// Passes of the solve for the density that takes over where the passes have
// not settled by then (near a choked exit they creep or circle): a handful
// where there is a density to find.
inline constexpr int kSolvePasses = 60;
// Passes at one density of the solve until the exit temperature settles.
inline constexpr int kTemperaturePasses = 20;
// What MeanLine returns when neither settled.
inline constexpr int kUnsettled = kDensityPasses + 1;

// The stage from the inputs already in s (for another gas also rg and gm).
// Returns the passes taken: at most kDensityPasses where they settled to
// 0.001 %, kUnsettled plus the solve's passes where the solve found the
// density, kUnsettled when neither did (the last pass stays in s). Throws
// core::Failure where the triangles cannot be formed.
int MeanLine(Stage& s, short ct, short cgas);

}  // namespace bladerow
