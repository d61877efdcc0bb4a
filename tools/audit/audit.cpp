#include "tools/audit/audit.h"

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <vector>

#include "core/script.h"
#include "core/units.h"

namespace audit {
namespace {

struct BadText {
  const char* label;  // as the table heads it
  const char* text;
  bool unreadable;    // no number at all: a refusal must name the box
};
const BadText kTexts[] = {
    {"empty", "", true}, {"letters (abc)", "abc", true}, {"1e400", "1e400", true},
    {"0", "0", false},   {"-5", "-5", false},
};

bool IsResult(const core::Control& c) {
  if (c.kind() == core::Kind::TextBox) return static_cast<const core::TextBox&>(c).readOnly;
  return c.kind() == core::Kind::Label && c.look == core::Look::Result;
}

bool IsInput(const core::Control& c) {
  return c.kind() == core::Kind::TextBox && !static_cast<const core::TextBox&>(c).readOnly;
}

bool WordChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

// Whether text holds word as a word of its own.
bool HasWord(const std::string& text, const std::string& word) {
  for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) {
    const bool before = at > 0 && WordChar(text[at - 1]);
    const bool after = at + word.size() < text.size() && WordChar(text[at + word.size()]);
    if (!before && !after) return true;
  }
  return false;
}

// A control name in a message: one of the window's own, or one in the
// naming style of text boxes and labels.
std::string ControlNamed(const core::Form& form, const std::string& message) {
  for (const auto& c : form.controls()) {
    if (c->name().size() < 3) continue;
    if (HasWord(message, c->id())) return c->id();
    if (HasWord(message, c->name())) return c->name();
  }
  for (const char* prefix : {"txt", "Txt", "lbl", "Lbl"}) {
    for (size_t at = message.find(prefix); at != std::string::npos;
         at = message.find(prefix, at + 1)) {
      const size_t end = at + std::strlen(prefix);
      if ((at == 0 || !WordChar(message[at - 1])) && end < message.size() &&
          WordChar(message[end]))
        return message.substr(at, message.find_first_of(" ),:", at) - at);
    }
  }
  return {};
}

std::string Escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '|') out += "\\|";
    else out += c;
  }
  return out;
}

// A command that makes a hidden box visible, or "" when it is shown already
// (or no single option or list choice shows it).
std::string Reveal(const Factory& make, const std::string& id) {
  auto form = make();
  form->Load();
  if (form->FindById(id)->shown()) return "";
  std::vector<std::string> tries;
  for (const auto& c : form->controls()) {
    if (c->kind() == core::Kind::Option && !static_cast<core::Option&>(*c).value())
      tries.push_back("click " + c->id());
    if (c->kind() == core::Kind::List) {
      auto& list = static_cast<core::ListBox&>(*c);
      for (int i = 0; i < static_cast<int>(list.items().size()); ++i)
        if (i != list.listIndex()) tries.push_back("select " + list.id() + " " + list.items()[i]);
    }
  }
  for (const std::string& command : tries) {
    auto probe = make();
    std::istringstream in(command + "\n");
    std::ostringstream out, err;
    core::RunScript(*probe, in, out, err);
    if (!probe->ended() && probe->FindById(id)->shown()) return command;
  }
  return "";
}

// The script line that computes after typing into the box: its compute
// button, if its part of the window has one.
std::string ComputeLine(core::Form& form, const std::string& id) {
  auto* box = static_cast<core::TextBox*>(form.FindById(id));
  core::Button* compute = form.ComputeFor(*box);
  return compute ? "click " + compute->id() + "\n" : "";
}

void RunLines(core::Form& form, const std::string& lines) {
  std::istringstream in(lines);
  std::ostringstream out, err;
  if (core::RunScript(form, in, out, err) != 0)
    throw std::runtime_error("script failed: " + err.str());
}

