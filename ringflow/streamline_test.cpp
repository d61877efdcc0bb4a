// The march: station 1 geometry, continuity and equilibrium at the solved
// stations, the free vortex, the single annulus, failures and bounds.
#include "ringflow/streamline.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using ringflow::Solution;
using ringflow::StageInput;

// The window's defaults.
StageInput Defaults() {
  StageInput in;
  in.dh = 1.563f;
  in.dt = 1.973f;
  in.rotn = 10500;
  in.q = 32053;
  in.rho = 0.00698f;
  in.pin = 63.6499f;
  for (int j = 2; j <= 10; ++j) {
    const double a = j % 2 == 0 ? 29.0f : 53.6f;  // stators and IGV, rotors
    in.alnm[j] = a;
    for (int k = 1; k <= 10; ++k) in.ang[j][k] = a;
  }
  for (int r = 2; r <= 8; r += 2)
    for (int k = 1; k <= 10; ++k) in.eff[r][k] = 0.86f;
  return in;
}

double Flow(const Solution& s, int j) {
  double sum = 0;
  for (int i = 1; i <= s.nan; ++i)
    sum += ringflow::kPi / 4 *
           (s.dedge[j][i + 1] * s.dedge[j][i + 1] - s.dedge[j][i] * s.dedge[j][i]) * s.ca[j][i];
  return sum;
}

TEST(RingflowMarch, EntranceGeometryAndVelocity) {
  struct Case {
    int isl;
    double edges[4], mids[3];
  } cases[] = {
      // Half-width hub and tip annuli: dd = 0.41 / 2.
      {0, {1.563, 1.6655, 1.8705, 1.973}, {1.563, 1.768, 1.973}},
      // Equal annuli: dd = 0.41 / 3.
      {1, {1.563, 1.699667, 1.836333, 1.973}, {1.631333, 1.768, 1.904667}},
  };
  for (const Case& k : cases) {
    StageInput in = Defaults();
    in.isl = k.isl;
    const Solution s = ringflow::Solve(in);
    for (int i = 1; i <= 4; ++i) EXPECT_NEAR(s.dedge[1][i], k.edges[i - 1], 2e-6) << i;
    for (int i = 1; i <= 3; ++i) EXPECT_NEAR(s.dmid[1][i], k.mids[i - 1], 2e-6) << i;
    // 4 Q / (pi (Dt^2 - Dh^2)) / 60 = 128212 / 4.554557 / 60.
    EXPECT_NEAR(s.ca[1][1], 469.1712, 1e-4);
    EXPECT_NEAR(s.p[1][2], 63.6499 * 144, 1e-3);
    EXPECT_DOUBLE_EQ(s.alpha[1][3], 0);
    // The stream tubes carry the whole flow: rho Q / 60.
    double m = 0;
    for (int i = 1; i <= 3; ++i) m += s.m[i];
    EXPECT_NEAR(m, 0.00698 * 32053 / 60, 1e-6);
    // The hub tube of half width: 0.33092125 / 0.72488 of the next one.
    if (k.isl == 0) {
      EXPECT_NEAR(s.m[1] / s.m[2], 0.456518, 2e-5);
    } else {
      EXPECT_NEAR(s.m[1] / s.m[2], (1.699667 * 1.699667 - 1.563 * 1.563) /
                                       (1.836333 * 1.836333 - 1.699667 * 1.699667), 2e-5);
    }
  }
}

