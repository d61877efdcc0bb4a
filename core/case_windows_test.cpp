// Over every window of the suite: the case saved after each golden script's
// actions opens as the very same window, runs as it is in the script mode,
// and travels in an address of under 2,000 characters.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/case_file.h"
#include "core/form.h"
#include "core/sweep.h"
#include "core/testing/driver.h"

#include "window_programs.inc"

namespace core {
namespace {

namespace fs = std::filesystem;

// The golden scripts of a program: <folder>/cases/<program>/ where the
// folder holds several programs, else <folder>/cases/.
std::vector<fs::path> GoldenScripts(const WindowProgram& p) {
  fs::path dir = fs::path(CALC_SOURCE_DIR) / p.folder / "cases";
  if (fs::is_directory(dir / p.name)) dir /= p.name;
  std::vector<fs::path> scripts;
  for (const auto& entry : fs::directory_iterator(dir))
    if (entry.path().extension() == ".script") scripts.push_back(entry.path());
  std::sort(scripts.begin(), scripts.end());
  return scripts;
}

// Carries out the user actions of a script (its type, click, select and units
// lines; what only reads is passed over) up to its end, its first bad line or
// the action that ends the window. Returns the window's state before that.
std::string Act(Form& form, const fs::path& script) {
  std::ifstream in(script);
  std::string line;
  std::string state = StateText(form);
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t blank = line.find(' ');
    const std::string verb = line.substr(0, blank);
    const std::string args = blank == std::string::npos ? "" : line.substr(blank + 1);
    const size_t split = args.find(' ');
    const std::string name = args.substr(0, split);
    const std::string rest = split == std::string::npos ? "" : args.substr(split + 1);
    Control* control = form.FindById(name);
    if (verb == "units") {
      if (!UnitSystemNamed(args)) break;
      form.UserUnits(*UnitSystemNamed(args));
    } else if (verb == "type") {
      if (!control || control->kind() != Kind::TextBox) break;
      form.UserType(static_cast<TextBox&>(*control), rest);
    } else if (verb == "click") {
      if (!control || (control->kind() != Kind::Button && control->kind() != Kind::Option)) break;
      form.UserClick(*control);
    } else if (verb == "select") {
      if (!control || control->kind() != Kind::List) break;
      auto& list = static_cast<ListBox&>(*control);
      const int index = list.IndexOf(rest);
      if (index < 0) break;
      form.UserSelect(list, index);
    } else if (verb == "close") {
      break;
    } else {
      continue;
    }
    if (form.ended()) break;
    state = StateText(form);
  }
  return state;
}

class CaseWindows : public ::testing::TestWithParam<WindowProgram> {
 protected:
  testing::ScratchFolder scratch_{"case-windows-"};
};

TEST_P(CaseWindows, EveryGoldenCaseOpensAsTheSameWindow) {
  const WindowProgram& p = GetParam();
  const FormFactory make = [m = p.make] { return m(); };
  const std::vector<fs::path> scripts = GoldenScripts(p);
  ASSERT_FALSE(scripts.empty());
  for (const fs::path& script : scripts) {
    SCOPED_TRACE(script.filename().string());
    std::unique_ptr<Form> form = make();
    form->Load();
    const std::string state = Act(*form, script);
    const std::string text = CaseText(*form, p.name);

    const OpenedCase opened = OpenCase(text, p.name, make);
    ASSERT_TRUE(opened.ok()) << opened.error << "\n" << text;
    EXPECT_EQ(StateText(*opened.window), state) << text;
    EXPECT_EQ(CaseText(*opened.window, p.name), text);

    // The script mode runs the file as it is: its dump is the same window.
    std::unique_ptr<Form> scripted = make();
    int status = -1;
    const std::string out = testing::RunScript(*scripted, text + "dump\n", &status);
    EXPECT_EQ(status, 0) << out;
    std::istringstream lines(out);
    std::string dumped;
    for (std::string l; std::getline(lines, l);)
      if (l.rfind("{\"name\":", 0) == 0) dumped += l + "\n";
    EXPECT_EQ(dumped, state);

    // And in an address.
    const std::string fragment = FragmentOf(*form, p.name);
    EXPECT_LT(fragment.size(), 2000u) << fragment;
    const FragmentRead read = CaseOfFragment(fragment, p.name);
    ASSERT_TRUE(read.ok()) << read.error;
    const OpenedCase linked = OpenCase(read.text, p.name, make);
    ASSERT_TRUE(linked.ok()) << linked.error;
    EXPECT_EQ(StateText(*linked.window), state);
  }
}

std::string NameOf(const ::testing::TestParamInfo<WindowProgram>& info) { return info.param.name; }

INSTANTIATE_TEST_SUITE_P(Suite, CaseWindows, ::testing::ValuesIn(kWindowPrograms), NameOf);

}  // namespace
}  // namespace core