// The results that a good computation from the box writes: every result is
// marked, the default text is typed again and the computation run.
std::set<std::string> Written(const Factory& make, const std::string& reveal,
                              const std::string& id, bool& failed) {
  auto form = make();
  RunLines(*form, reveal.empty() ? "" : reveal + "\n");
  const char* mark = "\x01";
  for (const auto& c : form->controls()) {
    if (!IsResult(*c)) continue;
    if (c->kind() == core::Kind::Label)
      static_cast<core::Label&>(*c).setCaption(mark);
    else
      static_cast<core::TextBox&>(*c).setText(mark);
  }
  auto* box = static_cast<core::TextBox*>(form->FindById(id));
  const std::string compute = ComputeLine(*form, id);
  if (compute.empty()) {
    form->UserType(*box, box->text() + " ");  // the same number: its Change computes
  } else {
    form->UserClick(*form->ComputeFor(*box));
  }
  failed = form->lblError->visible();
  std::set<std::string> written;
  for (const auto& c : form->controls())
    if (IsResult(*c) && c->text() != mark) written.insert(c->id());
  return written;
}

struct Outcome {
  std::string cell;                   // for the table
  std::vector<std::string> findings;  // what breaks the rules
};

Outcome Case(const Factory& make, const std::string& reveal, const std::string& id,
             const BadText& bad, const std::set<std::string>& written, bool writtenKnown) {
  auto before = make();
  RunLines(*before, reveal.empty() ? "" : reveal + "\n");
  const std::string script = (reveal.empty() ? "" : reveal + "\n") + "type " + id + " " +
                             bad.text + "\n" + ComputeLine(*before, id);
  auto form = make();
  RunLines(*form, script);
  Outcome o;
  const auto& box = static_cast<const core::TextBox&>(*form->FindById(id));
  // The one caption rule (Form::CaptionOf is core::CaptionOf), as every view names the box.
  const std::string caption = form->CaptionOf(box);
  const std::string where = id + " \"" + bad.text + "\": ";
  if (form->ended()) {
    o.cell = "ends the program";
    o.findings.push_back(where + "the program ended");
    return o;
  }

  std::vector<std::string> stale;
  bool changed = false;  // anything but the box itself and the message
  for (const auto& c : form->controls()) {
    if (c.get() == form->lblError || c->id() == id) continue;
    const core::Control* was = before->FindById(c->id());
    if (c->text() != was->text() || c->shown() != was->shown()) changed = true;
    if (IsResult(*c) && written.count(c->id()) && c->shown() && !c->text().empty())
      stale.push_back(c->id());
  }
  // What typing alone says, when the computation then hides it.
  std::string typing;
  if (!ComputeLine(*before, id).empty()) {
    auto typed = make();
    RunLines(*typed, (reveal.empty() ? "" : reveal + "\n") + "type " + id + " " + bad.text + "\n");
    if (typed->lblError->visible()) {
      typing = typed->lblError->caption();
      if (const std::string named = ControlNamed(*typed, typing); !named.empty())
        o.findings.push_back(where + "typing gives a message naming the control " + named +
                             ": " + typing);
    }
  }

  if (form->lblError->visible()) {
    const std::string& message = form->lblError->caption();
    o.cell = "\"" + message + "\"";
    if (const std::string named = ControlNamed(*form, message); !named.empty())
      o.findings.push_back(where + "the message names the control " + named + ": " + message);
    if (bad.unreadable && message.find(caption) == std::string::npos)
      o.findings.push_back(where + "the message does not name the box (" + caption +
                           "): " + message);
    if (writtenKnown && !stale.empty()) {
      std::string list;
      if (stale.size() > 6) {
        list = std::to_string(stale.size()) + " (" + stale.front() + " ... " + stale.back() + ")";
      } else {
        for (const auto& s : stale) list += (list.empty() ? "" : ", ") + s;
      }
      o.findings.push_back(where + "results still shown beside the message: " + list);
      o.cell += "; results kept: " + list;
    } else if (writtenKnown && !written.empty()) {
      o.cell += "; results blank";
    }
    return o;
  }
  // A warning of the program's own that the text brought up.
  std::string warning;
  for (const auto& c : form->controls()) {
    if (c.get() == form->lblError || c->look != core::Look::Warning || !c->shown()) continue;
    if (before->FindById(c->id())->shown()) continue;
    warning += (warning.empty() ? "" : " ") + c->text();
  }
  if (!warning.empty()) {
    o.cell = "warning: \"" + warning + "\"";
  } else {
    o.cell = changed ? "computed" : "no change";
  }
  if (!typing.empty()) o.cell = "typing: \"" + typing + "\", then " + o.cell;
  return o;
}

}  // namespace

