#include "thrustdeck/thrustdeck_window.h"

#include <gtest/gtest.h>

#include <string>

#include "core/reading.h"
#include "core/testing/driver.h"

namespace thrustdeck {
namespace {

using Window = core::testing::Driven<JetCycle>;

TEST(ThrustdeckWindow, EngineTypeOverridesReachTheCycle) {
  struct Row {
    const char* type;
    float al, wc, pic;
    std::int16_t iab;
  };
  // Boxes hold by-pass 1.2, work coefficient 0.8, compressor ratio 15, afterburner on.
  for (const Row& r : {Row{"Turbofan", 1.2f, 0, 15, 1}, Row{"Turbojet", 0, 0, 15, 1},
                       Row{"Turboprop", 0, 0.8f, 15, 0}, Row{"Ramjet", 0, 0, 1, 0}}) {
    Window w;
    w.Select("lstIAB", "y");
    w.Select("lstetyp", r.type);
    w.Calculate();
    EXPECT_EQ(w.Error(), "") << r.type;
    EXPECT_EQ(w.form.state().al, r.al) << r.type;
    EXPECT_EQ(w.form.state().wc, r.wc) << r.type;
    EXPECT_EQ(w.form.state().pic, r.pic) << r.type;
    EXPECT_EQ(w.form.state().iab, r.iab) << r.type;
    EXPECT_FALSE(w.Text("txtff").empty()) << r.type;
  }
}

TEST(ThrustdeckWindow, FanTreatmentSetsTheSplitRatio) {
  struct Row {
    const char* treatment;
    float sg;
  };
  for (const Row& r : {Row{"Fully Exhausted", 0}, Row{"Fully Mixed", 1}, Row{"Mixed+Exhausted", 0.3f}}) {
    Window w;
    w.Type("txtsg", "0.3");
    w.Select("lstmixexh", r.treatment);
    w.Calculate();
    EXPECT_EQ(w.form.state().sg, r.sg) << r.treatment;
  }
}

// Copy gives the fan air list a row of its own, named by its choices as the
// help names it, and no second "Engine type".
TEST(ThrustdeckWindow, CopyNamesTheFanAirListByItsChoices) {
  Window w;
  w.Select("lstmixexh", "Fully Mixed");
  const std::string text = core::WindowText(w.form);
  EXPECT_EQ(text.find("Engine type\tTurbofan\n"), 0u) << text;
  EXPECT_EQ(text.find("Engine type", 1), std::string::npos) << text;
  EXPECT_NE(text.find("\nFully Exhausted / Fully Mixed / Mixed+Exhausted\tFully Mixed\n"),
            std::string::npos)
      << text;
}

TEST(ThrustdeckWindow, ReadingFailuresNameTheBox) {
  Window w;
  w.Select("lstIAB", "y");
  w.Type("txtttab", "");
  EXPECT_NE(w.Error().find("Afterburner exit temperature is empty"), std::string::npos) << w.Error();
  w.Type("txtttab", "3800");
  EXPECT_EQ(w.Error(), "");
  w.Type("txtma", "lots");
  w.Calculate();
  EXPECT_NE(w.Error().find("Core air flow rate does not hold a number"), std::string::npos);
}

// A failed calculation empties the result boxes (no thrust of earlier inputs
// beside the message) but keeps the last good state; inputs without physical
// meaning are refused by their captions before the cycle runs.
TEST(ThrustdeckWindow, FailedCalculationBlanksTheResults) {
  struct Case {
    const char *list, *item, *box, *text, *message;
  } cases[] = {
      {nullptr, nullptr, "txtma", "0", "Core air flow rate must not be 0"},
      {nullptr, nullptr, "txtma", "-5", "Core air flow rate must not be negative"},
      {nullptr, nullptr, "txtetc", "0", "Compressor efficiency must not be 0"},
      {nullptr, nullptr, "txttt4", "0",
       "Burner exit temperature must be above zero: it is an absolute temperature"},
      {"lstIR", "I", "txttt4", "-5",
       "Burner exit temperature must be above zero: it is an absolute temperature"},
      {"lstSA", "n", "txtT0", "-5",
       "Atmospheric temperature must be above zero: it is an absolute temperature"},
      {"lstSA", "n", "txtT0", "0",
       "Atmospheric temperature must be above zero: it is an absolute temperature"},
      {"lstIR", "I", "txtgmcn", "1", "gamma must not be 1: cp would be infinite"},
      {nullptr, nullptr, "txtpic", "1e400", "Compressor pressure ratio is too large"},
  };
  for (const Case& c : cases) {
    Window w;
    if (c.list) w.Select(c.list, c.item);
    w.Calculate();
    ASSERT_EQ(w.Error(), "");
    ASSERT_FALSE(w.Text("txtff").empty());
    const float ma = w.form.state().ma;
    const std::string good = w.Text(c.box);
    w.Type(c.box, c.text);
    w.Calculate();
    EXPECT_EQ(w.Error(), c.message) << c.box << " " << c.text;
    for (const char* result : {"txtff", "txtffnd", "txttsfc"})
      EXPECT_EQ(w.Text(result), "") << c.box << " " << c.text << ": " << result;
    EXPECT_EQ(w.form.state().ma, ma);  // the window keeps the last good calculation
    w.Type(c.box, good);
    w.Calculate();
    EXPECT_EQ(w.Error(), "") << c.box;
    EXPECT_FALSE(w.Text("txtff").empty()) << c.box;
  }
}

// What the cycle handles itself is not refused: an afterburner temperature
// at or below zero turns the afterburner off, and the typed ambient
// temperature is not used under the standard atmosphere.
TEST(ThrustdeckWindow, HandledInputsAreNotRefused) {
  struct Case {
    const char *list, *item, *box, *text;
  } cases[] = {
      {"lstIAB", "y", "txtttab", "-5"},
      {"lstIAB", "y", "txtttab", "0"},
      {"lstSA", "y", "txtT0", "-5"},
  };
  for (const Case& c : cases) {
    Window w;
    w.Select(c.list, c.item);
    w.Type(c.box, c.text);
    w.Calculate();
    EXPECT_EQ(w.Error(), "") << c.box << " " << c.text;
    EXPECT_FALSE(w.Text("txtff").empty()) << c.box << " " << c.text;
  }
}

TEST(ThrustdeckWindow, ImpossibleDesignAndTheEditsThatHideIt) {
  for (const char* edited : {"txtal", "txtpic", "txtpif", "txtsg", "txttt4", "txtwc"}) {
    Window w;
    w.Type("txtal", "10");
    w.Type("txtpif", "30");
    w.Calculate();
    ASSERT_TRUE(w.Shown("Fraimposs"));
    EXPECT_EQ(w.Text("txtff"), "");
    EXPECT_EQ(w.Text("txtffnd"), "");
    EXPECT_EQ(w.Text("txttsfc"), "");
    w.Type(edited, "2");
    EXPECT_FALSE(w.Shown("Fraimposs")) << edited;
    EXPECT_TRUE(w.Shown("fraal3")) << edited;  // panels are not refreshed
  }
  Window w;
  w.Type("txtal", "10");
  w.Type("txtpif", "30");
  w.Calculate();
  w.Type("txtetf", "0.8");  // not one of them
  EXPECT_TRUE(w.Shown("Fraimposs"));
}

}  // namespace
}  // namespace thrustdeck