TEST(RingflowMarch, SolvedStationsKeepContinuityAndEnergy) {
  struct Case {
    int ntyp, itty, isl, nan, nbr;
    bool turbine;
    int failed;
  } cases[] = {
      {2, 0, 0, 3, 3, false, 0}, {2, 0, 1, 3, 3, false, 0}, {2, 0, 0, 5, 3, false, 0},
      {2, 0, 1, 9, 3, false, 0}, {3, 0, 0, 3, 3, false, 0}, {3, 1, 1, 3, 3, false, 0},
      {3, 0, 0, 3, 5, false, 0}, {2, 1, 1, 3, 3, false, 0}, {3, 1, 1, 5, 9, false, 0},
      {3, 0, 1, 7, 5, false, 0},
      // Compressor angles in a turbine: the rotor pass reverses a tube and
      // leaves the last one short of the tip, which is no solution.
      {2, 0, 0, 3, 3, true, 3},
  };
  for (const Case& k : cases) {
    StageInput in = Defaults();
    in.ntyp = k.ntyp;
    in.itty = k.itty;
    in.isl = k.isl;
    in.nan = k.nan;
    in.nbr = k.nbr;
    in.turbine = k.turbine;
    const Solution s = ringflow::Solve(in);
    SCOPED_TRACE("ntyp " + std::to_string(k.ntyp) + " itty " + std::to_string(k.itty) +
                 " isl " + std::to_string(k.isl) + " nan " + std::to_string(k.nan));
    EXPECT_TRUE(s.error.empty());
    EXPECT_EQ(s.failed, k.failed);
    EXPECT_EQ(s.solved, k.failed ? k.failed - 1 : k.nbr + 1);
    for (int j = 2; j <= s.solved; ++j) {
      // The stream tubes, each with its own mass flow, fill the annulus to
      // the tip (a reversed tube does not: its area counts with |Ca|).
      bool forward = true;
      for (int i = 1; i <= k.nan; ++i) forward = forward && s.ca[j][i] > 0;
      if (forward) {
        EXPECT_NEAR(s.dedge[j][k.nan + 1], in.dt, 1e-9) << "station " << j;
        EXPECT_NEAR(Flow(s, j), 32053.0 / 60, 1e-6) << "station " << j;
      }
      if (k.isl == 0) {
        EXPECT_EQ(s.dmid[j][1], in.dh);
        EXPECT_EQ(s.dmid[j][k.nan], in.dt);
      }
      const int r = j - 1;
      for (int i = 1; i <= k.nan; ++i) {
        // Total pressure rises by the work the row gives the fluid:
        // eta W / M for a compressor, W / (eta M) for a turbine; zero for
        // the stationary rows.
        const double pt = s.p[j][i] + in.rho * s.c[j][i] * s.c[j][i] / 2;
        const double pt0 = s.p[j - 1][i] + in.rho * s.c[j - 1][i] * s.c[j - 1][i] / 2;
        const double work = k.turbine ? s.w[r][i] / s.eta[r][i] : s.eta[r][i] * s.w[r][i];
        EXPECT_NEAR(pt - pt0, work / s.m[i] * in.rho, 1e-7 * pt);
        if (r % 2 == 1) {
          EXPECT_EQ(s.w[r][i], 0);
        }
        // Euler: the work is the change of angular momentum.
        const double omega = 2 * 10500 * ringflow::kPi / 60;
        if (r % 2 == 0) {
          EXPECT_NEAR(s.w[r][i],
                      omega * s.m[i] *
                          (s.dmid[j][i] / 2 * s.cu[j][i] - s.dmid[j - 1][i] / 2 * s.cu[j - 1][i]),
                      1e-6 * std::fabs(s.w[r][i]));
        }
      }
      // The radial equilibrium residuals of the inner annuli are settled.
      for (int i = 2; i < k.nan; ++i) {
        const double cubar = (s.cu[j][i] + s.cu[j][i - 1]) / 2;
        const double dPre = 2 * cubar * cubar / s.dedge[j][i] * in.rho *
                            (s.dmid[j][i] - s.dmid[j][i - 1]) / 2;
        EXPECT_LT(std::fabs(s.p[j][i] - s.p[j][i - 1] - dPre), 1e-4) << "annulus " << i;
      }
    }
  }
}

TEST(RingflowMarch, FreeVortexNeedsNoIteration) {
  StageInput in = Defaults();
  in.ntyp = 1;
  in.nbr = 5;
  in.nan = 5;
  const Solution s = ringflow::Solve(in);
  ASSERT_EQ(s.solved, 6);
  // tan 29 deg = 0.5543091; 0.5543091 * 469.1712 = 260.0659 at midspan.
  EXPECT_NEAR(s.cu[2][3], 260.0659, 2e-4);
  for (int j = 2; j <= 6; ++j) {
    for (int i = 1; i <= 5; ++i) {
      EXPECT_EQ(s.ca[j][i], s.ca[1][1]);
      EXPECT_EQ(s.dmid[j][i], s.dmid[1][i]);
      EXPECT_EQ(s.eta[j - 1][i], 1);
      EXPECT_NEAR(s.cu[j][i] * s.dmid[j][i], s.cu[j][3] * s.dmid[j][3], 1e-9);
    }
  }
  EXPECT_NEAR(s.cu[2][1], 260.0659 * 1.768 / 1.563, 3e-4);  // 294.1772
}

