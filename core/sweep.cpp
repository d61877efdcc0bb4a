#include "core/sweep.h"
#include "core/print_report.h"

#include "core/reading.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <mutex>
#include <thread>

#include "core/numtext.h"
#include "core/script.h"
#include "lib/mathfn/mathfn.h"

namespace core {

std::string StateText(const Form& form) {
  std::string text;
  for (const auto& control : form.controls()) {
    text += ControlJson(*control);
    text += '\n';
  }
  return text;
}

namespace {

constexpr const char* kNotCopied = "The window cannot be copied: its actions do not repeat the same way";

// A fresh window that replays actions.
std::unique_ptr<Form> Replayed(const FormFactory& make, const std::vector<UserAction>& actions) {
  std::unique_ptr<Form> copy = make();
  copy->MakeCopy();
  copy->Replay(actions);
  return copy;
}

int ValueOf(const Control& c) {
  if (c.kind() == Kind::Option) return static_cast<const Option&>(c).value();
  if (c.kind() == Kind::List) return static_cast<const ListBox&>(c).listIndex();
  return 0;
}

}  // namespace

std::unique_ptr<Form> CopyWindow(const Form& form, const FormFactory& make) {
  std::unique_ptr<Form> copy = Replayed(make, form.actions());
  if (StateText(*copy) != StateText(form)) throw Failure(kNotCopied);
  return copy;
}

double PointValue(double from, double to, int n, int i, Spacing spacing) {
  if (spacing == Spacing::Log) {
    // The ends exactly as typed; between them equal ratios.
    if (i <= 0) return from;
    if (i >= n - 1) return to;
    return from * mathfn::pow(to / from, static_cast<double>(i) / (n - 1));
  }
  return from + i * (to - from) / (n - 1);
}

std::string PointText(double value) { return NumberText(static_cast<float>(value)); }

std::optional<double> ReadRangeEnd(std::string_view text) {
  if (!ParseStrict(text)) return std::nullopt;
  // The strict grammar allows grouping marks between integer digits; without
  // them the leading reader reads the same number, as a Double.
  std::string digits;
  for (char c : text)
    if (c != ',') digits += c;
  return ParseLeading(digits);
}

namespace {

const Control& Named(const Form& form, const std::string& id, const char* role) {
  const Control* control = form.FindById(id);
  if (!control) throw SweepError(std::string(role) + ": no control named \"" + id + "\"");
  return *control;
}

bool InsideWarningFrame(const Control& control, const std::vector<const Frame*>& frames) {
  for (const Frame* f = control.parent(); f; f = f->parent())
    if (std::find(frames.begin(), frames.end(), f) != frames.end()) return true;
  return false;
}

}  // namespace

void CheckRequest(const Form& form, const SweepRequest& request) {
  if (Named(form, request.input, "input").kind() != Kind::TextBox)
    throw SweepError("input: " + request.input + " is not a text box");
  if (Named(form, request.button, "button").kind() != Kind::Button)
    throw SweepError("button: " + request.button + " is not a command button");
  if (request.outputs.empty()) throw SweepError("no output to read");
  for (const std::string& output : request.outputs) {
    if (IsChartResult(output)) {
      const std::string chart = output.substr(6, output.find(':', 6) - 6);
      const std::vector<std::string> names = form.ChartNames();
      if (std::find(names.begin(), names.end(), chart) == names.end())
        throw SweepError("output: the window has no chart \"" + chart + "\"");
      continue;
    }
    const Kind kind = Named(form, output, "output").kind();
    if (kind != Kind::Label && kind != Kind::TextBox)
      throw SweepError("output: " + output + " is neither a label nor a text box");
  }
  if (request.points < kMinPoints || request.points > kMaxPoints)
    throw SweepError("the number of points must be from " + std::to_string(kMinPoints) + " to " +
                     std::to_string(kMaxPoints));
  // Each point is typed as a Single.
  constexpr double kSingleMax = std::numeric_limits<float>::max();
  if (!(std::fabs(request.from) <= kSingleMax) || !(std::fabs(request.to) <= kSingleMax))
    throw SweepError("the range must lie inside the Single range");
  if (request.spacing == Spacing::Log && !(request.from > 0 && request.to > 0))
    throw SweepError("a log spacing needs both ends of the range above zero");
  if (!request.family.empty()) {
    if (Named(form, request.family, "family").kind() != Kind::TextBox)
      throw SweepError("family: " + request.family + " is not a text box");
    if (request.family == request.input)
      throw SweepError("family: the family box is the swept box");
    if (request.familyTexts.empty() || request.familyTexts.size() > kMaxFamily)
      throw SweepError("a family takes from 1 to " + std::to_string(kMaxFamily) + " values");
  }
}

std::vector<const Label*> ShownWarnings(const Form& form) {
  std::vector<const Frame*> warnings;
  for (const auto& c : form.controls()) {
    if (c->kind() != Kind::Label || c->look != Look::Warning || !c->parent()) continue;
    if (c->parent()->shown()) warnings.push_back(c->parent());
  }
  std::vector<const Label*> labels;
  for (const auto& c : form.controls()) {
    if (c->kind() != Kind::Label || !c->shown() || c->text().empty()) continue;
    if (InsideWarningFrame(*c, warnings)) labels.push_back(static_cast<const Label*>(c.get()));
  }
  return labels;
}

std::string ShownMessage(const Form& form) {
  if (form.lblError->shown()) return form.lblError->caption();
  std::string message;
  for (const Label* label : ShownWarnings(form)) {
    if (!message.empty()) message += ' ';
    message += label->text();
  }
  return message;
}

Sweep::Sweep(const Form& form, FormFactory make, SweepRequest request)
    : make_(std::move(make)), request_(std::move(request)) {
  CheckRequest(form, request_);
  if (!make_) throw SweepError("this window cannot be copied");
  actions_ = form.actions();
  for (const auto& c : form.controls()) state_.push_back({c->visible(), ValueOf(*c), c->text()});
  curves_ = request_.family.empty() ? 1 : static_cast<int>(request_.familyTexts.size());
}

SweepPoint Sweep::RunPoint(int k) const {
  SweepPoint point;
  point.curve = k / request_.points;
  point.index = k % request_.points;
  point.value = PointValue(request_.from, request_.to, request_.points, point.index,
                           request_.spacing);
  try {
    point.text = PointText(point.value);
    std::unique_ptr<Form> copy = Replayed(make_, actions_);
    // Checked control by control: a copy that differs would give wrong digits.
    const auto& controls = copy->controls();
    bool same = controls.size() == state_.size();
    for (size_t i = 0; same && i < controls.size(); ++i) {
      const Control& c = *controls[i];
      same = c.visible() == state_[i].visible && ValueOf(c) == state_[i].value &&
             c.text() == state_[i].text;
    }
    if (!same) throw Failure(kNotCopied);
    if (!request_.family.empty())
      copy->UserType(static_cast<TextBox&>(*copy->FindById(request_.family)),
                     request_.familyTexts[static_cast<size_t>(point.curve)]);
    copy->UserType(static_cast<TextBox&>(*copy->FindById(request_.input)), point.text);
    copy->UserClick(*copy->FindById(request_.button));
    for (const std::string& output : request_.outputs) point.outputs.push_back(ResultText(*copy, output));
    point.message = ShownMessage(*copy);
  } catch (const std::exception& e) {
    // Only a copy that went wrong gets here: the window's own failures end
    // at its event boundary.
    point.outputs.assign(request_.outputs.size(), "");
    point.message = e.what();
  }
  return point;
}

std::vector<SweepPoint> Sweep::Run(int threads, const std::atomic<bool>* cancel,
                                   const std::function<void(const SweepPoint&)>& done) const {
  const int n = size();
  std::vector<std::optional<SweepPoint>> slots(static_cast<size_t>(n));
  std::atomic<int> next{0};
  std::mutex reporting;
  auto work = [&] {
    for (;;) {
      if (cancel && cancel->load()) return;
      const int k = next.fetch_add(1);
      if (k >= n) return;
      SweepPoint point = RunPoint(k);
      if (done) {
        std::lock_guard<std::mutex> lock(reporting);
        done(point);
      }
      slots[static_cast<size_t>(k)] = std::move(point);
    }
  };
  threads = std::clamp(threads, 1, std::max(1, n));
  if (threads == 1) {
    work();
  } else {
    std::vector<std::thread> pool;
    pool.reserve(static_cast<size_t>(threads));
    for (int t = 0; t < threads; ++t) pool.emplace_back(work);
    for (auto& t : pool) t.join();
  }
  std::vector<SweepPoint> points;
  points.reserve(static_cast<size_t>(n));
  for (auto& slot : slots)
    if (slot) points.push_back(std::move(*slot));
  return points;
}

int SweepThreads() {
  const unsigned cores = std::thread::hardware_concurrency();
  return static_cast<int>(std::clamp(cores, 1u, 16u));
}

namespace {

bool IsEnding(const Control& c) {
  const std::string& t = c.text();
  return t.find("Done") != std::string::npos || t.find("DONE") != std::string::npos;
}

}  // namespace

std::vector<const TextBox*> SweepInputs(const Form& form) {
  std::vector<const TextBox*> boxes;
  for (const auto& c : form.controls())
    if (c->kind() == Kind::TextBox && c->shown() && !static_cast<const TextBox&>(*c).readOnly)
      boxes.push_back(static_cast<const TextBox*>(c.get()));
  return boxes;
}

std::vector<const Control*> SweepOutputs(const Form& form) {
  std::vector<const Control*> outputs;
  for (const auto& c : form.controls()) {
    // A result box may be hidden until there is something to show in it.
    if (c->kind() == Kind::TextBox && static_cast<const TextBox&>(*c).readOnly) {
      outputs.push_back(c.get());
      continue;
    }
    if (!c->shown() || c.get() == form.lblError) continue;
    if (c->kind() != Kind::Label || c->look == Look::Warning || c->look == Look::Title ||
        c->look == Look::Heading)
      continue;
    if (c->look != Look::Result && !ShownNumber(c->text())) continue;
    // A label that only numbers a row ("1", "2") is no result.
    std::string t = Trimmed(c->text());
    if (!t.empty() && (t.back() == '=' || t.back() == ':')) t.pop_back();
    if (c->look != Look::Result && Trimmed(t).find_first_not_of("0123456789") == std::string::npos)
      continue;
    outputs.push_back(c.get());
  }
  return outputs;
}

namespace {

constexpr std::string_view kChartPrefix = "chart:";

struct ChartCell {
  std::string chart;
  size_t row = 0, column = 0;
};

std::optional<ChartCell> CellOf(std::string_view id) {
  if (!IsChartResult(id)) return std::nullopt;
  id.remove_prefix(kChartPrefix.size());
  const size_t a = id.rfind(':');
  if (a == std::string_view::npos || a == 0) return std::nullopt;
  const size_t b = id.rfind(':', a - 1);
  if (b == std::string_view::npos) return std::nullopt;
  ChartCell cell;
  cell.chart = std::string(id.substr(0, b));
  const std::string row(id.substr(b + 1, a - b - 1)), column(id.substr(a + 1));
  if (row.empty() || column.empty() || row.find_first_not_of("0123456789") != std::string::npos ||
      column.find_first_not_of("0123456789") != std::string::npos || row.size() > 6 || column.size() > 6)
    return std::nullopt;
  cell.row = std::stoul(row);
  cell.column = std::stoul(column);
  return cell;
}

// Whether a drawn chart's table has the cell's row below its headings.
bool HasRow(const ChartData& chart, const ChartCell& cell) {
  return chart.available() && cell.row != 0 && cell.row < chart.table.size();
}

// A heading that names a quantity carries its unit: "Ca (ft/s)".
bool QuantityHeading(const std::string& heading) { return heading.find('(') != std::string::npos; }

std::string Lowered(std::string text) {
  if (!text.empty()) text[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(text[0])));
  return text;
}

std::string CellCaption(const ChartData& chart, size_t row, size_t column) {
  const auto& headings = chart.table.front();
  std::string caption = headings[column];
  for (size_t c = 0; c < headings.size() && c < chart.table[row].size(); ++c)
    if (!QuantityHeading(headings[c])) caption += ", " + Lowered(headings[c]) + " " + chart.table[row][c];
  return caption;
}

bool ShowsOwnNumber(const Form& form) {
  for (const Control* c : SweepOutputs(form))
    if (ShownNumber(c->text())) return true;
  return false;
}

}  // namespace

