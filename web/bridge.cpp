// The bridge between a page's view (web/view.mjs) and the window model: the
// page calls these exports with control numbers (the order of
// Form::controls()) and gets back JSON of what changed. Every call is one
// user action through the model's event boundary, as in the Qt view.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "core/actions.h"
#include "core/case_file.h"
#include "core/chart.h"
#include "core/chart_labels.h"
#include "core/print_report.h"
#include "core/reading.h"
#include "core/script.h"
#include "core/sweep.h"
#include "web/window.h"

namespace {

using core::Control;
using core::Kind;
// Members in the order they are set: the page and the tests read them so.
using Json = nlohmann::ordered_json;

// The text of a reply. A byte that is not UTF-8 (none should reach here)
// becomes U+FFFD, as the page's decoder would make it.
std::string Text(const Json& json) { return json.dump(-1, ' ', false, Json::error_handler_t::replace); }

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
Json State(const Control& c) {
  Json json = {{"n", Number(&c)},
               {"visible", c.visible()},
               {"text", c.kind() == Kind::Picture ? "" : c.text()},
               {"tab", Tab(&c)}};
  if (c.kind() == Kind::Option)
    json["value"] = static_cast<const core::Option&>(c).value();
  else if (c.kind() == Kind::List)
    json["index"] = static_cast<const core::ListBox&>(c).listIndex();
  return json;
}

// All of a control, for building its element.
Json Whole(const Control& c) {
  Json json = State(c);
  json["id"] = c.id();
  json["kind"] = core::KindName(c.kind());
  json["parent"] = c.parent() ? Number(c.parent()) : -1;
  json["x"] = c.rect.x;
  json["y"] = c.rect.y;
  json["w"] = c.rect.w;
  json["h"] = c.rect.h;
  json["look"] = LookName(c.look);
  json["align"] = AlignName(c.align);
  json["points"] = c.points;
  json["border"] = c.border;
  if (c.kind() == Kind::TextBox || c.kind() == Kind::List) {
    // The label that names it, where the name is a label's (not an option's).
    const Control* label = core::CaptionControl(*form, c);
    if (label && label->kind() != Kind::Label) label = nullptr;
    json["caption"] = core::CaptionOf(*form, c);
    json["label"] = Number(label);
  }
  if (c.kind() == Kind::TextBox)
    json["readOnly"] = static_cast<const core::TextBox&>(c).readOnly;
  else if (c.kind() == Kind::List)
    json["items"] = static_cast<const core::ListBox&>(c).items();
  else if (c.kind() == Kind::Picture)
    json["svg"] = static_cast<const core::Picture&>(c).svg;
  else if (c.kind() == Kind::Frame)
    json["results"] = resultFrames.count(&c) > 0;
  return json;
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
  Json changed = Json::array();
  for (const auto& c : form->controls())
    if (recorder.changed.count(c.get())) changed.push_back(State(*c));
  reply = Text({{"changed", std::move(changed)},
                {"files", recorder.files},
                {"start", recorder.start},
                {"ended", recorder.ended}});
  recorder.changed.clear();
  recorder.files.clear();
  recorder.start.clear();
  return reply.c_str();
}

}  // namespace

extern "C" {

}  // extern "C"

namespace {

// Takes window (loaded) as the page's and describes every control.
const char* Begin(std::unique_ptr<core::Form> window) {
  form = std::move(window);
  numbers.clear();
  for (size_t i = 0; i < form->controls().size(); ++i)
    numbers[form->controls()[i].get()] = static_cast<int>(i);
  form->SetObserver(&recorder);
  recorder.changed.clear();
  shown.clear();
  for (const auto& c : form->controls()) shown.push_back(c->visible());
  // Once: finding them looks at every control.
  const std::vector<core::Frame*> frames = form->ResultFrames();
  resultFrames = std::set<const Control*>(frames.begin(), frames.end());
  Retab(false);
  Json controls = Json::array();
  for (const auto& c : form->controls()) controls.push_back(Whole(*c));
  reply = Text({{"program", web::kProgram},
                {"caption", form->caption()},
                {"width", form->width()},
                {"height", form->height()},
                {"ended", form->ended()},
                {"controls", std::move(controls)}});
  return reply.c_str();
}

}  // namespace

