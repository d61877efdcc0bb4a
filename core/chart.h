// The data behind a window's charts: curves and labelled points, computed
// from the window's inputs and last results by the program's own physics.
// Free of any toolkit: the Qt view, the browser and the script mode all draw
// or print the same data.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace core {

struct ChartAxis {
  std::string label;  // with the unit, e.g. "Corrected flow (lbm/s)"
  bool log = false;
};

// A point of a curve; nothing is a gap (the curve is broken there).
using ChartPoint = std::optional<std::pair<double, double>>;

enum class SeriesStyle {
  Line,    // a curve through its points
  Dashed,  // a guide line: surge line, constant pressure, a branch not taken
  Points,  // markers only (labelled efficiencies, a running line of a sweep)
  Arrows,  // each pair of points is a vector from the first to the second
};

struct ChartSeries {
  ChartSeries() = default;
  ChartSeries(std::string name, std::vector<ChartPoint> points, SeriesStyle style = SeriesStyle::Line,
              bool secondAxis = false)
      : name(std::move(name)), points(std::move(points)), style(style), secondAxis(secondAxis) {}
  std::string name;  // in the legend
  std::vector<ChartPoint> points;
  SeriesStyle style = SeriesStyle::Line;
  bool secondAxis = false;  // read against y2
  // Optional text beside each point (same length as points, or empty).
  std::vector<std::string> labels;
};

// One labelled point: an operating point, a station, a computed solution.
struct ChartMark {
  ChartMark() = default;
  ChartMark(std::string name, double x, double y, std::string text, bool alarm = false,
            bool secondAxis = false)
      : name(std::move(name)), x(x), y(y), text(std::move(text)), alarm(alarm), secondAxis(secondAxis) {}
  std::string name;
  double x = 0, y = 0;
  std::string text;  // shown beside the point
  bool alarm = false;  // drawn in red (a surged point)
  bool secondAxis = false;
};

struct ChartData {
  std::string name;   // "compressor-map"
  std::string title;  // the tab and the chart's title
  ChartAxis x, y;
  std::optional<ChartAxis> y2;  // a second vertical axis, when needed
  bool equalScale = false;      // one unit is as long on both axes (triangles)
  std::vector<ChartSeries> series;
  std::vector<ChartMark> marks;
  // A table to read and copy instead of (or beside) a drawing: headings,
  // then rows.
  std::vector<std::vector<std::string>> table;
  // Why there is nothing to draw (nothing computed yet, or the last
  // computation failed); empty when the data is there.
  std::string unavailable;

  bool available() const { return unavailable.empty(); }
};

// A chart with nothing to draw, saying why.
ChartData Unavailable(std::string name, std::string title, std::string why);

// The data as one line of JSON (the script mode's `chart` line): numbers of
// full Double precision, a gap or a number that is not finite as null.
std::string ChartJson(const ChartData& chart);

// The last sweep run of a window (kept beside it, not shown in it), for
// charts that draw its points, such as a running line on a map.
struct SweepTrace {
  std::vector<std::string> outputs;  // control ids, as the sweep read them
  struct Point {
    int curve = 0;
    std::vector<std::string> texts;  // one per output
    bool gap = false;                // a failure or a warning there
  };
  std::vector<Point> points;
  bool empty() const { return points.empty(); }
  // The column of an output, or -1.
  int Column(const std::string& id) const;
};

}  // namespace core
