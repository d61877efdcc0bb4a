// The radial profiles chart against the print file of the same Calculate:
// one axial velocity and one flow angle curve per station the file holds,
// at the file's diameters and with its numbers, radii between hub and tip.
#include "ringflow/profile_chart.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/printline.h"
#include "core/testing/driver.h"
#include "ringflow/ringflow_window.h"

namespace ringflow {
namespace {

struct Window : core::testing::Driven<Ringflow> {
  void Calculate() { Click("Cmdcalculate"); }
};

// Runs each test in a folder of its own, where the print files land.
class RadialProfiles : public ::testing::Test {
 protected:
  core::testing::ScratchFolder folder_{"ringflow_profiles_"};
};

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

// Per station of a print file, the rows of its first table (split in words).
std::vector<std::vector<std::vector<std::string>>> StationTables(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<std::vector<std::vector<std::string>>> tables;
  std::string line;
  bool reading = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line == "ENTRANCE TO INLET GUIDE VANE" || line == "INLET GUIDE VANE EXIT" ||
        line == "ROTOR EXIT" || line == "STATOR EXIT") {
      tables.emplace_back();
      std::getline(in, line);  // the headings
      reading = true;
      continue;
    }
    const auto words = Words(line);
    const bool number = !words.empty() && words[0].find_first_not_of("-.0123456789E+") ==
                                              std::string::npos;
    if (reading && number)
      tables.back().push_back(words);
    else
      reading = false;
  }
  return tables;
}

// How the print file writes a Single.
std::string Printed(double v) {
  auto words = Words(core::PrintLine().num(static_cast<float>(v)).str());
  return words.empty() ? "" : words[0];
}

const core::ChartSeries* Series(const core::ChartData& chart, const std::string& name) {
  for (const auto& s : chart.series)
    if (s.name == name) return &s;
  ADD_FAILURE() << "no series " << name;
  return nullptr;
}

struct Case {
  const char* what;
  std::vector<std::pair<const char*, const char*>> selected, typed;
  int stations;  // in the print file
  int failed;    // the station that did not converge, 0 if none
};