int Main(const std::string& program, const Factory& make, int argc, char** argv) {
  std::string tableFile;
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--table") == 0) tableFile = argv[i + 1];

  // Print files go to a scratch folder of their own.
  const auto home = std::filesystem::current_path();
  const auto scratch = std::filesystem::temp_directory_path() /
                       ("audit_" + program + "_" + std::to_string(::getpid()));
  std::filesystem::create_directories(scratch);
  std::filesystem::current_path(scratch);

  std::vector<std::string> boxes;
  std::vector<std::string> findings;
  {
    auto form = make();
    form->Load();
    for (const auto& c : form->controls())
      if (IsInput(*c)) boxes.push_back(c->id());
    // Every text that names a US unit has a quantity, so that in SI the
    // window names no US unit anywhere (a box by its caption's unit).
    for (const auto& c : form->controls()) {
      const std::string unit = core::NamedUSUnit(c->text());
      if (!unit.empty() && !c->unit())
        findings.push_back(c->id() + ": names " + unit + " but has no quantity");
      if (c->kind() == core::Kind::TextBox && !c->unit()) {
        const std::string named = core::NamedUSUnit(form->CaptionOf(
            static_cast<const core::TextBox&>(*c)));
        if (!named.empty())
          findings.push_back(c->id() + ": its caption names " + named + " but it has no quantity");
      }
    }
    form->UserUnits(core::UnitSystem::SI);
    for (const auto& c : form->controls())
      if (const std::string unit = core::NamedUSUnit(c->text()); !unit.empty())
        findings.push_back(c->id() + ": still names " + unit + " in SI: \"" + c->text() + "\"");
  }

  std::ostringstream table;
  for (const std::string& id : boxes) {
    const std::string reveal = Reveal(make, id);
    bool baselineFailed = false;
    const std::set<std::string> written = Written(make, reveal, id, baselineFailed);
    auto shown = make();
    RunLines(*shown, reveal.empty() ? "" : reveal + "\n");
    const auto& box = static_cast<const core::TextBox&>(*shown->FindById(id));
    const std::string caption = shown->CaptionOf(box);
    if (caption == "A box") findings.push_back(id + ": the box has no caption to be named by");
    std::string reached = reveal.empty() ? (box.shown() ? "" : "(hidden)") : "`" + reveal + "`";
    table << "| " << program << " | " << Escape(caption) << " | `" << id << "` "
          << Escape(reached) << " |";
    for (const BadText& bad : kTexts) {
      Outcome o = Case(make, reveal, id, bad, written, !baselineFailed);
      table << " " << Escape(o.cell) << " |";
      findings.insert(findings.end(), o.findings.begin(), o.findings.end());
    }
    table << "\n";
  }
  std::filesystem::current_path(home);
  std::filesystem::remove_all(scratch);

  if (!tableFile.empty()) {
    std::ofstream out(tableFile, std::ios::app);
    out << table.str();
  }
  for (const std::string& f : findings) std::cout << program << ": " << f << "\n";
  std::cout << program << ": " << boxes.size() << " boxes, " << findings.size() << " findings\n";
  return findings.empty() ? 0 : 1;
}

}  // namespace audit
