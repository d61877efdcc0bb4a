#include "core/numtext.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "core/failure.h"

namespace core {
namespace {

constexpr int kDoubleDigits = 15;
constexpr int kSingleDigits = 7;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// A non-negative decimal: 0.digits x 10^point. No leading or trailing zeros
// in digits; empty digits is zero.
struct Decimal {
  std::string digits;
  int point = 0;
  bool IsZero() const { return digits.empty(); }
};

void StripTrailingZeros(Decimal& d) {
  while (!d.digits.empty() && d.digits.back() == '0') d.digits.pop_back();
}

// Keeps the first `keep` digits, rounding half away from zero on the digit
// string itself, so no binary arithmetic can move a half.
void RoundAt(Decimal& d, int keep) {
  if (keep >= static_cast<int>(d.digits.size())) return;
  if (keep < 0) {
    d.digits.clear();
    return;
  }
  const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
  d.digits.resize(static_cast<std::size_t>(keep));
  if (up) {
    int i = keep - 1;
    while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') {
      d.digits[static_cast<std::size_t>(i)] = '0';
      --i;
    }
    if (i >= 0) {
      ++d.digits[static_cast<std::size_t>(i)];
    } else {
      d.digits.insert(d.digits.begin(), '1');
      ++d.point;
    }
  }
  StripTrailingZeros(d);
}

// Digits of |v| in scientific form at `precision` places after the first,
// correctly rounded. The C library's conversion is exact at any precision
// (glibc and musl alike, unlike the C++ one, which not every library has), and
// only the digits and the exponent are read, so the locale's decimal point
// does not matter.
Decimal Expansion(double v, int precision) {
  Decimal d;
  char buf[800];
  const int n = std::snprintf(buf, sizeof buf, "%.*e", precision, std::fabs(v));
  const std::string_view text(buf, n > 0 ? static_cast<std::size_t>(n) : 0);
  const std::size_t e = text.find('e');
  d.digits.reserve(e);
  for (std::size_t i = 0; i < e; ++i)
    if (IsDigit(text[i])) d.digits.push_back(text[i]);
  int exponent = 0;
  std::size_t i = e + 1;
  const bool negative = text[i] == '-';
  if (text[i] == '+' || text[i] == '-') ++i;
  for (; i < text.size() && IsDigit(text[i]); ++i) exponent = exponent * 10 + (text[i] - '0');
  d.point = (negative ? -exponent : exponent) + 1;
  return d;
}

// The exact binary value of |v|, rounded half away from zero to
// `significant` decimal digits. The value and its correct rounding to a few
// guard digits more lie on the same side of every tie, unless that rounding
// is the tie itself (guard digits of exactly one half); only then is the
// exact expansion needed (every digit of it: at most 767 for a double).
Decimal Significant(double v, int significant) {
  if (v == 0) return Decimal{};
  constexpr int kGuard = 4;
  Decimal d = Expansion(v, significant + kGuard - 1);
  const std::string_view guard = std::string_view(d.digits).substr(
      static_cast<std::size_t>(significant));
  if (guard.front() == '5' && guard.find_first_not_of('0', 1) == std::string_view::npos)
    d = Expansion(v, 780);
  StripTrailingZeros(d);
  RoundAt(d, significant);
  return d;
}

std::string Format(double value, std::string_view pattern, int significant) {
  if (!std::isfinite(value)) throw Failure("The inputs give no finite result");

  const std::size_t dot = pattern.find('.');
  const bool has_point = dot != std::string_view::npos;
  const std::string_view int_pattern = pattern.substr(0, dot);
  const std::string_view frac_pattern =
      has_point ? pattern.substr(dot + 1) : std::string_view();

  std::size_t min_int_digits = 0;
  bool grouping = false;
  for (char c : int_pattern) {
    if (c == '0') ++min_int_digits;
    if (c == ',') grouping = true;
  }
  std::string placeholders;
  for (char c : frac_pattern)
    if (c == '0' || c == '#') placeholders.push_back(c);
  const int n = static_cast<int>(placeholders.size());

  Decimal d = Significant(value, significant);
  RoundAt(d, d.point + n);

  std::string int_digits;
  for (int i = 0; i < d.point; ++i)
    int_digits.push_back(i < static_cast<int>(d.digits.size())
                             ? d.digits[static_cast<std::size_t>(i)]
                             : '0');
  if (int_digits.size() < min_int_digits)
    int_digits.insert(0, min_int_digits - int_digits.size(), '0');
  if (grouping) {
    for (std::size_t pos = int_digits.size(); pos > 3;) {
      pos -= 3;
      int_digits.insert(pos, 1, ',');
    }
  }

  std::string frac;
  for (int i = 0; i < n; ++i) {
    const int idx = d.point + i;
    frac.push_back(idx >= 0 && idx < static_cast<int>(d.digits.size())
                       ? d.digits[static_cast<std::size_t>(idx)]
                       : '0');
  }
  while (!frac.empty() && frac.back() == '0' &&
         placeholders[frac.size() - 1] == '#')
    frac.pop_back();

  // A value that rounds to zero loses its sign: "-0.0" reads as a defect.
  std::string out;
  if (value < 0 && !d.IsZero()) out.push_back('-');
  out += int_digits;
  if (has_point) out.push_back('.');
  out += frac;
  return out;
}

// Magnitude text at `significant` digits, with "0." kept for values below 1.
std::string MagnitudeText(double value, int significant) {
  if (!std::isfinite(value)) throw Failure("The inputs give no finite result");
  const Decimal d = Significant(value, significant);
  if (d.IsZero()) return "0";
  const int size = static_cast<int>(d.digits.size());
  const int exponent = d.point - 1;
  std::string out;
  if (exponent >= 15 || exponent < -4) {
    out.push_back(d.digits[0]);
    if (size > 1) {
      out.push_back('.');
      out.append(d.digits, 1);
    }
    out.push_back('E');
    out.push_back(exponent < 0 ? '-' : '+');
    const std::string e = std::to_string(std::abs(exponent));
    if (e.size() < 2) out.push_back('0');
    out += e;
  } else if (d.point <= 0) {
    out = "0.";
    out.append(static_cast<std::size_t>(-d.point), '0');
    out += d.digits;
  } else if (d.point >= size) {
    out = d.digits;
    out.append(static_cast<std::size_t>(d.point - size), '0');
  } else {
    out = d.digits.substr(0, static_cast<std::size_t>(d.point));
    out.push_back('.');
    out.append(d.digits, static_cast<std::size_t>(d.point));
  }
  return out;
}

std::string Plain(double value, int significant) {
  std::string text = MagnitudeText(value, significant);
  if (value < 0 && text != "0") text.insert(0, 1, '-');
  return text;
}

std::string Signed(double value, int significant) {
  std::string text = MagnitudeText(value, significant);
  if (text.size() > 1 && text[0] == '0' && text[1] == '.') text.erase(0, 1);
  text.insert(0, 1, value < 0 && text != "0" ? '-' : ' ');
  return text;
}

// A scanned number: sign, all mantissa digits without the point, and the
// power of ten that applies to them.
struct Scanned {
  bool negative = false;
  std::string mantissa;
  long long exponent = 0;
};

// Exponent digits saturate here; beyond it every value is out of range anyway.
constexpr long long kExponentCap = 100000000;

void AddExponentDigit(long long& e, char c) {
  if (e < kExponentCap) e = e * 10 + (c - '0');
}

enum class Range { kInside, kOverflow };

float ReadDecimal(const char* text, float*) { return std::strtof(text, nullptr); }
double ReadDecimal(const char* text, double*) { return std::strtod(text, nullptr); }

// Converts with correct rounding straight to T (the C library rounds to
// nearest, ties to even, without passing through a wider type). The text
// handed over is digits and an exponent only, so the locale's decimal point
// does not matter. Values too tiny for T become zero (the nearest value
// anyway); too large ones are reported.
template <typename T>
Range Convert(const Scanned& s, T& out) {
  const std::size_t first = s.mantissa.find_first_not_of('0');
  out = 0;
  if (first == std::string::npos) return Range::kInside;
  std::string text = s.mantissa.substr(first);
  text.push_back('e');
  text += std::to_string(s.exponent);
  const int saved = errno;
  const T value = ReadDecimal(text.c_str(), static_cast<T*>(nullptr));
  errno = saved;
  if (std::isinf(value)) return Range::kOverflow;
  if (value == 0) return Range::kInside;
  out = s.negative ? -value : value;
  return Range::kInside;
}

// A "," that groups digits: after a digit and before exactly three. Anything
// else ("2,5", "1,0000") is most likely a decimal comma, and reading it as a
// grouping mark would give a number ten or a thousand times too large.
bool IsGroupingMark(std::string_view text, std::size_t i) {
  if (text[i] != ',' || i == 0 || !IsDigit(text[i - 1]) || i + 3 >= text.size()) return false;
  for (std::size_t k = i + 1; k <= i + 3; ++k)
    if (!IsDigit(text[k])) return false;
  return i + 4 == text.size() || !IsDigit(text[i + 4]);
}

// Whether the text holds a comma that groups nothing next to a digit: the
// mark of a number typed with a decimal comma.
bool HasStrayComma(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != ',' || IsGroupingMark(text, i)) continue;
    if ((i > 0 && IsDigit(text[i - 1])) || (i + 1 < text.size() && IsDigit(text[i + 1])))
      return true;
  }
  return false;
}

