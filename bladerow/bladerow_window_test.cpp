#include "bladerow/bladerow_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/testing/driver.h"

namespace bladerow {
namespace {

using bladerowWindow = core::testing::WindowTest<Bladerow>;

const std::vector<std::string> kResults = {"txtpp21", "txtpr",   "txtwsh", "txtm1", "txtm1r",
                                           "txtm2",   "txtm2r",  "txtcpr", "txtm3", "txtcps",
                                           "txtdl23", "txtth2",  "txtth3", "txtgm", "txtb1",
                                           "txtb2",   "txtal2",  "txtal3"};

TEST_F(bladerowWindow, LoadChoosesTheAxialCompressorOnAir) {
  EXPECT_EQ(Text("lsttype"), "axial compressor");
  EXPECT_EQ(Text("lstgas"), "air");
  EXPECT_FALSE(Visible("Fragas"));
  EXPECT_EQ(Text("txtcax"), "1.00");
  EXPECT_EQ(Text("Txtgm2"), "1.400");
  EXPECT_EQ(Text("txtpp21"), "");  // nothing computed yet
  EXPECT_EQ(Text("fraresults2"), "Frame2");
}

TEST_F(bladerowWindow, FramesFollowTheMachine) {
  const std::vector<std::string> frames = {"fraaxct",     "frarc",       "frart",
                                           "fraresults2", "fraresults4", "fraresults5",
                                           "frapt",       "fraresults1", "fraresults3"};
  struct Case {
    const char* machine;
    std::string shown;
  } cases[] = {
      {"radial compressor", "010000111"},
      {"axial turbine", "100111111"},
      {"radial inflow turbine", "001000111"},
      {"axial compressor", "100111111"},  // and back again
  };
  for (const Case& c : cases) {
    Select("lsttype", c.machine);
    EXPECT_EQ(VisiblePattern(frames), c.shown) << c.machine;
  }
  Select("lstgas", "other");
  EXPECT_TRUE(Visible("Fragas"));
  Select("lstgas", "air");
  EXPECT_FALSE(Visible("Fragas"));
}

TEST_F(bladerowWindow, DefaultsOfEachMachine) {
  struct Case {
    const char* machine;
    std::vector<std::string> texts;  // in the order of kResults
  } cases[] = {
      {"axial compressor",
       {"1.175", "0.547", "6,712", "0.414", "0.580", "0.538", "0.424", "0.385", "0.404", "0.436",
        "-27.79", "1.171", "1.102", "1.361", "-46.38", "-21.38", "42.79", "15.00"}},
      // The stator boxes keep what the axial stage left.
      {"radial compressor",
       {"1.209", "-0.699", "7,982", "0.455", "0.443", "0.647", "0.530", "0.414", "0.404", "0.436",
        "-27.79", "1.171", "1.102", "1.362", "-6.70", "-10.00", "36.21", "15.00"}},
      {"axial turbine",
       {"1.219", "0.547", "6,712", "0.414", "0.580", "0.538", "0.424", "0.563", "0.404", "0.436",
        "-27.79", "1.129", "1.062", "1.361", "-46.38", "-21.38", "42.79", "15.00"}},
      {"radial inflow turbine",
       {"0.924", "2.254", "-2,637", "0.564", "0.639", "0.451", "0.449", "-0.014", "0.404",
        "0.436", "-27.79", "1.129", "1.062", "1.362", "-31.38", "-10.00", "11.71", "15.00"}},
  };
  for (const Case& c : cases) {
    Select("lsttype", c.machine);
    Calculate();
    EXPECT_EQ(Error(), "");
    for (size_t i = 0; i < kResults.size(); ++i)
      EXPECT_EQ(Text(kResults[i]), c.texts[i]) << c.machine << " " << kResults[i];
  }
}

TEST_F(bladerowWindow, RadialBoxesAreIgnoredByTheAxialMachines) {
  for (const char* box : {"txtrta", "txtrha", "txtal1a", "txtr2", "txttd2", "txtb2a", "txtrb",
                          "txtthb", "txtal1b", "txtrtb", "txtrhb", "txtb2b", "Txtrg"})
    Type(box, "none");
  Calculate();
  EXPECT_EQ(Error(), "");
  EXPECT_EQ(Text("txtpp21"), "1.175");
  // The radial compressor takes its inlet from the eye, not from txtr.
  Select("lsttype", "radial compressor");
  Type("txtrta", "6");
  Type("txtrha", "2.5");
  Type("txtal1a", "15");
  Type("txtr2", "12");
  Type("txttd2", "1");
  Type("txtb2a", "-10");
  Type("txtr", "20");
  Type("txtth1", "3");
  Calculate();
  EXPECT_EQ(Text("txtpp21"), "1.209");
  EXPECT_EQ(Text("txtwsh"), "7,982");
}

TEST_F(bladerowWindow, AnotherGas) {
  Select("lstgas", "other");
  Type("Txtrg", "60");
  Type("Txtgm2", "1.3");
  Calculate();
  EXPECT_EQ(Text("txtgm"), "1.300");
  EXPECT_EQ(Text("txtpp21"), "1.158");
  EXPECT_EQ(Text("txtwsh"), "6,836");
  Type("Txtgm2", "1");
  Calculate();
  EXPECT_EQ(Error(), "Cannot compute cp of the gas: gamma must not be 1");
  EXPECT_EQ(Text("txtwsh"), "");
}

TEST_F(bladerowWindow, FailuresAndAnUnsettledDensity) {
  Type("txtom", "");
  Calculate();
  EXPECT_TRUE(Visible("lblError"));
  EXPECT_NE(Text("lblError").find("Rotational Speed (rpm)"), std::string::npos);
  EXPECT_EQ(Text("txtpp21"), "");
  Type("txtom", "8000");
  const std::pair<const char*, const char*> refused[] = {
      {"txtT1", "Inlet temperature (R) must be above zero: it is an absolute temperature"},
      {"txtm", "Air flow rate (lbm/s) must not be negative"},
  };
  for (auto [box, message] : refused) {
    const std::string was = Text(box);
    Type(box, "-1");
    Calculate();
    EXPECT_EQ(Text("lblError"), message);
    EXPECT_EQ(Text("txtwsh"), "");
    Type(box, was);
  }
  Type("txtom", "2000");
  Type("txtm", "100");
  Select("lsttype", "radial compressor");
  Type("txtal1a", "45");
  Type("txtb2a", "-50");
  Type("txttd2", "0.5");
  Calculate();
  // The last pass is shown, and the window says it did not settle.
  EXPECT_TRUE(Visible("lblError"));
  EXPECT_NE(Text("lblError").find("did not settle"), std::string::npos);
  EXPECT_NE(Text("txtm2"), "");
  Type("txttd2", "1");
  Calculate();
  EXPECT_EQ(Error(), "");
  Click("cmdEnd");
  EXPECT_TRUE(form.ended());
}

}  // namespace
}  // namespace bladerow
