#include "core/chart_labels.h"

#include <algorithm>
#include <cmath>

#include "lib/mathfn/mathfn.h"

namespace core {

namespace {

// Advance widths of Liberation Sans Regular in units of 2048 to the em:
// the printable ASCII characters, then the Greek letters and signs the
// charts use. Any other character counts as a digit.
constexpr int kUnitsPerEm = 2048;
constexpr int kDigit = 1139;
constexpr short kAscii[95] = {
    569,  569,  727,  1139, 1139, 1821, 1366, 391,  682,  682,  797,  1196, 569,  682,  569,  569,
    1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 1139, 569,  569,  1196, 1196, 1196, 1139,
    2079, 1366, 1366, 1479, 1479, 1366, 1251, 1593, 1479, 569,  1024, 1366, 1139, 1706, 1479, 1593,
    1366, 1593, 1479, 1366, 1251, 1479, 1366, 1933, 1366, 1366, 1251, 569,  569,  569,  961,  1139,
    682,  1139, 1139, 1024, 1139, 1139, 569,  1139, 1139, 455,  455,  1024, 455,  1706, 1139, 1139,
    1139, 1139, 682,  1024, 569,  1139, 1024, 1479, 1024, 1024, 1024, 684,  532,  684,  1196};
struct Wide {
  char32_t c;
  short width;
};
constexpr Wide kOthers[] = {
    {0xb0, 819},    {0xb7, 569},    {0x2212, 1196}, {0x2026, 2048}, {0x2013, 1139}, {0x2014, 2048},
    {0x0393, 1128}, {0x0394, 1368}, {0x0398, 1593}, {0x039b, 1368}, {0x039e, 1331}, {0x03a0, 1479},
    {0x03a3, 1266}, {0x03a6, 1634}, {0x03a8, 1711}, {0x03a9, 1531}, {0x03b1, 1184}, {0x03b2, 1178},
    {0x03b3, 1024}, {0x03b4, 1140}, {0x03b5, 913},  {0x03b6, 903},  {0x03b7, 1139}, {0x03b8, 1139},
    {0x03b9, 455},  {0x03ba, 1024}, {0x03bb, 1024}, {0x03bc, 1180}, {0x03bd, 1024}, {0x03be, 917},
    {0x03bf, 1139}, {0x03c0, 1413}, {0x03c1, 1165}, {0x03c2, 987},  {0x03c3, 1264}, {0x03c4, 809},
    {0x03c5, 1120}, {0x03c6, 1328}, {0x03c7, 1075}, {0x03c8, 1460}, {0x03c9, 1599}};

// The characters of UTF-8 text (a broken sequence reads as one character).
std::vector<char32_t> Characters(std::string_view text) {
  std::vector<char32_t> out;
  for (size_t i = 0; i < text.size();) {
    const unsigned char b = static_cast<unsigned char>(text[i]);
    const int more = b < 0x80 ? 0 : b >= 0xf0 ? 3 : b >= 0xe0 ? 2 : b >= 0xc0 ? 1 : 0;
    char32_t c = more ? b & (0x3f >> more) : b;
    size_t k = 1;
    for (; k <= static_cast<size_t>(more) && i + k < text.size(); ++k)
      c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3f);
    out.push_back(c);
    i += k;
  }
  return out;
}

int Advance(char32_t c) {
  if (c >= 32 && c < 127) return kAscii[c - 32];
  for (const Wide& w : kOthers)
    if (w.c == c) return w.width;
  return kDigit;
}

// Sub- and superscript digits and signs, which the views set a little
// lower or higher than the line.
bool Shifted(char32_t c) {
  return (c >= 0x2070 && c <= 0x209c) || c == 0xb2 || c == 0xb3 || c == 0xb9;
}

struct Box {
  double left, top, right, bottom;
  bool Meets(const Box& o) const {
    return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
  }
  bool Within(const Box& o) const {
    return left >= o.left && right <= o.right && top >= o.top && bottom <= o.bottom;
  }
};

struct Segment {
  double x0, y0, x1, y1;
};

// Whether a segment passes through a box (Liang–Barsky clipping).
bool Crosses(const Segment& s, const Box& b) {
  double t0 = 0, t1 = 1;
  const double dx = s.x1 - s.x0, dy = s.y1 - s.y0;
  const double p[] = {-dx, dx, -dy, dy};
  const double q[] = {s.x0 - b.left, b.right - s.x0, s.y0 - b.top, b.bottom - s.y0};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const double t = q[i] / p[i];
    if (p[i] < 0) t0 = std::max(t0, t);
    else t1 = std::min(t1, t);
    if (t0 > t1) return false;
  }
  return true;
}

