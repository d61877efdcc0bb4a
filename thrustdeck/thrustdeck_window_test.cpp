#include "thrustdeck/thrustdeck_window.h"

#include <gtest/gtest.h>

namespace thrustdeck {
namespace {

struct Window : JetCycle {
  Window() { Load(); }
  frame::TextBox& box(const char* id) { return *static_cast<frame::TextBox*>(FindById(id)); }
  void type(const char* id, const char* text) { UserType(box(id), text); }
  void select(const char* id, const char* item) {
    auto& list = *static_cast<frame::ListBox*>(FindById(id));
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
  EXPECT_NE(w.lblError->caption().find("Afterburner exit temperature (txtttab)"), std::string::npos)
      << w.lblError->caption();
  w.type("txtttab", "3800");
  EXPECT_FALSE(w.lblError->visible());
  w.type("txtma", "lots");
  w.calculate();
  EXPECT_NE(w.lblError->caption().find("Core air flow rate (txtma)"), std::string::npos);
}

TEST(ThrustdeckWindow, FailedCalculationKeepsTheResults) {
  Window w;
  w.calculate();
  const std::string ff = w.box("txtff").text(), tsfc = w.box("txttsfc").text();
  ASSERT_FALSE(ff.empty());
  w.type("txtma", "0");
  w.calculate();
  EXPECT_TRUE(w.lblError->visible());
  EXPECT_EQ(w.box("txtff").text(), ff);
  EXPECT_EQ(w.box("txttsfc").text(), tsfc);
  EXPECT_EQ(w.state().ma, 165);  // the window keeps the last good calculation
  w.type("txtma", "165");
  w.calculate();
  EXPECT_FALSE(w.lblError->visible());
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
