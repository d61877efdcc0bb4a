#include "atmosphere/atmosphere_window.h"

#include <gtest/gtest.h>

#include <string>

namespace atmosphere {
namespace {

std::string Text(const core::Form& form, const std::string& id) {
  return form.FindById(id)->text();
}

void Type(core::Form& form, const std::string& id, const std::string& text) {
  form.UserType(*static_cast<core::TextBox*>(form.FindById(id)), text);
}

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
    Atmosphere form;
    form.Load();
    Type(form, "txtAltitude", c.typed);
    form.UserClick(*form.FindById("cmdScompute"));
    EXPECT_EQ(Text(form, "txtAltitude"), c.altitude) << c.typed;
    EXPECT_EQ(Text(form, "lblTemp"), c.temperature) << c.typed;
    EXPECT_EQ(Text(form, "lblPressure"), c.pressure) << c.typed;
    EXPECT_FALSE(form.lblError->visible()) << c.typed;
  }
}

TEST(AtmosphereWindow, TextThatIsNoNumberLeavesTheWindowUsable) {
  Atmosphere form;
  form.Load();
  Type(form, "txtAltitude", "3 km");
  form.UserClick(*form.FindById("cmdScompute"));
  EXPECT_TRUE(form.lblError->visible());
  EXPECT_EQ(form.lblError->text(), "Altitude (ft) does not hold a number");
  // The lines keep their names, not the values of the last altitude.
  EXPECT_EQ(Text(form, "lblTemp"), "Temperature =");
  EXPECT_EQ(Text(form, "lblPressure"), "Pressure =");
  Type(form, "txtAltitude", "1,000");
  form.UserClick(*form.FindById("cmdScompute"));
  EXPECT_FALSE(form.lblError->visible());
  EXPECT_EQ(Text(form, "txtAltitude"), "1,000");
}

TEST(AtmosphereWindow, TableOpensComputedAndLeavesItsInputs) {
  Atmosphere form;
  form.Load();
  Type(form, "txtMinAlt", "50000");
  Type(form, "txtMaxAlt", "3000");
  form.UserClick(*form.FindById("optTable"));
  EXPECT_FALSE(form.FindById("fraSingle")->visible());
  EXPECT_TRUE(form.FindById("fraMulti")->visible());
  EXPECT_EQ(Text(form, "txtMinAlt"), "50000");
  EXPECT_EQ(Text(form, "lblAltVal(0)"), "50,000");
  EXPECT_EQ(Text(form, "lblTempVal(0)"), "390.0");
  EXPECT_EQ(Text(form, "lblPressVal(0)"), "1.692");
  EXPECT_EQ(Text(form, "lblAltVal(3)"), "35,900");
  EXPECT_EQ(Text(form, "lblTempVal(3)"), "390.9");
  EXPECT_EQ(Text(form, "lblPressVal(10)"), "13.173");
  form.UserClick(*form.FindById("optSingle"));
  EXPECT_TRUE(form.FindById("fraSingle")->visible());
  EXPECT_FALSE(form.FindById("fraMulti")->visible());
}

}  // namespace
}  // namespace atmosphere
