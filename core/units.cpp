#include "core/units.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "core/numtext.h"
#include "lib/mathfn/mathfn.h"

namespace core {
namespace {

using namespace exact;

constexpr double kHour = 3600.0;  // s

const UnitInfo& Row(Quantity q) {
  // Factors built from the exact definitions only, each in one expression.
  static const UnitInfo kLength{"length", "ft", "m", kFoot};
  static const UnitInfo kAltitude{"altitude", "ft", "m", kFoot};
  static const UnitInfo kSmall{"small length", "in", "mm", kInch * 1000.0};
  static const UnitInfo kArea{"area", "in^2", "mm^2", kInch * kInch * 1e6};
  static const UnitInfo kTemperature{"temperature", "R", "K", kRankine};
  static const UnitInfo kPressure{"pressure", "psia", "kPa", kPsi};
  static const UnitInfo kForce{"force", "lbf", "N", kPoundForce};
  static const UnitInfo kMassFlow{"mass flow", "lbm/s", "kg/s", kPoundMass};
  static const UnitInfo kCorrected{"corrected flow", "lbm/s", "kg/s", kPoundMass};
  static const UnitInfo kVelocity{"velocity", "ft/s", "m/s", kFoot};
  static const UnitInfo kDensity{"density", "sl/ft^3", "kg/m^3",
                                 kSlug / (kFoot * kFoot * kFoot)};
  static const UnitInfo kPower{"power", "HP", "kW", kHorsepower};
  static const UnitInfo kWork{"specific work", "BTU/lbm", "kJ/kg", kBtu / kPoundMass};
  static const UnitInfo kHeating{"heating value", "BTU/lbm", "kJ/kg", kBtu / kPoundMass};
  static const UnitInfo kSpecificThrust{"specific thrust", "lbf/(lbm/s)", "N·s/kg",
                                        kPoundForce / kPoundMass};
  // lbm per lbf-hour in grams per kilonewton-second.
  static const UnitInfo kTsfc{"TSFC", "lbm/lbf-hr", "g/(kN·s)",
                              kPoundMass * 1e6 / (kPoundForce * kHour)};
  static const UnitInfo kPowerSfc{"power SFC", "lbm/HP-hr", "kg/(kW·h)",
                                  kPoundMass / kHorsepower};
  static const UnitInfo kHeatRate{"heat rate", "BTU/HP-hr", "kJ/(kW·h)", kBtu / kHorsepower};
  // ft-lbf per lbm-R in J per kg-K.
  static const UnitInfo kGas{"gas constant", "ft-lbf/lbm-R", "J/(kg·K)",
                             kFoot * kPoundForce / (kPoundMass * kRankine)};
  static const UnitInfo kHeat{"specific heat", "BTU/lbm-R", "kJ/(kg·K)",
                              kBtu / (kPoundMass * kRankine)};
  static const UnitInfo kVolume{"volume flow", "cfm", "m^3/s", kFoot * kFoot * kFoot / 60.0};
  static const UnitInfo kTimePerMass{"time per mass", "s/lbm", "s/kg", 1.0 / kPoundMass};
  static const UnitInfo kFlowPerSpeed{"flow per speed", "(lbm/s)/rpm", "(kg/s)/rpm", kPoundMass};
  static const UnitInfo kFlowSquared{"flow squared", "(lbm/s)^2", "(kg/s)^2",
                                     kPoundMass * kPoundMass};
  static const UnitInfo kFlowSquaredPerSpeed{"flow squared per speed", "(lbm/s)^2/rpm",
                                             "(kg/s)^2/rpm", kPoundMass * kPoundMass};
  static const UnitInfo kPerFlowSquared{"per flow squared", "1/(lbm/s)^2", "1/(kg/s)^2",
                                        1.0 / (kPoundMass * kPoundMass)};
  static const UnitInfo kPowerLaw{"power per speed power", "HP/rpm^z4", "kW/rpm^z4", kHorsepower};
  switch (q) {
    case Quantity::Length: return kLength;
    case Quantity::Altitude: return kAltitude;
    case Quantity::SmallLength: return kSmall;
    case Quantity::Area: return kArea;
    case Quantity::Temperature: return kTemperature;
    case Quantity::Pressure: return kPressure;
    case Quantity::Force: return kForce;
    case Quantity::MassFlow: return kMassFlow;
    case Quantity::CorrectedFlow: return kCorrected;
    case Quantity::Velocity: return kVelocity;
    case Quantity::Density: return kDensity;
    case Quantity::Power: return kPower;
    case Quantity::SpecificWork: return kWork;
    case Quantity::HeatingValue: return kHeating;
    case Quantity::SpecificThrust: return kSpecificThrust;
    case Quantity::Tsfc: return kTsfc;
    case Quantity::PowerSfc: return kPowerSfc;
    case Quantity::HeatRate: return kHeatRate;
    case Quantity::GasConstant: return kGas;
    case Quantity::SpecificHeat: return kHeat;
    case Quantity::VolumeFlow: return kVolume;
    case Quantity::TimePerMass: return kTimePerMass;
    case Quantity::FlowPerSpeed: return kFlowPerSpeed;
    case Quantity::FlowSquared: return kFlowSquared;
    case Quantity::FlowSquaredPerSpeed: return kFlowSquaredPerSpeed;
    case Quantity::PerFlowSquared: return kPerFlowSquared;
    case Quantity::PowerPerSpeedPower: return kPowerLaw;
  }
  return kLength;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
// A comma before exactly three digits groups them ("1,000").
bool IsGroupMark(std::string_view text, std::size_t at) {
  for (std::size_t k = at + 1; k <= at + 3; ++k)
    if (k >= text.size() || !IsDigit(text[k])) return false;
  return at + 4 >= text.size() || !IsDigit(text[at + 4]);
}

bool IsWordChar(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

// A number standing alone in a text: where it starts and ends, and how it
// is written.
struct NumberSpan {
  std::size_t begin = 0, end = 0;
  double value = 0;
  int significant = 0;   // digits from the first that is not zero
  int decimals = 0;      // digits after the point
  bool grouped = false;  // "1,000"
  bool leadingZero = true;  // "0.5", not ".5"
  bool exponent = false;
};

std::optional<NumberSpan> FindNumber(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool startsNumber =
        IsDigit(text[i]) || (text[i] == '.' && i + 1 < text.size() && IsDigit(text[i + 1]));
    if (!startsNumber) continue;
    // Part of a word ("Tt4", "mc2", "z3"): not a value.
    if (i > 0 && (IsWordChar(text[i - 1]) || text[i - 1] == '.')) {
      while (i + 1 < text.size() && (IsWordChar(text[i + 1]) || text[i + 1] == '.')) ++i;
      continue;
    }
    NumberSpan n;
    n.begin = i;
    if (i > 0 && (text[i - 1] == '-' || text[i - 1] == '+')) n.begin = i - 1;
    std::size_t j = i;
    std::string plain;
    bool seenNonZero = false, afterPoint = false;
    n.leadingZero = text[i] != '.';
    for (; j < text.size(); ++j) {
      const char c = text[j];
      if (IsDigit(c)) {
        plain.push_back(c);
        if (c != '0') seenNonZero = true;
        if (seenNonZero) ++n.significant;
        if (afterPoint) ++n.decimals;
      } else if (c == ',' && !afterPoint && IsGroupMark(text, j)) {
        n.grouped = true;
      } else if (c == '.' && !afterPoint) {
        afterPoint = true;
        plain.push_back(c);
      } else {
        break;
      }
    }
    if (j < text.size() && (text[j] == 'E' || text[j] == 'e')) {
      std::size_t k = j + 1;
      if (k < text.size() && (text[k] == '+' || text[k] == '-')) ++k;
      if (k < text.size() && IsDigit(text[k])) {
        n.exponent = true;
        plain.append(text.substr(j, k - j));
        for (j = k; j < text.size() && IsDigit(text[j]); ++j) plain.push_back(text[j]);
      }
    }
    // A number glued to a word after it ("4th") is no value either.
    if (j < text.size() && IsWordChar(text[j]) && !n.exponent) {
      i = j;
      continue;
    }
    n.end = j;
    n.value = std::strtod(plain.c_str(), nullptr);
    if (text[n.begin] == '-') n.value = -n.value;
    if (n.significant == 0) n.significant = 1;
    return n;
  }
  return std::nullopt;
}

// value written with `significant` digits at least, in the manner of `like`.
std::string Render(double value, const NumberSpan& like) {
  if (value == 0 || !std::isfinite(value)) {
    std::string pattern = like.grouped ? "#,##0" : "0";
    if (like.decimals > 0) pattern += "." + std::string(static_cast<std::size_t>(like.decimals), '0');
    return std::isfinite(value) ? FormatPattern(0.0, pattern) : "0";
  }
  if (like.exponent) {
    // d.ddddE+xx with the same count of digits.
    const int digits = std::max(1, like.significant);
    int e = static_cast<int>(std::floor(mathfn::log10(std::fabs(value))));
    double mantissa = value / mathfn::pow(10.0, e);
    const std::string places = digits > 1 ? "0." + std::string(static_cast<std::size_t>(digits - 1), '0') : "0";
    std::string m = FormatPattern(mantissa, places);
    if (m.find("10") == 0 || m.find("-10") == 0) {
      ++e;
      m = FormatPattern(value / mathfn::pow(10.0, e), places);
    }
    char exp[16];
    std::snprintf(exp, sizeof exp, "E%c%02d", e < 0 ? '-' : '+', std::abs(e));
    return m + exp;
  }
  // Digits before the point once rounded: 999.99 at four digits is 1,000.
  int magnitude = static_cast<int>(std::floor(mathfn::log10(std::fabs(value)))) + 1;
  const auto at = [&](int m) {
    const int decimals = std::max(0, like.significant - m);
    std::string pattern = like.grouped ? "#,##0" : "0";
    if (decimals > 0) pattern += "." + std::string(static_cast<std::size_t>(decimals), '0');
    return FormatPattern(value, pattern);
  };
  std::string text = at(magnitude);
  const std::size_t point = text.find('.');
  int before = 0;
  for (std::size_t k = 0; k < std::min(point, text.size()); ++k) before += IsDigit(text[k]);
  if (before > magnitude && magnitude > 0) text = at(++magnitude);
  if (!like.leadingZero) {
    const std::size_t zero = text.find("0.");
    if (zero != std::string::npos && (zero == 0 || text[zero - 1] == '-')) text.erase(zero, 1);
  }
  return text;
}

// A rendered number without its grouping marks, for strtod.
std::string Plain(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), ','), text.end());
  return text;
}

