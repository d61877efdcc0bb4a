#include "core/numtext.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "core/failure.h"

namespace core {
namespace {

struct PatternRow {
  const char* pattern;
  const char* zero;
  const char* half;
  const char* one;
  const char* small;     // 12.345
  const char* large;     // 1234567.891
  const char* neg_half;  // -0.5
};

const PatternRow kPatternTable[] = {
    {"###,###", "", "1", "1", "12", "1,234,568", "-1"},
    {"###.0", ".0", ".5", "1.0", "12.3", "1234567.9", "-.5"},
    {"##,###", "", "1", "1", "12", "1,234,568", "-1"},
    {"##,###0.0", "0.0", "0.5", "1.0", "12.3", "1,234,567.9", "-0.5"},
    {"##,###0.00", "0.00", "0.50", "1.00", "12.35", "1,234,567.89", "-0.50"},
    {"##,###0.000", "0.000", "0.500", "1.000", "12.345", "1,234,567.891",
     "-0.500"},
    {"##.##", ".", ".5", "1.", "12.35", "1234567.89", "-.5"},
    {"##0.000", "0.000", "0.500", "1.000", "12.345", "1234567.891", "-0.500"},
    {"#.##", ".", ".5", "1.", "12.35", "1234567.89", "-.5"},
    {"#0", "0", "1", "1", "12", "1234568", "-1"},
    {"#0.", "0.", "1.", "1.", "12.", "1234568.", "-1."},
    {"#0.0", "0.0", "0.5", "1.0", "12.3", "1234567.9", "-0.5"},
    {"#0.00", "0.00", "0.50", "1.00", "12.35", "1234567.89", "-0.50"},
    {"#0.000", "0.000", "0.500", "1.000", "12.345", "1234567.891", "-0.500"},
    {"#0.0000", "0.0000", "0.5000", "1.0000", "12.3450", "1234567.8910",
     "-0.5000"},
    {"#0.00000", "0.00000", "0.50000", "1.00000", "12.34500", "1234567.89100",
     "-0.50000"},
    {"0.####", "0.", "0.5", "1.", "12.345", "1234567.891", "-0.5"},
    {"0.", "0.", "1.", "1.", "12.", "1234568.", "-1."},
    {"0.000", "0.000", "0.500", "1.000", "12.345", "1234567.891", "-0.500"},
};

class PatternTable : public testing::TestWithParam<PatternRow> {};

TEST_P(PatternTable, DoubleValues) {
  const PatternRow& r = GetParam();
  EXPECT_EQ(FormatPattern(0.0, r.pattern), r.zero);
  EXPECT_EQ(FormatPattern(0.5, r.pattern), r.half);
  EXPECT_EQ(FormatPattern(1.0, r.pattern), r.one);
  EXPECT_EQ(FormatPattern(12.345, r.pattern), r.small);
  EXPECT_EQ(FormatPattern(1234567.891, r.pattern), r.large);
  EXPECT_EQ(FormatPattern(-0.5, r.pattern), r.neg_half);
}

// Numeric text is read back as a Double, so it must give the same table.
TEST_P(PatternTable, NumericText) {
  const PatternRow& r = GetParam();
  EXPECT_EQ(FormatPattern(std::string("0"), r.pattern), r.zero);
  EXPECT_EQ(FormatPattern(std::string("0.5"), r.pattern), r.half);
  EXPECT_EQ(FormatPattern(std::string("1"), r.pattern), r.one);
  EXPECT_EQ(FormatPattern(std::string("12.345"), r.pattern), r.small);
  EXPECT_EQ(FormatPattern(std::string("1234567.891"), r.pattern), r.large);
  EXPECT_EQ(FormatPattern(std::string("-0.5"), r.pattern), r.neg_half);
}

INSTANTIATE_TEST_SUITE_P(AllPatterns, PatternTable,
                         testing::ValuesIn(kPatternTable));

struct DoubleCase {
  double value;
  const char* pattern;
  const char* expected;
};

TEST(FormatPattern, MoreDoubleCases) {
  const DoubleCase cases[] = {
      {0.3, "#.##", ".3"},
      {2, "#.##", "2."},
      {1.5, "#.##", "1.5"},
      {0.005, "#.##", ".01"},
      {1.0 / 12, "0.####", "0.0833"},
      {1.89293, "0.####", "1.8929"},
      {99999.99, "0.####", "99999.99"},
      {0.00001, "0.####", "0."},
      {2, "0.####", "2."},
      {0.4, "##,###", ""},
      {0.5, "##,###", "1"},
      {1234.5, "##,###0.000", "1,234.500"},
      {35000, "###,###", "35,000"},
      {999.9996, "##,###0.000", "1,000.000"},  // carry into a new group
      {123456, "#0", "123456"},
      {0.05, "#0.0", "0.1"},
      {-0.05, "#0.0", "-0.1"},
      {2.5, "#0", "3"},
      {-2.5, "#0", "-3"},
      {1.005, "#0.00", "1.01"},  // 1.00499999999999989... at 15 digits
      {0.045, "0.##", "0.05"},
      {9.9999, "#0.0", "10.0"},
      {0.99999, "#.##", "1."},
      // The 15th significant digit decides, not the binary tail.
      {0.1 + 0.2, "0.################", "0.3"},
      {1e20, "#0", "100000000000000000000"},
      {123456789012345678.0, "#0", "123456789012346000"},
      {1e-20, "0.00", "0.00"},
      {-1e-20, "0.00", "0.00"},
      {-0.0, "#0.0", "0.0"},
      {-0.4, "#0", "0"},
      {-0.4, "##,###", ""},
      {-1234567.891, "##,###0.0", "-1,234,567.9"},
      {-0.25, "#.##", "-.25"},
  };
  for (const DoubleCase& c : cases)
    EXPECT_EQ(FormatPattern(c.value, c.pattern), c.expected)
        << c.value << " with " << c.pattern;
}

// A tie in the 16th digit of an exactly representable Double rounds up.
TEST(FormatPattern, TieBeyondFifteenDigitsGoesAway) {
  EXPECT_EQ(FormatPattern(1000000000000005.0, "#0"), "1000000000000010");
  EXPECT_EQ(FormatPattern(-1000000000000005.0, "#0"), "-1000000000000010");
  EXPECT_EQ(FormatPattern(1000000000000004.0, "#0"), "1000000000000000");
  // One binary step either side of the tie is no tie at all.
  EXPECT_EQ(FormatPattern(std::nextafter(1000000000000005.0, 0.0), "#0"), "1000000000000000");
  EXPECT_EQ(FormatPattern(std::nextafter(1000000000000005.0, 2e15), "#0"), "1000000000000010");
  // A tie far below the point, and a subnormal, whose exact expansions are long.
  EXPECT_EQ(FormatPattern(0.000030517578125, "0.####"), "0.");
  EXPECT_EQ(FormatPattern(0.000030517578125 * 1e4, "0.####"), "0.3052");
  EXPECT_EQ(FormatPattern(4.9406564584124654e-324, "#0.0"), "0.0");
}

struct SingleCase {
  float value;
  const char* pattern;
  const char* expected;
};

TEST(FormatPattern, SingleValuesUseSevenDigits) {
  const SingleCase cases[] = {
      {0.1f, "0.################", "0.1"},
      {14.696f, "0.##########", "14.696"},
      {1234567.891f, "#0.00", "1234568.00"},
      {12.345f, "#0.00", "12.35"},  // 12.3450002... and 12.345 both go up
      {0.05f, "#0.0", "0.1"},
      {-0.05f, "#0.0", "-0.1"},
      {1.4f, "#.##", "1.4"},
      {16777217.0f, "#0", "16777220"},
  };
  for (const SingleCase& c : cases)
    EXPECT_EQ(FormatPattern(c.value, c.pattern), c.expected)
        << c.value << " with " << c.pattern;
  // The same bits as a Double keep their 15 digits.
  EXPECT_EQ(FormatPattern(static_cast<double>(0.1f), "0.################"),
            "0.100000001490116");
}

TEST(FormatPattern, NumberTextOfSingleEqualsSingle) {
  for (float v : {0.1f, 14.696f, 1.4f, 287.05f, 0.7142857f, 3.3333333f})
    for (const char* p : {"0.####", "#0.00000", "##,###0.000"})
      EXPECT_EQ(FormatPattern(NumberText(v), p), FormatPattern(v, p)) << v;
}

TEST(FormatPattern, NonFiniteAndNonNumericThrow) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_THROW(FormatPattern(inf, "#0"), Failure);
  EXPECT_THROW(FormatPattern(-inf, "#0"), Failure);
  EXPECT_THROW(FormatPattern(std::nan(""), "#0"), Failure);
  EXPECT_THROW(FormatPattern(std::numeric_limits<float>::infinity(), "#0"),
               Failure);
  for (const char* t : {"", "abc", "3.5 psia", "1e999", "1,5.0.", "--1"})
    EXPECT_THROW(FormatPattern(std::string(t), "#0"), Failure) << t;
  EXPECT_EQ(FormatPattern(std::string(" 1,000.25 "), "##,###0.0"), "1,000.3");
}

TEST(ParseStrict, Accepts) {
  const struct {
    const char* text;
    float value;
  } cases[] = {
      {"1.4", 1.4f},       {" 2 ", 2.0f},       {"1,000", 1000.0f},
      {"1e3", 1000.0f},    {".5", 0.5f},        {"1.", 1.0f},
      {"+3", 3.0f},        {"-0.25", -0.25f},   {"2.5E-1", 0.25f},
      {"1e+2", 100.0f},    {"\t7\n", 7.0f},     {"1,234,567", 1234567.0f},
      {"-0", 0.0f},        {"0.1", 0.1f},       {"3.4028235e38", FLT_MAX},
      {"1e-40", 1e-40f},   {"1e-60", 0.0f},     {"0e99999", 0.0f},
      {"000012", 12.0f},
  };
  for (const auto& c : cases) {
    const std::optional<float> v = ParseStrict(c.text);
    ASSERT_TRUE(v.has_value()) << c.text;
    EXPECT_EQ(*v, c.value) << c.text;
  }
}

TEST(ParseStrict, RoundsOnceToSingle) {
  // Halfway between two Singles plus a tiny excess: rounding through a
  // Double would land on the tie and go to even (down).
  const std::optional<float> v = ParseStrict("1.000000059604644775390626");
  ASSERT_TRUE(v.has_value());
  EXPECT_EQ(*v, std::nextafter(1.0f, 2.0f));
}

TEST(ParseStrict, Rejects) {
  for (const char* t : {"", "   ", "abc", "3.5 psia", "1.2.3", "e5", "1e",
                        "1e+", ".", "+", "1 000", ",5", "1,,000", "1.0,0",
                        "0x10", "1d3", "- 1", "3.4028236e38", "1e39", "-1e39",
                        "1e99999999999999999999"})
    EXPECT_FALSE(ParseStrict(t).has_value()) << '"' << t << '"';
}

TEST(ParseLeading, Examples) {
  const struct {
    const char* text;
    double value;
  } cases[] = {
      {"12abc", 12},      {"1 000", 1000},   {"1,5", 1},
      {"abc", 0},         {"", 0},           {"-.5e1", -5},
      {"3.5 psia", 3.5},  {"1,000", 1},      {"2d3", 2000},
      {"2D-1", 0.2},      {"  - 4 . 2 5", -4.25},
      {"1\t2\n3", 123},   {"7e", 7},         {"7e+", 7},
      {"7 e 2 x", 700},   {"1.2.3", 1.2},    {".", 0},
      {"-", 0},           {"1e-400", 0},     {"0.1", 0.1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ParseLeading(c.text), c.value) << '"' << c.text << '"';
}

TEST(ParseLeading, HugeValuesSaturate) {
  EXPECT_EQ(ParseLeading("1e400"), DBL_MAX);
  EXPECT_EQ(ParseLeading("-1e99999999999999999999"), -DBL_MAX);
  EXPECT_EQ(ParseLeading("0e99999"), 0.0);
}

// Each text under both reading rules: what the strict rule gives (a Single)
// and what the leading rule gives when a box is read whole (a Double), or the
// fault each refuses it for.
TEST(BothRules, CommasGroupThreeDigitsOrAreRefused) {
  using F = StrictFault;
  const struct {
    const char* text;
    F strict;
    double strict_value;
    F leading;
    double leading_value;
  } cases[] = {
      {"1,000", F::None, 1000, F::None, 1000},
      {"12,345.5", F::None, 12345.5, F::None, 12345.5},
      {"-1,234,567", F::None, -1234567, F::None, -1234567},
      {" 35,000 ", F::None, 35000, F::None, 35000},
      {"1,000e-3", F::None, 1, F::None, 1},
      {"2,5", F::Comma, 0, F::Comma, 0},
      {"1,5", F::Comma, 0, F::Comma, 0},
      {"0,75", F::Comma, 0, F::Comma, 0},
      {"1,00", F::Comma, 0, F::Comma, 0},
      {"1,0000", F::Comma, 0, F::Comma, 0},
      {"1,000,5", F::Comma, 0, F::Comma, 0},
      {"1.000,5", F::Comma, 0, F::Comma, 0},
      {",5", F::Comma, 0, F::Comma, 0},
      {"1,,000", F::Comma, 0, F::Comma, 0},
      {"2,5e3", F::Comma, 0, F::Comma, 0},
      {"1 ,000", F::Comma, 0, F::Comma, 0},
      {"a,b", F::NotANumber, 0, F::NotANumber, 0},
      {"1,000abc", F::NotANumber, 0, F::NotANumber, 0},
      // Texts without a comma, for the two rules side by side.
      {"12", F::None, 12, F::None, 12},
      {" 1 000", F::NotANumber, 0, F::None, 1000},
      {"-.5e1", F::None, -5, F::None, -5},
      {"  - 4 . 2 5", F::NotANumber, 0, F::None, -4.25},
      {"2D-1", F::NotANumber, 0, F::None, 0.2},
      {"1.", F::None, 1, F::None, 1},
      {"", F::Empty, 0, F::Empty, 0},
      {" \t", F::Empty, 0, F::Empty, 0},
      {"abc", F::NotANumber, 0, F::NotANumber, 0},
      {"12abc", F::NotANumber, 0, F::NotANumber, 0},
      {"3.5 psia", F::NotANumber, 0, F::NotANumber, 0},
      {"1.2.3", F::NotANumber, 0, F::NotANumber, 0},
      {"7e", F::NotANumber, 0, F::NotANumber, 0},
      {".", F::NotANumber, 0, F::NotANumber, 0},
      {"-", F::NotANumber, 0, F::NotANumber, 0},
      {"1e39", F::TooLarge, 0, F::None, 1e39},
      {"1e400", F::TooLarge, 0, F::TooLarge, 0},
      {"-1e400", F::TooSmall, 0, F::TooSmall, 0},
      {"1e-400", F::None, 0, F::None, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("\"") + c.text + "\"");
    EXPECT_EQ(ClassifyStrict(c.text), c.strict);
    const std::optional<float> strict = ParseStrict(c.text);
    EXPECT_EQ(strict.has_value(), c.strict == F::None);
    if (strict) {
      EXPECT_EQ(*strict, static_cast<float>(c.strict_value));
    }
    const LeadingRead leading = ReadLeading(c.text);
    EXPECT_EQ(leading.fault, c.leading);
    EXPECT_EQ(leading.value, c.leading_value);
    // A text the leading rule reads whole gives what it always gave.
    if (leading.fault == F::None && std::string_view(c.text).find(',') == std::string_view::npos) {
      EXPECT_EQ(leading.value, ParseLeading(c.text));
    }
  }
}

TEST(NumberText, Examples) {
  const struct {
    double value;
    const char* plain;
    const char* sign;
  } cases[] = {
      {1.4, "1.4", " 1.4"},
      {0.5, "0.5", " .5"},
      {2, "2", " 2"},
      {-14.696, "-14.696", "-14.696"},
      {-0.25, "-0.25", "-.25"},
      {12, "12", " 12"},
      {0, "0", " 0"},
      {-0.0, "0", " 0"},
      {0.1 + 0.2, "0.3", " .3"},
      {1.0 / 3, "0.333333333333333", " .333333333333333"},
      {2.0 / 3, "0.666666666666667", " .666666666666667"},
      {123456789012345.0, "123456789012345", " 123456789012345"},
      {999999999999999.4, "999999999999999", " 999999999999999"},
      {999999999999999.9, "1E+15", " 1E+15"},
      {1e15, "1E+15", " 1E+15"},
      {1.5e15, "1.5E+15", " 1.5E+15"},
      {-2.5e300, "-2.5E+300", "-2.5E+300"},
      {0.0001, "0.0001", " .0001"},
      {0.00001, "1E-05", " 1E-05"},
      {-1.5e-7, "-1.5E-07", "-1.5E-07"},
      {5e-324, "4.94065645841247E-324", " 4.94065645841247E-324"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NumberText(c.value), c.plain) << c.value;
    EXPECT_EQ(SignedNumberText(c.value), c.sign) << c.value;
  }
}

TEST(NumberText, SingleUsesSevenDigits) {
  const struct {
    float value;
    const char* plain;
    const char* sign;
  } cases[] = {
      {14.696f, "14.696", " 14.696"},
      {0.1f, "0.1", " .1"},
      {0.28f, "0.28", " .28"},
      {1.4f, "1.4", " 1.4"},
      {-3.0f, "-3", "-3"},
      {1.0f / 3, "0.3333333", " .3333333"},
      {16777217.0f, "16777220", " 16777220"},
      {1e15f, "1E+15", " 1E+15"},
      {0.00001f, "1E-05", " 1E-05"},
      {3.253e-8f, "3.253E-08", " 3.253E-08"},
      {-0.0f, "0", " 0"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NumberText(c.value), c.plain) << c.value;
    EXPECT_EQ(SignedNumberText(c.value), c.sign) << c.value;
  }
  // The same bits as a Double show their binary tail.
  EXPECT_EQ(NumberText(static_cast<double>(14.696f)), "14.6960000991821");
}

TEST(NumberText, NonFiniteThrows) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_THROW(NumberText(inf), Failure);
  EXPECT_THROW(NumberText(std::nanf("")), Failure);
  EXPECT_THROW(SignedNumberText(-inf), Failure);
  EXPECT_THROW(SignedNumberText(std::numeric_limits<float>::infinity()),
               Failure);
}

// The text of a rounded value is stable when read back and written again.
TEST(NumberText, ReadsBackToItself) {
  for (double v : {0.1, 1.4, 287.05, 1.0 / 7, 101325.0, 6.02214076e23, 1e-10,
                   -2.0 / 3})
    EXPECT_EQ(NumberText(ParseLeading(NumberText(v))), NumberText(v)) << v;
}

}  // namespace
}  // namespace core
