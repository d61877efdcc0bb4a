#include "core/plot.h"

#include "core/reading.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <map>
#include <tuple>

#include "lib/mathfn/mathfn.h"

namespace core {

// ------------------------------------------------------------------ colours

const std::vector<std::string>& SeriesColours() {
  static const std::vector<std::string> colours = {"#1f77b4", "#2ca02c", "#ff7f0e", "#9467bd", "#8c564b",
                                                   "#17becf", "#e377c2", "#7f7f7f", "#bcbd22"};
  return colours;
}

std::string SeriesColour(int index) {
  const auto& colours = SeriesColours();
  const int n = static_cast<int>(colours.size());
  return colours[static_cast<size_t>(((index % n) + n) % n)];
}

const char* DashName(Dash dash) {
  switch (dash) {
    case Dash::Solid: return "solid";
    case Dash::Dash: return "dash";
    case Dash::Dot: return "dot";
    case Dash::DashDot: return "dashdot";
  }
  return "solid";
}

const char* ShapeName(MarkShape shape) {
  switch (shape) {
    case MarkShape::Circle: return "circle";
    case MarkShape::Square: return "square";
    case MarkShape::Triangle: return "triangle";
    case MarkShape::Diamond: return "diamond";
  }
  return "circle";
}

// ------------------------------------------------------------------ request

std::vector<std::string> SplitFamilyValues(std::string_view text) {
  std::vector<std::string> values;
  std::string value;
  for (char c : text) {
    if (std::isspace(static_cast<unsigned char>(c)) || c == ';') {
      if (!value.empty()) values.push_back(std::move(value));
      value.clear();
    } else {
      value += c;
    }
  }
  if (!value.empty()) values.push_back(std::move(value));
  return values;
}

std::string FamilyHint() {
  return "up to " + std::to_string(kMaxFamily) + " values, e.g. 2000 2500 3000";
}

CheckedRequest ReadRequest(const Form& form, const TypedRequest& typed) {
  CheckedRequest out;
  SweepRequest& r = out.request;
  if (typed.input.empty() || typed.button.empty()) {
    out.problem = "Choose a box to sweep and a button to press.";
    return out;
  }
  r.input = typed.input;
  r.button = typed.button;
  const std::optional<double> from = ReadRangeEnd(typed.from);
  const std::optional<double> to = ReadRangeEnd(typed.to);
  if (!from || !to) {
    out.problem = "From and To must be numbers.";
    return out;
  }
  r.from = *from;
  r.to = *to;
  // Not a whole number in range: the check below names the range.
  const bool whole = std::isfinite(typed.points) && typed.points == std::floor(typed.points) &&
                     std::fabs(typed.points) <= kMaxPoints + 1;
  r.points = whole ? static_cast<int>(typed.points) : 0;
  r.spacing = typed.log ? Spacing::Log : Spacing::Linear;
  r.outputs = typed.outputs;
  if (r.outputs.empty()) {
    out.problem = "Check at least one result to plot.";
    return out;
  }
  if (!typed.family.empty()) {
    r.family = typed.family;
    r.familyTexts = SplitFamilyValues(typed.familyValues);
  }
  try {
    CheckRequest(form, r);
  } catch (const SweepError& e) {
    out.problem = e.what();
    out.problem[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(out.problem[0])));
  }
  return out;
}

std::string ComputingStatus(int points) { return "Computing " + std::to_string(points) + " points…"; }

std::string CancelledStatus(int done, int total) {
  return "Cancelled after " + std::to_string(done) + " of " + std::to_string(total) + " points.";
}

std::string FinishedStatus(int points, int gaps) {
  return std::to_string(points) + " points, " + std::to_string(gaps) + " of them gaps.";
}

// -------------------------------------------------------------------- sweep

namespace {

// A result's caption reads "Thrust (lbf) =" beside its value; on an axis, in
// a legend or a CSV heading the name goes without the "=".
std::string PlotName(std::string caption) {
  while (!caption.empty() && (caption.back() == '=' || caption.back() == ' ')) caption.pop_back();
  return caption;
}

}  // namespace

