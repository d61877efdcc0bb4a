#include "core/printline.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace core {
namespace {

std::string Pad(std::string s, std::size_t width) {
  s.resize(width, ' ');
  return s;
}

struct LineCase {
  const char* name;
  std::function<void(PrintLine&)> build;
  std::string expected;
};

class Lines : public testing::TestWithParam<LineCase> {};

TEST_P(Lines, Layout) {
  PrintLine line;
  GetParam().build(line);
  EXPECT_EQ(line.str(), GetParam().expected);
}

const std::string k14(14, 'x');

INSTANTIATE_TEST_SUITE_P(
    PrintLine, Lines,
    testing::Values(
        LineCase{"Empty", [](PrintLine&) {}, ""},
        LineCase{"Joined",
                 [](PrintLine& l) { l.text("p=").num(0.28f).text("psia"); },
                 "p= .28 psia"},
        LineCase{"DoubleNumber", [](PrintLine& l) { l.num(35.0).num(-0.25); },
                 " 35 -.25 "},
        LineCase{"Zones",
                 [](PrintLine& l) {
                   l.text("Dhub=").zone().num(1.5f).zone().text("Dtip=");
                 },
                 Pad("Dhub=", 14) + Pad(" 1.5 ", 14) + "Dtip="},
        LineCase{"LongItemPushesToNextZone",
                 [](PrintLine& l) {
                   l.text("rho(sl / ft ^ 3)= ").zone().num(2.0);
                 },
                 Pad("rho(sl / ft ^ 3)= ", 28) + " 2 "},
        LineCase{"ItemEndingOnBoundaryIsFollowedThere",
                 [](PrintLine& l) { l.text(k14).zone().text("a"); },
                 k14 + "a"},
        LineCase{"TwoZonesWideItemOnBoundary",
                 [](PrintLine& l) { l.text(k14 + k14).zone().text("a"); },
                 k14 + k14 + "a"},
        LineCase{"LeadingZoneAddsNothing",
                 [](PrintLine& l) { l.zone().text("a"); }, "a"},
        LineCase{"EmptyFirstZone",
                 [](PrintLine& l) { l.text("").zone().num(3.0); },
                 Pad("", 14) + " 3 "},
        LineCase{"DoubleZoneAtStart",
                 [](PrintLine& l) { l.zone().zone().num(3.0); },
                 Pad("", 14) + " 3 "},
        LineCase{"DoubleZoneSkipsAnEmptyZone",
                 [](PrintLine& l) { l.text("a").zone().zone().text("b"); },
                 Pad("a", 28) + "b"},
        LineCase{"DoubleZoneAfterBoundary",
                 [](PrintLine& l) { l.text(k14).zone().zone().text("b"); },
                 Pad(k14, 28) + "b"},
        LineCase{"TrailingZoneAddsNothing",
                 [](PrintLine& l) { l.text("a").zone(); }, "a"},
        LineCase{"JoinAfterZone",
                 [](PrintLine& l) {
                   l.text("a").zone().text("b").text("c").zone().text("d");
                 },
                 Pad("a", 14) + Pad("bc", 14) + "d"}),
    [](const testing::TestParamInfo<LineCase>& info) {
      return std::string(info.param.name);
    });

TEST(PrintFileName, CounterInSignedForm) {
  EXPECT_EQ(PrintFileName("Varrond", 1), "Varrond 1.txt");
  EXPECT_EQ(PrintFileName("map", 12), "map 12.txt");
  EXPECT_EQ(PrintFileName("map", 32767), "map 32767.txt");
  EXPECT_EQ(PrintFileName("map", -32768), "map-32768.txt");
}

}  // namespace
}  // namespace core

namespace core {
namespace {

TEST(TextLines, EndsOfLineAreLeftOut) {
  using V = std::vector<std::string_view>;
  struct Case {
    std::string_view text;
    V lines;
  } const cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\n", {"a"}},
      {"a\r\nb", {"a", "b"}},
      {"\n\n", {"", ""}},
      {"a\rb\n", {"a\rb"}},  // a lone CR is no line end
  };
  for (const Case& c : cases) EXPECT_EQ(TextLines(c.text), c.lines) << c.text;
}

}  // namespace
}  // namespace core
