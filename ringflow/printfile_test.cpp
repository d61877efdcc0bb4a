// The print file through the window: layout, row counts, stage power, the
// failure line, and what the window shows after each run.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <sstream>

#include "core/printline.h"
#include "core/testing/driver.h"
#include "ringflow/ringflow_window.h"

namespace {

// Runs a window in a fresh working directory.
class RingflowPrint : public core::testing::WindowTest<ringflow::Ringflow> {
 protected:
  RingflowPrint() : folder_("ringflow_print_") {}
  void Calculate() { Click("Cmdcalculate"); }
  static int count(const std::vector<std::string>& l, const std::string& line) {
    int n = 0;
    for (const auto& x : l) n += x == line;
    return n;
  }
  static std::vector<double> numbers(const std::string& line) {
    std::vector<double> out;
    std::istringstream in(line);
    double v;
    while (in >> v) out.push_back(v);
    return out;
  }
  // The rows of the table under the heading that starts with head.
  static std::vector<std::vector<double>> table(const std::vector<std::string>& l, size_t at) {
    std::vector<std::vector<double>> rows;
    for (size_t k = at + 1; k < l.size() && !l[k].empty() && (l[k][0] == ' ' || l[k][0] == '-') &&
                            l[k].find("(total") == std::string::npos;
         ++k)
      rows.push_back(numbers(l[k]));
    return rows;
  }

