// The window: frames by solution type, the forced numbers of annuli and
// blade rows, the diagram toggle and the users-guide file.
#include "ringflow/ringflow_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/testing/driver.h"

namespace {

using ringflow::Ringflow;

using Window = core::testing::Driven<Ringflow>;

const char* kFrames[] = {"Fratitl23", "Fratitl1",   "FraNtyp1",   "FraNtyp2",   "FraNtyp3",
                         "FraNBR",    "Fraitty",    "FraNtype2",  "FraNtype2b", "FraNtype2c",
                         "FraNtype2d", "Frantype3", "Frantype3b", "Frantype3c", "Frantype3d",
                         "Frantype3e", "Frantype5", "Frantype5b", "Frantype5c", "Frantype5d",
                         "FraConv",   "Fraconv2",   "Frapic"};

std::string ShownFrames(Window& w) {
  std::string out;
  for (const char* f : kFrames)
    if (w.Shown(f)) out += std::string(out.empty() ? "" : " ") + f;
  return out;
}

TEST(RingflowWindow, OpensWithSolutionTypeTwo) {
  Window w;
  EXPECT_EQ(w.form.caption(),
            "Stream Line Analysis by QMX 03.05.2005                    "
            "FOR EDUCATIONAL PURPOSES ONLY (See Disclaimer)");
  EXPECT_EQ(ShownFrames(w), "Fratitl23 FraNtyp2 Fraitty Frantype3 Frantype3b");
  EXPECT_EQ(w.Text("lstisl"), "0");
  EXPECT_EQ(w.Text("lstitty"), "0");
  EXPECT_EQ(w.Text("lstntyp"), "2");
  EXPECT_EQ(w.Text("Lstturbo"), "Compressor");
  EXPECT_EQ(w.form.annuli(), 3);
  EXPECT_EQ(w.form.bladeRows(), 3);
  EXPECT_EQ(w.Text("txtdh"), "1.563");
  EXPECT_EQ(w.C("txtalnm(9)").text(), "53.60");
  EXPECT_EQ(w.C("txtale10(3)").text(), "29.00");
  EXPECT_EQ(w.C("txtefyf(10)").text(), "0.86");
}

TEST(RingflowWindow, FramesFollowTypeAnnuliAndBladeRows) {
  struct Case {
    const char* ntyp;
    const char* nbr;
    const char* nan;
    const char* frames;
    int rows;
    int annuli;
  } cases[] = {
      {"1", "9", "3",
       "Fratitl1 FraNtyp1 FraNBR FraNtype2 FraNtype2b FraNtype2c FraNtype2d", 9, 3},
      {"1", "3", "3", "Fratitl23 FraNtyp1 FraNBR FraNtype2", 3, 3},
      {"1", "6", "3", "Fratitl1 FraNtyp1 FraNBR FraNtype2 FraNtype2b", 5, 3},
      {"1", "8", "3", "Fratitl1 FraNtyp1 FraNBR FraNtype2 FraNtype2b FraNtype2c", 7, 3},
      {"3", "12", "3",
       "Fratitl1 FraNtyp3 FraNBR Fraitty Frantype5 Frantype5b Frantype5c Frantype5d", 9, 3},
      {"3", "4", "3", "Fratitl23 FraNtyp3 FraNBR Fraitty Frantype5", 3, 3},
      {"3", "0", "3", "Fratitl23 FraNtyp3 FraNBR Fraitty Frantype5", 3, 3},
      {"3", "-5", "3", "Fratitl23 FraNtyp3 FraNBR Fraitty Frantype5", 3, 3},
      // Type 2 is one stage whatever the box holds.
      {"2", "9", "3", "Fratitl23 FraNtyp2 Fraitty Frantype3 Frantype3b", 3, 3},
      {"2", "3", "1", "Fratitl23 FraNtyp2 Fraitty Frantype3", 3, 1},
      {"2", "3", "5", "Fratitl23 FraNtyp2 Fraitty Frantype3 Frantype3b Frantype3c", 3, 5},
      {"2", "3", "2.5", "Fratitl23 FraNtyp2 Fraitty Frantype3 Frantype3b", 3, 2},
      {"2", "3", "3.5",
       "Fratitl23 FraNtyp2 Fraitty Frantype3 Frantype3b Frantype3c", 3, 4},
      {"2", "3", "7",
       "Fratitl23 FraNtyp2 Fraitty Frantype3 Frantype3b Frantype3c Frantype3d", 3, 7},
      // Not limited here: eleven still shows every location.
      {"2", "3", "11",
       "Fratitl23 FraNtyp2 Fraitty Frantype3 Frantype3b Frantype3c Frantype3d Frantype3e", 3,
       11},
  };
  for (const Case& k : cases) {
    Window w;
    w.Type("txtnbr", k.nbr);
    w.Type("txtnan", k.nan);
    w.Select("lstntyp", k.ntyp);
    SCOPED_TRACE(std::string("ntyp ") + k.ntyp + " nbr " + k.nbr + " nan " + k.nan);
    EXPECT_EQ(ShownFrames(w), k.frames);
    EXPECT_EQ(w.form.bladeRows(), k.rows);
    EXPECT_EQ(w.form.annuli(), k.annuli);
    EXPECT_FALSE(w.Shown("lblError"));
  }
}

TEST(RingflowWindow, ForcedCounts) {
  const int rows[][2] = {{-5, 3}, {0, 3}, {2, 3}, {3, 3}, {4, 3}, {5, 5},
                         {6, 5},  {7, 7}, {8, 7}, {9, 9}, {10, 9}, {12, 9}};
  for (auto [in, out] : rows) EXPECT_EQ(ringflow::ForceBladeRows(in), out) << in;
  const int annuli[][2] = {{-1, 1}, {0, 1}, {1, 1}, {2, 1}, {3, 3}, {4, 3},
                           {6, 5},  {8, 7}, {9, 9}, {10, 9}, {31, 9}};
  for (auto [in, out] : annuli) EXPECT_EQ(ringflow::ForceAnnuli(in), out) << in;
  const float halves[][2] = {{0.5f, 0}, {1.5f, 2}, {2.5f, 2}, {3.5f, 4}, {-2.5f, -2}, {2.6f, 3}};
  for (auto [in, out] : halves) EXPECT_EQ(ringflow::RoundToInteger(in, "n"), out) << in;
  EXPECT_THROW(ringflow::RoundToInteger(32767.5f, "n"), core::Failure);
  EXPECT_THROW(ringflow::RoundToInteger(-40000.0f, "n"), core::Failure);
  EXPECT_EQ(ringflow::RoundToInteger(-32768.0f, "n"), -32768);
}

TEST(RingflowWindow, BadCountsAreReportedAndTheWindowStaysUsable) {
  Window w;
  w.Type("txtnan", "three");
  EXPECT_TRUE(w.Shown("lblError"));
  EXPECT_NE(w.Text("lblError").find("No. of Annuli"), std::string::npos);
  w.Type("txtnan", "99999");
  EXPECT_TRUE(w.Shown("lblError"));
  w.Type("txtnan", "5");
  EXPECT_FALSE(w.Shown("lblError"));
  EXPECT_EQ(w.form.annuli(), 5);
  w.Select("lstntyp", "3");
  w.Type("txtnbr", "");
  EXPECT_NE(w.Text("lblError").find("No. of Blade Rows"), std::string::npos);
}

// Calculate does not go on with the last good count of a box that no longer
// holds one: it names the box, as typing did.
TEST(RingflowWindow, CalculateRefusesACountBoxWithoutANumber) {
  const core::testing::ScratchFolder folder("ringflow_");
  const std::pair<const char*, const char*> boxes[] = {
      {"txtnan", "No. of Annuli (odd - max 9) is empty: type a number"},
      {"txtnbr", "No. of Blade Rows (odd - max 9) does not hold a number"},
  };
  for (auto [box, message] : boxes) {
    Window w;
    w.Select("lstntyp", "3");
    w.Type(box, std::string(box) == "txtnan" ? "" : "x");
    w.Click("Cmdcalculate");
    EXPECT_EQ(w.Text("lblError"), message);
    EXPECT_FALSE(w.Shown("Fraconv2"));  // no "Solution Printed!"
  }
}

TEST(RingflowWindow, DiagramToggles) {
  Window w;
  EXPECT_FALSE(w.Shown("Frapic"));
  w.Click("pic");
  EXPECT_TRUE(w.Shown("Frapic"));
  EXPECT_TRUE(w.Shown("Picture1"));
  w.Click("pic");
  EXPECT_FALSE(w.Shown("Frapic"));
}

TEST(RingflowWindow, UsersGuideFile) {
  const core::testing::ScratchFolder folder("ringflow_");
  Window w;
  w.Click("CmdUsersGuide");
  w.Click("CmdUsersGuide");  // written anew, not appended
  const std::vector<std::string> lines = core::testing::PrintFileLines("USERS_GUIDE_RINGFLOW.txt");
  ASSERT_EQ(lines.size(), 51u);
  const std::pair<int, const char*> checks[] = {
      {1, "USERS GUIDE FOR SINGLE STAGE STREAMLINE ANALYSIS by Q. M. VORLAND 09/08/2004"},
      {2, ""},
      {7, "pin - Inlet Pressure (psia) - uniform for the inlet - flow enters axially at the inlet"},
      {11, "      Must be odd and no greater than 9"},
      {18, "      = 0 One streamline has it's midspan at Dhub and another at Dtip"},
      {19, "          The inner and outer annuli carry half of the flow rates of the other annuli"},
      {27, "       = 1 Irrotational flow - Free vortical flow at axial interfaces"},
      {28, "           Radial equilibruim automatic"},
      {33, "       = 2 Radial distibutions of all absolute exit angles are input for equally "
           "spaced diameters from hub to tip"},
      {40, ""},
      {43, "        Must be odd and at least 3 but no greater than 9"},
      {46, "       = 0 Regula Falsi Method - usually faster but can be unstable"},
      {48, "       = 1 Interval Stepping Method - usually slower but can be somewhat more "
           "stable "},
      {49, "           Should be used only if/when ITTY=0 fails"},
      {51, "NOTE - All outputs are sent to a print file"},
  };
  for (auto [n, want] : checks) EXPECT_EQ(lines[n - 1], want) << "line " << n;
  // Blank lines stand between the groups and only there.
  int blanks = 0;
  for (const auto& line : lines) blanks += line.empty();
  EXPECT_EQ(blanks, 7);
}

}  // namespace
