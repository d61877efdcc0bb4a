// The bridge between a page's view (web/view.js) and the window model: the
// page calls these exports with control numbers (the order of
// Form::controls()) and gets back JSON of what changed. Every call is one
// user action through the model's event boundary, as in the Qt view.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/chart.h"
#include "core/reading.h"
#include "core/script.h"
#include "core/sweep.h"
#include "web/window.h"

namespace {

using core::Control;
using core::Kind;

const char* LookName(core::Look look) {
  switch (look) {
    case core::Look::Text: return "text";
    case core::Look::Title: return "title";
    case core::Look::Warning: return "warning";
    case core::Look::Result: return "result";
    case core::Look::Heading: return "heading";
    case core::Look::Compute: return "compute";
  }
  return "text";
}

const char* AlignName(core::Align align) {
  switch (align) {
    case core::Align::Left: return "left";
    case core::Align::Center: return "center";
    case core::Align::Right: return "right";
  }
  return "left";
}

// A program a window may start: only a page of the suite, never an address
// typed into a window.
void CheckProgram(const std::string& program) {
  if (std::find(web::kPrograms.begin(), web::kPrograms.end(), program) == web::kPrograms.end())
    throw core::Failure("Cannot find the program file " + program);
}

// Collects what the model reports during one user action.
class Recorder : public core::FormObserver {
 public:
  void ControlChanged(Control& control) override { changed.insert(&control); }
  void ProgramEnded() override { ended = true; }
  void FileWritten(const std::string& name) override { files.push_back(name); }
  void StartProgram(const std::string& program) override {
    CheckProgram(program);
    start = program;
  }

