#include "kerosene/kerosene_window.h"

#include <gtest/gtest.h>


#include "core/testing/driver.h"
namespace kerosene {
namespace {

// Enter in any input box presses the button that computes, though it wears
// the plain look of every control of this window.
TEST(Kerosene, EnterInEveryInputBoxCalculates) {
  core::testing::Driven<Kerosene> w;
  const Kerosene& form = w.form;
  int boxes = 0;
  for (const auto& c : form.controls()) {
    if (c->kind() != core::Kind::TextBox) continue;
    const auto& box = static_cast<const core::TextBox&>(*c);
    if (box.readOnly) continue;
    ++boxes;
    const core::Button* compute = form.ComputeFor(box);
    ASSERT_NE(compute, nullptr) << box.id();
    EXPECT_EQ(compute->id(), "cmdCalculate") << box.id();
  }
  EXPECT_EQ(boxes, 13);  // three inlet boxes, ten heat-capacity coefficients
  w.Type("txtpa", "100");
  w.Click(form.ComputeFor(w.Box("txtpa"))->id());
  // 100 % air: 2475.7 K.
  EXPECT_EQ(w.Text("txts"), "2475.7");
}

// Temperatures at or below absolute zero and a negative share of air are
// refused by their captions, and no temperature of earlier inputs stays.
TEST(Kerosene, MeaninglessInletsAreRefused) {
  struct Case {
    const char *box, *text, *message;
  } cases[] = {
      {"txtpa", "-5", "percent air must not be negative"},
      {"txtt(1)", "-5", "fuel temperature (deg K) must be above zero: it is an absolute temperature"},
      {"txtt(1)", "0", "fuel temperature (deg K) must be above zero: it is an absolute temperature"},
      {"txtt(2)", "-300", "air temperature (deg K) must be above zero: it is an absolute temperature"},
      {"txtpa", "1e400", "percent air is too large"},
      {"txtar(2)", "", "a of oxygen is empty: type a number"},
  };
  for (const Case& c : cases) {
    core::testing::Driven<Kerosene> w;
    w.Calculate();
    ASSERT_NE(w.Text("txts"), "");
    w.Type(c.box, c.text);
    w.Calculate();
    EXPECT_EQ(w.Error(), c.message) << c.box;
    EXPECT_EQ(w.Text("txts"), "") << c.box;
  }
}

}  // namespace
}  // namespace kerosene