// Half the side of the square a point keeps clear round itself.
constexpr double kPointClear = 5;
// Rings round a point: how far a box stands from it, nearest first, all
// within reach (a ring's diagonal places stand 0.7·√2 of it away).
constexpr double kRings[] = {6, 11, 16, 21, 26};
// A place clear of the curves is taken over a nearer one that crosses a
// curve when it is at most this many rings farther out.
constexpr int kRingsForClear = 2;
// Labels keep off at most this many pieces of curve (the cost stays small).
constexpr size_t kMaxAvoidedSegments = 4000;

Box BoxOf(const ChartLabel& l) { return {l.left, l.top, l.left + l.width, l.top + l.height}; }

}  // namespace

double LabelWidth(std::string_view text) {
  long units = 0;
  for (char32_t c : Characters(text)) units += Advance(c);
  // Rounded up, and a pixel to spare for the views' hinting.
  return std::ceil(static_cast<double>(units) * kLabelFontPixels / kUnitsPerEm) + 2 * kLabelMargin + 1;
}

std::optional<std::pair<double, double>> PixelFrame::Map(double vx, double vy, bool second) const {
  auto along = [](double v, const AxisRange& r, bool log) -> std::optional<double> {
    if (!std::isfinite(v) || (log && v <= 0)) return std::nullopt;
    const double lo = log ? mathfn::log10(r.lo) : r.lo, hi = log ? mathfn::log10(r.hi) : r.hi;
    if (!(hi > lo)) return std::nullopt;
    return ((log ? mathfn::log10(v) : v) - lo) / (hi - lo);
  };
  const auto fx = along(vx, x, logX);
  const auto fy = second ? along(vy, y2, logY2) : along(vy, y, logY);
  if (!fx || !fy) return std::nullopt;
  return std::pair{left + *fx * width, top + (1 - *fy) * height};
}

PixelFrame FrameOf(const ChartData& data, const ChartLook& look, double left, double top, double width,
                   double height) {
  PixelFrame f;
  f.left = left;
  f.top = top;
  f.width = width;
  f.height = height;
  f.x = look.x;
  f.y = look.y;
  f.y2 = look.y2;
  f.logX = data.x.log;
  f.logY = data.y.log;
  f.logY2 = data.y2 && data.y2->log;
  return f;
}

double Reach(const ChartLabel& l) {
  const double dx = std::max({0.0, l.left - l.atX, l.atX - (l.left + l.width)});
  const double dy = std::max({0.0, l.top - l.atY, l.atY - (l.top + l.height)});
  return mathfn::hypot(dx, dy);
}

bool Overlap(const ChartLabel& a, const ChartLabel& b) { return BoxOf(a).Meets(BoxOf(b)); }