SweepCaptions CaptionsOf(const Form& form, const SweepRequest& request, const FormFactory& make) {
  auto caption = [&](const std::string& id) {
    if (IsChartResult(id)) return ChartResultCaption(form, id, make, request.button);
    const Control* c = form.FindById(id);
    if (!c) return id;
    std::string name = PlotName(CaptionOf(form, *c));
    // A unit written apart from the caption (a column of units) still names
    // the axis.
    const std::string unit = ShownUnit(form, *c);
    if (!unit.empty() && FindUnitWord(name, unit) == std::string::npos) name += " (" + unit + ")";
    return name;
  };
  SweepCaptions captions;
  captions.input = caption(request.input);
  captions.family = request.family.empty() ? std::string() : caption(request.family);
  for (const std::string& id : request.outputs) captions.outputs.push_back(caption(id));
  return captions;
}

std::vector<bool> SecondAxes(const SweepRequest& request, const std::vector<std::optional<SweepPoint>>& slots) {
  const size_t n = request.outputs.size();
  std::vector<double> magnitude(n, 0);
  for (const auto& slot : slots) {
    if (!slot || !slot->message.empty()) continue;
    for (size_t o = 0; o < n && o < slot->outputs.size(); ++o)
      if (auto y = ShownNumber(slot->outputs[o])) magnitude[o] = std::max(magnitude[o], std::fabs(*y));
  }
  std::vector<bool> second(n, false);
  for (size_t o = 1; o < n; ++o) {
    const double a = magnitude[0], b = magnitude[o];
    second[o] = a > 0 && b > 0 && (b > 10 * a || a > 10 * b);
  }
  return second;
}

namespace {

// Points beyond this are not listed one by one under the drawing.
constexpr int kMaxGapLines = 500;
// More points than this along a curve: a line without markers.
constexpr int kMaxMarkedPoints = 60;
// In a family a colour for each value and a dash for each result.
constexpr Dash kDashes[] = {Dash::Solid, Dash::Dash, Dash::Dot, Dash::DashDot};

std::string Joined(const std::vector<std::string>& parts) {
  std::string text;
  for (const std::string& part : parts) text += (text.empty() ? "" : ", ") + part;
  return text;
}

void AxesOf(SweepPlot& plot, const SweepCaptions& captions, const std::vector<bool>& second, bool logX,
            bool logY) {
  plot.x = {captions.input, logX};
  std::vector<std::string> left, right;
  for (size_t o = 0; o < captions.outputs.size(); ++o) (second[o] ? right : left).push_back(captions.outputs[o]);
  plot.y = {Joined(left), logY};
  if (!right.empty()) plot.y2 = PlotAxis{Joined(right), logY};
}

// One curve: an output along one family value. Counts the points a log axis
// leaves out.
PlotCurve CurveOf(const SweepRequest& request, const SweepCaptions& captions,
                  const std::vector<std::optional<SweepPoint>>& slots, int o, int c, bool logX, bool logY,
                  int& hidden) {
  const int curves = request.family.empty() ? 1 : static_cast<int>(request.familyTexts.size());
  PlotCurve curve;
  curve.output = o;
  curve.curve = c;
  curve.name = captions.outputs[static_cast<size_t>(o)];
  if (curves > 1) curve.name += ", " + request.familyTexts[static_cast<size_t>(c)];
  curve.colour = SeriesColour(curves > 1 ? c : o);
  curve.dash = curves > 1 ? kDashes[static_cast<size_t>(o) % std::size(kDashes)] : Dash::Solid;
  const int n = request.points;
  for (int i = 0; i < n; ++i) {
    const size_t k = static_cast<size_t>(c * n + i);
    if (k >= slots.size() || !slots[k]) continue;  // not computed yet
    const SweepPoint& p = *slots[k];
    const std::optional<double> x = ReadRangeEnd(p.text);
    const std::optional<double> y = p.message.empty() && static_cast<size_t>(o) < p.outputs.size()
                                        ? ShownNumber(p.outputs[static_cast<size_t>(o)])
                                        : std::nullopt;
    if (!x || !y || (logX && *x <= 0) || (logY && *y <= 0)) {
      if (p.message.empty() && x && y) ++hidden;
      curve.points.emplace_back(std::nullopt);
      continue;
    }
    curve.points.emplace_back(std::pair{*x, *y});
  }
  return curve;
}

std::vector<std::string> GapLinesOf(const SweepRequest& request, const SweepCaptions& captions,
                                    const std::vector<std::optional<SweepPoint>>& slots) {
  std::vector<std::string> lines;
  int gaps = 0;
  for (const auto& slot : slots) {
    if (!slot || slot->message.empty()) continue;
    if (gaps++ >= kMaxGapLines) continue;
    std::string line = captions.input + " = " + slot->text;
    if (!request.family.empty())
      line = captions.family + " = " + request.familyTexts[static_cast<size_t>(slot->curve)] + ", " + line;
    lines.push_back(line + ": " + slot->message);
  }
  if (gaps > kMaxGapLines) lines.push_back("… and " + std::to_string(gaps - kMaxGapLines) + " more");
  return lines;
}

}  // namespace

