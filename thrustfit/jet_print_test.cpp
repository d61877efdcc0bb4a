#include "thrustfit/jet_print.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace thrustfit {
namespace {

JetPrintInputs Defaults(Mode mode, const std::string& nozzle = "cd1") {
  JetPrintInputs in;
  in.core.comp = {0.08f, 0.02f, 0.80f, 0.00001f, 2.0f, 10000, 0.88, 0.10};
  in.core.burn = {1.865f, 0.0f, 18000, 0.91};
  in.core.turb = {0.28f, 1.00f, 0.20f, 35, 4000, 0.90};
  in.mode = mode;
  in.nozzle = nozzle;
  in.pidd = 1.0f;
  in.mn = 194.22f;
  in.a = 0.0f;
  in.etand = 0.98;
  in.d1 = 42000;
  in.engines = 2;
  return in;
}

long Find(const std::vector<std::string>& lines, const std::string& line) {
  auto it = std::find(lines.begin(), lines.end(), line);
  return it == lines.end() ? -1 : it - lines.begin();
}

// Rows of the nozzle table: the lines after its column heading up to the
// first empty line (or the end).
std::vector<std::string> NozzleRows(const std::vector<std::string>& lines) {
  long at = Find(lines, "pp50          mc5           Me            etn           ae/a*");
  std::vector<std::string> rows;
  if (at < 0) return rows;
  for (auto i = static_cast<size_t>(at + 1); i < lines.size() && !lines[i].empty(); ++i)
    rows.push_back(lines[i]);
  return rows;
}

TEST(JetPrint, HeadingAndFirstRowsWithTheDefaults) {
  const std::vector<std::string> lines = JetMapLines(Defaults(Mode::Engine));
  const std::vector<std::string> head = {
      "      ***   TURBINE MAP   ***",
      " ( pitc= .28 ,mc4c= 35 ,Nc4d= 4000 ,etatd= .9 ,k1= 1 ,k2= .2 )",
      "",
      "Nc4= 2000 ",
      "1/pit         mc4*Nc4       etat          mc4",
      " 1             0            -.18           0 ",
  };
  ASSERT_GE(lines.size(), head.size());
  for (size_t i = 0; i < head.size(); ++i) EXPECT_EQ(lines[i], head[i]) << i;

  const long comp = Find(lines, "      ***   COMPRESSOR MAP   ***");
  ASSERT_GT(comp, 0);
  EXPECT_EQ(lines[comp - 1], "");
  EXPECT_EQ(lines[comp - 2], "");
  EXPECT_EQ(lines[comp + 1],
            "( c1= .08 ,c2= .02 ,c3= .8 ,etacd= .88 ,Nc2d= 10000 ,mu= .1 ,c4= 1E-05 ,c5= 2 )");
  EXPECT_EQ(lines[comp + 3], "Nc2= 6000 ");
  EXPECT_EQ(lines[comp + 4], "mc2           pic           etac");
  // Surge flow 0.8 * 120: pic = 1 + 0.08 * 96 with the Singles, etac =
  // 0.88 - 0.04 - (9.6^2) / 3000.
  EXPECT_EQ(lines[comp + 5], " 96            8.679999      .80928 ");

  const long shaft = Find(lines, "      ***   SHAFT MAP   ***");
  ASSERT_GT(shaft, comp);
  EXPECT_EQ(lines[shaft + 1], "         ( s1= 0 ,s2= 0 )");
  EXPECT_EQ(lines[shaft + 3], "Nc2           etam");
  EXPECT_EQ(lines[shaft + 4], " 6000          1 ");

  const long burner = Find(lines, "      ***   BURNER MAP   ***");
  ASSERT_GT(burner, shaft);
  EXPECT_EQ(lines[burner - 1], "");
  EXPECT_EQ(lines[burner - 2], "");
  EXPECT_EQ(lines[burner + 1], " ( b1= 1.865 ,etabd= .91 ,b2= 0 ,H= 18000 )");
  EXPECT_EQ(lines[burner + 2], "");
  EXPECT_EQ(lines[burner + 3], "f/(Tt3/Tstp)= .005 ");
  EXPECT_EQ(lines[burner + 4], "mc3           pib           etab");
  // 1 - 5 * 1.865 * 5 * 0.005^2
  EXPECT_EQ(lines[burner + 5], " 5             .9988344      .91 ");

  const long diffuser = Find(lines, "      ***   DIFFUSER MAP   ***");
  ASSERT_GT(diffuser, burner);
  const std::vector<std::string> diff = {"       ( pidd= 1 )",
                                         "",
                                         "Mach          pid",
                                         " 0             1 ",
                                         " .25           1 ",
                                         " .5            1 ",
                                         " .75           1 ",
                                         " 1             1 ",
                                         " 1.25          .988458 ",
                                         " 1.5           .9705781 ",
                                         " 1.75          .9491379 ",
                                         " 2             .925 ",
                                         "",
                                         ""};
  for (size_t i = 0; i < diff.size(); ++i) EXPECT_EQ(lines[diffuser + 1 + i], diff[i]) << i;
  EXPECT_EQ(lines[diffuser + 15], "      ***   NOZZLE MAP   ***");
  EXPECT_EQ(lines[diffuser + 16], " ( ntyp= cd1 ,mn= 194.22 ,etand= .98 ,a1= 0 ,gamman= 1.36 )");
  const std::vector<std::string> rows = NozzleRows(lines);
  ASSERT_FALSE(rows.empty());
  // No flow at pressure ratio 1: the area ratio is the 999 marker.
  EXPECT_EQ(rows[0], " 1             0             0             .98           999 ");
}

TEST(JetPrint, SectionsPerModeAndNozzleBands) {
  struct Row {
    Mode mode;
    const char* nozzle;
    bool diffuser, airframe;
    size_t nozzleRows;
  };
  const Row cases[] = {
      {Mode::GasGenerator, "cd1", false, false, 0}, {Mode::Engine, "c", true, false, 8},
      {Mode::Engine, "cd1", true, false, 15},       {Mode::Engine, "cd2", true, false, 15},
      {Mode::Airframe, "c", true, true, 8},
  };
  for (const Row& c : cases) {
    const std::vector<std::string> lines = JetMapLines(Defaults(c.mode, c.nozzle));
    EXPECT_EQ(Find(lines, "      ***   DIFFUSER MAP   ***") >= 0, c.diffuser) << c.nozzle;
    EXPECT_EQ(Find(lines, "      ***   AIRFRAME MAP   ***") >= 0, c.airframe) << c.nozzle;
    EXPECT_EQ(NozzleRows(lines).size(), c.nozzleRows) << c.nozzle;
    if (c.mode == Mode::GasGenerator) {
      // The burner tables and one empty line end the file.
      EXPECT_EQ(lines.back(), "");
      EXPECT_EQ(lines[lines.size() - 2], " 35            .08615004     .91 ");
    } else if (c.mode == Mode::Engine) {
      EXPECT_EQ(lines.back(), NozzleRows(lines).back());
    } else {
      EXPECT_EQ(lines.back(), " 2             168000 ");
      EXPECT_EQ(lines[lines.size() - 10], " .2            1680 ");
      EXPECT_EQ(lines[lines.size() - 13], "       ( Cdm =  42000 ,No. engines =  2 )");
      EXPECT_EQ(lines[lines.size() - 14], "      ***   AIRFRAME MAP   ***");
      EXPECT_EQ(lines[lines.size() - 15], "");
      EXPECT_EQ(lines[lines.size() - 16], "");
    }
  }
}

TEST(JetPrint, NozzleBandsEndAtMachOneAndTwo) {
  // The convergent nozzle ends at Mach 1 and the critical ratio.
  std::vector<std::string> rows = NozzleRows(JetMapLines(Defaults(Mode::Engine, "c")));
  ASSERT_EQ(rows.size(), 8u);
  const std::string& last = rows.back();
  EXPECT_EQ(last.substr(28, 14), " 1            ");
  EXPECT_EQ(last.substr(42, 5), " .98 ");
  EXPECT_NEAR(std::atof(last.c_str()), 1.8949262, 2e-6);
  // With a = 0.05 the efficiency falls with the exit Mach number squared.
  JetPrintInputs lossy = Defaults(Mode::Engine, "cd2");
  lossy.a = 0.05f;
  rows = NozzleRows(JetMapLines(lossy));
  ASSERT_EQ(rows.size(), 15u);
  const double me = std::atof(rows[14].c_str() + 28);
  EXPECT_NEAR(std::atof(rows[14].c_str() + 42), 0.98 - 0.05 * me * me, 1e-6);

  rows = NozzleRows(JetMapLines(Defaults(Mode::Engine, "cd2")));
  ASSERT_EQ(rows.size(), 15u);
  // Band one ends at the critical ratio 1.894926 of gamma 1.36, etan 0.98.
  EXPECT_NEAR(std::atof(rows[7].c_str()), 1.8949262, 2e-6);
  EXPECT_EQ(rows[7].substr(28, 3), " 1 ");
  EXPECT_EQ(rows[14].substr(28, 3), " 2 ");
  // Fixed exit area: mc5 is the exit flow at Af = 1; at Mach 1 that is
  // mn * sqrt(1.36/1.4) * sqrt(1.18) / 1.894926.
  EXPECT_NEAR(std::atof(rows[7].c_str() + 14),
              194.22 * std::sqrt(1.36 / 1.4) * std::sqrt(1.18) / 1.8949262, 1e-3);
}

}  // namespace
}  // namespace thrustfit
