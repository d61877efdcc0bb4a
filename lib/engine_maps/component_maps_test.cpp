#include "lib/engine_maps/component_maps.h"

#include <gtest/gtest.h>

#include <cmath>

namespace engine_maps {
namespace {

Compressor DefaultCompressor() { return {0.08f, 0.02f, 0.80f, 0.00001f, 2.0f, 10000, 0.88, 0.10f}; }
Turbine DefaultTurbine() { return {0.28f, 1.00f, 0.20f, 35, 4000, 0.90}; }

TEST(GasModel, ExponentialCpAndGamma) {
  struct Row {
    double t, cp, gamma;
  };
  // cp = 0.2269807 * 2.7182818^(9.7247E-5 T), gamma = cp / (cp - 0.068559).
  const Row rows[] = {
      {0, 0.2269807, 1.43276268}, {1000, 0.25016282, 1.37751959}, {2000, 0.27571259, 1.33095733}};
  for (const Row& r : rows) {
    const Gas g = GasAt(r.t);
    EXPECT_NEAR(g.cp, r.cp, 5e-9) << r.t;
    EXPECT_NEAR(g.gamma, r.gamma, 5e-8) << r.t;
  }
}

// The default speed line Nc2 = 10000: choke at 200, surge at 160 with
// pic = 13.8, efficiency peak at 176.
TEST(CompressorMap, DefaultSpeedLine) {
  const Compressor c = DefaultCompressor();
  struct Row {
    double mc2, x, pic, etac;
  };
  const Row rows[] = {
      {160, 1.0, 13.8, 0.88 - 2e-4 * 16 * 16},
      {176, 0.6, 1 + 0.08 * 176 * std::sqrt(0.6), 0.88},
      {199.99, 0.00025, 1 + 0.08 * 199.99 * std::sqrt(0.01 / 200 / 0.2),
       0.88 - 2e-4 * 23.99 * 23.99},
  };
  for (const Row& r : rows) {
    const CompressorPoint p = CompressorAt(c, 10000, r.mc2);
    EXPECT_NEAR(p.x, r.x, 1e-4) << r.mc2;
    EXPECT_NEAR(p.pic, r.pic, 1e-4) << r.mc2;
    EXPECT_NEAR(p.etac, r.etac, 1e-5) << r.mc2;
  }
  EXPECT_LT(CompressorAt(c, 10000, 200.01).x, 0);  // past choke
  EXPECT_NEAR(SurgePressureRatio(c, 160), 13.8, 1e-5);
  // Off design speed costs c4 per rpm.
  EXPECT_NEAR(CompressorAt(c, 8000, 140.8).etac, 0.88 - 0.00001 * 2000, 1e-5);
}

TEST(CompressorMap, TemperatureRatio) {
  // pic = 2^(7/2) at gamma 1.4 gives T ratio 2 for an ideal compressor.
  EXPECT_NEAR(CompressorTemperatureRatio(std::pow(2.0, 3.5), 1.4, 1.0), 2.0, 1e-12);
  EXPECT_NEAR(CompressorTemperatureRatio(std::pow(2.0, 3.5), 1.4, 0.8), 2.25, 1e-12);
}

TEST(BurnerMap, LossEfficiencyAndEnergy) {
  const Burner b{1.865f, 0.5f, 18000, 0.91};
  // mc3*f/theta3 = 35*0.02/1: pib = 1 - 1.865*0.49, etab = 0.91 - 0.5/0.49.
  const BurnerPoint p = BurnerAt(b, 35, 0.02, 520);
  EXPECT_NEAR(p.pib, 1 - 1.865 * 0.49, 1e-7);
  EXPECT_NEAR(p.etab, 0.91 - 0.5 / 0.49, 1e-7);
  // Doubling Tt3 and mc3 together leaves the point unchanged.
  const BurnerPoint q = BurnerAt(b, 70, 0.02, 1040);
  EXPECT_NEAR(q.pib, p.pib, 1e-12);
  // (cp Tt3 + f etab H) / (cp Tt3 (1 + f)) = (250 + 327.6) / 255.
  EXPECT_NEAR(BurnerTemperatureRatio(b, 0.25, 1000, 0.02, 0.91), 577.6 / 255, 1e-12);
}

TEST(TurbineMap, FlowRisesToChokeAtPitc) {
  const Turbine t = DefaultTurbine();
  struct Row {
    double pit, nc4, x, flow;
  };
  const double pitc = 0.28f;
  const Row rows[] = {
      {1.0, 4000, 0, 0},   {pitc, 4000, 1, 35},  // exactly 1 at pitc
      {pitc, 2000, 1, 35}, {0.2, 4000, 1, 35},   // choked
      {0.05, 8000, 1, 35}, {0.5, 4000, 0.6236096, 30.0415584},
  };
  for (const Row& r : rows) {
    EXPECT_NEAR(TurbineFlowFraction(t, r.pit, r.nc4), r.x, 1e-7) << r.pit;
    EXPECT_NEAR(TurbineFlow(t, r.pit, r.nc4), r.flow, 1e-6) << r.pit;
  }
  EXPECT_EQ(TurbineFlowFraction(t, pitc, 4000), 1.0);
  EXPECT_EQ(TurbineFlow(t, 0.1, 1234), 35.0);
}

TEST(TurbineMap, EfficiencyPeaksAtDesign) {
  const Turbine t = DefaultTurbine();
  const double pitc = 0.28f;
  EXPECT_NEAR(TurbineEfficiency(t, pitc, 35, 4000), 0.9, 1e-12);
  // No flow and no pressure drop: 0.9 * (1 - 1 - 0.2).
  EXPECT_NEAR(TurbineEfficiency(t, 1, 0, 4000), -0.18, 1e-7);
}

TEST(ShaftAndDiffuser, Maps) {
  EXPECT_DOUBLE_EQ(ShaftEfficiency(0, 0, 10000), 1);
  EXPECT_NEAR(ShaftEfficiency(0.005f, 0, 12345), 0.995, 1e-9);
  EXPECT_NEAR(ShaftEfficiency(0.001f, 0.5f, 10000), 0.9, 1e-8);
  struct Row {
    double m0, pid;
  };
  const Row rows[] = {{0, 1}, {1, 1}, {1.5, 0.9705781}, {2, 0.925}};
  for (const Row& r : rows) EXPECT_NEAR(DiffuserRecovery(1.0f, r.m0), r.pid, 1e-7) << r.m0;
  EXPECT_NEAR(DiffuserRecovery(0.97f, 2), 0.97 * 0.925, 1e-7);
}

TEST(NozzleMap, CriticalRatioAndArea) {
  // Lossless gamma 1.4: critical pressure ratio 1.2^3.5 and Mach 1 there.
  EXPECT_NEAR(NozzleCriticalRatio(1.4, 1.0), 1.8929292, 1e-6);
  EXPECT_NEAR(NozzleExitMach(NozzleCriticalRatio(1.4, 1.0), 1.4, 1.0), 1.0, 1e-12);
  // With losses the exit reaches Mach 1 at a higher ratio.
  EXPECT_NEAR(NozzleCriticalRatio(1.36, 0.98), 1.8949262, 1e-6);
  EXPECT_NEAR(NozzleExitMach(NozzleCriticalRatio(1.36, 0.98), 1.36, 0.98), 1.0, 1e-12);
  EXPECT_NEAR(NozzleAreaRatio(1.0, 1.36, 0.98), 1.0, 1e-12);
  // Lossless gamma 1.4 at Mach 2: the isentropic A/A* of 1.6875.
  EXPECT_NEAR(NozzleAreaRatio(2.0, 1.4, 1.0), 1.6875, 1e-12);
  EXPECT_NEAR(NozzleExitMach(1.0, 1.36, 0.98), 0.0, 1e-7);
}

}  // namespace
}  // namespace engine_maps