  std::set<Control*> changed;
  std::vector<std::string> files;
  std::string start;
  bool ended = false;
};

std::unique_ptr<core::Form> form;
Recorder recorder;
std::string reply;  // the text the last call hands back

std::map<const Control*, int> numbers;  // each control's place in controls()
std::map<const Control*, int> tabs;     // each shown control's place in the tab order, from 1
std::vector<char> shown;                // whether each control was visible at the last report
std::set<const Control*> resultFrames;  // the frames that Copy gives as a table

int Tab(const Control* control) {
  const auto at = tabs.find(control);
  return at == tabs.end() ? 0 : at->second;
}

// The tab order of what is shown now (core/reading, as the Qt view has it).
// Where a control is shown or hidden, the controls whose place changed are
// reported with it.
void Retab(bool report) {
  std::map<const Control*, int> was = std::move(tabs);
  tabs.clear();
  int place = 0;
  for (const Control* c : core::TabOrder(*form)) tabs[c] = ++place;
  if (!report) return;
  for (const auto& c : form->controls()) {
    const auto before = was.find(c.get());
    if ((before == was.end() ? 0 : before->second) != Tab(c.get())) recorder.changed.insert(c.get());
  }
}

int Number(const Control* control) {
  const auto at = numbers.find(control);
  return at == numbers.end() ? -1 : at->second;
}

Control* At(int number) {
  if (!form) return nullptr;
  const auto& all = form->controls();
  if (number < 0 || number >= static_cast<int>(all.size())) return nullptr;
  return all[static_cast<size_t>(number)].get();
}

// What may change of a control.
std::string State(const Control& c) {
  std::string json = "{\"n\":" + std::to_string(Number(&c));
  json += ",\"visible\":";
  json += c.visible() ? "true" : "false";
  json += ",\"text\":" + core::JsonString(c.kind() == Kind::Picture ? "" : c.text());
  json += ",\"tab\":" + std::to_string(Tab(&c));
  if (c.kind() == Kind::Option) {
    json += ",\"value\":";
    json += static_cast<const core::Option&>(c).value() ? "true" : "false";
  } else if (c.kind() == Kind::List) {
    json += ",\"index\":" + std::to_string(static_cast<const core::ListBox&>(c).listIndex());
  }
  return json + "}";
}

// All of a control, for building its element.
std::string Whole(const Control& c) {
  std::string json = State(c);
  json.pop_back();
  json += ",\"id\":" + core::JsonString(c.id());
  json += ",\"kind\":\"";
  json += core::KindName(c.kind());
  json += "\",\"parent\":" + std::to_string(c.parent() ? Number(c.parent()) : -1);
  json += ",\"x\":" + std::to_string(c.rect.x) + ",\"y\":" + std::to_string(c.rect.y);
  json += ",\"w\":" + std::to_string(c.rect.w) + ",\"h\":" + std::to_string(c.rect.h);
  json += ",\"look\":\"";
  json += LookName(c.look);
  json += "\",\"align\":\"";
  json += AlignName(c.align);
  json += "\",\"points\":" + std::to_string(c.points);
  json += ",\"border\":";
  json += c.border ? "true" : "false";
  if (c.kind() == Kind::TextBox || c.kind() == Kind::List) {
    // The label that names it, where the name is a label's (not an option's).
    const Control* label = core::CaptionControl(*form, c);
    if (label && label->kind() != Kind::Label) label = nullptr;
    json += ",\"caption\":" + core::JsonString(core::CaptionOf(*form, c));
    json += ",\"label\":" + std::to_string(Number(label));
  }
  if (c.kind() == Kind::TextBox) {
    json += ",\"readOnly\":";
    json += static_cast<const core::TextBox&>(c).readOnly ? "true" : "false";
  } else if (c.kind() == Kind::List) {
    json += ",\"items\":[";
    const auto& items = static_cast<const core::ListBox&>(c).items();
    for (size_t i = 0; i < items.size(); ++i) json += (i ? "," : "") + core::JsonString(items[i]);
    json += "]";
  } else if (c.kind() == Kind::Picture) {
    json += ",\"svg\":" + core::JsonString(static_cast<const core::Picture&>(c).svg);
  } else if (c.kind() == Kind::Frame) {
    json += ",\"results\":";
    json += resultFrames.count(&c) ? "true" : "false";
  }
  return json + "}";
}

// What one action did: the controls it changed, the files it wrote, the
// program it asks to open, whether the window ended.
const char* Report() {
  bool moved = false;
  for (Control* c : recorder.changed)
    if (shown[static_cast<size_t>(Number(c))] != c->visible()) {
      shown[static_cast<size_t>(Number(c))] = c->visible();
      moved = true;
    }
  if (moved) Retab(true);
  reply = "{\"changed\":[";
  bool first = true;
  for (const auto& c : form->controls()) {
    if (!recorder.changed.count(c.get())) continue;
    if (!first) reply += ",";
    first = false;
    reply += State(*c);
  }
  reply += "],\"files\":[";
  for (size_t i = 0; i < recorder.files.size(); ++i)
    reply += (i ? "," : "") + core::JsonString(recorder.files[i]);
  reply += "],\"start\":" + core::JsonString(recorder.start);
  reply += ",\"ended\":";
  reply += recorder.ended ? "true" : "false";
  reply += "}";
  recorder.changed.clear();
  recorder.files.clear();
  recorder.start.clear();
  return reply.c_str();
}

}  // namespace

