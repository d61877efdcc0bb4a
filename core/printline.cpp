#include "core/printline.h"

#include "core/numtext.h"

namespace core {
namespace {
constexpr long kZoneWidth = 14;
}

// A zone advance moves to the first zone start that is not before the end of
// the line and lies after the start of the previous item. So an item ending
// exactly on a boundary is followed right at that boundary, a zone advance at
// the very start of a line adds nothing, and an empty item (text("") or a
// second zone() in a row) still takes a whole zone of its own.
void PrintLine::place() {
  if (!zone_pending_) return;
  zone_pending_ = false;
  const long end = static_cast<long>(line_.size());
  long target = (end + kZoneWidth - 1) / kZoneWidth * kZoneWidth;
  if (last_start_ >= 0 && target <= last_start_) target += kZoneWidth;
  line_.append(static_cast<std::size_t>(target - end), ' ');
}

PrintLine& PrintLine::text(std::string_view literal) {
  place();
  last_start_ = static_cast<long>(line_.size());
  line_ += literal;
  return *this;
}

PrintLine& PrintLine::num(float v) {
  return text(SignedNumberText(v) + " ");
}

PrintLine& PrintLine::num(double v) {
  return text(SignedNumberText(v) + " ");
}

PrintLine& PrintLine::zone() {
  // Two advances in a row enclose an empty item.
  if (zone_pending_) text("");
  zone_pending_ = true;
  return *this;
}

const std::string& PrintLine::str() const { return line_; }

std::string PrintFileName(std::string_view base, int counter) {
  std::string name(base);
  name += SignedNumberText(static_cast<float>(counter));
  name += ".txt";
  return name;
}

std::vector<std::string_view> TextLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(at, end - at);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    at = end + 1;
  }
  return lines;
}

}  // namespace core
