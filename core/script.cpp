#include "core/script.h"

#include <algorithm>
#include <istream>
#include <nlohmann/json.hpp>
#include <ostream>
#include <sstream>

namespace core {

namespace {

using Json = nlohmann::ordered_json;

// Each line the script mode prints is one JSON object, its keys in the
// order written; bytes of a text that break UTF-8 show as U+FFFD.
std::string Line(const Json& json) {
  return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

}  // namespace

std::string JsonString(std::string_view text) { return Line(Json(std::string(text))); }

std::string ControlJson(const Control& control) {
  Json json = {{"name", control.id()},
               {"kind", KindName(control.kind())},
               {"visible", control.visible()},
               {"shown", control.shown()},
               {"text", control.kind() == Kind::Picture ? std::string() : control.text()}};
  if (control.kind() == Kind::Option) {
    json["value"] = static_cast<const Option&>(control).value();
  } else if (control.kind() == Kind::List) {
    const auto& list = static_cast<const ListBox&>(control);
    json["index"] = list.listIndex();
    json["items"] = list.items();
  }
  return Line(json);
}

std::string SweepPointJson(const SweepRequest& request, const SweepPoint& point) {
  Json outputs = Json::object();
  for (size_t i = 0; i < request.outputs.size() && i < point.outputs.size(); ++i)
    outputs[request.outputs[i]] = point.outputs[i];
  return Line({{"sweep", request.input},
               {"point", point.index},
               {"text", point.text},
               {"outputs", std::move(outputs)},
               {"message", point.message}});
}

namespace {

// Prints the events of the model as they happen; starts nothing.
class ScriptObserver : public FormObserver {
 public:
  explicit ScriptObserver(std::ostream& out) : out_(out) {}
  void ControlChanged(Control&) override {}
  void ProgramEnded() override { out_ << Line({{"event", "end"}}) << "\n"; }
  void FileWritten(const std::string& name) override {
    out_ << Line({{"event", "file"}, {"name", name}}) << "\n";
  }
  void StartProgram(const std::string& program) override {
    out_ << Line({{"event", "start"}, {"program", program}}) << "\n";
  }