bool IsChartResult(std::string_view id) { return id.substr(0, kChartPrefix.size()) == kChartPrefix; }

std::string ResultText(const Form& form, const std::string& id) {
  if (const std::optional<ChartCell> cell = CellOf(id)) {
    const ChartData chart = form.ShownChart(cell->chart);
    if (!HasRow(chart, *cell) || cell->column >= chart.table[cell->row].size()) return {};
    return chart.table[cell->row][cell->column];
  }
  const Control* c = form.FindById(id);
  return c ? c->text() : std::string();
}

std::string ChartResultCaption(const Form& form, const std::string& id, const FormFactory& make,
                               const std::string& compute) {
  const std::optional<ChartCell> cell = CellOf(id);
  if (!cell) return id;
  auto caption = [&](const Form& from) -> std::optional<std::string> {
    const ChartData chart = from.ShownChart(cell->chart);
    if (!HasRow(chart, *cell) || cell->column >= chart.table.front().size()) return std::nullopt;
    return CellCaption(chart, cell->row, cell->column);
  };
  if (auto shown = caption(form)) return *shown;
  if (!make || compute.empty()) return id;
  try {
    std::unique_ptr<Form> copy = CopyWindow(form, make);
    if (Control* button = copy->FindById(compute)) copy->UserClick(*button);
    if (auto computed = caption(*copy)) return *computed;
  } catch (const std::exception&) {
  }
  return id;
}

