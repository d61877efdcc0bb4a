#include "lib/atmosphere/standard_atmosphere.h"

#include <gtest/gtest.h>

#include <cmath>

namespace atmosphere {
namespace {

TEST(StandardAtmosphere, LayersAndTheirBoundaries) {
  const AirState sea = StandardAtmosphere(0);
  EXPECT_FLOAT_EQ(sea.t, 518.67f);
  EXPECT_FLOAT_EQ(sea.p, 14.696f);

  const AirState at3000 = StandardAtmosphere(3000);
  EXPECT_NEAR(at3000.t, 507.99, 1e-3);
  EXPECT_NEAR(at3000.p, 13.173, 5e-4);

  // 36,151 ft is still the first layer; one foot higher is isothermal, with a
  // pressure a little above the one at the base of the second layer.
  const float p36 = static_cast<float>(14.696 * std::pow(1 - 128.872 / 518.67, 5.257));
  EXPECT_FLOAT_EQ(StandardAtmosphere(36151).t, static_cast<float>(518.67 - 0.00356 * 36151));
  const AirState above = StandardAtmosphere(36152);
  EXPECT_EQ(above.t, 389.97f);
  EXPECT_GT(above.p, p36);

  // 65,800 ft is still the second layer.
  EXPECT_EQ(StandardAtmosphere(65800).t, 389.97f);
  EXPECT_GT(StandardAtmosphere(65801).t, 389.97f);
}

TEST(StandardAtmosphere, HighAltitudesGiveTheThirdLayer) {
  for (float h : {145694.0f, 145700.0f, 200000.0f, 1e6f}) {
    const AirState s = StandardAtmosphere(h);
    EXPECT_TRUE(std::isfinite(s.p)) << h;
    EXPECT_GT(s.p, 0) << h;
    EXPECT_NEAR(s.t, 389.97 + 0.00054395 * (h - 65800), 1e-2 * h / 1e5) << h;
  }
  EXPECT_LT(StandardAtmosphere(200000).p, StandardAtmosphere(100000).p);
}

TEST(StandardAtmosphere, NegativeAltitudesFollowTheFirstLayer) {
  const AirState low = StandardAtmosphere(-1000);
  EXPECT_FLOAT_EQ(low.t, static_cast<float>(518.67 + 3.56));
  EXPECT_GT(low.p, 14.696f);
}

}  // namespace
}  // namespace atmosphere