 private:
  std::ostream& out_;
};

struct ScriptError {
  std::string message;
};

Control& Named(Form& form, std::string_view id) {
  if (id.empty()) throw ScriptError{"a control name is missing"};
  Control* control = form.FindById(id);
  if (!control) throw ScriptError{"no control named \"" + std::string(id) + "\""};
  return *control;
}

void Expect(const Control& control, Kind kind, std::string_view command) {
  if (control.kind() != kind)
    throw ScriptError{"\"" + std::string(command) + "\" does not fit " + control.id() +
                      ", a " + KindName(control.kind())};
}

// Splits "NAME rest": NAME ends at the first blank; the rest is everything
// after that one blank.
std::pair<std::string_view, std::string_view> SplitName(std::string_view args, bool& hasRest) {
  size_t blank = args.find(' ');
  hasRest = blank != std::string_view::npos;
  if (!hasRest) return {args, {}};
  return {args.substr(0, blank), args.substr(blank + 1)};
}

// "sweep INPUT FROM TO POINTS BUTTON OUTPUT...": the names as the window
// spells them (a sweep prints the names it was given).
void SweepCommand(Form& form, const FormFactory& make, std::string_view args, std::ostream& out) {
  std::vector<std::string> words;
  std::istringstream split{std::string(args)};
  for (std::string word; split >> word;) words.push_back(word);
  if (words.size() < 6)
    throw ScriptError{"\"sweep\" needs INPUT FROM TO POINTS BUTTON and at least one OUTPUT"};
  SweepRequest request;
  Control& input = Named(form, words[0]);
  Expect(input, Kind::TextBox, "sweep");
  request.input = input.id();
  for (int end = 1; end <= 2; ++end) {
    std::optional<double> value = ReadRangeEnd(words[static_cast<size_t>(end)]);
    if (!value) throw ScriptError{"\"sweep\": \"" + words[static_cast<size_t>(end)] + "\" is not a number"};
    (end == 1 ? request.from : request.to) = *value;
  }
  const std::string& count = words[3];
  if (count.empty() || count.size() > 6 || count.find_first_not_of("0123456789") != std::string::npos)
    throw ScriptError{"\"sweep\": the number of points \"" + count + "\" is not a whole number"};
  request.points = std::stoi(count);
  if (request.points < kMinPoints || request.points > kMaxPoints)
    throw ScriptError{"\"sweep\": the number of points must be from " + std::to_string(kMinPoints) +
                      " to " + std::to_string(kMaxPoints)};
  Control& button = Named(form, words[4]);
  Expect(button, Kind::Button, "sweep");
  request.button = button.id();
  for (size_t i = 5; i < words.size(); ++i) {
    Control& output = Named(form, words[i]);
    if (output.kind() != Kind::Label && output.kind() != Kind::TextBox)
      throw ScriptError{"\"sweep\" reads only labels and text boxes, not " + output.id() + ", a " +
                        KindName(output.kind())};
    request.outputs.push_back(output.id());
  }
  if (!make) throw ScriptError{"\"sweep\" cannot copy this window"};
  std::vector<SweepPoint> points;
  try {
    points = Sweep(form, make, request).Run(SweepThreads());
  } catch (const SweepError& e) {
    throw ScriptError{std::string("\"sweep\": ") + e.what()};
  }
  for (const SweepPoint& point : points) out << SweepPointJson(request, point) << "\n";
  form.NoteSweep(Trace(request, points));
}

// "chart NAME": the data of one of the window's charts.
void ChartCommand(Form& form, std::string_view args, std::ostream& out) {
  std::string name(args);
  if (name.empty()) throw ScriptError{"\"chart\" needs a chart name"};
  auto names = form.ChartNames();
  if (std::find(names.begin(), names.end(), name) == names.end()) {
    std::string known;
    for (const auto& n : names) known += (known.empty() ? "" : ", ") + n;
    throw ScriptError{"this window has no chart \"" + name + "\"" +
                      (known.empty() ? std::string(" (it has none)") : " (it has " + known + ")")};
  }
  out << ChartJson(form.ShownChart(name)) << "\n";
}

void Command(Form& form, const FormFactory& make, std::string_view line, std::ostream& out) {
  size_t blank = line.find(' ');
  std::string_view verb = line.substr(0, blank);
  std::string_view args = blank == std::string_view::npos ? std::string_view{} : line.substr(blank + 1);
  bool hasRest = false;
  if (verb == "type") {
    auto [name, text] = SplitName(args, hasRest);
    Control& box = Named(form, name);
    Expect(box, Kind::TextBox, verb);
    form.UserType(static_cast<TextBox&>(box), std::string(text));
  } else if (verb == "click") {
    auto [name, rest] = SplitName(args, hasRest);
    if (hasRest) throw ScriptError{"\"click\" takes only a control name"};
    Control& control = Named(form, name);
    if (control.kind() != Kind::Button && control.kind() != Kind::Option)
      throw ScriptError{"\"click\" does not fit " + control.id() + ", a " +
                        KindName(control.kind())};
    form.UserClick(control);
  } else if (verb == "select") {
    auto [name, text] = SplitName(args, hasRest);
    if (!hasRest) throw ScriptError{"\"select\" needs an item text"};
    Control& control = Named(form, name);
    Expect(control, Kind::List, verb);
    auto& list = static_cast<ListBox&>(control);
    int found = list.IndexOf(text);
    if (found < 0)
      throw ScriptError{"list " + list.id() + " holds no item \"" + std::string(text) + "\""};
    form.UserSelect(list, found);
  } else if (verb == "close") {
    if (!args.empty() || blank != std::string_view::npos) throw ScriptError{"\"close\" takes nothing"};
    form.UserClose();
  } else if (verb == "show") {
    auto [name, rest] = SplitName(args, hasRest);
    if (hasRest) throw ScriptError{"\"show\" takes only a control name"};
    out << ControlJson(Named(form, name)) << "\n";
  } else if (verb == "dump") {
    if (!args.empty() || blank != std::string_view::npos) throw ScriptError{"\"dump\" takes nothing"};
    for (const auto& control : form.controls()) out << ControlJson(*control) << "\n";
  } else if (verb == "units") {
    const auto system = UnitSystemNamed(args);
    if (!system) throw ScriptError{"\"units\" takes us or si"};
    form.UserUnits(*system);
  } else if (verb == "sweep") {
    SweepCommand(form, make, args, out);
  } else if (verb == "chart") {
    ChartCommand(form, args, out);
  } else {
    throw ScriptError{"unknown command \"" + std::string(verb) + "\""};
  }
}

}  // namespace

int RunScript(Form& form, std::istream& in, std::ostream& out, std::ostream& err) {
  return RunScript(form, FormFactory{}, in, out, err);
}

int RunScript(Form& form, const FormFactory& make, std::istream& in, std::ostream& out,
              std::ostream& err, UnitSystem units) {
  ScriptObserver observer(out);
  form.SetObserver(&observer);
  form.Load();
  if (units != UnitSystem::US) form.UserUnits(units);
  std::string line;
  int number = 0;
  int status = 0;
  while (!form.ended() && std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    try {
      Command(form, make, line, out);
    } catch (const ScriptError& e) {
      err << "line " << number << ": " << e.message << "\n";
      status = 2;
      break;
    }
  }
  out.flush();
  form.SetObserver(nullptr);
  return status;
}

}  // namespace core