std::vector<ResultChoice> SweepResults(const Form& form, const FormFactory& make, const Button* compute) {
  std::vector<ResultChoice> results;
  for (const Control* c : SweepOutputs(form)) results.push_back({c->id(), CaptionOf(form, *c)});
  if (ShowsOwnNumber(form) || !make || !compute || form.ChartNames().empty()) return results;
  std::unique_ptr<Form> copy;
  try {
    copy = CopyWindow(form, make);
    copy->UserClick(*copy->FindById(compute->id()));
  } catch (const std::exception&) {
    return results;
  }
  for (const std::string& name : copy->ChartNames()) {
    const ChartData chart = copy->ShownChart(name);
    if (!chart.available() || chart.table.size() < 2) continue;
    // A quantity's cells together, column by column.
    const auto& headings = chart.table.front();
    for (size_t c = 0; c < headings.size(); ++c)
      for (size_t r = 1; r < chart.table.size(); ++r)
        if (c < chart.table[r].size() && QuantityHeading(headings[c]) && ShownNumber(chart.table[r][c]))
          results.push_back({std::string(kChartPrefix) + name + ":" + std::to_string(r) + ":" + std::to_string(c),
                             CellCaption(chart, r, c)});
  }
  return results;
}

std::vector<const Button*> SweepButtons(const Form& form) {
  std::vector<const Button*> buttons;
  for (const auto& c : form.controls())
    if (c->kind() == Kind::Button && c->shown() && !IsEnding(*c))
      buttons.push_back(static_cast<const Button*>(c.get()));
  return buttons;
}

