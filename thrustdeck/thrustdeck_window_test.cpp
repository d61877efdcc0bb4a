#include "thrustdeck/thrustdeck_window.h"

#include <gtest/gtest.h>

#include <string>

namespace thrustdeck {
namespace {

struct Window : JetCycle {
  Window() { Load(); }
  core::TextBox& box(const char* id) { return *static_cast<core::TextBox*>(FindById(id)); }
  void type(const char* id, const char* text) { UserType(box(id), text); }
  void select(const char* id, const char* item) {
    auto& list = *static_cast<core::ListBox*>(FindById(id));
    UserSelect(list, list.IndexOf(item));
  }
  void calculate() { UserClick(*FindById("cmdCalculate")); }
  bool shown(const char* id) { return FindById(id)->shown(); }
};

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
    w.select("lstIAB", "y");
    w.select("lstetyp", r.type);
    w.calculate();
    EXPECT_FALSE(w.lblError->visible()) << r.type << ": " << w.lblError->caption();
    EXPECT_EQ(w.state().al, r.al) << r.type;
    EXPECT_EQ(w.state().wc, r.wc) << r.type;
    EXPECT_EQ(w.state().pic, r.pic) << r.type;
    EXPECT_EQ(w.state().iab, r.iab) << r.type;
    EXPECT_FALSE(w.box("txtff").text().empty()) << r.type;
  }
}

TEST(ThrustdeckWindow, FanTreatmentSetsTheSplitRatio) {
  struct Row {
    const char* treatment;
    float sg;
  };
  for (const Row& r : {Row{"Fully Exhausted", 0}, Row{"Fully Mixed", 1}, Row{"Mixed+Exhausted", 0.3f}}) {
    Window w;
    w.type("txtsg", "0.3");
    w.select("lstmixexh", r.treatment);
    w.calculate();
    EXPECT_EQ(w.state().sg, r.sg) << r.treatment;
  }
}

TEST(ThrustdeckWindow, ReadingFailuresNameTheBox) {
  Window w;
  w.select("lstIAB", "y");
  w.type("txtttab", "");
  EXPECT_TRUE(w.lblError->visible());
  EXPECT_NE(w.lblError->caption().find("Afterburner exit temperature is empty"), std::string::npos)
      << w.lblError->caption();
  w.type("txtttab", "3800");
  EXPECT_FALSE(w.lblError->visible());
  w.type("txtma", "lots");
  w.calculate();
  EXPECT_NE(w.lblError->caption().find("Core air flow rate does not hold a number"), std::string::npos);
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
    if (c.list) w.select(c.list, c.item);
    w.calculate();
    ASSERT_FALSE(w.lblError->visible()) << w.lblError->caption();
    ASSERT_FALSE(w.box("txtff").text().empty());
    const float ma = w.state().ma;
    const std::string good = w.box(c.box).text();
    w.type(c.box, c.text);
    w.calculate();
    EXPECT_TRUE(w.lblError->visible()) << c.box << " " << c.text;
    EXPECT_EQ(w.lblError->caption(), c.message);
    for (const char* result : {"txtff", "txtffnd", "txttsfc"})
      EXPECT_EQ(w.box(result).text(), "") << c.box << " " << c.text << ": " << result;
    EXPECT_EQ(w.state().ma, ma);  // the window keeps the last good calculation
    w.type(c.box, good.c_str());
    w.calculate();
    EXPECT_FALSE(w.lblError->visible()) << c.box;
    EXPECT_FALSE(w.box("txtff").text().empty()) << c.box;
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
    w.select(c.list, c.item);
    w.type(c.box, c.text);
    w.calculate();
    EXPECT_FALSE(w.lblError->visible()) << c.box << " " << c.text << ": " << w.lblError->caption();
    EXPECT_FALSE(w.box("txtff").text().empty()) << c.box << " " << c.text;
  }
}

TEST(ThrustdeckWindow, ImpossibleDesignAndTheEditsThatHideIt) {
  for (const char* edited : {"txtal", "txtpic", "txtpif", "txtsg", "txttt4", "txtwc"}) {
    Window w;
    w.type("txtal", "10");
    w.type("txtpif", "30");
    w.calculate();
    ASSERT_TRUE(w.shown("Fraimposs"));
    EXPECT_EQ(w.box("txtff").text(), "");
    EXPECT_EQ(w.box("txtffnd").text(), "");
    EXPECT_EQ(w.box("txttsfc").text(), "");
    w.type(edited, "2");
    EXPECT_FALSE(w.shown("Fraimposs")) << edited;
    EXPECT_TRUE(w.shown("fraal3")) << edited;  // panels are not refreshed
  }
  Window w;
  w.type("txtal", "10");
  w.type("txtpif", "30");
  w.calculate();
  w.type("txtetf", "0.8");  // not one of them
  EXPECT_TRUE(w.shown("Fraimposs"));
}

}  // namespace
}  // namespace thrustdeck