SweepPlot DescribeSweep(const SweepRequest& request, const SweepCaptions& captions,
                        const std::vector<std::optional<SweepPoint>>& slots, bool logX, bool logY) {
  SweepPlot plot;
  const std::vector<bool> second = SecondAxes(request, slots);
  AxesOf(plot, captions, second, logX, logY);
  const int curves = request.family.empty() ? 1 : static_cast<int>(request.familyTexts.size());
  if (!request.family.empty())
    plot.title = "One curve for each " + captions.family + " = " + Joined(request.familyTexts);
  int hidden = 0;
  for (size_t o = 0; o < request.outputs.size(); ++o)
    for (int c = 0; c < curves; ++c) {
      plot.curves.push_back(CurveOf(request, captions, slots, static_cast<int>(o), c, logX, logY, hidden));
      plot.curves.back().secondAxis = second[o];
    }
  plot.markers = request.points <= kMaxMarkedPoints;
  // Many curves: their names in a column beside the drawing, not cut short.
  plot.legend = plot.curves.size() > 3 ? LegendSide::Right : LegendSide::Bottom;
  plot.gapLines = GapLinesOf(request, captions, slots);
  plot.note = hidden ? std::to_string(hidden) + " points at or below zero are not shown on a log axis" : " ";
  return plot;
}