std::string ReplaceUnit(std::string text, std::string_view from, std::string_view to) {
  if (from.empty()) return text;
  const std::size_t at = FindUnitWord(text, from);
  if (at == std::string::npos) return text;
  text.replace(at, from.size(), to);
  return text;
}

}  // namespace

std::optional<UnitSystem> UnitSystemNamed(std::string_view word) {
  std::string lower(word);
  for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  if (lower == "us") return UnitSystem::US;
  if (lower == "si") return UnitSystem::SI;
  return std::nullopt;
}

const char* UnitSystemWord(UnitSystem system) { return system == UnitSystem::SI ? "si" : "us"; }

const char* UnitSystemTitle(UnitSystem system) {
  return system == UnitSystem::SI ? "SI (m, kg, N, kPa, K, kJ)"
                                  : "US customary (ft, lbm, lbf, psia, °R, BTU)";
}

const UnitInfo& Info(Quantity quantity) { return Row(quantity); }

const std::vector<Quantity>& AllQuantities() {
  static const std::vector<Quantity> all = {
      Quantity::Length,        Quantity::Altitude,       Quantity::SmallLength,
      Quantity::Area,          Quantity::Temperature,    Quantity::Pressure,
      Quantity::Force,         Quantity::MassFlow,       Quantity::CorrectedFlow,
      Quantity::Velocity,      Quantity::Density,        Quantity::Power,
      Quantity::SpecificWork,  Quantity::HeatingValue,   Quantity::SpecificThrust,
      Quantity::Tsfc,          Quantity::PowerSfc,       Quantity::HeatRate,
      Quantity::GasConstant,   Quantity::SpecificHeat,   Quantity::VolumeFlow,
      Quantity::TimePerMass,   Quantity::FlowPerSpeed,   Quantity::FlowSquared,
      Quantity::FlowSquaredPerSpeed, Quantity::PerFlowSquared, Quantity::PowerPerSpeedPower};
  return all;
}