std::optional<double> ShownNumber(std::string_view text) {
  // A value alone, or after "=" and followed only by its unit.
  const size_t eq = text.rfind('=');
  if (eq == std::string_view::npos) return ReadRangeEnd(text);
  text = text.substr(eq + 1);
  size_t end = text.find_first_not_of(' ');
  if (end == std::string_view::npos) return std::nullopt;
  const size_t start = end;
  while (end < text.size() && text[end] != ' ') ++end;
  return ReadRangeEnd(text.substr(start, end - start));
}

namespace {

// Spans tried from a box holding zero, widest first.
constexpr double kZeroSpans[] = {10000, 1000, 100, 10, 1, 0.1};
// An angle in degrees holding zero: up to a steep angle, not round the circle.
constexpr double kAngleSpans[] = {45, 20, 10, 5, 1};
// About a value: from value/f to value·f.
constexpr double kFactors[] = {2, 1.5, 1.25, 1.1, 1.05};

// A ratio of specific heats ("γ", "gamma"): only above 1 is it a gas.
bool HeatRatio(const std::string& caption) {
  std::string t = Trimmed(caption);
  while (!t.empty() && (t.back() == '=' || t.back() == ' ')) t.pop_back();
  for (char& c : t) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return t == "γ" || t == "gamma" || t.rfind("gamma ", 0) == 0 || t.rfind("γ ", 0) == 0;
}

bool InDegrees(const std::string& caption) {
  return caption.find("deg") != std::string::npos || caption.find("°") != std::string::npos;
}

// Whether a result only repeats the swept value, or stays the same along the
// sweep; nothing when some point shows no number for it.
struct Along {
  bool numbers = true, echo = true, constant = true;
};

Along Judge(const std::vector<SweepPoint>& points, size_t output) {
  Along a;
  std::optional<double> first;
  for (const SweepPoint& p : points) {
    const std::optional<double> y = output < p.outputs.size() ? ShownNumber(p.outputs[output]) : std::nullopt;
    if (!y || !std::isfinite(*y)) {
      a.numbers = false;
      return a;
    }
    if (!first) first = *y;
    a.constant = a.constant && *y == *first;
    const double x = ReadRangeEnd(p.text).value_or(NAN);
    a.echo = a.echo && std::fabs(*y - x) <= 1e-4 * std::max(1.0, std::fabs(x));
  }
  return a;
}

}  // namespace

