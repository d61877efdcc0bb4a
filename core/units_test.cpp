#include "core/units.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace core {
namespace {

// Each factor against the definitions it is made of, worked by hand.
TEST(Units, FactorsAreTheExactDefinitions) {
  struct Case {
    Quantity quantity;
    double factor;
  } const cases[] = {
      {Quantity::Length, 0.3048},
      {Quantity::Altitude, 0.3048},
      {Quantity::SmallLength, 25.4},
      {Quantity::Area, 645.16},
      {Quantity::Temperature, 5.0 / 9.0},
      {Quantity::Pressure, 6.894757293168},
      {Quantity::Force, 4.4482216152605},
      {Quantity::MassFlow, 0.45359237},
      {Quantity::CorrectedFlow, 0.45359237},
      {Quantity::Velocity, 0.3048},
      {Quantity::Density, 515.3788183929713},  // 14.5939029372 / 0.3048^3
      {Quantity::Power, 0.745699871582},
      {Quantity::SpecificWork, 2.326},  // the IT BTU per lbm is 2.326 kJ/kg exactly
      {Quantity::HeatingValue, 2.326},
      {Quantity::SpecificThrust, 9.80665},  // lbf per lbm is standard gravity
      {Quantity::Tsfc, 28.32545036049801},  // 0.45359237e6 / (4.4482216152605 * 3600)
      {Quantity::PowerSfc, 0.6082773878419815},
      {Quantity::HeatRate, 1.414853204120449},
      {Quantity::GasConstant, 5.380320456},  // 0.3048 * 4.4482216152605 / (0.45359237 * 5/9)
      {Quantity::SpecificHeat, 4.1868},      // the IT calorie per gram
      {Quantity::VolumeFlow, 4.719474432e-4},
      {Quantity::TimePerMass, 2.204622621848776},
      {Quantity::FlowPerSpeed, 0.45359237},
      {Quantity::FlowSquared, 0.20574603812221692},
      {Quantity::FlowSquaredPerSpeed, 0.20574603812221692},
      {Quantity::PerFlowSquared, 4.8603609047673695},
      {Quantity::PowerPerSpeedPower, 0.745699871582},
  };
  ASSERT_EQ(std::size(cases), AllQuantities().size());
  for (const Case& c : cases) {
    SCOPED_TRACE(Info(c.quantity).name);
    EXPECT_NEAR(Info(c.quantity).factor, c.factor, 1e-12 * c.factor);
    EXPECT_STRNE(Info(c.quantity).us, "");
    EXPECT_STRNE(Info(c.quantity).si, "");
    EXPECT_STRNE(Info(c.quantity).us, Info(c.quantity).si);
    // There and back is the value again, to the last bit or next to it.
    for (double v : {1.0, 518.67, 14.696, 1e-6, 123456.789}) {
      const double back = ToUS(c.quantity, ToSI(c.quantity, v));
      EXPECT_NEAR(back, v, 2 * std::nextafter(v, 1e300) - 2 * v);
    }
  }
}

TEST(Units, StandardDayInBothSystems) {
  EXPECT_NEAR(ToSI(Quantity::Temperature, 518.67), 288.15, 1e-12);
  EXPECT_NEAR(ToSI(Quantity::Pressure, 14.6959487755), 101.325, 1e-8);
  EXPECT_NEAR(ToSI(Quantity::GasConstant, 53.353), 287.05, 0.01);
  EXPECT_NEAR(ToSI(Quantity::SpecificHeat, 0.24), 1.004832, 1e-12);
}

// Texts of a quantity as a window shows them, turned to SI and back.
TEST(Units, ValueTextsKeepTheirDigitsAndManner) {
  struct Case {
    const char* us;
    Quantity quantity;
    const char* unit;  // as the text writes it; empty: the quantity's own
    const char* si;
  } const cases[] = {
      {"3,000", Quantity::Altitude, "", "914.4"},
      {"50,000", Quantity::Altitude, "", "15,240"},
      {"3,281", Quantity::Altitude, "", "1,000"},  // 1,000.06 m: a carry adds no digit
      {"518.67", Quantity::Temperature, "", "288.15"},
      {"14.696", Quantity::Pressure, "", "101.33"},
      {"0", Quantity::Pressure, "", "0"},
      {"", Quantity::Pressure, "", ""},
      {"abc", Quantity::Pressure, "", "abc"},
      {"-40", Quantity::Velocity, "", "-12"},
      {"Temperature = 518.7 degR", Quantity::Temperature, "degR", "Temperature = 288.2 K"},
      {"Pressure = 14.696 psia", Quantity::Pressure, "", "Pressure = 101.33 kPa"},
      {"1.5E-05", Quantity::Pressure, "", "1.0E-04"},
      {".5", Quantity::Length, "", ".15"},  // ".2" would be 31 % off
      {"12,345.000", Quantity::Force, "", "54,913.296"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.us);
    const TextUnit unit = UnitOf(c.quantity, c.unit);
    EXPECT_EQ(ValueText(c.us, unit, UnitSystem::SI), c.si);
  }
}

// Captions have only their unit replaced: a number in a name ("Tt4") or a
// unit word inside another word stays.
TEST(Units, CaptionsChangeOnlyTheirUnit) {
  struct Case {
    const char* us;
    Quantity quantity;
    const char* unit;
    const char* si;
  } const cases[] = {
      {"Tt4 (R)=", Quantity::Temperature, "", "Tt4 (K)="},
      {"Altitude (ft)", Quantity::Altitude, "", "Altitude (m)"},
      {"Exit total temperature (deg R)", Quantity::Temperature, "deg R",
       "Exit total temperature (K)"},
      {"Rg (ft-lbf/lbm-R)", Quantity::GasConstant, "", "Rg (J/(kg·K))"},
      {"Radius (ft)", Quantity::Length, "", "Radius (m)"},
      {"Ratio", Quantity::Temperature, "", "Ratio"},
      {"mc2 (lbm/s)=", Quantity::CorrectedFlow, "", "mc2 (kg/s)="},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.us);
    const TextUnit unit = UnitOf(c.quantity, c.unit);
    const std::string si = CaptionText(c.us, unit, UnitSystem::SI);
    EXPECT_EQ(si, c.si);
    // A caption's number stays as it is in a value text too.
    EXPECT_EQ(ValueText(c.us, unit, UnitSystem::SI), c.si);
  }
}