double ToSI(Quantity quantity, double us) { return us * Info(quantity).factor; }
double ToUS(Quantity quantity, double si) { return si / Info(quantity).factor; }

TextUnit UnitOf(Quantity quantity, std::string_view usUnit) {
  const UnitInfo& info = Info(quantity);
  return {quantity, usUnit.empty() ? std::string(info.us) : std::string(usUnit), info.si};
}

std::size_t FindUnitWord(std::string_view text, std::string_view word) {
  for (std::size_t at = text.find(word); at != std::string_view::npos;
       at = text.find(word, at + 1)) {
    const bool before = at == 0 || !IsWordChar(text[at - 1]);
    const std::size_t end = at + word.size();
    const bool after = end >= text.size() || !IsWordChar(text[end]);
    if (before && after) return at;
  }
  return std::string_view::npos;
}

std::string CaptionText(std::string_view text, const TextUnit& unit, UnitSystem to) {
  return to == UnitSystem::SI ? ReplaceUnit(std::string(text), unit.us, unit.si)
                              : ReplaceUnit(std::string(text), unit.si, unit.us);
}

std::string ValueText(std::string_view text, const TextUnit& unit, UnitSystem to,
                      std::optional<double> usValue) {
  std::string out(text);
  if (const auto number = FindNumber(text)) {
    const double from = to == UnitSystem::SI && usValue ? *usValue : number->value;
    const double converted = to == UnitSystem::SI ? ToSI(unit.quantity, from) : ToUS(unit.quantity, from);
    // As many digits as the text has; one more (or two) where that few would
    // be off by more than the text's own last digit, relatively: 0.08 s/lbm
    // is 0.1764 s/kg, which "0.2" would misstate by 13 %; "0.18" does not.
    NumberSpan like = *number;
    std::string shown = Render(converted, like);
    const double step = mathfn::pow(10.0, -number->decimals) / std::fabs(number->value);
    for (int more = 0; more < 2 && !like.exponent && converted != 0 && std::isfinite(step); ++more) {
      const double off = std::fabs(std::strtod(Plain(shown).c_str(), nullptr) - converted) / std::fabs(converted);
      if (off <= step) break;
      ++like.significant;
      shown = Render(converted, like);
    }
    out = std::string(text.substr(0, number->begin)) + shown + std::string(text.substr(number->end));
  }
  return CaptionText(out, unit, to);
}

