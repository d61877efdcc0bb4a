#include "core/sweep.h"

#include "core/reading.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <mutex>
#include <thread>

#include "core/numtext.h"
#include "core/script.h"

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
    return from * std::pow(to / from, static_cast<double>(i) / (n - 1));
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

std::string ShownMessage(const Form& form) {
  if (form.lblError->shown()) return form.lblError->caption();
  std::vector<const Frame*> warnings;
  for (const auto& c : form.controls()) {
    if (c->kind() != Kind::Label || c->look != Look::Warning || !c->parent()) continue;
    if (c->parent()->shown()) warnings.push_back(c->parent());
  }
  std::string message;
  for (const auto& c : form.controls()) {
    if (c->kind() != Kind::Label || !c->shown() || c->text().empty()) continue;
    if (!InsideWarningFrame(*c, warnings)) continue;
    if (!message.empty()) message += ' ';
    message += c->text();
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
    for (const std::string& output : request_.outputs)
      point.outputs.push_back(copy->FindById(output)->text());
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

std::pair<double, double> DefaultRange(const TextBox& box) {
  const std::optional<double> value = ReadRangeEnd(box.text());
  if (!value || *value == 0) return {0, 1};
  return {*value / 2, *value * 2};
}

SweepTrace Trace(const SweepRequest& request, const std::vector<SweepPoint>& points) {
  SweepTrace trace;
  trace.outputs = request.outputs;
  for (const SweepPoint& point : points)
    trace.points.push_back({point.curve, point.outputs, !point.message.empty()});
  return trace;
}

}  // namespace core
