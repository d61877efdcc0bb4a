// The units in every program's finished help (core::FinishHelp, as both the
// desktop build and the web pages make it): each box that declares a quantity
// is given in both systems in the unit column of its row, the help says how
// to switch, and nothing outside the Inputs and Results tables changes.
#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "core/form.h"
#include "core/help_doc.h"
#include "core/reading.h"
#include "core/testing/driver.h"
#include "core/units.h"

#include "window_programs.inc"

namespace core {
namespace {

std::filesystem::path HelpFile(const WindowProgram& p) {
  return std::filesystem::path(CALC_SOURCE_DIR) / p.folder / (std::string(p.name) + ".help.md");
}

class HelpUnits : public ::testing::TestWithParam<WindowProgram> {
 protected:
  void SetUp() override {
    const WindowProgram& p = GetParam();
    help_ = ReadFileText(HelpFile(p));
    ASSERT_TRUE(help_) << HelpFile(p);
    // The worked examples from the cases' expected output: no case is run.
    finished_ = FinishHelp(p.make, HelpFile(p), help_, nullptr).markdown;
    fresh_ = p.make();
    loaded_ = p.make();
    loaded_->Load();
    boxes_ = BoxesOf(*fresh_, *loaded_);
  }

  core::testing::ScratchFolder scratch_{"help-units-"};  // for the print files of a load
  std::optional<std::string> help_;
  std::string finished_;
  std::unique_ptr<Form> fresh_, loaded_;
  HelpBoxes boxes_;
};

bool Measured(const HelpBoxes& boxes) {
  for (const auto* list : {&boxes.inputs, &boxes.results})
    for (const HelpBox& b : *list)
      if (b.control->unit()) return true;
  return false;
}

TEST_P(HelpUnits, EachBoxOfAQuantityHasBothUnitsInItsRow) {
  const auto sections = MdSections(finished_);
  for (const auto& [name, list] : {std::pair{std::string("Inputs"), &boxes_.inputs},
                                   {std::string("Results"), &boxes_.results}}) {
    SCOPED_TRACE(name);
    ASSERT_TRUE(sections.count(name));
    const std::vector<MdTable> tables = MdTables(sections.at(name));
    for (const MdTable& table : tables) {
      ASSERT_GE(table.header.size(), 3u);
      EXPECT_EQ(table.header[2], "Unit (US / SI)");
    }
    for (const HelpBox& box : *list) {
      const TextUnit* unit = box.control->unit();
      if (!unit) continue;
      const UnitInfo& info = Info(unit->quantity);
      const std::string want = std::string(info.us) + " / " + info.si;
      int rows = 0;
      for (const MdTable& table : tables) {
        for (const auto& row : table.rows) {
          const auto captions = CaptionsInCell(row[0]);
          if (std::find(captions.begin(), captions.end(), box.caption) == captions.end()) continue;
          ++rows;
          ASSERT_GE(row.size(), 3u);
          EXPECT_EQ(MdPlain(row[2]), want) << box.control->id() << " \"" << box.caption << "\"";
        }
      }
      EXPECT_GT(rows, 0) << box.control->id() << " \"" << box.caption << "\" has no row";
    }
  }
}

// Every row keeps its unit for both systems: none mixes quantities, and a
// row of no quantity names no US unit (the check each program's help test
// makes, over the boxes as the window builds them).
TEST_P(HelpUnits, EveryRowHoldsInBothSystems) {
  for (const std::string& problem : UnitProblems(*help_, boxes_)) ADD_FAILURE() << problem;
}

TEST_P(HelpUnits, InputsTellHowToSwitch) {
  const std::string inputs = MdPlain(MdSections(finished_)["Inputs"]);
  for (const char* text :
       {UnitSystemTitle(UnitSystem::US), UnitSystemTitle(UnitSystem::SI), "--units si",
        "?units=si", "units si", "context menu", "page's menu", "remembered",
        "Print files stay in US customary units"})
    EXPECT_NE(inputs.find(text), std::string::npos) << text;
  // Once, at the start of the section.
  EXPECT_EQ(finished_.find("**Units.**"), finished_.rfind("**Units.**"));
  EXPECT_TRUE(MdSections(finished_)["Inputs"].starts_with("\n**Units.**"));
  const bool measured = Measured(boxes_);
  EXPECT_EQ(inputs.find("No box of this window changes") != std::string::npos, !measured);
}

// Only the Inputs and Results sections change: the worked examples and every
// other section (their tables too) are the help file's, filled in as before.
TEST_P(HelpUnits, OtherSectionsStayAsTheyAre) {
  const std::string before = FillExample(*fresh_, HelpFile(GetParam()), *help_, nullptr).markdown;
  EXPECT_EQ(MdHeadings(finished_), MdHeadings(before));
  auto after = MdSections(finished_);
  for (const auto& [heading, body] : MdSections(before)) {
    if (heading == "Inputs" || heading == "Results") {
      // The same rows, in the same order, each with the same cells but the unit's.
      const auto was = MdTables(body), now = MdTables(after[heading]);
      ASSERT_EQ(was.size(), now.size()) << heading;
      for (size_t t = 0; t < was.size(); ++t) {
        ASSERT_EQ(was[t].rows.size(), now[t].rows.size()) << heading;
        for (size_t r = 0; r < was[t].rows.size(); ++r) {
          auto a = was[t].rows[r], b = now[t].rows[r];
          ASSERT_EQ(a.size(), b.size());
          if (a.size() > 2) a[2] = b[2] = "";
          EXPECT_EQ(a, b) << heading;
        }
      }
      continue;
    }
    EXPECT_EQ(after[heading], body) << heading;
  }
}

INSTANTIATE_TEST_SUITE_P(All, HelpUnits, ::testing::ValuesIn(kWindowPrograms),
                         [](const auto& info) { return std::string(info.param.name); });

// The flame temperature works in kelvin and kJ/kmol whichever system is
// chosen: no box declares a US quantity, and the help says so.
TEST(HelpUnitsOfKerosene, StaysInKelvinInBothSystems) {
  const auto it = std::find_if(kWindowPrograms.begin(), kWindowPrograms.end(),
                               [](const WindowProgram& p) { return p.name == std::string("kerosene"); });
  ASSERT_NE(it, kWindowPrograms.end());
  core::testing::ScratchFolder scratch("help-units-");
  auto fresh = it->make(), loaded = it->make();
  loaded->Load();
  EXPECT_FALSE(Measured(BoxesOf(*fresh, *loaded)));
  const std::string help =
      FinishHelp(it->make, HelpFile(*it), ReadFileText(HelpFile(*it)), nullptr).markdown;
  const std::string plain = MdPlain(help);
  EXPECT_NE(plain.find("kelvin and kJ/kmol in both unit systems"), std::string::npos);
  EXPECT_NE(plain.find("No box of this window changes with the unit system"), std::string::npos);
  // Its own units stay in the column, as written.
  std::map<std::string, std::string> units;
  for (const MdTable& table : MdTables(MdSections(help)["Inputs"]))
    for (const auto& row : table.rows) units[row[0]] = row[2];
  EXPECT_EQ(units["fuel temperature (deg K)"], "K");
  EXPECT_EQ(units["a (kJ/kmole-K)"], "kJ/(kmol K)");
  EXPECT_EQ(units["percent air"], "%");
}

}  // namespace
}  // namespace core
