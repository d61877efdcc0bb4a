#include "core/help_doc.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/reading.h"

namespace core {
namespace {

// A window with each way a box is described.
class Sample : public Form {
 public:
  Sample() : Form("Sample", 600, 400) {
    AddLabel("lblg", "gamma", {10, 10, 60, 24});
    AddTextBox("txtg", {72, 10, 60, 24});
    // Too far above to describe anything.
    AddLabel("lblfar", "Far away", {10, 100, 120, 24});
    AddTextBox("txtlone", {10, 200, 120, 24});
    AddLabel("lblh", "T/Tt", {200, 10, 80, 30}, nullptr, Look::Heading);
    AddLabelArray("lblt", 3, "0", {200, 42, 80, 24}, 24);
    Frame* select = AddFrame("fraSelect", "Selection", {300, 100, 280, 90});
    AddOption("optm", "Single Value of M", {10, 24, 180, 24}, select);
    Frame* holder = AddFrame("fram", "", {192, 22, 80, 28}, select, false);
    AddTextBox("txtm", {0, 2, 70, 24}, holder);
    AddList("lstss", {"Lower", "Higher"}, {300, 220, 120, 40});
    AddLabel("lblout", "Temperature =", {10, 300, 200, 24});
    AddLabel("lblof", "Result =", {10, 330, 60, 24});
    AddTextBox("txtout", {80, 330, 80, 24})->readOnly = true;
    AddButton("cmdgo", "Compute", {400, 300, 80, 30});
    // A grid: a row label on the left, a column heading far above.
    AddLabel("lblcol", "Stream 2", {450, 300, 80, 22}, nullptr, Look::Heading);
    AddLabel("lblrow", "Mach number", {300, 360, 140, 24});
    AddTextBox("txtm2", {450, 360, 80, 24});
    // An array counted from 1, in a column under a heading.
    AddLabel("lblp", "p (psia)", {540, 400, 50, 22}, nullptr, Look::Heading);
    for (int i = 1; i <= 3; ++i) AddTextBox("txtp", {540, 400 + 24 * i, 50, 22}, nullptr, i);
    // A table with row headings: the column heading names its boxes.
    AddLabel("lblT", "T (R)", {300, 500, 60, 22}, nullptr, Look::Heading);
    AddLabel("lblhub", "Hub", {200, 524, 60, 22}, nullptr, Look::Heading);
    AddTextBox("txtT", {300, 524, 60, 22});
  }
  void Form_Load() override {
    static_cast<Label*>(Find("lblout"))->setCaption("Temperature = 518.7 degR");
  }
};

TEST(HelpCaptions, EachBoxByWhatDescribesIt) {
  Sample form;
  const struct {
    const char* id;
    const char* caption;
  } cases[] = {
      {"txtg", "gamma"},                  // label on its left
      {"lblt(0)", "T/Tt"},                // column heading above
      {"lblt(2)", "Far away"},            // an element by its own row
      {"txtm", "Single Value of M"},      // holder beside an option
      {"optm", "Single Value of M"},      // an option is its own caption
      {"lstss", "Lower / Higher"},        // a list without label: its items
      {"txtlone", "Far away"},            // the label above it
      {"txtout", "Result ="},
      {"txtp(1)", "p (psia)"},
      {"txtp(3)", "p (psia)"},            // far below the heading
      {"txtT", "T (R)"},                  // not its row heading
  };
  for (const auto& c : cases)
    EXPECT_EQ(CaptionOf(form, *form.FindById(c.id)), c.caption) << c.id;
}

TEST(HelpCaptions, InputsAndResultsOfAWindow) {
  Sample fresh, loaded;
  loaded.Load();
  const HelpBoxes boxes = BoxesOf(fresh, loaded);
  std::vector<std::string> inputs, results;
  for (const auto& b : boxes.inputs) inputs.push_back(b.control->id() + "=" + b.caption);
  for (const auto& b : boxes.results) results.push_back(b.control->id() + "=" + b.caption);
  // A caption counts once: the box beside the option adds nothing.
  EXPECT_EQ(inputs, (std::vector<std::string>{"txtg=gamma", "txtlone=Far away", "optm=Single Value of M",
                                               "lstss=Lower / Higher", "txtm2=Mach number",
                                               "txtp(1)=p (psia)", "txtT=T (R)"}));
  // The array counts once; the label the load step writes into is a result,
  // named by what it said at first.
  EXPECT_EQ(results, (std::vector<std::string>{"lblt(0)=T/Tt", "lblout=Temperature =",
                                                "txtout=Result ="}));
}

TEST(HelpMarkdown, SectionsTablesAndCells) {
  const std::string md =
      "# Title\n\n## Inputs\n\n| Caption | Unit |\n|---|:-:|\n| A/A\\* | – |\n"
      "| a \\| b | `x|y` |\n| T<sub>t</sub><br>p/pt | K |\n\ntext\n\n## Results\n\nnone\n"
      "```\n## not a heading\n```\n";
  EXPECT_EQ(MdHeadings(md), (std::vector<std::string>{"Inputs", "Results"}));
  const auto sections = MdSections(md);
  ASSERT_EQ(sections.size(), 2u);
  EXPECT_NE(sections.at("Inputs").find("text"), std::string::npos);
  const auto tables = MdTables(md);
  ASSERT_EQ(tables.size(), 1u);
  EXPECT_EQ(tables[0].header, (std::vector<std::string>{"Caption", "Unit"}));
  ASSERT_EQ(tables[0].rows.size(), 3u);
  EXPECT_EQ(tables[0].rows[1], (std::vector<std::string>{"a \\| b", "`x|y`"}));
  EXPECT_EQ(CaptionsInCell(tables[0].rows[0][0]), (std::vector<std::string>{"A/A*"}));
  EXPECT_EQ(CaptionsInCell(tables[0].rows[2][0]), (std::vector<std::string>{"Tt", "p/pt"}));
}

TEST(HelpMarkdown, EscapedTextReadsBack) {
  for (const char* text : {"A/A*", "a | b", "x < y & z", "# 1", "p_t [bar]", "back\\slash"})
    EXPECT_EQ(MdPlain(MdEscape(text)), text) << text;
}

TEST(HelpJson, MembersOfAnOutputLine) {
  const auto m = JsonMembers(
      R"j({"name":"lstss","kind":"list","visible":true,"shown":false,"text":"a \"q\" \u00b0 \\","index":1,"items":["x","]"]})j");
  EXPECT_EQ(m.at("name"), "lstss");
  EXPECT_EQ(m.at("shown"), "false");
  EXPECT_EQ(m.at("text"), "a \"q\" \u00b0 \\");
  EXPECT_EQ(m.at("index"), "1");
  EXPECT_EQ(m.count("items"), 0u);
  EXPECT_TRUE(JsonMembers("not json").empty());
}

TEST(HelpExample, StepsAndShownValues) {
  Sample form;
  const std::string script =
      "# a comment\ntype txtg 1.3\nclick optm\nclick cmdgo\nshow lblt(1)\nshow txtg\n";
  const std::string output =
      R"j({"name":"lblt(1)","kind":"label","visible":true,"shown":true,"text":"0.8333"})j" "\n"
      R"j({"name":"txtg","kind":"textbox","visible":true,"shown":true,"text":"1.3"})j" "\n"
      R"j({"name":"txtm","kind":"textbox","visible":true,"shown":false,"text":"2"})j" "\n"
      R"j({"name":"optm","kind":"option","visible":true,"shown":true,"text":"Single Value of M","value":true})j" "\n"
      R"j({"name":"lblg","kind":"label","visible":true,"shown":true,"text":"gamma"})j" "\n"
      R"j({"name":"lblout","kind":"label","visible":true,"shown":true,"text":"Temperature = 1 degR"})j" "\n"
      R"j({"name":"lblError","kind":"label","visible":true,"shown":true,"text":"x | y"})j" "\n"
      R"j({"event":"start","program":"fanno"})j" "\n"
      R"j({"event":"file","name":"OUT.TXT"})j" "\n"
      R"j({"name":"txtm2","kind":"textbox","visible":true,"shown":true,"text":"0.3"})j" "\n";
  EXPECT_EQ(RenderExample(form, script, output),
            "Starting from the defaults:\n\n| Step | Box | Action |\n|---|---|---|\n"
            "| 1 | gamma | type 1.3 |\n| 2 | Single Value of M | click |\n| 3 | Compute | click |\n"
            "\nThe window then shows:\n\n| Box | Value |\n|---|---|\n"
            "| T/Tt, row 2 | 0.8333 |\n| gamma | 1.3 |\n| Selection | Single Value of M |\n"
            "| Temperature = | Temperature = 1 degR |\n| Message | x \\| y |\n"
            "| Program started | fanno |\n| File written | OUT.TXT |\n"
            "| Mach number, Stream 2 | 0.3 |\n");
  // The click that ends the program is left out.
  EXPECT_EQ(RenderExample(form, "show txtg\nclick cmdgo\n",
                          R"j({"name":"txtg","kind":"textbox","visible":true,"shown":true,"text":"1.4"})j" "\n"
                          R"j({"event":"end"})j"),
            "The window as it opens, with its defaults:\n\n| Box | Value |\n|---|---|\n"
            "| gamma | 1.4 |\n");
  EXPECT_EQ(RenderExample(form, "show txtg\n",
                          R"j({"name":"txtg","kind":"textbox","visible":true,"shown":true,"text":"1.4"})j"),
            "The window as it opens, with its defaults:\n\n| Box | Value |\n|---|---|\n"
            "| gamma | 1.4 |\n");
}

TEST(HelpExample, MarkerLineReplaced) {
  const std::string md = "## Worked example\n\n  @example cases/x/defaults.script  \nafter\n";
  EXPECT_EQ(ExampleOf(md), "cases/x/defaults.script");
  EXPECT_EQ(WithExample(md, "| a |\n"), "## Worked example\n\n| a |\nafter\n");
  EXPECT_EQ(ExampleOf("no marker"), "");
}

// Two examples, each line replaced by its own; the first is ExampleOf.
TEST(HelpExample, EachMarkerLineReplacedByItsOwnExample) {
  const std::string md = "@example cases/defaults.script\ntext\n@example cases/typed_change.script\n";
  EXPECT_EQ(ExamplesOf(md), (std::vector<std::string>{"cases/defaults.script", "cases/typed_change.script"}));
  EXPECT_EQ(ExampleOf(md), "cases/defaults.script");
  EXPECT_EQ(WithExamples(md, {"A\n", "B\n"}), "A\ntext\nB\n");
  EXPECT_EQ(WithExamples(md, {"A\n"}), "A\ntext\n@example cases/typed_change.script\n");
  EXPECT_TRUE(ExamplesOf("no marker").empty());
}

// The values shown come from what the runner prints, not from the expected
// output on disk.
TEST(HelpExample, FilledFromWhatTheProgramPrints) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "calc-help-fill";
  std::filesystem::create_directories(dir / "cases");
  const std::string script = "type txtg 1.3\nclick cmdgo\nshow txtg\n";
  std::ofstream(dir / "cases/change.script") << script;
  std::ofstream(dir / "cases/change.expected")
      << R"j({"name":"txtg","kind":"textbox","visible":true,"shown":true,"text":"stale"})j" "\n";
  Sample form;
  const std::string md = "## Worked example\n\n@example cases/change.script\n";
  const CaseRunner run = [&](const std::string& text) {
    EXPECT_EQ(text, script);
    return std::string(R"j({"name":"txtg","kind":"textbox","visible":true,"shown":true,"text":"1.3"})j" "\n");
  };
  const HelpExample filled = FillExample(form, dir / "x.help.md", md, run);
  EXPECT_EQ(filled.problem, "");
  EXPECT_NE(filled.markdown.find("| gamma | 1.3 |"), std::string::npos) << filled.markdown;
  EXPECT_NE(FillExample(form, dir / "x.help.md", md, {}).markdown.find("| gamma | stale |"), std::string::npos);
  std::filesystem::remove_all(dir);
}

