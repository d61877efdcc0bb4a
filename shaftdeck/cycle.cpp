#include "shaftdeck/cycle.h"

#include <cmath>

#include "core/failure.h"
#include "lib/gas/gas_properties.h"
#include "lib/mathfn/mathfn.h"

namespace shaftdeck {

namespace {

constexpr double kFootPoundsPerBtu = 778.16;
constexpr double kFootPoundsPerHpSecond = 550;

// A mean of two station temperatures is rounded to a Single before the
// property rule sees it.
float Mean(float a, float b) { return static_cast<float>((static_cast<double>(a) + b) / 2); }

class Properties {
 public:
  Properties(bool constant, float gmcn) : constant_(constant), gmcn_(gmcn) {}
  gas::Gas At(double t) const { return constant_ ? gas::ConstantGas(gmcn_) : gas::VariableGas(t); }

 private:
  bool constant_;
  float gmcn_;
};

void RequireFinite(float value, const char* what) {
  if (!std::isfinite(value)) throw core::Failure(std::string("Cannot compute ") + what);
}

// What the next calculation starts from. A temperature that is not a number
// would start every later calculation from nothing, so it starts from 0.
void Keep(TurbineCarry& carry, const CycleResult& s) {
  auto sound = [](float t) { return std::isfinite(t) ? t : 0.0f; };
  carry = {sound(s.tt5), sound(s.tt5a), sound(s.tt5x)};
}

}  // namespace

Ambient OneLayerAtmosphere(float alt) {
  Ambient a;
  a.t0 = static_cast<float>(518.7 - 0.003566 * alt);
  a.p0 = static_cast<float>(14.69 * mathfn::pow(1 - 0.003566 * alt / 518.7, 5.26));
  return a;
}

void PrepareInputs(CycleInputs& in) {
  if (!in.real) {
    in.etd = in.etc = in.pib = in.etb = in.etm = in.ett = 1;
    in.pirg3 = in.pirg5 = in.pin = 1;
    in.constantGas = true;
  }
  if (!in.regenerator) {
    in.pirg3 = in.pirg5 = 1;
    in.etrg = 0;
  }
  if (in.standardAir) {
    const Ambient a = OneLayerAtmosphere(in.alt);
    in.t0 = a.t0;
    in.p0 = a.p0;
  }
}

CycleResult RunCycle(const CycleInputs& in, TurbineCarry& carry) {
  const Properties gas(in.constantGas, in.gmcn);
  CycleResult s;

  // Inlet: the machine is at rest, so the totals are the ambient state.
  const float gm2 = gas.At(in.t0).gamma;
  s.tt2 = in.t0;
  s.pt0 = in.p0;
  s.pt2 = static_cast<float>(static_cast<double>(in.etd) * s.pt0);

  // Compressor: a first estimate with a slightly low gamma, then five passes
  // with the properties at the mean temperature.
  s.pt3 = static_cast<float>(static_cast<double>(in.pic) * s.pt2);
  s.gmc = static_cast<float>(gm2 - 0.02);
  auto compressorExit = [&] {
    const double g = s.gmc;
    return static_cast<float>(((mathfn::pow(in.pic, (g - 1) / g) - 1) / in.etc + 1) * s.tt2);
  };
  s.tt3 = compressorExit();
  for (int pass = 0; pass < 5; ++pass) {
    const gas::Gas c = gas.At(Mean(s.tt2, s.tt3));
    s.cpc = c.cp;
    s.gmc = c.gamma;
    s.tt3 = compressorExit();
  }
  RequireFinite(s.tt3, "the compressor exit temperature: check the compressor inputs");

  // Regenerator and turbine. The regenerator heats the air with the turbine
  // exhaust of the previous pass until that exhaust temperature settles.
  s.tt5 = carry.tt5;
  s.tt5a = carry.tt5a;
  s.tt5x = carry.tt5x;
  bool settled = false;
  while (!settled) {
    if (s.passes == kLoopBound) {
      Keep(carry, s);
      throw core::Failure("The regenerator and turbine loop did not settle in " +
                           std::to_string(kLoopBound) + " passes");
    }
    ++s.passes;
    s.tt3x = static_cast<float>(s.tt3 + static_cast<double>(in.etrg) * (s.tt5a - static_cast<double>(s.tt3)));
    s.pt3x = static_cast<float>(static_cast<double>(in.pirg3) * s.pt3);
    s.cprg3 = gas.At(Mean(s.tt3x, s.tt3)).cp;
    s.cprg5 = gas.At(Mean(s.tt5x, s.tt5a)).cp;
    // The gas side gives up the heat the air side takes.
    s.tt5x = static_cast<float>(s.tt5a - (static_cast<double>(s.tt3x) - s.tt3) * s.cprg3 / s.cprg5);

    s.pt4 = static_cast<float>(static_cast<double>(in.pib) * s.pt3x);
    s.cpb = gas.At(Mean(s.tt3x, in.tt4)).cp;
    s.mfu = static_cast<float>((static_cast<double>(in.tt4) - s.tt3x) * s.cpb * in.ma /
                               (static_cast<double>(in.h) * in.etb - static_cast<double>(in.tt4) * s.cpb));
    if (!in.real) s.mfu = 0;

    // The turbine exhausts through the regenerator and the exhaust duct to
    // ambient pressure.
    s.pt5 = static_cast<float>(static_cast<double>(s.pt0) / in.pin / in.pirg5);
    s.pt5x = static_cast<float>(static_cast<double>(s.pt0) / in.pin);
    for (int pass = 0; pass < 5; ++pass) {
      const gas::Gas t = gas.At(Mean(s.tt5, in.tt4));
      s.gmt = t.gamma;
      s.cpt = t.cp;
      const double g = s.gmt;
      s.tt5 = static_cast<float>(
          in.tt4 * (1 - in.ett * (1 - mathfn::pow(static_cast<double>(s.pt5) / s.pt4, (g - 1) / g))));
    }
    if (!std::isfinite(s.tt5)) {
      Keep(carry, s);
      throw core::Failure("Cannot compute the turbine exit temperature: check the pressure ratios");
    }
    const float change = s.tt5 - s.tt5a;  // formed in single precision
    if (std::fabs(change) < 0.0001)
      settled = true;
    else
      s.tt5a = s.tt5;
  }
  Keep(carry, s);

  s.pow = static_cast<float>(
      ((static_cast<double>(in.ma) + s.mfu) * in.etm * s.cpt * (static_cast<double>(in.tt4) - s.tt5) -
       (static_cast<double>(s.tt3) - s.tt2) * in.ma * s.cpc) *
      kFootPoundsPerBtu / kFootPoundsPerHpSecond);
  // The ideal cycle burns its fuel without adding it to the flow.
  if (!in.real)
    s.mfu = static_cast<float>((static_cast<double>(in.tt4) - s.tt3x) * s.cpb * in.ma / in.h);
  s.efth = static_cast<float>(s.pow / (static_cast<double>(s.mfu) * in.h * kFootPoundsPerBtu /
                                       kFootPoundsPerHpSecond));
  s.hrt = static_cast<float>(static_cast<double>(s.mfu) * in.h * 3600 / s.pow);
  s.sfc = static_cast<float>(static_cast<double>(s.mfu) * 3600 / s.pow);
  RequireFinite(s.pow, "the net power: check the inputs");
  RequireFinite(s.efth, "the thermal efficiency: no net power or no fuel");
  RequireFinite(s.hrt, "the heat rate: the net power is zero");
  s.regeneratorCools = in.regenerator && s.tt5 < s.tt3;
  return s;
}

}  // namespace shaftdeck
