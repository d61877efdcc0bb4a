#include "frame/script.h"

#include <istream>
#include <ostream>

namespace frame {

std::string JsonString(std::string_view text) {
  std::string json = "\"";
  for (unsigned char ch : text) {
    switch (ch) {
      case '"': json += "\\\""; break;
      case '\\': json += "\\\\"; break;
      case '\b': json += "\\b"; break;
      case '\f': json += "\\f"; break;
      case '\n': json += "\\n"; break;
      case '\r': json += "\\r"; break;
      case '\t': json += "\\t"; break;
      default:
        if (ch < 0x20) {
          static const char* hex = "0123456789abcdef";
          json += "\\u00";
          json += hex[ch >> 4];
          json += hex[ch & 15];
        } else {
          json += static_cast<char>(ch);
        }
    }
  }
  return json + "\"";
}

std::string ControlJson(const Control& control) {
  std::string json = "{\"name\":" + JsonString(control.id());
  json += ",\"kind\":\"";
  json += KindName(control.kind());
  json += "\",\"visible\":";
  json += control.visible() ? "true" : "false";
  json += ",\"shown\":";
  json += control.shown() ? "true" : "false";
  json += ",\"text\":" + JsonString(control.kind() == Kind::Picture ? "" : control.text());
  if (control.kind() == Kind::Option) {
    json += ",\"value\":";
    json += static_cast<const Option&>(control).value() ? "true" : "false";
  } else if (control.kind() == Kind::List) {
    const auto& list = static_cast<const ListBox&>(control);
    json += ",\"index\":" + std::to_string(list.listIndex()) + ",\"items\":[";
    for (size_t i = 0; i < list.items().size(); ++i) {
      if (i) json += ",";
      json += JsonString(list.items()[i]);
    }
    json += "]";
  }
  return json + "}";
}

namespace {

// Prints the events of the model as they happen; starts nothing.
class ScriptObserver : public FormObserver {
 public:
  explicit ScriptObserver(std::ostream& out) : out_(out) {}
  void ControlChanged(Control&) override {}
  void ProgramEnded() override { out_ << "{\"event\":\"end\"}\n"; }
  void FileWritten(const std::string& name) override {
    out_ << "{\"event\":\"file\",\"name\":" << JsonString(name) << "}\n";
  }
  void StartProgram(const std::string& program) override {
    out_ << "{\"event\":\"start\",\"program\":" << JsonString(program) << "}\n";
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

void Command(Form& form, std::string_view line, std::ostream& out) {
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
  } else {
    throw ScriptError{"unknown command \"" + std::string(verb) + "\""};
  }
}

}  // namespace

int RunScript(Form& form, std::istream& in, std::ostream& out, std::ostream& err) {
  ScriptObserver observer(out);
  form.SetObserver(&observer);
  form.Load();
  std::string line;
  int number = 0;
  int status = 0;
  while (!form.ended() && std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    try {
      Command(form, line, out);
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

}  // namespace frame
