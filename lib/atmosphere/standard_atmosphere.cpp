#include "lib/atmosphere/standard_atmosphere.h"

#include <cmath>

#include "lib/mathfn/mathfn.h"

namespace atmosphere {

AirState StandardAtmosphere(float h) {
  // Troposphere, evaluated for every altitude. Above 145,694 ft its base is
  // negative and the power undefined, but the third layer replaces it there.
  float t = static_cast<float>(518.67 - 0.00356 * h);
  const double base = 1 - 0.00356 * h / 518.67;
  float p = base >= 0 ? static_cast<float>(14.696 * mathfn::pow(base, 5.257)) : 0.0f;

  const float p36 = static_cast<float>(14.696 * mathfn::pow(1 - 128.872 / 518.67, 5.257));
  // Isothermal layer. The switch (36,151 ft, where the lapse reaches 389.97)
  // and the reference of the pressure law (36,200 ft) differ on purpose.
  if (h > 36151) {
    t = 389.97f;
    p = static_cast<float>(p36 * mathfn::exp(-0.01865 * (h - 36200.0) / 389.97));
  }
  const float p65 = static_cast<float>(p36 * mathfn::exp(-0.01865 * 29600 / t));
  if (h > 65800) {
    t = static_cast<float>(389.97 + 0.00054395 * (h - 65800.0));
    p = static_cast<float>(p65 * mathfn::pow(1 + 0.00054395 * (h - 65800.0) / 389.97, -34.19));
  }
  return {t, p};
}

}  // namespace atmosphere
