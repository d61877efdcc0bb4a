// Reading order, captions and the whole window as text, from the places of
// the controls alone.
#include "core/reading.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace core {
namespace {

std::vector<std::string> Ids(const std::vector<Control*>& controls, bool inputsOnly = false) {
  std::vector<std::string> ids;
  for (const Control* c : controls)
    if (!inputsOnly || IsInput(*c)) ids.push_back(c->id());
  return ids;
}

// Three columns under a title, whose rows line up only here and there, and
// a row of results across the bottom.
class Columns : public Form {
 public:
  Columns() : Form("Columns", 600, 300) {
    AddLabel("lblTitle", "Title", {100, 0, 400, 30}, nullptr, Look::Title);
    for (int column = 0; column < 3; ++column) {
      const int x = 10 + 200 * column;
      const int rows = column == 1 ? 3 : 4;
      for (int row = 0; row < rows; ++row) {
        const int y = 40 + (column == 1 ? 45 : 30) * row + (column == 2 ? 8 : 0);
        const std::string n = std::to_string(column) + std::to_string(row);
        AddLabel("lbl" + n, "Caption   " + n + " ", {x, y, 100, 24});
        AddTextBox("txt" + n, {x + 104, y, 80, 24});
      }
    }
    AddLabel("lblR", "Result =", {10, 250, 80, 24});
    AddTextBox("txtR", {94, 250, 80, 24})->readOnly = true;
    AddButton("cmdGo", "Compute", {300, 248, 100, 30}, nullptr, Look::Compute);
  }
};

// A table: a heading over each column, a name at the start of each row.
class Table : public Form {
 public:
  Table() : Form("Table", 400, 200) {
    Frame* table = AddFrame("fraTable", "", {0, 0, 400, 200}, nullptr, false);
    AddLabel("hA", "Angle", {100, 0, 90, 20}, table, Look::Heading);
    AddLabel("hB", "Efficiency", {200, 0, 90, 20}, table, Look::Heading);
    for (int row = 1; row <= 3; ++row) {
      // The rows after the first sit in frames of their own.
      Frame* in = row == 1 ? table : AddFrame("fraRow" + std::to_string(row), "",
                                               {0, 30 * row, 400, 30}, table, false);
      const int y = row == 1 ? 30 : 0;
      AddLabel("lblRow", "Row " + std::to_string(row), {0, y, 90, 24}, in, Look::Heading, row);
      AddTextBox("txtA", {100, y, 80, 24}, in, row);
      AddTextBox("txtB", {200, y, 80, 24}, in, row);
    }
  }
};

TEST(ReadingOrder, ColumnsOneAfterTheOtherGridsByRows) {
  Columns columns;
  EXPECT_EQ(Ids(ReadingOrder(columns), true),
            (std::vector<std::string>{"txt00", "txt01", "txt02", "txt03", "txt10", "txt11",
                                      "txt12", "txt20", "txt21", "txt22", "txt23"}));
  // The bottom row left to right, after the columns.
  const auto all = Ids(ReadingOrder(columns));
  EXPECT_EQ(std::vector<std::string>(all.end() - 3, all.end()),
            (std::vector<std::string>{"lblR", "txtR", "cmdGo"}));
  Table table;
  EXPECT_EQ(Ids(ReadingOrder(table), true),
            (std::vector<std::string>{"txtA(1)", "txtB(1)", "txtA(2)", "txtB(2)", "txtA(3)",
                                      "txtB(3)"}));
  // Hidden controls are not read.
  table.Find("fraRow", -1);
  static_cast<Frame*>(table.FindById("fraRow2"))->setVisible(false);
  EXPECT_EQ(Ids(ReadingOrder(table), true),
            (std::vector<std::string>{"txtA(1)", "txtB(1)", "txtA(3)", "txtB(3)"}));
}

TEST(TabOrder, InputsThenComputeThenOtherButtonsThenResults) {
  Columns columns;
  columns.AddButton("cmdEnd", "Done!", {420, 248, 80, 30});
  columns.AddButton("cmdCalc", "Calculate", {500, 200, 80, 30});
  auto ids = Ids(TabOrder(columns));
  EXPECT_EQ(std::vector<std::string>(ids.begin(), ids.begin() + 3),
            (std::vector<std::string>{"txt00", "txt01", "txt02"}));
  EXPECT_EQ(std::vector<std::string>(ids.end() - 4, ids.end()),
            (std::vector<std::string>{"cmdCalc", "cmdGo", "cmdEnd", "txtR"}));
  EXPECT_EQ(ids.size(), 11u + 4u);  // labels are not reached
  // What is hidden leaves the order, and comes back where it reads.
  columns.FindById("txt11")->setVisible(false);
  ids = Ids(TabOrder(columns));
  EXPECT_EQ(std::find(ids.begin(), ids.end(), "txt11"), ids.end());
  columns.FindById("txt11")->setVisible(true);
  EXPECT_EQ(Ids(TabOrder(columns))[5], "txt11");
}

TEST(Captions, LeftOnTheRowElseTheHeadingAbove) {
  Columns columns;
  Table table;
  struct Case {
    const Form& form;
    const char* id;
    const char* caption;
  } cases[] = {
      {columns, "txt00", "Caption 00"},  // padding blanks trimmed
      {columns, "txt12", "Caption 12"},
      {columns, "txtR", "Result ="},
      {columns, "cmdGo", "Compute"},
      {table, "txtA(1)", "Angle"},  // the column heading before the row's name
      {table, "txtB(1)", "Efficiency"},
      {table, "txtA(3)", "Angle"},  // from the frame around the row's frame
      {table, "txtB(3)", "Efficiency"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CaptionOf(c.form, *c.form.FindById(c.id)), c.caption) << c.id;
  // A label describes; a title, a warning or a value does not.
  EXPECT_EQ(CaptionControl(columns, *columns.FindById("txt00")), columns.FindById("lbl00"));
}

TEST(Captions, BoxBesideAnOptionAndAListWithoutALabel) {
  Form form("Form", 400, 300);
  form.AddLabel("lblTitle", "Shock Analysis", {100, 0, 200, 30}, nullptr, Look::Title);
  ListBox* list = form.AddList("lstType", {"Normal", "Oblique"}, {10, 40, 150, 40});
  Frame* select = form.AddFrame("fraSelect", "Selection", {10, 100, 300, 80});
  Option* single = form.AddOption("optSingle", "Single value of M", {10, 20, 200, 24}, select);
  Frame* holder = form.AddFrame("Fram", "", {214, 18, 80, 28}, select, false);
  TextBox* m = form.AddTextBox("txtm", {0, 2, 70, 24}, holder);
  form.AddOption("optTable", "Table", {10, 48, 200, 24}, select);
  EXPECT_EQ(CaptionOf(form, *m), "Single value of M");
  EXPECT_EQ(CaptionOf(form, *list), "Shock Analysis");
  single->setValue(true);
  list->setListIndex(1);
  m->setText("2");
  // Inputs, the chosen item and option, in reading order; then results.
  EXPECT_EQ(WindowText(form), "Shock Analysis\tOblique\nSelection\tSingle value of M\n"
                              "Single value of M\t2\n");
}

// The one name of a box wherever it is named: the program's own name first
// (as its failures give it), and never the control's name.
TEST(Captions, TheProgramsNameFirstAndAFallbackWithoutTheControlsName) {
  Form form("Form", 600, 300);
  form.AddLabel("lblg", "gamma =", {10, 10, 80, 24});
  TextBox* g = form.AddTextBox("txtg", {100, 10, 60, 24});
  TextBox* named = form.AddTextBox("txtm", {100, 40, 60, 24});
  form.AddLabel("lblm", "Stream 2", {10, 40, 80, 24});
  named->what = "Mach number  of stream 2";  // kept as written: messages quote it
  TextBox* bare = form.AddTextBox("txtbare", {400, 200, 60, 24});
  ListBox* list = form.AddList("lstbare", {" Lower ", "Higher"}, {400, 240, 80, 40});
  ListBox* empty = form.AddList("lstnone", {}, {500, 240, 80, 40});
  EXPECT_EQ(CaptionOf(form, *g), "gamma =");
  EXPECT_EQ(CaptionOf(form, *named), "Mach number  of stream 2");
  EXPECT_EQ(form.CaptionOf(*named), CaptionOf(form, *named));
  EXPECT_EQ(CaptionOf(form, *bare), "A box");
  EXPECT_EQ(form.CaptionOf(*bare), "A box");
  EXPECT_EQ(CaptionOf(form, *list), "Lower / Higher");
  EXPECT_EQ(CaptionOf(form, *empty), "A list");
  // The error line names the box by it.
  named->setText("abc");
  try {
    form.Strict(named);
    ADD_FAILURE() << "not refused";
  } catch (const Failure& f) {
    EXPECT_EQ(std::string(f.what()), "Mach number  of stream 2 does not hold a number");
  }
}

// A label names the list beside it, not a second one further along its row
// (that one has none of its own and goes by its choices); a row of one
// array's boxes shares its label. Copy lists a list with nothing chosen.
TEST(Captions, ALabelNamesOnlyTheFirstListOfItsRow) {
  Form form("Form", 600, 300);
  form.AddLabel("lbletyp", "Engine type", {10, 10, 90, 24});
  ListBox* type = form.AddList("lstetyp", {"Turbofan", "Ramjet"}, {100, 10, 90, 40});
  Frame* fan = form.AddFrame("frafan", "", {200, 10, 120, 60}, nullptr, false);
  ListBox* mix = form.AddList("lstmix", {"Exhausted", "Mixed"}, {0, 0, 120, 40}, fan);
  form.AddLabel("lblang", "Angle", {10, 100, 80, 24});
  TextBox* first = form.AddTextBox("txtang", {100, 100, 50, 24}, nullptr, 1);
  TextBox* second = form.AddTextBox("txtang", {160, 100, 50, 24}, nullptr, 2);
  EXPECT_EQ(CaptionOf(form, *type), "Engine type");
  EXPECT_EQ(CaptionOf(form, *mix), "Exhausted / Mixed");
  EXPECT_EQ(CaptionOf(form, *first), "Angle");
  EXPECT_EQ(CaptionOf(form, *second), "Angle");
  type->setListIndex(0);
  first->setText("1");
  second->setText("2");
  EXPECT_EQ(WindowText(form), "Engine type\tTurbofan\nExhausted / Mixed\t(none)\n"
                              "Angle\t1\nAngle\t2\n");
}

TEST(WindowText, InputsThenResultsOneCaptionAndValueEach) {
  Columns columns;
  static_cast<TextBox*>(columns.FindById("txtR"))->setText("42");
  const std::string text = WindowText(columns);
  EXPECT_EQ(text.substr(0, 14), "Caption 00\t\nCa");
  EXPECT_NE(text.find("Caption 23\t\nResult =\t42\n"), std::string::npos) << text;
  EXPECT_EQ(text.size() - text.rfind("Result =\t42\n"), std::string("Result =\t42\n").size());
}

TEST(Form, TableTextJoinsAHeadingSetOnAnother) {
  Form form("Form", 400, 300);
  Frame* table = form.AddFrame("fraTable", "Single Value", {0, 0, 400, 200});
  form.AddLabel("hM", "Mach Number", {0, 30, 90, 22}, table, Look::Heading);
  form.AddLabel("hV", "V/V*", {100, 30, 90, 22}, table, Look::Heading);
  form.AddLabel("hAbove", "ρ*/ρ=", {100, 10, 90, 22}, table, Look::Heading);
  form.AddLabel("vM", "1.", {0, 56, 90, 22}, table, Look::Result);
  form.AddLabel("vV", "1.", {100, 56, 90, 22}, table, Look::Result);
  EXPECT_EQ(form.TableText(*table), "Mach Number\tρ*/ρ= V/V*\n1.\t1.\n");
}

}  // namespace
}  // namespace core
