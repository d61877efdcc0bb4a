// One caption for each box, over every window of the suite: for every shown
// box (of the window as it opens, and of each part an option or a list choice
// shows), the name its failure gives on the error line, the name the sweep
// panels offer and the name in the help's tables are its caption, and no
// caption holds a control's name.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <sstream>

#include "core/form.h"
#include "core/help_doc.h"
#include "core/reading.h"
#include "core/script.h"
#include "core/sweep.h"
#include "core/testing/driver.h"

#include "window_programs.inc"

namespace core {
namespace {

// What the screen reader and the help name: boxes, lists and results.
bool Described(const Control& c) {
  return c.kind() == Kind::TextBox || c.kind() == Kind::List || IsResult(c);
}

// The window as it opens, then once for each option not chosen and each list
// item not selected: the commands that bring each state about.
std::vector<std::string> States(const WindowProgram& p) {
  std::vector<std::string> states = {""};
  auto form = p.make();
  form->Load();
  for (const auto& c : form->controls()) {
    if (!c->shown()) continue;
    if (c->kind() == Kind::Option && !static_cast<const Option&>(*c).value())
      states.push_back("click " + c->id() + "\n");
    if (c->kind() == Kind::List) {
      const auto& list = static_cast<const ListBox&>(*c);
      for (int i = 0; i < static_cast<int>(list.items().size()); ++i)
        if (i != list.listIndex())
          states.push_back("select " + list.id() + " " + list.items()[static_cast<size_t>(i)] + "\n");
    }
  }
  return states;
}

// A fresh window brought to a state; nullptr when the commands end it.
std::unique_ptr<Form> Reach(const WindowProgram& p, const std::string& commands) {
  auto form = p.make();
  std::istringstream in(commands);
  std::ostringstream out, err;
  RunScript(*form, in, out, err);
  if (form->ended()) return nullptr;
  return form;
}

// The word-like runs of a text.
std::set<std::string> Words(const std::string& text) {
  std::set<std::string> words;
  std::string word;
  for (char ch : text + ' ') {
    if (std::isalnum(static_cast<unsigned char>(ch)) || ch == '_') {
      word += ch;
    } else if (!word.empty()) {
      words.insert(word);
      word.clear();
    }
  }
  return words;
}

// The captions of the Inputs (inputs) or Results table of a program's help.
std::set<std::string> HelpCaptions(const WindowProgram& p, bool inputs) {
  const auto path = std::filesystem::path(CALC_SOURCE_DIR) / p.folder / (std::string(p.name) + ".help.md");
  const auto help = ReadFileText(path);
  std::set<std::string> captions;
  if (!help) return captions;
  const auto sections = MdSections(*help);
  const auto it = sections.find(inputs ? "Inputs" : "Results");
  if (it == sections.end()) return captions;
  for (const MdTable& table : MdTables(it->second))
    for (const auto& row : table.rows)
      if (!row.empty())
        for (const auto& c : CaptionsInCell(row[0])) captions.insert(c);
  return captions;
}

// Whether a help table holds a control's caption (a table cell holds no run
// of blanks); a list named by its choices holds each of them.
bool Holds(const std::set<std::string>& table, const Control& c, const std::string& caption) {
  if (table.count(Trimmed(caption))) return true;
  if (c.kind() != Kind::List) return false;
  std::string joined;
  bool all = true;
  for (const auto& item : static_cast<const ListBox&>(c).items()) {
    joined += (joined.empty() ? "" : " / ") + Trimmed(item);
    all = all && table.count(Trimmed(item));
  }
  return all && joined == caption;
}

class Captions : public ::testing::TestWithParam<WindowProgram> {
 protected:
  core::testing::ScratchFolder scratch_{"captions-"};
};

TEST_P(Captions, EveryShownBoxHasOneCaptionAndNoControlName) {
  const WindowProgram& p = GetParam();
  for (const std::string& state : States(p)) {
    SCOPED_TRACE(state);
    auto form = Reach(p, state);
    if (!form) continue;
    std::set<std::string> names;
    for (const auto& c : form->controls()) names.insert(c->name());
    const std::vector<const TextBox*> inputs = SweepInputs(*form);
    const std::vector<const Control*> outputs = SweepOutputs(*form);
    std::vector<const Control*> offered(inputs.begin(), inputs.end());
    offered.insert(offered.end(), outputs.begin(), outputs.end());
    for (const Button* b : SweepButtons(*form)) offered.push_back(b);
    for (const auto& c : form->controls())
      if (c->shown() && Described(*c)) offered.push_back(c.get());
    for (const Control* c : offered) {
      const std::string caption = CaptionOf(*form, *c);
      EXPECT_FALSE(caption.empty()) << c->id();
      // Every shown box is described by the window: none needs the fallback.
      EXPECT_NE(caption, "A box") << c->id();
      EXPECT_NE(caption, "A list") << c->id();
      for (const std::string& word : Words(caption))
        EXPECT_FALSE(names.count(word)) << c->id() << ": \"" << caption << "\" holds a control's name";
    }
    // Every shown box a person types into is offered to sweep.
    for (const auto& c : form->controls()) {
      if (c->kind() != Kind::TextBox || !c->shown() || static_cast<const TextBox&>(*c).readOnly)
        continue;
      EXPECT_NE(std::find(inputs.begin(), inputs.end(), c.get()), inputs.end()) << c->id();
    }
  }
}

// Letters in a box, and its compute button pressed: the error line names the
// box by its caption.
TEST_P(Captions, TheErrorLineNamesABoxByItsCaption) {
  const WindowProgram& p = GetParam();
  int named = 0;
  for (const std::string& state : States(p)) {
    SCOPED_TRACE(state);
    auto probe = Reach(p, state);
    if (!probe) continue;
    for (const TextBox* box : SweepInputs(*probe)) {
      Button* compute = probe->ComputeFor(*box);
      if (!compute) continue;
      auto form = Reach(p, state + "type " + box->id() + " abc\nclick " + compute->id() + "\n");
      if (!form || !form->lblError->shown()) continue;
      const std::string message = form->lblError->caption();
      const size_t at = message.find(" does not hold a number");
      if (at == std::string::npos) continue;  // refused otherwise
      EXPECT_EQ(message.substr(0, at), CaptionOf(*form, *form->FindById(box->id())))
          << box->id() << ": " << message;
      ++named;
    }
  }
  // A window without boxes names none.
  if (p.name != std::string("flowmenu")) {
    EXPECT_GT(named, 0);
  }
}

// The help's tables name each box as the window does: every box of the
// window as built (hidden or not), and every shown box of each state.
TEST_P(Captions, TheHelpTablesNameEachBoxByItsCaption) {
  const WindowProgram& p = GetParam();
  const std::set<std::string> inputs = HelpCaptions(p, true), results = HelpCaptions(p, false);
  if (inputs.empty() && results.empty()) GTEST_SKIP() << "no help tables";
  // As tools/help_tool.cpp --check: boxes it leaves out or names otherwise.
  const std::set<std::string> excepted = {"flowmenu Option8", "ringflow Txtjconv"};
  auto check = [&](const Form& form, const Control& c) {
    if (excepted.count(std::string(p.name) + " " + c.id())) return;
    const std::string caption = CaptionOf(form, c);
    EXPECT_TRUE(Holds(IsInput(c) ? inputs : results, c, caption))
        << p.name << " " << c.id() << ": \"" << caption << "\" is not in the help's "
        << (IsInput(c) ? "Inputs" : "Results");
  };
  {
    auto fresh = p.make(), loaded = p.make();
    loaded->Load();
    const HelpBoxes boxes = BoxesOf(*fresh, *loaded);
    for (const auto* list : {&boxes.inputs, &boxes.results})
      for (const HelpBox& b : *list)
        if (b.control->kind() != Kind::Label || b.control->look == Look::Result) check(*fresh, *b.control);
  }
  for (const std::string& state : States(p)) {
    SCOPED_TRACE(state);
    auto form = Reach(p, state);
    if (!form) continue;
    for (const auto& c : form->controls()) {
      if (!c->shown() || !Described(*c) || c.get() == form->lblError) continue;
      // An array is described once, by its first element.
      const bool later = std::any_of(form->controls().begin(), form->controls().end(), [&](const auto& o) {
        return o->name() == c->name() && o->index() >= 0 && o->index() < c->index();
      });
      if (!later) check(*form, *c);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(All, Captions, ::testing::ValuesIn(kWindowPrograms),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace core
