#include "core/chart_units.h"

#include <algorithm>
#include <vector>

namespace core {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsWordChar(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
}

const std::vector<std::string>& LongestFirst() {
  static const std::vector<std::string> words = [] {
    std::vector<std::string> sorted = USUnitWords();
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    return sorted;
  }();
  return words;
}

// Where the number written just before a unit begins ("50.2 lbm/s"), or
// npos when no number stands there.
std::size_t NumberBefore(std::string_view text, std::size_t unit) {
  if (unit < 2 || text[unit - 1] != ' ' || !IsDigit(text[unit - 2])) return std::string_view::npos;
  std::size_t begin = unit - 1;
  while (begin > 0 && (IsDigit(text[begin - 1]) || text[begin - 1] == '.' || text[begin - 1] == ','))
    --begin;
  // Part of a word ("Tt4 R" names no value).
  if (begin > 0 && IsWordChar(text[begin - 1])) return std::string_view::npos;
  return begin;
}

// The unit of a quantity that stands at `at` as a unit: after a number or
// alone in parentheses. A letter elsewhere is a symbol ("(s − s*)/R").
std::optional<std::string> UnitAt(std::string_view text, std::size_t at) {
  if (at > 0 && IsWordChar(text[at - 1])) return std::nullopt;
  for (const std::string& word : LongestFirst()) {
    if (text.compare(at, word.size(), word) != 0) continue;
    const std::size_t end = at + word.size();
    if (end < text.size() && IsWordChar(text[end])) continue;
    const bool bracketed = at > 0 && text[at - 1] == '(' && end < text.size() && text[end] == ')';
    if ((bracketed || NumberBefore(text, at) != std::string_view::npos) && QuantityOfUSUnit(word))
      return word;
  }
  return std::nullopt;
}

// The unit a heading or axis title gives its numbers: "Radius (ft)".
std::optional<TextUnit> HeadingUnit(std::string_view text) {
  for (std::size_t at = text.find('('); at != std::string_view::npos; at = text.find('(', at + 1))
    if (const std::optional<std::string> word = UnitAt(text, at + 1))
      return UnitOf(*QuantityOfUSUnit(*word), *word);
  return std::nullopt;
}

struct AxisUnit {
  std::optional<TextUnit> unit;
  double factor = 1;
};

AxisUnit Converted(ChartAxis& axis) {
  AxisUnit out;
  out.unit = HeadingUnit(axis.label);
  if (!out.unit) return out;
  out.factor = Info(out.unit->quantity).factor;
  axis.label = CaptionText(axis.label, *out.unit, UnitSystem::SI);
  return out;
}

}  // namespace

std::optional<Quantity> QuantityOfUSUnit(std::string_view unit) {
  if (unit == "deg R" || unit == "degR") return Quantity::Temperature;
  if (unit == "hp") return Quantity::Power;
  for (Quantity q : AllQuantities())
    if (unit == Info(q).us) return q;
  return std::nullopt;
}

std::string ValuesInSI(std::string_view text) {
  std::string out;
  std::size_t done = 0;  // text before it is in out
  for (std::size_t at = 0; at < text.size(); ++at) {
    const std::optional<std::string> word = UnitAt(text, at);
    if (!word) continue;
    const TextUnit unit = UnitOf(*QuantityOfUSUnit(*word), *word);
    const std::size_t end = at + word->size();
    const std::size_t number = NumberBefore(text, at);
    const std::size_t begin = number != std::string_view::npos && number >= done ? number : at;
    out.append(text.substr(done, begin - done));
    out += begin == at ? unit.si : ValueText(text.substr(begin, end - begin), unit, UnitSystem::SI);
    done = end;
    at = end - 1;
  }
  out.append(text.substr(done));
  return out;
}

ChartData ChartInUnits(ChartData chart, UnitSystem system) {
  if (system == UnitSystem::US) return chart;
  const AxisUnit x = Converted(chart.x), y = Converted(chart.y);
  const AxisUnit y2 = chart.y2 ? Converted(*chart.y2) : AxisUnit{};
  chart.title = ValuesInSI(chart.title);
  for (ChartSeries& series : chart.series) {
    const double fy = series.secondAxis ? y2.factor : y.factor;
    for (ChartPoint& p : series.points)
      if (p) *p = {p->first * x.factor, p->second * fy};
    series.name = ValuesInSI(series.name);
    for (std::string& label : series.labels) label = ValuesInSI(label);
  }
  for (ChartMark& mark : chart.marks) {
    mark.x *= x.factor;
    mark.y *= mark.secondAxis ? y2.factor : y.factor;
    mark.name = ValuesInSI(mark.name);
    mark.text = ValuesInSI(mark.text);
  }
  if (chart.table.empty()) return chart;
  // A column whose heading names a unit holds plain numbers of it.
  std::vector<std::optional<TextUnit>> columns;
  for (std::string& heading : chart.table.front()) {
    columns.push_back(HeadingUnit(heading));
    if (columns.back()) heading = CaptionText(heading, *columns.back(), UnitSystem::SI);
  }
  for (std::size_t r = 1; r < chart.table.size(); ++r)
    for (std::size_t c = 0; c < chart.table[r].size(); ++c) {
      std::string& cell = chart.table[r][c];
      cell = c < columns.size() && columns[c] ? ValueText(cell, *columns[c], UnitSystem::SI)
                                              : ValuesInSI(cell);
    }
  return chart;
}

}  // namespace core
