// Drives a window model as a person would, by the ids of its controls, and
// the checks the window tests share. No toolkit: the model alone.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/chart.h"
#include "core/form.h"

namespace core::testing {

class Driver {
 public:
  explicit Driver(Form& form) : form_(&form) {}

  // The control of an id ("txtm1", "lblm(3)"); a missing one fails the test
  // and ends it with a thrown failure rather than a null dereference.
  Control& C(std::string_view id) const;
  TextBox& Box(std::string_view id) const;
  ListBox& List(std::string_view id) const;

  // --- what a person does ---
  void Type(std::string_view box, const std::string& text) const;
  // Selects the list item that reads item (ignoring case); an item the list
  // does not hold fails the test.
  void Select(std::string_view list, std::string_view item) const;
  void Select(std::string_view list, int index) const;  // -1: none
  void Click(std::string_view id) const;                 // a button or option
  void Calculate(std::string_view button = "cmdCalculate") const { Click(button); }

  // --- what a person reads ---
  std::string Text(std::string_view id) const;
  double Number(std::string_view id) const;  // the text read as a Double
  bool Visible(std::string_view id) const;
  bool Shown(std::string_view id) const;
  // One character per control, '1' where it is shown ("shown") or visible.
  std::string ShownPattern(const std::vector<std::string>& ids) const;
  std::string VisiblePattern(const std::vector<std::string>& ids) const;
  // What lblError says while it is visible, else "".
  std::string Error() const;

  const Form& window() const { return *form_; }

 private:
  Form* form_;
};

// Each control of an id shows its text: {{"txtm1", "2.00"}, ...}.
void ExpectTexts(const Driver& w,
                 std::initializer_list<std::pair<std::string_view, std::string_view>> texts);

// A text the window refuses: after a Calculate that succeeds, typing text
// into box makes the next one fail with message and blank every result.
void ExpectRefused(const Driver& w, std::string_view box, const std::string& text,
                   const std::string& message, const std::vector<std::string>& results,
                   std::string_view button = "cmdCalculate");

// Texts every box refuses, under either reading rule, with what the error
// line says after the box's caption.
struct Refusal {
  const char* text;
  const char* why;
};
extern const std::vector<Refusal> kRefusedTexts;
// Each of them typed into each box in turn (the box given its text back
// after each): refused by the box's caption, every result blank.
void ExpectEveryRefusal(const Driver& w, std::initializer_list<const char*> boxes,
                        const std::vector<std::string>& results,
                        std::string_view button = "cmdCalculate");

// A text typed, then Calculate pressed (button): the chart is drawn, or it
// is empty and says what the computation failed with, as lblError does.
struct ChartStep {
  const char* box;
  const char* text;
  bool drawn;
};
void ExpectChartFollows(const Driver& w, const std::string& chart, std::string_view button,
                        std::initializer_list<ChartStep> steps);

// A window of class W, loaded, with its driver.
template <class W>
struct Driven : Driver {
  Driven() : Driver(form) { form.Load(); }
  W form;
};

// A GoogleTest fixture on a window of class W, loaded before each test.
template <class W>
class WindowTest : public ::testing::Test, public Driver {
 protected:
  WindowTest() : Driver(form) {}
  void SetUp() override { form.Load(); }
  W form;
};

// The script mode on form (load step included): what it printed, and the
// exit status in status when given.
std::string RunScript(Form& form, const std::string& script, int* status = nullptr);

// A fresh folder named prefix + the running test's name, entered while the
// object lives (print files land there), then left and removed.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& prefix);
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return dir_; }

 private:
  std::filesystem::path dir_, old_;
};

// The lines of a print file, each ended by CR LF as every print file's are
// (a line without one fails the test and ends the list).
std::vector<std::string> PrintFileLines(const std::filesystem::path& file);

// The print files a window announces, as a view hears of them.
class FileLog : public FormObserver {
 public:
  void ControlChanged(Control&) override {}
  void ProgramEnded() override {}
  void FileWritten(const std::string& name) override { names.push_back(name); }
  void StartProgram(const std::string&) override {}
  std::vector<std::string> names;
};

// The numbered print files of a window (base "Quennic", written by button),
// in a scratch folder: a print that fails (text typed into box) writes and
// announces no file, and the next good one takes the number it would have
// taken; a file of an earlier run ("<base> 1.txt") is kept, and the next
// number is written and announced instead.
void ExpectFailedPrintCountsNoFile(Form& form, const std::string& base, std::string_view button,
                                   std::string_view box, const std::string& text);
void ExpectEarlierPrintFilesKept(Form& form, const std::string& base, std::string_view button);

// The mark of a chart by its exact name, or nullptr.
const ChartMark* FindMark(const ChartData& chart, std::string_view name);

}  // namespace core::testing