bool IsBlankText(std::string_view text) {
  return text.find_first_not_of(" \t\n\r") == std::string_view::npos;
}

// The grammar of ParseStrict, over the whole text.
std::optional<Scanned> ScanStrict(std::string_view text) {
  std::size_t b = 0, e = text.size();
  while (b < e && IsBlank(text[b])) ++b;
  while (e > b && IsBlank(text[e - 1])) --e;
  text = text.substr(b, e - b);

  Scanned s;
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-'))
    s.negative = text[i++] == '-';
  for (; i < text.size(); ++i) {
    if (IsDigit(text[i])) {
      s.mantissa.push_back(text[i]);
    } else if (IsGroupingMark(text, i)) {
    } else {
      break;
    }
  }
  long long fraction_digits = 0;
  if (i < text.size() && text[i] == '.') {
    for (++i; i < text.size() && IsDigit(text[i]); ++i) {
      s.mantissa.push_back(text[i]);
      ++fraction_digits;
    }
  }
  if (s.mantissa.empty()) return std::nullopt;
  long long exponent = 0;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    bool negative_exponent = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
      negative_exponent = text[i++] == '-';
    if (i >= text.size() || !IsDigit(text[i])) return std::nullopt;
    for (; i < text.size() && IsDigit(text[i]); ++i)
      AddExponentDigit(exponent, text[i]);
    if (negative_exponent) exponent = -exponent;
  }
  if (i != text.size()) return std::nullopt;
  s.exponent = exponent - fraction_digits;
  return s;
}

}  // namespace

