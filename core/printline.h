// Print lines: literal and number items, joined or placed in 14-column zones.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace core {

class PrintLine {
 public:
  PrintLine& text(std::string_view literal);  // written unchanged
  PrintLine& num(float v);                     // SignedNumberText(v) + " "
  PrintLine& num(double v);
  // The next item starts at the next 14-column print zone.
  PrintLine& zone();
  // The line without its line end. A zone advance with no item after it
  // adds nothing.
  const std::string& str() const;

 private:
  void place();

  std::string line_;
  // Column (0-based) where the last item started; -1 before the first item.
  long last_start_ = -1;
  bool zone_pending_ = false;
};

// Print-file name for the counter-th file of a run: "map 1.txt".
std::string PrintFileName(std::string_view base, int counter);

// The lines of a text, each without its line end (LF or CR LF); a last line
// without an end counts, an empty text has none.
std::vector<std::string_view> TextLines(std::string_view text);

}  // namespace core