extern "C" {

// Makes the window, runs its load step and describes every control.
EMSCRIPTEN_KEEPALIVE const char* web_start() {
  form = web::MakeWindow();
  numbers.clear();
  for (size_t i = 0; i < form->controls().size(); ++i)
    numbers[form->controls()[i].get()] = static_cast<int>(i);
  form->SetObserver(&recorder);
  form->Load();
  recorder.changed.clear();
  shown.clear();
  for (const auto& c : form->controls()) shown.push_back(c->visible());
  // Once: finding them looks at every control.
  const std::vector<core::Frame*> frames = form->ResultFrames();
  resultFrames = std::set<const Control*>(frames.begin(), frames.end());
  Retab(false);
  reply = "{\"program\":" + core::JsonString(web::kProgram);
  reply += ",\"caption\":" + core::JsonString(form->caption());
  reply += ",\"width\":" + std::to_string(form->width());
  reply += ",\"height\":" + std::to_string(form->height());
  reply += ",\"ended\":";
  reply += form->ended() ? "true" : "false";
  reply += ",\"controls\":[";
  const auto& all = form->controls();
  for (size_t i = 0; i < all.size(); ++i) {
    reply += (i ? "," : "") + Whole(*all[i]);
  }
  reply += "]}";
  return reply.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* web_type(int number, const char* text) {
  Control* c = At(number);
  if (c && c->kind() == Kind::TextBox) form->UserType(static_cast<core::TextBox&>(*c), text);
  return Report();
}

EMSCRIPTEN_KEEPALIVE const char* web_click(int number) {
  Control* c = At(number);
  if (c && (c->kind() == Kind::Button || c->kind() == Kind::Option)) form->UserClick(*c);
  return Report();
}

EMSCRIPTEN_KEEPALIVE const char* web_select(int number, int index) {
  Control* c = At(number);
  if (c && c->kind() == Kind::List) {
    auto& list = static_cast<core::ListBox&>(*c);
    if (index >= -1 && index < static_cast<int>(list.items().size())) form->UserSelect(list, index);
  }
  return Report();
}

EMSCRIPTEN_KEEPALIVE const char* web_close() {
  form->UserClose();
  return Report();
}

// The compute button of a box's part of the window (what Enter presses), or -1.
// A print file the last action wrote: its bytes (web_file_size of them),
// for the page's download.
EMSCRIPTEN_KEEPALIVE const char* web_file(const char* name) {
  const std::string* bytes = web::PageFile(name);
  return bytes ? bytes->data() : nullptr;
}

EMSCRIPTEN_KEEPALIVE int web_file_size(const char* name) {
  const std::string* bytes = web::PageFile(name);
  return bytes ? static_cast<int>(bytes->size()) : -1;
}

EMSCRIPTEN_KEEPALIVE int web_compute_for(int number) {
  Control* c = At(number);
  if (!c || c->kind() != Kind::TextBox) return -1;
  return Number(form->ComputeFor(static_cast<core::TextBox&>(*c)));
}

// Copy: a frame of results as tab-separated rows; -1, the whole window.
EMSCRIPTEN_KEEPALIVE const char* web_copy(int number) {
  Control* c = At(number);
  if (c && c->kind() == Kind::Frame)
    reply = form->TableText(static_cast<core::Frame*>(c));
  else
    reply = core::WindowText(*form);
  return reply.c_str();
}

}  // extern "C"

// --- Sweeps and charts: the plot panel and the chart panel (web/plot.js) ---
// A sweep runs in a Web Worker holding its own module of the same program:
// the page hands it the window's action record, the worker replays it on a
// fresh window and runs the points there (core/sweep.h), so the page never
// waits for a point.
namespace {

// Strings as "<bytes>:<bytes of text>", so any text travels unharmed.
void Put(std::string& out, const std::string& text) {
  out += std::to_string(text.size());
  out += ':';
  out += text;
}

bool Take(std::string_view& in, std::string& text) {
  const size_t colon = in.find(':');
  if (colon == std::string_view::npos || colon == 0 || colon > 9) return false;
  size_t size = 0;
  for (size_t i = 0; i < colon; ++i) {
    if (in[i] < '0' || in[i] > '9') return false;
    size = size * 10 + static_cast<size_t>(in[i] - '0');
  }
  if (in.size() - colon - 1 < size) return false;
  text.assign(in.substr(colon + 1, size));
  in.remove_prefix(colon + 1 + size);
  return true;
}

bool TakeNumber(std::string_view& in, int& value) {
  std::string text;
  if (!Take(in, text) || text.empty() || text.size() > 9) return false;
  bool negative = text[0] == '-';
  value = 0;
  for (size_t i = negative ? 1 : 0; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
  }
  if (negative) value = -value;
  return true;
}

std::string Encode(const std::vector<core::UserAction>& actions) {
  std::string out;
  for (const core::UserAction& a : actions) {
    Put(out, std::to_string(static_cast<int>(a.type)));
    Put(out, a.id);
    Put(out, a.text);
    Put(out, std::to_string(a.index));
    Put(out, std::to_string(a.effects.size()));
    for (const std::string& e : a.effects) Put(out, e);
  }
  return out;
}

std::optional<std::vector<core::UserAction>> Decode(std::string_view in) {
  std::vector<core::UserAction> actions;
  while (!in.empty()) {
    core::UserAction a;
    int type = 0, effects = 0;
    if (!TakeNumber(in, type) || type < 0 || type > static_cast<int>(core::UserAction::Type::Close))
      return std::nullopt;
    a.type = static_cast<core::UserAction::Type>(type);
    if (!Take(in, a.id) || !Take(in, a.text) || !TakeNumber(in, a.index) || !TakeNumber(in, effects) ||
        effects < 0)
      return std::nullopt;
    for (int i = 0; i < effects; ++i) {
      std::string effect;
      if (!Take(in, effect)) return std::nullopt;
      a.effects.push_back(std::move(effect));
    }
    actions.push_back(std::move(a));
  }
  return actions;
}

// What a window shows, as a short key: the worker's replayed window must show
// exactly what the page's window shows.
std::string StateKey(const core::Form& f) {
  return std::to_string(std::hash<std::string>{}(core::StateText(f)));
}

std::string NumberJson(std::optional<double> value) {
  if (!value || !std::isfinite(*value)) return "null";
  char text[40];
  std::snprintf(text, sizeof text, "%.17g", *value);
  return text;
}

core::SweepRequest request;  // built by the web_request_* calls
std::unique_ptr<core::Form> sweepWindow;  // the worker's replayed window
std::unique_ptr<core::Sweep> sweep;
core::SweepTrace trace;  // the points the page received, for NoteSweep

// The worker's window behaves as the page's does when a program is started.
class WorkerObserver : public core::FormObserver {
 public:
  void ControlChanged(Control&) override {}
  void ProgramEnded() override {}
  void FileWritten(const std::string&) override {}
  void StartProgram(const std::string& program) override { CheckProgram(program); }
};
WorkerObserver workerObserver;

std::string ControlChoice(const core::Form& f, const Control& c) {
  std::string json = "{\"id\":" + core::JsonString(c.id());
  json += ",\"caption\":" + core::JsonString(core::CaptionOf(f, c));
  return json;
}

}  // namespace

extern "C" {

// What the plot panel offers: the shown input boxes (with their default
// range and the compute button Enter there presses), the buttons, the results.
EMSCRIPTEN_KEEPALIVE const char* web_sweep_choices() {
  reply = "{\"inputs\":[";
  bool first = true;
  for (const core::TextBox* box : core::SweepInputs(*form)) {
    const auto [from, to] = core::DefaultRange(*box);
    const core::Control* compute = form->ComputeFor(*box);
    reply += (first ? "" : ",") + ControlChoice(*form, *box);
    reply += ",\"text\":" + core::JsonString(box->text());
    reply += ",\"from\":" + core::JsonString(core::PointText(from));
    reply += ",\"to\":" + core::JsonString(core::PointText(to));
    reply += ",\"compute\":" + core::JsonString(compute ? compute->id() : "") + "}";
    first = false;
  }
  reply += "],\"buttons\":[";
  first = true;
  for (const core::Button* button : core::SweepButtons(*form)) {
    reply += (first ? "" : ",") + ControlChoice(*form, *button) + "}";
    first = false;
  }
  reply += "],\"outputs\":[";
  first = true;
  for (const Control* output : core::SweepOutputs(*form)) {
    reply += (first ? "" : ",") + ControlChoice(*form, *output) + "}";
    first = false;
  }
  reply += "]}";
  return reply.c_str();
}

// The window's action record and the key of what it shows, for a worker.
EMSCRIPTEN_KEEPALIVE const char* web_actions() {
  reply = Encode(form->actions());
  return reply.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* web_state_key() {
  reply = StateKey(*form);
  return reply.c_str();
}

// A range end or family value as typed: its Double, or NaN when it is not a number.
EMSCRIPTEN_KEEPALIVE double web_range_end(const char* text) {
  const std::optional<double> value = core::ReadRangeEnd(text);
  return value ? *value : std::nan("");
}

EMSCRIPTEN_KEEPALIVE void web_request_clear() { request = core::SweepRequest{}; }

EMSCRIPTEN_KEEPALIVE void web_request_input(const char* id, double from, double to, int points, int log) {
  request.input = id;
  request.from = from;
  request.to = to;
  request.points = points;
  request.spacing = log ? core::Spacing::Log : core::Spacing::Linear;
}

EMSCRIPTEN_KEEPALIVE void web_request_button(const char* id) { request.button = id; }
EMSCRIPTEN_KEEPALIVE void web_request_output(const char* id) { request.outputs.push_back(id); }
EMSCRIPTEN_KEEPALIVE void web_request_family(const char* id) { request.family = id; }
EMSCRIPTEN_KEEPALIVE void web_request_family_text(const char* text) {
  request.familyTexts.push_back(text);
}

// Whether the request fits the page's window: empty, or what is wrong.
EMSCRIPTEN_KEEPALIVE const char* web_request_check() {
  try {
    core::CheckRequest(*form, request);
    reply.clear();
  } catch (const std::exception& e) {
    reply = e.what();
  }
  return reply.c_str();
}

// In a worker: a window brought to the page's window's state by its action
// record, and the sweep of the request on it. Empty, or why it cannot run.
EMSCRIPTEN_KEEPALIVE const char* web_sweep_begin(const char* actions, const char* key) {
  sweep.reset();
  reply.clear();
  try {
    const auto record = Decode(actions);
    if (!record) throw core::Failure("The window's actions did not reach the sweep");
    sweepWindow = web::MakeWindow();
    sweepWindow->SetObserver(&workerObserver);
    sweepWindow->Replay(*record);
    if (StateKey(*sweepWindow) != key)
      throw core::Failure("The window cannot be copied: its actions do not repeat the same way");
    sweep = std::make_unique<core::Sweep>(*sweepWindow, [] { return web::MakeWindow(); }, request);
  } catch (const std::exception& e) {
    reply = e.what();
  }
  return reply.c_str();
}

EMSCRIPTEN_KEEPALIVE int web_sweep_size() { return sweep ? sweep->size() : 0; }

// Point k of the sweep, with the number each output shows (null: none).
EMSCRIPTEN_KEEPALIVE const char* web_sweep_point(int k) {
  if (!sweep || k < 0 || k >= sweep->size()) {
    reply = "null";
    return reply.c_str();
  }
  const core::SweepPoint point = sweep->RunPoint(k);
  reply = "{\"k\":" + std::to_string(k) + ",\"curve\":" + std::to_string(point.curve);
  reply += ",\"index\":" + std::to_string(point.index);
  reply += ",\"value\":" + NumberJson(point.value);
  reply += ",\"text\":" + core::JsonString(point.text) + ",\"outputs\":[";
  for (size_t i = 0; i < point.outputs.size(); ++i)
    reply += (i ? "," : "") + core::JsonString(point.outputs[i]);
  reply += "],\"numbers\":[";
  for (size_t i = 0; i < point.outputs.size(); ++i)
    reply += (i ? "," : "") + NumberJson(core::ShownNumber(point.outputs[i]));
  reply += "],\"message\":" + core::JsonString(point.message) + "}";
  return reply.c_str();
}

// The page notes a finished sweep on its window (its outputs are those of
// the request last built), point by point, so that charts draw it.
EMSCRIPTEN_KEEPALIVE void web_trace_point(int curve, int gap) {
  trace.points.push_back({curve, {}, gap != 0});
}
EMSCRIPTEN_KEEPALIVE void web_trace_text(const char* text) {
  if (!trace.points.empty()) trace.points.back().texts.push_back(text);
}
EMSCRIPTEN_KEEPALIVE const char* web_note_sweep() {
  trace.outputs = request.outputs;
  form->NoteSweep(std::move(trace));
  trace = core::SweepTrace{};
  return Report();
}

// The window's charts: their names (JSON array), and each one's data.
EMSCRIPTEN_KEEPALIVE const char* web_chart_names() {
  reply = "[";
  const std::vector<std::string> names = form->ChartNames();
  for (size_t i = 0; i < names.size(); ++i) reply += (i ? "," : "") + core::JsonString(names[i]);
  reply += "]";
  return reply.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* web_chart(const char* name) {
  try {
    reply = core::ChartJson(form->Chart(name));
  } catch (const std::exception& e) {
    reply = core::ChartJson(core::Unavailable(name, name, std::string("Cannot draw: ") + e.what()));
  }
  return reply.c_str();
}

}  // extern "C"