TEST_F(RadialProfiles, OneCurvePerStationWithThePrintFilesNumbers) {
  const Case cases[] = {
      {"defaults", {}, {}, 4, 0},
      {"interval stepping stops at station 4", {{"lstitty", "1"}}, {}, 3, 4},
      {"free vortex, three stages, five annuli",
       {{"lstntyp", "1"}}, {{"txtnbr", "7"}, {"txtnan", "5"}}, 8, 0},
      {"hub, mid and tip input, equal flows, a turbine of three stages",
       {{"lstntyp", "3"}, {"lstisl", "1"}, {"Lstturbo", "Turbine"}},
       {{"txtnbr", "7"}, {"txtnan", "5"}}, 2, 3},
      {"the same turbine of two stages and three annuli",
       {{"lstntyp", "3"}, {"lstisl", "1"}, {"Lstturbo", "Turbine"}},
       {{"txtnbr", "5"}, {"txtnan", "3"}}, 4, 5},
      {"one annulus, equal flows", {{"lstisl", "1"}}, {{"txtnan", "1"}}, 4, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Window w;
    for (auto [list, item] : c.selected) w.Select(list, item);
    for (auto [box, text] : c.typed) w.Type(box, text);
    w.Calculate();
    ASSERT_EQ(w.Error(), "");
    const core::ChartData chart = w.form.Chart(kRadialProfiles);
    ASSERT_TRUE(chart.available()) << chart.unavailable;
    ASSERT_TRUE(chart.y2.has_value());

    const auto tables = StationTables("RINGFLOW " + std::to_string(w.form.printCounter()) + ".txt");
    EXPECT_EQ(static_cast<int>(tables.size()), c.stations);
    EXPECT_EQ(w.Visible("FraConv"), c.failed > 0);
    if (c.failed > 0) {
      EXPECT_EQ(w.Text("Txtjconv"), std::to_string(c.failed));
      EXPECT_NE(chart.title.find("did not converge at station " + w.Text("Txtjconv")),
                std::string::npos);
    }
    ASSERT_EQ(chart.series.size(), 2 * tables.size());
    ASSERT_EQ(chart.table.front(), (std::vector<std::string>{"Station", "Annulus", "Ca (ft/s)", "α (deg)", "Radius (ft)"}));
    EXPECT_NE(chart.title.find(" 0 IGV entrance, 1 IGV exit"), std::string::npos) << chart.title;

    // Every station is named once per quantity beside the curves, where
    // curves that lie on each other share a name; numbered from 0 as the
    // print file numbers them (Dia0, Ca0).
    for (const char* quantity : {"Ca ", "α "}) {
      std::vector<int> named(tables.size(), 0);
      for (const auto& curve : chart.series)
        for (const auto& label : curve.labels) {
          if (label.rfind(quantity, 0) != 0) continue;
          std::istringstream numbers(label.substr(std::string(quantity).size()));
          for (std::string n; std::getline(numbers, n, ',');) ++named.at(std::stoul(n));
        }
      for (size_t j = 0; j < named.size(); ++j)
        EXPECT_EQ(named[j], 1) << quantity << j;
    }

    const double hub = w.Number("txtdh") / 2, tip = w.Number("txtdt") / 2;
    for (size_t j = 1; j <= tables.size(); ++j) {
      SCOPED_TRACE("station " + std::to_string(j));
      const core::ChartSeries* ca = Series(chart, "Ca " + std::to_string(j - 1));
      const core::ChartSeries* alpha = Series(chart, "α " + std::to_string(j - 1));
      ASSERT_TRUE(ca && alpha);
      EXPECT_FALSE(ca->secondAxis);
      EXPECT_TRUE(alpha->secondAxis);
      const auto& rows = tables[j - 1];
      ASSERT_EQ(ca->points.size(), rows.size());
      ASSERT_EQ(alpha->points.size(), rows.size());
      for (size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE("annulus " + std::to_string(i + 1));
        ASSERT_TRUE(ca->points[i] && alpha->points[i]);
        const auto [r, caValue] = *ca->points[i];
        EXPECT_EQ(alpha->points[i]->first, r);
        // The diameters as the boxes hold them, read as Singles.
        EXPECT_GE(r, hub * (1 - 1e-6));
        EXPECT_LE(r, tip * (1 + 1e-6));
        // Diameter first; the entrance then has alpha0 and Ca0, every
        // other station the entering and leaving angles and Ca last.
        EXPECT_EQ(Printed(2 * r), rows[i][0]);
        EXPECT_EQ(Printed(alpha->points[i]->second), rows[i][j == 1 ? 1 : 2]);
        EXPECT_EQ(Printed(caValue), j == 1 ? rows[i][2] : rows[i].back());
        // The table holds the same numbers in the print file's digits.
        const auto& row = chart.table.at(1 + (j - 1) * rows.size() + i);
        EXPECT_EQ(row, (std::vector<std::string>{std::to_string(j - 1), std::to_string(i + 1), Printed(caValue),
                                                 Printed(alpha->points[i]->second), Printed(r)}));
      }
    }
  }
}

TEST_F(RadialProfiles, NothingBeforeTheFirstAndAfterAFailedCalculate) {
  Window w;
  EXPECT_EQ(w.form.ChartNames(), std::vector<std::string>{kRadialProfiles});
  EXPECT_FALSE(w.form.Chart(kRadialProfiles).available());
  core::testing::ExpectChartFollows(w, kRadialProfiles, "Cmdcalculate",
                                    {{"txtdh", "1.563", true},
                                     {"txtdh", "0", false},  // refused
                                     {"txtdh", "1.563", true},
                                     {"txtq", "lots", false}});  // not a number
  // The reason stays once the error line has gone.
  w.Type("txtq", "32053");
  EXPECT_FALSE(w.Visible("lblError"));
  EXPECT_NE(w.form.Chart(kRadialProfiles).unavailable.find("failed"), std::string::npos);
}

}  // namespace
}  // namespace ringflow
