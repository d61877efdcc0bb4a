// The printed report: everything a person sees of a window, by the captions
// the window uses, in the unit system shown, every text made safe for HTML.
#include "core/print_report.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/reading.h"
#include "core/script.h"
#include "core/sweep.h"
#include "core/testing/driver.h"

#include "window_programs.inc"

namespace core {
namespace {

// --- a toy window: a box with a quantity, a box with its unit beside it,
// options, a list, a table of results and a warning frame.
class Toy : public Form {
 public:
  Toy() : Form("Toy <Flow> & Co    FOR  <TEACHING>", 600, 400) {
    AddLabel("Label1", "Pressure", {0, 0, 90, 20});
    pressure = AddTextBox("txtp", {100, 0, 60, 20});
    Measure("txtp", Quantity::Pressure);
    AddLabel("Label2", "Angle", {0, 30, 90, 20});
    angle = AddTextBox("txta", {100, 30, 60, 20});
    AddLabel("Label3", "deg", {165, 30, 30, 20});
    auto* kind = AddFrame("fraKind", "Kind of flow", {300, 0, 200, 60});
    AddOption("optA", "Adiabatic", {5, 15, 100, 20}, kind)->setValue(true);
    AddOption("optB", "Isothermal <T>", {5, 35, 100, 20}, kind);
    AddLabel("Label4", "Gas", {0, 60, 90, 20});
    gas = AddList("lstGas", {"Air", "Helium"}, {100, 60, 80, 20});
    auto* table = AddFrame("fraTable", "Table", {0, 100, 300, 100});
    AddLabel("Label5", "M", {0, 15, 60, 20}, table, Look::Heading);
    AddLabel("Label6", "T/Tt", {70, 15, 60, 20}, table, Look::Heading);
    m = AddLabelArray("lblm", 2, "", {0, 40, 60, 20}, 20, table);
    t = AddLabelArray("lblt", 2, "", {70, 40, 60, 20}, 20, table);
    AddLabel("Label7", "Thrust", {320, 100, 90, 20});
    thrust = AddLabel("lblf", "", {420, 100, 80, 20}, nullptr, Look::Result);
    Measure("lblf", Quantity::Force);
    warn = AddFrame("fraWarn", "", {0, 250, 300, 30});
    AddLabel("lblWarn", "Choked <flow> & more", {0, 0, 300, 20}, warn, Look::Warning);
    warn->setVisible(false);
    auto* go = AddButton("cmdCalculate", "Calculate", {0, 300, 80, 25}, nullptr, Look::Compute);
    go->Click = [this] {
      Writes({thrust});
      const float p = Strict(pressure);
      for (int i = 0; i < 2; ++i) {
        m[i]->setCaption(std::to_string(i + 1));
        t[i]->setCaption(i ? "0.5556" : "0.8333");
      }
      thrust->setCaption("1,250", 1250.0);
      warn->setVisible(p > 100);
    };
  }
  TextBox *pressure, *angle;
  ListBox* gas;
  Label* thrust;
  Frame* warn;
  std::vector<Label*> m, t;
};

const ReportRow* Row(const std::vector<ReportRow>& rows, const std::string& caption) {
  for (const ReportRow& r : rows)
    if (r.caption == caption) return &r;
  return nullptr;
}

TEST(PrintReport, ToyWindowByCaptions) {
  Toy toy;
  toy.Load();
  core::testing::Driver w(toy);
  w.Type("txtp", "14.7");
  w.Type("txta", "30");
  w.Select("lstGas", "Helium");
  w.Click("cmdCalculate");
  const PrintReport r = ReportOf(toy);
  EXPECT_EQ(r.title, "Toy <Flow> & Co");
  EXPECT_EQ(r.notice, "FOR <TEACHING>");
  EXPECT_EQ(r.units, UnitSystemTitle(UnitSystem::US));
  struct Case {
    const std::vector<ReportRow>* rows;
    const char *caption, *value, *unit;
  } cases[] = {
      {&r.inputs, "Pressure", "14.7", "psia"},
      {&r.inputs, "Angle", "30", "deg"},
      {&r.choices, "Kind of flow", "Adiabatic", ""},
      {&r.choices, "Gas", "Helium", ""},
      {&r.results, "Thrust", "1,250", "lbf"},
  };
  for (const Case& c : cases) {
    const ReportRow* row = Row(*c.rows, c.caption);
    ASSERT_NE(row, nullptr) << c.caption;
    EXPECT_EQ(row->value, c.value) << c.caption;
    EXPECT_EQ(row->unit, c.unit) << c.caption;
  }
  // The unit label is the box's unit, not a row of its own.
  EXPECT_EQ(Row(r.results, "deg"), nullptr);
  ASSERT_EQ(r.tables.size(), 1u);
  EXPECT_EQ(r.tables[0].caption, "Table");
  const std::vector<std::vector<std::string>> grid = {{"M", "T/Tt"}, {"1", "0.8333"}, {"2", "0.5556"}};
  EXPECT_EQ(r.tables[0].rows, grid);
  EXPECT_TRUE(r.messages.empty());
}

TEST(PrintReport, SIShowsTheSIUnitAndValue) {
  Toy toy;
  toy.Load();
  core::testing::Driver w(toy);
  w.Type("txtp", "14.7");
  w.Click("cmdCalculate");
  toy.UserUnits(UnitSystem::SI);
  const PrintReport r = ReportOf(toy);
  EXPECT_EQ(r.units, UnitSystemTitle(UnitSystem::SI));
  const ReportRow* p = Row(r.inputs, "Pressure");
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->unit, "kPa");
  EXPECT_EQ(p->value, toy.pressure->text());
  EXPECT_NE(p->value, "14.7");
  const ReportRow* f = Row(r.results, "Thrust");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(f->unit, "N");
  EXPECT_EQ(f->value, toy.thrust->text());
}

TEST(PrintReport, FailureAndWarningsAreReported) {
  {
    Toy toy;
    toy.Load();
    core::testing::Driver w(toy);
    w.Type("txtp", "abc");
    w.Click("cmdCalculate");
    const PrintReport r = ReportOf(toy);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0], Trimmed(toy.lblError->caption()));
    EXPECT_NE(r.messages[0].find("Pressure"), std::string::npos);
    // The blanked result is not reported as a value.
    EXPECT_EQ(Row(r.results, "Thrust"), nullptr);
  }
  {
    Toy toy;
    toy.Load();
    core::testing::Driver w(toy);
    w.Type("txtp", "200");
    w.Click("cmdCalculate");
    const PrintReport r = ReportOf(toy);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0], "Choked <flow> & more");
    // A warning is a message, not a result.
    for (const ReportRow& row : r.results) EXPECT_EQ(row.value.find("Choked"), std::string::npos);
  }
}

