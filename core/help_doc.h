// The help text of a program, free of any toolkit: which boxes of a window a
// help must describe (and by which caption), the parts of a help written in
// Markdown, and the worked example made from a script case.
//
// A help file is Markdown with "##" sections; its "Inputs" and "Results"
// sections hold a table whose "Caption" column names each box as the window
// shows it. The line "@example cases/<folder>/<case>.script" is replaced by
// the case's steps and the values its expected output shows. The finished
// help gives each box's unit in both unit systems (US customary and SI), from
// the quantity the window declares for it, and tells how to switch.
#pragma once

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/form.h"

namespace core {

// The sections every help has, in this order.
const std::vector<std::string>& HelpSections();

// Each box goes by its one caption (core::CaptionOf, core/reading.h).
struct HelpBox {
  const Control* control;
  std::string caption;
};

// The boxes a help must describe, of a freshly built window (before its load
// step): what the user sets (text boxes, lists, options) and what the window
// shows as a result (read-only boxes, result labels, and labels the load
// step writes into). Element arrays count once, by their first element.
struct HelpBoxes {
  std::vector<HelpBox> inputs, results;
};
HelpBoxes BoxesOf(Form& fresh, Form& loaded);

// --- Markdown ---

// A "|" table: the header cells, then the body rows, each cell as written
// (trimmed, Markdown escapes kept).
struct MdTable {
  std::vector<std::string> header;
  std::vector<std::vector<std::string>> rows;
};

// The body of each "## " section, by heading.
std::map<std::string, std::string> MdSections(std::string_view markdown);
// The "##" headings in order.
std::vector<std::string> MdHeadings(std::string_view markdown);
// Every table of a text, in order.
std::vector<MdTable> MdTables(std::string_view markdown);
// A cell split at unescaped "|".
std::vector<std::string> MdCells(std::string_view row);
// What a cell reads as: escapes and HTML tags removed, blanks collapsed.
std::string MdPlain(std::string_view cell);
// A text made safe for a table cell.
std::string MdEscape(std::string_view text);
// The captions one Caption cell names (several are joined by "<br/>"; a bare "<br>" ends the Qt rendering).
std::vector<std::string> CaptionsInCell(std::string_view cell);

// --- the worked example ---

// The path after "@example", or empty.
std::string ExampleOf(std::string_view markdown);
// The paths of every "@example" line, in order: the window as it opens, then
// (in most helps) one typed change from the defaults.
std::vector<std::string> ExamplesOf(std::string_view markdown);

// The worked example as Markdown: the steps of the script, then what the
// output shows. fresh is the window as built (for the captions).
std::string RenderExample(const Form& fresh, std::string_view script, std::string_view output);

// The help with its "@example" line replaced by example.
std::string WithExample(std::string_view markdown, std::string_view example);
// The help with its n-th "@example" line replaced by examples[n].
std::string WithExamples(std::string_view markdown, const std::vector<std::string>& examples);

// A flat JSON object of one output line: string and boolean members (numbers
// as their text; arrays left out).
std::map<std::string, std::string> JsonMembers(std::string_view line);

// --- the help as built (for every view) ---

// The whole file, or nothing when it cannot be read.
std::optional<std::string> ReadFileText(const std::filesystem::path& path);

struct HelpExample {
  std::string markdown;  // the help, example filled in
  std::string problem;   // why there is none
};

// What a script case prints when run on a fresh window of the program.
using CaseRunner = std::function<std::string(const std::string& script)>;

// The runner both help builds use: each case on a fresh window from make,
// in a scratch folder of its own, so that the print files of one case do
// not move the file numbers of the next.
CaseRunner ScratchCaseRunner(std::function<std::unique_ptr<Form>()> make);

// The help read from source with each example made from what run prints for
// its case (without a runner, from the case's expected output). fresh is the
// window as built.
HelpExample FillExample(const Form& fresh, const std::filesystem::path& source,
                        const std::string& help, const CaseRunner& run);

// The help of a program that has no help file yet, titled by its window.
std::string HelpPlaceholder(const Form& fresh);

// --- units ---

// The heading of the unit column in the finished Inputs and Results tables
// (the help file's "Unit").
extern const char* const kUnitColumn;  // "Unit (US / SI)"

// A quantity's units as the unit column gives them: "psia / kPa".
std::string UnitCell(Quantity quantity);

// The boxes a Caption cell names among boxes (a list without a label by each
// of its choices).
std::vector<const Control*> BoxesNamed(std::string_view captionCell,
                                       const std::vector<HelpBox>& boxes);

// The unit column of a row that names these boxes: UnitCell of their
// quantity when every box declares one and all give the same units; empty
// when none declares one (the cell stays as the help file writes it: a unit
// both systems share, such as "deg" or "rpm", or "–"). mixed: some declare a
// quantity and others do not, or their units differ (the cell stays as
// written, and the help check names the row).
struct RowUnit {
  std::string cell;
  bool mixed = false;
};
RowUnit RowUnitOf(const std::vector<const Control*>& boxes);

// The paragraph that tells how to switch the unit system, with the menus'
// own titles (UnitSystemTitle). measured: whether any box of the window
// declares a quantity (else it says that nothing of this window changes).
std::string UnitsParagraph(bool measured);

// The help with the unit column of every Inputs and Results table headed
// kUnitColumn and filled from the boxes' quantities (RowUnitOf), and the
// units paragraph at the start of "Inputs". Other sections, and the worked
// example, stay as they are.
std::string WithUnits(std::string_view markdown, const HelpBoxes& boxes);

// What is wrong with the units of a help file's tables, one problem a line:
// a row of mixed units, or a row of no quantity whose unit cell names a US
// customary unit (which the other system would not show).
std::vector<std::string> UnitProblems(std::string_view markdown, const HelpBoxes& boxes);

// The help as both views show it, made from its file (or the placeholder
// when there is none): the worked examples filled in (FillExample) and the
// units added (WithUnits), for the window make builds.
HelpExample FinishHelp(const std::function<std::unique_ptr<Form>()>& make,
                       const std::filesystem::path& source,
                       const std::optional<std::string>& help, const CaseRunner& run);

}  // namespace core
