// Units: the programs compute in US customary units (ft, lbm, lbf, psia,
// degrees Rankine, BTU, horsepower); a window may show and read SI instead.
// Each quantity knows its unit in both systems and the exact factor between
// them (NIST SP 811); a text of a quantity is turned from one system to the
// other here, once, for the window model, the script mode and both views.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace core {

enum class UnitSystem { US, SI };

// "us" or "si" (any letter case); nothing for any other word.
std::optional<UnitSystem> UnitSystemNamed(std::string_view word);
const char* UnitSystemWord(UnitSystem system);   // "us", "si"
const char* UnitSystemTitle(UnitSystem system);  // as the menus offer it

enum class Quantity {
  Length,          // ft -> m
  Altitude,        // ft -> m
  SmallLength,     // in -> mm (blade and impeller dimensions)
  Area,            // in^2 -> mm^2 (nozzle exits)
  Temperature,     // R -> K (absolute)
  Pressure,        // psia -> kPa
  Force,           // lbf -> N
  MassFlow,        // lbm/s -> kg/s
  CorrectedFlow,   // lbm/s -> kg/s (corrected to the standard day)
  Velocity,        // ft/s -> m/s
  Density,         // slug/ft^3 -> kg/m^3
  Power,           // hp -> kW
  SpecificWork,    // BTU/lbm -> kJ/kg
  HeatingValue,    // BTU/lbm -> kJ/kg
  SpecificThrust,  // lbf/(lbm/s) -> N s/kg
  Tsfc,            // lbm/(lbf hr) -> g/(kN s)
  PowerSfc,        // lbm/(hp hr) -> kg/(kW h)
  HeatRate,        // BTU/(hp hr) -> kJ/(kW h)
  GasConstant,     // ft lbf/(lbm R) -> J/(kg K)
  SpecificHeat,    // BTU/(lbm R) -> kJ/(kg K)
  VolumeFlow,      // cfm -> m^3/s
  // Coefficients of the component maps, whose flows are in lbm/s.
  TimePerMass,          // s/lbm -> s/kg
  FlowPerSpeed,         // (lbm/s)/rpm -> (kg/s)/rpm
  FlowSquared,          // (lbm/s)^2 -> (kg/s)^2
  FlowSquaredPerSpeed,  // (lbm/s)^2/rpm -> (kg/s)^2/rpm
  PerFlowSquared,       // 1/(lbm/s)^2 -> 1/(kg/s)^2
  PowerPerSpeedPower,   // HP/rpm^z4 -> kW/rpm^z4
};

struct UnitInfo {
  const char* name;  // "pressure"
  const char* us;    // the unit as US captions write it: "psia"
  const char* si;    // "kPa"
  double factor;     // SI per US unit, exact by definition
};

const UnitInfo& Info(Quantity quantity);
// Every quantity, for tests and listings.
const std::vector<Quantity>& AllQuantities();

// The exact definitions the factors are made of.
namespace exact {
inline constexpr double kFoot = 0.3048;                 // m
inline constexpr double kInch = 0.0254;                 // m
inline constexpr double kPoundMass = 0.45359237;        // kg
inline constexpr double kPoundForce = 4.4482216152605;  // N
inline constexpr double kRankine = 5.0 / 9.0;           // K
inline constexpr double kPsi = 6.894757293168;          // kPa
inline constexpr double kBtu = 1.05505585262;           // kJ (International Table)
inline constexpr double kHorsepower = 0.745699871582;   // kW
inline constexpr double kSlug = 14.5939029372;          // kg
}  // namespace exact

double ToSI(Quantity quantity, double us);
double ToUS(Quantity quantity, double si);

// A text that holds one value of a quantity, turned to the other system:
// its number (the first one that stands alone: not part of a word such as
// "Tt4") is converted (to SI from usValue, the value the computation
// produced, where there is one, rather than from its rounded text), shown with at least as many significant digits as the
// text showed, grouped when the text was grouped, in exponent form when the
// text was; the unit text `unit` (the quantity's by default) is replaced
// where it stands as a word. A text without a number only has its unit
// replaced; one that holds no unit and no number comes back as it is.
struct TextUnit {
  Quantity quantity;
  std::string us;  // the unit as this text writes it in US customary
  std::string si;  // and in SI
};
TextUnit UnitOf(Quantity quantity, std::string_view usUnit = {});
std::string ValueText(std::string_view text, const TextUnit& unit, UnitSystem to,
                      std::optional<double> usValue = std::nullopt);
// Only the unit word replaced, the rest as it stands (captions).
std::string CaptionText(std::string_view text, const TextUnit& unit, UnitSystem to);
// Whether `word` stands in text as a word of its own (no letter or digit
// touching it), and where.
std::size_t FindUnitWord(std::string_view text, std::string_view word);

// The US unit words a caption may hold; an audit finds captions that name
// one but have no quantity.
const std::vector<std::string>& USUnitWords();
// The first US unit the text names as a unit: in parentheses ("(psia)",
// "(1/(lbm/s)^2)") or after a number ("518.7 degR"), not as a plain word
// ("Flow rates in all annuli"). Empty when it names none.
std::string NamedUSUnit(std::string_view text);

}  // namespace core
