// The one-column form of a window: sections, rows and their order.
#include "core/column.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace core {
namespace {

// What a part holds as text: a row as its ids joined by '+', a section as
// "[caption: ...]".
std::string Shape(const ColumnPart& part) {
  if (part.IsRow()) {
    std::string ids;
    for (const Control* c : part.row) ids += (ids.empty() ? "" : "+") + c->id();
    return ids;
  }
  std::string out = "[" + part.caption + ":";
  for (const ColumnPart& p : part.parts) out += " " + Shape(p);
  return out + "]";
}

// Inputs with captions and units in a frame, a second column of results,
// a picture, a warning under its frame's rows, a compute button, a hidden
// frame that takes the inputs' place, and the error line.
class Sample : public Form {
 public:
  Sample() : Form("Sample", 600, 300) {
    AddLabel("lblTitle", "Sample", {0, 0, 600, 30}, nullptr, Look::Title);
    Frame* in = AddFrame("fraIn", "Inputs", {10, 40, 280, 200});
    AddLabel("lblM", "Mach number", {10, 20, 120, 24}, in);
    AddTextBox("txtM", {140, 20, 80, 24}, in);
    AddLabel("lblT", "Temperature", {10, 50, 120, 24}, in);
    AddTextBox("txtT", {140, 50, 80, 24}, in);
    AddLabel("lblTu", "K", {224, 50, 30, 24}, in);
    AddOption("optA", "Air", {10, 80, 60, 24}, in);
    AddOption("optH", "Helium", {80, 80, 80, 24}, in);
    AddLabel("lblWarn", "Beyond the tables", {10, 150, 250, 24}, in, Look::Warning);
    AddButton("cmdGo", "Compute", {10, 110, 100, 30}, in, Look::Compute);
    Frame* other = AddFrame("fraOther", "Other inputs", {10, 40, 280, 200});
    other->setVisible(false);
    AddTextBox("txtX", {140, 20, 80, 24}, other);
    Frame* out = AddFrame("fraOut", "Results", {300, 40, 280, 200});
    for (int k = 1; k <= 2; ++k) {
      AddLabel("lblName", "Station " + std::to_string(k), {10, 20 + 30 * k, 100, 24}, out, Look::Heading, k);
      AddLabel("lblP", "", {120, 20 + 30 * k, 100, 24}, out, Look::Result, k);
    }
    AddPicture("pic", "<svg/>", {300, 250, 100, 40});
  }
};

void AddHeadings(Form& form) {
  auto* out = static_cast<Frame*>(form.FindById("fraOut"));
  form.AddLabel("lblHead", "Pressure", {120, 20, 100, 24}, out, Look::Heading);
}

TEST(OneColumn, SectionsRowsAndWarningsFirst) {
  Sample form;
  const ColumnPart window = OneColumn(form);
  EXPECT_EQ(window.frame, nullptr);
  EXPECT_EQ(Shape(window),
            "[: lblError lblTitle"
            " [Inputs: lblWarn lblM+txtM lblT+txtT+lblTu optA+optH cmdGo]"
            " [Other inputs: txtX]"
            " [Results: lblName(1)+lblP(1) lblName(2)+lblP(2)]"
            " pic]");
}

TEST(OneColumn, EveryControlOnceHiddenOrNot) {
  Sample form;
  std::vector<const Control*> seen;
  auto walk = [&](auto& self, const ColumnPart& part) -> void {
    if (part.frame) seen.push_back(part.frame);
    for (const Control* c : part.row) seen.push_back(c);
    for (const ColumnPart& p : part.parts) self(self, p);
  };
  walk(walk, OneColumn(form));
  EXPECT_EQ(seen.size(), form.controls().size());
  for (const auto& c : form.controls())
    EXPECT_EQ(std::count(seen.begin(), seen.end(), c.get()), 1) << c->id();
}

TEST(OneColumn, CaptionsThatStandElsewhere) {
  // A table: its values named by the headings over their columns.
  Sample form;
  AddHeadings(form);
  const ColumnPart window = OneColumn(form);
  struct Case {
    std::string id;
    std::string caption;  // beside it in the column
  };
  const std::vector<Case> cases = {
      {"txtM", ""},             // its caption is on its row
      {"lblP(1)", "Pressure"},  // the heading over its column
      {"lblP(2)", "Pressure"},
      {"lblName(1)", ""},       // no value
      {"optA", ""},             // its own caption
  };
  for (const Case& want : cases) {
    std::string got = "(not found)";
    auto find = [&](auto& self, const ColumnPart& part) -> void {
      for (size_t i = 0; i < part.row.size(); ++i)
        if (part.row[i]->id() == want.id) got = part.captions.at(i);
      for (const ColumnPart& p : part.parts) self(self, p);
    };
    find(find, window);
    EXPECT_EQ(got, want.caption) << want.id;
  }
  // The heading, shown beside its values, is left out as a row of its own;
  // a row with other texts stays.
  auto headings = [&](const std::string& id) {
    bool out = false;
    auto find = [&](auto& self, const ColumnPart& part) -> void {
      for (const Control* c : part.row)
        if (c->id() == id) out = part.headings;
      for (const ColumnPart& p : part.parts) self(self, p);
    };
    find(find, window);
    return out;
  };
  EXPECT_TRUE(headings("lblHead"));
  EXPECT_FALSE(headings("lblName(1)"));
  EXPECT_FALSE(headings("lblM"));
}

TEST(OneColumn, RowCaptionsTellRepeatedBoxesApart) {
  Sample form;
  const ColumnPart window = OneColumn(form);
  struct Case {
    std::string id;
    std::string rowCaption;
  };
  const std::vector<Case> cases = {{"txtT", "Temperature"}, {"lblP(2)", "Station 2"}, {"optH", ""},
                                   {"cmdGo", ""}};
  for (const Case& want : cases) {
    std::string got = "(not found)";
    auto find = [&](auto& self, const ColumnPart& part) -> void {
      for (const Control* c : part.row)
        if (c->id() == want.id) got = part.rowCaption;
      for (const ColumnPart& p : part.parts) self(self, p);
    };
    find(find, window);
    EXPECT_EQ(got, want.rowCaption) << want.id;
  }
}

}  // namespace
}  // namespace core
