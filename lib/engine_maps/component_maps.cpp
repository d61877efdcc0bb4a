#include "lib/engine_maps/component_maps.h"

#include <cmath>

#include "lib/mathfn/mathfn.h"

namespace engine_maps {

CompressorPoint CompressorAt(const Compressor& c, double nc2, double mc2) {
  CompressorPoint p;
  p.x = (mc2 / (c.c2 * nc2) - 1) / (c.c3 - 1);
  p.pic = p.x >= 0 ? 1 + c.c1 * mc2 * std::sqrt(p.x) : 0;
  const double off = c.c3 * (1 + c.mu) * c.c2 * nc2 - mc2;
  p.etac = c.etacd - c.c4 * std::fabs(c.nc2d - nc2) - (c.c5 / nc2) * off * off;
  return p;
}

double SurgePressureRatio(const Compressor& c, double mc2) { return 1 + c.c1 * mc2; }

double CompressorTemperatureRatio(double pic, double gamma, double etac) {
  return 1 + (mathfn::pow(pic, (gamma - 1) / gamma) - 1) / etac;
}

BurnerPoint BurnerAt(const Burner& b, double mc3, double f, double tt3) {
  const double theta3 = tt3 / kTstd;
  BurnerPoint p;
  p.pib = 1 - b.b1 * mc3 * mc3 * f * f / (theta3 * theta3);
  p.etab = b.etabd - b.b2 * theta3 * theta3 / (mc3 * mc3 * f * f);
  return p;
}

double BurnerTemperatureRatio(const Burner& b, double cp, double tt3, double f, double etab) {
  return (cp * tt3 + f * etab * b.h) / (cp * tt3 * (1 + f));
}

double TurbineFlowFraction(const Turbine& t, double pit, double nc4) {
  if (pit < t.pitc) return 1;  // choked
  return TurbineUnchokedFraction(t, 1 / pit, nc4);
}

double TurbineUnchokedFraction(const Turbine& t, double q, double nc4) {
  return mathfn::pow((q - 1) / (1 / static_cast<double>(t.pitc) - 1), 0.5 * nc4 / t.nc4d);
}

double TurbineFlow(const Turbine& t, double pit, double nc4) {
  return t.mc4c * TurbineFlowShape(TurbineFlowFraction(t, pit, nc4));
}

double TurbineEfficiency(const Turbine& t, double pa, double mc4, double nc4) {
  return TurbineEfficiencyAt(t, 1 / pa, mc4 * nc4);
}

double TurbineEfficiencyAt(const Turbine& t, double q, double flowSpeed) {
  const double inv = 1 / static_cast<double>(t.pitc);
  const double dp = (q - inv) / (inv - 1);
  const double design = t.mc4c * t.nc4d;
  const double dm = (design - flowSpeed) / design;
  return t.etatd * (1 - t.k1 * dp * dp - t.k2 * dm * dm);
}

double ShaftEfficiency(float s1, float s2, double n) { return 1 - s1 * mathfn::pow(n, s2); }

double DiffuserRecovery(float pidd, double m0) {
  if (m0 <= 1) return pidd;
  return pidd * (1 - 0.075 * mathfn::pow(m0 - 1, 1.35));
}

double NozzleExitMach(double npr, double gamma, double etan) {
  const double e = 1 - etan + etan * mathfn::pow(npr, -(gamma - 1) / gamma);
  return std::sqrt(2 / (gamma - 1) * (1 / e - 1));
}

double NozzleCriticalRatio(double gamma, double etan) {
  return mathfn::pow((1 / (1 + (gamma - 1) / 2) - 1 + etan) / etan, -gamma / (gamma - 1));
}

double NozzleAreaRatio(double me, double gamma, double etan) {
  const double t = 1 + (gamma - 1) / 2 * me * me;
  const double r = mathfn::pow(etan / (2 / (gamma + 1) - 1 + etan) * (1 / t - 1 + etan) / etan,
                            gamma / (gamma - 1));
  return std::sqrt((gamma + 1) / (2 * t)) / me / r;
}

}  // namespace engine_maps
