#include "atmosphere/atmosphere_window.h"

#include <gtest/gtest.h>

#include <string>

#include "core/testing/driver.h"

namespace atmosphere {
namespace {

TEST(AtmosphereTable, RowsStepInSinglePrecision) {
  struct Case {
    float minimum, maximum;
    int row;
    float altitude;
  };
  const Case cases[] = {
      {3000, 50000, 0, 3000},   {3000, 50000, 1, 7700},  {3000, 50000, 10, 50000},
      {50000, 3000, 1, 45300},  {50000, 3000, 10, 3000}, {1000, 1000, 7, 1000},
      // 0.1 is not a Single: three tenths of it round to 0.3 only as a Single sum.
      {0, 1, 3, 0.3f},
  };
  for (const Case& c : cases)
    EXPECT_EQ(TableAltitude(c.minimum, c.maximum, c.row), c.altitude)
        << c.minimum << " to " << c.maximum << " row " << c.row;
}

TEST(AtmosphereWindow, SingleValueLines) {
  struct Case {
    const char* typed;
    const char* altitude;  // written back through "###,###"
    const char* temperature;
    const char* pressure;
  };
  const Case cases[] = {
      {"3000", "3,000", "Temperature = 508.0 degR", "Pressure = 13.173 psia"},
      {"0", "", "Temperature = 518.7 degR", "Pressure = 14.696 psia"},
      {"36,151", "36,151", "Temperature = 390.0 degR", "Pressure = 3.282 psia"},
      {"36152", "36,152", "Temperature = 390.0 degR", "Pressure = 3.281 psia"},
      {"65800", "65,800", "Temperature = 390.0 degR", "Pressure = 0.795 psia"},
      {"200000", "200,000", "Temperature = 463.0 degR", "Pressure = 0.002 psia"},
      {"-1000", "-1,000", "Temperature = 522.2 degR", "Pressure = 15.234 psia"},
  };
  for (const Case& c : cases) {
    core::testing::Driven<Atmosphere> w;
    w.Type("txtAltitude", c.typed);
    w.Click("cmdScompute");
    EXPECT_EQ(w.Text("txtAltitude"), c.altitude) << c.typed;
    EXPECT_EQ(w.Text("lblTemp"), c.temperature) << c.typed;
    EXPECT_EQ(w.Text("lblPressure"), c.pressure) << c.typed;
    EXPECT_EQ(w.Error(), "") << c.typed;
  }
}

TEST(AtmosphereWindow, TextThatIsNoNumberLeavesTheWindowUsable) {
  core::testing::Driven<Atmosphere> w;
  w.Type("txtAltitude", "3 km");
  w.Click("cmdScompute");
  EXPECT_EQ(w.Error(), "Altitude (ft) does not hold a number");
  // The lines keep their names, not the values of the last altitude.
  EXPECT_EQ(w.Text("lblTemp"), "Temperature =");
  EXPECT_EQ(w.Text("lblPressure"), "Pressure =");
  w.Type("txtAltitude", "1,000");
  w.Click("cmdScompute");
  EXPECT_EQ(w.Error(), "");
  EXPECT_EQ(w.Text("txtAltitude"), "1,000");
}

TEST(AtmosphereWindow, TableOpensComputedAndLeavesItsInputs) {
  core::testing::Driven<Atmosphere> w;
  w.Type("txtMinAlt", "50000");
  w.Type("txtMaxAlt", "3000");
  w.Click("optTable");
  EXPECT_FALSE(w.Visible("fraSingle"));
  EXPECT_TRUE(w.Visible("fraMulti"));
  EXPECT_EQ(w.Text("txtMinAlt"), "50000");
  EXPECT_EQ(w.Text("lblAltVal(0)"), "50,000");
  EXPECT_EQ(w.Text("lblTempVal(0)"), "390.0");
  EXPECT_EQ(w.Text("lblPressVal(0)"), "1.692");
  EXPECT_EQ(w.Text("lblAltVal(3)"), "35,900");
  EXPECT_EQ(w.Text("lblTempVal(3)"), "390.9");
  EXPECT_EQ(w.Text("lblPressVal(10)"), "13.173");
  w.Click("optSingle");
  EXPECT_TRUE(w.Visible("fraSingle"));
  EXPECT_FALSE(w.Visible("fraMulti"));
}

}  // namespace
}  // namespace atmosphere