// --- units ---

// A window with boxes of a quantity, of none, and a row naming several.
class Gauges : public Form {
 public:
  Gauges() : Form("Gauges", 600, 400) {
    AddLabel("lblp", "p (psia)", {10, 10, 80, 24});
    AddTextBox("txtp", {100, 10, 60, 24});
    AddLabel("lblt0", "T0 (R)", {10, 40, 80, 24});
    AddTextBox("txtt0", {100, 40, 60, 24});
    AddLabel("lblt4", "Tt4 (R)", {10, 70, 80, 24});
    AddTextBox("txtt4", {100, 70, 60, 24});
    AddLabel("lblm", "Mach number", {10, 100, 80, 24});
    AddTextBox("txtm", {100, 100, 60, 24});
    AddLabel("lbla", "Altitude (ft)", {10, 130, 80, 24});
    AddTextBox("txta", {100, 130, 60, 24});
    AddList("lstab", {"Afterburner", "None"}, {400, 200, 120, 40});
    AddLabel("lblf", "Thrust =", {10, 300, 300, 24});
    Measure("txtp", Quantity::Pressure);
    Measure("lblp", Quantity::Pressure);
    for (const char* name : {"txtt0", "txtt4", "lblt0", "lblt4"}) Measure(name, Quantity::Temperature);
    Measure("txta", Quantity::Altitude);
    MeasureValue("lblf", Quantity::Force);
  }
  // A label the load step writes a value into is a result.
  void Form_Load() override { static_cast<Label*>(Find("lblf"))->setCaption("Thrust = 9000 lbf"); }
};

