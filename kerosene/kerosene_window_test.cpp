#include "kerosene/kerosene_window.h"

#include <gtest/gtest.h>

namespace kerosene {
namespace {

// Enter in any input box presses the button that computes, though it wears
// the plain look of every control of this window.
TEST(Kerosene, EnterInEveryInputBoxCalculates) {
  Kerosene form;
  form.Load();
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
  auto* pa = static_cast<core::TextBox*>(form.FindById("txtpa"));
  form.UserType(*pa, "100");
  form.UserClick(*form.ComputeFor(*pa));
  // 100 % air: 2475.7 K.
  EXPECT_EQ(form.FindById("txts")->text(), "2475.7");
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
    Kerosene form;
    form.Load();
    form.UserClick(*form.FindById("cmdCalculate"));
    ASSERT_NE(form.FindById("txts")->text(), "");
    form.UserType(*static_cast<core::TextBox*>(form.FindById(c.box)), c.text);
    form.UserClick(*form.FindById("cmdCalculate"));
    EXPECT_TRUE(form.lblError->visible()) << c.box;
    EXPECT_EQ(form.lblError->text(), c.message);
    EXPECT_EQ(form.FindById("txts")->text(), "") << c.box;
  }
}

}  // namespace
}  // namespace kerosene