std::optional<float> ParseStrict(std::string_view text) {
  const std::optional<Scanned> s = ScanStrict(text);
  if (!s) return std::nullopt;
  float value = 0;
  if (Convert(*s, value) == Range::kOverflow) return std::nullopt;
  return value == 0 ? 0.0f : value;
}

StrictFault ClassifyStrict(std::string_view text) {
  if (IsBlankText(text)) return StrictFault::Empty;
  const std::optional<Scanned> s = ScanStrict(text);
  if (!s) return HasStrayComma(text) ? StrictFault::Comma : StrictFault::NotANumber;
  float value = 0;
  if (Convert(*s, value) == Range::kOverflow)
    return s->negative ? StrictFault::TooSmall : StrictFault::TooLarge;
  return StrictFault::None;
}

namespace {

// The leading number of a text, and where it ends (just past its last
// character; 0 when no number starts the text).
struct LeadingScan {
  Scanned number;
  std::size_t end = 0;
};

LeadingScan ScanLeading(std::string_view text, bool grouping) {
  const std::size_t n = text.size();
  auto skip = [&](std::size_t j) {
    while (j < n && IsBlank(text[j])) ++j;
    return j;
  };
  LeadingScan scan;
  Scanned& s = scan.number;
  std::size_t i = skip(0);
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    s.negative = text[i] == '-';
    i = skip(i + 1);
  }
  while (i < n) {
    if (IsDigit(text[i])) {
      s.mantissa.push_back(text[i]);
      scan.end = i + 1;
      i = skip(i + 1);
    } else if (grouping && IsGroupingMark(text, i)) {
      ++i;
    } else {
      break;
    }
  }
  long long fraction_digits = 0;
  if (i < n && text[i] == '.') {
    const std::size_t point = i;
    i = skip(i + 1);
    while (i < n && IsDigit(text[i])) {
      s.mantissa.push_back(text[i]);
      ++fraction_digits;
      scan.end = i + 1;
      i = skip(i + 1);
    }
    if (!s.mantissa.empty() && scan.end < point + 1) scan.end = point + 1;
  }
  if (s.mantissa.empty()) {
    scan.end = 0;
    return scan;
  }
  long long exponent = 0;
  if (i < n && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' ||
                text[i] == 'D')) {
    // The letter only belongs to the number when digits follow it.
    std::size_t j = skip(i + 1);
    bool negative_exponent = false;
    if (j < n && (text[j] == '+' || text[j] == '-')) {
      negative_exponent = text[j] == '-';
      j = skip(j + 1);
    }
    while (j < n && IsDigit(text[j])) {
      AddExponentDigit(exponent, text[j]);
      scan.end = j + 1;
      j = skip(j + 1);
    }
    if (negative_exponent) exponent = -exponent;
  }
  s.exponent = exponent - fraction_digits;
  return scan;
}

}  // namespace