std::vector<std::pair<double, double>> CandidateRanges(const Form& form, const TextBox& box) {
  const std::optional<double> value = ReadRangeEnd(box.text());
  std::vector<std::pair<double, double>> ranges;
  if (!value) return {{0, 1}};
  const double v = *value;
  if (v == 0) {
    const bool degrees = InDegrees(CaptionOf(form, box));
    for (double span : degrees ? std::vector<double>(std::begin(kAngleSpans), std::end(kAngleSpans))
                               : std::vector<double>(std::begin(kZeroSpans), std::end(kZeroSpans))) {
      ranges.emplace_back(0, span);
      ranges.emplace_back(-span, 0);
    }
    return ranges;
  }
  // A heat ratio spreads about its excess over 1, so that it stays above 1.
  const bool ratio = v > 1 && HeatRatio(CaptionOf(form, box));
  for (double f : kFactors) {
    const double a = ratio ? 1 + (v - 1) / f : v / f, b = ratio ? 1 + (v - 1) * f : v * f;
    ranges.emplace_back(std::min(a, b), std::max(a, b));
  }
  return ranges;
}

SweepOffer OfferFor(const Form& form, const FormFactory& make, const TextBox& box) {
  SweepOffer offer;
  offer.input = box.id();
  const std::vector<const Button*> buttons = SweepButtons(form);
  const Button* compute = form.ComputeFor(box);
  if (!compute && !buttons.empty()) compute = buttons.front();
  if (compute) offer.button = compute->id();
  std::vector<std::string> results;
  for (const ResultChoice& r : SweepResults(form, make, compute))
    if (r.id != box.id()) results.push_back(r.id);
  const auto ranges = CandidateRanges(form, box);
  offer.from = ranges.front().first;
  offer.to = ranges.front().second;
  for (size_t i = 0; i < results.size() && offer.outputs.size() < 2; ++i) offer.outputs.push_back(results[i]);
  if (offer.button.empty() || results.empty()) return offer;

  SweepRequest request;
  request.input = box.id();
  request.button = offer.button;
  request.points = kDefaultPoints;
  request.outputs = results;
  for (const auto& [from, to] : ranges) {
    request.from = from;
    request.to = to;
    // A range with a gap is given up at its first one; its ends and middle
    // (points of the full sweep too) are tried first.
    std::atomic<bool> gap = false;
    std::vector<SweepPoint> points;
    try {
      for (int n : {3, kDefaultPoints}) {
        request.points = n;
        points = Sweep(form, make, request).Run(SweepThreads(), &gap, [&gap](const SweepPoint& p) {
          if (!p.message.empty()) gap = true;
        });
        if (gap) break;
      }
    } catch (const std::exception&) {
      return offer;  // a window that cannot be copied: the plain offer
    }
    if (gap || points.size() != static_cast<size_t>(kDefaultPoints)) continue;
    // Two results that lie on each other make one curve: the second is
    // left for another.
    std::vector<std::string> changing;
    std::vector<std::vector<std::string>> drawn;
    for (size_t o = 0; o < results.size() && changing.size() < 2; ++o) {
      const Along a = Judge(points, o);
      if (!a.numbers || a.echo || a.constant) continue;
      std::vector<std::string> texts;
      for (const SweepPoint& p : points) texts.push_back(p.outputs[o]);
      if (std::find(drawn.begin(), drawn.end(), texts) != drawn.end()) continue;
      drawn.push_back(std::move(texts));
      changing.push_back(results[o]);
    }
    if (changing.empty()) continue;
    offer.from = from;
    offer.to = to;
    offer.outputs = std::move(changing);
    offer.clean = true;
    return offer;
  }
  return offer;
}

std::optional<SweepOffer> DefaultOffer(const Form& form, const FormFactory& make) {
  const std::vector<const TextBox*> inputs = SweepInputs(form);
  if (inputs.empty() || SweepButtons(form).empty() || SweepOutputs(form).empty()) return std::nullopt;
  std::optional<SweepOffer> first;
  int tried = 0;
  for (const TextBox* box : inputs) {
    if (!form.ComputeFor(*box)) continue;
    SweepOffer offer = OfferFor(form, make, *box);
    if (offer.clean) return offer;
    if (!first) first = std::move(offer);
    if (++tried == kOfferedBoxesTried) break;
  }
  if (first) return first;
  return OfferFor(form, make, *inputs.front());
}

SweepTrace Trace(const SweepRequest& request, const std::vector<SweepPoint>& points) {
  SweepTrace trace;
  trace.outputs = request.outputs;
  for (const SweepPoint& point : points)
    trace.points.push_back({point.curve, point.outputs, !point.message.empty()});
  return trace;
}

}  // namespace core
