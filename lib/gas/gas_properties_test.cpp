#include "lib/gas/gas_properties.h"

#include <gtest/gtest.h>

#include <cmath>

namespace gas {
namespace {

struct GasCase {
  double t;
  double cp, gamma;
};

// By hand: cp = 0.2269807·2.718281828^(9.7247e-5·T), gamma = cp/(cp − 0.068559).
const GasCase kRows[] = {{0, 0.2269807, 1.4327626833950147},
                         {518.67, 0.23872304997936655, 1.4028994373859414},
                         {1000, 0.2501628214890955, 1.3775195887280194},
                         {2500, 0.2894499772128539, 1.3103748322591533},
                         {4000, 0.3349070369842053, 1.2574038118556345}};

TEST(ThrustdeckGasVariable, WideValuesFollowTheLaw) {
  for (const GasCase& c : kRows) {
    const WideGas g = VariableGasWide(c.t);
    EXPECT_NEAR(g.cp, c.cp, 1e-12) << c.t;
    EXPECT_NEAR(g.gamma, c.gamma, 1e-12) << c.t;
  }
}

TEST(ThrustdeckGasVariable, SingleValuesRoundCpFirst) {
  for (const GasCase& c : kRows) {
    const Gas g = VariableGas(c.t);
    EXPECT_EQ(g.cp, static_cast<float>(c.cp)) << c.t;
    EXPECT_NEAR(g.gamma, c.gamma, 2e-7) << c.t;
  }
}

TEST(ThrustdeckGasVariable, BaseIsAsWrittenNotExactE) {
  // 0.2269807·e^0.388988 is 0.33490703700621; with 2.718281828 it is 0.33490703698421.
  EXPECT_NEAR(VariableGasWide(4000).cp, 0.3349070369842053, 1e-15);
  EXPECT_GT(std::fabs(VariableGasWide(4000).cp - 0.3349070370062053), 1e-11);
}

TEST(ThrustdeckGasVariable, PrecisionOfGammaDiffersBetweenTheTwoForms) {
  // At 0 degR: gamma from the Single cp is 1.4327626, from the Double cp 1.4327627.
  EXPECT_EQ(VariableGas(0).gamma, 1.432762622833252f);
  EXPECT_EQ(static_cast<float>(VariableGasWide(0).gamma), 1.4327627420425415f);
}

TEST(ThrustdeckGasConstant, CpFromGamma) {
  struct Row {
    float gmcn;
    double cp;  // 0.068559·γ/(γ − 1) with γ as a Single
  };
  for (const Row& r : {Row{1.4f, 0.2399565102160877}, Row{1.3f, 0.297089036323871}}) {
    EXPECT_EQ(ConstantGasWide(r.gmcn).gamma, static_cast<double>(r.gmcn));
    EXPECT_NEAR(ConstantGasWide(r.gmcn).cp, r.cp, 1e-12);
    EXPECT_EQ(ConstantGas(r.gmcn).gamma, r.gmcn);
    EXPECT_EQ(ConstantGas(r.gmcn).cp, static_cast<float>(r.cp));
  }
  EXPECT_TRUE(std::isinf(ConstantGasWide(1.0f).cp));
}

TEST(ThrustdeckGasSound, FeetPerSecond) {
  // sqrt(1.4·53.35·32.17·518.67) = 1116.355; sqrt(1.3·53.35·32.17·2000) = 2112.416
  EXPECT_NEAR(SoundSpeed(1.4, 518.67), 1116.3550072, 1e-6);
  EXPECT_NEAR(SoundSpeed(1.3, 2000), 2112.4158445, 1e-6);
}

}  // namespace
}  // namespace gas