double ParseLeading(std::string_view text) {
  const LeadingScan scan = ScanLeading(text, false);
  if (scan.number.mantissa.empty()) return 0;
  double value = 0;
  // This reader never fails, so a huge number saturates at the largest finite
  // Double: it keeps its sign and size, and no infinity leaks into results.
  if (Convert(scan.number, value) == Range::kOverflow)
    value = scan.number.negative ? -std::numeric_limits<double>::max()
                                 : std::numeric_limits<double>::max();
  return value == 0 ? 0.0 : value;
}

LeadingRead ReadLeading(std::string_view text) {
  if (IsBlankText(text)) return {0, StrictFault::Empty};
  const LeadingScan scan = ScanLeading(text, true);
  const bool whole = !scan.number.mantissa.empty() &&
                     (scan.end == text.size() || IsBlankText(text.substr(scan.end)));
  if (!whole)
    return {0, HasStrayComma(text) ? StrictFault::Comma : StrictFault::NotANumber};
  double value = 0;
  if (Convert(scan.number, value) == Range::kOverflow)
    return {0, scan.number.negative ? StrictFault::TooSmall : StrictFault::TooLarge};
  return {value == 0 ? 0.0 : value, StrictFault::None};
}

LeadingRead ReadLeadingPart(std::string_view text) {
  const LeadingScan scan = ScanLeading(text, true);
  if (scan.number.mantissa.empty()) return {0, StrictFault::None};
  if (scan.end < text.size() && text[scan.end] == ',') return {0, StrictFault::Comma};
  double value = 0;
  if (Convert(scan.number, value) == Range::kOverflow)
    return {0, scan.number.negative ? StrictFault::TooSmall : StrictFault::TooLarge};
  return {value == 0 ? 0.0 : value, StrictFault::None};
}

std::string FormatPattern(double value, std::string_view pattern) {
  return Format(value, pattern, kDoubleDigits);
}

std::string FormatPattern(float value, std::string_view pattern) {
  return Format(static_cast<double>(value), pattern, kSingleDigits);
}

std::string FormatPattern(const std::string& text, std::string_view pattern) {
  const std::optional<Scanned> s = ScanStrict(text);
  if (!s) throw Failure("\"" + text + "\" is not a number");
  double value = 0;
  if (Convert(*s, value) == Range::kOverflow)
    throw Failure("The inputs give no finite result");
  return Format(value, pattern, kDoubleDigits);
}

std::string NumberText(double value) { return Plain(value, kDoubleDigits); }
std::string NumberText(float value) {
  return Plain(static_cast<double>(value), kSingleDigits);
}

std::string SignedNumberText(double value) {
  return Signed(value, kDoubleDigits);
}
std::string SignedNumberText(float value) {
  return Signed(static_cast<double>(value), kSingleDigits);
}

}  // namespace core