TEST(RingflowMarch, SingleAnnulusFollowsFromContinuity) {
  for (int ntyp : {2, 3}) {
    StageInput in = Defaults();
    in.nan = 1;
    in.isl = 0;  // forced to equal flows
    in.ntyp = ntyp;
    // IGV exit: 20 deg at the hub, 30 at midspan (type 3), 40 at the tip.
    in.ang[2][1] = 20;
    in.ang[2][2] = ntyp == 2 ? 40 : 30;
    in.ang[2][3] = 40;
    const Solution s = ringflow::Solve(in);
    ASSERT_EQ(s.solved, 4);
    EXPECT_EQ(s.isl, 1);
    EXPECT_NEAR(s.dmid[1][1], 1.768, 1e-6);
    for (int j = 2; j <= 4; ++j) {
      EXPECT_EQ(s.ca[j][1], s.ca[1][1]);
      EXPECT_NEAR(s.dedge[j][2], in.dt, 1e-12);
    }
    // Midway between 20 and 40 deg.
    EXPECT_NEAR(s.alpha[2][1] * ringflow::kRad, 30, 1e-9);
    // Every angle point is in radians, the tip one included.
    EXPECT_NEAR(s.ang[2][ntyp == 2 ? 2 : 3], 40 / ringflow::kRad, 1e-15);
  }
}

TEST(RingflowMarch, DefaultsWithBothIterationTypes) {
  StageInput in = Defaults();
  Solution s = ringflow::Solve(in);
  EXPECT_EQ(s.failed, 0);
  EXPECT_EQ(s.solved, 4);
  // Interval stepping: the hub iteration at station 4 flips its residual
  // between about -2.4e-4 and +3.4e-4 with the step shrinking to nothing.
  in.itty = 1;
  s = ringflow::Solve(in);
  EXPECT_EQ(s.failed, 4);
  EXPECT_EQ(s.solved, 3);
  EXPECT_LT(s.evaluations, 200000) << "the frozen hub must end quickly";
}

// Nine annuli through nine rows at a low speed with interval stepping: one of
// the dearest inputs that still settle. It must settle well inside the run
// bound, station by station.
TEST(RingflowMarch, DearCaseSettlesInsideTheBounds) {
  StageInput in = Defaults();
  in.nan = 9;
  in.isl = 1;
  in.itty = 1;
  in.nbr = 9;
  in.rotn = 6300;
  in.q = 38463.6;
  const Solution s = ringflow::Solve(in);
  EXPECT_EQ(s.failed, 0);
  EXPECT_EQ(s.solved, 10);
  const ringflow::Bounds b;
  EXPECT_GT(s.evaluations, 100000);
  EXPECT_LT(s.evaluations, b.evaluations / 4);
  for (int j = 2; j <= 10; ++j) {
    EXPECT_LT(s.cost[j].hubPasses, b.hubPasses / 4) << j;
    EXPECT_LT(s.cost[j].annulusSteps, b.annulusSteps / 4) << j;
  }
}

TEST(RingflowMarch, BoundsAndGuardsEndTheRun) {
  StageInput in = Defaults();
  ringflow::Bounds tight;
  tight.hubPasses = 2;
  Solution s = ringflow::Solve(in, tight);
  EXPECT_EQ(s.failed, 2);
  EXPECT_EQ(s.solved, 1);
  ringflow::Bounds few;
  few.evaluations = 50;
  s = ringflow::Solve(in, few);
  EXPECT_EQ(s.failed, 2);

  // A turbine with a rotor efficiency of 0 would divide its work by it.
  in.turbine = true;
  for (int k = 1; k <= 4; ++k) in.eff[2][k] = 0;
  s = ringflow::Solve(in);
  EXPECT_EQ(s.failed, 0);
  EXPECT_EQ(s.solved, 2);
  EXPECT_NE(s.error.find("efficiency of 0"), std::string::npos) << s.error;
  // A compressor just does no work with it.
  in.turbine = false;
  s = ringflow::Solve(in);
  EXPECT_TRUE(s.error.empty());
}

TEST(RingflowMarch, InputsThatWouldDivideByZero) {
  struct Case {
    double StageInput::*field;
    double value;
    const char* message;  // names the boxes by their captions
  } cases[] = {
      {&StageInput::dh, 0, "Hub Dia (ft) must not be zero"},
      {&StageInput::dt, 1.563f, "Hub Dia (ft) and Tip Dia (ft) must differ"},
      {&StageInput::rotn, 0, "RPM must not be zero"},
      {&StageInput::q, 0, "Q (cfm) must not be zero"},
      {&StageInput::q, -32053, "Q (cfm) must not be negative"},
      {&StageInput::rho, 0, "rho (sl/ft^3) must not be zero"},
      {&StageInput::rho, -0.00698, "rho (sl/ft^3) must be above zero"},
  };
  EXPECT_FALSE(ringflow::CheckInputs(Defaults()));
  for (const Case& k : cases) {
    StageInput in = Defaults();
    in.*k.field = k.value;
    const auto problem = ringflow::CheckInputs(in);
    ASSERT_TRUE(problem) << k.message;
    EXPECT_EQ(*problem, k.message);
  }
}

}  // namespace
