#include "lib/engine_maps/map_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/failure.h"

namespace engine_maps {
namespace {

MapTableInputs Defaults() {
  MapTableInputs in;
  in.comp = {0.08f, 0.02f, 0.80f, 0.00001f, 2.0f, 10000, 0.88, 0.10};
  in.burn = {1.865f, 0.0f, 18000, 0.91};
  in.turb = {0.28f, 1.00f, 0.20f, 35, 4000, 0.90};
  return in;
}

int Count(const std::vector<std::string>& lines, const std::string& prefix) {
  return static_cast<int>(std::count_if(
      lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; }));
}

TEST(MapLists, SpeedsFlowsAndBurnerRows) {
  const std::array<float, 6> turbine = SpeedSteps(4000);
  const std::array<float, 6> want = {-2000, 0, 2000, 4000, 6000, 8000};
  EXPECT_EQ(turbine, want);
  const std::array<float, 6> choke = ChokeFlows(Defaults().comp);
  EXPECT_FLOAT_EQ(choke[1], 120);
  EXPECT_FLOAT_EQ(choke[5], 280);
  struct Row {
    double mc4c;
    int rows;
  };
  const Row rows[] = {{35, 7},   {3, 2},      {5.004, 2}, {34.96, 7}, {35.04, 8},
                      {150, 30}, {150.1, 30}, {150.8, 0}, {151, 0},   {1000, 0}};
  for (const Row& r : rows) EXPECT_EQ(BurnerRows(r.mc4c), r.rows) << r.mc4c;
}

TEST(CoreTables, DefaultStructure) {
  std::vector<std::string> lines;
  AppendCoreTables(lines, Defaults());
  // Turbine speed 0 is skipped with its blank line: four tables.
  EXPECT_EQ(Count(lines, "Nc4="), 4);
  EXPECT_EQ(lines[3], "Nc4= 2000 ");
  EXPECT_EQ(Count(lines, "Nc2="), 5);
  EXPECT_EQ(Count(lines, "f/(Tt3/Tstp)="), 4);
  // Every turbine table starts at 1/pit = 1 with no flow.
  EXPECT_EQ(Count(lines, " 1             0            -.18           0 "), 4);
  // 4 turbine tables of 14 lines, 3 heading lines; compressor 2 + 1 + 1 +
  // 5 * 14; shaft 1 + 1 + 1 + 1 + 1 + 5 + 2; burner 2 + 4 * (3 + 7) + 1.
  EXPECT_EQ(lines.size(), 3u + 56 + 4 + 70 + 12 + 43);
  EXPECT_EQ(lines.back(), "");
  EXPECT_EQ(lines[lines.size() - 2], " 35            .08615004     .91 ");
}

TEST(CoreTables, PrecisionOfTheDesignSpeeds) {
  MapTableInputs in = Defaults();
  in.turb.nc4d = 4300;
  in.comp.nc2d = -4000;  // no compressor speed above 0
  in.nc4dSingle = false;
  in.nc2dSingle = true;
  in.etamSingle = true;
  in.s1 = 0.005f;
  std::vector<std::string> lines;
  AppendCoreTables(lines, in);
  EXPECT_EQ(lines[1], " ( pitc= .28 ,mc4c= 35 ,Nc4d= 4300 ,etatd= .9 ,k1= 1 ,k2= .2 )");
  EXPECT_EQ(Count(lines, "Nc4="), 5);
  EXPECT_EQ(Count(lines, "Nc2="), 0);
  const auto head =
      std::find(lines.begin(), lines.end(),
                "( c1= .08 ,c2= .02 ,c3= .8 ,etacd= .88 ,Nc2d=-4000 ,mu= .1 ,c4= 1E-05 ,c5= 2 )");
  ASSERT_NE(head, lines.end());
  // The shaft table lists all five speeds, also those not above 0; etam as
  // a Single.
  const auto shaft = std::find(lines.begin(), lines.end(), "Nc2           etam");
  ASSERT_NE(shaft, lines.end());
  EXPECT_EQ(*(shaft + 1), "-8000          .995 ");
}

// Constants that leave a table undefined stop the file with a message that
// names the map, instead of printing digits of nothing.
TEST(CoreTables, UndefinedTablesAreRefused) {
  struct Row {
    const char* why;
    void (*edit)(MapTableInputs&);
    const char* message;
  };
  const Row rows[] = {
      {"pitc 0", [](MapTableInputs& in) { in.turb.pitc = 0; }, "Turbine map undefined"},
      {"Nc4d 0", [](MapTableInputs& in) { in.turb.nc4d = 0; }, "Turbine map undefined"},
      {"c3 1", [](MapTableInputs& in) { in.comp.c3 = 1; }, "Compressor map undefined"},
      {"huge c1", [](MapTableInputs& in) { in.comp.c1 = INFINITY; }, "Compressor map undefined"},
      {"s2 -1",
       [](MapTableInputs& in) {
         in.comp.nc2d = 4000;
         in.s2 = -1;
       },
       "Shaft map undefined"},
  };
  for (const Row& r : rows) {
    MapTableInputs in = Defaults();
    r.edit(in);
    std::vector<std::string> lines;
    try {
      AppendCoreTables(lines, in);
      ADD_FAILURE() << r.why << ": no failure";
    } catch (const core::Failure& f) {
      EXPECT_EQ(std::string(f.what()).rfind(r.message, 0), 0u) << r.why << ": " << f.what();
    }
  }
}

}  // namespace
}  // namespace engine_maps
