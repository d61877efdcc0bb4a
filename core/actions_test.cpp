#include "core/actions.h"

#include <gtest/gtest.h>

#include "core/failure.h"

namespace core {
namespace {

using Type = UserAction::Type;

bool Same(const UserAction& a, const UserAction& b) {
  return a.type == b.type && a.id == b.id && a.text == b.text && a.index == b.index &&
         a.effects == b.effects;
}

// Every type of action, with texts that hold the encoding's own marks,
// line ends, bytes past ASCII and nothing at all.
TEST(Actions, EveryTypeReadsBack) {
  const std::vector<UserAction> cases = {
      {Type::Load, "", "", -1, {}},
      {Type::Type, "txtg", "1.4", -1, {}},
      {Type::Type, "txtm(2)", "12:3:x\n\t\"\\", -1, {}},
      {Type::Type, "txtp", "", -1, {}},
      {Type::Type, "txtt", "\xc2\xb0" "C \xe2\x80\x94 \x01", -1, {}},
      {Type::Click, "cmdgo", "", -1, {"", "Cannot write the file out.txt"}},
      {Type::Click, "optm", "", -1, {""}},
      {Type::Select, "lstss", "", 0, {}},
      {Type::Select, "lstss", "", 12, {}},
      {Type::Select, "lstss", "", -1, {}},
      {Type::Close, "", "", -1, {"Cannot find the program file x"}},
      {Type::Units, "", "si", -1, {}},
  };
  for (const UserAction& a : cases) {
    const std::vector<UserAction> back = DecodeActions(EncodeActions({a}));
    ASSERT_EQ(back.size(), 1u) << a.id;
    EXPECT_TRUE(Same(back[0], a)) << a.id << " " << a.text;
  }
  // All of them in one record, in order.
  const std::vector<UserAction> back = DecodeActions(EncodeActions(cases));
  ASSERT_EQ(back.size(), cases.size());
  for (size_t i = 0; i < cases.size(); ++i) EXPECT_TRUE(Same(back[i], cases[i])) << i;
  EXPECT_TRUE(DecodeActions("").empty());
}

TEST(Actions, FieldsAsWritten) {
  EXPECT_EQ(EncodeActions({{Type::Type, "txtg", "1.4", -1, {}}}), "1:14:txtg3:1.42:-11:0");
  EXPECT_EQ(EncodeActions({{Type::Click, "cmdgo", "", -1, {"", "no"}}}),
            "1:25:cmdgo0:2:-11:20:2:no");
}

// A text that is not a record is refused, saying which action and field.
TEST(Actions, BadEncodingsRefused) {
  const std::string good = EncodeActions({{Type::Click, "cmdgo", "", -1, {}}});
  const struct {
    std::string text;
    const char* reason;
  } cases[] = {
      {"x", "action 1: the type has no length"},
      {":", "action 1: the type has no length"},
      {"1x:2", "action 1: the type has no length"},
      {"1234567890:1", "action 1: the type has no length"},
      {"5:1", "action 1: the type is cut short"},
      {"1:x", "action 1: the type is not a number"},
      {"0:", "action 1: the type is not a number"},
      {"1:-", "action 1: the type is not a number"},
      {"1:6", "action 1: the type 6 is no action"},
      {"2:-1", "action 1: the type -1 is no action"},
      {"1:2", "action 1: the control has no length"},
      {"1:25:cmd", "action 1: the control is cut short"},
      {"1:25:cmdgo0:", "action 1: the item has no length"},
      {"1:25:cmdgo0:2:+1", "action 1: the item is not a number"},
      {"1:25:cmdgo0:2:-11:x", "action 1: the count of effects is not a number"},
      {"1:25:cmdgo0:2:-12:-1", "action 1: the count of effects is below zero"},
      {"1:25:cmdgo0:2:-11:2", "action 1: the effect has no length"},
      {"1:25:cmdgo0:2:-11:23:ab", "action 1: the effect is cut short"},
      {good + "1:3", "action 2: the control has no length"},
      {good + good + "9", "action 3: the type has no length"},
  };
  for (const auto& c : cases) {
    try {
      DecodeActions(c.text);
      ADD_FAILURE() << "accepted " << c.text;
    } catch (const Failure& e) {
      EXPECT_EQ(std::string(e.what()), c.reason) << c.text;
    }
  }
}

}  // namespace
}  // namespace core
