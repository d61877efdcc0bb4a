// What the six one-dimensional flow table programs share: one window design
// (selection, single value, table of eleven rows), built from a description
// of each program as data; the load step, the option and table handlers, the
// "0.####" results and the warning frames.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "flowtables/one_dimensional.h"
#include "core/form.h"

namespace flowtables {

// What a window says of a γ its formulas have no finite ratios for.
std::string NoFiniteRatiosText(float g);
// The constants of a table's formulas for γ; a γ without finite ratios ends
// the handler with a failure that names it as the window shows numbers.
template <class Constants, class Gamma>
Constants ConstantsFor(Gamma g) {
  try {
    return Constants(g);
  } catch (const NoFiniteRatios& e) {
    throw core::Failure(NoFiniteRatiosText(e.g));
  }
}

inline constexpr int kRows = 11;

// "0.####": the pattern of every result of the family.
std::string Out(double value);
std::string Out(float value);

// The texts of one row of results, left to right.
using Row = std::vector<std::string>;

// A single-value option of fraSelect (the first is optSingle) with its input
// box: in a frame of its own beside the option, or, without a frame name, in
// the first column of the single-value results.
struct SingleInput {
  std::string option, caption, frame, box;
  double value;  // the default, shown "#.##"
};

// A borderless frame below the selection with its text and, after it, a
// label for a value; all share one place, one is shown at a time.
struct Warning {
  std::string frame, label, text;
  int labelWidth = 300;
  std::string value = "", valueText = "";
  int valueX = 0;
};

// A column of results: its heading and label in the single-value frame and
// its heading and label array in the table frame.
struct Column {
  std::string singleHeading, tableHeading, caption, single, table;
};

// A label just above a column heading in both frames (a second heading
// line); with subscript names, "Lmax" is set into the blanks of the caption.
struct Above {
  int column;
  std::string caption, single, table;
  std::string singleSubscript = "", tableSubscript = "";
};

// A note below the γ box; its y is counted from the first free line there.
struct Note {
  std::string name, caption;
  core::Rect r;
};

struct TableDesign {
  std::string caption = {}, title = {};
  std::optional<core::Rect> titleRect = {};  // where a long title needs more room
  std::vector<SingleInput> inputs = {};
  std::string tableCaption = {};
  std::vector<Warning> warnings = {};
  std::vector<Note> notes = {};
  std::vector<Column> columns = {};
  std::optional<Above> above = {};
  float first = 0, last = 1;  // the table's default limits
};

// The controls a design creates, typed.
struct TableControls {
  std::vector<core::Option*> options;     // per single input
  std::vector<core::Frame*> inputFrames;  // per single input, nullptr for the column box
  std::vector<core::TextBox*> inputs;     // per single input
  std::vector<core::Frame*> warnings;
  std::vector<core::Label*> warningValues;  // per warning, nullptr where it has none
  std::vector<core::Label*> results;        // the single-value result labels
  std::vector<std::vector<core::Label*>> table;  // per column, kRows labels
};

class TableWindow : public core::Form {
 protected:
  explicit TableWindow(const TableDesign& design);

  // The single-value computation of the selected input; the table is the
  // family's, from the row formula of the program.
  virtual void cmdscompute_Click() = 0;
  // The formula of one table row at γ g: the row's value gives every column.
  virtual std::function<Row(float value)> RowFormula(float g) const = 0;

  void Form_Load() override;
  void optSingle_Click() { SelectInput(0); }
  void optTable_Click();
  void txtm1_Change();  // any single-value input box: back from a warning
  void cmdMcompute_Click();
  // The Compute button of the single-value frame: cmdscompute_Click with its
  // results blanked should it fail.
  void SingleCompute();

  // Shows the single-value frame with the frame of input i.
  void SelectInput(int i);
  // The selected single-value input: 0 (optSingle) and on.
  int Mode() const { return mode_; }
  core::TextBox* Input(int i) const { return controls_.inputs[i]; }
  core::Option* InputOption(int i) const { return controls_.options[i]; }
  core::Label* WarningValue(int i) const { return controls_.warningValues[i]; }
  // Shows warning i in place of the results.
  void ShowWarning(int i);
  // Writes the single-value result labels, left to right.
  void ShowResults(const Row& texts);
  // A search that found nothing: blank the results instead of leaving stale
  // ones, and say why.
  [[noreturn]] void NoSolution(const std::string& message);

  core::TextBox* txtg = nullptr;

 private:
  // The window in three steps: the selection (returns the row of the
  // warnings under it), the frames beside it, then the result columns.
  const TableControls& Build(const TableDesign& design);
  int BuildSelection(const TableDesign& design);
  void BuildFrames(const TableDesign& design, int warningY);
  void BuildColumns(const TableDesign& design);
  core::Label* AddAbove(core::Frame* in, int column, int columns, const std::string& name,
                         const std::string& caption);
  void Subscript(core::Label* over, const std::string& name);

  TableDesign design_;
  TableControls controls_;
  core::Option* optTable = nullptr;
  core::Frame* frasingle = nullptr;
  core::Frame* fraMulti = nullptr;
  core::TextBox* txtMinm = nullptr;
  core::TextBox* txtMaxm = nullptr;
  int mode_ = 0;
};

}  // namespace flowtables