extern "C" {

// Makes the window, runs its load step and describes every control.
EMSCRIPTEN_KEEPALIVE const char* web_start() {
  std::unique_ptr<core::Form> window = web::MakeWindow();
  window->SetObserver(&recorder);
  window->Load();
  return Begin(std::move(window));
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

// The unit system shown and read: "us" or "si" (anything else is ignored).
EMSCRIPTEN_KEEPALIVE const char* web_units(const char* word) {
  if (const auto system = core::UnitSystemNamed(word)) form->UserUnits(*system);
  return Report();
}

// The unit system in use: "us" or "si".
EMSCRIPTEN_KEEPALIVE const char* web_units_in_use() {
  reply = core::UnitSystemWord(form->units());
  return reply.c_str();
}

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

// The compute button of a box's or a list's part of the window (what Enter
// presses there), or -1.
EMSCRIPTEN_KEEPALIVE int web_compute_for(int number) {
  Control* c = At(number);
  if (!c) return -1;
  return Number(form->ComputeFor(*c));
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

#ifndef CALC_WEB_WINDOW_ONLY
// "Print…": the report of the window as the body of an HTML document, dated
// as the page gives it. `charts` is empty when the chart panel is closed;
// open, it is a list of the pictures the panel drew for paper, {name, src,
// width, height}: every chart's table (or why it has none) follows, each
// under its picture where there is one.
EMSCRIPTEN_KEEPALIVE const char* web_report(const char* date, const char* charts) {
  std::vector<core::ReportChart> entries;
  const Json pictures = Json::parse(charts, nullptr, false);
  if (pictures.is_array()) {
    entries = core::ReportCharts(*form, form->ChartNames());
    for (const Json& p : pictures) {
      auto has = [&](const char* key, bool text) {
        return p.is_object() && p.contains(key) && (text ? p.at(key).is_string() : p.at(key).is_number());
      };
      if (!has("name", true) || !has("src", true) || !has("width", false) || !has("height", false)) continue;
      for (core::ReportChart& e : entries) {
        if (e.name != p.at("name").get<std::string>() || !e.drawn) continue;
        e.src = p.at("src").get<std::string>();
        e.width = p.at("width").get<int>();
        e.height = p.at("height").get<int>();
      }
    }
  }
  reply = core::ReportBodyHtml(core::ReportOf(*form), date, entries);
  return reply.c_str();
}
#endif  // CALC_WEB_WINDOW_ONLY

}  // extern "C"

// --- The window's copies: a sweep's worker and the page's whole module
// replay the page's window from its action record (core/form.h). ---
namespace {

// What a window shows, as a short key: a replayed window must show exactly
// what the page's window shows.
std::string StateKey(const core::Form& f) {
  return std::to_string(std::hash<std::string>{}(core::StateText(f)));
}

// A replayed window behaves as the page's does when a program is started.
class CopyObserver : public core::FormObserver {
 public:
  void ControlChanged(Control&) override {}
  void ProgramEnded() override {}
  void FileWritten(const std::string&) override {}
  void StartProgram(const std::string& program) override { CheckProgram(program); }
};
CopyObserver copyObserver;

// A fresh window brought to the page's window's state by its action record,
// or a failure saying why it cannot be. As a copy, it redoes no print file
// and no program start, each ending as it did on the page.
std::unique_ptr<core::Form> Copied(const char* actions, const char* key, bool copy) {
  std::vector<core::UserAction> record;
  try {
    record = core::DecodeActions(actions);
  } catch (const core::Failure&) {
    throw core::Failure("The window's actions did not come through");
  }
  std::unique_ptr<core::Form> window = web::MakeWindow();
  window->SetObserver(&copyObserver);
  if (copy) window->MakeCopy();
  window->Replay(record);
  if (StateKey(*window) != key)
    throw core::Failure("The window cannot be copied: its actions do not repeat the same way");
  return window;
}

}  // namespace

extern "C" {

// The window's action record and the key of what it shows.
EMSCRIPTEN_KEEPALIVE const char* web_actions() {
  reply = core::EncodeActions(form->actions());
  return reply.c_str();
}

EMSCRIPTEN_KEEPALIVE const char* web_state_key() {
  reply = StateKey(*form);
  return reply.c_str();
}

// The window's charts: their names (JSON array; the menu offers "Charts…"
// where there are any).
EMSCRIPTEN_KEEPALIVE const char* web_chart_names() {
  reply = Text(form->ChartNames());
  return reply.c_str();
}

// The page's window taken over by this module: the page starts on the
// window's own module (the window and its handlers, the sooner shown), and
// the program's whole module, with its sweeps, charts and report, takes the
// window over once it has come. Its print files and program starts stay
// done as they were. The window as web_start describes it, or {"error"}.
EMSCRIPTEN_KEEPALIVE const char* web_take_over(const char* actions, const char* key) {
  std::unique_ptr<core::Form> window;
  try {
    window = Copied(actions, key, true);
  } catch (const std::exception& e) {
    reply = Text({{"error", e.what()}});
    return reply.c_str();
  }
  window->EndCopy();
  return Begin(std::move(window));
}

}  // extern "C"

#ifndef CALC_WEB_WINDOW_ONLY
// --- Sweeps and charts: the plot panel and the chart panel (web/plot.js) ---
// A sweep runs in a Web Worker holding its own module of the same program:
// the page hands it the window's action record, the worker replays it on a
// fresh window and runs the points there (core/sweep.h), so the page never
// waits for a point.
namespace {

// A number, or null where there is none (JSON has no infinity or NaN).
Json NumberJson(std::optional<double> value) {
  if (!value || !std::isfinite(*value)) return nullptr;
  return *value;
}

core::SweepRequest request;  // built by the web_request_* calls
std::unique_ptr<core::Form> sweepWindow;  // the worker's replayed window
std::unique_ptr<core::Sweep> sweep;
core::SweepTrace trace;  // the points the page received, for NoteSweep


Json ControlChoice(const core::Form& f, const Control& c) {
  return {{"id", c.id()}, {"caption", core::CaptionOf(f, c)}};
}

}  // namespace

extern "C" {

// What the plot panel offers: the shown input boxes (with the compute button
// Enter there presses), the buttons, the results; with first set, the
// core's first offer too (the box, its range, button and results checked).
Json OfferJson(const core::SweepOffer& offer) {
  return {{"input", offer.input}, {"button", offer.button}, {"from", core::PointText(offer.from)},
          {"to", core::PointText(offer.to)}, {"outputs", offer.outputs}};
}

EMSCRIPTEN_KEEPALIVE const char* web_sweep_choices(int first) {
  Json inputs = Json::array(), buttons = Json::array(), outputs = Json::array();
  const core::FormFactory make = [] { return web::MakeWindow(); };
  const std::optional<core::SweepOffer> offer = first ? core::DefaultOffer(*form, make) : std::nullopt;
  for (const core::TextBox* box : core::SweepInputs(*form)) {
    const core::Control* compute = form->ComputeFor(*box);
    Json input = ControlChoice(*form, *box);
    input["text"] = box->text();
    input["compute"] = compute ? compute->id() : "";
    inputs.push_back(std::move(input));
  }
  const std::vector<const core::Button*> shown = core::SweepButtons(*form);
  for (const core::Button* button : shown) buttons.push_back(ControlChoice(*form, *button));
  const core::Control* box = offer ? form->FindById(offer->input) : nullptr;
  const core::Button* compute = box ? form->ComputeFor(static_cast<const core::TextBox&>(*box)) : nullptr;
  if (!compute && !shown.empty()) compute = shown.front();
  for (const core::ResultChoice& r : core::SweepResults(*form, make, compute))
    outputs.push_back({{"id", r.id}, {"caption", r.caption}});
  Json reply_json = {{"inputs", std::move(inputs)}, {"buttons", std::move(buttons)}, {"outputs", std::move(outputs)}};
  if (offer) reply_json["offer"] = OfferJson(*offer);
  reply = Text(reply_json);
  return reply.c_str();
}

// The core's offer for one box: its range, button and results.
EMSCRIPTEN_KEEPALIVE const char* web_sweep_offer(const char* id) {
  const core::Control* box = form->FindById(id);
  if (!box || box->kind() != Kind::TextBox) {
    reply = "null";
    return reply.c_str();
  }
  reply = Text(OfferJson(core::OfferFor(*form, [] { return web::MakeWindow(); },
                                        static_cast<const core::TextBox&>(*box))));
  return reply.c_str();
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

// In a worker: a window brought to the page's window's state by its action
// record, and the sweep of the request on it. Empty, or why it cannot run.
EMSCRIPTEN_KEEPALIVE const char* web_sweep_begin(const char* actions, const char* key) {
  sweep.reset();
  reply.clear();
  try {
    sweepWindow = Copied(actions, key, false);
    sweep = std::make_unique<core::Sweep>(*sweepWindow, [] { return web::MakeWindow(); }, request);
  } catch (const std::exception& e) {
    reply = e.what();
  }
  return reply.c_str();
}

// Point k of the sweep, with the number each output shows (null: none).
EMSCRIPTEN_KEEPALIVE const char* web_sweep_point(int k) {
  if (!sweep || k < 0 || k >= sweep->size()) {
    reply = "null";
    return reply.c_str();
  }
  const core::SweepPoint point = sweep->RunPoint(k);
  Json numbers = Json::array();
  for (const std::string& output : point.outputs) numbers.push_back(NumberJson(core::ShownNumber(output)));
  reply = Text({{"k", k},
                {"curve", point.curve},
                {"index", point.index},
                {"value", NumberJson(point.value)},
                {"text", point.text},
                {"outputs", point.outputs},
                {"numbers", std::move(numbers)},
                {"message", point.message}});
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

// A chart's data.
EMSCRIPTEN_KEEPALIVE const char* web_chart(const char* name) {
  try {
    reply = core::ChartJson(form->ShownChart(name));
  } catch (const std::exception& e) {
    reply = core::ChartJson(core::Unavailable(name, name, std::string("Cannot draw: ") + e.what()));
  }
  return reply.c_str();
}

}  // extern "C"

// --- What the panels draw (core/plot.h): the sweep's plot and a chart's
// look, decided by the core as for the desktop, as JSON (web/plot/). ---
#include <nlohmann/json.hpp>

#include "core/plot.h"

namespace {

using Json = nlohmann::ordered_json;

core::SweepCaptions plotCaptions;                      // of the request last read
std::vector<std::optional<core::SweepPoint>> plotSlots;  // its points as they come

Json AxisJson(const core::PlotAxis& axis) { return {{"title", axis.title}, {"log", axis.log}}; }

Json PointsJson(const std::vector<core::ChartPoint>& points) {
  Json list = Json::array();
  for (const core::ChartPoint& p : points) list.push_back(p ? Json{p->first, p->second} : Json(nullptr));
  return list;
}

Json SweepPlotJson(const core::SweepPlot& plot) {
  Json curves = Json::array();
  for (const core::PlotCurve& c : plot.curves)
    curves.push_back({{"name", c.name}, {"output", c.output}, {"curve", c.curve}, {"axis", c.secondAxis ? 2 : 1},
                      {"colour", c.colour}, {"dash", core::DashName(c.dash)}, {"points", PointsJson(c.points)}});
  Json json = {{"title", plot.title}, {"x", AxisJson(plot.x)}, {"y", AxisJson(plot.y)}};
  if (plot.y2) json["y2"] = AxisJson(*plot.y2);
  json["curves"] = std::move(curves);
  json["markers"] = plot.markers;
  json["legend"] = plot.legend == core::LegendSide::Right ? "right" : "bottom";
  json["gaps"] = plot.gapLines;
  json["note"] = plot.note;
  return json;
}

Json ChartLookJson(const core::ChartLook& look) {
  Json series = Json::array(), marks = Json::array(), groups = Json::array();
  for (const auto& s : look.series)
    series.push_back({{"colour", s.colour}, {"dash", core::DashName(s.dash)}, {"width", s.width},
                      {"marker", s.marker}, {"axis", s.secondAxis ? 2 : 1}, {"legend", s.inLegend}});
  for (const auto& m : look.marks) marks.push_back({{"group", m.group}, {"colour", m.colour}});
  for (const auto& g : look.groups)
    groups.push_back({{"legend", g.legend}, {"colour", g.colour}, {"shape", core::ShapeName(g.shape)},
                      {"axis", g.secondAxis ? 2 : 1}, {"alarm", g.alarm}});
  auto range = [](const core::AxisRange& r) { return Json{{"lo", r.lo}, {"hi", r.hi}, {"step", r.step}}; };
  return {{"series", series}, {"marks", marks}, {"groups", groups}, {"markSize", look.markSize},
          {"legend", look.legend}, {"x", range(look.x)}, {"y", range(look.y)}, {"y2", range(look.y2)}};
}

// The chart the panel drew last, for the placing of its texts.
core::ChartData drawnChart;
core::ChartLook drawnLook;

std::string Text(const Json& json, const char* key) {
  const auto at = json.find(key);
  return at != json.end() && at->is_string() ? at->get<std::string>() : std::string();
}

}  // namespace

extern "C" {

// The palette, the limits and the fixed texts of the panels.
EMSCRIPTEN_KEEPALIVE const char* web_plot_style() {
  Json json = {{"series", core::SeriesColours()}, {"alarm", core::kAlarmColour}, {"mark", core::kMarkColour},
               {"minPoints", core::kMinPoints}, {"maxPoints", core::kMaxPoints}, {"maxFamily", core::kMaxFamily},
               {"familyHint", core::FamilyHint()}, {"nothingToSweep", core::kNothingToSweep},
               {"labelFontPixels", core::kLabelFontPixels}};
  reply = json.dump();
  return reply.c_str();
}

// The sweep panel's fields (JSON: input, button, from, to, points, log,
// outputs, family, familyValues) read as the desktop reads them: the
// request and its captions, or the problem in the desktop's words. A request
// that fits becomes the one whose points web_plot_point collects.
EMSCRIPTEN_KEEPALIVE const char* web_plot_request(const char* fields) {
  const Json in = Json::parse(fields, nullptr, false);
  core::TypedRequest typed;
  if (in.is_object()) {
    typed.input = Text(in, "input");
    typed.button = Text(in, "button");
    typed.from = Text(in, "from");
    typed.to = Text(in, "to");
    typed.points = in.contains("points") && in["points"].is_number() ? in["points"].get<double>() : std::nan("");
    typed.log = in.value("log", false);
    if (in.contains("outputs") && in["outputs"].is_array())
      for (const Json& id : in["outputs"])
        if (id.is_string()) typed.outputs.push_back(id.get<std::string>());
    typed.family = Text(in, "family");
    typed.familyValues = Text(in, "familyValues");
  }
  const core::CheckedRequest checked = core::ReadRequest(*form, typed);
  Json out = {{"problem", checked.problem}};
  if (checked.problem.empty()) {
    const core::SweepRequest& r = checked.request;
    request = r;
    plotCaptions = core::CaptionsOf(*form, r, [] { return web::MakeWindow(); });
    plotSlots.assign(static_cast<size_t>(r.points) * std::max<size_t>(1, r.family.empty() ? 1 : r.familyTexts.size()),
                     std::nullopt);
    out["request"] = {{"input", r.input}, {"from", r.from}, {"to", r.to}, {"points", r.points},
                      {"log", r.spacing == core::Spacing::Log}, {"button", r.button}, {"outputs", r.outputs},
                      {"family", r.family}, {"familyTexts", r.familyTexts}, {"size", plotSlots.size()}};
    out["captions"] = {{"input", plotCaptions.input}, {"family", plotCaptions.family},
                       {"outputs", plotCaptions.outputs}};
  }
  reply = out.dump();
  return reply.c_str();
}

// A point a worker computed (web_sweep_point's JSON), for the plot.
EMSCRIPTEN_KEEPALIVE void web_plot_point(const char* pointJson) {
  const Json in = Json::parse(pointJson, nullptr, false);
  if (!in.is_object() || !in.contains("k") || !in["k"].is_number_integer()) return;
  const int k = in["k"].get<int>();
  if (k < 0 || k >= static_cast<int>(plotSlots.size())) return;
  core::SweepPoint p;
  p.curve = in.value("curve", 0);
  p.index = in.value("index", 0);
  p.text = Text(in, "text");
  p.message = Text(in, "message");
  if (in.contains("outputs") && in["outputs"].is_array())
    for (const Json& t : in["outputs"]) p.outputs.push_back(t.is_string() ? t.get<std::string>() : "");
  plotSlots[static_cast<size_t>(k)] = std::move(p);
}

// What the sweep panel draws of the points so far.
// With it the status lines for the points so far (computing, finished,
// cancelled).
EMSCRIPTEN_KEEPALIVE const char* web_plot(int logX, int logY) {
  Json json = SweepPlotJson(core::DescribeSweep(request, plotCaptions, plotSlots, logX != 0, logY != 0));
  int done = 0, gaps = 0;
  for (const auto& slot : plotSlots) {
    done += slot.has_value();
    gaps += slot && !slot->message.empty();
  }
  const int total = static_cast<int>(plotSlots.size());
  json["status"] = {{"computing", core::ComputingStatus(total)}, {"finished", core::FinishedStatus(done, gaps)},
                    {"cancelled", core::CancelledStatus(done, total)}};
  reply = json.dump();
  return reply.c_str();
}

// The sweep's table: ',' gives CSV, '\t' the rows Copy gives.
EMSCRIPTEN_KEEPALIVE const char* web_plot_table(int separator) {
  std::vector<core::SweepPoint> points;
  for (const auto& slot : plotSlots)
    if (slot) points.push_back(*slot);
  reply = core::SweepTable(request, plotCaptions, points, static_cast<char>(separator));
  return reply.c_str();
}

// A chart's data (as web_chart gives it) with its look.
EMSCRIPTEN_KEEPALIVE const char* web_chart_drawn(const char* name) {
  core::ChartData data;
  try {
    data = form->ShownChart(name);
  } catch (const std::exception& e) {
    data = core::Unavailable(name, name, std::string("Cannot draw: ") + e.what());
  }
  drawnLook = core::DescribeChart(data);
  drawnChart = std::move(data);
  reply = "{\"data\":" + core::ChartJson(drawnChart) + ",\"look\":" + ChartLookJson(drawnLook).dump() + "}";
  return reply.c_str();
}

// The texts of the chart drawn last, placed by the core for the plot area as
// the page laid it out: {left, top, width, height, x: [lo, hi], y, y2} in
// pixels and axis values. A list of {text, colour, left, top, width,
// height, atX, atY}.
EMSCRIPTEN_KEEPALIVE const char* web_chart_labels(const char* frame) {
  Json out = Json::array();
  const Json f = Json::parse(frame, nullptr, false);
  if (f.is_object()) {
    auto number = [&](const Json& v, double otherwise) { return v.is_number() ? v.get<double>() : otherwise; };
    core::PixelFrame pixels = core::FrameOf(drawnChart, drawnLook, number(f["left"], 0), number(f["top"], 0),
                                            number(f["width"], 1), number(f["height"], 1));
    auto range = [&](const char* key, core::AxisRange& r) {
      const Json& v = f[key];
      if (v.is_array() && v.size() == 2 && v[0].is_number() && v[1].is_number())
        r = {v[0].get<double>(), v[1].get<double>(), r.step};
    };
    range("x", pixels.x);
    range("y", pixels.y);
    range("y2", pixels.y2);
    for (const core::ChartLabel& l : core::PlaceLabels(drawnChart, drawnLook, pixels))
      out.push_back({{"text", l.text}, {"colour", l.colour}, {"left", l.left}, {"top", l.top}, {"width", l.width},
                     {"height", l.height}, {"atX", l.atX}, {"atY", l.atY}});
  }
  reply = out.dump();
  return reply.c_str();
}

}  // extern "C"

#endif  // CALC_WEB_WINDOW_ONLY

// --- The window as one column, for a narrow screen (core/column.h): each
// section a frame's number (-1: the window) with its caption and parts, each
// row its controls' numbers, the row's caption and the captions shown beside
// its values. ---
#include "core/column.h"

namespace {

nlohmann::ordered_json ColumnJson(const core::ColumnPart& part) {
  if (part.IsRow()) {
    nlohmann::ordered_json row = nlohmann::ordered_json::array();
    for (const Control* c : part.row) row.push_back(Number(c));
    return {{"row", std::move(row)}, {"caption", part.rowCaption}, {"captions", part.captions},
            {"headings", part.headings}};
  }
  nlohmann::ordered_json parts = nlohmann::ordered_json::array();
  for (const core::ColumnPart& p : part.parts) parts.push_back(ColumnJson(p));
  return {{"frame", part.frame ? Number(part.frame) : -1}, {"caption", part.caption}, {"parts", std::move(parts)}};
}

}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE const char* web_layout() {
  reply = Text(ColumnJson(core::OneColumn(*form)));
  return reply.c_str();
}

// --- Cases (core/case_file.h): the window in the page's address, saved as
// the desktop's file, opened from a file or an address. ---
namespace {

const core::FormFactory kMake = [] { return web::MakeWindow(); };

}  // namespace

extern "C" {

// The page's start from the case an address fragment holds: the window as
// web_start describes it, or {"error": why} with no window made.
// The fragment comes as size bytes at fragment (the page's own copy, not on
// the stack: an address may be long).
EMSCRIPTEN_KEEPALIVE const char* web_start_fragment(const char* fragment, int size) {
  const core::FragmentRead read =
      core::CaseOfFragment(std::string_view(fragment, static_cast<size_t>(std::max(size, 0))), web::kProgram);
  if (!read.ok()) {
    reply = Text({{"error", read.error}});
    return reply.c_str();
  }
  core::OpenedCase opened = core::OpenCase(read.text, web::kProgram, kMake);
  if (!opened.ok()) {
    reply = Text({{"error", "The case in the address cannot be opened: " + opened.error}});
    return reply.c_str();
  }
  return Begin(std::move(opened.window));
}

// The window's case as an address fragment; empty when it cannot be written
// (a text typed with a line break in it).
EMSCRIPTEN_KEEPALIVE const char* web_fragment() {
  try {
    reply = core::FragmentOf(*form, web::kProgram);
  } catch (const std::exception&) {
    reply.clear();
  }
  return reply.c_str();
}

// The window's case file: {"name", "type", "text"} or {"error"}.
EMSCRIPTEN_KEEPALIVE const char* web_case_text() {
  try {
    reply = Text({{"name", std::string(web::kProgram) + std::string(core::kCaseExtension)},
                  {"type", std::string(core::kCaseMimeType)},
                  {"text", core::CaseText(*form, web::kProgram)}});
  } catch (const std::exception& e) {
    reply = Text({{"error", e.what()}});
  }
  return reply.c_str();
}

// A case file's size bytes at bytes (any bytes: a NUL or a byte that is
// not UTF-8 reaches the check as it is) checked as the desktop checks them:
// {"fragment"} of the window it opens, or {"error": "Line N: why"}. The
// page's window is left as it is either way.
EMSCRIPTEN_KEEPALIVE const char* web_case_fragment(const char* bytes, int size) {
  const std::string_view text(bytes, static_cast<size_t>(std::max(size, 0)));
  // Read, checked and replayed as ReadCase does it, on a window of its own.
  const core::OpenedCase opened = core::OpenCase(text, web::kProgram, kMake);
  if (!opened.ok()) {
    reply = Text({{"error", opened.error}});
    return reply.c_str();
  }
  try {
    reply = Text({{"fragment", core::FragmentOf(*opened.window, web::kProgram)}});
  } catch (const std::exception& e) {
    reply = Text({{"error", e.what()}});
  }
  return reply.c_str();
}

}  // extern "C"
