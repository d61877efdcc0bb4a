// Number texts: the two parsers, the format patterns and the plain and signed
// number texts. Decimal point "." and grouping "," always, whatever the locale.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace core {

// The whole text (blanks around it ignored) must be one number; a "," between
// integer digits that stands before a group of exactly three digits
// ("1,000", "12,345.5") is a grouping mark and ignored. Rounded to the nearest
// Single. Empty text, any other character or comma, or a value beyond the
// Single range gives nothing.
std::optional<float> ParseStrict(std::string_view text);

// Why a text is refused: blank, a comma that groups nothing (a decimal comma:
// "2,5"), no number at all, or a number beyond the range on the positive
// (TooLarge) or negative (TooSmall) side. None for a text that reads.
enum class StrictFault { None, Empty, NotANumber, TooLarge, TooSmall, Comma };
StrictFault ClassifyStrict(std::string_view text);

// The longest leading number of the text; blanks inside it are skipped, the
// exponent may be E, e, D or d. Never fails: 0 when no number starts the text.
double ParseLeading(std::string_view text);

// The leading rule as a box is read: the leading number (grouping marks as in
// ParseStrict) must be all the text holds but blanks, and within the Double
// range. A text the rule reads whole gives what ParseLeading gives.
struct LeadingRead {
  double value = 0;
  StrictFault fault = StrictFault::None;
};
LeadingRead ReadLeading(std::string_view text);
// The leading number alone, what follows it ignored ("18 to 1" is 18, no
// number is 0), but a decimal comma after it refused: "1,5" is no 1.
LeadingRead ReadLeadingPart(std::string_view text);

// Renders a value through a pattern of "0", "#", one "." and ",": 15
// significant digits for a Double, 7 for a Single, then rounded to the
// pattern's decimals with halves away from zero. A non-finite value is not a
// result: it throws core::Failure.
std::string FormatPattern(double value, std::string_view pattern);
std::string FormatPattern(float value, std::string_view pattern);
// Numeric text is read back as a Double first (grammar of ParseStrict, but
// without the Single range); text that is not a number throws core::Failure.
std::string FormatPattern(const std::string& text, std::string_view pattern);

// Shortest text that reads back at 15 (Double) or 7 (Single) significant
// digits: "1.4", "0.5", "-14.696", "2"; exponent form from 1E+15 up and below
// 1E-04 ("1E-05", "1.5E+15"). Non-finite values throw core::Failure.
std::string NumberText(double value);
std::string NumberText(float value);

// As NumberText, with one leading blank for values not below zero and no "0"
// before the point: " 1", " .5", "-.25", "-3".
std::string SignedNumberText(double value);
std::string SignedNumberText(float value);

}  // namespace core