TEST(HelpUnits, RowOfBoxesTakesTheirUnitsWhenTheyAgree) {
  Gauges fresh, loaded;
  loaded.Load();
  const HelpBoxes boxes = BoxesOf(fresh, loaded);
  const struct {
    const char* captions;
    std::string cell;
    bool mixed;
  } rows[] = {
      {"p (psia)", "psia / kPa", false},
      {"T0 (R)<br/>Tt4 (R)", "R / K", false},   // several boxes of one quantity
      {"Mach number", "", false},                // no quantity: kept as written
      {"Afterburner", "", false},                // a list, by one of its choices
      {"Not a box", "", false},                  // a frame, a heading: kept
      {"p (psia)<br/>T0 (R)", "", true},         // two quantities
      {"Altitude (ft)<br/>Mach number", "", true},  // a quantity and none
  };
  for (const auto& row : rows) {
    const RowUnit unit = RowUnitOf(BoxesNamed(row.captions, boxes.inputs));
    EXPECT_EQ(unit.cell, row.cell) << row.captions;
    EXPECT_EQ(unit.mixed, row.mixed) << row.captions;
  }
  EXPECT_EQ(BoxesNamed("Afterburner", boxes.inputs).size(), 1u);
  EXPECT_EQ(RowUnitOf(BoxesNamed("Thrust =", boxes.results)).cell, "lbf / N");
  EXPECT_EQ(UnitCell(Quantity::Tsfc), "lbm/lbf-hr / g/(kN·s)");
}

