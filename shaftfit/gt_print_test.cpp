#include "shaftfit/gt_print.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace shaftfit {
namespace {

GtPrintInputs Defaults(const std::string& regenerator) {
  GtPrintInputs in;
  in.core.comp = {0.1339f, 0.0154632f, 0.90f, 0.00001f, 10.0f, 9000.0f, 0.88, 0.04};
  in.core.burn = {2.77f, 0.0f, 18000, 0.91};
  in.core.turb = {0.07f, 0.2f, 0.1f, 20, 4300, 0.92};
  in.core.s1 = 0.005f;
  in.core.s2 = 0.0f;
  in.core.nc4dSingle = false;
  in.core.nc2dSingle = true;
  in.core.etamSingle = true;
  in.z1 = 0.000001f;
  in.z2 = 0.0000005f;
  in.z3 = 0.00000003253f;
  in.z4 = 3.0f;
  in.effectiveness = 0.75f;
  in.b33x = 0.00005f;
  in.b55x = 0.0000002f;
  in.regenerator = regenerator;
  return in;
}

long Find(const std::vector<std::string>& lines, const std::string& line) {
  auto it = std::find(lines.begin(), lines.end(), line);
  return it == lines.end() ? -1 : it - lines.begin();
}

TEST(GtPrint, NewSectionsWithTheDefaults) {
  const std::vector<std::string> lines = GtMapLines(Defaults("y"));
  const long inlet = Find(lines, "      ***   INLET MAP   ***");
  ASSERT_GT(inlet, 2);
  EXPECT_EQ(lines[inlet - 1], "");
  EXPECT_EQ(lines[inlet - 2], "");  // the end of the burner tables
  EXPECT_EQ(lines[inlet + 1], "       ( z1= 1E-06 )");
  EXPECT_EQ(lines[inlet + 3], "mc1           pid");
  EXPECT_EQ(lines[inlet + 4], " 0             1 ");
  // w5 = 13000 * 0.0154632 = 201.02 (a Single): the table reaches it.
  EXPECT_NEAR(std::atof(lines[inlet + 14].c_str()), 201.0216, 1e-3);
  EXPECT_NEAR(std::atof(lines[inlet + 5].c_str()), 20.10216, 1e-4);
  EXPECT_EQ(lines[inlet + 15], "");

  const long regen = Find(lines, "      ***   REGENERATOR MAP   ***");
  ASSERT_EQ(regen, inlet + 17);
  EXPECT_EQ(lines[regen + 1], "( b33x= 5E-05 ,b55x =  2E-07 ,effectiveness= .75 )");
  EXPECT_EQ(lines[regen + 3], "mc3           pi3-3x");
  EXPECT_EQ(lines[regen + 4], " 0             1 ");
  EXPECT_EQ(lines[regen + 5], " 2             .9998 ");
  EXPECT_EQ(lines[regen + 14], " 20            .98 ");
  EXPECT_EQ(lines[regen + 16], "mc5           pi5-5x");
  EXPECT_EQ(lines[regen + 17], " 0             1 ");

  const long exhaust = Find(lines, "      ***   EXHAUST MAP   ***");
  ASSERT_EQ(exhaust, regen + 30);
  EXPECT_EQ(lines[exhaust + 1], "       ( z2= 5E-07 )");
  EXPECT_EQ(lines[exhaust + 3], "mc5           pie");
  EXPECT_EQ(lines[exhaust + 4], " 0             1 ");
  EXPECT_NEAR(std::atof(lines[exhaust + 14].c_str()), 402.0432, 1e-3);

  const long load = Find(lines, "      ***   LOAD MAP   ***");
  ASSERT_EQ(load, exhaust + 17);
  EXPECT_EQ(lines[load - 1], "");
  EXPECT_EQ(lines[load - 2], "");
  EXPECT_EQ(lines[load + 1], "       ( z3= 3.253E-08 , z4= 3 )");
  EXPECT_EQ(lines[load + 3], "N             Power");
  EXPECT_EQ(lines[load + 4], " 0             0 ");
  EXPECT_EQ(lines[load + 5], " 1800          189.715 ");  // 3.253E-8 * 1800^3
  EXPECT_EQ(lines[load + 14], " 18000         189715 ");
  EXPECT_EQ(lines[load + 15], "");
  EXPECT_EQ(lines.size(), static_cast<size_t>(load + 16));
}

TEST(GtPrint, RegeneratorSectionUnlessExactlyN) {
  struct Row {
    const char* choice;
    bool present;
  };
  const Row rows[] = {{"n", false}, {"y", true}, {"", true}};
  for (const Row& r : rows) {
    const std::vector<std::string> lines = GtMapLines(Defaults(r.choice));
    EXPECT_EQ(Find(lines, "      ***   REGENERATOR MAP   ***") >= 0, r.present) << r.choice;
    EXPECT_GE(Find(lines, "      ***   EXHAUST MAP   ***"), 0);
  }
}

// The shared sections differ from the jet engine file only in how the design
// speeds and the shaft efficiency are held.
TEST(GtPrint, SharedSectionsInThisProgramsPrecision) {
  const std::vector<std::string> lines = GtMapLines(Defaults("n"));
  EXPECT_EQ(lines[1], " ( pitc= .07 ,mc4c= 20 ,Nc4d= 4300 ,etatd= .92 ,k1= .2 ,k2= .1 )");
  EXPECT_GE(Find(lines,
                 "( c1= .1339 ,c2= .0154632 ,c3= .9 ,etacd= .88 ,Nc2d= 9000 ,mu= .04 ,c4= 1E-05 "
                 ",c5= 10 )"),
            0);
  const long shaft = Find(lines, "Nc2           etam");
  ASSERT_GT(shaft, 0);
  // 1 - 0.005 as a Single; the jet engine file writes the Double of
  // 1 - 0.004999999888 (0.005 as a Single) for the same s1.
  EXPECT_EQ(lines[shaft + 1], " 5000          .995 ");
  EXPECT_EQ(lines[shaft + 5], " 13000         .995 ");

  engine_maps::MapTableInputs jet = Defaults("n").core;
  jet.etamSingle = false;
  std::vector<std::string> jetLines;
  engine_maps::AppendCoreTables(jetLines, jet);
  const long jetShaft = Find(jetLines, "Nc2           etam");
  ASSERT_GT(jetShaft, 0);
  EXPECT_EQ(jetLines[jetShaft + 1], " 5000          .995000000111759 ");
  // Turbine speeds from 4300: -1700 below the tables, then 300 to 8300.
  EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                          [](const std::string& l) { return l.rfind("Nc4=", 0) == 0; }),
            5);
}

}  // namespace
}  // namespace shaftfit