  core::testing::ScratchFolder folder_;
};

TEST_F(RingflowPrint, SolvedSingleStage) {
  Calculate();
  EXPECT_TRUE(Shown("Fraconv2"));
  EXPECT_FALSE(Shown("FraConv"));
  EXPECT_FALSE(Shown("lblError"));
  const auto l = core::testing::PrintFileLines("RINGFLOW 1.txt");
  // Heading 10, entrance 6, IGV and stator 10 each, rotor 11.
  ASSERT_EQ(l.size(), 47u);
  EXPECT_EQ(l[0],
            "Streamline Analysis of the Incompressible Flow in a Single Stage of an Axial "
            "Turbomachine: Compressor");
  // Zones of 14 columns; 1.973 / 1.563 = 1.2623160 as a Single.
  EXPECT_EQ(l[2], "Dhub=          1.563        Dtip=          1.973        Dtip/Dhub=     1.262316 ");
  // The long label runs past its zone: the number starts at column 85.
  EXPECT_EQ(l[3],
            "Q(cfm)=        32053        RPM=           10500        rho(sl / ft ^ 3)=  "
            "          .00698 ");
  // 32053 * 0.00698 / 60 * 32.17 = 119.95654.
  EXPECT_EQ(l[4], "mdot (lbm/s)=  119.9565 ");
  EXPECT_EQ(l[6], "Radial Distribution of All Flow Angles Input");
  EXPECT_EQ(l[7], "Regula Falsi Iteration Used for Solution");
  EXPECT_EQ(l[8], "Flow rates in hub and tip annuli are half of other annuli");
  EXPECT_EQ(l[9], "Midpoint of hub annulus is at Dhub and Midpoint of tip annulus is at Dtip");
  EXPECT_EQ(l[11], "ENTRANCE TO INLET GUIDE VANE");
  EXPECT_EQ(l[12], "Dia0          alpha0        Ca0           p0            Pt0");
  // Ca0 = 128212 / (pi * 1.44976) / 60 = 469.1712; Pt0 = 63.6499 + 469.1712^2 *
  // 0.00698 / 288 = 68.98479.
  EXPECT_EQ(l[13], " 1.563         0             469.1712      63.6499       68.98479 ");
  EXPECT_EQ(l[15].substr(0, 6), " 1.973");
  EXPECT_EQ(count(l, "INLET GUIDE VANE EXIT"), 1);
  EXPECT_EQ(count(l, "ROTOR EXIT"), 1);
  EXPECT_EQ(count(l, "STATOR EXIT"), 1);
  EXPECT_EQ(l[17], "INLET GUIDE VANE EXIT");
  EXPECT_EQ(l[18],
            "Dia1          alpha0        alpha1        alphabar      D_alpha       C1            "
            "Cu1           Ca1");
  EXPECT_EQ(l[27], "ROTOR EXIT");
  EXPECT_EQ(l[28],
            "Dia2          alpha1        alpha2        beta1         beta2         betabar       "
            "D_beta        C2            Cu2           Ca2");
  EXPECT_EQ(l[32], "Dia2          Power         Delta p       p2            Pt2           %R      "
                   "      phi2          eta");
  EXPECT_EQ(l[38], "STATOR EXIT");
  EXPECT_EQ(l[43], "Dia3          Power         Delta p       p3            Pt3           phi3");

  // The rotor's power lines add up to the stage power line.
  const auto power = table(l, 32);
  ASSERT_EQ(power.size(), 3u);
  double sum = 0;
  for (const auto& row : power) {
    ASSERT_EQ(row.size(), 8u);
    sum += row[1];
    EXPECT_FLOAT_EQ(row[7], 0.86f);
  }
  ASSERT_EQ(l[36].substr(0, 15), "               ");
  ASSERT_NE(l[36].find("(total stage power)"), std::string::npos);
  EXPECT_NEAR(numbers(l[36])[0], sum, 2e-3);
  EXPECT_EQ(count(l, l[36]), 1);
  // Stationary rows: no power, the IGV angles from 0 to 29 degrees and the
  // mid-value and difference of the angles from the tangential direction.
  for (const auto& row : table(l, 18)) {
    ASSERT_EQ(row.size(), 8u);
    EXPECT_EQ(row[1], 0);
    EXPECT_NEAR(row[2], 29, 1e-4);
    EXPECT_NEAR(row[3], 14.5, 1e-4);
    EXPECT_NEAR(row[4], -29, 1e-4);
    // C^2 = Cu^2 + Ca^2 and Cu = Ca tan 29 deg.
    EXPECT_NEAR(row[5] * row[5], row[6] * row[6] + row[7] * row[7], 1e-3 * row[5]);
    EXPECT_NEAR(row[6], row[7] * 0.5543091, 1e-3);
  }
  for (const auto& row : table(l, 43)) EXPECT_EQ(row[1], 0);
  // The total pressure of the stator rows stays that of the rotor exit.
  const auto rotor = table(l, 32), stator = table(l, 43);
  for (int i = 0; i < 3; ++i) EXPECT_NEAR(stator[i][4], rotor[i][4], 2e-4);
}

TEST_F(RingflowPrint, FreeVortexTwoStages) {
  Select("lstntyp", "1");
  Type("txtnbr", "5");
  Calculate();
  const auto l = core::testing::PrintFileLines("RINGFLOW 1.txt");
  EXPECT_EQ(l[6], "Irrotational Flow - Free Vortex");
  EXPECT_EQ(l[7], "Iterations not needed");
  EXPECT_EQ(l[8], "Flow rates in hub and tip annuli are half of other annuli");
  EXPECT_EQ(count(l, "Regula Falsi Iteration Used for Solution"), 0);
  EXPECT_EQ(count(l, "ROTOR EXIT"), 2);
  EXPECT_EQ(count(l, "STATOR EXIT"), 2);
  EXPECT_EQ(count(l, "INLET GUIDE VANE EXIT"), 1);
  // Heading 10, entrance 6, five stations of 10 and two stage-power lines.
  EXPECT_EQ(l.size(), 68u);
  // Every velocity table keeps Ca0 and the midspans, and Cu D is constant.
  for (size_t k = 0; k < l.size(); ++k) {
    if (l[k].rfind("Dia1          alpha0", 0) != 0 && l[k].rfind("Dia2          alpha1", 0) != 0 &&
        l[k].rfind("Dia3          alpha2", 0) != 0)
      continue;
    const auto rows = table(l, k);
    ASSERT_EQ(rows.size(), 3u);
    const double mids[] = {1.563, 1.768, 1.973};
    for (int i = 0; i < 3; ++i) {
      EXPECT_NEAR(rows[i][0], mids[i], 1e-6);
      EXPECT_NEAR(rows[i].back(), 469.1712, 1e-4);
      EXPECT_NEAR(rows[i][rows[i].size() - 2] * mids[i], rows[1][rows[1].size() - 2] * 1.768,
                  1e-2);
    }
  }
}

TEST_F(RingflowPrint, AnnuliCounts) {
  struct Case {
    const char* nan;
    size_t rows;
    const char* isl;
    const char* line;
  } cases[] = {
      {"10", 9, "1", "Flow rates in all annuli are equal"},
      {"4", 3, "0", "Flow rates in hub and tip annuli are half of other annuli"},
      // A single annulus is computed with equal flows but printed as chosen.
      {"1", 1, "0", "Flow rates in hub and tip annuli are half of other annuli"},
  };
  int n = 0;
  for (const Case& k : cases) {
    Type("txtnan", k.nan);
    Select("lstisl", k.isl);
    Calculate();
    EXPECT_EQ(form.annuli(), static_cast<int>(k.rows));
    const auto l = core::testing::PrintFileLines(core::PrintFileName("RINGFLOW", ++n));
    SCOPED_TRACE(k.nan);
    EXPECT_EQ(l[8], k.line);
    EXPECT_EQ(table(l, 12).size(), k.rows);
    // Heading 10, entrance 3 + rows, three stations of 2 tables + 4 lines,
    // one stage-power line.
    EXPECT_EQ(l.size(), 10 + 3 + k.rows + 3 * (4 + 2 * k.rows) + 1);
    if (std::string(k.isl) == "0") {
      // Midspans of the hub and tip tubes lie on the hub and tip.
      for (size_t at = 0; at < l.size(); ++at)
        if (l[at].rfind("Dia", 0) == 0) {
          const auto rows = table(l, at);
          EXPECT_NEAR(rows.front()[0], k.rows == 1 ? 1.768 : 1.563, 1e-6);
          EXPECT_NEAR(rows.back()[0], k.rows == 1 ? 1.768 : 1.973, 1e-6);
        }
    }
  }
  EXPECT_EQ(form.printCounter(), 3);
}

TEST_F(RingflowPrint, FailingStationLeavesPartialFile) {
  Select("lstitty", "1");
  Calculate();
  EXPECT_TRUE(Shown("FraConv"));
  EXPECT_FALSE(Shown("Fraconv2"));
  EXPECT_EQ(Text("Txtjconv"), "4");
  EXPECT_FALSE(Shown("lblError"));
  const auto l = core::testing::PrintFileLines("RINGFLOW 1.txt");
  EXPECT_EQ(l[7], "Interval Stepping Iteration Used for Solution");
  // Up to station 3, then a blank line and the failure line.
  ASSERT_EQ(l.size(), 10u + 6 + 10 + 11 + 2);
  EXPECT_EQ(l[l.size() - 2], "");
  EXPECT_EQ(l.back(), "Did not converge for station  4 ");
  EXPECT_EQ(count(l, "STATOR EXIT"), 0);

  // Any input change clears the message; the angle boxes do not.
  Type("txtalf2(1)", "29.5");
  EXPECT_TRUE(Shown("FraConv"));
  Type("txtrho", "0.007");
  EXPECT_FALSE(Shown("FraConv"));

  // The next press writes the next file; Regula Falsi solves the defaults.
  Type("txtrho", "0.00698");
  Select("lstitty", "0");
  Calculate();
  EXPECT_TRUE(Shown("Fraconv2"));
  EXPECT_EQ(core::testing::PrintFileLines("RINGFLOW 2.txt").size(), 47u);
  Type("txtalf2(1)", "29");
  EXPECT_TRUE(Shown("Fraconv2"));
  Type("txtdh", "1.5");
  EXPECT_FALSE(Shown("Fraconv2"));
}

TEST_F(RingflowPrint, FailuresOfTheComputationAreReported) {
  // A turbine row with an efficiency of 0.
  Select("Lstturbo", "Turbine");
  for (int k = 1; k <= 4; ++k) Type("txtefyf(" + std::to_string(k) + ")", "0");
  Calculate();
  EXPECT_TRUE(Shown("lblError"));
  EXPECT_NE(Text("lblError").find("efficiency of 0"), std::string::npos);
  EXPECT_FALSE(Shown("Fraconv2"));
  EXPECT_FALSE(std::filesystem::exists("RINGFLOW 1.txt"));

  // Inputs that would divide by zero are named before anything is computed.
  struct Case {
    const char* box;
    const char* text;
    const char* name;
  } cases[] = {{"txtrho", "0", "rho"},
               {"txtrotn", "0", "RPM"},
               {"txtrotn", "abc", "RPM"},
               {"txtq", "0", "Q"},
               {"txtdt", "1.563", "Tip Dia"},
               {"txtdh", "0", "Hub Dia"}};
  for (const Case& k : cases) {
    const std::string keep = Text(k.box);
    Type(k.box, k.text);
    Calculate();
    EXPECT_TRUE(Shown("lblError")) << k.box;
    EXPECT_NE(Text("lblError").find(k.name), std::string::npos) << Text("lblError");
    EXPECT_FALSE(std::filesystem::exists("RINGFLOW 1.txt")) << k.box << " " << k.text;
    Type(k.box, keep);
  }

  // A hidden box of solution type 3 is still read.
  Select("Lstturbo", "Compressor");
  Select("lstntyp", "3");
  Type("txtale9(1)", "abc");
  Calculate();
  EXPECT_NE(Text("lblError").find("Rotor4 Exit Angle at the Hub"), std::string::npos) << Text("lblError");
  EXPECT_FALSE(std::filesystem::exists("RINGFLOW 1.txt"));
  // And the window stays usable: the first good run takes the first number.
  Type("txtale9(1)", "53.60");
  Calculate();
  EXPECT_FALSE(Shown("lblError"));
  EXPECT_TRUE(Shown("Fraconv2"));
  EXPECT_GT(core::testing::PrintFileLines("RINGFLOW 1.txt").size(), 10u);
  EXPECT_FALSE(std::filesystem::exists("RINGFLOW 2.txt"));
}

// A print file of an earlier run keeps its name: Calculate writes the next
// free number.
TEST_F(RingflowPrint, AFileOfAnEarlierRunIsKept) {
  core::testing::ExpectEarlierPrintFilesKept(form, "RINGFLOW", "Cmdcalculate");
  EXPECT_EQ(form.printCounter(), 3);
}

}  // namespace