ReportChart Chart(std::string title, std::string src, std::vector<std::vector<std::string>> table,
                  std::string note) {
  ReportChart chart;
  chart.title = std::move(title);
  chart.src = std::move(src);
  if (!chart.src.empty()) chart.width = 400, chart.height = 300;
  chart.table = std::move(table);
  chart.note = std::move(note);
  return chart;
}

TEST(PrintReport, HtmlEscapesEveryText) {
  struct Case {
    const char *text, *escaped;
  } cases[] = {
      {"a<b", "a&lt;b"}, {"x & y", "x &amp; y"}, {"\"q\"", "&quot;q&quot;"},
      {"it's", "it&#39;s"}, {"<script>", "&lt;script&gt;"}, {"ρ/ρt °R", "ρ/ρt °R"},
  };
  for (const Case& c : cases) EXPECT_EQ(HtmlEscaped(c.text), c.escaped) << c.text;

  Toy toy;
  toy.Load();
  core::testing::Driver w(toy);
  w.Type("txtp", "200");
  w.Type("txta", "<img src=x onerror=alert(1)>");
  w.Click("optB");
  w.Click("cmdCalculate");
  const std::string html = ReportHtml(ReportOf(toy), "9 December 2026 <today>",
                                      {Chart("Map <1>", "chart:0", {}, ""), Chart("T-s", "", {{"s <kJ>"}, {"1 & 2"}}, "Nothing <yet>")});
  for (const char* raw : {"<Flow>", "<TEACHING>", "<kJ>", "<img src=x", "<T>", "<flow>", "<today>", "<1>", "<yet>"})
    EXPECT_EQ(html.find(raw), std::string::npos) << raw;
  for (const char* shown : {"Toy &lt;Flow&gt; &amp; Co", "&lt;img src=x onerror=alert(1)&gt;",
                            "Isothermal &lt;T&gt;", "FOR &lt;TEACHING&gt;", "Choked &lt;flow&gt; &amp; more",
                            "9 December 2026 &lt;today&gt;", "<img src=\"chart:0\" width=\"400\" height=\"300\"",
                            "Nothing &lt;yet&gt;", "Units: ", "s &lt;kJ&gt;</th>", "1 &amp; 2</td>"})
    EXPECT_NE(html.find(shown), std::string::npos) << shown;
  // The body a page takes into its own document: the same, without the head.
  const std::string body = ReportBodyHtml(ReportOf(toy), "9 December 2026 <today>");
  EXPECT_EQ(body.find("<html"), std::string::npos);
  EXPECT_EQ(body.find("<style"), std::string::npos);
  EXPECT_EQ(body.rfind("<h1>", 0), 0u);
  EXPECT_NE(ReportHtml(ReportOf(toy), "9 December 2026 <today>").find(body), std::string::npos);
}