// The value behind a text converts, not its rounded digits.
TEST(Units, ValuesConvertFromTheComputation) {
  const TextUnit unit = UnitOf(Quantity::Force);
  // 1.254 lbf shows as "1.25"; from the text alone it would be 5.56 N.
  EXPECT_EQ(ValueText("1.25", unit, UnitSystem::SI, 1.254), "5.58");
  EXPECT_EQ(ValueText("1.25", unit, UnitSystem::SI), "5.56");
  // 3,280.84 ft is 999.9999 m: at four digits, 1,000 (not 1,000.0).
  EXPECT_EQ(ValueText("3,281", UnitOf(Quantity::Altitude), UnitSystem::SI, 3280.84), "1,000");
  // An SI text typed by a user reads back in US at its own digits.
  EXPECT_EQ(ValueText("288.15", UnitOf(Quantity::Temperature), UnitSystem::US), "518.67");
}

TEST(Units, CaptionsThatNameAUSUnit) {
  struct Case {
    const char* text;
    const char* unit;
  } const cases[] = {
      {"Tt6 (deg R)", "deg R"},         {"Temperature = 518.7 degR", "degR"},
      {"z1 (1/(lbm/s)^2)", "lbm/s"},    {"Exit area (in^2)", "in^2"},
      {"Inlet blade height (in)", "in"}, {"Flow rates in all annuli are equal", ""},
      {"Ratio of specific heats", ""},  {"Mach number", ""},
      {"Turning angle (deg)", ""},      {"Tt4 (R)=", "R"},
      {"Ideal or Real analysis?", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(NamedUSUnit(c.text), c.unit) << c.text;
}

TEST(Units, SystemsByName) {
  EXPECT_EQ(UnitSystemNamed("SI"), UnitSystem::SI);
  EXPECT_EQ(UnitSystemNamed("us"), UnitSystem::US);
  EXPECT_FALSE(UnitSystemNamed("metric"));
  EXPECT_FALSE(UnitSystemNamed(""));
}

}  // namespace
}  // namespace core