TEST(HelpUnits, InputsAndResultsTablesTakeBothUnits) {
  Gauges fresh, loaded;
  loaded.Load();
  const HelpBoxes boxes = BoxesOf(fresh, loaded);
  const std::string md =
      "# Gauges\n\n## What it computes\n\n| Caption | Unit |\n|---|---|\n| p (psia) | psia |\n\n"
      "## Inputs\n\nText.\n\n| Caption | Symbol | Unit | Default | Meaning |\n|---|---|---|---|---|\n"
      "| p (psia) | p | psia | 14.69 | Ambient |\n| Mach number | M | – | 0.8 | Flight |\n"
      "| T0 (R)<br/>Tt4 (R) | T | °R | | Both |\n| Frame | | | | Holds them |\n\nAfter.\n\n"
      "## Results\n\n| Caption | Symbol | Unit | Default | Meaning |\n|---|---|---|---|---|\n"
      "| Thrust = | F | lbf | | Net |\n\n"
      "## Worked example\n\n```\n## Inputs\n| p (psia) | psia |\n```\n@example cases/defaults.script\n";
  const std::string paragraph = UnitsParagraph(true);
  EXPECT_EQ(WithUnits(md, boxes),
            "# Gauges\n\n## What it computes\n\n| Caption | Unit |\n|---|---|\n| p (psia) | psia |\n\n"
            "## Inputs\n\n" + paragraph + "\nText.\n\n"
            "| Caption | Symbol | Unit (US / SI) | Default | Meaning |\n|---|---|---|---|---|\n"
            "| p (psia) | p | psia / kPa | 14.69 | Ambient |\n| Mach number | M | – | 0.8 | Flight |\n"
            "| T0 (R)<br/>Tt4 (R) | T | R / K | | Both |\n| Frame | | | | Holds them |\n\nAfter.\n\n"
            "## Results\n\n| Caption | Symbol | Unit (US / SI) | Default | Meaning |\n|---|---|---|---|---|\n"
            "| Thrust = | F | lbf / N | | Net |\n\n"
            "## Worked example\n\n```\n## Inputs\n| p (psia) | psia |\n```\n@example cases/defaults.script\n");
  // The paragraph names the menus' own entries and every other way.
  for (bool measured : {true, false}) {
    const std::string text = UnitsParagraph(measured);
    for (const char* part : {UnitSystemTitle(UnitSystem::US), UnitSystemTitle(UnitSystem::SI),
                             "`--units si`", "`?units=si`", "`units si`", "remembered",
                             "Print files stay in US customary units."})
      EXPECT_NE(text.find(part), std::string::npos) << measured << ": " << part;
  }
  EXPECT_NE(UnitsParagraph(false).find("No box of this window changes"), std::string::npos);
}