const std::vector<std::string>& USUnitWords() {
  static const std::vector<std::string> words = {
      "ft", "ft/s", "in", "in^2", "R", "deg R", "degR", "psia", "lbf", "lbm/s", "lbm",
      "sl/ft^3", "HP", "hp", "BTU/lbm", "BTU", "lbm/lbf-hr", "lbm/HP-hr", "BTU/HP-hr",
      "ft-lbf/lbm-R", "BTU/lbm-R", "cfm", "s/lbm", "sl/ft^3"};
  return words;
}

std::string NamedUSUnit(std::string_view text) {
  // The longest first: "deg R" before "R", "in^2" before "in".
  static const std::vector<std::string> words = [] {
    std::vector<std::string> sorted = USUnitWords();
    std::stable_sort(sorted.begin(), sorted.end(), [](const std::string& a, const std::string& b) {
      return a.size() > b.size();
    });
    return sorted;
  }();
  for (const std::string& word : words) {
    for (std::size_t at = text.find(word); at != std::string_view::npos;
         at = text.find(word, at + 1)) {
      const std::size_t end = at + word.size();
      if ((at > 0 && IsWordChar(text[at - 1])) || (end < text.size() && IsWordChar(text[end])))
        continue;
      const bool bracketed = (at > 0 && (text[at - 1] == '(' || text[at - 1] == '/')) ||
                             (end < text.size() && (text[end] == ')' || text[end] == '^'));
      const bool afterNumber = at > 1 && text[at - 1] == ' ' && IsDigit(text[at - 2]);
      if (bracketed || afterNumber) return word;
    }
  }
  return {};
}

}  // namespace core