// --- every program: what the window shows after its golden cases' actions

// The commands of a case that act on the window (its show and dump lines
// only print), without a last click that ends the program.
std::vector<std::string> Actions(const std::filesystem::path& script) {
  std::vector<std::string> lines;
  std::ifstream in(script);
  for (std::string line; std::getline(in, line);) {
    for (const char* verb : {"type ", "click ", "select ", "units "})
      if (line.rfind(verb, 0) == 0) lines.push_back(line);
  }
  return lines;
}

std::unique_ptr<Form> RunCase(const WindowProgram& p, std::vector<std::string> actions, UnitSystem units) {
  for (;;) {
    auto form = p.make();
    std::string text;
    for (const auto& a : actions) text += a + "\n";
    std::istringstream in(text);
    std::ostringstream out, err;
    RunScript(*form, in, out, err);
    if (!form->ended()) {
      if (form->units() != units) form->UserUnits(units);
      return form;
    }
    // A case that ends with "Done!": the window just before it.
    if (actions.empty()) return nullptr;
    actions.pop_back();
  }
}

std::filesystem::path CaseOf(const WindowProgram& p, const std::string& name) {
  const std::filesystem::path folder = std::filesystem::path(CALC_SOURCE_DIR) / p.folder / "cases";
  if (std::filesystem::exists(folder / p.name / (name + ".script"))) return folder / p.name / (name + ".script");
  return folder / (name + ".script");
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class Report : public ::testing::TestWithParam<const char*> {
 protected:
  core::testing::ScratchFolder scratch_{"print-report-"};
};

TEST_P(Report, EveryShownCaptionAndValueIsInTheReport) {
  const WindowProgram* program = nullptr;
  for (const WindowProgram& p : kWindowPrograms)
    if (std::string(p.name) == GetParam()) program = &p;
  ASSERT_NE(program, nullptr);
  // The window as it opens, one typed change, and cases that end in a
  // failure or a warning.
  for (const char* name : {"defaults", "typed_change", "impossible_design", "failed_match", "panels_turboprop", "surge", "messages",
                           "convergent_nozzle"}) {
    const auto script = CaseOf(*program, name);
    if (!std::filesystem::exists(script)) continue;
    for (UnitSystem units : {UnitSystem::US, UnitSystem::SI}) {
      SCOPED_TRACE(std::string(name) + " in " + UnitSystemWord(units));
      auto form = RunCase(*program, Actions(script), units);
      ASSERT_NE(form, nullptr);
      const PrintReport r = ReportOf(*form);
      const std::string text = ReportText(r);
      const std::string html = ReportHtml(r, "today");
      EXPECT_EQ(Trimmed(r.title + " " + r.notice), Trimmed(form->caption()));
      EXPECT_EQ(r.notice.find("  "), std::string::npos);
      EXPECT_EQ(r.units, UnitSystemTitle(units));
      const std::string unitWord = units == UnitSystem::SI ? "si" : "us";
      std::vector<const Control*> outputs = SweepOutputs(*form);
      for (const Control* c : ReadingOrder(*form)) {
        const std::string caption = CaptionOf(*form, *c);
        if (c->kind() == Kind::TextBox && IsInput(*c)) {
          const ReportRow* row = Row(r.inputs, caption);
          ASSERT_NE(row, nullptr) << c->id() << " \"" << caption << "\"";
          bool found = false;
          for (const ReportRow& i : r.inputs) found = found || (i.caption == caption && i.value == c->text());
          EXPECT_TRUE(found) << c->id() << " " << caption << " = " << c->text();
          // Its unit is named: by the caption or in the unit column.
          if (const TextUnit* unit = c->unit()) {
            const std::string u = units == UnitSystem::SI ? unit->si : unit->us;
            bool named = false;
            for (const ReportRow& i : r.inputs)
              named = named || (i.caption == caption && (i.unit == u || FindUnitWord(caption, u) != std::string::npos));
            EXPECT_TRUE(named) << c->id() << " " << caption << " lacks " << u;
          }
        } else if (c->kind() == Kind::List) {
          const ReportRow* row = Row(r.choices, caption);
          ASSERT_NE(row, nullptr) << c->id();
          EXPECT_TRUE(Contains(text, Trimmed(c->text()))) << c->id();
        } else if (c->kind() == Kind::Option && static_cast<const Option*>(c)->value()) {
          bool found = false;
          for (const ReportRow& i : r.choices) found = found || i.value == Trimmed(c->text());
          EXPECT_TRUE(found) << c->id() << " " << c->text();
        } else if (std::find(outputs.begin(), outputs.end(), c) != outputs.end() && !Trimmed(c->text()).empty()) {
          EXPECT_TRUE(Contains(text, Trimmed(c->text()))) << c->id() << " " << c->text();
          if (caption == Trimmed(c->text())) {
            bool alone = false;
            for (const ReportRow& i : r.results) alone = alone || (i.caption.empty() && i.value == caption);
            EXPECT_TRUE(alone) << c->id() << " " << caption;
          } else if (!Row(r.results, caption)) {
            // In a table: under its heading.
            bool inTable = false;
            for (const ReportTable& t : r.tables)
              for (const auto& cell : t.rows.front()) inTable = inTable || Contains(caption, cell) || Contains(cell, caption);
            EXPECT_TRUE(inTable) << c->id() << " \"" << caption << "\"";
          }
        }
      }
      // What the window says is wrong, word for word.
      if (form->lblError->shown()) {
        EXPECT_TRUE(Contains(text, Trimmed(form->lblError->caption())));
      }
      for (const Label* w : ShownWarnings(*form)) EXPECT_TRUE(Contains(text, Trimmed(w->text()))) << w->id();
      // Every caption and value reaches the HTML too, escaped.
      for (const ReportRow& i : r.inputs) {
        EXPECT_TRUE(Contains(html, HtmlEscaped(i.caption))) << i.caption;
        EXPECT_TRUE(Contains(html, HtmlEscaped(i.value))) << i.value;
      }
      for (const ReportRow& i : r.results) EXPECT_TRUE(Contains(html, HtmlEscaped(i.value))) << i.value;
    }
  }
}

// A table of values is printed as the table it is: its headings, then a row
// of each point.
TEST(PrintReport, ATableIsPrintedAsATable) {
  for (const WindowProgram& p : kWindowPrograms) {
    if (std::string(p.name) != "isentropic") continue;
    auto form = RunCase(p, {"click optTable", "type txtMinm 0", "type txtMaxm 2", "click cmdMcompute"}, UnitSystem::US);
    ASSERT_NE(form, nullptr);
    const PrintReport r = ReportOf(*form);
    ASSERT_FALSE(r.tables.empty()) << ReportText(r);
    const ReportTable& t = r.tables.front();
    ASSERT_GE(t.rows.size(), 12u);
    const std::vector<std::string> last = t.rows.back();
    ASSERT_FALSE(last.empty());
    EXPECT_EQ(last.front(), "2.");
    for (const auto& row : t.rows) EXPECT_EQ(row.size(), t.rows.front().size());
  }
}

// The charts in the report: each by its title with its table as text, or why
// it has nothing to show once the computation failed.
TEST(PrintReport, ChartsGiveTheirTablesOrWhyNot) {
  for (const WindowProgram& p : kWindowPrograms) {
    if (std::string(p.name) != "thrustdeck") continue;
    const std::vector<std::vector<std::string>> states = {
        Actions(CaseOf(p, "defaults")), {"type txtal abc", "click cmdCalculate"}};
    for (const auto& actions : states) {
      SCOPED_TRACE(actions.back());
      auto form = RunCase(p, actions, UnitSystem::SI);
      ASSERT_NE(form, nullptr);
      const std::vector<std::string> names = form->ChartNames();
      ASSERT_FALSE(names.empty());
      const std::vector<ReportChart> charts = ReportCharts(*form, names);
      ASSERT_EQ(charts.size(), names.size());
      const bool failed = form->lblError->shown();
      EXPECT_EQ(failed, actions.back() == "click cmdCalculate" && actions.size() == 2);
      for (size_t i = 0; i < charts.size(); ++i) {
        const ChartData data = form->ShownChart(names[i]);
        EXPECT_EQ(charts[i].name, names[i]);
        EXPECT_EQ(charts[i].title, data.title);
        EXPECT_EQ(charts[i].table, data.table);
        EXPECT_EQ(charts[i].note, data.unavailable);
        EXPECT_EQ(failed, !charts[i].note.empty()) << names[i];
        if (failed) {
          EXPECT_FALSE(charts[i].drawn);
        }
      }
      if (!failed) {
        bool tables = false, drawn = false;
        for (const ReportChart& c : charts) tables = tables || !c.table.empty(), drawn = drawn || c.drawn;
        EXPECT_TRUE(tables);
        EXPECT_TRUE(drawn);
        // In SI: the table names SI units.
        const std::string html = ReportHtml(ReportOf(*form), "", charts);
        EXPECT_NE(html.find("(K)"), std::string::npos);
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Programs, Report,
                         ::testing::Values("isentropic", "fanno", "planejump", "shock", "nozzle",
                                           "atmosphere", "thrustdeck", "shaftdeck", "thrustfit",
                                           "shaftfit", "bladerow", "stagemap", "ringflow", "kerosene",
                                           "flowmarch"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace core
