// The bridge between a page's view (web/view.js) and the window model: the
// page calls these exports with control numbers (the order of
// Form::controls()) and gets back JSON of what changed. Every call is one
// user action through the model's event boundary, as in the Qt view.
#include <emscripten/emscripten.h>

#include <algorithm>
#include <clocale>
#include <locale>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "frame/reading.h"
#include "frame/script.h"
#include "web/window.h"

namespace {

using frame::Control;
using frame::Kind;

const char* LookName(frame::Look look) {
  switch (look) {
    case frame::Look::Text: return "text";
    case frame::Look::Title: return "title";
    case frame::Look::Warning: return "warning";
    case frame::Look::Result: return "result";
    case frame::Look::Heading: return "heading";
    case frame::Look::Compute: return "compute";
  }
  return "text";
}

const char* AlignName(frame::Align align) {
  switch (align) {
    case frame::Align::Left: return "left";
    case frame::Align::Center: return "center";
    case frame::Align::Right: return "right";
  }
  return "left";
}

// Collects what the model reports during one user action.
class Recorder : public frame::FormObserver {
 public:
  void ControlChanged(Control& control) override { changed.insert(&control); }
  void ProgramEnded() override { ended = true; }
  void FileWritten(const std::string& name) override { files.push_back(name); }
  void StartProgram(const std::string& program) override {
    // Only a page of the suite: never an address typed into a window.
    if (std::find(web::kPrograms.begin(), web::kPrograms.end(), program) == web::kPrograms.end())
      throw frame::Failure("Cannot find the program file " + program);
    start = program;
  }

  std::set<Control*> changed;
  std::vector<std::string> files;
  std::string start;
  bool ended = false;
};

std::unique_ptr<frame::Form> form;
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

// The tab order of what is shown now (frame/reading, as the Qt view has it).
// Where a control is shown or hidden, the controls whose place changed are
// reported with it.
void Retab(bool report) {
  std::map<const Control*, int> was = std::move(tabs);
  tabs.clear();
  int place = 0;
  for (const Control* c : frame::TabOrder(*form)) tabs[c] = ++place;
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
  json += ",\"text\":" + frame::JsonString(c.kind() == Kind::Picture ? "" : c.text());
  json += ",\"tab\":" + std::to_string(Tab(&c));
  if (c.kind() == Kind::Option) {
    json += ",\"value\":";
    json += static_cast<const frame::Option&>(c).value() ? "true" : "false";
  } else if (c.kind() == Kind::List) {
    json += ",\"index\":" + std::to_string(static_cast<const frame::ListBox&>(c).listIndex());
  }
  return json + "}";
}

// All of a control, for building its element.
std::string Whole(const Control& c) {
  std::string json = State(c);
  json.pop_back();
  json += ",\"id\":" + frame::JsonString(c.id());
  json += ",\"kind\":\"";
  json += frame::KindName(c.kind());
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
    const Control* label = frame::CaptionControl(*form, c);
    if (label && label->kind() != Kind::Label) label = nullptr;
    json += ",\"caption\":" + frame::JsonString(frame::CaptionOf(*form, c));
    json += ",\"label\":" + std::to_string(Number(label));
  }
  if (c.kind() == Kind::TextBox) {
    json += ",\"readOnly\":";
    json += static_cast<const frame::TextBox&>(c).readOnly ? "true" : "false";
  } else if (c.kind() == Kind::List) {
    json += ",\"items\":[";
    const auto& items = static_cast<const frame::ListBox&>(c).items();
    for (size_t i = 0; i < items.size(); ++i) json += (i ? "," : "") + frame::JsonString(items[i]);
    json += "]";
  } else if (c.kind() == Kind::Picture) {
    json += ",\"svg\":" + frame::JsonString(static_cast<const frame::Picture&>(c).svg);
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
    reply += (i ? "," : "") + frame::JsonString(recorder.files[i]);
  reply += "],\"start\":" + frame::JsonString(recorder.start);
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
  std::setlocale(LC_ALL, "C");
  std::locale::global(std::locale::classic());
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
  const std::vector<frame::Frame*> frames = form->ResultFrames();
  resultFrames = std::set<const Control*>(frames.begin(), frames.end());
  Retab(false);
  reply = "{\"program\":" + frame::JsonString(web::kProgram);
  reply += ",\"caption\":" + frame::JsonString(form->caption());
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
  if (c && c->kind() == Kind::TextBox) form->UserType(static_cast<frame::TextBox&>(*c), text);
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
    auto& list = static_cast<frame::ListBox&>(*c);
    if (index >= -1 && index < static_cast<int>(list.items().size())) form->UserSelect(list, index);
  }
  return Report();
}

EMSCRIPTEN_KEEPALIVE const char* web_close() {
  form->UserClose();
  return Report();
}

// The compute button of a box's part of the window (what Enter presses), or -1.
EMSCRIPTEN_KEEPALIVE int web_compute_for(int number) {
  Control* c = At(number);
  if (!c || c->kind() != Kind::TextBox) return -1;
  return Number(form->ComputeFor(static_cast<frame::TextBox&>(*c)));
}

// Copy: a frame of results as tab-separated rows; -1, the whole window.
EMSCRIPTEN_KEEPALIVE const char* web_copy(int number) {
  Control* c = At(number);
  if (c && c->kind() == Kind::Frame)
    reply = form->TableText(static_cast<frame::Frame*>(c));
  else
    reply = frame::WindowText(*form);
  return reply.c_str();
}

}  // extern "C"
