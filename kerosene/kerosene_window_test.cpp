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
    if (c->kind() != frame::Kind::TextBox) continue;
    const auto& box = static_cast<const frame::TextBox&>(*c);
    if (box.readOnly) continue;
    ++boxes;
    const frame::Button* compute = form.ComputeFor(box);
    ASSERT_NE(compute, nullptr) << box.id();
    EXPECT_EQ(compute->id(), "cmdCalculate") << box.id();
  }
  EXPECT_EQ(boxes, 13);  // three inlet boxes, ten heat-capacity coefficients
  auto* pa = static_cast<frame::TextBox*>(form.FindById("txtpa"));
  form.UserType(*pa, "100");
  form.UserClick(*form.ComputeFor(*pa));
  // 100 % air: 2475.7 K.
  EXPECT_EQ(form.FindById("txts")->text(), "2475.7");
}

}  // namespace
}  // namespace kerosene
