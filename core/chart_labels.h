// Where the texts of a chart stand: each mark's text and each series label
// beside its point, clear of the other texts and of the points, off the
// curves where there is room, within reach of its point. Decided here for
// the drawing's plot area in pixels, so that the desktop and the browser
// put every text in the same place beside its point.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/chart.h"
#include "core/plot.h"

namespace core {

// The texts are set in Liberation Sans at this size (both views).
inline constexpr double kLabelFontPixels = 12;
// A text's box: one line of the font with a pixel of margin all round.
inline constexpr double kLabelHeight = 16;
inline constexpr double kLabelMargin = 1;
// No text stands farther than this from its point.
inline constexpr double kLabelReach = 30;

// The width of a text's box, margins included (the font's advance widths;
// a subscript or superscript counted as a full digit).
double LabelWidth(std::string_view text);

// The plot area as drawn, and the values its edges stand for.
struct PixelFrame {
  double left = 0, top = 0, width = 1, height = 1;
  AxisRange x, y, y2;
  bool logX = false, logY = false, logY2 = false;
  // Where a value of the data lands; nothing when the axes cannot show it.
  std::optional<std::pair<double, double>> Map(double x, double y, bool second) const;
};

struct ChartLabel {
  std::string text;    // as the data has it (sub- and superscript digits)
  std::string colour;  // of its mark or series
  int mark = -1;       // the mark it names, or -1
  int series = -1, point = -1;  // else the series and point it names
  double atX = 0, atY = 0;      // its point, in pixels
  double left = 0, top = 0, width = 0, height = kLabelHeight;  // its box
};

// The frame a chart's own ranges give, for a plot area of this size.
PixelFrame FrameOf(const ChartData& data, const ChartLook& look, double left, double top, double width,
                   double height);

// The chart's texts placed, marks' first: each box inside the plot area, none
// on another. A text with no such place within reach is left out (the
// point's hover and the copy still give it); so is one whose point is off
// the drawing.
std::vector<ChartLabel> PlaceLabels(const ChartData& data, const ChartLook& look, const PixelFrame& frame);

// The distance from a point to a box (0 inside).
double Reach(const ChartLabel& label);
bool Overlap(const ChartLabel& a, const ChartLabel& b);

}  // namespace core