TEST(HelpUnits, RowsThatWouldShowAUSUnitInSI) {
  Gauges fresh, loaded;
  loaded.Load();
  const HelpBoxes boxes = BoxesOf(fresh, loaded);
  const std::string md =
      "## Inputs\n\n| Caption | Symbol | Unit | Default | Meaning |\n|---|---|---|---|---|\n"
      "| p (psia) | p | psia | | fine: declared |\n| Mach number | M | deg | | fine: shared |\n"
      "| Mach number | M | ft/s | | a US unit, no quantity |\n"
      "| Chart axis | | 1/(lbm/s)<sup>2</sup> | | a US unit, no box |\n"
      "| p (psia)<br/>T0 (R) | | | | mixed |\n";
  const std::vector<std::string> problems = UnitProblems(md, boxes);
  ASSERT_EQ(problems.size(), 3u);
  EXPECT_NE(problems[0].find("\"Mach number\" of \"Inputs\" gives the unit \"ft/s\", but its box declares no quantity"),
            std::string::npos) << problems[0];
  EXPECT_NE(problems[1].find("\"Chart axis\" of \"Inputs\" gives the unit \"1/(lbm/s)2\", but names no box"),
            std::string::npos) << problems[1];
  EXPECT_NE(problems[2].find("names boxes of different units (txtp psia / kPa, txtt0 R / K)"),
            std::string::npos) << problems[2];
}

}  // namespace
}  // namespace core