std::string CsvField(std::string_view text) {
  if (text.find_first_of(",\"\n\r") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + "\"";
}

std::string SweepTable(const SweepRequest& request, const SweepCaptions& captions,
                       const std::vector<SweepPoint>& points, char separator) {
  auto line = [separator](const std::vector<std::string>& fields) {
    std::string text;
    for (size_t i = 0; i < fields.size(); ++i) {
      if (i) text += separator;
      text += separator == ',' ? CsvField(fields[i]) : fields[i];
    }
    return text + "\n";
  };
  const bool family = !request.family.empty();
  std::vector<std::string> headings;
  if (family) headings.push_back(captions.family);
  headings.push_back(captions.input);
  headings.insert(headings.end(), captions.outputs.begin(), captions.outputs.end());
  headings.push_back("Message");
  std::string table = line(headings);
  for (const SweepPoint& point : points) {
    std::vector<std::string> row;
    if (family) row.push_back(request.familyTexts[static_cast<size_t>(point.curve)]);
    row.push_back(point.text);
    row.insert(row.end(), point.outputs.begin(), point.outputs.end());
    row.push_back(point.message);
    table += line(row);
  }
  return table;
}

// -------------------------------------------------------------------- chart

namespace {

constexpr MarkShape kShapes[] = {MarkShape::Circle, MarkShape::Square, MarkShape::Triangle, MarkShape::Diamond};

bool Drawable(double x, double y, bool logX, bool logY) {
  return std::isfinite(x) && std::isfinite(y) && (!logX || x > 0) && (!logY || y > 0);
}

// Marks: a legend entry for each name, unless there are many; alarms red.
void MarkGroups(const ChartData& data, ChartLook& look) {
  std::vector<std::string> names;
  for (const ChartMark& m : data.marks)
    if (std::find(names.begin(), names.end(), m.name) == names.end()) names.push_back(m.name);
  const bool shared = static_cast<int>(names.size()) > kMarkLegendEntries;
  std::map<std::tuple<std::string, bool, bool>, int> groups;
  for (const ChartMark& m : data.marks) {
    ChartLook::Mark mark;
    mark.secondAxis = m.secondAxis && data.y2.has_value();
    const bool logY = mark.secondAxis ? data.y2->log : data.y.log;
    if (!Drawable(m.x, m.y, data.x.log, logY)) {
      mark.group = -1;  // a log axis cannot show it
      look.marks.push_back(mark);
      continue;
    }
    const auto key = std::make_tuple(shared ? std::string() : m.name, m.alarm, mark.secondAxis);
    auto [at, added] = groups.try_emplace(key, static_cast<int>(look.groups.size()));
    if (added) {
      ChartLook::Group g;
      g.alarm = m.alarm;
      g.colour = m.alarm ? kAlarmColour : kMarkColour;
      g.shape = kShapes[look.groups.size() % std::size(kShapes)];
      g.secondAxis = mark.secondAxis;
      g.legend = shared ? (m.alarm ? "Marked points (alarm)" : "Marked points") : m.name;
      look.legend = look.legend || !g.legend.empty();
      look.groups.push_back(g);
    }
    const ChartLook::Group& g = look.groups[static_cast<size_t>(at->second)];
    mark.group = at->second;
    mark.colour = g.colour;
    mark.shape = g.shape;
    look.marks.push_back(mark);
  }
}

struct Bounds {
  double lo = HUGE_VAL, hi = -HUGE_VAL;
  void Add(double v) {
    lo = std::min(lo, v);
    hi = std::max(hi, v);
  }
  bool empty() const { return !(lo <= hi); }
};

// Ticks a linear axis may have: fewer say too little, more crowd its numbers.
constexpr int kMinTicks = 2, kMaxTicks = 12;

AxisRange RangeOf(Bounds b, bool log, bool nice) {
  if (b.empty()) b = log ? Bounds{1, 10} : Bounds{0, 1};
  if (log) return {b.lo / 1.15, b.hi * 1.15, 0};
  double pad = (b.hi - b.lo) * 0.02;
  if (pad == 0) pad = b.lo == 0 ? 1 : std::fabs(b.lo) * 0.05;
  // Values not below zero keep the axis from reaching below zero.
  AxisRange r{b.lo >= 0 ? std::max(0.0, b.lo - pad) : b.lo - pad, b.hi + pad, 0};
  if (nice) {
    const double step = NiceStep(r.hi - r.lo, 6);
    const double lo = std::floor(r.lo / step) * step, hi = std::ceil(r.hi / step) * step;
    const double ticks = std::round((hi - lo) / step) + 1;
    if (ticks >= kMinTicks && ticks <= kMaxTicks) r = {lo, hi, step};
  }
  return r;
}

// What each axis must show: every drawable point of the series and marks.
void RangesOf(const ChartData& data, const ChartLook& look, ChartLook& out) {
  Bounds x, y[2];
  const bool logY2 = data.y2 && data.y2->log;
  for (size_t i = 0; i < data.series.size(); ++i) {
    const bool second = look.series[i].secondAxis;
    for (const ChartPoint& p : data.series[i].points)
      if (p && Drawable(p->first, p->second, data.x.log, second ? logY2 : data.y.log)) {
        x.Add(p->first);
        y[second].Add(p->second);
      }
  }
  for (size_t i = 0; i < data.marks.size(); ++i) {
    if (look.marks[i].group < 0) continue;
    x.Add(data.marks[i].x);
    y[look.marks[i].secondAxis].Add(data.marks[i].y);
  }
  const bool equal = data.equalScale && !data.x.log && !data.y.log;
  out.x = RangeOf(x, data.x.log, !equal);
  out.y = RangeOf(y[0], data.y.log, !equal);
  if (data.y2) out.y2 = RangeOf(y[1].empty() ? y[0] : y[1], data.y2->log, true);
}

}  // namespace

double NiceStep(double span, int count) {
  const double raw = span / count;
  if (!(raw > 0) || !std::isfinite(raw)) return 1;
  const double power = mathfn::pow(10.0, std::floor(mathfn::log10(raw)));
  for (double m : {1.0, 2.0, 2.5, 5.0})
    if (raw <= m * power) return m * power;
  return 10 * power;
}

ChartLook DescribeChart(const ChartData& data) {
  ChartLook look;
  for (size_t i = 0; i < data.series.size(); ++i) {
    const ChartSeries& s = data.series[i];
    ChartLook::Series series;
    series.colour = SeriesColour(static_cast<int>(i));
    series.dash = s.style == SeriesStyle::Dashed ? Dash::Dash : Dash::Solid;
    series.width = s.style == SeriesStyle::Dashed ? 1.5 : 2;
    series.secondAxis = s.secondAxis && data.y2.has_value();
    series.inLegend = !s.name.empty();
    look.legend = look.legend || series.inLegend;
    look.series.push_back(series);
  }
  MarkGroups(data, look);
  RangesOf(data, look, look);
  return look;
}

}  // namespace core