std::vector<ChartLabel> PlaceLabels(const ChartData& data, const ChartLook& look, const PixelFrame& frame) {
  const Box plot{frame.left, frame.top, frame.left + frame.width, frame.top + frame.height};
  const Box room{plot.left - 2, plot.top - 2, plot.right + 2, plot.bottom + 2};
  auto onPlot = [&](double x, double y) {
    return x >= plot.left - 1 && x <= plot.right + 1 && y >= plot.top - 1 && y <= plot.bottom + 1;
  };

  // The texts wanted, marks' first, and every point drawn, to keep clear of.
  std::vector<ChartLabel> wanted;
  std::vector<Box> taken;
  auto keepClear = [&](double x, double y) {
    taken.push_back({x - kPointClear, y - kPointClear, x + kPointClear, y + kPointClear});
  };
  for (size_t m = 0; m < data.marks.size() && m < look.marks.size(); ++m) {
    const ChartMark& mark = data.marks[m];
    if (look.marks[m].group < 0) continue;
    const auto at = frame.Map(mark.x, mark.y, look.marks[m].secondAxis);
    if (!at || !onPlot(at->first, at->second)) continue;
    keepClear(at->first, at->second);
    ChartLabel l;
    l.text = mark.text.empty() ? mark.name : mark.text;
    if (l.text.empty()) continue;
    l.colour = look.marks[m].colour;
    l.mark = static_cast<int>(m);
    l.atX = at->first;
    l.atY = at->second;
    wanted.push_back(std::move(l));
  }
  std::vector<Segment> curves;
  for (size_t s = 0; s < data.series.size() && s < look.series.size(); ++s) {
    const ChartSeries& series = data.series[s];
    const bool second = look.series[s].secondAxis;
    // The point before, in pixels, when there is one drawn.
    bool hasLast = false;
    double lastX = 0, lastY = 0;
    for (size_t i = 0; i < series.points.size(); ++i) {
      const ChartPoint& p = series.points[i];
      const auto at = p ? frame.Map(p->first, p->second, second) : std::nullopt;
      if (at && series.style == SeriesStyle::Points) keepClear(at->first, at->second);
      // A line joins its neighbours; arrows join each pair.
      const bool joined = series.style == SeriesStyle::Arrows ? i % 2 == 1 : series.style != SeriesStyle::Points;
      if (at && hasLast && joined && curves.size() < kMaxAvoidedSegments)
        curves.push_back({lastX, lastY, at->first, at->second});
      hasLast = at.has_value();
      if (at) {
        lastX = at->first;
        lastY = at->second;
      }
      if (!at || i >= series.labels.size() || series.labels[i].empty()) continue;
      if (!onPlot(at->first, at->second)) continue;
      ChartLabel l;
      l.text = series.labels[i];
      l.colour = look.series[s].colour;
      l.series = static_cast<int>(s);
      l.point = static_cast<int>(i);
      l.atX = at->first;
      l.atY = at->second;
      wanted.push_back(std::move(l));
    }
  }

  std::vector<ChartLabel> placed;
  for (ChartLabel& l : wanted) {
    const double w = LabelWidth(l.text);
    const auto chars = Characters(l.text);
    const double h = kLabelHeight + (std::any_of(chars.begin(), chars.end(), Shifted) ? 3 : 0);
    int clearRing = -1, freeRing = -1;
    Box clear{}, free{};
    for (int ring = 0; ring < static_cast<int>(std::size(kRings)) && clearRing < 0; ++ring) {
      const double d = kRings[ring], e = d * 0.7;
      const std::pair<double, double> offsets[] = {
          {d, -h / 2},      {d, -h},          {d, 0},           {-w - d, -h / 2}, {-w - d, -h},
          {-w - d, 0},      {-w / 2, -h - d}, {-w / 2, d},      {e, -h - e},      {e, e},
          {-w - e, -h - e}, {-w - e, e}};
      for (const auto& [dx, dy] : offsets) {
        const Box b{l.atX + dx, l.atY + dy, l.atX + dx + w, l.atY + dy + h};
        if (!b.Within(room)) continue;
        const Box padded{b.left - 1, b.top - 1, b.right + 1, b.bottom + 1};
        if (std::any_of(taken.begin(), taken.end(), [&](const Box& t) { return t.Meets(padded); })) continue;
        if (freeRing < 0) {
          freeRing = ring;
          free = b;
        }
        const Box inner{b.left + 1, b.top + 1, b.right - 1, b.bottom - 1};
        if (std::none_of(curves.begin(), curves.end(), [&](const Segment& s) { return Crosses(s, inner); })) {
          clearRing = ring;
          clear = b;
          break;
        }
      }
    }
    if (freeRing < 0) continue;  // no room within reach
    const Box chosen = clearRing >= 0 && clearRing <= freeRing + kRingsForClear ? clear : free;
    l.left = chosen.left;
    l.top = chosen.top;
    l.width = w;
    l.height = h;
    taken.push_back(chosen);
    placed.push_back(std::move(l));
  }
  return placed;
}

}  // namespace core
